#pragma once

// The program's parts and how they meet: the chart state and the ephemeris it owns, the
// main window, and the calendar run that "NAPTÁR KÉSZITÉSE" starts.

#include "calendar/calendar_engine.h"
#include "chart/chart_state.h"

#include <QStringList>

#include <memory>

namespace ferolune {

class CalendarController;
class Clock;
class Dialogs;
class Ephemeris;
class MainWindow;

// What the process sets before anything else, window or command line: Qt's own warnings
// (in English, for developers) never reach the user, and a reader that goes away from a
// FIFO or pipe being written makes the write fail with a message instead of ending the
// program.
void PrepareProcess();

// Qt's own Hungarian translation, so that the dialogs Qt draws (file dialogs, message box
// buttons) speak Hungarian like the rest of the program. False when it is not installed.
bool InstallQtHungarianTranslation();

// The real computation, with the calendar on the clock of a place of residence chosen
// from the program's atlas.
CalendarEngine ProgramCalendarEngine();

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
