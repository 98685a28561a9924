#include "core/atlas/atlas.h"

#include <QFile>
#include <QHash>
#include <QSet>
#include <QThread>

#include <algorithm>

namespace ferolune {

namespace {

// The program is ending while the atlas is read on a thread of its own: the thread
// stops rather than keep the program waiting.
bool readingInterrupted()
{
    return QThread::currentThread()->isInterruptionRequested();
}

AtlasLoad interruptedLoad(const QString &path)
{
    return Unexpected(QStringLiteral("A helységnévtár olvasása megszakadt: %1").arg(path));
}

enum Column { GeonameId, Name, HungarianName, Country, Region, Latitude, Longitude, TimeZone,
              Population, ShortNames, ColumnCount };

// "country<TAB>SD<TAB>Szudán": a country's Hungarian name, above the places.
const QString CountryRowTag = QStringLiteral("country");
constexpr int CountryRowColumns = 3;

bool isNeighbour(const QString &code)
{
    static const QSet<QString> neighbours{"AT", "SK", "UA", "RO", "RS", "HR", "SI"};
    return neighbours.contains(code);
}

// Hungarian places first, then those of the neighbours, each by size; the factors only
// let a small Hungarian village come after a city abroad that matches as well.
double rankWeight(const Place &place)
{
    const double people = double(place.population) + 1.0;
    if (place.countryCode == QLatin1String("HU"))
        return people * 20.0;
    return isNeighbour(place.countryCode) ? people * 2.0 : people;
}

// A whole name typed counts as much as ten times the people: "Pápa" before "Pápateszér",
// yet "buda" still offers Budapest before a village called Buda.
enum MatchTier { NameStart, WordStart, NoMatch };
constexpr double WholeNameFactor = 10.0;

struct Match {
    MatchTier tier = NoMatch;
    bool wholeName = false;
};

Match matchKey(const QString &key, const QString &query, const QString &wordQuery)
{
    if (key.isEmpty())
        return {};
    if (key.startsWith(query))
        return {NameStart, key.size() == query.size()};
    return {key.contains(wordQuery) ? WordStart : NoMatch, false};
}

Match better(Match a, Match b)
{
    if (a.tier != b.tier)
        return a.tier < b.tier ? a : b;
    return a.wholeName ? a : b;
}

int editDistance(QStringView a, QStringView b)
{
    std::vector<int> row(std::size_t(b.size()) + 1);
    for (std::size_t j = 0; j < row.size(); ++j)
        row[j] = int(j);
    for (qsizetype i = 1; i <= a.size(); ++i) {
        int diagonal = row[0];
        row[0] = int(i);
        for (qsizetype j = 1; j <= b.size(); ++j) {
            const int substitution = diagonal + (a[i - 1] == b[j - 1] ? 0 : 1);
            diagonal = row[std::size_t(j)];
            row[std::size_t(j)] = std::min({substitution, row[std::size_t(j)] + 1, row[std::size_t(j - 1)] + 1});
        }
    }
    return row.back();
}

std::optional<Place> parsePlace(const QStringList &fields)
{
    if (fields.size() != ColumnCount)
        return std::nullopt;
    bool ok[5] = {};
    Place place;
    place.geonameId = fields[GeonameId].toInt(&ok[0]);
    place.name = fields[Name];
    place.hungarianName = fields[HungarianName];
    place.countryCode = fields[Country];
    place.region = fields[Region];
    place.latitude = fields[Latitude].toDouble(&ok[1]);
    place.longitude = fields[Longitude].toDouble(&ok[2]);
    place.timeZoneId = fields[TimeZone].toLatin1();
    place.population = fields[Population].toLongLong(&ok[3]);
    ok[4] = !place.name.isEmpty() && !place.timeZoneId.isEmpty() && std::abs(place.latitude) <= 90 &&
            std::abs(place.longitude) <= 180;
    if (!std::all_of(std::begin(ok), std::end(ok), [](bool b) { return b; }))
        return std::nullopt;
    return place;
}

} // namespace

AtlasLoad Atlas::load(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Unexpected(QStringLiteral("A helységnévtár nem nyitható meg: %1 (%2)").arg(path, file.errorString()));
    const QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n');
    Atlas atlas;
    atlas.places_.reserve(std::size_t(lines.size()));
    atlas.keys_.reserve(std::size_t(lines.size()));
    for (qsizetype number = 0; number < lines.size(); ++number) {
        if (readingInterrupted())
            return interruptedLoad(path);
        const QString &line = lines[number];
        if (line.isEmpty() || line.startsWith(u'#'))
            continue;
        const QStringList fields = line.split(u'\t');
        if (fields.size() == CountryRowColumns && fields[0] == CountryRowTag) {
            atlas.countryNames_.insert(fields[1], fields[2]);
            continue;
        }
        std::optional<Place> place = parsePlace(fields);
        if (!place)
            return Unexpected(QStringLiteral("A helységnévtár hibás: %1, %2. sor").arg(path).arg(number + 1));
        atlas.places_.push_back(std::move(*place));
        QStringList shortNames;
        for (const QString &name : fields[ShortNames].split(u',', Qt::SkipEmptyParts))
            shortNames << foldPlaceName(name);
        atlas.keys_.push_back({foldPlaceName(atlas.places_.back().name),
                               foldPlaceName(atlas.places_.back().hungarianName), shortNames});
    }
    if (atlas.places_.empty())
        return Unexpected(QStringLiteral("A helységnévtár üres: %1").arg(path));
    atlas.markNamesakes();
    return atlas;
}

std::optional<PlaceId> Atlas::findGeonameId(int geonameId) const
{
    const auto found = std::find_if(places_.begin(), places_.end(),
                                    [&](const Place &p) { return p.geonameId == geonameId; });
    if (found == places_.end())
        return std::nullopt;
    return PlaceId(found - places_.begin());
}

std::vector<SearchHit> Atlas::search(const QString &text, int limit) const
{
    const QString query = foldPlaceName(text);
    if (query.isEmpty() || limit <= 0)
        return {};
    const QString wordQuery = u' ' + query;
    struct Candidate {
        MatchTier tier;
        double weight;
        PlaceId id;
    };
    std::vector<Candidate> candidates;
    for (std::size_t i = 0; i < keys_.size(); ++i) {
        const Match match = better(matchKey(keys_[i].name, query, wordQuery),
                                   matchKey(keys_[i].hungarian, query, wordQuery));
        if (match.tier != NoMatch)
            candidates.push_back({match.tier, rankWeight(places_[i]) * (match.wholeName ? WholeNameFactor : 1.0),
                                  PlaceId(i)});
    }
    const auto shown = std::min(candidates.size(), std::size_t(limit));
    std::partial_sort(candidates.begin(), candidates.begin() + std::ptrdiff_t(shown), candidates.end(),
                      [](const Candidate &a, const Candidate &b) {
                          if (a.tier != b.tier)
                              return a.tier < b.tier;
                          if (a.weight != b.weight)
                              return a.weight > b.weight;
                          return a.id < b.id;
                      });
    std::vector<SearchHit> hits;
    hits.reserve(shown);
    for (std::size_t i = 0; i < shown; ++i)
        hits.push_back({candidates[i].id, displayText(candidates[i].id)});
    return hits;
}

std::vector<PlaceId> Atlas::exactMatches(const QString &text) const
{
    const QString query = foldPlaceName(text);
    std::vector<PlaceId> matches;
    if (query.isEmpty())
        return matches;
    for (std::size_t i = 0; i < keys_.size(); ++i) {
        if (keys_[i].name == query || keys_[i].hungarian == query)
            matches.push_back(PlaceId(i));
    }
    // A short name never hides a place that bears the name in full.
    for (std::size_t i = 0; matches.empty() && i < keys_.size(); ++i) {
        if (keys_[i].shortNames.contains(query))
            matches.push_back(PlaceId(i));
    }
    std::stable_sort(matches.begin(), matches.end(), [&](PlaceId a, PlaceId b) {
        return rankWeight(place(a)) > rankWeight(place(b));
    });
    return matches;
}

QStringList Atlas::closestNames(const QString &text, int limit) const
{
    const QString query = foldPlaceName(text);
    struct Candidate {
        int distance;
        double weight;
        PlaceId id;
    };
    std::vector<Candidate> candidates;
    candidates.reserve(keys_.size());
    for (std::size_t i = 0; i < keys_.size(); ++i) {
        int distance = editDistance(query, keys_[i].name);
        if (!keys_[i].hungarian.isEmpty())
            distance = std::min(distance, editDistance(query, keys_[i].hungarian));
        candidates.push_back({distance, rankWeight(places_[i]), PlaceId(i)});
    }
    std::sort(candidates.begin(), candidates.end(), [](const Candidate &a, const Candidate &b) {
        if (a.distance != b.distance)
            return a.distance < b.distance;
        return a.weight > b.weight;
    });
    QStringList names;
    for (const Candidate &candidate : candidates) {
        if (names.size() >= limit)
            break;
        const QString shown = displayText(candidate.id);
        if (!names.contains(shown))
            names << shown;
    }
    return names;
}

QString Atlas::countryName(const QString &code) const
{
    return countryNames_.value(code, code);
}

QString Atlas::nameRegionCountry(const Place &p) const
{
    QString text = p.shownName();
    if (!p.hungarianName.isEmpty())
        text += QStringLiteral(" (%1)").arg(p.name);
    // A region named like the place itself tells nothing more.
    if (!p.region.isEmpty() && p.region != p.shownName() && p.region != p.name)
        text += QStringLiteral(", ") + p.region;
    return text + QStringLiteral(", ") + countryName(p.countryCode);
}

void Atlas::markNamesakes()
{
    QHash<QString, int> seen;
    seen.reserve(qsizetype(places_.size()));
    for (const Place &place : places_)
        ++seen[nameRegionCountry(place)];
    namesake_.clear();
    namesake_.reserve(places_.size());
    for (const Place &place : places_)
        namesake_.push_back(seen.value(nameRegionCountry(place)) > 1);
}

QString Atlas::displayText(PlaceId id) const
{
    const Place &p = place(id);
    if (!namesake_[std::size_t(id)])
        return nameRegionCountry(p);
    const FieldValues at = fieldValues(p);
    const auto minutes = [](int value) { return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0')); };
    return nameRegionCountry(p) + QStringLiteral(" (%1 %2° %3′, %4 %5° %6′)")
                                      .arg(at.north ? QStringLiteral("é. sz.") : QStringLiteral("d. sz."))
                                      .arg(at.latitudeDegrees)
                                      .arg(minutes(at.latitudeMinutes))
                                      .arg(at.east ? QStringLiteral("k. h.") : QStringLiteral("ny. h."))
                                      .arg(at.longitudeDegrees)
                                      .arg(minutes(at.longitudeMinutes));
}

} // namespace ferolune
