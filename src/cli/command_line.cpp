#include "cli/command_line.h"

#include "cli/export_command.h"
#include "cli/plan_command.h"
#include "core/chart/ephemeris.h"
#include "core/common/process_setup.h"
#include "core/common/qt_translation.h"
#include "core/places/atlas_source.h"
#include "io/texts/calendar_texts.h"

#include <QCommandLineParser>
#include <QGuiApplication>
#include <QTextStream>

#include <memory>

namespace ferolune {

namespace {

const QString ExportCommand = QStringLiteral("export");
const QString PlanCommand = QStringLiteral("plan");

void describe(QCommandLineParser &parser)
{
    parser.setApplicationDescription(
        QStringLiteral("Holdfázis naptár ablak nélkül. Az ablakot a ferolune program nyitja.\n\n"
                       "Példa:\n  ferolune-cli export --date 1988-07-14 --time 09:35 --zone -2 --lon 19E03 "
                       "--lat 47N30 --year 2027 -o naptar.csv\n"
                       "  ferolune-cli export --date 1988-07-14 --time 09:35 --place Budapest --residence Debrecen "
                       "--year 2027 -o naptar.pdf\n"
                       "  ferolune-cli export --chart anna.ferolune --period 2026-11-02 --period 2026-11-30 "
                       "--year 2027 -o naptar.ics\n"
                       "  ferolune-cli plan --chart anna.ferolune --from 2026-12-10 --months 12 --sex girl "
                       "-o tervezo.csv\n\nFigyelem! ") +
                       MethodReliabilityNote);
    parser.addPositionalArgument(ExportCommand, QStringLiteral("A naptár mentése fájlba (PDF, iCalendar vagy CSV)."),
                                 QStringLiteral("export|plan"));
    parser.addPositionalArgument(PlanCommand,
                                 QStringLiteral("A következő hónapok holdfázis napjai évhatáron át, a ciklussal "
                                                "(PDF, iCalendar vagy CSV)."),
                                 QStringLiteral(" "));
    // Our own help option: Qt's adds --help-all for its platform options, which the command
    // line does not take.
    parser.addOption(
        {{QStringLiteral("h"), QStringLiteral("help"), QStringLiteral("?")}, QStringLiteral("Ez a súgó.")});
    parser.addVersionOption();
    AddExportOptions(parser);
    AddPlanOptions(parser);
}

QString usageMessage(const QCommandLineParser &parser)
{
    if (!parser.unknownOptionNames().isEmpty()) {
        const QString name = parser.unknownOptionNames().constFirst();
        return QStringLiteral("Ismeretlen kapcsoló: %1%2").arg(name.size() == 1 ? "-" : "--", name);
    }
    return parser.errorText();
}

// Whether the arguments ask for the PDF page: by --format, else by the suffix of -o.
bool DrawsPage(const QStringList &arguments)
{
    QCommandLineParser parser;
    describe(parser);
    if (!parser.parse(arguments))
        return false;
    const std::optional<ExportFormat> format = parser.isSet(QStringLiteral("format"))
                                                   ? FormatOfName(parser.value(QStringLiteral("format")))
                                                   : FormatOfPath(parser.value(QStringLiteral("o")));
    return format == ExportFormat::Pdf;
}

} // namespace

int RunCommandLine(const QStringList &arguments, Ephemeris &ephemeris, AtlasSource &atlas, QTextStream &out,
                   QTextStream &err)
{
    QCommandLineParser parser;
    describe(parser);
    const QString seeHelp = QStringLiteral("Segítség: ferolune-cli --help");
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
    if (commands != QStringList{ExportCommand} && commands != QStringList{PlanCommand}) {
        err << (commands.isEmpty() ? QStringLiteral("Hiányzik a parancs: export vagy plan.")
                                   : QStringLiteral("Ismeretlen parancs: %1").arg(commands.join(u' ')))
            << "\n"
            << seeHelp << Qt::endl;
        return ExitUsage;
    }
    if (commands.constFirst() == PlanCommand) {
        const Expected<PlanCommandRequest, CommandRefusal> plan = PlanRequestOf(parser, atlas, QDate::currentDate());
        if (!plan) {
            err << plan.error().message << Qt::endl;
            return plan.error().status;
        }
        return RunPlanCommand(*plan, ephemeris, atlas, out, err);
    }
    if (PlanOptionSet(parser)) {
        err << QStringLiteral("A --from, a --months és a --sex csak a plan parancshoz adható meg.") << "\n"
            << seeHelp << Qt::endl;
        return ExitUsage;
    }
    const Expected<ExportRequest, CommandRefusal> request = ExportRequestOf(parser, atlas);
    if (!request) {
        err << request.error().message << Qt::endl;
        return request.error().status;
    }
    return RunExport(*request, ephemeris, atlas, out, err);
}

int CommandLineMain(int argc, char *argv[])
{
    QStringList arguments;
    for (int k = 0; k < argc; ++k)
        arguments << QString::fromLocal8Bit(argv[k]);
    PrepareProcess();
    // Only the PDF page needs Qt Gui, for its fonts, and Qt Gui needs a platform: the one
    // that draws without a display, whatever the environment names, as nothing is shown.
    std::unique_ptr<QCoreApplication> application;
    if (DrawsPage(arguments)) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        application = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        application = std::make_unique<QCoreApplication>(argc, argv);
    }
    QCoreApplication::setApplicationName(QStringLiteral("ferolune-cli"));
    QCoreApplication::setApplicationVersion(QStringLiteral(FEROLUNE_VERSION));
    InstallQtHungarianTranslation();

    Ephemeris ephemeris(Ephemeris::defaultDirectories(QCoreApplication::applicationDirPath()));
    AtlasSource atlas(AtlasSource::programAtlasPath());
    QTextStream out(stdout);
    QTextStream err(stderr);
    return RunCommandLine(arguments, ephemeris, atlas, out, err);
}

} // namespace ferolune
