#include "core/places/place_option.h"

#include <QStringList>

namespace ferolune {

namespace {

constexpr int ClosestNameCount = 5;
constexpr int NamesakesShown = 10;

QString listed(const QStringList &names)
{
    return QStringLiteral("\n  ") + names.join(QStringLiteral("\n  "));
}

// "Hasonló nevű helyek:" and the names, or nothing when no name is near enough.
QString similar(const QString &heading, const QStringList &names)
{
    return names.isEmpty() ? QString() : heading + listed(names);
}

// A text longer than any place name, refused before the atlas is searched for it.
QString tooLong(const QString &what, const QString &text)
{
    return QStringLiteral("%1 túl hosszú (%2 karakter): egy hely neve legfeljebb %3 karakter.")
        .arg(what)
        .arg(text.size())
        .arg(MaxPlaceTextLength);
}

// The place whose offered text is `name`, the way the place fields show it.
std::optional<PlaceId> placeOfDisplayText(const Atlas &atlas, const QString &name)
{
    const QString wanted = foldPlaceName(name);
    // The name before the county is what the search matches.
    const QString placeName = name.section(QLatin1Char(','), 0, 0).section(QLatin1Char('('), 0, 0);
    for (const SearchHit &hit : atlas.search(placeName, 200)) {
        if (foldPlaceName(hit.displayText) == wanted)
            return hit.id;
    }
    return std::nullopt;
}

} // namespace

Expected<PlaceId, QString> FindNamedPlace(const Atlas &atlas, const QString &name, const QString &option)
{
    if (name.size() > MaxPlaceTextLength)
        return Unexpected(tooLong(QStringLiteral("A %1 értéke").arg(option), name));
    if (foldPlaceName(name).isEmpty())
        return Unexpected(QStringLiteral("A %1 értéke üres: adja meg a hely nevét.").arg(option));
    const std::vector<PlaceId> matches = atlas.exactMatches(name);
    if (matches.size() == 1)
        return matches.front();
    if (const std::optional<PlaceId> shown = placeOfDisplayText(atlas, name))
        return *shown;
    if (matches.empty()) {
        return Unexpected(QStringLiteral("Ismeretlen hely (%1): „%2”.%3")
                              .arg(option, name,
                                   similar(QStringLiteral(" A helységnévtár hasonló nevű helyei:"),
                                           atlas.closestNames(name, ClosestNameCount))));
    }
    QStringList namesakes;
    for (std::size_t k = 0; k < matches.size() && k < std::size_t(NamesakesShown); ++k)
        namesakes << atlas.displayText(matches[k]);
    return Unexpected(QStringLiteral("Több hely is „%2” nevű (%1). Adja meg a helyet a teljes nevével, ahogy a "
                                     "listában áll, például: %1 \"%3\"%4")
                          .arg(option, name, namesakes.front(), listed(namesakes)));
}

QString PlaceFieldMessage(const Atlas &atlas, const QString &text, const QString &field)
{
    if (text.size() > MaxPlaceTextLength)
        return tooLong(QStringLiteral("A %1 mezőben álló szöveg").arg(field), text);
    const std::vector<PlaceId> matches = atlas.exactMatches(text);
    if (matches.size() > 1) {
        QStringList namesakes;
        for (std::size_t k = 0; k < matches.size() && k < std::size_t(NamesakesShown); ++k)
            namesakes << atlas.displayText(matches[k]);
        return QStringLiteral("A %1 mezőben álló „%2” több hely neve is. Válassza ki a helyet a listából:%3")
            .arg(field, text.trimmed(), listed(namesakes));
    }
    return QStringLiteral("A %1 mezőben álló „%2” nem a helységnévtár egyik helye. Válasszon helyet a listából, "
                          "vagy törölje a mezőt.%3")
        .arg(field, text.trimmed(),
             similar(QStringLiteral(" Hasonló nevű helyek:"), atlas.closestNames(text, ClosestNameCount)));
}

} // namespace ferolune
