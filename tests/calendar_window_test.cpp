// The calendar window on its own: layout, the cells it shows, clicks and printing.

#include "calendar/calendar_canvas.h"
#include "calendar/calendar_run.h"
#include "calendar/calendar_window.h"
#include "support/scripted_dialogs.h"

#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QPrinter>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

using namespace ferolune;

namespace {

CalendarModel sampleModel()
{
    CalendarModel model;
    model.resetDays();
    model.resetHours();
    const auto phase = [&](int k, DayClass dayClass, const char *tag) {
        model.days[static_cast<size_t>(k)] = {dayClass, QString::fromLatin1(tag), true};
        for (int before = k - 3; before < k; ++before)
            model.days[static_cast<size_t>(before)].dayClass = DayClass::Fertile;
    };
    phase(4, DayClass::PhaseBoy, "1-5-");      // 5 January
    phase(73, DayClass::PhaseGirl, "3-15");    // 15 March
    phase(338, DayClass::PhaseBoy, "125-");    // 5 December
    phase(358, DayClass::PhaseGirl, "1225");   // 25 December
    model.hours[37] = HourClass::Match;
    model.detailCaptions = {QStringLiteral("2026.3.14"), QStringLiteral("2026.3.15"), QStringLiteral("2026.3.16")};
    return model;
}

int pdfPageCount(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    const QString content = QString::fromLatin1(file.readAll());
    return static_cast<int>(content.count(QRegularExpression(QStringLiteral("/Type\\s*/Page(?![a-zA-Z])"))));
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

    void windowFrame()
    {
        QCOMPARE(window->objectName(), QStringLiteral("frmNaptar"));
        QCOMPARE(window->windowTitle(), QStringLiteral("Holdfázis naptár"));
        QCOMPARE(window->size(), QSize(693, 534));
        QVERIFY(!window->windowIcon().isNull());
        QVERIFY(window->testAttribute(Qt::WA_DeleteOnClose));
    }

    void controlPlaces_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("geometry");
        QTest::newRow("Label1 day header") << "Label1" << QRect(100, 12, 513, 17);
        QTest::newRow("Command1") << "Command1" << QRect(76, 416, 109, 29);
        QTest::newRow("Picture1") << "Picture1" << QRect(200, 280, 401, 169);
        QTest::newRow("Label4 inside the box border") << "Label4" << QRect(10, 6, 385, 21);
        QTest::newRow("Label2") << "Label2" << QRect(10, 30, 385, 105);
        QTest::newRow("Label3") << "Label3" << QRect(10, 138, 385, 25);
        QTest::newRow("L_12") << "L_12" << QRect(8, 452, 330, 14);
        QTest::newRow("lblNap1") << "lblNap1" << QRect(188, 504, 97, 13);
        QTest::newRow("lblNap2") << "lblNap2" << QRect(292, 504, 97, 13);
        QTest::newRow("lblNap3") << "lblNap3" << QRect(396, 504, 97, 13);
        QTest::newRow("Picture2 wait panel") << "Picture2" << QRect(0, 0, 693, 533);
        QTest::newRow("Label9") << "Label9" << QRect(112, 188, 471, 24);
        QTest::newRow("Label11") << "Label11" << QRect(288, 516, 402, 13);
    }
    void controlPlaces()
    {
        QFETCH(QString, name);
        QFETCH(QRect, geometry);
        auto *control = window->findChild<QWidget *>(name);
        QVERIFY(control);
        QCOMPARE(control->geometry(), geometry);
    }

    void hourHeaderStandsOverTheStrip()
    {
        auto *hours = window->findChild<QLabel *>("Label12");
        QCOMPARE(hours->pos(), QPoint(188, 464));
        QCOMPARE(hours->height(), 13);
        QVERIFY(hours->width() >= 305);
        QVERIFY(hours->width() >= hours->sizeHint().width()); // no digit cut off
    }

    void labelsSizedToText_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QPoint>("topLeft");
        QTest::newRow("Label5") << "Label5" << "Nem termékeny nap" << QPoint(56, 316);
        QTest::newRow("Label6") << "Label6" << "Termékeny nap" << QPoint(56, 340);
        QTest::newRow("Label7") << "Label7" << "Holdfázis nap - lány" << QPoint(56, 364);
        QTest::newRow("Label8") << "Label8" << "Holdfázis nap - fiú" << QPoint(56, 388);
        QTest::newRow("Label10 year") << "Label10" << "" << QPoint(32, 8);
    }
    void labelsSizedToText()
    {
        QFETCH(QString, name);
        QFETCH(QString, text);
        QFETCH(QPoint, topLeft);
        auto *label = window->findChild<QLabel *>(name);
        QVERIFY(label);
        QCOMPARE(label->text(), text);
        QCOMPARE(label->pos(), topLeft);
    }

    void monthLabelsEndBeforeTheCells()
    {
        const QStringList names = {"Január", "Február", "Március", "Április", "Május", "Június",
                                   "Július", "Augusztus", "Szeptember", "Október", "November", "December"};
        for (int month = 0; month < 12; ++month) {
            auto *label = window->findChild<QLabel *>(QStringLiteral("L_%1").arg(month));
            QVERIFY(label);
            QCOMPARE(label->text(), names[month]);
            QCOMPARE(label->y(), 40 + 20 * month);
            QVERIFY(label->geometry().right() < window->cellRect(0).left());
            QVERIFY(label->geometry().right() >= 95);
        }
    }

    void dayCellPlaces_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QRect>("rect");
        QTest::newRow("1 January") << 0 << QRect(104, 36, 17, 21);
        QTest::newRow("31 January") << 30 << QRect(584, 36, 17, 21);
        QTest::newRow("1 February, second row") << 31 << QRect(104, 56, 17, 21);
        QTest::newRow("28 February ends its row") << 58 << QRect(536, 56, 17, 21);
        QTest::newRow("1 March, third row first column") << 59 << QRect(104, 76, 17, 21);
        QTest::newRow("30 April") << 119 << QRect(568, 96, 17, 21);
        QTest::newRow("31 December") << 364 << QRect(584, 256, 17, 21);
        QTest::newRow("legend not fertile") << 365 << QRect(32, 312, 17, 21);
        QTest::newRow("legend blue") << 368 << QRect(32, 384, 17, 21);
    }
    void dayCellPlaces()
    {
        QFETCH(int, index);
        QFETCH(QRect, rect);
        QCOMPARE(window->cellRect(index), rect);
        if (index < 365)
            QCOMPARE(window->canvas()->dayCellAt(rect.center()), index);
    }

    void februaryRowHasTwentyEightCells()
    {
        const int februaryTop = window->cellRect(31).top();
        int cells = 0;
        for (int k = 0; k < 365; ++k)
            cells += window->cellRect(k).top() == februaryTop ? 1 : 0;
        QCOMPARE(cells, 28);
        // Where 29 to 31 February would stand there is no cell.
        for (int column = 29; column <= 31; ++column)
            QCOMPARE(window->canvas()->dayCellAt(QPoint(104 + 16 * (column - 1) + 8, februaryTop + 10)), -1);
    }

    void hourCellPlaces_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QRect>("rect");
        QTest::newRow("day 1, 0 h") << 0 << QRect(188, 476, 5, 25);
        QTest::newRow("day 1, 23 h") << 23 << QRect(280, 476, 5, 25);
        QTest::newRow("day 2, 13 h") << 37 << QRect(344, 476, 5, 25);
        QTest::newRow("day 3, 23 h") << 71 << QRect(488, 476, 5, 25);
    }
    void hourCellPlaces()
    {
        QFETCH(int, index);
        QFETCH(QRect, rect);
        QCOMPARE(window->hourCellRect(index), rect);
    }

    void designContentsBeforeARun()
    {
        // Cells keep the window background until a run resets them; the legend is fixed.
        const QColor background = window->palette().color(QPalette::Base);
        QCOMPARE(window->cellColor(100), background);
        QCOMPARE(window->hourCellColor(0), background);
        QCOMPARE(window->cellColor(365), background);
        QCOMPARE(window->cellColor(366), QColor(255, 255, 0));
        QCOMPARE(window->cellColor(367), QColor(255, 0, 0));
        QCOMPARE(window->cellColor(368), QColor(0, 0, 255));
        QCOMPARE(window->findChild<QLabel *>("Label4")->text(), QStringLiteral("A SZÜLETÉS ADATAI"));
        QCOMPARE(window->findChild<QLabel *>("Label2")->text(), QStringLiteral("lblData"));
        QCOMPARE(window->findChild<QLabel *>("Label3")->text(), QStringLiteral("lblFok"));
        QVERIFY(window->findChild<QLabel *>("lblNap1")->text().isEmpty());
        QVERIFY(!window->isWaitPanelVisible());
        QCOMPARE(window->findChild<QLabel *>("Label9")->text(), QStringLiteral("KÉREM VÁRJON AMIG A NAPTÁR ELKÉSZÜL..."));
        QCOMPARE(window->findChild<QLabel *>("L_12")->text(),
                 QStringLiteral("Részletes (klikk a megfelelő napra a részletes lebontásért):"));
    }

    void captionsAndColours()
    {
        window->load(QStringLiteral("2026"), QStringLiteral("Kiss <b>Anna</b>"));
        window->setChartText(QStringLiteral("NAP         HALAK     7.33\r\nHOLD        NYILAS    17.53\r\n"));
        window->setAngleCaption(QStringLiteral("NAP-HOLD FOK: 280.2"));
        auto *name = window->findChild<QLabel *>("Label4");
        QCOMPARE(name->text(), QStringLiteral("A SZÜLETÉS ADATAI: Kiss <b>Anna</b>"));
        QCOMPARE(name->textFormat(), Qt::PlainText); // a name is never read as markup
        QCOMPARE(window->findChild<QLabel *>("Label10")->text(), QStringLiteral("2026"));
        QCOMPARE(window->findChild<QLabel *>("Label2")->text(),
                 QStringLiteral("NAP         HALAK     7.33\nHOLD        NYILAS    17.53\n"));
        auto *angle = window->findChild<QLabel *>("Label3");
        QCOMPARE(angle->text(), QStringLiteral("NAP-HOLD FOK: 280.2"));
        QCOMPARE(angle->palette().color(QPalette::WindowText), QColor(255, 0, 0));
        QCOMPARE(window->findChild<QLabel *>("Label10")->palette().color(QPalette::WindowText), QColor(0, 0, 255));
        QCOMPARE(window->findChild<QLabel *>("lblNap2")->palette().color(QPalette::Window), QColor(255, 255, 0));
        QCOMPARE(window->findChild<QWidget *>("Picture2")->palette().color(QPalette::Window), QColor(0, 64, 64));
    }

    void modelShownInCells_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QColor>("colour");
        QTest::addColumn<QString>("tag");
        QTest::addColumn<bool>("phasePointer");
        QTest::newRow("4 January fertile") << 3 << QColor(255, 255, 0) << "" << false;
        QTest::newRow("5 January boy") << 4 << QColor(0, 0, 255) << "1-5-" << true;
        QTest::newRow("6 January not fertile") << 5 << QColor(255, 255, 255) << "" << false;
        QTest::newRow("15 March girl") << 73 << QColor(255, 0, 0) << "3-15" << true;
        QTest::newRow("5 December boy") << 338 << QColor(0, 0, 255) << "125-" << true;
        QTest::newRow("25 December girl") << 358 << QColor(255, 0, 0) << "1225" << true;
        QTest::newRow("31 December") << 364 << QColor(255, 255, 255) << "" << false;
    }
    void modelShownInCells()
    {
        QFETCH(int, index);
        QFETCH(QColor, colour);
        QFETCH(QString, tag);
        QFETCH(bool, phasePointer);
        window->setModel(sampleModel());
        QCOMPARE(window->cellColor(index), colour);
        QCOMPARE(window->cellTag(index), tag);
        QCOMPARE(window->cellHasPhasePointer(index), phasePointer);
    }

    void stripShown()
    {
        window->setModel(sampleModel());
        QCOMPARE(window->hourCellColor(36), QColor(255, 255, 255));
        QCOMPARE(window->hourCellColor(37), QColor(255, 0, 0));
        QCOMPARE(window->findChild<QLabel *>("lblNap1")->text(), QStringLiteral("2026.3.14"));
        QCOMPARE(window->findChild<QLabel *>("lblNap3")->text(), QStringLiteral("2026.3.16"));
    }

    void cellsPaintedInTheirColours()
    {
        window->setModel(sampleModel());
        const QImage image = window->grab().toImage();
        QCOMPARE(QColor(image.pixel(window->cellRect(4).center())), QColor(0, 0, 255));
        QCOMPARE(QColor(image.pixel(window->cellRect(73).center())), QColor(255, 0, 0));
        QCOMPARE(QColor(image.pixel(window->cellRect(72).center())), QColor(255, 255, 0));
        QCOMPARE(QColor(image.pixel(window->cellRect(200).center())), QColor(255, 255, 255));
        QCOMPARE(QColor(image.pixel(window->hourCellRect(37).center())), QColor(255, 0, 0));
    }

    void phaseDayPointer()
    {
        window->setModel(sampleModel());
        const QCursor phase = window->canvas()->cursorAt(window->cellRect(4).center());
        QCOMPARE(phase.shape(), Qt::BitmapCursor);
        QCOMPARE(phase.hotSpot(), QPoint(12, 1));
        QCOMPARE(phase.pixmap().size(), QSize(32, 32));
        QCOMPARE(window->canvas()->cursorAt(window->cellRect(3).center()).shape(), Qt::ArrowCursor);
    }

    void clickOnMoonPhaseDay_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<float>("month");
        QTest::addColumn<float>("day");
        QTest::newRow("1-5-") << 4 << 1.0f << 5.0f;
        QTest::newRow("3-15") << 73 << 3.0f << 15.0f;
        QTest::newRow("125-") << 338 << 12.0f << 5.0f;
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
        window->P_Click(window->canvas()->dayCellAt(point));
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
        window->setProgress({120, 365});
        QCOMPARE(progress->value(), 120);
        QCOMPARE(progress->maximum(), 365);
        window->setProgress({1440, 4320});
        QCOMPARE(progress->maximum(), 4320);
        window->setWaitPanelVisible(false);
        QVERIFY(!panel->isVisible());
    }

    void printsOnThePrinterWithoutTheButton()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("printer.pdf");
        bool buttonShownWhilePrinting = true;
        auto *button = window->findChild<QPushButton *>("Command1");
        window->setPrinterSource([&]() {
            buttonShownWhilePrinting = button->isVisible();
            auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
            printer->setOutputFormat(QPrinter::PdfFormat);
            printer->setOutputFileName(path);
            return printer;
        });
        window->setModel(sampleModel());
        window->show();
        QTest::mouseClick(button, Qt::LeftButton);
        QVERIFY(!buttonShownWhilePrinting);
        QVERIFY(button->isVisible());
        QCOMPARE(pdfPageCount(path), 1);
        QVERIFY(dialogs.questions.isEmpty());
        QVERIFY(dialogs.messages.empty());
    }

    void withoutPrinter_data()
    {
        QTest::addColumn<bool>("answer");
        QTest::addColumn<QString>("chosenName");
        QTest::addColumn<QString>("writtenName");
        QTest::addColumn<int>("saveDialogs");
        QTest::newRow("saved as PDF") << true << "naptar.pdf" << "naptar.pdf" << 1;
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
        window->load(QStringLiteral("2026"), QStringLiteral("Ismeretlen"));
        window->show();
        window->Command1_Click();

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
            QCOMPARE(pdfPageCount(dir.filePath(writtenName)), 1);
        }
    }

    void unwritablePdfIsReported()
    {
        dialogs.answer = true;
        dialogs.savePath = QStringLiteral("/nonexistent-directory/naptar.pdf");
        window->setPrinterSource([] { return std::unique_ptr<QPrinter>(); });
        window->Command1_Click();
        QCOMPARE(dialogs.messages.size(), size_t(1));
        QCOMPARE(dialogs.messages[0].icon, Dialogs::Icon::Critical);
        QVERIFY(dialogs.messages[0].text.startsWith(QStringLiteral("A PDF fájlt nem sikerült létrehozni")));
    }

    void closingAnnouncesItself()
    {
        window->show();
        QSignalSpy spy(window.data(), &CalendarWindow::closed);
        window->close();
        QCOMPARE(spy.count(), 1);
        QTRY_VERIFY(window.isNull()); // discarded: deletes itself
    }

private:
    test::ScriptedDialogs dialogs;
    QPointer<CalendarWindow> window;
};

QTEST_MAIN(CalendarWindowTest)
#include "calendar_window_test.moc"
