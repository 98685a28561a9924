#pragma once

// Starting a calendar run or a day detail and waiting, with the event loop running, until
// the controller says it has ended.

#include "app/program.h"
#include "gui/calendar_window/calendar_controller.h"
#include "io/form/read_birth_form.h"

#include <QSignalSpy>
#include <QTest>

#include <optional>

namespace ferolune::test {

// The run a main window holding `form` starts for `calendarYear`, on the zone field's clock.
inline CalendarOrder runOf(const BirthForm &form = {}, const QString &calendarYear = QStringLiteral("2026"))
{
    return CalendarOrderOf(*ReadRunForm(form, calendarYear), calendarYear, {});
}

// The outcome once the controller's next `finished` arrives; nullopt when none came.
template <class Start>
std::optional<CalendarController::Outcome> outcomeOf(CalendarController &controller, Start start,
                                                     int timeoutMs = 120000)
{
    QSignalSpy finished(&controller, &CalendarController::finished);
    if (!start())
        return std::nullopt;
    if (finished.isEmpty() && !finished.wait(timeoutMs))
        return std::nullopt;
    return finished.first().first().value<CalendarController::Outcome>();
}

inline std::optional<CalendarController::Outcome> runToEnd(CalendarController &controller, const CalendarOrder &run)
{
    return outcomeOf(controller, [&] { return controller.runCalendar(run); });
}

inline std::optional<CalendarController::Outcome> detailToEnd(CalendarController &controller, int month, int day)
{
    return outcomeOf(controller, [&] { return controller.showDayDetail(month, day); });
}

} // namespace ferolune::test
