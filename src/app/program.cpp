#include "app/program.h"

#include "gui/main_window/main_window.h"
#include "gui/calendar_window/calendar_window.h"
#include "io/export/calendar_export.h"
#include "gui/widgets/dialogs.h"

namespace ferolune {

ResidenceZoneOf ProgramResidenceZones()
{
    return AtlasResidenceZones(AtlasSource::shared());
}

Program::Program(CalendarWorker &worker, Dialogs &dialogs, const Clock &clock, CalendarEngine engine,
                 ResidenceZoneOf residenceZoneOf)
    : m_dialogs(dialogs)
    , m_residenceZoneOf(std::move(residenceZoneOf))
    , m_mainWindow(std::make_unique<MainWindow>(worker, dialogs, clock))
    , m_calendar(std::make_unique<CalendarController>(worker, dialogs, std::move(engine), m_mainWindow.get()))
{
    MainWindow *window = m_mainWindow.get();
    // While the calendar window is open the main window is out of reach; closing the
    // calendar brings it back with its fields as they were.
    QObject::connect(m_calendar.get(), &CalendarController::opening, window, &QWidget::hide);
    QObject::connect(m_calendar.get(), &CalendarController::closed, window, &QWidget::show);
    window->setCalendarCommand([this] { runCalendar(); });
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

void Program::runCalendar()
{
    if (m_calendar->isRunning())
        return;
    // A run never starts with a field it cannot read: it would scan against a wrong or
    // stale natal angle.
    const std::variant<CalendarRun, FieldProblem> run =
        CalendarRunOf(m_mainWindow->birthData(), m_mainWindow->calendarYearText(), m_residenceZoneOf,
                      m_mainWindow->cycleHistory(), m_mainWindow->eventKey());
    if (const FieldProblem *problem = std::get_if<FieldProblem>(&run)) {
        m_dialogs.message(m_mainWindow.get(), problem->message, Dialogs::Icon::Critical);
        m_mainWindow->focusField(problem->focusControl);
        return;
    }
    m_calendar->runCalendar(std::get<CalendarRun>(run));
}

} // namespace ferolune
