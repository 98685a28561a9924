// The program as a whole: the main window's calendar command opens the calendar, and
// closing the calendar brings the main window back as it was.

#include "app/program.h"
#include "core/common/qt_translation.h"
#include "core/places/atlas_source.h"
#include "gui/calendar_window/calendar_canvas.h"
#include "gui/calendar_window/calendar_controller.h"
#include "gui/calendar_window/calendar_window.h"
#include "gui/main_window/main_window.h"
#include "support/main_window_harness.h"


#include <QLineEdit>
#include <QSignalSpy>

using namespace ferolune;
using namespace ferolune::test;

namespace {

// The program started at 15:05 on 8 December 2026 with the real ephemeris.
struct Started {
    FixedClock clock{at(2026, 12, 8, 15, 5)};
    ScriptedDialogs dialogs;
    CalendarWorker worker{QStringList{QStringLiteral(FEROLUNE_EPHEMS_DIR)}};
    AtlasSource atlas{AtlasSource::programAtlasPath()};
    Program program{worker, dialogs, clock, atlas};

    Started() { program.start(); }
};

} // namespace

class ProgramTest : public QObject {
    Q_OBJECT

private slots:
    void qtDialogsSpeakHungarian()
    {
        QVERIFY(InstallQtHungarianTranslation());
        QCOMPARE(QCoreApplication::translate("QFileDialog", "Look in:"), QStringLiteral("Keresés itt:"));
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Mégse"));
    }

    void calendarOpensAndClosesBackToTheMainWindow()
    {
        Started started;
        ScriptedDialogs &dialogs = started.dialogs;
        Program &program = started.program;
        MainWindow &main = program.mainWindow();
        QVERIFY(QTest::qWaitForWindowExposed(&main));
        const BirthForm before = main.birthForm();
        QSignalSpy lastWindowClosed(qApp, &QGuiApplication::lastWindowClosed);

        QSignalSpy finished(&program.calendar(), &CalendarController::finished);
        QTest::mouseClick(main.findChild<QWidget *>(QStringLiteral("Command2")), Qt::LeftButton);
        QVERIFY(finished.wait(60000));

        QPointer<CalendarWindow> calendar = program.calendar().window();
        QVERIFY(calendar && calendar->isVisible());
        QVERIFY(!main.isVisible());
        QVERIFY(dialogs.messages.empty());

        calendar->close();
        QVERIFY(main.isVisible());
        QTRY_VERIFY(calendar.isNull());
        QCOMPARE(lastWindowClosed.count(), 0); // the program goes on
        QVERIFY(main.birthForm() == before);
    }

    // From start-up to a day's detail with the keyboard alone: Tab to NAPTÁR KÉSZITÉSE, Enter
    // makes the calendar, which takes the keyboard on today's
    // cell; the arrows reach a moon-phase day and Enter breaks it down.
    void keyboardAloneFromStartUpToADayDetail()
    {
        Started started;
        MainWindow &main = started.program.mainWindow();
        QVERIFY(QTest::qWaitForWindowActive(&main));
        const auto focusName = [] { return QApplication::focusWidget()->objectName(); };
        QCOMPARE(focusName(), "txtYear");
        for (int k = 0; k < 30 && focusName() != "Command2"; ++k)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(focusName(), "Command2");

        QSignalSpy finished(&started.program.calendar(), &CalendarController::finished);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QVERIFY(finished.wait(60000));
        CalendarWindow *calendar = started.program.calendar().window();
        QVERIFY(QTest::qWaitForWindowActive(calendar));
        CalendarCanvas *canvas = calendar->canvas();
        QCOMPARE(QApplication::focusWidget(), canvas);
        const CalendarModel &model = started.program.calendar().model();
        QCOMPARE(model.date(canvas->focusCell()), QDate(2026, 12, 8)); // the clock's today

        QTest::keyClick(canvas, Qt::Key_Home);
        while (!model.days[static_cast<size_t>(canvas->focusCell())].isPhaseDay())
            QTest::keyClick(canvas, Qt::Key_Right);
        const QDate phaseDay = model.date(canvas->focusCell());
        QVERIFY(calendar->cellInfoText().contains(QStringLiteral("holdfázis nap")));
        QTest::keyClick(canvas, Qt::Key_Return);
        QVERIFY(finished.wait(60000));
        QCOMPARE(calendar->pageText(PageText::DetailDate2),
                 QStringLiteral("%1.%2.%3").arg(phaseDay.year()).arg(phaseDay.month()).arg(phaseDay.day()));
        QCOMPARE(QApplication::focusWidget(), canvas);
    }

    void refusedRunKeepsTheMainWindowAndPointsAtTheField_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("text");
        QTest::newRow("longitude minutes no number") << "txtLongMin" << ""; // passes the field rules
        QTest::newRow("± PERC 181, as a saved person may hold it") << "txtUncertainty" << "181";
    }
    void refusedRunKeepsTheMainWindowAndPointsAtTheField()
    {
        QFETCH(QString, field);
        QFETCH(QString, text);
        Started started;
        ScriptedDialogs &dialogs = started.dialogs;
        Program &program = started.program;
        MainWindow &main = program.mainWindow();
        QVERIFY(QTest::qWaitForWindowActive(&main));
        BirthForm fields = main.birthForm();
        (field == "txtLongMin" ? fields.longitudeMinutes : fields.uncertainty) = text;
        main.setBirthForm(fields);

        QTest::mouseClick(main.findChild<QWidget *>(QStringLiteral("Command2")), Qt::LeftButton);

        QVERIFY(!program.calendar().isRunning());
        QVERIFY(!program.calendar().window());
        QVERIFY(main.isVisible());
        QCOMPARE(dialogs.messages.size(), size_t(1));
        QCOMPARE(QApplication::focusWidget()->objectName(), field);
    }

    // "LAKÓHELY" Budapest puts the calendar of the birth data of 1973 (zone -1) on the
    // Budapest clock: the July moon-phase day's exact return comes an hour later, the
    // January one stays. The red hours move with it in the residence calendar test.
    void theResidencePutsTheCalendarOnItsClock()
    {
        struct Seen {
            QDateTime januaryReturn, julyReturn;
        };
        const auto run = [](const PlaceChoice &residence) {
            Started started;
            MainWindow &main = started.program.mainWindow();
            BirthForm fields; // 26 February 1973, 02:50, zone -1
            fields.residence = residence;
            main.setBirthForm(fields);
            main.findChild<QLineEdit *>(QStringLiteral("Text3"))->setText(QStringLiteral("2026"));
            CalendarController &calendar = started.program.calendar();
            QSignalSpy finished(&calendar, &CalendarController::finished);
            QTest::mouseClick(main.findChild<QWidget *>(QStringLiteral("Command2")), Qt::LeftButton);
            finished.wait(60000);
            Seen seen;
            if (!calendar.window() || !started.dialogs.messages.empty())
                return seen;

            seen.januaryReturn = calendar.model().exactReturns[10].value_or(ExactReturn{}).moment;
            seen.julyReturn = calendar.model().exactReturns[188].value_or(ExactReturn{}).moment;
            return seen;
        };
        const Seen zone = run({});
        const Seen budapest = run({QStringLiteral("Budapest, Magyarország"), 3054643});
        QCOMPARE(zone.januaryReturn.toString(Qt::ISODate), QStringLiteral("2026-01-11T15:03:43+01:00"));
        QCOMPARE(budapest.januaryReturn, zone.januaryReturn);
        QCOMPARE(zone.julyReturn.time().toString(), QStringLiteral("15:45:47"));
        QCOMPARE(budapest.julyReturn.toSecsSinceEpoch(), zone.julyReturn.toSecsSinceEpoch());
        QCOMPARE(budapest.julyReturn.time().toString(), QStringLiteral("16:45:47"));
    }
};

QTEST_MAIN(ProgramTest)
#include "program_test.moc"
