#include "io/persons/person_file.h"

#include "core/common/file_write.h"
#include "core/common/small_file.h"
#include "io/form/read_birth_form.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <QJsonValue>

#include <cmath>
#include <limits>

namespace ferolune {

namespace {

const QString FormatName = QStringLiteral("ferolune-person");
constexpr int FormatVersion = 1;

// The texts of the birth fields, kept exactly as typed, under their keys.
struct TextKey {
    const char *key;
    QString BirthForm::*member;
};
const TextKey TextKeys[] = {
    {"name", &BirthForm::name},
    {"year", &BirthForm::year},
    {"month", &BirthForm::month},
    {"day", &BirthForm::day},
    {"hour", &BirthForm::hour},
    {"hour12", &BirthForm::hour12},
    {"minute", &BirthForm::minute},
    {"zone", &BirthForm::zoneText},
    {"longitudeDegrees", &BirthForm::longitudeDegrees},
    {"longitudeMinutes", &BirthForm::longitudeMinutes},
    {"latitudeDegrees", &BirthForm::latitudeDegrees},
    {"latitudeMinutes", &BirthForm::latitudeMinutes},
};

struct OptionKey {
    const char *key;
    bool BirthForm::*member;
};
const OptionKey OptionKeys[] = {
    {"beforeNoon", &BirthForm::beforeNoon},
    {"east", &BirthForm::east},
    {"south", &BirthForm::south},
};

struct PlaceKey {
    const char *key;
    PlaceChoice BirthForm::*member;
};
const PlaceKey PlaceKeys[] = {
    {"birthPlace", &BirthForm::birthPlace},
    {"residence", &BirthForm::residence},
};

const char *const SummerTimeKey = "summerTime";
// Optional: files written before it have none.
const char *const EventKeyKey = "eventKey";

// The menstrual cycle, all three optional: a person saved without one has none of them.
const char *const PeriodStartsKey = "periodStarts"; // ["2026-01-05", ...]
const char *const UsualShortestKey = "usualShortest";
const char *const UsualLongestKey = "usualLongest";
// "± PERC" as typed; older files have none and open with the field empty (0 minutes).
const char *const UncertaintyKey = "uncertaintyMinutes";

// Why a file cannot be used, as the end of the message.
using Failure = QString;

Failure badValue(const QString &key)
{
    return QStringLiteral("hiányzik vagy hibás benne a(z) „%1” adat.").arg(key);
}

QString failureMessage(const QString &path, const Failure &reason)
{
    return QStringLiteral("A(z) %1 személyadat-fájl nem olvasható be: %2").arg(QFileInfo(path).fileName(), reason);
}

// A JSON number that is a whole number within [low, high].
std::optional<int> wholeNumber(const QJsonValue &value, int low, int high)
{
    if (!value.isDouble())
        return std::nullopt;
    const double number = value.toDouble();
    if (!(number >= low && number <= high) || std::trunc(number) != number)
        return std::nullopt;
    return static_cast<int>(number);
}

QJsonObject placeObject(const PlaceChoice &place)
{
    return {{QStringLiteral("text"), place.text}, {QStringLiteral("geonameId"), place.geonameId}};
}

std::optional<PlaceChoice> readPlace(const QJsonValue &value)
{
    if (!value.isObject())
        return std::nullopt;
    const QJsonObject object = value.toObject();
    const QJsonValue text = object.value(QStringLiteral("text"));
    const std::optional<int> id =
        wholeNumber(object.value(QStringLiteral("geonameId")), 0, std::numeric_limits<int>::max());
    if (!text.isString() || !id)
        return std::nullopt;
    // A place is one chosen from the atlas; a text without its id names none, as the
    // writer keeps none.
    if (*id == 0)
        return PlaceChoice{};
    return PlaceChoice{text.toString(), *id};
}

QDate isoDate(const QJsonValue &value)
{
    const QString text = value.toString();
    // Only the one form the writer uses: ten characters, no time, no week date.
    return text.size() == 10 ? QDate::fromString(text, QStringLiteral("yyyy-MM-dd")) : QDate();
}

std::optional<Failure> readCycle(const QJsonObject &root, CycleHistory &cycle)
{
    const QJsonValue starts = root.value(QLatin1StringView(PeriodStartsKey));
    if (!starts.isUndefined()) {
        if (!starts.isArray() || starts.toArray().size() > qsizetype(MaxPeriodStarts))
            return badValue(QLatin1StringView(PeriodStartsKey));
        for (const QJsonValue start : starts.toArray()) {
            const QDate date = isoDate(start);
            if (!date.isValid())
                return badValue(QLatin1StringView(PeriodStartsKey));
            cycle.periodStarts.push_back(date);
        }
    }
    const std::pair<const char *, int CycleHistory::*> lengths[] = {{UsualShortestKey, &CycleHistory::usualShortest},
                                                                    {UsualLongestKey, &CycleHistory::usualLongest}};
    for (const auto &[key, member] : lengths) {
        const QJsonValue value = root.value(QLatin1StringView(key));
        if (value.isUndefined())
            continue;
        const std::optional<int> length = wholeNumber(value, 0, 1000);
        if (!length)
            return badValue(QLatin1StringView(key));
        cycle.*member = *length;
    }
    return std::nullopt;
}

// The birth date of the form, when its fields hold one; a date that is none is the run's
// to refuse.
QDate birthDateOf(const BirthForm &form)
{
    const Expected<FormMoment, FieldProblem> moment = ReadBirthMoment(form);
    return moment ? QDate(moment->year, moment->month, moment->day) : QDate();
}

// A text kept under an optional key: a file written before the key was known has none,
// and reads as empty.
std::optional<Failure> readOptionalText(const QJsonObject &root, const char *key, QString &text)
{
    const QJsonValue value = root.value(QLatin1StringView(key));
    if (!value.isUndefined() && !value.isString())
        return badValue(QLatin1StringView(key));
    text = value.toString();
    return std::nullopt;
}

void writeOptionalText(QJsonObject &root, const char *key, const QString &text)
{
    if (!text.isEmpty())
        root.insert(QLatin1StringView(key), text);
}

void writeCycle(QJsonObject &root, const CycleHistory &cycle)
{
    if (cycle == CycleHistory{})
        return;
    QJsonArray starts;
    for (const QDate &start : cycle.periodStarts)
        starts.append(start.toString(QStringLiteral("yyyy-MM-dd")));
    root.insert(QLatin1StringView(PeriodStartsKey), starts);
    root.insert(QLatin1StringView(UsualShortestKey), cycle.usualShortest);
    root.insert(QLatin1StringView(UsualLongestKey), cycle.usualLongest);
}

Expected<SavedPerson, Failure> readPerson(const QJsonObject &root)
{
    if (root.value(QStringLiteral("format")).toString() != FormatName)
        return Unexpected(Failure(QStringLiteral("nem Ferolune személyadat-fájl.")));
    const QJsonValue version = root.value(QStringLiteral("version"));
    if (!wholeNumber(version, 1, std::numeric_limits<int>::max()))
        return Unexpected(badValue(QStringLiteral("version")));
    if (version.toInt() != FormatVersion)
        return Unexpected(Failure(
            QStringLiteral("a program újabb változata írta (%1. változat), ezt nem ismeri.").arg(version.toInt())));

    SavedPerson saved;
    BirthForm &person = saved.form;
    for (const TextKey &entry : TextKeys) {
        const QJsonValue value = root.value(QLatin1StringView(entry.key));
        if (!value.isString())
            return Unexpected(badValue(QLatin1StringView(entry.key)));
        person.*entry.member = value.toString();
    }
    for (const OptionKey &entry : OptionKeys) {
        const QJsonValue value = root.value(QLatin1StringView(entry.key));
        if (!value.isBool())
            return Unexpected(badValue(QLatin1StringView(entry.key)));
        person.*entry.member = value.toBool();
    }
    const std::optional<int> summerTime = wholeNumber(root.value(QLatin1StringView(SummerTimeKey)), 0, 2);
    if (!summerTime)
        return Unexpected(badValue(QLatin1StringView(SummerTimeKey)));
    person.summerTime = *summerTime;
    // The places are optional: a person without them has no key.
    for (const PlaceKey &entry : PlaceKeys) {
        const QJsonValue value = root.value(QLatin1StringView(entry.key));
        if (value.isUndefined())
            continue;
        const std::optional<PlaceChoice> place = readPlace(value);
        if (!place)
            return Unexpected(badValue(QLatin1StringView(entry.key)));
        person.*entry.member = *place;
    }
    for (std::optional<Failure> failure :
         {readOptionalText(root, EventKeyKey, saved.eventKey),
          readOptionalText(root, UncertaintyKey, person.uncertainty), readCycle(root, saved.cycle)})
        if (failure)
            return Unexpected(*failure);
    return saved;
}

// A start the calendar could not lay out is refused with the cycle window's own message,
// never carried into a run.
Expected<SavedPerson, Failure> checkedCycle(SavedPerson person, const QDate &today)
{
    if (const std::optional<QString> problem = CycleHistoryProblem(person.cycle, today, birthDateOf(person.form)))
        return Unexpected(*problem);
    return person;
}

} // namespace

QByteArray PersonJson(const SavedPerson &saved)
{
    const BirthForm &person = saved.form;
    QJsonObject root{{QStringLiteral("format"), FormatName}, {QStringLiteral("version"), FormatVersion}};
    for (const TextKey &entry : TextKeys)
        root.insert(QLatin1StringView(entry.key), person.*entry.member);
    for (const OptionKey &entry : OptionKeys)
        root.insert(QLatin1StringView(entry.key), person.*entry.member);
    root.insert(QLatin1StringView(SummerTimeKey), person.summerTime);
    // A place is kept only as chosen from the atlas: a text alone names no place.
    for (const PlaceKey &entry : PlaceKeys)
        if ((person.*entry.member).geonameId != 0)
            root.insert(QLatin1StringView(entry.key), placeObject(person.*entry.member));
    writeOptionalText(root, EventKeyKey, saved.eventKey);
    writeOptionalText(root, UncertaintyKey, person.uncertainty);
    writeCycle(root, saved.cycle);
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

Expected<SavedPerson, QString> ParsePerson(const QByteArray &bytes, const QString &path, const QDate &today)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError)
        return Unexpected(failureMessage(
            path, QStringLiteral("a szövege nem érvényes JSON (hiba a(z) %1. bájtnál).").arg(error.offset + 1)));
    if (!document.isObject())
        return Unexpected(failureMessage(path, QStringLiteral("nem Ferolune személyadat-fájl.")));
    Expected<SavedPerson, Failure> person = readPerson(document.object());
    if (person)
        person = checkedCycle(std::move(*person), today);
    if (!person)
        return Unexpected(failureMessage(path, person.error()));
    return std::move(*person);
}

Expected<SavedPerson, QString> ReadPersonFile(const QString &path, const QDate &today)
{
    const Expected<QByteArray, SmallFileFailure> bytes = ReadSmallFile(path, PersonFileMaxBytes);
    if (bytes)
        return ParsePerson(*bytes, path, today);
    if (bytes.error() == SmallFileFailure::TooLarge)
        return Unexpected(failureMessage(path, QStringLiteral("a fájl túl nagy, nem személyadat-fájl.")));
    return Unexpected(failureMessage(path, SmallFileFailureText(bytes.error())));
}

WriteResult WritePersonFile(const QString &path, const SavedPerson &person)
{
    // Her period dates are hers alone.
    return WriteFileAtomically(path, PersonJson(person), FileAccess::Private);
}

bool IsPersonFilePath(const QString &path)
{
    return QFileInfo(path).suffix().compare(PersonFileSuffix, Qt::CaseInsensitive) == 0;
}

} // namespace ferolune
