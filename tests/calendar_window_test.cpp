// The calendar window on its own: layout, the cells it shows, clicks and printing.

#include "gui/calendar_window/calendar_canvas.h"
#include "core/calendar/calendar_run.h"
#include "gui/calendar_window/calendar_window.h"
#include "io/page/page_layout.h"
#include "support/full_disk.h"
#include "support/pdf_page.h"
#include "support/scripted_dialogs.h"
#include "io/export/calendar_export.h"

#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QPrinter>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimeZone>
#include <QToolTip>
#include <QtTest>

using namespace ferolune;

namespace {

CalendarModel sampleModel()
{
    CalendarModel model = CalendarModel::emptyYear(2026);
    model.resetHours();
    const auto phase = [&](int k, DayClass dayClass) {
        model.days[static_cast<size_t>(k)] = {dayClass, false};
        for (int before = k - 3; before < k; ++before)
            model.days[static_cast<size_t>(before)].dayClass = DayClass::Fertile;
    };
    phase(4, DayClass::PhaseBoy);    // 5 January
    phase(73, DayClass::PhaseGirl);  // 15 March
    phase(338, DayClass::PhaseBoy);  // 5 December
    phase(358, DayClass::PhaseGirl); // 25 December
    model.hours[37] = HourClass::Match;
    model.detailCaptions = {QStringLiteral("2026.3.14"), QStringLiteral("2026.3.15"), QStringLiteral("2026.3.16")};
    return model;
}

// A calendar of 2026 for `name` living at `residence`, with the natal chart's `lines`.
CalendarDocument documentOf(const QString &name, const QString &residence, const std::array<QString, 5> &lines)
{
    NatalChart natal;
    natal.lines = lines;
    return {{QStringLiteral("2026"), name, residence, {}, {}}, {}, natal, CalendarModel::emptyYear(2026)};
}

} // namespace

class CalendarWindowTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { Q_INIT_RESOURCE(ferolune); }
    void init()
    {
        dialogs = test::ScriptedDialogs{};
        window = new CalendarWindow(dialogs);
    }
    void cleanup() { delete window.data(); }

    // February's row has 28 cells, or 29 in a leap year; the cells after it move with it.
    void februaryRow_data()
    {
        QTest::addColumn<int>("dayCount");
        QTest::addColumn<int>("februaryCells");
        QTest::newRow("common year") << 365 << 28;
        QTest::newRow("leap year") << 366 << 29;
    }
    void februaryRow()
    {
        QFETCH(int, dayCount);
        QFETCH(int, februaryCells);
        window->setModel(CalendarModel::emptyYear(dayCount == 366 ? 2028 : 2027));
        const int februaryTop = window->cellRect(31).top();
        int cells = 0;
        for (int k = 0; k < dayCount; ++k)
            cells += window->cellRect(k).top() == februaryTop ? 1 : 0;
        QCOMPARE(cells, februaryCells);
        // 1 March starts the third row under 1 January; 31 December ends the last under 31 January.
        const QRect march = window->cellRect(31 + februaryCells), january = window->cellRect(0);
        QCOMPARE(march.left(), january.left());
        QCOMPARE(march.top() - februaryTop, februaryTop - january.top());
        QCOMPARE(window->cellRect(dayCount - 1).left(), window->cellRect(30).left());
        QCOMPARE(window->cellRect(365).isValid(), dayCount == 366);
        // Where the days February lacks would stand there is no cell.
        for (int column = februaryCells + 1; column <= 31; ++column)
            QCOMPARE(window->canvas()->dayCellAt(QPoint(104 + 16 * (column - 1) + 8, februaryTop + 10)), -1);
        // The last February cell is painted.
        const QImage image = window->grab().toImage();
        QCOMPARE(QColor(image.pixel(window->cellRect(31 + februaryCells - 1).center())), QColor(255, 255, 255));
    }

    void designColoursAndCaptions()
    {
        // Cells keep the window background until a run resets them; the legend is fixed.
        const QColor background = window->palette().color(QPalette::Base);
        QCOMPARE(window->cellColor(100), background);
        QCOMPARE(window->hourCellColor(0), background);
        QCOMPARE(window->cellColor(FirstLegendIndex), background);
        QCOMPARE(window->cellColor(FirstLegendIndex + 1), QColor(255, 255, 0));
        QCOMPARE(window->cellColor(FirstLegendIndex + 2), QColor(255, 0, 0));
        QVERIFY(!window->isWaitPanelVisible());
        QCOMPARE(window->pageText(PageText::Heading), QStringLiteral("A SZÜLETÉS ADATAI"));
        QCOMPARE(window->pageText(PageText::ChartText), QStringLiteral("lblData"));

        window->showCalendar(
            documentOf(QStringLiteral("Kiss <b>Anna</b>"), {},
                       {QStringLiteral("NAP         HALAK     7.33"), QStringLiteral("HOLD        NYILAS    17.53")}),
            false);
        QCOMPARE(window->pageText(PageText::Heading), QStringLiteral("A SZÜLETÉS ADATAI: Kiss <b>Anna</b>"));
        QCOMPARE(window->pageText(PageText::Year), QStringLiteral("2026"));
        QVERIFY(window->pageText(PageText::ChartText)
                    .startsWith(QStringLiteral("NAP         HALAK     7.33\nHOLD        NYILAS    17.53\n")));
        QCOMPARE(colour("Picture2", QPalette::Window), QColor(0, 64, 64));
    }

    // The heading of the birth-data box fits the box at the box's own type size, however
    // long the name and the place of residence: on a second line, and shortened with an
    // ellipsis only past that, the whole heading then in the tooltip. Read from the page
    // as drawn: no ink touches the box's inner edges, and the capitals stand full height.
    void headingFitsTheBox_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("residence");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("short, one line") << "Kiss Anna" << "Szeged, Csongrád-Csanád, Magyarország"
                                         << QStringList{"A SZÜLETÉS ADATAI: Kiss Anna, LAKÓHELY: Szeged"};
        QTest::newRow("married name of three words") << "Szentgyörgyiné Kovács Éva" << "Marosvásárhely (Târgu Mureș), Románia"
                                                    << QStringList{"A SZÜLETÉS ADATAI: Szentgyörgyiné Kovács Éva",
                                                                   "LAKÓHELY: Marosvásárhely (Târgu Mureș)"};
        QTest::newRow("long name, no residence") << "Szentgyörgyiné Kovács Éva Krisztina Mária" << ""
                                                 << QStringList{"A SZÜLETÉS ADATAI:",
                                                                "Szentgyörgyiné Kovács Éva Krisztina Mária"};
        QTest::newRow("longer than two lines") << "Szentgyörgyiné Kovács Éva Krisztina Mária Magdolna" << "Marosvásárhely, Románia"
                                               << QStringList{"A SZÜLETÉS ADATAI: Szentgyörgyiné…",
                                                              "LAKÓHELY: Marosvásárhely"};
    }
    void headingFitsTheBox()
    {
        QFETCH(QString, name);
        QFETCH(QString, residence);
        QFETCH(QStringList, lines);
        window->showCalendar(
            documentOf(name, residence,
                       {QStringLiteral("NAP         HALAK     7.33"), QStringLiteral("HOLD        NYILAS    17.53"),
                        QStringLiteral("SARKANYFEJ  BAK       14.28"), QStringLiteral("LILITH      NYILAS    11.10"),
                        QStringLiteral("ASC         NYILAS    24.69")}),
            false);
        const PageHeading heading = LayOutHeading(window->pageContent());
        QCOMPARE(heading.lines.size(), lines.size());
        for (qsizetype k = 0; k < lines.size(); ++k) {
            // A shortened line ends in the ellipsis where the type runs out of room.
            const bool ellipsis = lines[k].endsWith(QStringLiteral("…"));
            QVERIFY2(ellipsis ? heading.lines[k].startsWith(lines[k].chopped(1)) && heading.lines[k].endsWith("…")
                              : heading.lines[k] == lines[k],
                     qPrintable(heading.lines[k]));
        }
        const bool shortened = lines.join("").contains(QStringLiteral("…"));
        QCOMPARE(heading.shortened, shortened);

        const QImage image = window->grab().toImage();
        const QRect box = BirthDataBoxRect.adjusted(BirthDataBoxBorder, BirthDataBoxBorder, -BirthDataBoxBorder,
                                                    -BirthDataBoxBorder);
        const auto inked = [&](int x, int y) { return qGray(image.pixel(x, y)) < 160; };
        // The heading's rows: from the box's top to the first row of the chart text.
        const int headingBottom = HeadingRect.bottom() + 15 * static_cast<int>(lines.size() - 1);
        int top = -1, bottom = -1;
        for (int y = box.top(); y <= headingBottom; ++y)
            for (int x = box.left(); x <= box.right(); ++x)
                if (inked(x, y)) {
                    QVERIFY2(x > box.left() + 1 && x < box.right() - 1, qPrintable(QStringLiteral("ink at %1").arg(x)));
                    top = top < 0 ? y : top;
                    bottom = y;
                }
        QVERIFY(top >= 0);
        // Capitals of the 13-pixel type stand 9 pixels or more; each line adds a line spacing.
        QVERIFY2(bottom - top + 1 >= 9 + 15 * (lines.size() - 1), qPrintable(QString::number(bottom - top + 1)));

        const QString toolTip = window->canvas()->toolTipAt(HeadingRect.center());
        QCOMPARE(toolTip.contains(name), shortened);
        if (!residence.isEmpty())
            QVERIFY(toolTip.contains(residence));
    }

    void modelShownInCells_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QColor>("colour");
        QTest::addColumn<bool>("phasePointer");
        QTest::newRow("4 January fertile") << 3 << QColor(255, 255, 0) << false;
        QTest::newRow("5 January boy") << 4 << QColor(0, 0, 255) << true;
        QTest::newRow("6 January not fertile") << 5 << QColor(255, 255, 255) << false;
        QTest::newRow("15 March girl") << 73 << QColor(255, 0, 0) << true;
        QTest::newRow("25 December girl") << 358 << QColor(255, 0, 0) << true;
    }
    void modelShownInCells()
    {
        QFETCH(int, index);
        QFETCH(QColor, colour);
        QFETCH(bool, phasePointer);
        window->setModel(sampleModel());
        QCOMPARE(window->cellColor(index), colour);
        QCOMPARE(window->cellHasPhasePointer(index), phasePointer);
    }

    void exactReturnShown_data()
    {
        const QTimeZone zone(3600);
        const auto at = [&](int day, int hour, int minute, int second = 0) {
            return QDateTime(QDate(2026, 3, day), QTime(hour, minute, second), zone);
        };
        QTest::addColumn<QDateTime>("moment");
        QTest::addColumn<QDateTime>("first");
        QTest::addColumn<QDateTime>("last");
        QTest::addColumn<bool>("signChange");
        QTest::addColumn<bool>("detailDone");
        QTest::addColumn<bool>("builtIn");
        QTest::addColumn<QString>("toolTip");
        QTest::addColumn<QString>("line");
        QTest::addColumn<int>("uncertainty"); // the range is the moment this many minutes either way
        QTest::newRow("sign change") << at(15, 2, 7, 41) << at(15, 2, 1) << at(15, 2, 13) << true << true << false
                                     << "2026.03.15 02:07 (UTC+1) – Hold: BAK\na Hold jelet vált: BAK → VIZONTO"
                                     << "Pontos visszatérés: 2026.03.15 02:07:41 (UTC+1) – tizedfokos egyezés: "
                                        "2026.03.15 02:01 – 02:13"
                                     << 0;
        QTest::newRow("uncertain, sign change")
            << at(15, 2, 7, 41) << at(15, 2, 1) << at(15, 2, 13) << true << true << false
            << "2026.03.15 02:07 (UTC+1) – Hold: BAK\n±15 perc: 01:52–02:22\na Hold jelet vált: BAK → VIZONTO"
            << "Pontos visszatérés: 2026.03.15 02:07:41 (UTC+1), ±15 perc: 01:52–02:22 – tizedfokos egyezés: "
               "2026.03.15 02:01 – 02:13"
            << 15;
        QTest::newRow("span past midnight") << at(14, 23, 58, 9) << at(14, 23, 52) << at(15, 0, 4) << false << true
                                            << false
                                            << "2026.03.14 23:58 (UTC+1) – Hold: BAK\n"
                                               "A pontos visszatérés az előző napra esik; a naptár a kétórás "
                                               "lépések szerint ezt a napot jelöli.\n"
                                               "±15 perc: 23:43–2026.03.15 00:13\n"
                                               "A tartomány átnyúlik éjfélen, a nap mégsem bizonytalan: a tartomány "
                                               "minden születési percével ez a nap a holdfázis nap."
                                            << "Pontos visszatérés: 2026.03.14 23:58:09 (UTC+1), az előző napon, "
                                               "±15 perc: "
                                               "23:43–2026.03.15 00:13 – tizedfokos egyezés: 2026.03.14 23:52 – "
                                               "2026.03.15 00:04"
                                            << 15;
        QTest::newRow("no minute matches, built-in ephemeris")
            << at(15, 2, 7, 41) << QDateTime() << QDateTime() << false << true << true
            << "2026.03.15 02:07 (UTC+1) – Hold: BAK"
            << "Pontos visszatérés: 2026.03.15 02:07:41 (UTC+1) – tizedfokra egyetlen perc sem egyezik" << 0;
        QTest::newRow("detail working") << at(15, 2, 7, 41) << at(15, 2, 1) << at(15, 2, 13) << false << false << false
                                        << "2026.03.15 02:07 (UTC+1) – Hold: BAK" << "" << 0;
    }
    // A moon-phase day with its exact return: the tooltip of its cell, the line under a
    // finished detail of it, and the note of a year of the built-in ephemeris.
    void exactReturnShown()
    {
        QFETCH(QDateTime, moment);
        QFETCH(QDateTime, first);
        QFETCH(QDateTime, last);
        QFETCH(bool, signChange);
        QFETCH(bool, detailDone);
        QFETCH(bool, builtIn);
        QFETCH(QString, toolTip);
        QFETCH(QString, line);
        QFETCH(int, uncertainty);
        CalendarModel model = sampleModel();
        ExactReturn exact{0, moment, 10, std::nullopt, first, last, 0, {}, {}};
        if (uncertainty > 0) {
            exact.uncertaintyMinutes = uncertainty;
            exact.earliest = moment.addSecs(-60 * uncertainty);
            exact.latest = moment.addSecs(60 * uncertainty);
        }
        if (signChange)
            exact.signChange = SignChange{10, 11};
        model.exactReturns[73] = exact;
        model.detailDayIndex = 73;
        if (!detailDone)
            model.detailCaptions[2].clear();
        model.builtInEphemeris = builtIn;
        window->setModel(model);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window));

        QCOMPARE(window->cellToolTip(73), toolTip);
        QCOMPARE(window->cellToolTip(72), QString());
        const QPoint cell = window->cellRect(73).center();
        QHelpEvent help(QEvent::ToolTip, cell, window->canvas()->mapToGlobal(cell));
        QApplication::sendEvent(window->canvas(), &help);
        QTRY_VERIFY(QToolTip::isVisible());
        QCOMPARE(QToolTip::text(), toolTip);
        QCOMPARE(window->pageText(PageText::ExactLine), line);
        QCOMPARE(window->pageText(PageText::EphemerisNote).isEmpty(), !builtIn);
    }

    // With a cycle from 1 March the tooltip names each day's cycle day under what it said
    // before; a day before the first start says nothing of the cycle.
    void cycleDayInTheToolTip()
    {
        CalendarModel model = sampleModel();
        model.exactReturns[73] = ExactReturn{0, QDateTime(QDate(2026, 3, 15), QTime(2, 7, 41), QTimeZone(3600)), 10, std::nullopt, {}, {}, 0, {}, {}};
        model.cycle = CycleLayerOf(CycleHistory{{QDate(2026, 3, 1)}}, 2026);
        window->setModel(model);
        const std::pair<int, QString> cells[] = {
            {58, QString()},
            {59, QStringLiteral("A ciklus 1. napja – vérzés kezdete")},
            {65, QStringLiteral("A ciklus 7. napja")},
            {73, QStringLiteral("2026.03.15 02:07 (UTC+1) – Hold: BAK\nA ciklus 15. napja – termékeny időszak (ciklus)")},
            {88, QStringLiteral("A ciklus 1. napja – várható vérzés")},
        };
        for (const auto &[cell, toolTip] : cells)
            QCOMPARE(window->cellToolTip(cell), toolTip);
        // The frame of the cycle's fertile window leaves the moon-phase day at least two
        // thirds of its red.
        const QImage image = window->grab().toImage();
        const QRect inside = window->cellRect(73).adjusted(1, 1, -1, -1);
        int red = 0;
        for (int y = inside.top(); y <= inside.bottom(); ++y)
            for (int x = inside.left(); x <= inside.right(); ++x)
                red += QColor(image.pixel(x, y)) == QColor(255, 0, 0) ? 1 : 0;
        QVERIFY2(3 * red >= 2 * inside.width() * inside.height(), qPrintable(QString::number(red)));
    }

    void cellsPaintedInTheirColours()
    {
        window->setModel(sampleModel());
        const QImage image = window->grab().toImage();
        QCOMPARE(QColor(image.pixel(window->cellRect(4).center())), QColor(0, 0, 255));
        QCOMPARE(QColor(image.pixel(window->cellRect(73).center())), QColor(255, 0, 0));
        QCOMPARE(QColor(image.pixel(window->cellRect(72).center())), QColor(255, 255, 0));
        QCOMPARE(QColor(image.pixel(window->cellRect(200).center())), QColor(255, 255, 255));
        QCOMPARE(QColor(image.pixel(window->hourCellRect(36).center())), QColor(255, 255, 255));
        QCOMPARE(QColor(image.pixel(window->hourCellRect(37).center())), QColor(255, 0, 0));
        QCOMPARE(window->pageText(PageText::DetailDate1), QStringLiteral("2026.3.14"));
        QCOMPARE(window->pageText(PageText::DetailDate3), QStringLiteral("2026.3.16"));
    }

    // An uncertain day keeps its colour under a black corner at its top right; the legend
    // row of the mark stands only on the calendar of an uncertain birth moment.
    void uncertainDaysMarked()
    {
        CalendarModel model = sampleModel();
        const auto corner = [](const QRect &rect) { return rect.topRight() + QPoint(-2, 2); };
        const QPoint legend = window->canvas()->mapTo(window, corner(SecondLegendSwatchRect(UncertainDayLegendRow)));
        for (const int minutes : {0, 15}) {
            model.uncertaintyMinutes = minutes;
            for (const int k : {4, 72})
                model.days[size_t(k)].uncertain = minutes > 0;
            window->setModel(model);
            const QImage image = window->grab().toImage();
            const QColor black(Qt::black);
            QCOMPARE(QColor(image.pixel(window->cellRect(4).center())), QColor(0, 0, 255));
            QCOMPARE(QColor(image.pixel(corner(window->cellRect(4)))), minutes > 0 ? black : QColor(0, 0, 255));
            QCOMPARE(QColor(image.pixel(corner(window->cellRect(72)))), minutes > 0 ? black : QColor(255, 255, 0));
            QCOMPARE(QColor(image.pixel(corner(window->cellRect(200)))), QColor(255, 255, 255));
            QCOMPARE(QColor(image.pixel(legend)), minutes > 0 ? black : QColor(255, 255, 255));
        }
    }

    void phaseDayPointer()
    {
        window->setModel(sampleModel());
        const QCursor phase = window->canvas()->cursorAt(window->cellRect(4).center());
        QCOMPARE(phase.shape(), Qt::BitmapCursor);
        QCOMPARE(phase.hotSpot(), QPoint(12, 1));
        QCOMPARE(phase.pixmap().size(), QSize(32, 32));
        QCOMPARE(window->canvas()->cursorAt(window->cellRect(3).center()).shape(), Qt::ArrowCursor);

        // Moving over the cells switches the pointer.
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        QTest::mouseMove(window->canvas(), window->cellRect(73).center());
        QTRY_COMPARE(window->canvas()->cursor().shape(), Qt::BitmapCursor);
        QTest::mouseMove(window->canvas(), window->cellRect(200).center());
        QTRY_COMPARE(window->canvas()->cursor().shape(), Qt::ArrowCursor);
    }

    // The keyboard on a finished calendar: it starts on today's cell (or 1 January), the
    // arrows, Home and End move it, Enter or Space on a moon-phase day asks for its detail,
    // and the line under the page says what the cell's tooltip says.
    void keyboardWalksTheCells()
    {
        using K = QList<Qt::Key>;
        const struct {
            QDate today;
            K keys;
            QDate focused;
            bool asksDetail;
        } walks[] = {
            {QDate(2026, 3, 10), {Qt::Key_Return}, QDate(2026, 3, 10), false}, // a plain day
            {QDate(2025, 3, 10), {}, QDate(2026, 1, 1), false},                 // today not in 2026
            {{}, {Qt::Key_Right, Qt::Key_Right, Qt::Key_Right, Qt::Key_Right, Qt::Key_Right, Qt::Key_Left, Qt::Key_Space},
             QDate(2026, 1, 5), true},
            {QDate(2026, 1, 31), {Qt::Key_Down}, QDate(2026, 2, 28), false},
            {QDate(2026, 4, 15), {Qt::Key_Up, Qt::Key_Enter}, QDate(2026, 3, 15), true},
            {{}, {Qt::Key_End, Qt::Key_Right}, QDate(2026, 12, 31), false},
            {QDate(2026, 6, 1), {Qt::Key_Home, Qt::Key_Up}, QDate(2026, 1, 1), false},
        };
        for (const auto &walk : walks) {
            CalendarDocument document = documentOf(QStringLiteral("Kiss Anna"), {}, {});
            document.heading.today = walk.today;
            document.calendar = sampleModel();
            window->showCalendar(document, true);
            window->show();
            QVERIFY(QTest::qWaitForWindowActive(window));
            QCOMPARE(QApplication::focusWidget(), window->canvas());
            QSignalSpy spy(window.data(), &CalendarWindow::detailRequested);
            for (const Qt::Key key : walk.keys)
                QTest::keyClick(window->canvas(), key);
            const int cell = window->canvas()->focusCell();
            QCOMPARE(document.calendar.date(cell), walk.focused);
            QCOMPARE(spy.count(), walk.asksDetail ? 1 : 0);
            QCOMPARE(window->cellInfoText(), window->canvas()->cellInfo(cell));
        }
        QCOMPARE(window->cellInfoText(), QStringLiteral("2026. január 1., nem termékeny nap"));
    }

    // What a screen reader says of a cell: its date, its class, its exact return on its
    // clock (and on which day, where it is not the cell's own), today, an uncertain day.
    // Today's mark stands on the page.
    void cellNamesAndToday()
    {
        CalendarModel model = sampleModel();
        const auto exactAt = [](const QDate &date, int hour, int minute) {
            return ExactReturn{0, QDateTime(date, QTime(hour, minute), QTimeZone(3600)), 3, {}, {}, {}, 0, {}, {}};
        };
        model.exactReturns[4] = exactAt(QDate(2026, 1, 4), 23, 19); // the evening before 5 January
        model.exactReturns[73] = exactAt(QDate(2026, 3, 15), 8, 5);
        model.days[2] = {DayClass::Fertile, true, DayClass::PhaseBoy};
        model.uncertaintyMinutes = 30;
        CalendarDocument document = documentOf(QStringLiteral("Kiss Anna"), {}, {});
        document.calendar = model;
        document.heading.today = QDate(2026, 3, 15);
        window->showCalendar(document, true);
        const std::pair<int, QString> names[] = {
            {4, "2026. január 5., holdfázis nap – fiú, pontos visszatérés az előző napon, 23:19 (UTC+1)"},
            {73, "ma, 2026. március 15., holdfázis nap – lány, pontos visszatérés 08:05 (UTC+1)"},
            {2, "2026. január 3., termékeny nap, bizonytalan nap"},
            {100, "2026. április 11., nem termékeny nap"},
        };
        for (const auto &[cell, name] : names)
            QCOMPARE(window->canvas()->cellName(cell), name);
        QCOMPARE(window->cellToolTip(2), "Bizonytalan nap: a ±30 percen belüli más születési idővel holdfázis nap – "
                                         "fiú is lehet.");
        const QImage page = window->canvas()->grab().toImage();
        const int y = window->cellRect(73).center().y();
        QCOMPARE(QColor(page.pixel(window->cellRect(73).left() - 1, y)), QColor(Qt::black));
        QCOMPARE(QColor(page.pixel(window->cellRect(72).left() - 1, y)) == QColor(Qt::black), false);
    }

    // The page scales with the window, down to an 800 x 600 screen, and the cells, the
    // buttons and the clicks with it.
    void pageScalesWithTheWindow()
    {
        window->showCalendar({{}, {}, {}, sampleModel()}, true);
        window->show();
        QVERIFY(window->minimumSize().width() <= 790 && window->minimumSize().height() <= 540);
        for (const QSize size : {window->minimumSize(), QSize(1300, 900)}) {
            window->resize(size);
            QCOMPARE(window->cellRect(73).width() > 17, size.width() > 888);
            QVERIFY(window->canvas()->geometry().contains(window->findChild<QPushButton *>("cmdSave")->geometry()));
            QSignalSpy spy(window.data(), &CalendarWindow::detailRequested);
            QTest::mouseClick(window->canvas(), Qt::LeftButton, {}, window->cellRect(73).center());
            QCOMPARE(spy.count(), 1);
        }
    }

    void clickOnMoonPhaseDay_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<float>("month");
        QTest::addColumn<float>("day");
        QTest::newRow("1-5-") << 4 << 1.0f << 5.0f;
        QTest::newRow("3-15") << 73 << 3.0f << 15.0f;
        QTest::newRow("1225") << 358 << 12.0f << 25.0f;
    }
    void clickOnMoonPhaseDay()
    {
        QFETCH(int, index);
        QFETCH(float, month);
        QFETCH(float, day);
        window->setModel(sampleModel());
        window->show();
        QSignalSpy spy(window.data(), &CalendarWindow::detailRequested);
        QTest::mouseClick(window->canvas(), Qt::LeftButton, {}, window->cellRect(index).center());
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.at(0).at(0).toFloat(), month);
        QCOMPARE(spy.at(0).at(1).toFloat(), day);
    }

    void clicksThatDoNothing_data()
    {
        QTest::addColumn<QPoint>("point");
        QTest::addColumn<bool>("waitPanel");
        QTest::newRow("white cell") << QPoint(300, 150) << false;
        QTest::newRow("yellow cell") << QPoint(144, 46) << false; // 3 January
        QTest::newRow("no cell: 30 February") << QPoint(576, 66) << false;
        QTest::newRow("moon-phase day under the wait panel") << QPoint(176, 46) << true; // 5 January
    }
    void clicksThatDoNothing()
    {
        QFETCH(QPoint, point);
        QFETCH(bool, waitPanel);
        window->setModel(sampleModel());
        window->setWaitPanelVisible(waitPanel);
        window->show();
        QSignalSpy spy(window.data(), &CalendarWindow::detailRequested);
        QTest::mouseClick(window->canvas(), Qt::LeftButton, {}, point);
        window->askForDayDetail(window->canvas()->dayCellAt(point));
        QCOMPARE(spy.count(), 0);
    }

    void waitPanelCoversAndCounts()
    {
        window->show();
        window->setWaitPanelVisible(true);
        auto *panel = window->findChild<QWidget *>("Picture2");
        QVERIFY(panel->isVisible());
        QCOMPARE(window->childAt(window->cellRect(4).center()), panel);
        auto *progress = window->findChild<QProgressBar *>("WaitProgress");
        auto *count = window->findChild<QLabel *>("WaitProgressText");
        QVERIFY(!progress->isTextVisible());
        QVERIFY(count->isVisible());
        QVERIFY(!count->geometry().intersects(progress->geometry()));
        const struct {
            RunProgress progress;
            int value;
            const char *text;
        } rows[] = {
            {{0, 365}, 0, "1. nap / 365"},
            {{364, 365}, 364, "365. nap / 365"},
            {{380, 365}, 365, "365. nap / 365"}, // a jump past the end of the year
            {{1440, 4320, RunProgress::Unit::Minute}, 1440, "1441. perc / 4320"},
        };
        for (const auto &row : rows) {
            window->setProgress(row.progress);
            QCOMPARE(progress->value(), row.value);
            QCOMPARE(progress->maximum(), row.progress.total);
            QCOMPARE(count->text(), QString::fromUtf8(row.text));
            QVERIFY(count->width() >= count->sizeHint().width());
        }
        window->setWaitPanelVisible(false);
        window->setWaitPanelVisible(true);
        QCOMPARE(count->text(), QString()); // a new run starts without the last run's count
        window->setWaitPanelVisible(false);
        QVERIFY(!panel->isVisible());
    }

    // The printed page is the window as it shows, without its print button: every cell in
    // its colour at its place, and the texts where the window has them.
    void printedPageShowsTheWindow()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("printer.pdf");
        auto *button = window->findChild<QPushButton *>("Command1");
        window->setPrinterSource([&]() {
            auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
            printer->setOutputFormat(QPrinter::PdfFormat);
            printer->setOutputFileName(path);
            printer->setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                               QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter));
            return printer;
        });
        CalendarDocument document =
            documentOf(QStringLiteral("Kiss Anna"), {},
                       {QStringLiteral("NAP         HALAK     7.33"), QStringLiteral("HOLD        NYILAS    17.53")});
        document.natal.angleRounded = 280.2;
        document.calendar = sampleModel();
        window->showCalendar(document, true);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        // The page above the line that tells the keyboard's cell.
        const QImage onScreen = window->canvas()->grab().toImage().convertToFormat(QImage::Format_RGB32);
        QTest::mouseClick(button, Qt::LeftButton);
        QVERIFY(button->isVisible());
        QVERIFY(dialogs.questions.isEmpty());
        QVERIFY(dialogs.messages.empty());
        QVERIFY2(QFileInfo(path).size() < 200 * 1024, "a vector page, not a bitmap");

        // A4 landscape with 10 mm margins, rendered at twice the window's size. The page is
        // drawn in the screen's pixels, whose printable area is a whole number of them.
        constexpr int Dpi = 144;
        const QImage page = test::renderPdfPage(path, Dpi);
        QCOMPARE(page.width() > page.height(), true);
        const QPageLayout landscape(QPageSize(QPageSize::A4), QPageLayout::Landscape, QMarginsF(10, 10, 10, 10),
                                    QPageLayout::Millimeter);
        const int screenDpi = window->logicalDpiX();
        const QRect printable = landscape.paintRectPixels(screenDpi);
        const double toPage = static_cast<double>(Dpi) / screenDpi;
        const test::PageMapping mapping(window->canvas()->size(), QRectF(QPointF(printable.topLeft()) * toPage,
                                                               QSizeF(printable.size()) * toPage));
        QVERIFY((mapping.toPage(window->canvas()->rect()).center() - page.rect().center()).manhattanLength() <= 2);

        for (int k = 0; k < 365 + 4; ++k) {
            const QPoint centre = window->cellRect(k).center();
            QVERIFY2(test::sameColour(page.pixel(mapping.toPage(centre)), onScreen.pixel(centre)),
                     qPrintable(QStringLiteral("day cell %1").arg(k)));
        }
        for (int k = 0; k < 72; ++k) {
            const QPoint centre = window->hourCellRect(k).center();
            QVERIFY2(test::sameColour(page.pixel(mapping.toPage(centre)), onScreen.pixel(centre)),
                     qPrintable(QStringLiteral("hour cell %1").arg(k)));
        }
        // Texts, rules and frames as the window draws them; where the buttons stand the
        // page is blank.
        const QRect buttonArea = button->geometry().united(window->findChild<QPushButton *>("cmdSave")->geometry());
        const double similarity = test::pageSimilarity(onScreen, page, mapping, buttonArea);
        // The page is scaled by a fraction to the sheet, so its thin lines blur a little.
        QVERIFY2(similarity > 0.75, qPrintable(QString::number(similarity)));
        const QImage buttonOnPage = page.copy(mapping.toPage(buttonArea));
        QCOMPARE(buttonOnPage.allGray() && QColor(buttonOnPage.pixel(buttonOnPage.rect().center())) == Qt::white, true);
    }

    // Each day number stands centred over its own column.
    void dayNumbersOverTheirColumns()
    {
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        const QImage image = window->grab().toImage();
        const QRect header = twipsRect(1500, 180, 7695, 255); // Label1
        for (int day = 1; day <= 31; ++day) {
            const QRect column = window->cellRect(day - 1);
            // The ink of the number between the column's neighbours' centres.
            int left = -1, right = -1;
            for (int x = column.center().x() - 12; x <= column.center().x() + 12; ++x)
                for (int y = header.top(); y <= header.bottom(); ++y)
                    if (qGray(image.pixel(x, y)) < 128) {
                        left = left < 0 ? x : left;
                        right = x;
                    }
            QVERIFY2(left >= 0, qPrintable(QString::number(day)));
            QVERIFY2(std::abs((left + right) / 2.0 - column.center().x()) <= 1.5, qPrintable(QString::number(day)));
        }
    }

    void withoutPrinter_data()
    {
        QTest::addColumn<bool>("answer");
        QTest::addColumn<QString>("chosenName");
        QTest::addColumn<QString>("writtenName");
        QTest::addColumn<int>("saveDialogs");
        QTest::newRow("suffix added") << true << "naptar" << "naptar.pdf" << 1;
        QTest::newRow("PDF declined") << false << "naptar.pdf" << "" << 0;
        QTest::newRow("file dialog cancelled") << true << "" << "" << 1;
    }
    void withoutPrinter()
    {
        QFETCH(bool, answer);
        QFETCH(QString, chosenName);
        QFETCH(QString, writtenName);
        QFETCH(int, saveDialogs);
        QTemporaryDir dir;
        dialogs.answer = answer;
        dialogs.savePath = chosenName.isEmpty() ? QString() : dir.filePath(chosenName);
        window->setPrinterSource([] { return std::unique_ptr<QPrinter>(); });
        window->showCalendar(documentOf(QStringLiteral("Ismeretlen"), {}, {}), false);
        window->show();
        // The print button hides only while the page is drawn, not while the user is asked.
        bool buttonShownWhileAsked = false;
        dialogs.whileAsked = [&] { buttonShownWhileAsked = window->findChild<QPushButton *>("Command1")->isVisible(); };
        window->printCalendar();

        QVERIFY(buttonShownWhileAsked);
        QCOMPARE(dialogs.questions.size(), 1);
        QVERIFY(dialogs.questions[0].contains(QStringLiteral("Nincs telepített nyomtató")));
        QVERIFY(dialogs.questions[0].contains(QStringLiteral("PDF")));
        QCOMPARE(dialogs.saveTitles.size(), saveDialogs);
        QVERIFY(dialogs.messages.empty());
        QVERIFY(window->findChild<QPushButton *>("Command1")->isVisible());
        const QStringList written = QDir(dir.path()).entryList(QDir::Files);
        if (writtenName.isEmpty()) {
            QVERIFY(written.isEmpty());
        } else {
            QCOMPARE(written, QStringList{writtenName});
            QVERIFY(!test::renderPdfPage(dir.filePath(writtenName), 20).isNull());
        }
    }

    // The page the disk has no room for gets the reason, and the old file stays.
    void pdfOnAFullDisk()
    {
        test::FullDisk disk(QStringLiteral("naptar.pdf"), "%PDF");
        if (!disk.usable())
            QSKIP("no tmpfs can be mounted here (it takes root)");
        dialogs.answer = true;
        dialogs.savePath = disk.path(QStringLiteral("naptar.pdf"));
        window->setPrinterSource([] { return std::unique_ptr<QPrinter>(); });
        window->showCalendar(documentOf(QStringLiteral("Ismeretlen"), {}, {}), false);
        window->printCalendar();
        QCOMPARE(dialogs.texts(), QStringLiteral("A(z) %1 fájl nem írható: megtelt a lemez. A fájl korábbi tartalma "
                                                 "változatlan maradt.").arg(dialogs.savePath));
        QCOMPARE(disk.contents(QStringLiteral("naptar.pdf")), QByteArray("%PDF"));
    }

    // MENTÉS… writes the file type of the chosen name: the printed page, or the calendar's
    // days as iCalendar, as the phone-calendar question is answered, or CSV; a name it
    // cannot write gets a message.
    void saveButton_data()
    {
        QTest::addColumn<QString>("chosenName");
        QTest::addColumn<QString>("writtenName");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("phone"); // the answer on an .ics: 0 plain, 1 discreet with a reminder, -1 cancel
        QTest::newRow("iCalendar") << "naptar.ics" << "naptar.ics" << "" << 0;
        QTest::newRow("iCalendar, discreet, a day's reminder") << "naptar.ics" << "naptar.ics" << "" << 1;
        QTest::newRow("iCalendar, question cancelled") << "naptar.ics" << "" << "" << -1;
        QTest::newRow("CSV, suffix in capitals") << "naptar.CSV" << "naptar.CSV" << "" << 0;
        QTest::newRow("no suffix is a PDF") << "naptar" << "naptar.pdf" << "" << 0;
        QTest::newRow("unknown suffix") << "naptar.txt" << "" << "naptar.txt fájl típusa ismeretlen" << 0;
        QTest::newRow("dialog cancelled") << "" << "" << "" << 0;
    }
    void saveButton()
    {
        QFETCH(QString, chosenName);
        QFETCH(QString, writtenName);
        QFETCH(QString, message);
        QFETCH(int, phone);
        QTemporaryDir dir;
        dialogs.savePath = chosenName.isEmpty() ? QString() : dir.filePath(chosenName);
        dialogs.phoneCalendar = phone < 0    ? std::nullopt
                                : phone == 1 ? std::optional(PhoneCalendarChoice{true, 24})
                                             : std::optional(PhoneCalendarChoice{});
        CalendarDocument document = documentOf(QStringLiteral("Kiss Anna"), {}, {});
        document.calendar = sampleModel();
        document.personIdentity = QStringLiteral("kiss");
        window->showCalendar(document, true);
        window->show();
        auto *save = window->findChild<QPushButton *>("cmdSave");
        QVERIFY(window->rect().contains(save->geometry()));
        QVERIFY(!save->geometry().intersects(window->findChild<QPushButton *>("Command1")->geometry()));
        const QDir startFolder(dialogs.startFolder());
        QTest::mouseClick(save, Qt::LeftButton);

        QCOMPARE(dialogs.saveProposals.size(), 1);
        QCOMPARE(dialogs.saveProposals[0],
                 startFolder.filePath("naptar-2026.pdf") +
                     " | PDF dokumentum (*.pdf);;iCalendar naptár (*.ics);;CSV táblázat (*.csv)");
        QCOMPARE(dialogs.messages.size(), size_t(message.isEmpty() ? 0 : 1));
        if (!message.isEmpty())
            QVERIFY2(dialogs.messages[0].text.contains(message), qPrintable(dialogs.messages[0].text));
        const QStringList written = QDir(dir.path()).entryList(QDir::Files | QDir::Hidden);
        QCOMPARE(written, writtenName.isEmpty() ? QStringList() : QStringList{writtenName});
        QCOMPARE(dialogs.phoneCalendarAsked, chosenName.endsWith(".ics") ? 1 : 0);
        if (writtenName.isEmpty())
            return;
        // The contents are read back by the export and command line tests; here the type,
        // and whether the .ics was written as answered.
        QFile file(dir.filePath(writtenName));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        const QByteArray start = writtenName.endsWith(".pdf") ? "%PDF" : writtenName.endsWith(".ics") ? "BEGIN:VCALENDAR" : "date,class,";
        QVERIFY(bytes.startsWith(start));
        if (writtenName.endsWith(".ics")) {
            QCOMPARE(bytes.contains("Kiss Anna"), phone == 0);
            QCOMPARE(bytes.count("TRIGGER:-PT24H") == bytes.count("BEGIN:VEVENT"), phone == 1);
        }
    }

    // While a run works on the cells the button saves nothing.
    void saveRefusedUnderTheWaitPanel()
    {
        window->showCalendar(documentOf(QStringLiteral("Kiss Anna"), {}, {}), true);
        window->setWaitPanelVisible(true);
        window->saveCalendarAs();
        QVERIFY(dialogs.saveTitles.isEmpty());
    }

private:
    QColor colour(const char *control, QPalette::ColorRole role) const
    {
        return window->findChild<QWidget *>(QString::fromLatin1(control))->palette().color(role);
    }

    test::ScriptedDialogs dialogs;
    QPointer<CalendarWindow> window;
};

QTEST_MAIN(CalendarWindowTest)
#include "calendar_window_test.moc"
