#include "support/locale_guard.h"
#include "support/main_window_harness.h"

#include <QCheckBox>
#include <QClipboard>
#include <QGuiApplication>
#include <QRadioButton>

using namespace ferolune;
using namespace ferolune::test;

class MainWindowEditingTest : public QObject {
    Q_OBJECT

private slots:
    void typedCharactersAreFiltered_data();
    void typedCharactersAreFiltered();
    void controlKeysAndPasting_data();
    void controlKeysAndPasting();
    void gainingTheFocusSelectsEverything_data();
    void gainingTheFocusSelectsEverything();
    void clickIntoAnInactiveWindowSelectsEverything();
    void rangeChecksOnLeaving_data();
    void rangeChecksOnLeaving();
    void rejectedLeaveKeepsTheFocus_data();
    void rejectedLeaveKeepsTheFocus();
    void arrowKeysFollowTheChain_data();
    void arrowKeysFollowTheChain();
    void tabVisitsTheFocusOrder();
    void leavingTheHourSetsTheHiddenHour_data();
    void leavingTheHourSetsTheHiddenHour();
    void commandsSeeTheEditedHour_data();
    void commandsSeeTheEditedHour();
    void summerTimeBoxMovesTheZone_data();
    void summerTimeBoxMovesTheZone();
    void summerTimeFailureIsReported();
    void sideOptionsSignTheZone_data();
    void sideOptionsSignTheZone();
};

namespace {

// Birth fields as start-up leaves them at 15:05, with some items replaced.
void setFields(MainWindowHarness &harness, const std::function<void(BirthData &)> &change)
{
    BirthData fields = harness.window.birthData();
    change(fields);
    harness.window.setBirthData(fields);
}

QString hiddenHour(const MainWindowHarness &harness)
{
    const BirthData fields = harness.window.birthData();
    return fields.txtBirthHour + (fields.optAM ? " DE" : " DU");
}

} // namespace

void MainWindowEditingTest::typedCharactersAreFiltered_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("kept");

    QTest::newRow("year: digits and minus") << "txtYear" << "-19a7.3" << "-1973";
    QTest::newRow("month: digits only") << "txtMonth" << "1a-2." << "12";
    QTest::newRow("day: no blank") << "txtDay" << "3 1" << "31";
    QTest::newRow("minute: full stops anywhere") << "txtBirthMinute" << "5.5x." << "5.5.";
    QTest::newRow("zone: minus and full stop") << "txtTZ" << "--1.5e" << "--1.5";
    QTest::newRow("latitude minutes: no comma") << "txtLatMin" << "0,35" << "035";
    QTest::newRow("hour: anything") << "Text1" << "12abc" << "12abc";
    QTest::newRow("name: anything") << "txtName" << "Kiss Éva" << "Kiss Éva";
    QTest::newRow("calendar year: anything") << "Text3" << "20x6" << "20x6";
}

void MainWindowEditingTest::typedCharactersAreFiltered()
{
    QFETCH(QString, field);
    QFETCH(QString, typed);
    QFETCH(QString, kept);
    MainWindowHarness harness;
    QVERIFY(harness.start());
    harness.retype(field, typed);
    QCOMPARE(harness.control(field)->text(), kept);
}

void MainWindowEditingTest::controlKeysAndPasting_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("typedFirst");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QString>("text");

    const int ctrl = Qt::ControlModifier;
    QTest::newRow("Ctrl+V discarded in the day") << "txtDay" << "" << int(Qt::Key_V) << ctrl << "08";
    QTest::newRow("Shift+Insert pastes unfiltered") << "txtDay" << "" << int(Qt::Key_Insert) << int(Qt::ShiftModifier)
                                                    << "12abc";
    QTest::newRow("Ctrl+V pastes into the hour") << "Text1" << "" << int(Qt::Key_V) << ctrl << "12abc";
    QTest::newRow("Ctrl+X discarded in the zone") << "txtTZ" << "" << int(Qt::Key_X) << ctrl << "-1";
    QTest::newRow("Ctrl+Z discarded in the month") << "txtMonth" << "5" << int(Qt::Key_Z) << ctrl << "5";
    QTest::newRow("Ctrl+Z undoes in the hour") << "Text1" << "5" << int(Qt::Key_Z) << ctrl << "15";
    QTest::newRow("backspace passes") << "txtDay" << "123" << int(Qt::Key_Backspace) << 0 << "12";
}

void MainWindowEditingTest::controlKeysAndPasting()
{
    QFETCH(QString, field);
    QFETCH(QString, typedFirst);
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(QString, text);
    MainWindowHarness harness;
    QVERIFY(harness.start());
    QGuiApplication::clipboard()->setText(QStringLiteral("12abc"));
    harness.window.focusField(field);
    QTest::keyClicks(QApplication::focusWidget(), typedFirst);
    harness.press(Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QCOMPARE(harness.control(field)->text(), text);
}

void MainWindowEditingTest::gainingTheFocusSelectsEverything_data()
{
    QTest::addColumn<QString>("from");
    QTest::addColumn<int>("key"); // 0: a click into the field
    QTest::addColumn<QString>("to");

    QTest::newRow("Tab") << "txtMonth" << int(Qt::Key_Tab) << "txtDay";
    QTest::newRow("Shift+Tab") << "txtDay" << int(Qt::Key_Backtab) << "txtMonth";
    QTest::newRow("Down") << "txtBirthMinute" << int(Qt::Key_Down) << "txtTZ";
    QTest::newRow("click") << "txtMonth" << 0 << "txtDay";
    QTest::newRow("click into the calendar year") << "txtName" << 0 << "Text3";
}

void MainWindowEditingTest::gainingTheFocusSelectsEverything()
{
    QFETCH(QString, from);
    QFETCH(int, key);
    QFETCH(QString, to);
    MainWindowHarness harness;
    QVERIFY(harness.start());
    harness.window.focusField(from);
    if (key)
        harness.press(Qt::Key(key));
    else
        QTest::mouseClick(harness.control(to), Qt::LeftButton);
    QCOMPARE(harness.focused(), to);
    QLineEdit *field = harness.control(to);
    QCOMPARE(field->selectedText(), field->text());
    QTest::keyClicks(field, QStringLiteral("7"));
    QCOMPARE(field->text(), QStringLiteral("7"));
}

void MainWindowEditingTest::clickIntoAnInactiveWindowSelectsEverything()
{
    MainWindowHarness harness;
    QVERIFY(harness.start());
    QWidget other;
    other.show();
    other.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&other));

    QLineEdit *month = harness.control(QStringLiteral("txtMonth"));
    QTest::mouseClick(month, Qt::LeftButton); // the click that activates the window
    harness.window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&harness.window));
    QCOMPARE(harness.focused(), QStringLiteral("txtMonth"));
    QTest::keyClicks(month, QStringLiteral("7"));
    QCOMPARE(month->text(), QStringLiteral("7"));
}

void MainWindowEditingTest::rangeChecksOnLeaving_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("message"); // empty: the value may leave

    QTest::newRow("month empty reads 0") << "txtMonth" << "" << "";
    QTest::newRow("month 0") << "txtMonth" << "0" << "";
    QTest::newRow("month 13") << "txtMonth" << "13" << "Helytelen hónap!";
    QTest::newRow("day 31") << "txtDay" << "31" << "";
    QTest::newRow("day 32") << "txtDay" << "32" << "Helytelen nap!";
    QTest::newRow("hour 23") << "Text1" << "23" << "";
    QTest::newRow("hour 24") << "Text1" << "24" << "Helytelen óra!";
    QTest::newRow("hour -1") << "Text1" << "-1" << "Helytelen óra!";
    QTest::newRow("hour letters read 0") << "Text1" << "abc" << "";
    QTest::newRow("hour 12abc reads 12") << "Text1" << "12abc" << "";
    QTest::newRow("minute 58.5") << "txtBirthMinute" << "58.5" << "";
    QTest::newRow("minute 1.2.3 reads 1.2") << "txtBirthMinute" << "1.2.3" << "";
    QTest::newRow("minute 59.5") << "txtBirthMinute" << "59.5" << "Helytelen perc!";
    QTest::newRow("minute 60") << "txtBirthMinute" << "60" << "Helytelen perc!";
    QTest::newRow("calendar year 1") << "Text3" << "1" << "";
    QTest::newRow("calendar year 9999") << "Text3" << "9999" << "";
    QTest::newRow("calendar year 0") << "Text3" << "0" << "Helytelen év!";
    QTest::newRow("calendar year 10000") << "Text3" << "10000" << "Helytelen év!";
    QTest::newRow("calendar year empty") << "Text3" << "" << "Helytelen év!";
    QTest::newRow("zone is never checked") << "txtTZ" << "999" << "";
}

void MainWindowEditingTest::rangeChecksOnLeaving()
{
    QFETCH(QString, field);
    QFETCH(QString, text);
    QFETCH(QString, message);
    MainWindowHarness harness;
    QVERIFY(harness.start());
    harness.retype(field, text);
    harness.press(Qt::Key_Tab);
    if (message.isEmpty()) {
        QVERIFY(harness.dialogs.messages.empty());
        QVERIFY(harness.focused() != field);
        return;
    }
    QCOMPARE(harness.dialogs.messages.size(), size_t(1));
    QCOMPARE(harness.dialogs.messages[0].text, message);
    QCOMPARE(harness.dialogs.messages[0].icon, Dialogs::Icon::Critical);
    QCOMPARE(harness.focused(), field);
    QCOMPARE(harness.control(field)->text(), text);
    harness.press(Qt::Key_Tab); // the next attempt checks again
    QCOMPARE(harness.dialogs.messages.size(), size_t(2));
}

void MainWindowEditingTest::rejectedLeaveKeepsTheFocus_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("leave");

    for (const char *leave : {"Tab", "Shift+Tab", "click txtDay", "click Check1", "click optWest", "click Command2",
                              "click Command5", "Enter"})
        QTest::newRow(leave) << "Text1" << "24" << leave;
    QTest::newRow("Down from the minute") << "txtBirthMinute" << "75" << "Down";
    QTest::newRow("Up from the minute") << "txtBirthMinute" << "75" << "Up";
}

void MainWindowEditingTest::rejectedLeaveKeepsTheFocus()
{
    QFETCH(QString, field);
    QFETCH(QString, text);
    QFETCH(QString, leave);
    MainWindowHarness harness;
    QVERIFY(harness.start());
    int commands = 0;
    harness.window.setCalendarCommand([&] { ++commands; });
    harness.window.setImportCommand([&] { ++commands; });
    harness.retype(field, text);
    const BirthData before = harness.window.birthData();

    if (leave.startsWith(QLatin1StringView("click ")))
        QTest::mouseClick(harness.control<QWidget>(leave.mid(6)), Qt::LeftButton);
    else
        harness.press(leave == QLatin1StringView("Tab")         ? Qt::Key_Tab
                      : leave == QLatin1StringView("Shift+Tab") ? Qt::Key_Backtab
                      : leave == QLatin1StringView("Enter")     ? Qt::Key_Return
                      : leave == QLatin1StringView("Down")      ? Qt::Key_Down
                                                                : Qt::Key_Up);

    QCOMPARE(harness.dialogs.messages.size(), size_t(1));
    QCOMPARE(harness.focused(), field);
    QCOMPARE(harness.window.birthData(), before); // no lost focus: the hidden hour, the box, the zone as they were
    QCOMPARE(commands, 0);
}

void MainWindowEditingTest::arrowKeysFollowTheChain_data()
{
    QTest::addColumn<QString>("from");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QString>("to");

    const QStringList chain = {"Text1",      "txtBirthMinute", "txtTZ",    "txtLongDeg",
                               "txtLongMin", "txtLatDeg",      "txtLatMin", "optNorth"};
    for (qsizetype i = 1; i + 1 < chain.size(); ++i) {
        QTest::addRow("Down from %s", qPrintable(chain[i])) << chain[i] << int(Qt::Key_Down) << 0 << chain[i + 1];
        QTest::addRow("Up from %s", qPrintable(chain[i])) << chain[i] << int(Qt::Key_Up) << 0 << chain[i - 1];
    }
    QTest::newRow("Shift+Down") << "txtTZ" << int(Qt::Key_Down) << int(Qt::ShiftModifier) << "txtLongDeg";
    QTest::newRow("Ctrl+Up") << "txtLatDeg" << int(Qt::Key_Up) << int(Qt::ControlModifier) << "txtLongMin";
    QTest::newRow("no rule in the hour") << "Text1" << int(Qt::Key_Down) << 0 << "Text1";
    QTest::newRow("no rule in the year") << "txtYear" << int(Qt::Key_Up) << 0 << "txtYear";
}

void MainWindowEditingTest::arrowKeysFollowTheChain()
{
    QFETCH(QString, from);
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(QString, to);
    MainWindowHarness harness;
    QVERIFY(harness.start());
    harness.window.focusField(from);
    harness.press(Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QCOMPARE(harness.focused(), to);
}

void MainWindowEditingTest::tabVisitsTheFocusOrder()
{
    MainWindowHarness harness;
    QVERIFY(harness.start());
    setFields(harness, [](BirthData &fields) { fields.optSouth = true; }); // the pair stops at its selected button
    const QStringList order = {"txtYear",  "txtMonth",   "txtDay",    "Text1",   "txtBirthMinute", "txtTZ",
                               "Check1",   "txtLongDeg", "txtLongMin", "optEast", "txtLatDeg",      "txtLatMin",
                               "optSouth", "Text3",      "Command2",  "Command5", "txtName",        "txtYear"};
    QStringList visited = {harness.focused()};
    for (int i = 1; i < order.size(); ++i) {
        harness.press(Qt::Key_Tab);
        visited << harness.focused();
    }
    QCOMPARE(visited, order);
    QStringList back = {harness.focused()};
    for (int i = 1; i < order.size(); ++i) {
        harness.press(Qt::Key_Backtab);
        back << harness.focused();
    }
    std::reverse(back.begin(), back.end());
    QCOMPARE(back, order);
}

void MainWindowEditingTest::leavingTheHourSetsTheHiddenHour_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("hidden");

    QTest::newRow("0 is 12 DE") << "0" << "12 DE";
    QTest::newRow("12 is 12 DU") << "12" << "12 DU";
    QTest::newRow("13 is 1 DU") << "13" << "1 DU";
    QTest::newRow("23 is 11 DU") << "23" << "11 DU";
    QTest::newRow("07 copied") << "07" << "07 DE";
    QTest::newRow("12.5 with the user's separator") << "12.5" << "0,5 DU";
    QTest::newRow("letters copied") << "abc" << "abc DE";
    QTest::newRow("empty copied") << "" << " DE";
}

void MainWindowEditingTest::leavingTheHourSetsTheHiddenHour()
{
    QFETCH(QString, typed);
    QFETCH(QString, hidden);
    const DecimalSeparatorGuard comma(u',');
    MainWindowHarness harness; // 15:05: 3 DU
    QVERIFY(harness.start());
    harness.retype(QStringLiteral("Text1"), typed);
    QCOMPARE(hiddenHour(harness), QStringLiteral("3 DU")); // kept while the user types
    harness.press(Qt::Key_Tab);
    QCOMPARE(hiddenHour(harness), hidden);
}

void MainWindowEditingTest::commandsSeeTheEditedHour_data()
{
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("command");

    QTest::newRow("Enter in the hour field") << "Enter" << "calendar";
    QTest::newRow("click on NAPTÁR KÉSZITÉSE") << "click Command2" << "calendar";
    QTest::newRow("click on ASZTRÓGRAM MEGNYITÁSA") << "click Command5" << "import";
    QTest::newRow("the calendar slot called directly") << "Command2_Click" << "calendar";
}

void MainWindowEditingTest::commandsSeeTheEditedHour()
{
    QFETCH(QString, start);
    QFETCH(QString, command);
    MainWindowHarness harness;
    QVERIFY(harness.start());
    QStringList seen;
    harness.window.setCalendarCommand([&] { seen << "calendar " + hiddenHour(harness); });
    harness.window.setImportCommand([&] { seen << "import " + hiddenHour(harness); });
    harness.retype(QStringLiteral("Text1"), QStringLiteral("7"));

    if (start == QLatin1StringView("Enter"))
        harness.press(Qt::Key_Return);
    else if (start == QLatin1StringView("Command2_Click"))
        harness.window.Command2_Click();
    else
        QTest::mouseClick(harness.control<QWidget>(start.mid(6)), Qt::LeftButton);
    QCOMPARE(seen, QStringList{command + " 7 DE"});
}

void MainWindowEditingTest::summerTimeBoxMovesTheZone_data()
{
    QTest::addColumn<QString>("zone");
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("zoneAfter");
    QTest::addColumn<int>("boxAfter");

    QTest::newRow("ticked by the mouse") << "-1" << "click" << "-2" << 1;
    QTest::newRow("zone 5 ticked") << "5" << "click" << "4" << 1;
    QTest::newRow("empty zone ticked") << "" << "click" << "-1" << 1;
    QTest::newRow("ticked and cleared") << "-1" << "click twice" << "-1" << 0;
    QTest::newRow("ticked by the space bar") << "-1" << "space" << "-2" << 1;
    QTest::newRow("released off the box") << "-1" << "release off" << "-1" << 0;
    QTest::newRow("right button") << "-1" << "right click" << "-1" << 0;
    QTest::newRow("ticked by the program") << "-1" << "program" << "-1" << 1;
}

void MainWindowEditingTest::summerTimeBoxMovesTheZone()
{
    QFETCH(QString, zone);
    QFETCH(QString, action);
    QFETCH(QString, zoneAfter);
    QFETCH(int, boxAfter);
    MainWindowHarness harness;
    QVERIFY(harness.start());
    setFields(harness, [&](BirthData &fields) { fields.txtTZ = zone; });
    auto *box = harness.control<QCheckBox>("Check1");
    const QPoint inside = box->rect().center();

    if (action == QLatin1StringView("click") || action == QLatin1StringView("click twice"))
        QTest::mouseClick(box, Qt::LeftButton, {}, inside);
    if (action == QLatin1StringView("click twice"))
        QTest::mouseClick(box, Qt::LeftButton, {}, inside);
    if (action == QLatin1StringView("space")) {
        harness.window.focusField(QStringLiteral("Check1"));
        harness.press(Qt::Key_Space);
    }
    if (action == QLatin1StringView("release off")) {
        QTest::mousePress(box, Qt::LeftButton, {}, inside);
        QTest::mouseRelease(box, Qt::LeftButton, {}, QPoint(-30, -30));
    }
    if (action == QLatin1StringView("right click"))
        QTest::mouseClick(box, Qt::RightButton, {}, inside);
    if (action == QLatin1StringView("program"))
        setFields(harness, [](BirthData &fields) { fields.Check1 = 1; });

    QCOMPARE(harness.window.birthData().txtTZ, zoneAfter);
    QCOMPARE(harness.window.birthData().Check1, boxAfter);
    QVERIFY(harness.dialogs.messages.empty());
}

void MainWindowEditingTest::summerTimeFailureIsReported()
{
    MainWindowHarness harness;
    QVERIFY(harness.start());
    const QString huge(400, QLatin1Char('9')); // beyond the range of a double
    setFields(harness, [&](BirthData &fields) { fields.txtTZ = huge; });
    QTest::mouseClick(harness.control<QWidget>("Check1"), Qt::LeftButton);
    QCOMPARE(harness.dialogs.messages.size(), size_t(1));
    QCOMPARE(harness.dialogs.messages[0].text, QStringLiteral("Error 6 (Overflow) in procedure Check1_Click of Form frmMain"));
    QCOMPARE(harness.dialogs.messages[0].icon, Dialogs::Icon::None);
    QCOMPARE(harness.window.birthData().txtTZ, huge);
}

void MainWindowEditingTest::sideOptionsSignTheZone_data()
{
    QTest::addColumn<QString>("zone");
    QTest::addColumn<bool>("eastBefore");
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("zoneAfter");

    QTest::newRow("1 to KELET") << "1" << false << "click optEast" << "-1";
    QTest::newRow("-1 to NYUGAT") << "-1" << true << "click optWest" << "1";
    QTest::newRow("-2 to NYUGAT") << "-2" << true << "click optWest" << "2";
    QTest::newRow("KELET again changes nothing") << "1" << true << "click optEast" << "1";
    QTest::newRow("by the arrow key") << "-1" << true << "Right" << "1";
    QTest::newRow("empty zone left alone") << "" << true << "click optWest" << "";
    QTest::newRow("lone minus left alone") << "-" << false << "click optEast" << "-";
}

void MainWindowEditingTest::sideOptionsSignTheZone()
{
    QFETCH(QString, zone);
    QFETCH(bool, eastBefore);
    QFETCH(QString, action);
    QFETCH(QString, zoneAfter);
    MainWindowHarness harness;
    QVERIFY(harness.start());
    setFields(harness, [&](BirthData &fields) {
        fields.txtTZ = zone;
        fields.optEast = eastBefore;
    });
    QCOMPARE(harness.window.birthData().txtTZ, zone); // the program's own setting moved nothing
    if (action == QLatin1StringView("Right")) {
        harness.window.focusField(QStringLiteral("optEast"));
        harness.press(Qt::Key_Right);
    } else {
        QTest::mouseClick(harness.control<QWidget>(action.mid(6)), Qt::LeftButton);
    }
    QCOMPARE(harness.window.birthData().txtTZ, zoneAfter);
    QVERIFY(harness.dialogs.messages.empty());
}

QTEST_MAIN(MainWindowEditingTest)
#include "main_window_editing_test.moc"
