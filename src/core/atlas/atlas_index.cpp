#include "core/atlas/atlas_index.h"

#include <QHash>
#include <QList>

#include <algorithm>
#include <cstring>
#include <optional>
#include <vector>

namespace ferolune::atlasindex {

namespace {

enum Column { GeonameId, Name, HungarianName, Country, Region, Latitude, Longitude, TimeZone,
              Population, OtherNames, ColumnCount };

// "country<TAB>SD<TAB>Szudán": a country's Hungarian name, above the places.
constexpr QByteArrayView CountryRowTag = "country";
constexpr int CountryRowColumns = 3;

std::optional<Place> parsePlace(const QList<QByteArray> &fields)
{
    if (fields.size() != ColumnCount)
        return std::nullopt;
    bool ok[5] = {};
    Place place;
    place.geonameId = fields[GeonameId].toInt(&ok[0]);
    place.name = QString::fromUtf8(fields[Name]);
    place.hungarianName = QString::fromUtf8(fields[HungarianName]);
    place.countryCode = QString::fromUtf8(fields[Country]);
    place.region = QString::fromUtf8(fields[Region]);
    place.latitude = fields[Latitude].toDouble(&ok[1]);
    place.longitude = fields[Longitude].toDouble(&ok[2]);
    place.timeZoneId = fields[TimeZone];
    place.population = fields[Population].toLongLong(&ok[3]);
    ok[4] = !place.name.isEmpty() && !place.timeZoneId.isEmpty() && place.countryCode.size() == 2 &&
            std::abs(place.latitude) <= 90 && std::abs(place.longitude) <= 180;
    if (!std::all_of(std::begin(ok), std::end(ok), [](bool b) { return b; }))
        return std::nullopt;
    return place;
}

// The bytes of the block as it grows; strings are stored once each.
class Writer {
public:
    quint32 string(const QByteArray &text)
    {
        const auto found = m_offsets.constFind(text);
        if (found != m_offsets.cend())
            return *found;
        const auto offset = quint32(m_strings.size());
        m_strings += text;
        m_strings += '\0';
        m_offsets.insert(text, offset);
        return offset;
    }
    quint32 string(const QString &text) { return string(text.toUtf8()); }
    const QByteArray &strings() const { return m_strings; }

private:
    QByteArray m_strings;
    QHash<QByteArray, quint32> m_offsets;
};

template <class T>
quint32 appendSection(QByteArray &block, const std::vector<T> &records)
{
    block.append(QByteArray((8 - block.size() % 8) % 8, '\0'));
    const auto offset = quint32(block.size());
    block.append(reinterpret_cast<const char *>(records.data()), qsizetype(records.size() * sizeof(T)));
    return offset;
}

struct Table {
    std::vector<Place> places;
    std::vector<QStringList> otherNames;
    QList<QPair<QString, QString>> countries; // code, Hungarian name
};

Expected<Table, QString> readTable(const QByteArray &text, const QString &path)
{
    Table table;
    const QList<QByteArray> lines = text.split('\n');
    for (qsizetype number = 0; number < lines.size(); ++number) {
        const QByteArray &line = lines[number];
        if (line.isEmpty() || line.startsWith('#'))
            continue;
        const QList<QByteArray> fields = line.split('\t');
        if (fields.size() == CountryRowColumns && fields[0] == CountryRowTag && fields[1].size() == 2) {
            table.countries.append({QString::fromUtf8(fields[1]), QString::fromUtf8(fields[2])});
            continue;
        }
        std::optional<Place> place = parsePlace(fields);
        if (!place)
            return Unexpected(QStringLiteral("A helységnévtár hibás: %1, %2. sor").arg(path).arg(number + 1));
        table.places.push_back(std::move(*place));
        table.otherNames.push_back(QString::fromUtf8(fields[OtherNames]).split(u',', Qt::SkipEmptyParts));
    }
    if (table.places.empty())
        return Unexpected(QStringLiteral("A helységnévtár üres: %1").arg(path));
    return table;
}

// Orders key records by the bytes of their texts in the string block.
void sortByText(std::vector<KeyRecord> &keys, const QByteArray &strings)
{
    const char *base = strings.constData();
    std::sort(keys.begin(), keys.end(), [base](const KeyRecord &a, const KeyRecord &b) {
        const int order = std::strcmp(base + a.text, base + b.text);
        return order != 0 ? order < 0 : a.place < b.place;
    });
}

} // namespace

QString nameRegionCountry(const Place &p, const QString &countryName)
{
    QString text = p.shownName();
    if (!p.hungarianName.isEmpty())
        text += QStringLiteral(" (%1)").arg(p.name);
    // A region named like the place itself tells nothing more.
    if (!p.region.isEmpty() && p.region != p.shownName() && p.region != p.name)
        text += QStringLiteral(", ") + p.region;
    return text + QStringLiteral(", ") + countryName;
}

Expected<QByteArray, QString> buildFromTable(const QByteArray &text, const QString &path)
{
    Expected<Table, QString> read = readTable(text, path);
    if (!read)
        return Unexpected(read.error());
    const Table &table = *read;
    Writer writer;
    std::vector<CountryRecord> countries;
    QHash<QString, quint16> countryIndex;
    for (const auto &[code, name] : table.countries) {
        countryIndex.insert(code, quint16(countries.size()));
        countries.push_back({{char(code[0].toLatin1()), char(code[1].toLatin1())}, 0, writer.string(name),
                             writer.string(foldPlaceName(name))});
    }

    QHash<QString, int> labels;
    std::vector<QString> labelOf;
    for (const Place &p : table.places)
        ++labels[labelOf.emplace_back(nameRegionCountry(p, countryIndex.contains(p.countryCode)
                                                              ? table.countries[countryIndex[p.countryCode]].second
                                                              : p.countryCode))];

    std::vector<PlaceRecord> places;
    std::vector<KeyRecord> keys, words;
    std::vector<GeonameRecord> byGeonameId;
    for (std::size_t i = 0; i < table.places.size(); ++i) {
        const Place &p = table.places[i];
        if (!countryIndex.contains(p.countryCode)) { // a country the table does not name is shown by its code
            countryIndex.insert(p.countryCode, quint16(countries.size()));
            countries.push_back({{char(p.countryCode[0].toLatin1()), char(p.countryCode[1].toLatin1())}, 0,
                                 writer.string(p.countryCode), writer.string(foldPlaceName(p.countryCode))});
        }
        places.push_back({p.population, p.latitude, p.longitude, p.geonameId, writer.string(p.name),
                          writer.string(p.hungarianName), writer.string(p.region), writer.string(p.timeZoneId),
                          writer.string(foldPlaceName(p.region)), countryIndex[p.countryCode],
                          quint8(labels[labelOf[i]] > 1), 0});
        byGeonameId.push_back({p.geonameId, quint32(i)});
        const auto addKey = [&](const QString &name, KeyKind kind) {
            const QByteArray folded = foldPlaceName(name).toUtf8();
            if (folded.isEmpty())
                return;
            const quint32 offset = writer.string(folded);
            keys.push_back({offset, quint32(i), kind});
            for (qsizetype at = folded.indexOf(' '); at >= 0; at = folded.indexOf(' ', at + 1))
                words.push_back({offset + quint32(at + 1), quint32(i), kind});
        };
        addKey(p.name, KeyKind::Name);
        addKey(p.hungarianName, KeyKind::HungarianName);
        for (const QString &other : table.otherNames[i])
            addKey(other, KeyKind::OtherName);
    }
    sortByText(keys, writer.strings());
    sortByText(words, writer.strings());
    std::sort(byGeonameId.begin(), byGeonameId.end(),
              [](const GeonameRecord &a, const GeonameRecord &b) { return a.geonameId < b.geonameId; });

    Header header{};
    std::memcpy(header.magic, Magic, sizeof Magic);
    header.version = Version;
    header.byteOrder = ByteOrderMark;
    header.placeCount = quint32(places.size());
    header.countryCount = quint32(countries.size());
    header.keyCount = quint32(keys.size());
    header.wordCount = quint32(words.size());
    QByteArray block(sizeof(Header), '\0');
    header.places = appendSection(block, places);
    header.countries = appendSection(block, countries);
    header.keys = appendSection(block, keys);
    header.words = appendSection(block, words);
    header.byGeonameId = appendSection(block, byGeonameId);
    header.strings = appendSection(block, std::vector<char>(writer.strings().begin(), writer.strings().end()));
    header.stringsSize = quint32(writer.strings().size());
    header.size = quint32(block.size());
    std::memcpy(block.data(), &header, sizeof header);
    return block;
}

} // namespace ferolune::atlasindex
