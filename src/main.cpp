// Ferolune: a one-year fertility calendar by the Jonas method from the natal chart.

#include "app/clock.h"
#include "app/command_line.h"
#include "app/program.h"
#include "calendar/window/calendar_worker.h"
#include "chart/ephemeris.h"
#include "widgets/dialogs.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    ferolune::PrepareProcess();
    // With arguments the program works from the command line and opens no window.
    if (argc > 1)
        return ferolune::CommandLineMain(argc, argv);

    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("ferolune"));
    QApplication::setApplicationVersion(QStringLiteral(FEROLUNE_VERSION));
    ferolune::InstallQtHungarianTranslation();

    ferolune::CalendarWorker worker(ferolune::Ephemeris::defaultDirectories(QCoreApplication::applicationDirPath()));
    ferolune::WidgetDialogs dialogs;
    const ferolune::SystemClock clock;

    ferolune::Program program(worker, dialogs, clock);
    program.start();
    return QApplication::exec();
}
