// Ferolune: a one-year fertility calendar by the Jonas method from the natal chart. This
// is the window; ferolune-cli makes the same calendar files from the command line.

#include "gui/main_window/clock.h"
#include "app/program.h"
#include "app/program_arguments.h"
#include "gui/calendar_window/calendar_worker.h"
#include "core/chart/ephemeris.h"
#include "gui/widgets/dialogs.h"

#include <QApplication>
#include <QTextStream>

int main(int argc, char *argv[])
{
    ferolune::PrepareProcess();
    {
        QStringList arguments;
        for (int k = 0; k < argc; ++k)
            arguments << QString::fromLocal8Bit(argv[k]);
        QTextStream out(stdout);
        QTextStream err(stderr);
        if (const std::optional<int> status = ferolune::AnswerProgramArguments(arguments, out, err))
            return *status;
    }

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
