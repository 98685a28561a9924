#pragma once

// Drives a calendar run and a day detail between the main window, the computation and the
// calendar window: the natal chart, then the calendar window showing it, the year's
// calendar under the wait panel, the detail of a clicked moon-phase day, and the window's
// closing. The computations run on the worker's thread; the window stays responsive
// meanwhile and its closing stops them.

#include "core/calendar/calendar_model.h"
#include "core/calendar/calendar_run.h"
#include "io/export/calendar_document.h"

#include <QFuture>
#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

class QWidget;

namespace ferolune {

class BusyPointer;
class CalendarWindow;
class CalendarWorker;
class Dialogs;
class Ephemeris;

// The computation a run drives, replaceable by tests.
struct CalendarEngine {
    std::function<Expected<CalendarResult, RunFailure>(const CalendarRequest &, Ephemeris &, const RunObserver &)>
        calendar = RunCalendar;
    std::function<Expected<DayDetail, RunFailure>(const CalendarRequest &, const NatalAngles &, int, int, Ephemeris &,
                                                  const ProgressCheck &)>
        dayDetail = RunDayDetail;
};

class CalendarController : public QObject {
    Q_OBJECT
public:
    enum class Outcome {
        Finished, // the run or detail went through
        Stopped,  // the calendar window was closed (or stopRun called) while it worked
        Failed,   // the ephemeris cannot compute a moment: the message was shown
    };
    Q_ENUM(Outcome)

    // `dialogParent` (the main window) carries the messages shown while no calendar is open.
    CalendarController(CalendarWorker &worker, Dialogs &dialogs, CalendarEngine engine = {},
                       QWidget *dialogParent = nullptr, QObject *parent = nullptr);
    ~CalendarController() override;

    // Starts the calendar run: the natal chart, then the calendar window showing it and the
    // year's calendar under its wait panel. False, and nothing starts, while a run or detail
    // works. `finished` tells when it is done; the window stays open.
    bool runCalendar(const CalendarOrder &order);

    // Starts the detail of `month`/`day` of the calendar on screen. False, and nothing
    // starts, while a run or detail works or when no calendar is open.
    bool showDayDetail(int month, int day);

    // Makes a working run or detail stop before its next moment.
    void stopRun();

    bool isRunning() const { return m_running; }
    // The open calendar window, null when none.
    CalendarWindow *window() const;
    const CalendarModel &model() const { return m_model; }

signals:
    // The calendar window is about to show: the main window hides.
    void opening();
    // The calendar window is gone (closed by the user, or discarded by a failed run): the
    // main window shows itself again.
    void closed();
    // A run or detail has ended.
    void finished(CalendarController::Outcome outcome);

private:
    using CalendarOutcome = Expected<CalendarResult, RunFailure>;
    using DetailOutcome = Expected<DayDetail, RunFailure>;

    template <class Result>
    void watch(QFuture<Result> future, void (CalendarController::*done)(const QFuture<Result> &));
    void natalChartReady(const NatalChart &natal);
    void calendarDone(const QFuture<CalendarOutcome> &future);
    void dayDetailDone(const QFuture<DetailOutcome> &future);
    void showProgress(int done);
    void start(RunProgress::Unit unit);
    void finish(Outcome outcome);

    void buildWindow(const NatalChart &natal);
    // The window goes, without telling the main window.
    void disposeWindow();
    // The window goes after a failed run: the main window shows itself again.
    void discardWindow();
    void onWindowClosed();
    void showMessage(const QString &text);

    CalendarWorker &m_worker;
    Dialogs &m_dialogs;
    CalendarEngine m_engine;
    QPointer<QWidget> m_dialogParent;
    QPointer<CalendarWindow> m_window;
    CalendarOrder m_order; // the run of the calendar on screen
    NatalAngles m_angles;  // its natal angles, which its day details look for
    CalendarModel m_model;
    QFuture<void> m_job; // the computation at hand
    RunProgress m_progress;
    bool m_running = false;
    std::unique_ptr<BusyPointer> m_busy;
};

} // namespace ferolune
