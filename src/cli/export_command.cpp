#include "cli/export_command.h"

#include "core/calendar/calendar_model.h"
#include "core/calendar/calendar_run.h"
#include "core/calendar/run_fields.h"
#include "core/calendar/run_messages.h"
#include "core/chart/birth_fields.h"
#include "core/chart/ephemeris.h"
#include "core/chart/field_rules.h"
#include "core/chart/natal_chart.h"
#include "io/chartfile/chart_file.h"
#include "io/export/calendar_file.h"
#include "io/page/calendar_page.h"
#include "io/persons/person_file.h"
#include "core/places/atlas_source.h"
#include "core/places/birth_place.h"
#include "core/places/place_option.h"

#include <QCommandLineParser>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringList>
#include <QTextStream>

#include <optional>
#include <variant>

namespace ferolune {

namespace {

const QString PlaceOption = QStringLiteral("place");
const QString ResidenceOption = QStringLiteral("residence");
const QString DiscreetOption = QStringLiteral("discreet");
const QString RemindOption = QStringLiteral("remind");
const QString UncertaintyOption = QStringLiteral("uncertainty");
const QStringList BirthOptions = {QStringLiteral("date"), QStringLiteral("time"), QStringLiteral("zone"),
                                  QStringLiteral("lon"), QStringLiteral("lat")};
// A birthplace gives the coordinates, and the zone unless one is given.
const QStringList PlacedBirthOptions = {QStringLiteral("date"), QStringLiteral("time")};
const QStringList OptionsThePlaceGives = {QStringLiteral("lon"), QStringLiteral("lat")};

QString dashed(const QString &option)
{
    return (option.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + option;
}

// The parts of an option's value in its form, or the message that shows the form.
QStringList partsOf(const QCommandLineParser &parser, const QString &option, const QString &pattern,
                    const QString &form, const QString &example)
{
    const QString value = parser.value(option).trimmed();
    const QRegularExpression expression(QStringLiteral("^%1$").arg(pattern),
                                        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = expression.match(value);
    if (!match.hasMatch())
        throw CommandRefusal{QStringLiteral("A %1 értéke %2 alakú legyen, például %3 (megadva: „%4”).")
                          .arg(dashed(option), form, example, value)};
    return match.capturedTexts().mid(1);
}

// The birth fields as the main window holds them once these values are typed in: the
// visible hour sets the hidden 12-hour pair, the zone is kept as typed (summer time
// included, so the summer-time box stays clear), the hemispheres are chosen by letter.
BirthData typedBirthFields(const QCommandLineParser &parser)
{
    BirthData fields;
    const QStringList date = partsOf(parser, QStringLiteral("date"), QStringLiteral("(-?\\d+)-(\\d+)-(\\d+)"),
                                     QStringLiteral("ÉÉÉÉ-HH-NN"), QStringLiteral("1988-07-14"));
    fields.txtYear = date[0];
    fields.txtMonth = date[1];
    fields.txtDay = date[2];
    const QStringList time = partsOf(parser, QStringLiteral("time"), QStringLiteral("(\\d+):([\\d.]+)"),
                                     QStringLiteral("ÓÓ:PP"), QStringLiteral("09:35"));
    fields.Text1 = time[0];
    Hour24To12(fields);
    fields.txtBirthMinute = time[1];
    fields.txtTZ = parser.value(QStringLiteral("zone")).trimmed();
    fields.Check1 = 0;
    if (parser.isSet(PlaceOption))
        return fields;
    const QStringList lon = partsOf(parser, QStringLiteral("lon"), QStringLiteral("(\\d+)([EW])(\\d+)"),
                                    QStringLiteral("FFEPP vagy FFWPP"), QStringLiteral("19E03"));
    fields.txtLongDeg = lon[0];
    fields.optEast = lon[1].toUpper() == QLatin1String("E");
    fields.txtLongMin = lon[2];
    const QStringList lat = partsOf(parser, QStringLiteral("lat"), QStringLiteral("(\\d+)([NS])(\\d+)"),
                                    QStringLiteral("FFNPP vagy FFSPP"), QStringLiteral("47N30"));
    fields.txtLatDeg = lat[0];
    fields.optSouth = lat[1].toUpper() == QLatin1String("S");
    fields.txtLatMin = lat[2];
    return fields;
}

// The person after the file is opened in a freshly started main window. A saved person is
// the fields and the cycle as they were saved; a chart file's hemisphere choices, which the
// file does not hold, stay east and north, and it brings no cycle.
SavedPerson chartFilePerson(const QString &path)
{
    if (path.trimmed().isEmpty())
        throw CommandRefusal{QStringLiteral("A --chart értéke egy asztrógram (*.hvs) vagy mentett személy "
                                            "(*.ferolune) fájl neve legyen.")};
    if (IsPersonFilePath(path)) {
        const PersonFileRead person = ReadPersonFile(path);
        if (!person.person)
            throw CommandRefusal{person.message, ExitRefused};
        return *person.person;
    }
    const ChartFileImport file = ReadChartFile(path);
    if (!file.values)
        throw CommandRefusal{file.message, ExitRefused}; // as the window refuses the file
    BirthData fields;
    ApplyChartFile(fields, *file.values);
    return fields;
}

const QString PeriodOption = QStringLiteral("period");
const QString ShortestOption = QStringLiteral("shortest");
const QString LongestOption = QStringLiteral("longest");

int cycleLength(const QCommandLineParser &parser, const QString &option)
{
    bool ok = false;
    const int length = parser.value(option).trimmed().toInt(&ok);
    if (!ok)
        throw CommandRefusal{QStringLiteral("A %1 értéke egész szám legyen, a napok száma (megadva: „%2”).")
                                 .arg(dashed(option), parser.value(option)),
                             ExitRefused};
    return length;
}

// The cycle of the options over the one a saved person brings: --period gives all the
// starts in place of hers, --shortest and --longest her usual lengths. Every refusal ends
// with status 1 as the window's refusals do; a start or length gets the cycle window's
// message.
CycleHistory cycleOf(const QCommandLineParser &parser, CycleHistory cycle)
{
    if (parser.isSet(PeriodOption)) {
        cycle.periodStarts.clear();
        for (const QString &value : parser.values(PeriodOption)) {
            const QString text = value.trimmed();
            const QDate start = text.size() == 10 ? QDate::fromString(text, Qt::ISODate) : QDate();
            if (!start.isValid())
                throw CommandRefusal{QStringLiteral("A --period értéke ÉÉÉÉ-HH-NN alakú, létező nap legyen, például "
                                                    "2026-01-05 (megadva: „%1”).")
                                         .arg(value),
                                     ExitRefused};
            cycle.periodStarts.push_back(start);
        }
    }
    if (parser.isSet(ShortestOption))
        cycle.usualShortest = cycleLength(parser, ShortestOption);
    if (parser.isSet(LongestOption))
        cycle.usualLongest = cycleLength(parser, LongestOption);
    // Starts typed here are checked as the window checks typed ones; a saved person's as
    // the window opens her.
    const std::optional<QString> problem = parser.isSet(PeriodOption)
                                               ? CycleHistoryProblem(cycle, QDate::currentDate())
                                               : KeptCycleHistoryProblem(cycle);
    if (problem)
        throw CommandRefusal{*problem, ExitRefused};
    return cycle;
}

void refuseTogether(const QCommandLineParser &parser, const QString &option, const QStringList &others,
                    const QString &why)
{
    for (const QString &other : others)
        if (parser.isSet(other))
            throw CommandRefusal{QStringLiteral("A %1 mellett nem adható meg a %2 kapcsoló: %3")
                                     .arg(dashed(option), dashed(other), why)};
}

void requireOptions(const QCommandLineParser &parser, bool fromChartFile)
{
    QStringList required = {QStringLiteral("year"), QStringLiteral("o")};
    if (!fromChartFile)
        required = (parser.isSet(PlaceOption) ? PlacedBirthOptions : BirthOptions) + required;
    QStringList missing;
    for (const QString &option : required)
        if (!parser.isSet(option))
            missing << dashed(option);
    if (!missing.isEmpty())
        throw CommandRefusal{QStringLiteral("Hiányzó kapcsoló: %1. Segítség: ferolune-cli --help")
                          .arg(missing.join(QStringLiteral(", ")))};
    if (!fromChartFile) {
        if (parser.isSet(PlaceOption))
            refuseTogether(parser, PlaceOption, OptionsThePlaceGives, QStringLiteral("a koordinátákat a hely adja."));
        return;
    }
    refuseTogether(parser, QStringLiteral("chart"), BirthOptions + QStringList{PlaceOption},
                   QStringLiteral("a születési adatok a fájlból jönnek."));
}

ExportFormat formatOf(const QCommandLineParser &parser, const QString &path)
{
    if (parser.isSet(QStringLiteral("format"))) {
        const QString name = parser.value(QStringLiteral("format"));
        if (const std::optional<ExportFormat> format = FormatOfName(name))
            return *format;
        throw CommandRefusal{QStringLiteral("A --format értéke pdf, ics vagy csv lehet (megadva: „%1”).").arg(name)};
    }
    if (const std::optional<ExportFormat> format = FormatOfPath(path))
        return *format;
    if (path == StandardOutputPath)
        throw CommandRefusal{QStringLiteral("A szabványos kimenetre (-o -) írt naptár formátumát a --format kapcsoló "
                                            "adja meg: pdf, ics vagy csv.")};
    throw CommandRefusal{QStringLiteral("A(z) %1 fájl nevéből nem derül ki a formátum: adjon meg .pdf, .ics vagy .csv "
                                 "kiterjesztést, vagy a --format kapcsolót.")
                      .arg(path)};
}

// --discreet and --remind shape an .ics and nothing else.
IcsOptions icsOptionsOf(const QCommandLineParser &parser, ExportFormat format)
{
    IcsOptions options;
    options.discreet = parser.isSet(DiscreetOption);
    if (parser.isSet(RemindOption)) {
        const QString hours = partsOf(parser, RemindOption, QStringLiteral("(-?\\d{1,9})"), QStringLiteral("egész óra"),
                                      QStringLiteral("24"))
                                  .front();
        if (const QString problem = ReminderHoursProblem(hours.toInt()); !problem.isEmpty())
            throw CommandRefusal{problem, ExitRefused};
        options.reminderHours = hours.toInt();
    }
    if ((options.discreet || options.reminderHours) && format != ExportFormat::Ics)
        throw CommandRefusal{QStringLiteral("A --discreet és a --remind csak iCalendar (.ics) naptárhoz adható meg.")};
    return options;
}

const Atlas &programAtlas()
{
    AtlasSource &source = AtlasSource::shared();
    if (const Atlas *atlas = source.waitForAtlas())
        return *atlas;
    throw CommandRefusal{source.error(), ExitRefused};
}

Place namedPlace(const QCommandLineParser &parser, const QString &option, PlaceChoice &choice)
{
    const Atlas &atlas = programAtlas();
    const std::variant<PlaceId, QString> found = FindNamedPlace(atlas, parser.value(option).trimmed(), dashed(option));
    if (const QString *message = std::get_if<QString>(&found))
        throw CommandRefusal{*message, ExitRefused};
    const PlaceId id = std::get<PlaceId>(found);
    choice = {atlas.displayText(id), atlas.place(id).geonameId};
    return atlas.place(id);
}

// A saved person's places are used only as places of the atlas, as the window requires
// before a run; a --residence given replaces the file's.
void checkSavedPlaces(const QCommandLineParser &parser, const BirthData &fields)
{
    std::vector<std::pair<PlaceChoice, QString>> places = {{fields.birthPlace, BirthPlaceLabel}};
    if (!parser.isSet(ResidenceOption))
        places.emplace_back(fields.residence, ResidenceLabel);
    for (const auto &[place, label] : places) {
        if (place.text.trimmed().isEmpty() && place.geonameId == 0)
            continue;
        const Atlas &atlas = programAtlas();
        if (place.geonameId != 0 && atlas.findGeonameId(place.geonameId))
            continue;
        throw CommandRefusal{PlaceFieldMessage(atlas, place.text, label), ExitRefused};
    }
}

// The birthplace fills the coordinates and, unless --zone is given, the zone in force
// there at the birth moment; a moment its history does not settle is refused as the
// window refuses it, and --zone settles it.
void applyBirthPlace(const QCommandLineParser &parser, ExportRequest &request)
{
    const Place place = namedPlace(parser, PlaceOption, request.fields.birthPlace);
    ApplyPlaceCoordinates(request.fields, place);
    // A date or clock time that never was gets its field's message from the run's check,
    // with or without --zone.
    if (parser.isSet(QStringLiteral("zone")) || FindBirthMomentProblem(request.fields))
        return;
    const ZoneAt zone = ZoneAtBirth(place, request.fields);
    if (zone.kind == LocalTimeKind::Unique) {
        ApplyZoneReading(request.fields, zone.readings.front());
        return;
    }
    throw CommandRefusal{ZoneProblemAtBirth(place, request.fields, zone) +
                             QStringLiteral(" Az időzóna a --zone kapcsolóval adható meg."),
                         ExitRefused};
}

// A run's calendar as the window's controller computes it, with its messages.
struct ComputedCalendar {
    NatalChart natal;
    CalendarModel model;
};

std::variant<ComputedCalendar, FieldProblem> computeCalendar(const CalendarRun &run, Ephemeris &ephemeris)
{
    ComputedCalendar computed;
    try {
        computed.natal = ComputeNatalChart(run.birth, ephemeris);
    } catch (const EphemerisError &) {
        const QString year = controlName(Field::txtYear);
        return FieldProblem{year, year, BirthDateBeyondEphemerisMessage(run.birth.year)};
    }
    CalendarRequest request = run.calendar;
    try {
        SetNatalAngles(request, computed.natal, run.birth,
                       [&ephemeris](const BirthRecord &birth) { return ComputeNatalChart(birth, ephemeris); });
    } catch (const EphemerisError &) {
        const QString year = controlName(Field::txtYear);
        return FieldProblem{year, year, BirthDateBeyondEphemerisMessage(run.birth.year)};
    }
    try {
        computed.model = *ComputeYearCalendar(request, ephemeris);
    } catch (const EphemerisError &) {
        const QString year = controlName(Field::Text3);
        return FieldProblem{year, year, CalendarYearBeyondEphemerisMessage(request.year)};
    }
    return computed;
}

// The PDF is the page the calendar window shows and prints.
WriteResult writeCalendar(const ExportRequest &request, const CalendarRun &run, const ComputedCalendar &computed)
{
    QByteArray bytes;
    if (request.format == ExportFormat::Pdf) {
        bytes = CalendarPdf(PageOfRun(run.heading, computed.natal.text(), AngleCaption(computed.natal), computed.model));
        if (bytes.isEmpty())
            return {QStringLiteral("A naptár nem menthető: a PDF oldal nem készíthető el.")};
    } else {
        bytes = TextFileOf(CalendarExportOf(run.heading.name, run.personIdentity, run.calendar.year, computed.natal,
                                            computed.model),
                           request.format, request.ics);
    }
    if (request.outputPath == StandardOutputPath)
        return WriteStandardOutput(bytes);
    return WriteFileAtomically(request.outputPath, bytes);
}

// The five chart lines of the birth-data box and its angle caption, one a line.
QString chartLines(const NatalChart &natal)
{
    QString lines;
    for (const QString &line : natal.lines)
        lines += line + QLatin1Char('\n');
    return lines + AngleCaption(natal) + QLatin1Char('\n');
}

} // namespace

void AddExportOptions(QCommandLineParser &parser)
{
    parser.addOptions({
        {QStringLiteral("name"), QStringLiteral("A személy neve (ha nincs megadva: Ismeretlen)."), QStringLiteral("név")},
        {QStringLiteral("date"), QStringLiteral("A születés dátuma."), QStringLiteral("ÉÉÉÉ-HH-NN")},
        {QStringLiteral("time"), QStringLiteral("A születés ideje, 24 órás helyi idő."), QStringLiteral("ÓÓ:PP")},
        {QStringLiteral("zone"),
         QStringLiteral("Időzóna órában, Greenwichtől keletre negatív, a nyári idővel együtt (például -2)."),
         QStringLiteral("óra")},
        {QStringLiteral("lon"), QStringLiteral("Földrajzi hosszúság: 19E03 (kelet) vagy 71W04 (nyugat)."),
         QStringLiteral("FFEPP")},
        {QStringLiteral("lat"), QStringLiteral("Földrajzi szélesség: 47N30 (észak) vagy 33S55 (dél)."),
         QStringLiteral("FFNPP")},
        {PlaceOption,
         QStringLiteral("A születési hely a helységnévtárból (például Budapest): a --lon és a --lat helyett, és "
                        "ha nincs megadva, a --zone helyett is, a hely akkori időzónájával."),
         QStringLiteral("hely")},
        {ResidenceOption,
         QStringLiteral("A lakóhely a helységnévtárból: a naptár napjai és órái az ottani helyi idő szerint, "
                        "nyári időszámítással."),
         QStringLiteral("hely")},
        {QStringLiteral("chart"),
         QStringLiteral("Asztrógram (*.hvs) vagy mentett személy (*.ferolune) a születési kapcsolók helyett."),
         QStringLiteral("fájl")},
        {QStringLiteral("year"), QStringLiteral("A naptár éve."), QStringLiteral("év")},
        {PeriodOption,
         QStringLiteral("Egy vérzés kezdete (a vérzés első napja), ismételhető: a menstruációs ciklus a naptármódszer "
                        "(Knaus–Ogino) szerint kerül a naptárra. Mentett személy (--chart) mellett a fájlban "
                        "rögzített kezdetek helyére lép."),
         QStringLiteral("ÉÉÉÉ-HH-NN")},
        {ShortestOption,
         QStringLiteral("A szokásos legrövidebb ciklus napjai, 20 és 45 között (alapértelmezés: 26, mentett személynél "
                        "a fájlbeli)."),
         QStringLiteral("nap")},
        {LongestOption,
         QStringLiteral("A szokásos leghosszabb ciklus napjai, 20 és 45 között (alapértelmezés: 32, mentett személynél "
                        "a fájlbeli)."),
         QStringLiteral("nap")},
        {UncertaintyOption,
         QStringLiteral("A születési idő bizonytalansága percben, mindkét irányban (0–180, alapérték 0): a "
                        "bizonytalan napok és a pontos visszatérések tartománya."),
         QStringLiteral("perc")},
        {{QStringLiteral("o"), QStringLiteral("output")},
         QStringLiteral("A kimeneti fájl; a formátuma a kiterjesztéséből: .pdf, .ics vagy .csv."),
         QStringLiteral("fájl")},
        {QStringLiteral("format"), QStringLiteral("A formátum a kiterjesztés helyett: pdf, ics vagy csv."),
         QStringLiteral("formátum")},
        {DiscreetOption,
         QStringLiteral("Diszkrét iCalendar naptár: semleges „●” (holdfázis nap), „○” (termékeny nap), „◇” (a "
                        "ciklus termékeny időszaka) és „◆” (várható vérzés) bejegyzések, név, születési adat és "
                        "leírás nélkül.")},
        {RemindOption, QStringLiteral("Emlékeztető az iCalendar naptár minden bejegyzése előtt ennyi órával (0–168)."),
         QStringLiteral("óra")},
    });
}

std::variant<ExportRequest, CommandRefusal> ExportRequestOf(const QCommandLineParser &parser)
{
    try {
        const bool fromChartFile = parser.isSet(QStringLiteral("chart"));
        requireOptions(parser, fromChartFile);
        ExportRequest request;
        request.chartFile = fromChartFile ? parser.value(QStringLiteral("chart")) : QString();
        const SavedPerson person = fromChartFile ? chartFilePerson(request.chartFile) : SavedPerson(typedBirthFields(parser));
        request.fields = person.fields;
        request.eventKey = person.eventKey;
        request.cycle = cycleOf(parser, person.cycle);
        if (fromChartFile) // a chart file names no place; a saved person may
            checkSavedPlaces(parser, request.fields);
        if (parser.isSet(QStringLiteral("name")))
            request.fields.txtName = parser.value(QStringLiteral("name"));
        // A year only as a whole number: "2027.5" or "1e3" is no year.
        request.calendarYearText = partsOf(parser, QStringLiteral("year"), QStringLiteral("(\\d+)"),
                                           QStringLiteral("ÉÉÉÉ"), QStringLiteral("2027"))
                                       .front();
        // A number is taken as typed into "± PERC"; its bounds are the run's check.
        if (parser.isSet(UncertaintyOption))
            request.fields.txtUncertainty = partsOf(parser, UncertaintyOption, QStringLiteral("(-?\\d+)"),
                                                    QStringLiteral("PERC"), QStringLiteral("15"))
                                                .front();
        if (parser.isSet(PlaceOption))
            applyBirthPlace(parser, request);
        if (parser.isSet(ResidenceOption))
            namedPlace(parser, ResidenceOption, request.fields.residence);
        request.outputPath = parser.value(QStringLiteral("o"));
        request.format = formatOf(parser, request.outputPath);
        request.ics = icsOptionsOf(parser, request.format);
        return request;
    } catch (const CommandRefusal &refusal) {
        return refusal;
    }
}

ExitStatus RunExport(const ExportRequest &request, Ephemeris &ephemeris, QTextStream &out, QTextStream &err)
{
    const auto refuse = [&err](const QString &message) {
        err << message << Qt::endl;
        return ExitRefused;
    };
    // A birth field read from a file is named with the file; the calendar year is an
    // option of its own.
    const auto refuseField = [&](const FieldProblem &problem) {
        if (request.chartFile.isEmpty() || problem.field == controlName(Field::Text3))
            return refuse(problem.message);
        return refuse(QStringLiteral("A(z) %1 fájl egyik adata hibás: %2")
                          .arg(QFileInfo(request.chartFile).fileName(), problem.message));
    };
    // A run never starts with a field it cannot read or a birth that never was.
    const std::variant<CalendarRun, FieldProblem> run =
        CalendarRunOf(request.fields, request.calendarYearText, AtlasResidenceZones(AtlasSource::shared()),
                      request.cycle, request.eventKey);
    if (const FieldProblem *problem = std::get_if<FieldProblem>(&run))
        return refuseField(*problem);
    const std::variant<ComputedCalendar, FieldProblem> computed =
        computeCalendar(std::get<CalendarRun>(run), ephemeris);
    if (const FieldProblem *problem = std::get_if<FieldProblem>(&computed))
        return refuseField(*problem);
    const ComputedCalendar &calendar = std::get<ComputedCalendar>(computed);
    if (const WriteResult written = writeCalendar(request, std::get<CalendarRun>(run), calendar); !written.ok())
        return refuse(written.error);
    // Standard output that carries the calendar carries nothing else.
    if (request.outputPath != StandardOutputPath)
        out << chartLines(calendar.natal) << Qt::flush;
    return ExitSuccess;
}

} // namespace ferolune
