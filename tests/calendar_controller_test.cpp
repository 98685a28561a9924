// A calendar run and a day detail driven through the real calendar window and the worker
// thread, with a fake computation in place of the ephemeris.

#include "gui/calendar_window/calendar_canvas.h"
#include "gui/calendar_window/calendar_controller.h"
#include "gui/calendar_window/calendar_window.h"
#include "gui/calendar_window/calendar_worker.h"
#include "core/chart/ephemeris.h"
#include "support/controller_support.h"
#include "support/scripted_dialogs.h"

#include <QLabel>
#include <QLocale>
#include <QSemaphore>
#include <QSignalSpy>
#include <QtTest>

#include <atomic>

using namespace ferolune;
using test::detailToEnd;
using test::runOf;
using test::runToEnd;

namespace {

using Outcome = CalendarController::Outcome;

// What the fake computation saw and what it is told to do. It runs on the worker's thread;
// `hold` makes it wait at its first moment until the test lets it go on.
struct FakeComputation {
    std::atomic<int> natalCalls = 0, scanCalls = 0, detailCalls = 0;
    std::atomic<int> lastMonth = 0, lastDay = 0, scannedYear = 0;
    bool natalBeyondRange = false, scanBeyondRange = false, detailBeyondRange = false;
    bool hold = false;
    QSemaphore waiting, goOn;

    // False when the run was told to stop.
    bool moment(const ProgressCheck &progress, const RunProgress &done)
    {
        if (!progress(done))
            return false;
        if (done.done == 0 && hold) {
            waiting.release();
            goOn.acquire();
        }
        return true;
    }

    CalendarEngine engine()
    {
        CalendarEngine fake;
        fake.calendar = [this](const CalendarRequest &request, Ephemeris &,
                               const RunObserver &observer) -> Expected<CalendarResult, RunFailure> {
            ++natalCalls;
            if (natalBeyondRange)
                return Unexpected(RunFailure::BirthBeyondEphemeris);
            CalendarResult result;
            result.natal.lines = {QStringLiteral("NAP         HALAK     7.33"),
                                  QStringLiteral("HOLD        NYILAS    17.53")};
            result.natal.angleRounded = 280.2;
            observer.natalChartReady(result.natal);
            ++scanCalls;
            scannedYear = request.year;
            result.calendar = CalendarModel::emptyYear(request.year);
            for (int day = 0; day < 365; ++day) {
                if (!moment(observer.progress, {day, 365}))
                    return Unexpected(RunFailure::Stopped);
                if (day == 4)
                    markPhaseDay(result.calendar, 4, DayClass::PhaseBoy);
                if (day == 73)
                    markPhaseDay(result.calendar, 73, DayClass::PhaseGirl);
                if (day == 200 && scanBeyondRange)
                    return Unexpected(RunFailure::YearBeyondEphemeris);
            }
            return result;
        };
        fake.dayDetail = [this](const CalendarRequest &, const NatalAngles &, int month, int day, Ephemeris &,
                                const ProgressCheck &progress) -> Expected<DayDetail, RunFailure> {
            ++detailCalls;
            lastMonth = month;
            lastDay = day;
            DayDetail detail;
            detail.hours.fill(HourClass::Plain);
            for (int minute = 0; minute < 4320; ++minute) {
                if (!moment(progress, {minute, 4320, RunProgress::Unit::Minute}))
                    return Unexpected(RunFailure::Stopped);
                if (minute == 2000 && detailBeyondRange)
                    return Unexpected(RunFailure::DetailBeyondEphemeris);
            }
            detail.hours[24 + 13] = HourClass::Match;
            for (int g = 0; g < 3; ++g)
                detail.captions[static_cast<size_t>(g)] = QStringLiteral("2026.%1.%2").arg(month).arg(day - 1 + g);
            return detail;
        };
        return fake;
    }

    static void markPhaseDay(CalendarModel &model, int k, DayClass dayClass)
    {
        model.days[static_cast<size_t>(k)] = {dayClass, false};
        for (int before = std::max(0, k - 3); before < k; ++before)
            model.days[static_cast<size_t>(before)].dayClass = DayClass::Fertile;
    }
};

} // namespace

class CalendarControllerTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { Q_INIT_RESOURCE(ferolune); }

    void init()
    {
        dialogs = test::ScriptedDialogs{};
        fake = std::make_unique<FakeComputation>();
        controller = new CalendarController(worker, dialogs, fake->engine());
    }

    void cleanup()
    {
        fake->goOn.release(10); // a computation still held lets go, and the controller waits for it
        delete controller;
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // The window opens under its wait panel with white cells while the scan works, and
    // shows the calendar when it is done.
    void wholeRun()
    {
        QSignalSpy opening(controller, &CalendarController::opening);
        fake->hold = true;
        QVERIFY(controller->runCalendar(runOf()));
        QVERIFY(QTest::qWaitFor([&] { return fake->waiting.tryAcquire(); }, 10000));
        QTRY_VERIFY(controller->window());
        CalendarWindow *window = controller->window();
        QVERIFY(window->isVisible() && window->isWaitPanelVisible());
        QCOMPARE(opening.count(), 1);
        QCOMPARE(window->cellColor(100), QColor(255, 255, 255));
        QVERIFY(controller->isRunning());

        QSignalSpy finished(controller, &CalendarController::finished);
        fake->goOn.release();
        QVERIFY(finished.wait(10000));
        QCOMPARE(finished.first().first().value<Outcome>(), Outcome::Finished);
        QCOMPARE(fake->scannedYear.load(), 2026);
        QVERIFY(!window->isWaitPanelVisible());
        QVERIFY(!controller->isRunning());
        QCOMPARE(window->pageText(PageText::Year), QStringLiteral("2026"));
        // Without a residence the heading says which clock the times are on.
        QCOMPARE(window->pageText(PageText::Heading),
                 QStringLiteral("A SZÜLETÉS ADATAI: Ismeretlen, az idők a születési zóna szerint (UTC+1)"));
        QVERIFY(window->pageText(PageText::ChartText)
                    .startsWith(QStringLiteral("NAP         HALAK     7.33\nHOLD        NYILAS    17.53\n")));
        // the angle is shown with the desktop's own separator
        QCOMPARE(window->pageText(PageText::AngleCaption), "NAP-HOLD FOK: 280" + QLocale().decimalPoint() + "2");
        QCOMPARE(window->cellColor(4), QColor(0, 0, 255));
        QVERIFY(window->cellHasPhasePointer(4));
        QCOMPARE(window->cellColor(1), QColor(255, 255, 0));
        QCOMPARE(window->cellColor(73), QColor(255, 0, 0));
        QCOMPARE(window->cellColor(300), QColor(255, 255, 255));
        QVERIFY(dialogs.messages.empty());
    }

    void secondRunLoadsAfresh()
    {
        QSignalSpy closed(controller, &CalendarController::closed);
        QCOMPARE(runToEnd(*controller, runOf()), Outcome::Finished);
        QPointer<CalendarWindow> first = controller->window();
        first->close();
        QCOMPARE(closed.count(), 1);
        QVERIFY(!controller->window());
        QTRY_VERIFY(first.isNull());

        BirthForm changed;
        changed.name = QStringLiteral("Kovács Éva");
        QCOMPARE(runToEnd(*controller, runOf(changed, QStringLiteral("2027"))), Outcome::Finished);
        CalendarWindow *second = controller->window();
        QVERIFY(second);
        QCOMPARE(second->pageText(PageText::Year), QStringLiteral("2027"));
        QVERIFY(second->pageText(PageText::Heading).startsWith(QStringLiteral("A SZÜLETÉS ADATAI: Kovács Éva, ")));
        QVERIFY(second->pageText(PageText::DetailDate1).isEmpty());
    }

    // The wait panel counts the days, and the window answers while the scan works: closing
    // it stops the scan before its next moment.
    void closingDuringTheScanStopsIt()
    {
        fake->hold = true;
        QSignalSpy closed(controller, &CalendarController::closed);
        QSignalSpy finished(controller, &CalendarController::finished);
        QVERIFY(controller->runCalendar(runOf()));
        QVERIFY(QTest::qWaitFor([&] { return fake->waiting.tryAcquire(); }, 10000));
        QTRY_VERIFY(controller->window());
        QTRY_COMPARE(controller->window()->findChild<QLabel *>("WaitProgressText")->text(), QStringLiteral("1. nap / 365"));
        controller->window()->close();
        fake->goOn.release();
        QVERIFY(finished.wait(10000));
        QCOMPARE(finished.first().first().value<Outcome>(), Outcome::Stopped);
        QCOMPARE(closed.count(), 1);
        QVERIFY(!controller->window());
        QVERIFY(!controller->isRunning());

        fake->hold = false;
        QCOMPARE(runToEnd(*controller, runOf()), Outcome::Finished);
        QVERIFY(controller->window()->isVisible());
    }

    void closingDuringTheDetailStopsIt()
    {
        QCOMPARE(runToEnd(*controller, runOf()), Outcome::Finished);
        QPointer<CalendarWindow> window = controller->window();
        fake->hold = true;
        QSignalSpy closed(controller, &CalendarController::closed);
        QSignalSpy finished(controller, &CalendarController::finished);
        QVERIFY(controller->showDayDetail(1, 5));
        QVERIFY(QTest::qWaitFor([&] { return fake->waiting.tryAcquire(); }, 10000));
        window->close();
        fake->goOn.release();
        QVERIFY(finished.wait(10000));
        QCOMPARE(finished.first().first().value<Outcome>(), Outcome::Stopped);
        QCOMPARE(closed.count(), 1);
        QVERIFY(!controller->window());
        QTRY_VERIFY(window.isNull());
        QVERIFY(!controller->showDayDetail(1, 5)); // no calendar open
    }

    void nothingElseStartsWhileARunWorks()
    {
        fake->hold = true;
        QSignalSpy finished(controller, &CalendarController::finished);
        QVERIFY(controller->runCalendar(runOf()));
        QVERIFY(QTest::qWaitFor([&] { return fake->waiting.tryAcquire(); }, 10000));
        QVERIFY(!controller->runCalendar(runOf({}, QStringLiteral("2030"))));
        QVERIFY(!controller->showDayDetail(1, 5));
        fake->goOn.release();
        QVERIFY(finished.wait(10000));
        QCOMPARE(fake->scanCalls.load(), 1);
        QCOMPARE(fake->detailCalls.load(), 0);
    }

    void birthBeyondTheEphemeris()
    {
        fake->natalBeyondRange = true;
        QSignalSpy opening(controller, &CalendarController::opening);
        QSignalSpy closed(controller, &CalendarController::closed);
        QCOMPARE(runToEnd(*controller, runOf()), Outcome::Failed);
        QCOMPARE(dialogs.messages.size(), size_t(1));
        QVERIFY(dialogs.messages[0].text.startsWith(QStringLiteral("A születési dátum (1973) kívül esik")));
        QCOMPARE(opening.count(), 0); // the main window never went away
        QCOMPARE(closed.count(), 0);
        QCOMPARE(fake->scanCalls.load(), 0);
        QVERIFY(!controller->window());
    }

    void calendarYearBeyondTheEphemeris()
    {
        fake->scanBeyondRange = true;
        QSignalSpy closed(controller, &CalendarController::closed);
        QCOMPARE(runToEnd(*controller, runOf({}, QStringLiteral("5000"))), Outcome::Failed);
        // The half-coloured calendar is not left on screen.
        QVERIFY(!controller->window());
        QCOMPARE(closed.count(), 1);
        QCOMPARE(dialogs.messages.size(), size_t(1));
        QCOMPARE(dialogs.messages[0].text,
                 QStringLiteral("A naptár éve (5000) kívül esik azon az időszakon, amelyet az efemerisz adatai "
                                "lefednek, ezért a naptár nem készíthető el."));
        QVERIFY(!controller->isRunning());
    }

    void clickOnAMoonPhaseDayShowsItsDetail()
    {
        QCOMPARE(runToEnd(*controller, runOf()), Outcome::Finished);
        CalendarWindow *window = controller->window();
        fake->hold = true;
        QTest::mouseClick(window->canvas(), Qt::LeftButton, {}, window->cellRect(4).center());
        QVERIFY(QTest::qWaitFor([&] { return fake->waiting.tryAcquire(); }, 10000));
        QCOMPARE(fake->lastMonth.load(), 1);
        QCOMPARE(fake->lastDay.load(), 5);
        QVERIFY(window->isWaitPanelVisible());
        QCOMPARE(window->hourCellColor(37), QColor(255, 255, 255));
        fake->hold = false;
        fake->goOn.release();
        QTRY_VERIFY(!controller->isRunning());
        QVERIFY(!window->isWaitPanelVisible());
        QCOMPARE(window->hourCellColor(37), QColor(255, 0, 0));
        QCOMPARE(window->hourCellColor(36), QColor(255, 255, 255));
        QCOMPARE(window->pageText(PageText::DetailDate1), QStringLiteral("2026.1.4"));
        QCOMPARE(window->pageText(PageText::DetailDate3), QStringLiteral("2026.1.6"));

        // The second detail starts from a white strip.
        fake->hold = true;
        QTest::mouseClick(window->canvas(), Qt::LeftButton, {}, window->cellRect(73).center());
        QVERIFY(QTest::qWaitFor([&] { return fake->waiting.tryAcquire(); }, 10000));
        QCOMPARE(fake->lastMonth.load(), 3);
        QCOMPARE(fake->lastDay.load(), 15);
        QCOMPARE(window->hourCellColor(37), QColor(255, 255, 255));
        fake->goOn.release();
        QTRY_VERIFY(!controller->isRunning());

        // A white cell asks for nothing.
        QTest::mouseClick(window->canvas(), Qt::LeftButton, {}, window->cellRect(200).center());
        QTest::qWait(50);
        QCOMPARE(fake->detailCalls.load(), 2);
    }

    void detailBeyondTheEphemeris()
    {
        QCOMPARE(runToEnd(*controller, runOf()), Outcome::Finished);
        fake->detailBeyondRange = true;
        QCOMPARE(detailToEnd(*controller, 12, 31), Outcome::Failed);
        CalendarWindow *window = controller->window();
        QVERIFY(window && window->isVisible());
        QVERIFY(!window->isWaitPanelVisible());
        for (int k = 0; k < 72; ++k)
            QCOMPARE(window->hourCellColor(k), QColor(255, 255, 255));
        QVERIFY(window->pageText(PageText::DetailDate1).isEmpty());
        QCOMPARE(dialogs.messages.size(), size_t(1));
        QVERIFY(dialogs.messages[0].text.contains(QStringLiteral("kívül esik")));
        QCOMPARE(window->cellColor(4), QColor(0, 0, 255)); // the calendar itself stays
    }

private:
    CalendarWorker worker{QStringList{}};
    test::ScriptedDialogs dialogs;
    std::unique_ptr<FakeComputation> fake;
    CalendarController *controller = nullptr;
};

QTEST_MAIN(CalendarControllerTest)
#include "calendar_controller_test.moc"
