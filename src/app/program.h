#pragma once

// The program's parts and how they meet: the main window, and the calendar run that
// "NAPTÁR KÉSZITÉSE" starts with the values the main window's fields hold.

#include "gui/calendar_window/calendar_controller.h"
#include "core/common/process_setup.h"
#include "core/common/qt_translation.h"
#include "core/places/atlas_source.h"

#include <QStringList>

#include <memory>
#include <variant>

namespace ferolune {

class CalendarWorker;
class Clock;
class Dialogs;
class MainWindow;

// The residence zones of the program's atlas.
ResidenceZoneOf ProgramResidenceZones();

class Program {
public:
    Program(CalendarWorker &worker, Dialogs &dialogs, const Clock &clock, CalendarEngine engine = {},
            ResidenceZoneOf residenceZoneOf = ProgramResidenceZones());
    ~Program();
    Program(const Program &) = delete;
    Program &operator=(const Program &) = delete;

    // Start-up of the main window, then shows it.
    void start();

    MainWindow &mainWindow() { return *m_mainWindow; }
    CalendarController &calendar() { return *m_calendar; }

private:
    void runCalendar();

    Dialogs &m_dialogs;
    ResidenceZoneOf m_residenceZoneOf;
    std::unique_ptr<MainWindow> m_mainWindow;
    std::unique_ptr<CalendarController> m_calendar;
};

} // namespace ferolune
