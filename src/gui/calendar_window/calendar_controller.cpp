#include "gui/calendar_window/calendar_controller.h"

#include "core/chart/ephemeris.h"
#include "gui/calendar_window/calendar_window.h"
#include "gui/calendar_window/calendar_worker.h"
#include "gui/widgets/busy_pointer.h"
#include "gui/widgets/dialogs.h"
#include "io/texts/calendar_texts.h"

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

bool CalendarController::runCalendar(const CalendarOrder &order)
{
    if (m_running)
        return false;
    start(RunProgress::Unit::Day);
    m_order = order;
    // The window opens once the natal chart is known; a birth beyond the ephemeris opens none.
    const QPointer<CalendarController> self(this);
    watch(m_worker.run<CalendarOutcome>([self, request = order.request, calendar = m_engine.calendar](
                                            QPromise<CalendarOutcome> &promise, Ephemeris &ephemeris) {
        const RunObserver observer{progressOf(promise), [self](const NatalChart &natal) {
                                       QMetaObject::invokeMethod(self, [self, natal] {
                                           if (self)
                                               self->natalChartReady(natal);
                                       });
                                   }};
        promise.addResult(calendar(request, ephemeris, observer));
    }),
          &CalendarController::calendarDone);
    return true;
}

void CalendarController::natalChartReady(const NatalChart &natal)
{
    if (m_job.isCanceled())
        return; // stopped while the chart was computed: no window for a run that ends
    emit opening();
    buildWindow(natal);
}

void CalendarController::calendarDone(const QFuture<CalendarOutcome> &future)
{
    const CalendarOutcome result =
        future.resultCount() > 0 ? future.result() : CalendarOutcome(Unexpected(RunFailure::Stopped));
    if (!result && result.error() == RunFailure::BirthBeyondEphemeris) {
        showMessage(RunFailureMessage(result.error(), m_order.request));
        finish(Outcome::Failed);
        return;
    }
    if (!m_window || (!result && result.error() == RunFailure::Stopped)) {
        // Closed while the run worked: nothing of it is left to show.
        finish(Outcome::Stopped);
        return;
    }
    if (!result) {
        // A calendar without its days must not stay on screen as if it were finished.
        discardWindow();
        showMessage(RunFailureMessage(result.error(), m_order.request));
        finish(Outcome::Failed);
        return;
    }
    m_angles = result->angles;
    m_model = result->calendar;
    m_window->showCalendar(DocumentOf(m_order, *result), true);
    m_window->setWaitPanelVisible(false);
    finish(Outcome::Finished);
}

void CalendarController::buildWindow(const NatalChart &natal)
{
    // A calendar still open from an earlier run is not reused: every run loads afresh.
    disposeWindow();
    m_window = new CalendarWindow(m_dialogs);
    connect(m_window, &CalendarWindow::closed, this, &CalendarController::onWindowClosed);
    connect(m_window, &CalendarWindow::detailRequested, this, &CalendarController::showDayDetail);
    m_model = CalendarModel::emptyYear(m_order.request.year);
    m_window->showCalendar({m_order.heading, m_order.personIdentity, natal, m_model}, false);
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
    watch(m_worker.run<DetailOutcome>(
              [request = m_order.request, angles = m_angles, month, day,
               dayDetail = m_engine.dayDetail](QPromise<DetailOutcome> &promise, Ephemeris &ephemeris) {
                  promise.addResult(dayDetail(request, angles, month, day, ephemeris, progressOf(promise)));
              }),
          &CalendarController::dayDetailDone);
    return true;
}

void CalendarController::dayDetailDone(const QFuture<DetailOutcome> &future)
{
    const DetailOutcome result =
        future.resultCount() > 0 ? future.result() : DetailOutcome(Unexpected(RunFailure::Stopped));
    if (!m_window || (!result && result.error() == RunFailure::Stopped)) {
        finish(Outcome::Stopped);
        return;
    }
    if (result)
        m_model.showDetail(*result);
    else
        showMessage(RunFailureMessage(result.error(), m_order.request)); // the strip stays empty
    if (m_window) {
        m_window->setModel(m_model);
        m_window->setWaitPanelVisible(false);
    }
    finish(result ? Outcome::Finished : Outcome::Failed);
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
