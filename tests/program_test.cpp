// The program as a whole: the main window's calendar command opens the calendar, and
// closing the calendar brings the main window back as it was.

#include "app/main_window.h"
#include "app/program.h"
#include "calendar/window/calendar_controller.h"
#include "calendar/window/calendar_window.h"
#include "support/main_window_harness.h"

#include <QSignalSpy>

using namespace ferolune;
using namespace ferolune::test;

namespace {

// The program started at 15:05 on 8 December 2026 with the real ephemeris.
struct Started {
    FixedClock clock{at(2026, 12, 8, 15, 5)};
    ScriptedDialogs dialogs;
    Ephemeris ephemeris{QStringList{QStringLiteral(FEROLUNE_EPHEMS_DIR)}};
    Program program{ephemeris, dialogs, clock};

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
        const BirthData before = main.birthData();
        QSignalSpy lastWindowClosed(qApp, &QGuiApplication::lastWindowClosed);

        QTest::mouseClick(main.findChild<QWidget *>(QStringLiteral("Command2")), Qt::LeftButton);

        QPointer<CalendarWindow> calendar = program.calendar().window();
        QVERIFY(calendar && calendar->isVisible());
        QVERIFY(!main.isVisible());
        QVERIFY(dialogs.messages.empty());

        calendar->close();
        QVERIFY(main.isVisible());
        QTRY_VERIFY(calendar.isNull());
        QCOMPARE(lastWindowClosed.count(), 0); // the program goes on
        QVERIFY(main.birthData() == before);
    }

    void refusedRunKeepsTheMainWindowAndPointsAtTheField()
    {
        Started started;
        ScriptedDialogs &dialogs = started.dialogs;
        Program &program = started.program;
        MainWindow &main = program.mainWindow();
        QVERIFY(QTest::qWaitForWindowActive(&main));
        BirthData fields = main.birthData();
        fields.txtLongMin.clear(); // passes the field rules, but is no number
        main.setBirthData(fields);

        QTest::mouseClick(main.findChild<QWidget *>(QStringLiteral("Command2")), Qt::LeftButton);

        QVERIFY(!program.calendar().window());
        QVERIFY(main.isVisible());
        QCOMPARE(dialogs.messages.size(), size_t(1));
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("txtLongMin"));
    }
};

QTEST_MAIN(ProgramTest)
#include "program_test.moc"
