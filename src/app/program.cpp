#include "app/program.h"

#include "core/places/atlas_source.h"
#include "gui/calendar_window/calendar_window.h"
#include "gui/main_window/clock.h"
#include "gui/main_window/main_window.h"
#include "gui/main_window/plan_dialog.h"
#include "gui/widgets/dialogs.h"
#include "io/form/read_birth_form.h"

namespace ferolune {

Program::Program(CalendarWorker &worker, Dialogs &dialogs, const Clock &clock, AtlasSource &atlas,
                 CalendarEngine engine)
    : m_worker(worker), m_dialogs(dialogs), m_clock(clock), m_atlas(atlas), m_mainWindow(std::make_unique<MainWindow>(worker, dialogs, clock, atlas)),
      m_calendar(std::make_unique<CalendarController>(worker, dialogs, std::move(engine), m_mainWindow.get()))
{
    MainWindow *window = m_mainWindow.get();
    // While the calendar window is open the main window is out of reach; closing the
    // calendar brings it back with its fields as they were.
    QObject::connect(m_calendar.get(), &CalendarController::opening, window, &QWidget::hide);
    QObject::connect(m_calendar.get(), &CalendarController::closed, window, &QWidget::show);
    window->setCalendarCommand([this] { runCalendar(); });
    window->setPlanCommand([this] { openPlanner(); });
}

Program::~Program()
{
    // The calendar window may still be open; it goes with its controller, before the
    // main window that carries the controller's messages.
    m_calendar.reset();
}

void Program::start()
{
    m_mainWindow->startUp();
    m_mainWindow->show();
}

std::optional<CalendarOrder> Program::orderFromWindow(const QString &yearText)
{
    // A run never starts with a field it cannot read: it would scan against a wrong or
    // stale natal angle.
    const BirthForm form = m_mainWindow->birthForm();
    const Expected<CheckedRun, FieldProblem> run = ReadRunForm(form, yearText);
    if (!run) {
        m_dialogs.message(m_mainWindow.get(), run.error().message, Dialogs::Icon::Critical);
        m_mainWindow->focusField(run.error().field);
        return std::nullopt;
    }
    return CalendarOrderOf(*run, yearText, ResidenceZoneId(m_atlas, form.residence), m_mainWindow->cycleHistory(),
                           m_mainWindow->eventKey());
}

void Program::runCalendar()
{
    if (m_calendar->isRunning())
        return;
    std::optional<CalendarOrder> order = orderFromWindow(m_mainWindow->calendarYearText());
    if (!order)
        return;
    order->heading.today = m_clock.now().date();
    m_calendar->runCalendar(*order);
}

void Program::openPlanner()
{
    // The planner makes the calendars of the years it spans; the calendar year field is
    // not read, and the birth is checked as for a calendar of this year.
    const QDate today = m_clock.now().date();
    const std::optional<CalendarOrder> order = orderFromWindow(QString::number(today.year()));
    if (!order)
        return;
    PlanDialog dialog(m_worker, m_dialogs, *order, today, m_mainWindow.get());
    dialog.exec();
}

} // namespace ferolune
