#pragma once

#include "chart/chart_state.h"

#include <QString>
#include <QStringList>

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

struct SunMoon {
    double sunLon = 0;
    double moonLon = 0;
};

// The one owner of the Swiss Ephemeris. The library keeps global state, so the program
// makes exactly one Ephemeris and passes it to whoever computes. The constructor sets
// the search path once; the library's files stay open between calls until close().
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

    // The positions, houses and sidereal time of the chart moment in `state`. Closes the
    // library's files afterwards. Throws EphemerisError when the Sun or the Moon cannot
    // be computed; the other bodies are stored as the library leaves them.
    void ComputeEphemeris(ChartState &state);

    // Geocentric ecliptic longitudes of the Sun and the Moon at a Julian day. Keeps the
    // library's files open: call close() when a run of moments ends. Throws
    // EphemerisError when the library cannot compute them, a hair either side included.
    SunMoon sunAndMoon(double julianDay);

    // True when the Sun and the Moon at a Julian day come from the installed data files,
    // false when the library takes its built-in, less precise ephemeris (outside the years
    // the files cover) or cannot compute them. Keeps the library's files open.
    bool usesDataFilesAt(double julianDay);

    // Closes the library's files (the search path stays set).
    void close();

private:
    QStringList m_directories;
};

// Closes the library's files when a run of moments ends, however it ends.
class LibraryFilesGuard {
public:
    explicit LibraryFilesGuard(Ephemeris &ephemeris) : m_ephemeris(ephemeris) {}
    ~LibraryFilesGuard() { m_ephemeris.close(); }
    LibraryFilesGuard(const LibraryFilesGuard &) = delete;
    LibraryFilesGuard &operator=(const LibraryFilesGuard &) = delete;

private:
    Ephemeris &m_ephemeris;
};

// "05h 07m 36s" from SiderealDegrees; seconds truncated.
void FormatSiderealTime(ChartState &state);

} // namespace ferolune
