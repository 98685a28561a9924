#pragma once

#include "core/calendar/calendar_run.h"
#include "core/chart/ephemeris.h"
#include "core/chart/natal_chart.h"
#include "io/form/read_birth_form.h"

#include <QStringList>

#include <set>
#include <stdexcept>

namespace ferolune::test {

inline Ephemeris &calendarEphemeris()
{
    static Ephemeris ephemeris(QStringList{QStringLiteral(FEROLUNE_EPHEMS_DIR)});
    return ephemeris;
}

// A birth form of a date, a 24-hour clock time and a zone, the place left as it is.
inline BirthForm birthOf(const char *year, const char *month, const char *day, int hour, const char *minute,
                         const char *zone)
{
    BirthForm form;
    form.year = QString::fromLatin1(year);
    form.month = QString::fromLatin1(month);
    form.day = QString::fromLatin1(day);
    form.hour = QString::number(hour);
    form.beforeNoon = hour < 12;
    form.hour12 = QString::number(hour % 12 == 0 ? 12 : hour % 12);
    form.minute = QString::fromLatin1(minute);
    form.zoneText = QString::fromLatin1(zone);
    return form;
}

// The birth a run reads from `form`; throws when a field cannot be read.
inline BirthInput birthInputOf(const BirthForm &form = {})
{
    const Expected<CheckedRun, FieldProblem> run = ReadRunForm(form, QStringLiteral("2026"));
    if (!run)
        throw std::invalid_argument(run.error().message.toStdString());
    return run->birth;
}

inline NatalChart natalOf(const BirthForm &form = {})
{
    return ComputeNatalChart(birthInputOf(form), calendarEphemeris());
}

// The calendar request a run of `form` makes for `year`.
inline CalendarRequest requestOf(const BirthForm &form = {}, int year = 2026, const QByteArray &residence = {})
{
    return {birthInputOf(form), year, residence, {}};
}

// The natal angles of a request, as a run finds them.
inline NatalAngles anglesOf(const CalendarRequest &request)
{
    return NatalAnglesOf(ComputeNatalChart(request.birth, calendarEphemeris()), request.birth,
                         [](const BirthInput &moved) { return ComputeNatalChart(moved, calendarEphemeris()); });
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
