#pragma once

// The program's parts and how they meet: the main window, and the calendar run that
// "NAPTÁR KÉSZITÉSE" starts and the planner "TERVEZŐ…" opens with the values the main
// window's fields hold.

#include "gui/calendar_window/calendar_controller.h"

#include <memory>
#include <optional>

namespace ferolune {

class AtlasSource;
class CalendarWorker;
class Clock;
class Dialogs;
class MainWindow;

class Program {
public:
    Program(CalendarWorker &worker, Dialogs &dialogs, const Clock &clock, AtlasSource &atlas,
            CalendarEngine engine = {});
    ~Program();
    Program(const Program &) = delete;
    Program &operator=(const Program &) = delete;

    // Start-up of the main window, then shows it.
    void start();

    MainWindow &mainWindow() { return *m_mainWindow; }
    CalendarController &calendar() { return *m_calendar; }

private:
    // The window's birth, checked with `yearText` as the calendar year, as a run's order;
    // nullopt when a field is refused, which the user is told, with the focus put there.
    std::optional<CalendarOrder> orderFromWindow(const QString &yearText);
    void runCalendar();
    // TERVEZŐ…: the planner for the person in the main window, from today.
    void openPlanner();

    CalendarWorker &m_worker;
    Dialogs &m_dialogs;
    const Clock &m_clock; // today's date, marked on the calendar
    AtlasSource &m_atlas;
    std::unique_ptr<MainWindow> m_mainWindow;
    std::unique_ptr<CalendarController> m_calendar;
};

} // namespace ferolune
