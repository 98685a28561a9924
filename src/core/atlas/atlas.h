#pragma once

// The birthplace atlas: the places of resources/atlas.tsv (GeoNames data), found as the
// user types or as the command line names them, with the zone in force at a local birth
// moment and the coordinate field values of a place. Qt Core only.

#include "core/common/result.h"

#include <QByteArray>
#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>
#include <vector>

namespace ferolune {

struct Place {
    int geonameId = 0;      // stable across regenerations of the atlas: what a saved person keeps
    QString name;           // the name in the data (local, or English for capitals)
    QString hungarianName;  // empty when the data gives none, or when `name` is Hungarian already
    QString countryCode;    // ISO 3166 alpha-2
    QString region;         // a Hungarian county, a state or province abroad; may be empty
    double latitude = 0;    // degrees, north positive
    double longitude = 0;   // degrees, east positive
    QByteArray timeZoneId;  // IANA, e.g. "Europe/Budapest"
    qint64 population = 0;

    // The name a Hungarian reader knows it by: the Hungarian name when there is one.
    const QString &shownName() const { return hungarianName.isEmpty() ? name : hungarianName; }
};

// An index into the atlas, valid for the Atlas it came from.
using PlaceId = int;

struct SearchHit {
    PlaceId id = 0;
    QString displayText; // "Kolozsvár (Cluj-Napoca), Kolozs megye, Románia"
};

// No place name, with its region and country, is longer: a longer text names no place and
// is refused before any search.
inline constexpr int MaxPlaceTextLength = 200;

class Atlas;

// The atlas read from its file, or why it could not be (Hungarian, naming the file).
using AtlasLoad = Expected<Atlas, QString>;

// A view of the atlas block (core/atlas/atlas_index.h): copies share it. Lookups read
// only the records they need.
class Atlas {
public:
    // Maps the atlas block the build made from atlas.tsv (a path or a Qt resource path);
    // a table in atlas.tsv's own form is read into a block in memory instead.
    static AtlasLoad load(const QString &path);
    // The atlas of a table in atlas.tsv's form; `path` names it in the messages.
    static AtlasLoad fromTable(const QByteArray &table, const QString &path);

    int size() const;
    // The place's values, read from the block once and kept while the atlas lives.
    const Place &place(PlaceId id) const;
    std::optional<PlaceId> findGeonameId(int geonameId) const;

    // Places with a name (Hungarian, local or other) that starts with `text` (then those
    // with a word that starts with it), ignoring accents and case; a whole name counts
    // most, its namesakes by their people, then Hungarian places and bigger places. After
    // a comma come the region or the country ("sydney, ausz"). At most `limit` hits.
    std::vector<SearchHit> search(const QString &text, int limit = 20) const;

    // Places whose Hungarian name or name equals `text` apart from accents and case;
    // failing those, the places it is another name of ("Wien", "New York" for New York
    // City). "Name, region" and "name, country" keep the places that lie there. Biggest
    // first: more than one means namesakes the caller must tell apart.
    std::vector<PlaceId> exactMatches(const QString &text) const;

    // The names closest to `text` by edit distance on folded names, for "did you mean":
    // display texts of distinct places, nearest first. Names further than about a third
    // of the text's length are no suggestion; the search stops early on them.
    QStringList closestNames(const QString &text, int limit = 5) const;

    // Name, region and country in Hungarian, and the coordinates of a place whose name,
    // region and country another place shares, so that namesakes can be told apart.
    QString displayText(PlaceId id) const;

    // The Hungarian name of a country ("SD" -> "Szudán"); the code when the atlas lacks it.
    QString countryName(const QString &code) const;

private:
    struct Block;
    explicit Atlas(std::shared_ptr<Block> block) : m_block(std::move(block)) {}
    bool inQualifiers(PlaceId id, const QList<QByteArray> &qualifiers) const;
    std::vector<PlaceId> namedExactly(const QString &folded) const;

    std::shared_ptr<Block> m_block;
};

// Accents and case removed, punctuation made spaces: "Székesfehérvár" -> "szekesfehervar",
// "Cluj-Napoca" -> "cluj napoca".
QString foldPlaceName(const QString &text);

// How a local clock time stands in a zone's history.
enum class LocalTimeKind {
    Unique,        // happened once: one reading
    Skipped,       // never happened (clocks went forward): the readings before and after
    Repeated,      // happened twice (clocks went back): the earlier reading first
    UnknownZone,   // the system's tzdata has no such zone
    InvalidMoment, // not a calendar date or not a clock time
};

struct ZoneReading {
    // Hours added to the local clock time to get universal time, east negative, summer
    // time included: -1 for Central European time, -2 in its summer.
    double zoneHours = 0;
    bool summerTime = false;
};

struct ZoneAt {
    LocalTimeKind kind = LocalTimeKind::InvalidMoment;
    std::vector<ZoneReading> readings;
};

// The zone in force at a local date and clock time in an IANA zone, from the system's
// tzdata. Skipped and repeated times are reported, never resolved silently.
ZoneAt zoneAt(const QByteArray &timeZoneId, QDate date, int hour, int minute);
inline ZoneAt zoneAt(const Place &place, QDate date, int hour, int minute)
{
    return zoneAt(place.timeZoneId, date, hour, minute);
}

// A zone as the zone field writes it, marked when summer time was in force:
// "-2 (nyári időszámítás)", "-1".
QString zoneReadingText(const ZoneReading &reading);

// The Hungarian message for a birth moment the zone history does not settle by itself
// (a skipped time, a repeated one with both zones, an unknown zone, an invalid moment);
// empty for a time that happened once. The window and the command line both show it.
QString zoneProblemText(const Place &place, QDate date, int hour, int minute, const ZoneAt &zone);

// A place's coordinates as the birth fields hold them: whole degrees and minutes rounded
// to the nearest whole minute (60 carried into the degree), with their sides.
struct FieldValues {
    int longitudeDegrees = 0;
    int longitudeMinutes = 0;
    bool east = true;
    int latitudeDegrees = 0;
    int latitudeMinutes = 0;
    bool north = true;
};

FieldValues fieldValues(const Place &place);

} // namespace ferolune
