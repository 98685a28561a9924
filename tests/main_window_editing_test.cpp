#include "support/main_window_harness.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>

using namespace ferolune;
using namespace ferolune::test;

// Every test starts the window at 15:05 on 8 December 2026: month 12, day 08, hour 15
// (hidden 3 DU), zone -1, the focus in txtYear.
class MainWindowEditingTest : public QObject {
    Q_OBJECT

private slots:
    void typing_data();
    void typing();
    void focusAndRangeChecks_data();
    void focusAndRangeChecks();
    void rejectedLeaveChangesNothing_data();
    void rejectedLeaveChangesNothing();
    void tabVisitsTheFocusOrder();
    void positiveZoneEastGetsAHintOnce();
    void clickIntoAnInactiveWindowSelectsEverything();
    void hourAndZoneCoupling_data();
    void hourAndZoneCoupling();
    void commandsSeeTheEditedHour_data();
    void commandsSeeTheEditedHour();
};

void MainWindowEditingTest::typing_data()
{
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");

    QTest::newRow("year: digits and minus") << "in txtYear; type -19a7.3" << "txtYear" << "-1973";
    QTest::newRow("month: digits only") << "in txtMonth; type 1a-2." << "txtMonth" << "12";
    QTest::newRow("day: no blank") << "in txtDay; type 3 1" << "txtDay" << "31";
    QTest::newRow("minute: full stops anywhere") << "in txtBirthMinute; type 5.5x." << "txtBirthMinute" << "5.5.";
    QTest::newRow("zone: minus and full stop") << "in txtTZ; type --1.5e" << "txtTZ" << "--1.5";
    QTest::newRow("hour: anything") << "in Text1; type 12abc" << "Text1" << "12abc";
    QTest::newRow("name: anything") << "in txtName; type Kiss Éva" << "txtName" << "Kiss Éva";
    QTest::newRow("calendar year: anything") << "in Text3; type 20x6" << "Text3" << "20x6";
    QTest::newRow("± PERC: digits only") << "in txtUncertainty; type -1a5.0" << "txtUncertainty" << "150";
    // The editing keys work in every field; what is pasted passes the field's filter.
    QTest::newRow("Ctrl+V pastes filtered") << "in txtDay; Ctrl+V" << "txtDay" << "12";
    QTest::newRow("Shift+Insert pastes filtered") << "in txtTZ; Shift+Ins" << "txtTZ" << "12";
    QTest::newRow("Ctrl+V pastes into the hour") << "in Text1; Ctrl+V" << "Text1" << "12abc";
    QTest::newRow("Ctrl+Z undoes in the month") << "in txtMonth; type 5; Ctrl+Z" << "txtMonth" << "12";
    QTest::newRow("Ctrl+Z undoes in the hour") << "in Text1; type 5; Ctrl+Z" << "Text1" << "15";
    QTest::newRow("Delete") << "in txtLatMin; Delete" << "txtLatMin" << "";
    QTest::newRow("Ctrl+C, End, Ctrl+V") << "in txtMonth; Ctrl+C; End; Ctrl+V" << "txtMonth" << "1212";
    QTest::newRow("Ctrl+X, typing, Ctrl+V") << "in txtDay; Ctrl+X; type 1; Ctrl+V" << "txtDay" << "108";
    QTest::newRow("a click in the year, Ctrl+A, typing") << "click txtYear; Ctrl+A; type 1994" << "txtYear" << "1994";
    QTest::newRow("Tab selects the whole text") << "in txtMonth; Tab; type 7" << "txtDay" << "7";
    QTest::newRow("Down selects") << "in txtBirthMinute; Down; type 7" << "txtTZ" << "7";
    QTest::newRow("a click selects") << "in txtMonth; click txtDay; type 7" << "txtDay" << "7";
    QTest::newRow("a click selects the year") << "in txtName; click Text3; type 7" << "Text3" << "7";
}

void MainWindowEditingTest::typing()
{
    QFETCH(QString, steps);
    QFETCH(QString, field);
    QFETCH(QString, text);
    MainWindowHarness harness;
    QVERIFY(harness.start());
    QGuiApplication::clipboard()->setText(QStringLiteral("12abc"));
    harness.perform(steps);
    QCOMPARE(harness.control(field)->text(), text);
}

void MainWindowEditingTest::focusAndRangeChecks_data()
{
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QString>("focused");
    QTest::addColumn<QString>("messages");

    QTest::newRow("empty month reads 0") << "in txtMonth; Backspace; Tab" << "txtDay" << "";
    QTest::newRow("month 0") << "in txtMonth; type 0; Tab" << "txtDay" << "";
    QTest::newRow("month 13") << "in txtMonth; type 13; Tab" << "txtMonth" << "Helytelen hónap!";
    QTest::newRow("day 31") << "in txtDay; type 31; Tab" << "Text1" << "";
    QTest::newRow("day 32, checked again") << "in txtDay; type 32; Tab; Tab" << "txtDay"
                                           << "Helytelen nap! | Helytelen nap!";
    QTest::newRow("hour 24") << "in Text1; type 24; Tab" << "Text1" << "Helytelen óra!";
    QTest::newRow("hour -1") << "in Text1; type -1; Tab" << "Text1" << "Helytelen óra!";
    QTest::newRow("minute 58.5") << "in txtBirthMinute; type 58.5; Tab" << "txtTZ" << "";
    QTest::newRow("minute 1.2.3 reads 1.2") << "in txtBirthMinute; type 1.2.3; Tab" << "txtTZ" << "";
    QTest::newRow("minute 59.5") << "in txtBirthMinute; type 59.5; Tab" << "txtBirthMinute" << "Helytelen perc!";
    QTest::newRow("minute 75, Down") << "in txtBirthMinute; type 75; Down" << "txtBirthMinute" << "Helytelen perc!";
    QTest::newRow("calendar year 1") << "in Text3; type 1; Tab" << "Command2" << "";
    QTest::newRow("calendar year 9999") << "in Text3; type 9999; Shift+Tab" << "Command5" << "";
    QTest::newRow("calendar year 0") << "in Text3; type 0; Tab" << "Text3" << "Helytelen év!";
    QTest::newRow("calendar year 10000") << "in Text3; type 10000; Tab" << "Text3" << "Helytelen év!";
    QTest::newRow("calendar year empty") << "in Text3; Backspace; Tab" << "Text3" << "Helytelen év!";
    QTest::newRow("± PERC 180") << "in txtUncertainty; type 180; Tab" << "cmdPlan" << "";
    QTest::newRow("± PERC 181") << "in txtUncertainty; type 181; Tab" << "txtUncertainty"
                                << "Helytelen „± PERC”! A születési idő bizonytalansága 0 és 180 perc között lehet.";
    QTest::newRow("zone never checked") << "in txtTZ; type 999; Tab" << "Check1" << "";

    const QStringList chain = {"Text1",      "txtBirthMinute", "txtTZ",    "txtLongDeg",
                               "txtLongMin", "txtLatDeg",      "txtLatMin", "optNorth"};
    for (qsizetype i = 1; i + 1 < chain.size(); ++i) {
        QTest::addRow("Down from %s", qPrintable(chain[i])) << "in " + chain[i] + "; Down" << chain[i + 1] << "";
        QTest::addRow("Up from %s", qPrintable(chain[i])) << "in " + chain[i] + "; Up" << chain[i - 1] << "";
    }
    QTest::newRow("Down to the selected hemisphere") << "set south; in txtLatMin; Down" << "optSouth" << "";
    QTest::newRow("Down and Up again") << "in txtLatMin; Down; Up" << "txtLatMin" << "";
    QTest::newRow("Up from ÉSZAK") << "in optNorth; Up" << "txtLatMin" << "";
    QTest::newRow("Up from DÉL") << "set south; in optSouth; Up" << "txtLatMin" << "";
    QTest::newRow("Shift+Down") << "in txtTZ; Shift+Down" << "txtLongDeg" << "";
    QTest::newRow("Ctrl+Up") << "in txtLatDeg; Ctrl+Up" << "txtLongMin" << "";
    QTest::newRow("no arrow rule in the hour") << "in Text1; Down" << "Text1" << "";
    QTest::newRow("no arrow rule in the year") << "in txtYear; Up" << "txtYear" << "";
}

void MainWindowEditingTest::focusAndRangeChecks()
{
    QFETCH(QString, steps);
    QFETCH(QString, focused);
    QFETCH(QString, messages);
    MainWindowHarness harness;
    QVERIFY(harness.start());
    harness.perform(steps);
    QCOMPARE(harness.focused(), focused);
    QCOMPARE(harness.dialogs.texts(), messages);
    for (const ScriptedDialogs::Message &message : harness.dialogs.messages)
        QCOMPARE(message.icon, Dialogs::Icon::Critical);
}

void MainWindowEditingTest::rejectedLeaveChangesNothing_data()
{
    QTest::addColumn<QString>("leave");
    for (const char *leave : {"Tab", "Shift+Tab", "Return", "click txtDay", "click Check1", "click optWest",
                              "click Command2", "click Command5"})
        QTest::newRow(leave) << leave;
}

void MainWindowEditingTest::rejectedLeaveChangesNothing()
{
    QFETCH(QString, leave);
    MainWindowHarness harness;
    QVERIFY(harness.start());
    int commands = 0;
    harness.window.setCalendarCommand([&] { ++commands; });
    harness.window.setImportCommand([&] { ++commands; });
    harness.perform(QStringLiteral("in Text1; type 24"));
    const BirthForm before = harness.window.birthForm();
    harness.perform(leave);
    QCOMPARE(harness.dialogs.texts(), QStringLiteral("Helytelen óra!"));
    QCOMPARE(harness.focused(), QStringLiteral("Text1"));
    QCOMPARE(harness.window.birthForm(), before); // no lost focus: hidden hour, box, sides and zone as they were
    QCOMPARE(commands, 0);
}

// "1" for Hungary is the usual slip: a positive zone east of Greenwich brings a hint, once;
// the field keeps what was typed.
void MainWindowEditingTest::positiveZoneEastGetsAHintOnce()
{
    MainWindowHarness harness;
    QVERIFY(harness.start());
    QCOMPARE(harness.control<QWidget>(QStringLiteral("txtTZ"))->toolTip(),
             QStringLiteral("Greenwichtől keletre negatív: Magyarország −1, nyári időben −2"));
    for (int k = 0; k < 2; ++k) {
        harness.perform(QStringLiteral("in txtTZ; type 1; Tab"));
        QTest::qWait(50);
    }
    QCOMPARE(harness.dialogs.messages.size(), size_t(1));
    QVERIFY(harness.dialogs.texts().endsWith(QStringLiteral("Magyarország −1, nyári időben −2")));
    QCOMPARE(harness.control<QLineEdit>(QStringLiteral("txtTZ"))->text(), QStringLiteral("1"));
}

void MainWindowEditingTest::tabVisitsTheFocusOrder()
{
    MainWindowHarness harness;
    QVERIFY(harness.start());
    harness.perform(QStringLiteral("set south")); // the pair stops at its selected button
    // Row by row, left to right, from the birth year where start-up leaves the focus.
    const QStringList order = {"txtYear",   "txtMonth",   "txtDay",        "Text1",        "txtBirthMinute",
                               "txtTZ",     "Check1",     "txtLongDeg",    "txtLongMin",   "optEast",
                               "txtLatDeg", "txtLatMin",  "optSouth",      "Command5",     "Text3",
                               "Command2",  "txtBirthPlace", "cmdSave",    "txtResidence", "txtUncertainty",
                               "cmdPlan",   "cmdCycle",   "txtName",       "txtYear"};
    QStringList forth = {harness.focused()};
    QStringList back = {harness.focused()};
    for (qsizetype i = 1; i < order.size(); ++i) {
        harness.perform(QStringLiteral("Tab"));
        forth << harness.focused();
    }
    for (qsizetype i = 1; i < order.size(); ++i) {
        harness.perform(QStringLiteral("Shift+Tab"));
        back.prepend(harness.focused());
    }
    QCOMPARE(forth, order);
    QCOMPARE(back, order);
}

void MainWindowEditingTest::clickIntoAnInactiveWindowSelectsEverything()
{
    MainWindowHarness harness;
    QVERIFY(harness.start());
    QWidget other;
    other.show();
    other.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&other));

    harness.perform(QStringLiteral("click txtMonth")); // the click that activates the window
    harness.window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&harness.window));
    harness.perform(QStringLiteral("type 7"));
    QCOMPARE(harness.control(QStringLiteral("txtMonth"))->text(), QStringLiteral("7"));
}

void MainWindowEditingTest::hourAndZoneCoupling_data()
{
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QString>("coupling"); // after the steps, then any messages

    QTest::newRow("typing keeps the hidden hour") << "in Text1; type 7" << "zone -1, box 0, hour 3 DU";
    QTest::newRow("0 is 12 DE") << "in Text1; type 0; Tab" << "zone -1, box 0, hour 12 DE";
    QTest::newRow("12 is 12 DU") << "in Text1; type 12; Tab" << "zone -1, box 0, hour 12 DU";
    QTest::newRow("13 is 1 DU") << "in Text1; type 13; Tab" << "zone -1, box 0, hour 1 DU";
    QTest::newRow("23 is 11 DU") << "in Text1; type 23; Tab" << "zone -1, box 0, hour 11 DU";
    QTest::newRow("07 copied") << "in Text1; type 07; click txtDay" << "zone -1, box 0, hour 07 DE";
    QTest::newRow("12.5 with the full stop") << "in Text1; type 12.5; Tab" << "zone -1, box 0, hour 0.5 DU";
    QTest::newRow("13.25 with the full stop") << "in Text1; type 13.25; Tab" << "zone -1, box 0, hour 1.25 DU";
    QTest::newRow("letters copied") << "in Text1; type abc; Tab" << "zone -1, box 0, hour abc DE";
    QTest::newRow("empty copied") << "in Text1; Backspace; Tab" << "zone -1, box 0, hour  DE";

    QTest::newRow("ticked by the mouse") << "click Check1" << "zone -2, box 1, hour 3 DU";
    QTest::newRow("zone 5 ticked") << "set txtTZ=5; click Check1" << "zone 4, box 1, hour 3 DU";
    QTest::newRow("empty zone ticked") << "set txtTZ=; click Check1" << "zone -1, box 1, hour 3 DU";
    QTest::newRow("ticked and cleared") << "click Check1; click Check1" << "zone -1, box 0, hour 3 DU";
    QTest::newRow("ticked by the space bar") << "in Check1; Space" << "zone -2, box 1, hour 3 DU";
    QTest::newRow("released off the box") << "release off Check1" << "zone -1, box 0, hour 3 DU";
    QTest::newRow("right button") << "right click Check1" << "zone -1, box 0, hour 3 DU";
    QTest::newRow("ticked by the program") << "set Check1=1" << "zone -1, box 1, hour 3 DU";
    QTest::newRow("greyed by the program, ticked") << "set Check1=2; click Check1" << "zone -2, box 1, hour 3 DU";
    const QString huge(400, QLatin1Char('9')); // beyond the range of a double
    QTest::newRow("zone overflow") << "set txtTZ=" + huge + "; click Check1"
                                   << "zone " + huge + ", box 1, hour 3 DU"
                                          " | Error 6 (Overflow) in procedure Check1_Click of Form frmMain";

    // A half-hour zone stays exact through any number of steps, whatever the user's settings.
    QTest::newRow("5.5 ticked") << "set txtTZ=5.5; click Check1" << "zone 4.5, box 1, hour 3 DU";
    QTest::newRow("5.5 ticked and cleared") << "set txtTZ=5.5; click Check1; click Check1"
                                            << "zone 5.5, box 0, hour 3 DU";
    QTest::newRow("5.5 to KELET and NYUGAT") << "set txtTZ=5.5; set west; click optEast; click optWest"
                                             << "zone 5.5, box 0, hour 3 DU";
    QTest::newRow("5.5 KELET, ticked, NYUGAT, cleared")
        << "set txtTZ=5.5; set west; click optEast; click Check1; click optWest; click Check1"
        << "zone 7.5, box 0, hour 3 DU";
    QStringList toggles = {QStringLiteral("set txtTZ=5.5"), QStringLiteral("set west")};
    for (int round = 0; round < 10; ++round)
        toggles << "click Check1" << "click optEast" << "click optWest" << "in Check1" << "Space";
    QTest::newRow("5.5 through ten rounds") << toggles.join(QStringLiteral("; ")) << "zone 5.5, box 0, hour 3 DU";
    QTest::newRow("-3.25 toggled three times by keys") << "set txtTZ=-3.25; in Check1; Space; Space; Space"
                                                << "zone -4.25, box 1, hour 3 DU";
    QTest::newRow("1 to KELET") << "set txtTZ=1; set west; click optEast" << "zone -1, box 0, hour 3 DU";
    QTest::newRow("-1 to NYUGAT") << "click optWest" << "zone 1, box 0, hour 3 DU";
    QTest::newRow("-2 to NYUGAT") << "set txtTZ=-2; click optWest" << "zone 2, box 0, hour 3 DU";
    QTest::newRow("KELET again") << "set txtTZ=1; click optEast" << "zone 1, box 0, hour 3 DU";
    QTest::newRow("NYUGAT by the arrow key") << "in optEast; Right" << "zone 1, box 0, hour 3 DU";
    QTest::newRow("empty zone left alone") << "set txtTZ=; click optWest" << "zone , box 0, hour 3 DU";
    QTest::newRow("lone minus left alone") << "set txtTZ=-; set west; click optEast" << "zone -, box 0, hour 3 DU";
}

void MainWindowEditingTest::hourAndZoneCoupling()
{
    QFETCH(QString, steps);
    QFETCH(QString, coupling);
    MainWindowHarness harness;
    QVERIFY(harness.start());
    harness.perform(steps);
    QStringList seen = {harness.coupling()};
    if (!harness.dialogs.messages.empty())
        seen << harness.dialogs.texts();
    QCOMPARE(seen.join(QStringLiteral(" | ")), coupling);
    for (const ScriptedDialogs::Message &message : harness.dialogs.messages)
        QCOMPARE(message.icon, Dialogs::Icon::None);
}

void MainWindowEditingTest::commandsSeeTheEditedHour_data()
{
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QString>("seen");

    QTest::newRow("Enter in the hour field") << "in Text1; type 7; Return" << "calendar 3 DU→7 DE";
    QTest::newRow("click on NAPTÁR KÉSZITÉSE") << "in Text1; type 7; click Command2" << "calendar 3 DU→7 DE";
    QTest::newRow("click on ASZTRÓGRAM MEGNYITÁSA") << "in Text1; type 7; click Command5" << "import 3 DU→7 DE";
    QTest::newRow("Enter on the focused import button") << "in Command5; Return" << "import 3 DU→3 DU";
}

void MainWindowEditingTest::commandsSeeTheEditedHour()
{
    QFETCH(QString, steps);
    QFETCH(QString, seen);
    MainWindowHarness harness;
    QVERIFY(harness.start());
    const QString before = harness.coupling().section(QStringLiteral("hour "), 1);
    QStringList commands;
    const auto record = [&](const QString &command) {
        commands << command + ' ' + before + "→" + harness.coupling().section(QStringLiteral("hour "), 1);
    };
    harness.window.setCalendarCommand([&] { record(QStringLiteral("calendar")); });
    harness.window.setImportCommand([&] { record(QStringLiteral("import")); });
    harness.perform(steps);
    QCOMPARE(commands.join(QStringLiteral(" | ")), seen);
}

QTEST_MAIN(MainWindowEditingTest)
#include "main_window_editing_test.moc"
