#include "core/common/run_error.h"
#include "support/main_window_harness.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

using namespace ferolune;
using namespace ferolune::test;

class MainWindowStartupTest : public QObject {
    Q_OBJECT

private slots:
    void fillsTheFieldsFromTheClock_data();
    void fillsTheFieldsFromTheClock();
    void looksAsDesigned();
    void failureEndsStartUpWithItsMessage();
    void missingEphemerisDataIsReportedOnce();
    void setBirthFormTakesTheFieldsAsGiven();
    void closingEndsTheProgramAtOnce();
};

void MainWindowStartupTest::fillsTheFieldsFromTheClock_data()
{
    QTest::addColumn<QDateTime>("now");
    QTest::addColumn<QString>("fields"); // year month day, visible hour, minute, hidden hour

    QTest::newRow("15:05 on 8 December 2026") << at(2026, 12, 8, 15, 5) << "2026 12 08, 15:05, hidden 3 DU";
    QTest::newRow("00:30") << at(2027, 1, 31, 0, 30) << "2027 01 31, 0:30, hidden 12 DE";
    QTest::newRow("12:10") << at(2026, 6, 1, 12, 10) << "2026 06 01, 12:10, hidden 12 DU";
    QTest::newRow("09:45") << at(2026, 3, 9, 9, 45) << "2026 03 09, 09:45, hidden 09 DE";
}

void MainWindowStartupTest::fillsTheFieldsFromTheClock()
{
    QFETCH(QDateTime, now);
    QFETCH(QString, fields);
    MainWindowHarness harness(now);
    QVERIFY(harness.start());

    const BirthForm birth = harness.window.birthForm();
    QCOMPARE(QStringLiteral("%1 %2 %3, %4:%5, hidden %6 %7")
                 .arg(birth.year, birth.month, birth.day, birth.hour, birth.minute, birth.hour12,
                      birth.beforeNoon ? QStringLiteral("DE") : QStringLiteral("DU")),
             fields);
    QCOMPARE(harness.window.calendarYearText(), birth.year);
    QCOMPARE(birth.name, QStringLiteral("Ismeretlen"));
    QVERIFY(harness.dialogs.messages.empty());
    QVERIFY(!QGuiApplication::overrideCursor());
    QCOMPARE(harness.focused(), QStringLiteral("txtYear"));
    QCOMPARE(harness.control(QStringLiteral("txtYear"))->selectedText(), birth.year);
}

void MainWindowStartupTest::looksAsDesigned()
{
    MainWindowHarness harness;
    QVERIFY(harness.start());
    MainWindow &window = harness.window;
    QVERIFY(window.windowTitle().startsWith(QStringLiteral("FEROLUNE V")));
    QVERIFY(window.windowTitle().endsWith(QStringLiteral(" [https://ferolune.example.org]")));
    QCOMPARE(window.pos(), QPoint(0, 0));
    QVERIFY(!window.windowIcon().isNull());

    const auto colour = [&](const char *name, QPalette::ColorRole role) {
        return harness.control<QWidget>(QLatin1StringView(name))->palette().color(role);
    };
    QCOMPARE(colour("txtYear", QPalette::Base), QColor(255, 255, 192));
    QCOMPARE(colour("txtName", QPalette::Text), QColor(255, 0, 0));
    QCOMPARE(colour("Text3", QPalette::Base), QColor(255, 0, 0));
    QCOMPARE(colour("Text3", QPalette::Text), QColor(255, 255, 255));
    QCOMPARE(colour("Frame4", QPalette::Window), QColor(255, 255, 255));
    QCOMPARE(colour("lblBirthTZ", QPalette::WindowText), QColor(64, 64, 64));

    QCOMPARE(harness.control<QPushButton>("Command5")->text().replace('\n', ' '),
             QStringLiteral("ASZTRÓGRAM MEGNYITÁSA"));
    const QString help = harness.control<QLabel>("Label6")->text();
    QVERIFY(help.contains(QStringLiteral("(forum.ferolune.example.org)")));
    QVERIFY(help.endsWith(QStringLiteral("          Figyelem! A Jónás módszer név jogvédett!")));

    BirthForm design; // the items start-up leaves alone
    const BirthForm fields = window.birthForm();
    QCOMPARE(QStringList({fields.zoneText, fields.longitudeDegrees, fields.longitudeMinutes, fields.latitudeDegrees,
                          fields.latitudeMinutes}),
             QStringList({design.zoneText, design.longitudeDegrees, design.longitudeMinutes, design.latitudeDegrees,
                          design.latitudeMinutes}));
    QCOMPARE(fields.summerTime, 0);
    QVERIFY(fields.east && !fields.south);
}

void MainWindowStartupTest::failureEndsStartUpWithItsMessage()
{
    MainWindowHarness harness;
    harness.window.setEphemerisCheck([]() -> Expected<bool, RunError> {
        return Unexpected(RunError{48, QStringLiteral("Error in loading DLL")});
    });
    QVERIFY(harness.start());

    QCOMPARE(harness.dialogs.messages.size(), size_t(1));
    QCOMPARE(harness.dialogs.messages[0].text,
             QStringLiteral("Error 48 (Error in loading DLL) in procedure Form_Load of Form frmMain"));
    QCOMPARE(harness.dialogs.messages[0].icon, Dialogs::Icon::None);
    QCOMPARE(harness.window.birthForm(), BirthForm{}); // the design texts
    QCOMPARE(harness.window.calendarYearText(), QStringLiteral("2026"));
    QVERIFY(harness.window.windowTitle().startsWith(QStringLiteral("FEROLUNE V")));
    QVERIFY(!QGuiApplication::overrideCursor());
}

void MainWindowStartupTest::missingEphemerisDataIsReportedOnce()
{
    const QString nowhere = QStringLiteral("/nonexistent/ferolune-ephems");
    MainWindowHarness harness(at(2026, 12, 8, 15, 5), {nowhere});
    QVERIFY(harness.start());

    QCOMPARE(harness.dialogs.messages.size(), size_t(1));
    const QString text = harness.dialogs.messages[0].text;
    QVERIFY(text.contains(QStringLiteral("nem találhatók")));
    QVERIFY(text.contains(nowhere));
    QVERIFY(text.contains(QStringLiteral("beépített, kevésbé pontos")));
    QCOMPARE(harness.window.birthForm().hour, QStringLiteral("15")); // start-up went on
}

void MainWindowStartupTest::setBirthFormTakesTheFieldsAsGiven()
{
    MainWindowHarness harness;
    QVERIFY(harness.start());
    const BirthForm imported{QStringLiteral("Kiss Éva"),
                             QStringLiteral("1980"),
                             QStringLiteral("5"),
                             QStringLiteral("17"),
                             QStringLiteral("15"),
                             QStringLiteral("3"),
                             false,
                             QStringLiteral("45"),
                             QStringLiteral("-1"),
                             2,
                             QStringLiteral("5"),
                             QStringLiteral("30"),
                             false,
                             QStringLiteral("12"),
                             QStringLiteral("0"),
                             true,
                             {QStringLiteral("Sehol"), 0},
                             {QStringLiteral("Szeged, Magyarország"), 715429},
                             QStringLiteral("30")};
    harness.window.setBirthForm(imported);
    QCOMPARE(harness.window.birthForm(), imported);
}

void MainWindowStartupTest::closingEndsTheProgramAtOnce()
{
    struct OtherWindow : QWidget {
        bool askedToClose = false;
        void closeEvent(QCloseEvent *event) override
        {
            askedToClose = true;
            event->accept();
        }
    } other;
    MainWindowHarness harness;
    QVERIFY(harness.start());
    other.show();

    QTimer::singleShot(0, &harness.window, &QWidget::close);
    QTimer giveUp;
    giveUp.setSingleShot(true);
    connect(&giveUp, &QTimer::timeout, [] { QCoreApplication::exit(1); });
    giveUp.start(10000);
    QCOMPARE(QCoreApplication::exec(), 0);
    QVERIFY(!other.askedToClose);
}

QTEST_MAIN(MainWindowStartupTest)
#include "main_window_startup_test.moc"
