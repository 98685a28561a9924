#include "app/command_line.h"

#include "app/export_command.h"
#include "app/program.h"
#include "chart/ephemeris.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QTextStream>

#include <variant>

namespace ferolune {

namespace {

const QString ExportCommand = QStringLiteral("export");

void describe(QCommandLineParser &parser)
{
    parser.setApplicationDescription(
        QStringLiteral("Holdfázis naptár ablak nélkül. Paraméterek nélkül indítva a program ablakot nyit.\n\n"
                       "Példa:\n  ferolune export --date 1988-07-14 --time 09:35 --zone -2 --lon 19E03 "
                       "--lat 47N30 --year 2027 -o naptar.csv\n"
                       "  ferolune export --date 1988-07-14 --time 09:35 --place Budapest --residence Debrecen "
                       "--year 2027 -o naptar.pdf"));
    parser.addPositionalArgument(ExportCommand, QStringLiteral("A naptár mentése fájlba (PDF, iCalendar vagy CSV)."),
                                 QStringLiteral("export"));
    // Our own help option: Qt's adds --help-all for its platform options, which the command
    // line does not take.
    parser.addOption({{QStringLiteral("h"), QStringLiteral("help"), QStringLiteral("?")},
                      QStringLiteral("Ez a súgó.")});
    parser.addVersionOption();
    AddExportOptions(parser);
}

QString usageMessage(const QCommandLineParser &parser)
{
    if (!parser.unknownOptionNames().isEmpty()) {
        const QString name = parser.unknownOptionNames().constFirst();
        return QStringLiteral("Ismeretlen kapcsoló: %1%2").arg(name.size() == 1 ? "-" : "--", name);
    }
    return parser.errorText();
}

} // namespace

int RunCommandLine(const QStringList &arguments, Ephemeris &ephemeris, QTextStream &out, QTextStream &err)
{
    QCommandLineParser parser;
    describe(parser);
    const QString seeHelp = QStringLiteral("Segítség: ferolune --help");
    if (!parser.parse(arguments)) {
        err << usageMessage(parser) << "\n" << seeHelp << Qt::endl;
        return ExitUsage;
    }
    if (parser.isSet(QStringLiteral("help"))) {
        out << parser.helpText().trimmed() << Qt::endl;
        return ExitSuccess;
    }
    if (parser.isSet(QStringLiteral("version"))) {
        out << QCoreApplication::applicationName() << ' ' << QCoreApplication::applicationVersion() << Qt::endl;
        return ExitSuccess;
    }
    const QStringList commands = parser.positionalArguments();
    if (commands != QStringList{ExportCommand}) {
        err << (commands.isEmpty() ? QStringLiteral("Hiányzik a parancs: export.")
                                   : QStringLiteral("Ismeretlen parancs: %1").arg(commands.join(u' ')))
            << "\n" << seeHelp << Qt::endl;
        return ExitUsage;
    }
    const std::variant<ExportRequest, CommandRefusal> request = ExportRequestOf(parser);
    if (const CommandRefusal *refusal = std::get_if<CommandRefusal>(&request)) {
        err << refusal->message << Qt::endl;
        return refusal->status;
    }
    return RunExport(std::get<ExportRequest>(request), ephemeris, out, err);
}

int CommandLineMain(int argc, char *argv[])
{
    // Nothing is shown on a screen: the PDF page is drawn by a window that never opens, so
    // the command line runs without a display too.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("ferolune"));
    QApplication::setApplicationVersion(QStringLiteral(FEROLUNE_VERSION));
    InstallQtHungarianTranslation();

    Ephemeris ephemeris(Ephemeris::defaultDirectories(QCoreApplication::applicationDirPath()));
    QTextStream out(stdout);
    QTextStream err(stderr);
    return RunCommandLine(QCoreApplication::arguments(), ephemeris, out, err);
}

} // namespace ferolune
