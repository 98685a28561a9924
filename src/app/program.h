#pragma once

// The program's parts and how they meet: the main window, and the calendar run that
// "NAPTÁR KÉSZITÉSE" starts with the values the main window's fields hold.

#include "app/atlas_source.h"
#include "calendar/window/calendar_controller.h"
#include "calendar/run_fields.h"

#include <QStringList>

#include <memory>
#include <variant>

namespace ferolune {

class CalendarWorker;
class Clock;
class Dialogs;
class MainWindow;

// What the process sets before anything else, window or command line: Qt's own warnings
// (in English, for developers) never reach the user, and a reader that goes away from a
// FIFO or pipe being written makes the write fail with a message instead of ending the
// program.
void PrepareProcess();

// Qt's own Hungarian translation, so that the dialogs Qt draws (file dialogs, message box
// buttons) speak Hungarian like the rest of the program. False when it is not installed.
bool InstallQtHungarianTranslation();

// The residence zones of the program's atlas.
ResidenceZoneOf ProgramResidenceZones();

// The calendar run the fields and the calendar year make, read once, or the first field it
// cannot read. The calendar is read on the clock `residenceZoneOf` finds for the place of
// residence (none: the zone field's).
std::variant<CalendarRun, FieldProblem> CalendarRunOf(const BirthData &fields, const QString &calendarYearText,
                                                      const ResidenceZoneOf &residenceZoneOf);

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
