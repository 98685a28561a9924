#pragma once

// Drives a calendar run and a day detail between the main window, the computation and the
// calendar window: the natal chart, the calendar window with its load step, the year scan
// under the wait panel, the detail of a clicked moon-phase day, and the window's closing.

#include "calendar/calendar_engine.h"
#include "calendar/calendar_model.h"
#include "chart/birth_data.h"

#include <QObject>
#include <QPointer>
#include <QString>

class QWidget;

namespace ferolune {

class CalendarWindow;
class Dialogs;
class Ephemeris;
class RunError;
struct ChartState;

class CalendarController : public QObject {
    Q_OBJECT
public:
    enum class Outcome {
        Finished, // the run or detail went through
        Stopped,  // the calendar window was closed (or stopRun called) while it worked
        Refused,  // a field is not a number: nothing started, the message was shown
        Failed,   // the ephemeris cannot compute a moment: the message was shown
        Busy,     // a run or detail is already working (or no calendar is open for a detail)
    };

    // `dialogParent` (the main window) carries the messages shown while no calendar is open.
    CalendarController(ChartState &state, Ephemeris &ephemeris, Dialogs &dialogs, CalendarEngine engine,
                       QWidget *dialogParent = nullptr, QObject *parent = nullptr);
    ~CalendarController() override;

    // The calendar run: checks the fields, computes the natal chart, builds and shows the
    // calendar window (load step with `calendarYearText` and the name) and scans the year.
    // Returns when the scan ends; the window stays open.
    Outcome runCalendar(const BirthData &fields, const QString &calendarYearText);

    // The detail of month CurHo, day CurNap of the calendar on screen, with the fields and
    // calendar year of its run. The window's clicks on moon-phase days come here.
    Outcome Reszletes(float CurHo, float CurNap);

    // Makes a working run or detail stop before its next moment.
    void stopRun();

    bool isRunning() const { return m_running; }
    // The open calendar window, null when none.
    CalendarWindow *window() const { return m_window; }
    const CalendarModel &model() const { return m_model; }

signals:
    // The calendar window is about to show: the main window hides.
    void opening();
    // A field is not a number: the main window puts the focus in `control` ("txtDay", "Text1",
    // "Text3" ...). The message has been shown already.
    void fieldRejected(const QString &control);
    // The calendar window is gone (closed by the user, or discarded by a failed run): the
    // main window shows itself again.
    void closed();

private:
    MomentCallback momentCallback();
    void buildWindow(const BirthData &fields, const QString &calendarYearText);
    // The window goes, without telling the main window.
    void disposeWindow();
    // The window goes after a failed run: the main window shows itself again.
    void discardWindow();
    void onWindowClosed();
    void reportRunError(const RunError &error);
    void showMessage(const QString &text);
    Outcome finishScan(RunOutcome outcome);

    ChartState &m_state;
    Ephemeris &m_ephemeris;
    Dialogs &m_dialogs;
    CalendarEngine m_engine;
    QPointer<QWidget> m_dialogParent;
    QPointer<CalendarWindow> m_window;
    CalendarModel m_model;
    BirthData m_fields;         // the fields of the calendar on screen
    QString m_calendarYearText; // and its year
    bool m_running = false;
    bool m_stopRequested = false;
};

// The load step and the natal chart of a run in `window`, with the cells of `model`: what
// the controller shows, and what the command line draws its page from.
void FillCalendarWindow(CalendarWindow &window, const BirthData &fields, const QString &calendarYearText,
                        const ChartState &state, const CalendarModel &model);

} // namespace ferolune
