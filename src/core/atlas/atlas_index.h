#pragma once

// The atlas as the program reads it: one block of bytes, made from atlas.tsv when the
// program is built and mapped into memory at start, so that nothing is parsed then and a
// lookup touches only the pages it needs. The block is made and read on one machine, so
// its numbers are in the machine's own byte order (the header says which).
//
// Layout, each section 8-byte aligned:
//   Header
//   PlaceRecord[placeCount]        in the table's order (a PlaceId is an index here)
//   CountryRecord[countryCount]
//   KeyRecord[keyCount]            every folded name of every place, by its bytes
//   KeyRecord[wordCount]           every word inside a folded name after its first, by the
//                                  bytes from that word on ("kerulet" in "budapest xi kerulet")
//   GeonameRecord[placeCount]      by geonameid
//   strings                        UTF-8, each ended by a zero byte

#include "core/atlas/atlas.h"
#include "core/common/result.h"

#include <QByteArray>
#include <QString>
#include <QtGlobal>

namespace ferolune::atlasindex {

inline constexpr char Magic[8] = {'F', 'E', 'R', 'A', 'T', 'L', 'A', 'S'};
inline constexpr quint32 Version = 2;
inline constexpr quint32 ByteOrderMark = 0x01020304;

struct Header {
    char magic[8];
    quint32 version;
    quint32 byteOrder;
    quint32 size; // of the whole block
    quint32 placeCount, countryCount, keyCount, wordCount;
    quint32 places, countries, keys, words, byGeonameId, strings, stringsSize;
    quint32 reserved;
};

struct PlaceRecord {
    qint64 population;
    double latitude, longitude;
    qint32 geonameId;
    quint32 name, hungarianName, region, timeZone; // string offsets
    quint32 foldedRegion;                          // for "name, region"
    quint16 country;                               // index of its CountryRecord
    quint8 namesake;                               // shares name, region and country with another place
    quint8 unused;
};

struct CountryRecord {
    char code[2];
    quint16 unused;
    quint32 name;       // Hungarian
    quint32 foldedName; // for "name, country"
};

enum class KeyKind : quint32 { Name, HungarianName, OtherName };

struct KeyRecord {
    quint32 text;  // string offset of a folded name, or of a word inside one
    quint32 place;
    KeyKind kind;
};

struct GeonameRecord {
    qint32 geonameId;
    quint32 place;
};

// "Kolozsvár (Cluj-Napoca), Kolozs megye, Románia": how lists name a place, namesakes aside.
QString nameRegionCountry(const Place &place, const QString &countryName);

// The block made from the text of atlas.tsv; `path` names the file in the messages.
Expected<QByteArray, QString> buildFromTable(const QByteArray &table, const QString &path);

} // namespace ferolune::atlasindex
