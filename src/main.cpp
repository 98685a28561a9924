// Ferolune: the program owns the chart state, the ephemeris and the dialogs, and hands
// them to the main window.

#include "app/clock.h"
#include "app/dialogs.h"
#include "app/main_window.h"
#include "chart/chart_state.h"
#include "chart/ephemeris.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("ferolune"));
    QApplication::setApplicationVersion(QStringLiteral(FEROLUNE_VERSION));

    ferolune::ChartState state;
    ferolune::Ephemeris ephemeris(ferolune::Ephemeris::defaultDirectories(QCoreApplication::applicationDirPath()));
    ferolune::WidgetDialogs dialogs;
    const ferolune::SystemClock clock;

    ferolune::MainWindow window(state, ephemeris, dialogs, clock);
    window.Form_Load();
    window.show();
    return QApplication::exec();
}
