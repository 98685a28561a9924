#include "cli/export_command.h"

#include "core/calendar/calendar_run.h"
#include "core/chart/ephemeris.h"
#include "core/common/number_rules.h"
#include "core/places/atlas_source.h"
#include "core/places/place_option.h"
#include "io/chartfile/chart_file.h"
#include "io/export/calendar_document.h"
#include "io/form/place_fields.h"
#include "io/form/read_birth_form.h"
#include "io/persons/person_file.h"
#include "io/texts/calendar_texts.h"

#include <QCommandLineParser>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringList>
#include <QTextStream>

#include <algorithm>
#include <cmath>

namespace ferolune {

namespace {

const QString PlaceOption = QStringLiteral("place");
const QString ResidenceOption = QStringLiteral("residence");
const QString DiscreetOption = QStringLiteral("discreet");
const QString RemindOption = QStringLiteral("remind");
const QString UncertaintyOption = QStringLiteral("uncertainty");
const QString PeriodOption = QStringLiteral("period");
const QString ShortestOption = QStringLiteral("shortest");
const QString LongestOption = QStringLiteral("longest");
const QStringList BirthOptions = {QStringLiteral("date"), QStringLiteral("time"), QStringLiteral("zone"),
                                  QStringLiteral("lon"), QStringLiteral("lat")};
// A birthplace gives the coordinates, and the zone unless one is given.
const QStringList PlacedBirthOptions = {QStringLiteral("date"), QStringLiteral("time")};
const QStringList OptionsThePlaceGives = {QStringLiteral("lon"), QStringLiteral("lat")};

using Refusal = Unexpected<CommandRefusal>;

QString dashed(const QString &option)
{
    return (option.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + option;
}

Refusal refused(const QString &message, ExitStatus status = ExitUsage)
{
    return Refusal(CommandRefusal{message, status});
}

// The parts of an option's value in its form, or the message that shows the form.
Expected<QStringList, CommandRefusal> partsOf(const QCommandLineParser &parser, const QString &option,
                                              const QString &pattern, const QString &form, const QString &example)
{
    const QString value = parser.value(option).trimmed();
    const QRegularExpression expression(QStringLiteral("^%1$").arg(pattern),
                                        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = expression.match(value);
    if (!match.hasMatch())
        return refused(QStringLiteral("A %1 értéke %2 alakú legyen, például %3 (megadva: „%4”).")
                           .arg(dashed(option), form, example, value));
    return match.capturedTexts().mid(1);
}

// A number of an option's value, by the program's number rules: "-5.5", on a Hungarian
// desktop "-5,5" too.
Expected<double, CommandRefusal> numberOf(const QCommandLineParser &parser, const QString &option, const QString &text,
                                          const QString &example)
{
    const Expected<double, RunError> value = convertToNumber(text);
    if (!value)
        return refused(QStringLiteral("A %1 értéke szám legyen, például %2 (megadva: „%3”).")
                           .arg(dashed(option), example, parser.value(option).trimmed()));
    return *value;
}

// The birth the options give as numbers: the date, the clock time on the 24-hour clock,
// the zone (summer time included) and the coordinates with their sides. With --place the
// coordinates, and the zone unless given, come from the place later.
Expected<BirthNumbers, CommandRefusal> typedBirth(const QCommandLineParser &parser)
{
    BirthNumbers birth;
    birth.name = QStringLiteral("Ismeretlen");
    const auto date = partsOf(parser, QStringLiteral("date"), QStringLiteral("(-?\\d+)-(\\d+)-(\\d+)"),
                              QStringLiteral("ÉÉÉÉ-HH-NN"), QStringLiteral("1988-07-14"));
    if (!date)
        return Refusal(date.error());
    birth.year = (*date)[0].toDouble();
    birth.month = (*date)[1].toDouble();
    birth.day = (*date)[2].toDouble();
    const auto time = partsOf(parser, QStringLiteral("time"), QStringLiteral("(\\d+):(\\d+(?:\\.\\d+)?)"),
                              QStringLiteral("ÓÓ:PP"), QStringLiteral("09:35"));
    if (!time)
        return Refusal(time.error());
    birth.hour = (*time)[0].toDouble();
    birth.minute = (*time)[1].toDouble();
    if (parser.isSet(QStringLiteral("zone"))) {
        const auto zone = numberOf(parser, QStringLiteral("zone"), parser.value(QStringLiteral("zone")).trimmed(),
                                   QStringLiteral("-1"));
        if (!zone)
            return Refusal(zone.error());
        birth.zoneHours = *zone;
    }
    if (parser.isSet(PlaceOption))
        return birth;
    const auto lon = partsOf(parser, QStringLiteral("lon"), QStringLiteral("(\\d+)([EW])(\\d+)"),
                             QStringLiteral("FFEPP vagy FFWPP"), QStringLiteral("19E03"));
    if (!lon)
        return Refusal(lon.error());
    birth.longitude = {(*lon)[0].toDouble(), (*lon)[2].toDouble()};
    birth.east = (*lon)[1].toUpper() == QLatin1String("E");
    const auto lat = partsOf(parser, QStringLiteral("lat"), QStringLiteral("(\\d+)([NS])(\\d+)"),
                             QStringLiteral("FFNPP vagy FFSPP"), QStringLiteral("47N30"));
    if (!lat)
        return Refusal(lat.error());
    birth.latitude = {(*lat)[0].toDouble(), (*lat)[2].toDouble()};
    birth.north = (*lat)[1].toUpper() == QLatin1String("N");
    return birth;
}

// The person after the file is opened in a freshly started main window. A saved person is
// the fields and the cycle as they were saved; a chart file's hemisphere choices, which the
// file does not hold, stay east and north, and it brings no cycle.
Expected<SavedPerson, CommandRefusal> chartFilePerson(const QString &path)
{
    if (path.trimmed().isEmpty())
        return refused(QStringLiteral("A --chart értéke egy asztrógram (*.hvs) vagy mentett személy "
                                      "(*.ferolune) fájl neve legyen."));
    if (IsPersonFilePath(path)) {
        Expected<SavedPerson, QString> person = ReadPersonFile(path);
        if (!person)
            return refused(person.error(), ExitRefused);
        return std::move(*person);
    }
    const Expected<ChartFileValues, ChartFileRefusal> file = ReadChartFile(path);
    if (!file)
        return refused(file.error().message, ExitRefused); // as the window refuses the file
    SavedPerson person;
    ApplyChartFile(person.form, *file);
    return person;
}

Expected<int, CommandRefusal> cycleLength(const QCommandLineParser &parser, const QString &option)
{
    bool ok = false;
    const int length = parser.value(option).trimmed().toInt(&ok);
    if (!ok)
        return refused(QStringLiteral("A %1 értéke egész szám legyen, a napok száma (megadva: „%2”).")
                           .arg(dashed(option), parser.value(option)),
                       ExitRefused);
    return length;
}

// The cycle of the options over the one a saved person brings: --period gives all the
// starts in place of hers, --shortest and --longest her usual lengths. Every refusal ends
// with status 1 as the window's refusals do; a start or length gets the cycle window's
// message.
Expected<CycleHistory, CommandRefusal> cycleOf(const QCommandLineParser &parser, CycleHistory cycle)
{
    if (parser.isSet(PeriodOption)) {
        cycle.periodStarts.clear();
        for (const QString &value : parser.values(PeriodOption)) {
            const QString text = value.trimmed();
            const QDate start = text.size() == 10 ? QDate::fromString(text, Qt::ISODate) : QDate();
            if (!start.isValid())
                return refused(QStringLiteral("A --period értéke ÉÉÉÉ-HH-NN alakú, létező nap legyen, például "
                                              "2026-01-05 (megadva: „%1”).")
                                   .arg(value),
                               ExitRefused);
            cycle.periodStarts.push_back(start);
        }
    }
    for (const auto &[option, member] : {std::pair{ShortestOption, &CycleHistory::usualShortest},
                                         std::pair{LongestOption, &CycleHistory::usualLongest}}) {
        if (!parser.isSet(option))
            continue;
        const Expected<int, CommandRefusal> length = cycleLength(parser, option);
        if (!length)
            return Refusal(length.error());
        cycle.*member = *length;
    }
    // Starts typed here are checked as the window checks typed ones; a saved person's as
    // the window opens her.
    const std::optional<QString> problem = parser.isSet(PeriodOption)
                                               ? CycleHistoryProblem(cycle, QDate::currentDate())
                                               : KeptCycleHistoryProblem(cycle);
    if (problem)
        return refused(*problem, ExitRefused);
    return cycle;
}

std::optional<CommandRefusal> refuseTogether(const QCommandLineParser &parser, const QString &option,
                                             const QStringList &others, const QString &why)
{
    for (const QString &other : others)
        if (parser.isSet(other))
            return CommandRefusal{QStringLiteral("A %1 mellett nem adható meg a %2 kapcsoló: %3")
                                      .arg(dashed(option), dashed(other), why)};
    return std::nullopt;
}

std::optional<CommandRefusal> missingOptions(const QCommandLineParser &parser, bool fromChartFile,
                                             CommandKind command)
{
    // A plan's span is --from and --months, which have defaults.
    QStringList required = {QStringLiteral("o")};
    if (command == CommandKind::Export)
        required.prepend(QStringLiteral("year"));
    if (!fromChartFile)
        required = (parser.isSet(PlaceOption) ? PlacedBirthOptions : BirthOptions) + required;
    QStringList missing;
    for (const QString &option : required)
        if (!parser.isSet(option))
            missing << dashed(option);
    if (!missing.isEmpty())
        return CommandRefusal{QStringLiteral("Hiányzó kapcsoló: %1. Segítség: ferolune-cli --help")
                                  .arg(missing.join(QStringLiteral(", ")))};
    if (!fromChartFile) {
        if (parser.isSet(PlaceOption))
            return refuseTogether(parser, PlaceOption, OptionsThePlaceGives,
                                  QStringLiteral("a koordinátákat a hely adja."));
        return std::nullopt;
    }
    return refuseTogether(parser, QStringLiteral("chart"), BirthOptions + QStringList{PlaceOption},
                          QStringLiteral("a születési adatok a fájlból jönnek."));
}

Expected<ExportFormat, CommandRefusal> formatOf(const QCommandLineParser &parser, const QString &path)
{
    if (parser.isSet(QStringLiteral("format"))) {
        const QString name = parser.value(QStringLiteral("format"));
        if (const std::optional<ExportFormat> format = FormatOfName(name))
            return *format;
        return refused(QStringLiteral("A --format értéke pdf, ics vagy csv lehet (megadva: „%1”).").arg(name));
    }
    if (const std::optional<ExportFormat> format = FormatOfPath(path))
        return *format;
    if (path == StandardOutputPath)
        return refused(QStringLiteral("A szabványos kimenetre (-o -) írt naptár formátumát a --format kapcsoló "
                                      "adja meg: pdf, ics vagy csv."));
    return refused(QStringLiteral("A(z) %1 fájl nevéből nem derül ki a formátum: adjon meg .pdf, .ics vagy .csv "
                                  "kiterjesztést, vagy a --format kapcsolót.")
                       .arg(path));
}

// --discreet and --remind shape an .ics and nothing else.
Expected<IcsOptions, CommandRefusal> icsOptionsOf(const QCommandLineParser &parser, ExportFormat format)
{
    IcsOptions options;
    options.discreet = parser.isSet(DiscreetOption);
    if (parser.isSet(RemindOption)) {
        const auto hours = partsOf(parser, RemindOption, QStringLiteral("(-?\\d{1,9})"), QStringLiteral("egész óra"),
                                   QStringLiteral("24"));
        if (!hours)
            return Refusal(hours.error());
        if (const QString problem = ReminderHoursProblem(hours->front().toInt()); !problem.isEmpty())
            return refused(problem, ExitRefused);
        options.reminderHours = hours->front().toInt();
    }
    if ((options.discreet || options.reminderHours) && format != ExportFormat::Ics)
        return refused(QStringLiteral("A --discreet és a --remind csak iCalendar (.ics) naptárhoz adható meg."));
    return options;
}

Expected<const Atlas *, CommandRefusal> programAtlas(AtlasSource &source)
{
    if (const Atlas *atlas = source.waitForAtlas())
        return atlas;
    return refused(source.error(), ExitRefused);
}

// The place an option names, and the choice a place field would hold for it.
Expected<PlaceChoice, CommandRefusal> namedPlace(const QCommandLineParser &parser, const QString &option,
                                                 AtlasSource &source)
{
    const Expected<const Atlas *, CommandRefusal> atlas = programAtlas(source);
    if (!atlas)
        return Refusal(atlas.error());
    const Expected<PlaceId, QString> found = FindNamedPlace(**atlas, parser.value(option).trimmed(), dashed(option));
    if (!found)
        return refused(found.error(), ExitRefused);
    return PlaceChoice{(*atlas)->displayText(*found), (*atlas)->place(*found).geonameId};
}

// A saved person's places are used only as places of the atlas, as the window requires
// before a run; a --residence given replaces the file's.
std::optional<CommandRefusal> savedPlacesProblem(const QCommandLineParser &parser, const BirthForm &form,
                                                 AtlasSource &source)
{
    std::vector<std::pair<PlaceChoice, QString>> places = {{form.birthPlace, BirthPlaceLabel}};
    if (!parser.isSet(ResidenceOption))
        places.emplace_back(form.residence, ResidenceLabel);
    for (const auto &[place, label] : places) {
        if (place.text.trimmed().isEmpty() && place.geonameId == 0)
            continue;
        const Expected<const Atlas *, CommandRefusal> atlas = programAtlas(source);
        if (!atlas)
            return atlas.error();
        if (place.geonameId != 0 && (*atlas)->findGeonameId(place.geonameId))
            continue;
        return CommandRefusal{PlaceFieldMessage(**atlas, place.text, label), ExitRefused};
    }
    return std::nullopt;
}

// The birthplace gives the coordinates and, unless --zone is given, the zone in force
// there at the birth moment, as the window's zone field holds it; a moment its history
// does not settle is refused as the window refuses it, and --zone settles it.
std::optional<CommandRefusal> placeTheBirth(const QCommandLineParser &parser, BirthNumbers &birth, AtlasSource &source)
{
    const Expected<PlaceChoice, CommandRefusal> choice = namedPlace(parser, PlaceOption, source);
    if (!choice)
        return choice.error();
    birth.birthPlace = *choice;
    const Atlas &atlas = *source.atlas();
    const Place &place = atlas.place(*atlas.findGeonameId(choice->geonameId));
    const FieldValues values = fieldValues(place);
    birth.longitude = {double(values.longitudeDegrees), double(values.longitudeMinutes)};
    birth.east = values.east;
    birth.latitude = {double(values.latitudeDegrees), double(values.latitudeMinutes)};
    birth.north = values.north;
    // A date or clock time that never was gets its field's message from the run's check,
    // with or without --zone.
    if (parser.isSet(QStringLiteral("zone")) || FirstValueProblem(birth, BirthField::Minute))
        return std::nullopt;
    const QDate date(int(birth.year), int(birth.month), int(birth.day));
    const int hour = int(birth.hour), minute = int(std::trunc(birth.minute));
    const ZoneAt zone = zoneAt(place, date, hour, minute);
    if (zone.kind == LocalTimeKind::Unique) {
        birth.zoneHours = ZoneFieldHours(zone.readings.front().zoneHours);
        return std::nullopt;
    }
    return CommandRefusal{zoneProblemText(place, date, hour, minute, zone) +
                              QStringLiteral(" Az időzóna a --zone kapcsolóval adható meg."),
                          ExitRefused};
}

} // namespace

Expected<CheckedRun, QString> CheckedRunOf(const ExportRequest &request)
{
    const BirthSource &source = request.birth;
    Expected<CheckedRun, FieldProblem> run = Unexpected(FieldProblem{});
    if (source.typed) {
        BirthNumbers numbers = *source.typed;
        numbers.calendarYear = request.calendarYearText.toDouble();
        numbers.uncertaintyMinutes = request.uncertaintyMinutes.value_or(0);
        run = CheckRunNumbers(numbers);
    } else {
        BirthForm form = source.file;
        if (request.uncertaintyMinutes)
            form.uncertainty = QString::number(*request.uncertaintyMinutes);
        run = ReadRunForm(form, request.calendarYearText);
    }
    if (!run) {
        const FieldProblem &problem = run.error();
        if (source.chartFile.isEmpty() || problem.field == BirthField::CalendarYear)
            return Unexpected(problem.message);
        return Unexpected(QStringLiteral("A(z) %1 fájl egyik adata hibás: %2")
                              .arg(QFileInfo(source.chartFile).fileName(), problem.message));
    }
    if (request.name)
        run->birth.name = *request.name;
    run->birth.residence = request.residence;
    return std::move(*run);
}

QString ChartLines(const NatalChart &natal)
{
    QString lines;
    for (const QString &line : natal.lines)
        lines += line + QLatin1Char('\n');
    return lines + AngleCaption(natal) + QLatin1Char('\n');
}

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

Expected<ExportRequest, CommandRefusal> ExportRequestOf(const QCommandLineParser &parser, AtlasSource &atlas,
                                                        CommandKind command)
{
    const bool fromChartFile = parser.isSet(QStringLiteral("chart"));
    if (const std::optional<CommandRefusal> missing = missingOptions(parser, fromChartFile, command))
        return Refusal(*missing);
    ExportRequest request;
    SavedPerson person;
    if (fromChartFile) {
        request.birth.chartFile = parser.value(QStringLiteral("chart"));
        Expected<SavedPerson, CommandRefusal> file = chartFilePerson(request.birth.chartFile);
        if (!file)
            return Refusal(file.error());
        person = std::move(*file);
        request.birth.file = person.form;
    } else {
        Expected<BirthNumbers, CommandRefusal> typed = typedBirth(parser);
        if (!typed)
            return Refusal(typed.error());
        request.birth.typed = std::move(*typed);
    }
    request.eventKey = person.eventKey;
    Expected<CycleHistory, CommandRefusal> cycle = cycleOf(parser, person.cycle);
    if (!cycle)
        return Refusal(cycle.error());
    request.cycle = std::move(*cycle);
    if (fromChartFile) { // a chart file names no place; a saved person may
        if (const std::optional<CommandRefusal> problem = savedPlacesProblem(parser, person.form, atlas))
            return Refusal(*problem);
        request.residence = person.form.residence;
    }
    if (parser.isSet(QStringLiteral("name")))
        request.name = parser.value(QStringLiteral("name"));
    // A year only as a whole number: "2027.5" or "1e3" is no year.
    if (command == CommandKind::Export) {
        const auto year = partsOf(parser, QStringLiteral("year"), QStringLiteral("(\\d+)"), QStringLiteral("ÉÉÉÉ"),
                                  QStringLiteral("2027"));
        if (!year)
            return Refusal(year.error());
        request.calendarYearText = year->front();
    }
    // A number is taken as typed into "± PERC"; its bounds are the run's check.
    if (parser.isSet(UncertaintyOption)) {
        const auto minutes = partsOf(parser, UncertaintyOption, QStringLiteral("(-?\\d+)"), QStringLiteral("PERC"),
                                     QStringLiteral("15"));
        if (!minutes)
            return Refusal(minutes.error());
        request.uncertaintyMinutes = std::clamp(minutes->front().toLongLong(), -1LL, 1000000LL);
    }
    if (parser.isSet(PlaceOption))
        if (const std::optional<CommandRefusal> problem = placeTheBirth(parser, *request.birth.typed, atlas))
            return Refusal(*problem);
    if (parser.isSet(ResidenceOption)) {
        const Expected<PlaceChoice, CommandRefusal> residence = namedPlace(parser, ResidenceOption, atlas);
        if (!residence)
            return Refusal(residence.error());
        request.residence = *residence;
    }
    request.outputPath = parser.value(QStringLiteral("o"));
    const Expected<ExportFormat, CommandRefusal> format = formatOf(parser, request.outputPath);
    if (!format)
        return Refusal(format.error());
    request.format = *format;
    const Expected<IcsOptions, CommandRefusal> ics = icsOptionsOf(parser, request.format);
    if (!ics)
        return Refusal(ics.error());
    request.ics = *ics;
    return request;
}

ExitStatus RunExport(const ExportRequest &request, Ephemeris &ephemeris, AtlasSource &atlas, QTextStream &out,
                     QTextStream &err)
{
    const auto refuse = [&err](const QString &message) {
        err << message << Qt::endl;
        return ExitRefused;
    };
    // A run never starts with a value it cannot use or a birth that never was.
    const Expected<CheckedRun, QString> run = CheckedRunOf(request);
    if (!run)
        return refuse(run.error());
    const CalendarOrder order = CalendarOrderOf(
        *run, request.calendarYearText, ResidenceZoneId(atlas, request.residence), request.cycle, request.eventKey);
    const Expected<CalendarResult, RunFailure> result = RunCalendar(order.request, ephemeris);
    if (!result) {
        const QString message = RunFailureMessage(result.error(), order.request);
        // The birth read from a file is named with the file.
        if (result.error() == RunFailure::BirthBeyondEphemeris && !request.birth.chartFile.isEmpty())
            return refuse(QStringLiteral("A(z) %1 fájl egyik adata hibás: %2")
                              .arg(QFileInfo(request.birth.chartFile).fileName(), message));
        return refuse(message);
    }
    const CalendarDocument document = DocumentOf(order, *result);
    const Expected<QByteArray, QString> bytes = CalendarFileBytes(document, request.format, request.ics);
    if (!bytes)
        return refuse(QStringLiteral("A naptár nem menthető: %1.").arg(bytes.error()));
    const WriteResult written = request.outputPath == StandardOutputPath
                                    ? WriteStandardOutput(*bytes)
                                    : WriteFileAtomically(request.outputPath, *bytes);
    if (!written)
        return refuse(written.error());
    // Standard output that carries the calendar carries nothing else.
    if (request.outputPath != StandardOutputPath)
        out << ChartLines(result->natal) << Qt::flush;
    return ExitSuccess;
}

} // namespace ferolune
