#include "app/program.h"

#include "app/main_window.h"
#include "calendar/window/calendar_controller.h"
#include "calendar/window/calendar_window.h"

namespace ferolune {

Program::Program(Ephemeris &ephemeris, Dialogs &dialogs, const Clock &clock, CalendarEngine engine)
    : m_mainWindow(std::make_unique<MainWindow>(m_state, ephemeris, dialogs, clock))
    , m_calendar(std::make_unique<CalendarController>(m_state, ephemeris, dialogs, std::move(engine),
                                                      m_mainWindow.get()))
{
    MainWindow *window = m_mainWindow.get();
    // While the calendar window is open the main window is out of reach; closing the
    // calendar brings it back with its fields as they were.
    QObject::connect(m_calendar.get(), &CalendarController::opening, window, &QWidget::hide);
    QObject::connect(m_calendar.get(), &CalendarController::closed, window, &QWidget::show);
    QObject::connect(m_calendar.get(), &CalendarController::fieldRejected, window, &MainWindow::focusField);
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
    m_mainWindow->Form_Load();
    m_mainWindow->show();
}

void Program::runCalendar()
{
    m_calendar->runCalendar(m_mainWindow->birthData(), m_mainWindow->calendarYearText());
}

} // namespace ferolune
