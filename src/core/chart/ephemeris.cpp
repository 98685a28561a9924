#include "core/chart/ephemeris.h"

#include "core/common/data_paths.h"

#include <swephexp.h>

#include <QByteArray>
#include <QDir>

#include <array>

namespace ferolune {

namespace {

constexpr int32 LongitudeFlags = SEFLG_SWIEPH | SEFLG_SPEED; // 258

struct BodyResult {
    int32 code = 0;
    double value = 0;
    QString errorText;
};

// One library position call with a fresh error-text buffer; returns the entry wanted.
BodyResult calcEntry(double julianDay, int body, int32 flags, int entry)
{
    std::array<double, 6> position{};
    std::array<char, 256> errorText{};
    BodyResult result;
    result.code = swe_calc(julianDay, body, flags, position.data(), errorText.data());
    result.value = position[static_cast<size_t>(entry)];
    if (result.code < 0)
        result.errorText = QString::fromLocal8Bit(errorText.data());
    return result;
}

// The library gives up on the Moon from the first instant of its data files (1 January 1800,
// 0h) until about 1.3 seconds later: the Moon's light time reaches back before the files.
// It is asked again a hair later (a library that misses only the instant itself answers
// there from the files), then a hair earlier, where it takes its built-in ephemeris for the
// whole computation, before the position counts as failed.
constexpr double FileEdgeNudges[] = {1e-9, -1e-9};

BodyResult calcEntryPastFileEdge(double julianDay, int body, int32 flags, int entry)
{
    BodyResult result = calcEntry(julianDay, body, flags, entry);
    for (const double nudge : FileEdgeNudges) {
        if (result.code >= 0)
            break;
        BodyResult retry = calcEntry(julianDay + nudge, body, flags, entry);
        if (retry.code >= 0)
            result = retry;
    }
    return result;
}

} // namespace

EphemerisError::EphemerisError(double julianDay, const QString &libraryText)
    : std::runtime_error(QStringLiteral("Swiss Ephemeris cannot compute JD %1: %2")
                             .arg(julianDay, 0, 'f', 5)
                             .arg(libraryText)
                             .toStdString())
    , m_julianDay(julianDay)
    , m_libraryText(libraryText)
{
}

Ephemeris::Ephemeris(const QStringList &directories)
    : m_directories(directories)
{
    // The library takes a list of directories separated as the platform separates paths.
    const QByteArray path = m_directories.join(QDir::listSeparator()).toLocal8Bit();
    swe_set_ephe_path(path.constData());
}

Ephemeris::~Ephemeris()
{
    swe_close();
}

QStringList Ephemeris::defaultDirectories(const QString &executableDirectory)
{
    return {QDir(executableDirectory).filePath(QStringLiteral("ephems")), systemEphemerisDirectory()};
}

bool Ephemeris::dataFilesFound()
{
    const LibraryFilesGuard closeFiles(*this);
    std::array<double, 6> position{};
    std::array<char, 256> errorText{};
    const int32 code = swe_calc(2451545.0 /* J2000 */, SE_SUN, SEFLG_SWIEPH, position.data(), errorText.data());
    return code >= 0 && (code & SEFLG_SWIEPH);
}

double Ephemeris::julianDay(int year, int month, int day, double hourDecimal)
{
    double julianDay = swe_julday(year, month, day, hourDecimal, SE_GREG_CAL);
    // Writes the Julian day of the same numbers whether or not it finds the date valid.
    swe_date_conversion(year, month, day, hourDecimal, 'g', &julianDay);
    return julianDay;
}

ChartPositions Ephemeris::ComputeEphemeris(const ChartMoment &moment)
{
    ChartPositions positions;
    const double hourDecimal = moment.minute / 60.0 + moment.hour;
    positions.julianDay = julianDay(moment.year, moment.month, moment.day, hourDecimal);
    const double jd = positions.julianDay;
    const LibraryFilesGuard closeFiles(*this);

    for (const auto &[body, destination] : {std::pair{SE_SUN, &positions.sun}, std::pair{SE_MOON, &positions.moon}}) {
        const BodyResult longitude = calcEntryPastFileEdge(jd, body, LongitudeFlags, 0);
        if (longitude.code < 0)
            throw EphemerisError(jd, longitude.errorText);
        *destination = longitude.value;
    }
    positions.meanNode = calcEntry(jd, SE_MEAN_NODE, LongitudeFlags, 0).value;
    positions.lilith = calcEntry(jd, SE_MEAN_APOG, LongitudeFlags, 0).value;

    std::array<double, 13> cusps{};
    std::array<double, 10> angles{};
    swe_houses(jd, moment.latitude, moment.longitude, 'P', cusps.data(), angles.data());
    positions.ascendant = cusps[1];
    return positions;
}

SunMoon Ephemeris::sunAndMoon(double julianDay)
{
    SunMoon result;
    for (int body : {SE_SUN, SE_MOON}) {
        const BodyResult longitude = calcEntryPastFileEdge(julianDay, body, LongitudeFlags, 0);
        if (longitude.code < 0)
            throw EphemerisError(julianDay, longitude.errorText);
        (body == SE_SUN ? result.sunLon : result.moonLon) = longitude.value;
    }
    return result;
}

bool Ephemeris::usesDataFilesAt(double julianDay)
{
    for (int body : {SE_SUN, SE_MOON}) {
        // The library says in its return flags which ephemeris it took.
        const BodyResult longitude = calcEntryPastFileEdge(julianDay, body, LongitudeFlags, 0);
        if (longitude.code < 0 || (longitude.code & SEFLG_SWIEPH) == 0)
            return false;
    }
    return true;
}

void Ephemeris::close()
{
    swe_close();
}

} // namespace ferolune
