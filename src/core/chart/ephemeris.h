#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>
#include <stdexcept>

namespace ferolune {

// The library could not compute a position at all (it left no value), as for moments
// beyond the range of its data files and of its built-in ephemeris.
class EphemerisError : public std::runtime_error {
public:
    EphemerisError(double julianDay, const QString &libraryText);
    double julianDay() const { return m_julianDay; }
    const QString &libraryText() const { return m_libraryText; }

private:
    double m_julianDay;
    QString m_libraryText;
};

// A moment and place to compute a chart for: the Gregorian date, the universal hour
// (below 0 or past 24 it reaches into the neighbouring day) and minute, and the place in
// signed degrees (east and north positive).
struct ChartMoment {
    std::int16_t year = 0;
    std::int16_t month = 0;
    std::int16_t day = 0;
    float hour = 0;
    float minute = 0;
    double longitude = 0;
    double latitude = 0;
};

// The ecliptic longitudes the natal chart shows, as the library gives them for a moment:
// the Sun, the Moon, the mean lunar node, Lilith (the mean lunar apogee) and the Ascendant
// of the Placidus houses.
struct ChartPositions {
    double julianDay = 0;
    double sun = 0;
    double moon = 0;
    double meanNode = 0;
    double lilith = 0;
    double ascendant = 0;
};

struct SunMoon {
    double sunLon = 0;
    double moonLon = 0;
};

// The one owner of the Swiss Ephemeris. The library keeps global state, so the program
// makes exactly one Ephemeris and passes it to whoever computes. The constructor sets
// the search path once.
//
// One rule for the library's data files: every computation closes them when it ends, and
// keeps them open while it lasts. A chart (ComputeEphemeris) and a one-off question
// (dataFilesFound) are a computation of their own. A run of many moments (the year scan,
// the day detail, the exact returns) holds a LibraryFilesGuard for its whole length and
// asks sunAndMoon and usesDataFilesAt, which leave the files open, between.
class Ephemeris {
public:
    explicit Ephemeris(const QStringList &directories);
    ~Ephemeris();
    Ephemeris(const Ephemeris &) = delete;
    Ephemeris &operator=(const Ephemeris &) = delete;

    // <executable directory>/ephems first, then the system's data directory.
    static QStringList defaultDirectories(const QString &executableDirectory);

    const QStringList &directories() const { return m_directories; }

    // False when the library had to fall back to its built-in, less precise ephemeris
    // because its data files were not found in any of the directories.
    bool dataFilesFound();

    // Julian day of a Gregorian date and decimal universal hour (the date may be out of
    // range: 30 February or an hour past 24 roll over into the following days).
    static double julianDay(int year, int month, int day, double hourDecimal);

    // The positions of a chart moment. Throws EphemerisError when the Sun or the Moon
    // cannot be computed; the other points are given as the library leaves them.
    ChartPositions ComputeEphemeris(const ChartMoment &moment);

    // Geocentric ecliptic longitudes of the Sun and the Moon at a Julian day, within a run
    // of moments. Throws
    // EphemerisError when the library cannot compute them, a hair either side included.
    SunMoon sunAndMoon(double julianDay);

    // True when the Sun and the Moon at a Julian day come from the installed data files,
    // false when the library takes its built-in, less precise ephemeris (outside the years
    // the files cover) or cannot compute them. Within a run of moments.
    bool usesDataFilesAt(double julianDay);

private:
    friend class LibraryFilesGuard;
    // Closes the library's files (the search path stays set).
    void close();

    QStringList m_directories;
};

// Closes the library's files when a computation ends, however it ends.
class LibraryFilesGuard {
public:
    explicit LibraryFilesGuard(Ephemeris &ephemeris) : m_ephemeris(ephemeris) {}
    ~LibraryFilesGuard() { m_ephemeris.close(); }
    LibraryFilesGuard(const LibraryFilesGuard &) = delete;
    LibraryFilesGuard &operator=(const LibraryFilesGuard &) = delete;

private:
    Ephemeris &m_ephemeris;
};

} // namespace ferolune
