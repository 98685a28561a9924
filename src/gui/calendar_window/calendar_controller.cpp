#include "gui/calendar_window/calendar_controller.h"

#include "core/calendar/calendar_year.h"
#include "core/calendar/run_messages.h"
#include "gui/calendar_window/calendar_window.h"
#include "gui/calendar_window/calendar_worker.h"
#include "core/chart/ephemeris.h"
#include "io/export/calendar_file.h"
#include "gui/widgets/busy_pointer.h"
#include "gui/widgets/dialogs.h"

#include <QElapsedTimer>
#include <QFutureWatcher>


namespace ferolune {

namespace {

// The wait panel hears how far a computation has come at about the rate a person reads it.
constexpr qint64 ProgressIntervalMs = 50;

// The progress check a job gives the computation: it stops once the job is cancelled, and
// passes the count on every ProgressIntervalMs.
template <class Result>
ProgressCheck progressOf(QPromise<Result> &promise)
{
    return [&promise, sinceShown = QElapsedTimer()](const RunProgress &progress) mutable {
        if (promise.isCanceled())
            return false;
        if (!sinceShown.isValid() || sinceShown.hasExpired(ProgressIntervalMs)) {
            sinceShown.start();
            promise.setProgressRange(0, progress.total);
            promise.setProgressValue(progress.done);
        }
        return true;
    };
}

} // namespace

CalendarController::CalendarController(CalendarWorker &worker, Dialogs &dialogs, CalendarEngine engine,
                                       QWidget *dialogParent, QObject *parent)
    : QObject(parent), m_worker(worker), m_dialogs(dialogs), m_engine(std::move(engine)),
      m_dialogParent(dialogParent)
{
}

CalendarController::~CalendarController()
{
    m_job.cancel();
    m_job.waitForFinished();
    disposeWindow();
}

template <class Result>
void CalendarController::watch(QFuture<Result> future, void (CalendarController::*done)(const QFuture<Result> &))
{
    auto *watcher = new QFutureWatcher<Result>(this);
    connect(watcher, &QFutureWatcherBase::progressRangeChanged, this,
            [this](int, int total) {
                m_progress.total = total;
                showProgress(m_progress.done);
            });
    connect(watcher, &QFutureWatcherBase::progressValueChanged, this, &CalendarController::showProgress);
    connect(watcher, &QFutureWatcherBase::finished, this, [this, watcher, done] {
        watcher->deleteLater();
        m_job = {};
        (this->*done)(watcher->future());
    });
    watcher->setFuture(future);
    m_job = QFuture<void>(future);
}

bool CalendarController::runCalendar(const CalendarRun &run)
{
    if (m_running)
        return false;
    start(RunProgress::Unit::Day);
    m_run = run;
    watch(m_worker.run<std::optional<NatalResult>>(
              [birth = run.birth, request = run.calendar, natalChart = m_engine.natalChart](
                  QPromise<std::optional<NatalResult>> &promise, Ephemeris &ephemeris) {
                  try {
                      NatalResult result{natalChart(birth, ephemeris), request};
                      SetNatalAngles(result.request, result.natal, birth,
                                     [&](const BirthRecord &moved) { return natalChart(moved, ephemeris); });
                      promise.addResult(result);
                  } catch (const EphemerisError &) {
                      promise.addResult(std::nullopt);
                  }
              }),
          &CalendarController::natalChartDone);
    return true;
}

void CalendarController::natalChartDone(const QFuture<std::optional<NatalResult>> &future)
{
    if (future.isCanceled() || future.resultCount() == 0) {
        finish(Outcome::Stopped);
        return;
    }
    const std::optional<NatalResult> natal = future.result();
    if (!natal) {
        showMessage(BirthDateBeyondEphemerisMessage(m_run.birth.year));
        finish(Outcome::Failed);
        return;
    }
    m_natal = natal->natal;
    m_run.calendar = natal->request;
    emit opening();
    buildWindow();
    startYearCalendar();
}

void CalendarController::startYearCalendar()
{
    watch(m_worker.run<YearResult>([request = m_run.calendar, yearCalendar = m_engine.yearCalendar](
                                       QPromise<YearResult> &promise, Ephemeris &ephemeris) {
              try {
                  promise.addResult(YearResult{yearCalendar(request, ephemeris, progressOf(promise)), false});
              } catch (const EphemerisError &) {
                  promise.addResult(YearResult{std::nullopt, true});
              }
          }),
          &CalendarController::yearCalendarDone);
}

void CalendarController::yearCalendarDone(const QFuture<YearResult> &future)
{
    const std::optional<YearResult> result =
        future.resultCount() > 0 ? std::optional(future.result()) : std::nullopt;
    if (!m_window || !result || (!result->calendar && !result->beyondEphemeris)) {
        // Closed while the scan worked: nothing of it is left to show.
        finish(Outcome::Stopped);
        return;
    }
    if (result->beyondEphemeris) {
        // A calendar without its days must not stay on screen as if it were finished.
        discardWindow();
        showMessage(CalendarYearBeyondEphemerisMessage(m_run.calendar.year));
        finish(Outcome::Failed);
        return;
    }
    m_model = *result->calendar;
    m_window->setModel(m_model);
    m_window->setCalendarExport(
        CalendarExportOf(m_run.heading.name, m_run.personIdentity, m_run.calendar.year, m_natal, m_model));
    m_window->setWaitPanelVisible(false);
    finish(Outcome::Finished);
}

void FillCalendarWindow(CalendarWindow &window, const CalendarHeading &heading, const NatalChart &natal,
                        const CalendarModel &model)
{
    window.load(heading.yearText, heading.name, heading.residence, heading.clockNote);
    window.setChartText(natal.text());
    window.setAngleCaption(AngleCaption(natal));
    window.setModel(model);
}

void CalendarController::buildWindow()
{
    // A calendar still open from an earlier run is not reused: every run loads afresh.
    disposeWindow();
    m_window = new CalendarWindow(m_dialogs);
    connect(m_window, &CalendarWindow::closed, this, &CalendarController::onWindowClosed);
    connect(m_window, &CalendarWindow::detailRequested, this, &CalendarController::showDayDetail);
    m_model = CalendarModel{};
    m_model.dayCount = DaysInYear(m_run.calendar.year);
    m_model.resetDays();
    FillCalendarWindow(*m_window, m_run.heading, m_natal, m_model);
    m_window->setWaitPanelVisible(true);
    m_window->showCentred();
}

bool CalendarController::showDayDetail(int month, int day)
{
    if (m_running || !m_window)
        return false;
    start(RunProgress::Unit::Minute);
    m_model.resetHours();
    m_model.detailCaptions = {};
    m_window->setModel(m_model);
    m_window->setWaitPanelVisible(true);
    watch(m_worker.run<DetailResult>([request = m_run.calendar, month, day, dayDetail = m_engine.dayDetail](
                                         QPromise<DetailResult> &promise, Ephemeris &ephemeris) {
              try {
                  promise.addResult(DetailResult{dayDetail(request, month, day, ephemeris, progressOf(promise)), false});
              } catch (const EphemerisError &) {
                  promise.addResult(DetailResult{std::nullopt, true});
              }
          }),
          &CalendarController::dayDetailDone);
    return true;
}

void CalendarController::dayDetailDone(const QFuture<DetailResult> &future)
{
    const std::optional<DetailResult> result =
        future.resultCount() > 0 ? std::optional(future.result()) : std::nullopt;
    if (!m_window || !result || (!result->detail && !result->beyondEphemeris)) {
        finish(Outcome::Stopped);
        return;
    }
    if (result->detail)
        m_model.showDetail(*result->detail);
    else
        showMessage(DetailBeyondEphemerisMessage()); // the strip stays empty
    if (m_window) {
        m_window->setModel(m_model);
        m_window->setWaitPanelVisible(false);
    }
    finish(result->detail ? Outcome::Finished : Outcome::Failed);
}

void CalendarController::showProgress(int done)
{
    if (m_window) {
        m_progress.done = done;
        m_window->setProgress(m_progress);
    }
}

void CalendarController::start(RunProgress::Unit unit)
{
    m_running = true;
    // The pointer still clicks, so the calendar window can be closed while the run works.
    m_busy = std::make_unique<BusyPointer>(Qt::BusyCursor);
    m_progress = {0, 0, unit};
}

void CalendarController::finish(Outcome outcome)
{
    m_running = false;
    m_busy.reset();
    emit finished(outcome);
}

CalendarWindow *CalendarController::window() const
{
    return m_window;
}

void CalendarController::stopRun()
{
    m_job.cancel();
}

void CalendarController::onWindowClosed()
{
    // The window deletes itself; a computation working for it stops before its next moment.
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
    if (m_window) {
        m_window->disconnect(this);
        delete m_window.data();
    }
}

void CalendarController::showMessage(const QString &text)
{
    QWidget *parent = m_window ? static_cast<QWidget *>(m_window.data()) : m_dialogParent.data();
    m_dialogs.message(parent, text, Dialogs::Icon::Critical);
}

} // namespace ferolune
