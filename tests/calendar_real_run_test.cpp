// The calendar of the default birth data for 2026, computed by the real ephemeris and
// read back from the cells of the calendar window.

#include "gui/calendar_window/calendar_canvas.h"
#include "gui/calendar_window/calendar_controller.h"
#include "gui/calendar_window/calendar_window.h"
#include "gui/calendar_window/calendar_worker.h"
#include "support/calendar_support.h"
#include "support/controller_support.h"
#include "support/scripted_dialogs.h"

#include <QLocale>
#include <QtTest>

#include <map>
#include <utility>

using namespace ferolune;

namespace {

int cellIndex(int month, int day)
{
    static const int monthStart[] = {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334};
    return monthStart[month - 1] + day - 1;
}

const QColor White(255, 255, 255), Yellow(255, 255, 0), Red(255, 0, 0), Blue(0, 0, 255);

} // namespace

class CalendarRealRunTest : public QObject {
    Q_OBJECT

    CalendarWorker worker{QStringList{QStringLiteral(FEROLUNE_EPHEMS_DIR)}};
    test::ScriptedDialogs dialogs;

private slots:
    void initTestCase() { Q_INIT_RESOURCE(ferolune); }

    void defaultBirthFormIn2026()
    {
        CalendarController controller(worker, dialogs);
        QCOMPARE(test::runToEnd(controller, test::runOf()), CalendarController::Outcome::Finished);
        CalendarWindow *window = controller.window();
        QVERIFY(window);
        QVERIFY(dialogs.messages.empty());
        // the angle is shown with the desktop's own separator
        QCOMPARE(window->pageText(PageText::AngleCaption), "NAP-HOLD FOK: 280" + QLocale().decimalPoint() + "2");

        // Moon-phase days with their colours; the three days before each are fertile.
        const std::map<int, QColor> phaseDays = {
            {cellIndex(1, 11), Red},   {cellIndex(2, 10), Blue}, {cellIndex(3, 12), Red},  {cellIndex(4, 11), Blue},
            {cellIndex(5, 10), Red},   {cellIndex(6, 9), Red},   {cellIndex(7, 8), Blue},  {cellIndex(8, 6), Red},
            {cellIndex(9, 5), Blue},   {cellIndex(10, 4), Red},  {cellIndex(11, 2), Blue}, {cellIndex(12, 2), Red},
            {cellIndex(12, 31), Blue},
        };
        for (int k = 0; k < 365; ++k) {
            const auto phase = phaseDays.find(k);
            QCOMPARE(window->cellHasPhasePointer(k), phase != phaseDays.end());
            if (phase != phaseDays.end()) {
                QCOMPARE(window->cellColor(k), phase->second);
                continue;
            }
            const bool fertile = phaseDays.count(k + 1) || phaseDays.count(k + 2) || phaseDays.count(k + 3);
            QVERIFY2(window->cellColor(k) == (fertile ? Yellow : White), qPrintable(QString::number(k)));
        }

        // The detail of 11 January: red in hours 14 and 15 of the day itself only.
        QTest::mouseClick(window->canvas(), Qt::LeftButton, {}, window->cellRect(cellIndex(1, 11)).center());
        // The click reaches the detail through the event loop; the last caption comes last.
        QTRY_COMPARE_WITH_TIMEOUT(window->pageText(PageText::DetailDate3), QStringLiteral("2026.1.12"), 30000);
        QVERIFY(!controller.isRunning());
        for (int hour = 0; hour < 72; ++hour)
            QCOMPARE(window->hourCellColor(hour), (hour == 38 || hour == 39) ? Red : White);
        QCOMPARE(window->pageText(PageText::DetailDate1), QStringLiteral("2026.1.10"));
        QCOMPARE(window->pageText(PageText::DetailDate2), QStringLiteral("2026.1.11"));
        QCOMPARE(window->pageText(PageText::DetailDate3), QStringLiteral("2026.1.12"));
    }

    // Born 10 March 1981, 18:27, zone -1.5: in 2020 the moon-phase day of February is
    // 29 February, a girl day, and its detail runs from 28 February to 1 March.
    void leapDayOf2020()
    {
        const BirthForm birth = test::birthOf("1981", "3", "10", 18, "27", "-1.5");
        CalendarController controller(worker, dialogs);
        QCOMPARE(test::runToEnd(controller, test::runOf(birth, QStringLiteral("2020"))),
                 CalendarController::Outcome::Finished);
        CalendarWindow *window = controller.window();
        QVERIFY(window);
        const int leapDay = QDate(2020, 2, 29).dayOfYear() - 1;
        const QImage image = window->grab().toImage();
        QCOMPARE(QColor(image.pixel(window->cellRect(leapDay).center())), Red);
        for (int k = leapDay - 3; k < leapDay; ++k)
            QCOMPARE(QColor(image.pixel(window->cellRect(k).center())), Yellow);
        QCOMPARE(QColor(image.pixel(window->cellRect(365).center())), window->cellColor(365)); // 31 December
        QVERIFY(window->cellHasPhasePointer(leapDay));
        QVERIFY(window->pageText(PageText::EphemerisNote).isEmpty());

        QTest::mouseClick(window->canvas(), Qt::LeftButton, {}, window->cellRect(leapDay).center());
        QTRY_COMPARE_WITH_TIMEOUT(window->pageText(PageText::DetailDate3), QStringLiteral("2020.3.1"), 30000);
        QCOMPARE(window->pageText(PageText::DetailDate1), QStringLiteral("2020.2.28"));
        QCOMPARE(window->pageText(PageText::DetailDate2), QStringLiteral("2020.2.29"));
        const QString exactLine = window->pageText(PageText::ExactLine);
        QVERIFY2(exactLine.startsWith(QStringLiteral("Pontos visszatérés: 2020.02.29 02:")), qPrintable(exactLine));
    }
};

QTEST_MAIN(CalendarRealRunTest)
#include "calendar_real_run_test.moc"
