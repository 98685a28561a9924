// A calendar run and a day detail driven through the real calendar window, with a fake
// computation in place of the ephemeris.

#include "calendar/window/calendar_canvas.h"
#include "calendar/window/calendar_controller.h"
#include "calendar/window/calendar_window.h"
#include "chart/chart_state.h"
#include "chart/ephemeris.h"
#include "common/run_error.h"
#include "support/scripted_dialogs.h"

#include <QLocale>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

#include <map>

using namespace ferolune;

namespace {

// What the fake computation saw and what it is told to do.
struct FakeComputation {
    int natalCalls = 0;
    int scanCalls = 0;
    int detailCalls = 0;
    float lastMonth = 0, lastDay = 0;
    QString scannedYear;
    bool closeDuringRun = false;      // closes the calendar window from the event loop and runs on
    bool natalBeyondRange = false;
    bool scanBeyondRange = false;
    bool detailBeyondRange = false;
    std::function<void()> duringRun;  // looked at on the first moment

    CalendarController *controller = nullptr;

    bool closeAndRunOn(const MomentCallback &beforeMoment, int total)
    {
        QPointer<CalendarWindow> window = controller->window();
        QTimer::singleShot(0, window, [window] { window->close(); });
        for (int done = 0; done < 100000; ++done) {
            if (!beforeMoment({done % total, total}))
                return true;
        }
        return false;
    }

    CalendarEngine engine()
    {
        CalendarEngine fake;
        fake.computeNatalChart = [this](ChartState &state, const BirthData &, Ephemeris &) {
            ++natalCalls;
            if (state.EvalMode != EvaluationMode::Natal || !state.ChartText.isEmpty())
                throw std::logic_error("the natal chart starts in mode 0 with an empty chart text");
            if (natalBeyondRange)
                throw EphemerisError(1e9, QStringLiteral("out of range"));
            state.ChartText += QStringLiteral("NAP         HALAK     7.33\r\nHOLD        NYILAS    17.53\r\n");
            state.NatalAngleRounded = 280.2;
        };
        fake.scanYear = [this](ChartState &, const BirthData &, const QString &year, Ephemeris &,
                               CalendarModel &model, const MomentCallback &beforeMoment) {
            ++scanCalls;
            scannedYear = year;
            model.resetDays();
            if (closeDuringRun)
                return closeAndRunOn(beforeMoment, 365) ? RunOutcome::Stopped : RunOutcome::Finished;
            for (int day = 0; day < 365; ++day) {
                if (!beforeMoment({day, 365}))
                    return RunOutcome::Stopped;
                if (day == 0 && duringRun)
                    duringRun();
                if (day == 4)
                    markPhaseDay(model, 4, DayClass::PhaseBoy, "1-5-");
                if (day == 73)
                    markPhaseDay(model, 73, DayClass::PhaseGirl, "3-15");
                if (day == 200 && scanBeyondRange)
                    throw EphemerisError(1e9, QStringLiteral("out of range"));
            }
            return RunOutcome::Finished;
        };
        fake.reszletes = [this](ChartState &, const BirthData &, const QString &, float CurHo, float CurNap,
                                Ephemeris &, CalendarModel &model, const MomentCallback &beforeMoment) {
            ++detailCalls;
            lastMonth = CurHo;
            lastDay = CurNap;
            model.resetHours();
            if (closeDuringRun)
                return closeAndRunOn(beforeMoment, 4320) ? RunOutcome::Stopped : RunOutcome::Finished;
            for (int minute = 0; minute < 4320; ++minute) {
                if (!beforeMoment({minute, 4320}))
                    return RunOutcome::Stopped;
                if (minute == 0 && duringRun)
                    duringRun();
                if (minute == 2000 && detailBeyondRange)
                    throw EphemerisError(1e9, QStringLiteral("out of range"));
                if (minute == 1440 * 1 + 13 * 60)
                    model.hours[static_cast<size_t>(24 + 13)] = HourClass::Match;
                if (minute % 1440 == 1439)
                    model.detailCaptions[static_cast<size_t>(minute / 1440)] =
                        QStringLiteral("2026.%1.%2").arg(CurHo).arg(CurNap - 1 + static_cast<float>(minute / 1440));
            }
            return RunOutcome::Finished;
        };
        return fake;
    }

    static void markPhaseDay(CalendarModel &model, int k, DayClass dayClass, const char *tag)
    {
        model.days[static_cast<size_t>(k)] = {dayClass, QString::fromLatin1(tag), true};
        for (int before = std::max(0, k - 3); before < k; ++before)
            model.days[static_cast<size_t>(before)].dayClass = DayClass::Fertile;
    }
};

QString labelText(CalendarWindow *window, const char *name)
{
    return window->pageText(QString::fromLatin1(name));
}

} // namespace

class CalendarControllerTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { Q_INIT_RESOURCE(ferolune); }

    void init()
    {
        state = ChartState{};
        dialogs = test::ScriptedDialogs{};
        fake = FakeComputation{};
        controller = new CalendarController(state, ephemeris, dialogs, fake.engine());
        fake.controller = controller;
    }

    void cleanup()
    {
        delete controller;
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void wholeRun()
    {
        QSignalSpy opening(controller, &CalendarController::opening);
        bool shownUnderWaitPanel = false;
        QColor resetCell;
        fake.duringRun = [&] {
            CalendarWindow *window = controller->window();
            shownUnderWaitPanel = window && window->isVisible() && window->isWaitPanelVisible() && opening.count() == 1;
            resetCell = window ? window->cellColor(100) : QColor();
        };
        state.ChartText = QStringLiteral("left over from an earlier chart");

        QCOMPARE(controller->runCalendar(BirthData{}, QStringLiteral("2026")), CalendarController::Outcome::Finished);

        QVERIFY(shownUnderWaitPanel);
        QCOMPARE(resetCell, QColor(255, 255, 255));
        QCOMPARE(fake.scannedYear, QStringLiteral("2026"));
        CalendarWindow *window = controller->window();
        QVERIFY(window && window->isVisible());
        QVERIFY(!window->isWaitPanelVisible());
        QVERIFY(!controller->isRunning());
        QCOMPARE(labelText(window, "Label10"), QStringLiteral("2026"));
        QCOMPARE(labelText(window, "Label4"), QStringLiteral("A SZÜLETÉS ADATAI: Ismeretlen"));
        QCOMPARE(labelText(window, "Label2"), QStringLiteral("NAP         HALAK     7.33\nHOLD        NYILAS    17.53\n"));
        // the angle is shown with the desktop's own separator
        QCOMPARE(labelText(window, "Label3"), "NAP-HOLD FOK: 280" + QLocale().decimalPoint() + "2");
        QCOMPARE(window->cellColor(4), QColor(0, 0, 255));
        QCOMPARE(window->cellTag(4), QStringLiteral("1-5-"));
        QCOMPARE(window->cellColor(1), QColor(255, 255, 0));
        QCOMPARE(window->cellColor(73), QColor(255, 0, 0));
        QCOMPARE(window->cellColor(300), QColor(255, 255, 255));
        QVERIFY(dialogs.messages.empty());
    }

    void secondRunLoadsAfresh()
    {
        QSignalSpy closed(controller, &CalendarController::closed);
        QCOMPARE(controller->runCalendar(BirthData{}, QStringLiteral("2026")), CalendarController::Outcome::Finished);
        QPointer<CalendarWindow> first = controller->window();
        first->close();
        QCOMPARE(closed.count(), 1);
        QVERIFY(!controller->window());
        QTRY_VERIFY(first.isNull());

        BirthData changed;
        changed.txtName = QStringLiteral("Kovács Éva");
        QCOMPARE(controller->runCalendar(changed, QStringLiteral("2027")), CalendarController::Outcome::Finished);
        CalendarWindow *second = controller->window();
        QVERIFY(second);
        QCOMPARE(labelText(second, "Label10"), QStringLiteral("2027"));
        QCOMPARE(labelText(second, "Label4"), QStringLiteral("A SZÜLETÉS ADATAI: Kovács Éva"));
        QVERIFY(second->pageText("lblNap1").isEmpty());
    }

    void closingDuringTheScanStopsIt()
    {
        fake.closeDuringRun = true;
        QSignalSpy closed(controller, &CalendarController::closed);
        QCOMPARE(controller->runCalendar(BirthData{}, QStringLiteral("2026")), CalendarController::Outcome::Stopped);
        QCOMPARE(closed.count(), 1);
        QVERIFY(!controller->window());
        QVERIFY(!controller->isRunning());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

        fake.closeDuringRun = false;
        QCOMPARE(controller->runCalendar(BirthData{}, QStringLiteral("2026")), CalendarController::Outcome::Finished);
        QVERIFY(controller->window()->isVisible());
    }

    void closingDuringTheDetailStopsIt()
    {
        QCOMPARE(controller->runCalendar(BirthData{}, QStringLiteral("2026")), CalendarController::Outcome::Finished);
        QPointer<CalendarWindow> window = controller->window();
        fake.closeDuringRun = true;
        QSignalSpy closed(controller, &CalendarController::closed);
        QCOMPARE(controller->Reszletes(1, 5), CalendarController::Outcome::Stopped);
        QCOMPARE(closed.count(), 1);
        QVERIFY(!controller->window());
        QTRY_VERIFY(window.isNull());
        QCOMPARE(controller->Reszletes(1, 5), CalendarController::Outcome::Busy); // no calendar open
    }

    void nothingElseStartsWhileARunWorks()
    {
        CalendarController::Outcome secondRun{}, detail{};
        fake.duringRun = [&] {
            secondRun = controller->runCalendar(BirthData{}, QStringLiteral("2030"));
            detail = controller->Reszletes(1, 5);
        };
        QCOMPARE(controller->runCalendar(BirthData{}, QStringLiteral("2026")), CalendarController::Outcome::Finished);
        QCOMPARE(secondRun, CalendarController::Outcome::Busy);
        QCOMPARE(detail, CalendarController::Outcome::Busy);
        QCOMPARE(fake.scanCalls, 1);
        QCOMPARE(fake.detailCalls, 0);
    }

    void refusedOnAFieldTheRunCannotTake_data()
    {
        const QString notANumber = QStringLiteral(" mezőjében nem szám áll. Kérem, javítsa ki!");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("focus");
        QTest::addColumn<QString>("message");
        QTest::newRow("day empty") << "txtDay" << "" << "txtDay" << "A születési nap" + notANumber;
        QTest::newRow("year beyond 16 bits") << "txtYear" << "40000" << "txtYear"
                                             << "A születési év mezőjében túl nagy vagy túl kicsi szám áll.";
        QTest::newRow("hidden hour, corrected in Text1") << "txtBirthHour" << "" << "Text1"
                                                          << "A születési óra" + notANumber;
        QTest::newRow("minute with a blank inside") << "txtBirthMinute" << "5 0" << "txtBirthMinute"
                                                    << "A születési perc" + notANumber;
        QTest::newRow("zone, lone minus") << "txtTZ" << "-" << "txtTZ" << "Az időzóna" + notANumber;
        QTest::newRow("longitude minutes") << "txtLongMin" << "0..7" << "txtLongMin"
                                           << "A földrajzi hosszúság percének" + notANumber;
        QTest::newRow("latitude degrees") << "txtLatDeg" << "" << "txtLatDeg"
                                          << "A földrajzi szélesség fokának" + notANumber;
        QTest::newRow("calendar year 2024x") << "Text3" << "2024x" << "Text3"
                                             << "A naptár évének (piros)" + notANumber;
        // Numbers that make no birth: the field's own message (the birth is 26 February 1973).
        const QString zone = QStringLiteral("Helytelen időzóna! Az időzóna -15 és 15 óra között lehet.");
        const QString longitude = QStringLiteral("Helytelen földrajzi hosszúság! A hosszúság legfeljebb 180° lehet.");
        QTest::newRow("30 February") << "txtDay" << "30" << "txtDay" << "Helytelen nap!";
        QTest::newRow("29 February 1973") << "txtDay" << "29" << "txtDay" << "Helytelen nap!";
        QTest::newRow("day 0") << "txtDay" << "0" << "txtDay" << "Helytelen nap!";
        QTest::newRow("month 0") << "txtMonth" << "0" << "txtMonth" << "Helytelen hónap!";
        QTest::newRow("year 0") << "txtYear" << "0" << "txtYear" << "Helytelen születési év!";
        QTest::newRow("hour 25 from a file") << "Text1" << "25" << "Text1" << "Helytelen óra!";
        QTest::newRow("zone 99") << "txtTZ" << "99" << "txtTZ" << zone;
        QTest::newRow("zone 1e300") << "txtTZ" << "1e300" << "txtTZ" << zone;
        QTest::newRow("longitude 200") << "txtLongDeg" << "200" << "txtLongDeg" << longitude;
        QTest::newRow("longitude 180 07") << "txtLongDeg" << "180" << "txtLongDeg" << longitude;
        QTest::newRow("latitude 91") << "txtLatDeg" << "91" << "txtLatDeg"
                                     << "Helytelen földrajzi szélesség! A szélesség legfeljebb 90° lehet.";
        QTest::newRow("latitude minutes 99") << "txtLatMin" << "99" << "txtLatMin"
                                             << "Helytelen földrajzi szélesség! A perc legfeljebb 59 lehet.";
        QTest::newRow("calendar year 12000") << "Text3" << "12000" << "Text3" << "Helytelen év!";
    }
    void refusedOnAFieldTheRunCannotTake()
    {
        QFETCH(QString, field);
        QFETCH(QString, text);
        QFETCH(QString, focus);
        QFETCH(QString, message);
        BirthData fields;
        QString calendarYear = QStringLiteral("2026");
        const std::map<QString, QString *> targets = {
            {"Text3", &calendarYear},         {"txtDay", &fields.txtDay},         {"txtYear", &fields.txtYear},
            {"txtBirthHour", &fields.txtBirthHour}, {"txtBirthMinute", &fields.txtBirthMinute},
            {"txtTZ", &fields.txtTZ},         {"txtLongMin", &fields.txtLongMin}, {"txtLatDeg", &fields.txtLatDeg},
            {"txtMonth", &fields.txtMonth},   {"Text1", &fields.Text1},           {"txtLongDeg", &fields.txtLongDeg},
            {"txtLatMin", &fields.txtLatMin}};
        *targets.at(field) = text;
        QSignalSpy rejected(controller, &CalendarController::fieldRejected);
        QSignalSpy opening(controller, &CalendarController::opening);

        QCOMPARE(controller->runCalendar(fields, calendarYear), CalendarController::Outcome::Refused);

        QCOMPARE(dialogs.messages.size(), size_t(1));
        QCOMPARE(dialogs.messages[0].text, message);
        QCOMPARE(dialogs.messages[0].icon, Dialogs::Icon::Critical);
        QCOMPARE(rejected.count(), 1);
        QCOMPARE(rejected.at(0).at(0).toString(), focus);
        QCOMPARE(opening.count(), 0);
        QCOMPARE(fake.natalCalls, 0);
        QVERIFY(!controller->window());
    }

    void birthBeyondTheEphemeris()
    {
        fake.natalBeyondRange = true;
        QSignalSpy opening(controller, &CalendarController::opening);
        QSignalSpy closed(controller, &CalendarController::closed);
        QCOMPARE(controller->runCalendar(BirthData{}, QStringLiteral("2026")), CalendarController::Outcome::Failed);
        QCOMPARE(dialogs.messages.size(), size_t(1));
        QVERIFY(dialogs.messages[0].text.startsWith(QStringLiteral("A születési dátum (1973) kívül esik")));
        QCOMPARE(opening.count(), 0); // the main window never went away
        QCOMPARE(closed.count(), 0);
        QCOMPARE(fake.scanCalls, 0);
        QVERIFY(!controller->window());
    }

    void calendarYearBeyondTheEphemeris()
    {
        fake.scanBeyondRange = true;
        QSignalSpy closed(controller, &CalendarController::closed);
        QCOMPARE(controller->runCalendar(BirthData{}, QStringLiteral("5000")), CalendarController::Outcome::Failed);
        // The half-coloured calendar is not left on screen.
        QVERIFY(!controller->window());
        QCOMPARE(closed.count(), 1);
        QCOMPARE(dialogs.messages.size(), size_t(1));
        QCOMPARE(dialogs.messages[0].text,
                 QStringLiteral("A naptár éve (5000) kívül esik azon az időszakon, amelyet az efemerisz adatai "
                                "lefednek, ezért a naptár nem készíthető el."));
        QVERIFY(!controller->isRunning());
    }

    void conversionFailureDuringTheScan()
    {
        CalendarEngine engine = fake.engine();
        engine.scanYear = [](ChartState &, const BirthData &, const QString &, Ephemeris &, CalendarModel &,
                             const MomentCallback &) -> RunOutcome { throw RunError::typeMismatch("txtTZ"); };
        CalendarController failing(state, ephemeris, dialogs, engine);
        QSignalSpy rejected(&failing, &CalendarController::fieldRejected);
        QCOMPARE(failing.runCalendar(BirthData{}, QStringLiteral("2026")), CalendarController::Outcome::Refused);
        QVERIFY(!failing.window());
        QCOMPARE(rejected.count(), 1);
        QCOMPARE(rejected.at(0).at(0).toString(), QStringLiteral("txtTZ"));
    }

    void clickOnAMoonPhaseDayShowsItsDetail()
    {
        QCOMPARE(controller->runCalendar(BirthData{}, QStringLiteral("2026")), CalendarController::Outcome::Finished);
        CalendarWindow *window = controller->window();
        bool underWaitPanel = false;
        QColor stripAtStart;
        fake.duringRun = [&] {
            underWaitPanel = window->isWaitPanelVisible();
            stripAtStart = window->hourCellColor(37);
        };

        QTest::mouseClick(window->canvas(), Qt::LeftButton, {}, window->cellRect(4).center());
        QTRY_COMPARE(fake.detailCalls, 1);
        QCOMPARE(fake.lastMonth, 1.0f);
        QCOMPARE(fake.lastDay, 5.0f);
        QVERIFY(underWaitPanel);
        QCOMPARE(stripAtStart, QColor(255, 255, 255));
        QTRY_VERIFY(!controller->isRunning());
        QVERIFY(!window->isWaitPanelVisible());
        QCOMPARE(window->hourCellColor(37), QColor(255, 0, 0));
        QCOMPARE(window->hourCellColor(36), QColor(255, 255, 255));
        QCOMPARE(labelText(window, "lblNap1"), QStringLiteral("2026.1.4"));
        QCOMPARE(labelText(window, "lblNap3"), QStringLiteral("2026.1.6"));

        // The second detail starts from a white strip.
        QTest::mouseClick(window->canvas(), Qt::LeftButton, {}, window->cellRect(73).center());
        QTRY_COMPARE(fake.detailCalls, 2);
        QCOMPARE(fake.lastMonth, 3.0f);
        QCOMPARE(fake.lastDay, 15.0f);
        QCOMPARE(stripAtStart, QColor(255, 255, 255));

        // A white cell asks for nothing.
        QTest::mouseClick(window->canvas(), Qt::LeftButton, {}, window->cellRect(200).center());
        QCoreApplication::processEvents();
        QCOMPARE(fake.detailCalls, 2);
    }

    void detailBeyondTheEphemeris()
    {
        QCOMPARE(controller->runCalendar(BirthData{}, QStringLiteral("2026")), CalendarController::Outcome::Finished);
        fake.detailBeyondRange = true;
        QCOMPARE(controller->Reszletes(12, 31), CalendarController::Outcome::Failed);
        CalendarWindow *window = controller->window();
        QVERIFY(window && window->isVisible());
        QVERIFY(!window->isWaitPanelVisible());
        for (int k = 0; k < 72; ++k)
            QCOMPARE(window->hourCellColor(k), QColor(255, 255, 255));
        QVERIFY(labelText(window, "lblNap1").isEmpty());
        QCOMPARE(dialogs.messages.size(), size_t(1));
        QVERIFY(dialogs.messages[0].text.contains(QStringLiteral("kívül esik")));
        QCOMPARE(window->cellColor(4), QColor(0, 0, 255)); // the calendar itself stays
    }

private:
    Ephemeris ephemeris{QStringList{}};
    ChartState state;
    test::ScriptedDialogs dialogs;
    FakeComputation fake;
    CalendarController *controller = nullptr;
};

QTEST_MAIN(CalendarControllerTest)
#include "calendar_controller_test.moc"
