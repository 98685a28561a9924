// Ferolune: a one-year fertility calendar by the Jonas method from the natal chart. This
// is the window; ferolune-cli makes the same calendar files from the command line.

#include "app/program.h"
#include "app/program_arguments.h"
#include "core/chart/ephemeris.h"
#include "core/common/process_setup.h"
#include "core/common/qt_translation.h"
#include "core/places/atlas_source.h"
#include "gui/calendar_window/calendar_worker.h"
#include "gui/main_window/clock.h"
#include "gui/widgets/dialogs.h"

#include <QApplication>
#include <QTextStream>

#include <cstdio>
#include <cstdlib>

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

    // Qt ends a program it cannot give a display with an abort and its own English words;
    // this one says in Hungarian what it needs, and where the command line is.
    const QtMessageHandler handler =
        qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &, const QString &) {
            if (type != QtFatalMsg)
                return;
            std::fputs(qPrintable(ferolune::NoDisplayMessage() + QLatin1Char('\n')), stderr);
            std::_Exit(1);
        });
    QApplication application(argc, argv);
    qInstallMessageHandler(handler);
    QApplication::setApplicationName(QStringLiteral("ferolune"));
    QApplication::setApplicationVersion(QStringLiteral(FEROLUNE_VERSION));
    ferolune::InstallQtHungarianTranslation();

    ferolune::CalendarWorker worker(ferolune::Ephemeris::defaultDirectories(QCoreApplication::applicationDirPath()));
    ferolune::WidgetDialogs dialogs;
    const ferolune::SystemClock clock;
    ferolune::AtlasSource atlas(ferolune::AtlasSource::programAtlasPath());

    ferolune::Program program(worker, dialogs, clock, atlas);
    program.start();
    return QApplication::exec();
}
