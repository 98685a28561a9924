#pragma once

// The moments of one calendar year's scan on one clock, shared by the scans of every natal
// degree: the sampled moments of each day with their Sun-Moon angles, each computed once,
// and the stretches of time in which the angle can round into a given degree.
//
// The Moon always gains on the Sun, 10 to 15 degrees a day, so the angle passes through a
// degree once a month, in about two hours. The angle at every third day is enough to see
// in which of those steps it passes a degree's edges (it moves well under 180 degrees in
// one), and a root search within the step gives the instants. A scan guided by them
// evaluates only the sampled moments within the stretches, with the same arithmetic as a
// scan of every moment, and so finds the same days.

#include "core/calendar/calendar_run.h"
#include "core/calendar/local_clock.h"

#include <map>
#include <optional>
#include <utility>
#include <vector>

namespace ferolune {

class Ephemeris;

// How a year scan picks the moments it evaluates.
enum class ScanMethod {
    Guided,     // only the moments that can lie in the natal degree
    EveryMoment // every sampled moment: slow, kept as the reference the guided scan must equal
};

class YearMoments {
public:
    // The days of `request`'s year and the three days looked ahead into the next one, on
    // the clock of the request. Computes nothing yet.
    YearMoments(const CalendarRequest &request, Ephemeris &ephemeris);

    // A sampled moment: its Julian day and, once evaluated, the whole degree its angle
    // rounds into (as DegreeOfAngle) and the Moon's longitude.
    struct Moment {
        double julianDay = 0;
        bool evaluated = false;
        double degree = 0;
        double moonLongitude = 0;
    };

    Ephemeris &ephemeris() { return m_ephemeris; }
    const LocalClock &clock() const { return m_clock; }
    int dayCount() const { return m_dayCount; }
    // The days of the year and the three days looked ahead.
    int scannedDays() const { return static_cast<int>(m_days.size()); }

    // The sampled moments of a scanned day (0 .. dayCount() + 2), in the order the scan
    // takes them.
    std::vector<Moment> &momentsOf(int dayIndex);

    // Computes the angle of a moment once. Throws EphemerisError when the library cannot.
    void evaluate(Moment &moment);

    // Whether an instant, or some instant of [from, to], may have an angle that rounds into
    // `degree` (0..359). A false answer is certain; a true one asks for an evaluation.
    bool mayLieIn(int degree, double julianDay);
    bool mayLieIn(int degree, double from, double to);

    // Julian days that enclose every sampled moment of a scanned day.
    std::pair<double, double> daySpan(int dayIndex) const;

private:
    // Where the angle may round into a degree within one grid step: nowhere, or [from, to].
    struct StepStretch {
        bool known = false;
        bool any = false;
        double from = 0;
        double to = 0;
    };

    double gridTime(int point) const { return m_gridFrom + point * m_gridStep; }
    int stepOf(double julianDay) const;
    std::optional<double> gridAngle(int point);
    const StepStretch &stretchOf(int degree, int step);
    StepStretch findStretch(int degree, int step);
    double angleAt(double julianDay);
    // An instant of grid step `step` at which the angle has not passed `edge` yet
    // (fromBelow), else one at which it has, within a few thousandths of a degree of it.
    double edgeInstant(int step, double edge, bool fromBelow);

    // An angle computed within a grid step.
    struct GridProbe {
        double julianDay;
        double angle;
    };

    Ephemeris &m_ephemeris;
    int m_year;
    int m_dayCount;
    LocalClock m_clock;
    std::vector<std::optional<std::vector<Moment>>> m_days;
    double m_gridFrom = 0;
    double m_gridStep = 0;
    int m_gridSteps = 0; // none when the year's moments cannot be spanned: every moment is evaluated
    // The angle at each grid point; none when the library could not compute it, and the
    // steps either side are then evaluated moment by moment.
    std::vector<std::optional<std::optional<double>>> m_gridAngles;
    std::vector<std::vector<GridProbe>> m_stepProbes; // each step's, in time order
    std::map<int, std::vector<StepStretch>> m_stretches; // by degree
};

// The year scan of `natal` over `moments`, which must have been made for `request`.
// As ScanYear, which is this with a guided scan over moments of its own, except that the
// caller holds the LibraryFilesGuard: the scans of many births share the open files.
std::optional<CalendarModel> ScanYearWith(YearMoments &moments, const CalendarRequest &request,
                                          const NatalAngles &natal, ScanMethod method,
                                          const ProgressCheck &progress = {});

} // namespace ferolune
