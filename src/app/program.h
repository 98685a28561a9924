#pragma once

// The program's parts and how they meet: the chart state and the ephemeris it owns, the
// main window, and the calendar run that "NAPTÁR KÉSZITÉSE" starts.

#include "calendar/calendar_engine.h"
#include "chart/chart_state.h"
#include "common/process_setup.h"
#include "common/qt_translation.h"
#include "places/atlas_source.h"

#include <QStringList>

#include <memory>

namespace ferolune {

class CalendarController;
class Clock;
class Dialogs;
class Ephemeris;
class MainWindow;

class Program {
public:
    Program(Ephemeris &ephemeris, Dialogs &dialogs, const Clock &clock, CalendarEngine engine = ProgramCalendarEngine());
    ~Program();
    Program(const Program &) = delete;
    Program &operator=(const Program &) = delete;

    // Start-up of the main window, then shows it.
    void start();

    MainWindow &mainWindow() { return *m_mainWindow; }
    CalendarController &calendar() { return *m_calendar; }

private:
    void runCalendar();

    ChartState m_state;
    std::unique_ptr<MainWindow> m_mainWindow;
    std::unique_ptr<CalendarController> m_calendar;
};

} // namespace ferolune
