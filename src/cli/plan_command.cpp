#include "cli/plan_command.h"

#include "core/places/atlas_source.h"
#include "io/export/calendar_document.h"
#include "io/export/plan_export.h"
#include "io/form/place_fields.h"
#include "io/texts/calendar_texts.h"

#include <QCommandLineParser>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTextStream>

namespace ferolune {

namespace {

const QString FromOption = QStringLiteral("from");
const QString MonthsOption = QStringLiteral("months");
const QString SexOption = QStringLiteral("sex");

using Refusal = Unexpected<CommandRefusal>;

Expected<QDate, CommandRefusal> fromDate(const QCommandLineParser &parser, const QDate &today)
{
    if (!parser.isSet(FromOption))
        return today;
    const QString text = parser.value(FromOption).trimmed();
    const QDate from = text.size() == 10 ? QDate::fromString(text, Qt::ISODate) : QDate();
    if (!from.isValid())
        return Refusal(CommandRefusal{
            QStringLiteral("A --from értéke ÉÉÉÉ-HH-NN alakú, létező nap legyen, például 2027-01-15 (megadva: „%1”).")
                .arg(parser.value(FromOption))});
    return from;
}

Expected<int, CommandRefusal> months(const QCommandLineParser &parser)
{
    if (!parser.isSet(MonthsOption))
        return DefaultPlanMonths;
    bool ok = false;
    const QString text = parser.value(MonthsOption).trimmed();
    const int count = QRegularExpression(QStringLiteral("^\\d{1,3}$")).match(text).hasMatch() ? text.toInt(&ok) : 0;
    if (!ok || count < MinPlanMonths || count > MaxPlanMonths)
        return Refusal(CommandRefusal{QStringLiteral("A --months értéke %1 és %2 közötti egész szám legyen, a hónapok "
                                                     "száma (megadva: „%3”).")
                                          .arg(MinPlanMonths)
                                          .arg(MaxPlanMonths)
                                          .arg(parser.value(MonthsOption))});
    return count;
}

Expected<PlanFilter, CommandRefusal> filterOf(const QCommandLineParser &parser)
{
    PlanFilter filter;
    const QString sex = parser.isSet(SexOption) ? parser.value(SexOption).trimmed().toLower() : QStringLiteral("any");
    if (sex == QLatin1String("boy"))
        filter.sex = DayClass::PhaseBoy;
    else if (sex == QLatin1String("girl"))
        filter.sex = DayClass::PhaseGirl;
    else if (sex != QLatin1String("any"))
        return Refusal(CommandRefusal{
            QStringLiteral("A --sex értéke boy, girl vagy any lehet (megadva: „%1”).").arg(parser.value(SexOption))});
    return filter;
}

} // namespace

void AddPlanOptions(QCommandLineParser &parser)
{
    parser.addOptions({
        {FromOption, QStringLiteral("plan: az időszak első napja (alapértelmezés: a mai nap)."),
         QStringLiteral("ÉÉÉÉ-HH-NN")},
        {MonthsOption,
         QStringLiteral("plan: az időszak hossza hónapokban, %1 és %2 között (alapértelmezés: %3).")
             .arg(MinPlanMonths)
             .arg(MaxPlanMonths)
             .arg(DefaultPlanMonths),
         QStringLiteral("hónap")},
        {SexOption, QStringLiteral("plan: csak a fiú (boy) vagy a lány (girl) holdfázis napok; any: mind."),
         QStringLiteral("boy|girl|any")},
    });
}

bool PlanOptionSet(const QCommandLineParser &parser)
{
    return parser.isSet(FromOption) || parser.isSet(MonthsOption) || parser.isSet(SexOption);
}

Expected<PlanCommandRequest, CommandRefusal> PlanRequestOf(const QCommandLineParser &parser, AtlasSource &atlas,
                                                           const QDate &today)
{
    if (parser.isSet(QStringLiteral("year")))
        return Refusal(CommandRefusal{QStringLiteral("A plan parancs mellett nem adható meg a --year kapcsoló: az "
                                                     "időszakot a --from és a --months adja.")});
    PlanCommandRequest request;
    const Expected<QDate, CommandRefusal> from = fromDate(parser, today);
    if (!from)
        return Refusal(from.error());
    request.from = *from;
    const Expected<int, CommandRefusal> count = months(parser);
    if (!count)
        return Refusal(count.error());
    request.months = *count;
    const Expected<PlanFilter, CommandRefusal> filter = filterOf(parser);
    if (!filter)
        return Refusal(filter.error());
    request.filter = *filter;
    Expected<ExportRequest, CommandRefusal> base = ExportRequestOf(parser, atlas, CommandKind::Plan);
    if (!base)
        return Refusal(base.error());
    request.birthAndFile = std::move(*base);
    // The birth is checked with the first year of the span as its calendar year.
    request.birthAndFile.calendarYearText = QString::number(request.from.year());
    return request;
}

ExitStatus RunPlanCommand(const PlanCommandRequest &request, Ephemeris &ephemeris, AtlasSource &atlas, QTextStream &out,
                          QTextStream &err)
{
    const ExportRequest &file = request.birthAndFile;
    const auto refuse = [&err](const QString &message) {
        err << message << Qt::endl;
        return ExitRefused;
    };
    const Expected<CheckedRun, QString> run = CheckedRunOf(file);
    if (!run)
        return refuse(run.error());
    const CalendarOrder order =
        CalendarOrderOf(*run, file.calendarYearText, ResidenceZoneId(atlas, file.residence), file.cycle, file.eventKey);
    const Expected<PlanResult, PlanFailure> plan = RunPlan({order.request, request.from, request.months}, ephemeris);
    if (!plan) {
        CalendarRequest failed = order.request;
        failed.year = plan.error().year;
        const QString message = RunFailureMessage(plan.error().failure, failed);
        if (plan.error().failure == RunFailure::BirthBeyondEphemeris && !file.birth.chartFile.isEmpty())
            return refuse(QStringLiteral("A(z) %1 fájl egyik adata hibás: %2")
                              .arg(QFileInfo(file.birth.chartFile).fileName(), message));
        return refuse(message);
    }
    const PlanDocument document{order.heading, order.personIdentity, *plan, request.filter};
    const Expected<QByteArray, QString> bytes = PlanFileBytes(document, file.format, file.ics);
    if (!bytes)
        return refuse(QStringLiteral("A lista nem menthető: %1.").arg(bytes.error()));
    const WriteResult written = file.outputPath == StandardOutputPath ? WriteStandardOutput(*bytes)
                                                                      : WriteFileAtomically(file.outputPath, *bytes);
    if (!written)
        return refuse(written.error());
    if (file.outputPath != StandardOutputPath)
        out << ChartLines(plan->natal) << Qt::flush;
    return ExitSuccess;
}

} // namespace ferolune
