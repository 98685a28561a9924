#pragma once

#include "calendar/calendar_run.h"
#include "chart/ephemeris.h"
#include "chart/natal_chart.h"

#include <QStringList>

#include <functional>
#include <vector>

namespace ferolune::test {

inline Ephemeris &calendarEphemeris()
{
    static Ephemeris ephemeris(QStringList{QStringLiteral(FEROLUNE_EPHEMS_DIR)});
    return ephemeris;
}

// Birth fields of a date, a 24-hour clock time and a zone, the place left as it is.
inline BirthData birthOf(const char *year, const char *month, const char *day, int hour, const char *minute,
                         const char *zone)
{
    BirthData fields;
    fields.txtYear = QString::fromLatin1(year);
    fields.txtMonth = QString::fromLatin1(month);
    fields.txtDay = QString::fromLatin1(day);
    fields.Text1 = QString::number(hour);
    fields.optAM = hour < 12;
    fields.txtBirthHour = QString::number(hour % 12 == 0 ? 12 : hour % 12);
    fields.txtBirthMinute = QString::fromLatin1(minute);
    fields.txtTZ = QString::fromLatin1(zone);
    return fields;
}

inline ChartState natalStateOf(const BirthData &fields = {})
{
    ChartState state;
    state.EvalMode = EvaluationMode::Natal;
    ComputeNatalChart(state, fields, calendarEphemeris());
    return state;
}

// One evaluated moment as the chart state describes it afterwards.
struct LoggedMoment {
    int cell = 0;
    int year = 0, month = 0, day = 0;
    float hour = 0, minute = 0;
    double julianDay = 0;
    double scanAngle = 0;
};

// Records every moment a run evaluates. The callback runs before each moment, when the
// state still describes the one before it and CellIndex already names the coming one.
class MomentLog {
public:
    using StopWhen = std::function<bool(const RunProgress &)>;

    MomentCallback callback(const ChartState &state, StopWhen stopWhen = {})
    {
        return [this, &state, stopWhen](const RunProgress &progress) {
            recordPending(state);
            if (stopWhen && stopWhen(progress))
                return false;
            m_pendingCell = static_cast<int>(state.CellIndex);
            m_pending = true;
            return true;
        };
    }

    // Adds the run's last moment.
    const std::vector<LoggedMoment> &finish(const ChartState &state)
    {
        recordPending(state);
        return m_moments;
    }

private:
    void recordPending(const ChartState &state)
    {
        if (!m_pending)
            return;
        m_moments.push_back({m_pendingCell, state.ChartYear, state.ChartMonth, state.ChartDay, state.ChartHour,
                             state.ChartMinute, state.ChartJulianDay, state.Scan.Angle});
        m_pending = false;
    }

    std::vector<LoggedMoment> m_moments;
    bool m_pending = false;
    int m_pendingCell = 0;
};

} // namespace ferolune::test
