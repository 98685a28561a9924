#pragma once

#include "core/calendar/calendar_run.h"
#include "core/chart/ephemeris.h"
#include "core/chart/natal_chart.h"
#include "core/calendar/run_fields.h"

#include <QStringList>

#include <set>
#include <stdexcept>

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

// The values a run reads from `fields`; throws when a field cannot be read.
inline RunValues valuesOf(const BirthData &fields = {}, const QString &calendarYear = QStringLiteral("2026"))
{
    const std::variant<RunValues, FieldProblem> values = ReadRunValues(fields, calendarYear);
    if (const FieldProblem *problem = std::get_if<FieldProblem>(&values))
        throw std::invalid_argument(problem->field.toStdString());
    return std::get<RunValues>(values);
}

inline NatalChart natalOf(const BirthData &fields = {})
{
    return ComputeNatalChart(valuesOf(fields).birth, calendarEphemeris());
}

// The calendar request a run of `fields` makes for `year`, with its natal angle.
inline CalendarRequest requestOf(const BirthData &fields = {}, int year = 2026, const QByteArray &residence = {})
{
    const RunValues values = valuesOf(fields, QString::number(year));
    const NatalChart natal = ComputeNatalChart(values.birth, calendarEphemeris());
    return {year, values.birth.zoneHours, residence, natal.angle, natal.angleRounded, {}};
}

// The days a scan examines, from the progress it reports before every moment, and how
// many moments it takes on them.
struct ExaminedDays {
    std::set<int> days;
    int moments = 0;

    ProgressCheck recorder(std::function<bool(const RunProgress &)> stopWhen = {})
    {
        return [this, stopWhen](const RunProgress &progress) {
            if (stopWhen && stopWhen(progress))
                return false;
            days.insert(progress.done);
            ++moments;
            return true;
        };
    }
};

} // namespace ferolune::test
