#include "calendar/window/calendar_controller.h"

#include "calendar/run_fields.h"
#include "calendar/run_messages.h"
#include "calendar/window/calendar_window.h"
#include "chart/chart_state.h"
#include "chart/ephemeris.h"
#include "chart/field_rules.h"
#include "chart/natal_chart.h"
#include "common/run_error.h"
#include "export/calendar_file.h"
#include "widgets/busy_pointer.h"
#include "widgets/dialogs.h"

#include <QCoreApplication>

#include <algorithm>

namespace ferolune {

namespace {

// Marks a run as working for the life of the guard, with the busy pointer; the pointer
// still clicks, so the calendar window can be closed while the run works.
class RunningGuard {
public:
    explicit RunningGuard(bool &running) : m_running(running) { m_running = true; }
    ~RunningGuard() { m_running = false; }
    RunningGuard(const RunningGuard &) = delete;
    RunningGuard &operator=(const RunningGuard &) = delete;

private:
    bool &m_running;
    const BusyPointer m_busy{Qt::BusyCursor};
};

} // namespace

CalendarController::CalendarController(ChartState &state, Ephemeris &ephemeris, Dialogs &dialogs,
                                       CalendarEngine engine, QWidget *dialogParent, QObject *parent)
    : QObject(parent), m_state(state), m_ephemeris(ephemeris), m_dialogs(dialogs), m_engine(std::move(engine)),
      m_dialogParent(dialogParent)
{
}

CalendarController::~CalendarController()
{
    disposeWindow();
}

CalendarController::Outcome CalendarController::runCalendar(const BirthData &fields, const QString &calendarYearText)
{
    if (m_running)
        return Outcome::Busy;
    // The natal chart and every moment convert these texts; a run never starts with one
    // it cannot read (it would scan against a wrong or stale natal angle), nor with a
    // birth that never was.
    if (const std::optional<FieldProblem> problem = FindFieldProblem(fields, calendarYearText)) {
        showMessage(problem->message);
        emit fieldRejected(problem->focusControl);
        return Outcome::Refused;
    }

    RunningGuard running(m_running);
    m_stopRequested = false;
    m_state.EvalMode = EvaluationMode::Natal;
    m_state.ChartText.clear();
    try {
        m_engine.computeNatalChart(m_state, fields, m_ephemeris);
    } catch (const RunError &error) {
        reportRunError(error);
        return Outcome::Refused;
    } catch (const EphemerisError &) {
        showMessage(BirthDateBeyondEphemerisMessage(fields.txtYear));
        return Outcome::Failed;
    }

    emit opening();
    buildWindow(fields, calendarYearText);

    try {
        return finishScan(m_engine.scanYear(m_state, m_fields, m_calendarYearText, m_ephemeris, m_model,
                                            momentCallback()));
    } catch (const RunError &error) {
        // A half-coloured calendar must not stay on screen as if it were finished.
        discardWindow();
        reportRunError(error);
        return Outcome::Refused;
    } catch (const EphemerisError &) {
        discardWindow();
        showMessage(CalendarYearBeyondEphemerisMessage(calendarYearText));
        return Outcome::Failed;
    }
}

void FillCalendarWindow(CalendarWindow &window, const BirthData &fields, const QString &calendarYearText,
                        const ChartState &state, const CalendarModel &model)
{
    window.showPage(PageOfRun(fields, calendarYearText, state.ChartText, AngleCaption(state), model));
}

void CalendarController::buildWindow(const BirthData &fields, const QString &calendarYearText)
{
    // A calendar still open from an earlier run is not reused: every run loads afresh.
    disposeWindow();
    m_fields = fields;
    m_calendarYearText = calendarYearText;

    m_window = new CalendarWindow(m_dialogs);
    connect(m_window, &CalendarWindow::closed, this, &CalendarController::onWindowClosed);
    // Queued: the detail runs from the event loop, not inside the window's click handler, so
    // closing the window during the detail never returns into a deleted window.
    connect(m_window, &CalendarWindow::detailRequested, this, &CalendarController::Reszletes, Qt::QueuedConnection);
    m_model = CalendarModel{};
    m_model.resetDays();
    FillCalendarWindow(*m_window, fields, calendarYearText, m_state, m_model);
    m_window->setWaitPanelVisible(true);
    m_window->showCentred();
}

CalendarController::Outcome CalendarController::finishScan(RunOutcome outcome)
{
    if (!m_window) // closed while the scan worked: nothing of it is left to show
        return Outcome::Stopped;
    m_window->setModel(m_model);
    if (outcome == RunOutcome::Finished)
        m_window->setCalendarExport(CalendarExportOf(m_fields, m_calendarYearText, m_state, m_model));
    m_window->setWaitPanelVisible(false);
    return outcome == RunOutcome::Finished ? Outcome::Finished : Outcome::Stopped;
}

CalendarController::Outcome CalendarController::Reszletes(float CurHo, float CurNap)
{
    if (m_running || !m_window)
        return Outcome::Busy;
    RunningGuard running(m_running);
    m_stopRequested = false;

    m_model.resetHours();
    m_window->setModel(m_model);
    m_window->setWaitPanelVisible(true);
    Outcome result = Outcome::Finished;
    try {
        if (m_engine.reszletes(m_state, m_fields, m_calendarYearText, CurHo, CurNap, m_ephemeris, m_model,
                               momentCallback()) == RunOutcome::Stopped)
            result = Outcome::Stopped;
    } catch (const RunError &error) {
        reportRunError(error);
        result = Outcome::Refused;
    } catch (const EphemerisError &) {
        showMessage(DetailBeyondEphemerisMessage());
        result = Outcome::Failed;
    }
    if (!m_window)
        return Outcome::Stopped;
    if (result != Outcome::Finished && result != Outcome::Stopped) {
        // A detail that failed part-way shows an empty strip, not a partial one.
        m_model.resetHours();
        m_model.detailCaptions = {};
    }
    m_window->setModel(m_model);
    m_window->setWaitPanelVisible(false);
    return result;
}

MomentCallback CalendarController::momentCallback()
{
    // The window hears of the progress about a hundred times a run, not at every moment: a
    // progress bar repaints at once whenever its value changes.
    return [this, lastShown = -1](const RunProgress &progress) mutable {
        if (m_stopRequested)
            return false;
        const int stride = std::max(1, progress.total / 100);
        if (m_window && progress.done / stride != lastShown) {
            lastShown = progress.done / stride;
            m_window->setModel(m_model);
            m_window->setProgress(progress);
        }
        // The windows repaint and answer (the close button above all) while the run works.
        QCoreApplication::processEvents();
        return !m_stopRequested;
    };
}

void CalendarController::stopRun()
{
    if (m_running)
        m_stopRequested = true;
}

void CalendarController::onWindowClosed()
{
    // The window deletes itself; a run working on it stops before its next moment.
    stopRun();
    if (m_window)
        m_window->disconnect(this);
    m_window = nullptr;
    emit closed();
}

void CalendarController::discardWindow()
{
    disposeWindow();
    emit closed();
}

void CalendarController::disposeWindow()
{
    // Never called from inside the window's own handlers (its clicks reach the controller
    // queued), so it can go at once.
    if (m_window) {
        m_window->disconnect(this);
        delete m_window.data();
    }
}

void CalendarController::reportRunError(const RunError &error)
{
    showMessage(UnreadableFieldMessage(error.field(), error.number() == RunError::Overflow));
    if (!error.field().isEmpty())
        emit fieldRejected(focusControlOf(error.field()));
}

void CalendarController::showMessage(const QString &text)
{
    QWidget *parent = m_window ? static_cast<QWidget *>(m_window.data()) : m_dialogParent.data();
    m_dialogs.message(parent, text, Dialogs::Icon::Critical);
}

} // namespace ferolune
