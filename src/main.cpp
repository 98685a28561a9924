// Ferolune: a one-year fertility calendar by the Jonas method from the natal chart.

#include "app/clock.h"
#include "widgets/dialogs.h"
#include "app/program.h"
#include "chart/ephemeris.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("ferolune"));
    QApplication::setApplicationVersion(QStringLiteral(FEROLUNE_VERSION));
    ferolune::InstallQtHungarianTranslation();

    ferolune::Ephemeris ephemeris(ferolune::Ephemeris::defaultDirectories(QCoreApplication::applicationDirPath()));
    ferolune::WidgetDialogs dialogs;
    const ferolune::SystemClock clock;

    ferolune::Program program(ephemeris, dialogs, clock);
    program.start();
    return QApplication::exec();
}
