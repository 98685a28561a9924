#include "core/atlas/atlas.h"

#include "core/atlas/atlas_index.h"

#include <QFile>
#include <QHash>

#include <algorithm>
#include <cstring>
#include <mutex>
#include <span>
#include <unordered_map>

namespace ferolune {

using namespace atlasindex;

struct Atlas::Block {
    QByteArray owned;           // a block made in memory,
    std::unique_ptr<QFile> file; // or the file mapped
    const char *bytes = nullptr;
    Header header{};
    std::mutex placesMutex;
    std::unordered_map<PlaceId, std::unique_ptr<const Place>> places; // handed out by place()

    template <class T>
    std::span<const T> section(quint32 offset, quint32 count) const
    {
        return {reinterpret_cast<const T *>(bytes + offset), count};
    }
    std::span<const PlaceRecord> placeRecords() const { return section<PlaceRecord>(header.places, header.placeCount); }
    std::span<const CountryRecord> countries() const
    {
        return section<CountryRecord>(header.countries, header.countryCount);
    }
    std::span<const KeyRecord> keys() const { return section<KeyRecord>(header.keys, header.keyCount); }
    std::span<const KeyRecord> words() const { return section<KeyRecord>(header.words, header.wordCount); }
    // The string block ends in a zero byte (checked at load), so every string within it does.
    const char *text(quint32 offset) const
    {
        return offset < header.stringsSize ? bytes + header.strings + offset : "";
    }
    QString string(quint32 offset) const { return QString::fromUtf8(text(offset)); }
    QString countryCode(const PlaceRecord &p) const
    {
        return p.country < header.countryCount ? QString::fromLatin1(countries()[p.country].code, 2) : QString();
    }
    Place placeAt(PlaceId id) const;
    bool valid(qint64 size) const;
};

namespace {

bool isNeighbour(const QString &code)
{
    for (const char *neighbour : {"AT", "SK", "UA", "RO", "RS", "HR", "SI"}) {
        if (code == QLatin1String(neighbour))
            return true;
    }
    return false;
}

// Hungarian places first, then those of the neighbours, each by size; the factors only
// let a small Hungarian village come after a city abroad that matches as well.
constexpr double HungarianFactor = 20.0;
double rankWeight(const PlaceRecord &place, const QString &countryCode)
{
    const double people = double(place.population) + 1.0;
    if (countryCode == QLatin1String("HU"))
        return people * HungarianFactor;
    return isNeighbour(countryCode) ? people * 2.0 : people;
}

// A whole name typed counts as much as ten times the people: "Pápa" before "Pápateszér",
// yet "buda" still offers Budapest before a village called Buda. Namesakes that bear the
// whole name come by their people alone, wherever they are: London, England first.
enum MatchTier { NameStart, WordStart, NoMatch };
constexpr double WholeNameFactor = 10.0;
double wholeNameWeight(const PlaceRecord &place)
{
    return (double(place.population) + 1.0) * HungarianFactor * WholeNameFactor;
}

struct Match {
    MatchTier tier = NoMatch;
    bool wholeName = false;
};

Match better(Match a, Match b)
{
    if (a.tier != b.tier)
        return a.tier < b.tier ? a : b;
    return a.wholeName ? a : b;
}

// The records whose text starts with `prefix`, from records sorted by their texts.
template <class TextOf>
std::span<const KeyRecord> startingWith(std::span<const KeyRecord> records, const QByteArray &prefix, TextOf textOf)
{
    const auto first = std::partition_point(records.begin(), records.end(), [&](const KeyRecord &r) {
        return std::strcmp(textOf(r), prefix.constData()) < 0;
    });
    const auto last = std::partition_point(first, records.end(), [&](const KeyRecord &r) {
        return std::strncmp(textOf(r), prefix.constData(), std::size_t(prefix.size())) == 0;
    });
    return {first, last};
}

// The edit distance of `a` and `b`, or `bound` + 1 as soon as it must exceed `bound`:
// a long text costs no more than the rows it takes to leave the bound behind.
int boundedDistance(std::string_view a, std::string_view b, int bound, std::vector<int> &row)
{
    if (std::abs(int(a.size()) - int(b.size())) > bound)
        return bound + 1;
    row.resize(b.size() + 1);
    for (std::size_t j = 0; j < row.size(); ++j)
        row[j] = int(j);
    for (std::size_t i = 1; i <= a.size(); ++i) {
        int diagonal = row[0];
        row[0] = int(i);
        int rowLeast = row[0];
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const int substitution = diagonal + (a[i - 1] == b[j - 1] ? 0 : 1);
            diagonal = row[j];
            row[j] = std::min({substitution, row[j] + 1, row[j - 1] + 1});
            rowLeast = std::min(rowLeast, row[j]);
        }
        if (rowLeast > bound)
            return bound + 1;
    }
    return std::min(row.back(), bound + 1);
}

// "Sydney, Ausztrália": the name, then the folded region or country parts after it.
std::pair<QString, QList<QByteArray>> nameAndQualifiers(const QString &text)
{
    QStringList parts = text.split(u',');
    const QString name = parts.takeFirst();
    QList<QByteArray> qualifiers;
    for (const QString &part : parts) {
        if (const QByteArray folded = foldPlaceName(part).toUtf8(); !folded.isEmpty())
            qualifiers << folded;
    }
    return {name, qualifiers};
}

} // namespace

bool Atlas::Block::valid(qint64 size) const
{
    const Header &h = header;
    const auto fits = [&](quint32 offset, quint64 length) { return offset % 8 == 0 && offset + length <= quint64(size); };
    return size >= qint64(sizeof(Header)) && std::memcmp(h.magic, Magic, sizeof Magic) == 0 && h.version == Version &&
           h.byteOrder == ByteOrderMark && h.size == size && h.placeCount > 0 &&
           fits(h.places, quint64(h.placeCount) * sizeof(PlaceRecord)) &&
           fits(h.countries, quint64(h.countryCount) * sizeof(CountryRecord)) &&
           fits(h.keys, quint64(h.keyCount) * sizeof(KeyRecord)) &&
           fits(h.words, quint64(h.wordCount) * sizeof(KeyRecord)) &&
           fits(h.byGeonameId, quint64(h.placeCount) * sizeof(GeonameRecord)) && fits(h.strings, h.stringsSize) &&
           h.stringsSize > 0 && bytes[h.strings + h.stringsSize - 1] == '\0';
}

Place Atlas::Block::placeAt(PlaceId id) const
{
    const PlaceRecord &r = placeRecords()[std::size_t(id)];
    Place p;
    p.geonameId = r.geonameId;
    p.name = string(r.name);
    p.hungarianName = string(r.hungarianName);
    p.countryCode = countryCode(r);
    p.region = string(r.region);
    p.latitude = r.latitude;
    p.longitude = r.longitude;
    p.timeZoneId = QByteArray(text(r.timeZone));
    p.population = r.population;
    return p;
}

AtlasLoad Atlas::load(const QString &path)
{
    auto file = std::make_unique<QFile>(path);
    if (!file->open(QIODevice::ReadOnly))
        return Unexpected(QStringLiteral("A helységnévtár nem nyitható meg: %1 (%2)").arg(path, file->errorString()));
    if (file->peek(sizeof Magic) != QByteArrayView(Magic, sizeof Magic))
        return fromTable(file->readAll(), path);
    auto block = std::make_shared<Block>();
    const qint64 size = file->size();
    if (uchar *mapped = file->map(0, size)) {
        block->bytes = reinterpret_cast<const char *>(mapped);
        block->file = std::move(file);
    } else { // a Qt resource, say: read whole
        block->owned = file->readAll();
        block->bytes = block->owned.constData();
    }
    if (size >= qint64(sizeof(Header)))
        std::memcpy(&block->header, block->bytes, sizeof(Header));
    if (!block->valid(size))
        return Unexpected(QStringLiteral("A helységnévtár hibás: %1").arg(path));
    return Atlas(std::move(block));
}

AtlasLoad Atlas::fromTable(const QByteArray &table, const QString &path)
{
    Expected<QByteArray, QString> built = buildFromTable(table, path);
    if (!built)
        return Unexpected(built.error());
    auto block = std::make_shared<Block>();
    block->owned = std::move(*built);
    block->bytes = block->owned.constData();
    std::memcpy(&block->header, block->bytes, sizeof(Header));
    return Atlas(std::move(block));
}

int Atlas::size() const
{
    return int(m_block->header.placeCount);
}

const Place &Atlas::place(PlaceId id) const
{
    const std::lock_guard lock(m_block->placesMutex);
    auto &kept = m_block->places[id];
    if (!kept)
        kept = std::make_unique<const Place>(m_block->placeAt(id));
    return *kept;
}

std::optional<PlaceId> Atlas::findGeonameId(int geonameId) const
{
    const auto records = m_block->section<GeonameRecord>(m_block->header.byGeonameId, m_block->header.placeCount);
    const auto found = std::lower_bound(records.begin(), records.end(), geonameId,
                                        [](const GeonameRecord &r, int id) { return r.geonameId < id; });
    if (found == records.end() || found->geonameId != geonameId || found->place >= m_block->header.placeCount)
        return std::nullopt;
    return PlaceId(found->place);
}

bool Atlas::inQualifiers(PlaceId id, const QList<QByteArray> &qualifiers) const
{
    if (qualifiers.isEmpty())
        return true;
    const PlaceRecord &r = m_block->placeRecords()[std::size_t(id)];
    const QByteArray code = m_block->countryCode(r).toLower().toLatin1();
    const char *names[] = {m_block->text(r.foldedRegion),
                           r.country < m_block->header.countryCount
                               ? m_block->text(m_block->countries()[r.country].foldedName)
                               : "",
                           code.constData()};
    // The last part may be still being typed.
    for (qsizetype k = 0; k < qualifiers.size(); ++k) {
        const QByteArray &wanted = qualifiers[k];
        const bool typing = k + 1 == qualifiers.size();
        if (std::none_of(std::begin(names), std::end(names), [&](const char *name) {
                return typing ? std::strncmp(name, wanted.constData(), std::size_t(wanted.size())) == 0
                              : std::strcmp(name, wanted.constData()) == 0;
            }))
            return false;
    }
    return true;
}

std::vector<SearchHit> Atlas::search(const QString &text, int limit) const
{
    const auto [name, qualifiers] = nameAndQualifiers(text.left(MaxPlaceTextLength + 1));
    const QByteArray query = foldPlaceName(name).toUtf8();
    if (query.isEmpty() || query.size() > MaxPlaceTextLength || limit <= 0)
        return {};
    const auto textOf = [this](const KeyRecord &r) { return m_block->text(r.text); };
    QHash<PlaceId, Match> matches;
    for (const KeyRecord &key : startingWith(m_block->keys(), query, textOf))
        matches[PlaceId(key.place)] = better(matches.value(PlaceId(key.place)),
                                             {NameStart, qsizetype(std::strlen(textOf(key))) == query.size()});
    for (const KeyRecord &word : startingWith(m_block->words(), query, textOf))
        matches[PlaceId(word.place)] = better(matches.value(PlaceId(word.place)), {WordStart, false});

    struct Candidate {
        MatchTier tier;
        double weight;
        PlaceId id;
    };
    std::vector<Candidate> candidates;
    for (auto it = matches.cbegin(); it != matches.cend(); ++it) {
        if (it.key() >= size() || !inQualifiers(it.key(), qualifiers))
            continue;
        const PlaceRecord &r = m_block->placeRecords()[std::size_t(it.key())];
        candidates.push_back(
            {it->tier, it->wholeName ? wholeNameWeight(r) : rankWeight(r, m_block->countryCode(r)), it.key()});
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

std::vector<PlaceId> Atlas::namedExactly(const QString &folded) const
{
    const QByteArray query = folded.toUtf8();
    std::vector<PlaceId> named, otherwise;
    if (query.isEmpty() || query.size() > MaxPlaceTextLength)
        return named;
    const auto textOf = [this](const KeyRecord &r) { return m_block->text(r.text); };
    for (const KeyRecord &key : startingWith(m_block->keys(), query, textOf)) {
        if (qsizetype(std::strlen(textOf(key))) != query.size() || key.place >= m_block->header.placeCount)
            continue;
        auto &into = key.kind == KeyKind::OtherName ? otherwise : named;
        if (std::find(into.begin(), into.end(), PlaceId(key.place)) == into.end())
            into.push_back(PlaceId(key.place));
    }
    // Another name never hides a place that bears the name itself.
    return named.empty() ? otherwise : named;
}

std::vector<PlaceId> Atlas::exactMatches(const QString &text) const
{
    if (text.size() > MaxPlaceTextLength)
        return {};
    std::vector<PlaceId> matches = namedExactly(foldPlaceName(text));
    if (matches.empty() && text.contains(u',')) {
        const auto [name, qualifiers] = nameAndQualifiers(text);
        for (PlaceId id : namedExactly(foldPlaceName(name))) {
            if (inQualifiers(id, qualifiers))
                matches.push_back(id);
        }
    }
    const auto records = m_block->placeRecords();
    std::stable_sort(matches.begin(), matches.end(), [&](PlaceId a, PlaceId b) {
        return records[std::size_t(a)].population > records[std::size_t(b)].population;
    });
    return matches;
}

QStringList Atlas::closestNames(const QString &text, int limit) const
{
    const QByteArray query = foldPlaceName(nameAndQualifiers(text.left(MaxPlaceTextLength + 1)).first).toUtf8();
    if (query.isEmpty() || query.size() > MaxPlaceTextLength || limit <= 0)
        return {};
    struct Candidate {
        int distance;
        double weight;
        PlaceId id;
    };
    const auto nearer = [](const Candidate &a, const Candidate &b) {
        return a.distance != b.distance ? a.distance < b.distance : a.weight > b.weight;
    };
    std::vector<Candidate> nearest; // at most `limit`, nearest first
    int bound = std::max(2, int(query.size()) / 3);
    std::vector<int> row;
    const std::string_view typed(query.constData(), std::size_t(query.size()));
    for (const KeyRecord &key : m_block->keys()) {
        const int distance = boundedDistance(typed, m_block->text(key.text), bound, row);
        if (distance > bound || key.place >= m_block->header.placeCount)
            continue;
        const PlaceRecord &r = m_block->placeRecords()[key.place];
        const Candidate candidate{distance, rankWeight(r, m_block->countryCode(r)), PlaceId(key.place)};
        const auto same = std::find_if(nearest.begin(), nearest.end(),
                                       [&](const Candidate &c) { return c.id == candidate.id; });
        if (same != nearest.end()) {
            if (!nearer(candidate, *same))
                continue;
            nearest.erase(same);
        }
        nearest.insert(std::upper_bound(nearest.begin(), nearest.end(), candidate, nearer), candidate);
        if (nearest.size() > std::size_t(limit))
            nearest.pop_back();
        if (nearest.size() == std::size_t(limit))
            bound = nearest.back().distance;
    }
    QStringList names;
    for (const Candidate &candidate : nearest)
        names << displayText(candidate.id);
    return names;
}

QString Atlas::countryName(const QString &code) const
{
    for (const CountryRecord &country : m_block->countries()) {
        if (code == QLatin1String(country.code, 2))
            return m_block->string(country.name);
    }
    return code;
}

QString Atlas::displayText(PlaceId id) const
{
    const Place p = m_block->placeAt(id);
    const QString label = nameRegionCountry(p, countryName(p.countryCode));
    if (!m_block->placeRecords()[std::size_t(id)].namesake)
        return label;
    const FieldValues at = fieldValues(p);
    const auto minutes = [](int value) { return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0')); };
    return label + QStringLiteral(" (%1 %2° %3′, %4 %5° %6′)")
                       .arg(at.north ? QStringLiteral("é. sz.") : QStringLiteral("d. sz."))
                       .arg(at.latitudeDegrees)
                       .arg(minutes(at.latitudeMinutes))
                       .arg(at.east ? QStringLiteral("k. h.") : QStringLiteral("ny. h."))
                       .arg(at.longitudeDegrees)
                       .arg(minutes(at.longitudeMinutes));
}

} // namespace ferolune
