// "ASZTRÓGRAM MEGNYITÁSA" on the real main window, with the open-file dialog answered by
// the test and chart files written by the test.

#include "gui/main_window/cycle_dialog.h"
#include "io/chartfile/chart_file.h"
#include "io/persons/person_file.h"
#include "support/main_window_harness.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QMessageBox>
#include <QRadioButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>

using namespace ferolune;
using namespace ferolune::test;

class MainWindowImportTest : public QObject {
    Q_OBJECT

    QTemporaryDir directory;

    QString writeChartFile(const QString &name, const QByteArray &windows1250Bytes)
    {
        const QString path = directory.filePath(name);
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write(windows1250Bytes);
        return path;
    }

private slots:
    void importFillsTheFields_data();
    void importFillsTheFields();
    void unusableFileChangesNothing();
    void cancelChangesNothing();
    void fileDialogsStartInAFolderOfTheUser_data();
    void fileDialogsStartInAFolderOfTheUser();
    void fileDialogsFollowTheLastFolder();
    void messageBoxShowsItsTitle();
    void cycleDialogRefusesNamingTheDate();
    void savedPersonKeepsHerCycle();
};

void MainWindowImportTest::importFillsTheFields_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text1");
    QTest::addColumn<QString>("zone");
    QTest::addColumn<Qt::CheckState>("summerTime");

    // "Kovács Ödön" in Windows-1250: á = 0xE1, Ö = 0xD6, ö = 0xF6.
    QTest::newRow("15 values, afternoon")
        << QByteArray("\"Kov\xE1" "cs \xD6" "d\xF6" "n\",1973,5,17,3,45,47,30,19,5,-1,0,\"x\",#FALSE#,0\r\n")
        << QStringLiteral("Kovács Ödön") << "15" << "-1" << Qt::Unchecked;
    QTest::newRow("14 values, before noon, summer time")
        << QByteArray("\"Ismeretlen\",1973,5,17,3,45,47,30,19,5,-2,1,0,#TRUE#\n") << "Ismeretlen"
        << "3" << "-2" << Qt::Checked;
    QTest::newRow("hour 15 is brought back to 3 DU") << QByteArray("\"A\",1990,1,2,15,0,47,30,19,5,-1,0,0,#FALSE#\n")
                                                       << "A" << "15" << "-1" << Qt::Unchecked;
    QTest::newRow("hour 0 before noon shows midnight")
        << QByteArray("\"A\",1990,1,2,0,0,47,30,19,5,-1,2,0,#TRUE#\n") << "A" << "0" << "-1" << Qt::PartiallyChecked;
    QTest::newRow("half-hour zone and hour, with the full stop")
        << QByteArray("\"A\",1991,9,14,6.5,20,47,30,19,5,-5.5,0,0,#FALSE#\n") << "A" << "18.5" << "-5.5"
        << Qt::Unchecked;
}

void MainWindowImportTest::importFillsTheFields()
{
    QFETCH(QByteArray, content);
    MainWindowHarness harness;
    QVERIFY(harness.start());
    harness.dialogs.chosenFile = writeChartFile(QStringLiteral("chart.hvs"), content);

    QTest::mouseClick(harness.control<QWidget>(QStringLiteral("Command5")), Qt::LeftButton);

    QVERIFY2(harness.dialogs.messages.empty(), qPrintable(harness.dialogs.texts()));
    QCOMPARE(harness.dialogs.openTitles, QStringList{QStringLiteral("Asztrógram megnyitása | Személyadatok és asztrógramok (*.ferolune *.hvs);;"
                                                            "Ferolune személyadatok (*.ferolune);;Horavista file (*.hvs)")});
    QTEST(harness.control(QStringLiteral("txtName"))->text(), "name");
    QTEST(harness.control(QStringLiteral("Text1"))->text(), "text1");
    QTEST(harness.control(QStringLiteral("txtTZ"))->text(), "zone");
    QTEST(harness.control<QCheckBox>(QStringLiteral("Check1"))->checkState(), "summerTime");
    QCOMPARE(harness.control(QStringLiteral("txtLatDeg"))->text(), QStringLiteral("47"));
    QCOMPARE(harness.control(QStringLiteral("txtLatMin"))->text(), QStringLiteral("30"));
    QCOMPARE(harness.control(QStringLiteral("Text3"))->text(), QStringLiteral("2026")); // not in the file
    QVERIFY(harness.control<QRadioButton>(QStringLiteral("optEast"))->isChecked());
}

void MainWindowImportTest::unusableFileChangesNothing()
{
    MainWindowHarness harness;
    QVERIFY(harness.start());
    const BirthForm before = harness.window.birthForm();
    // 13 values, and a file whose summer-time value is the truth value true.
    for (const QByteArray &content : {QByteArray("\"A\",1990,1,2,15,0,47,30,19,5,-1,0,0\n"),
                                      QByteArray("\"A\",1990,1,2,15,0,47,30,19,5,-1,#TRUE#,0,#FALSE#\n")}) {
        harness.dialogs.messages.clear();
        harness.dialogs.chosenFile = writeChartFile(QStringLiteral("rossz.hvs"), content);
        QTest::mouseClick(harness.control<QWidget>(QStringLiteral("Command5")), Qt::LeftButton);
        QCOMPARE(harness.dialogs.messages.size(), size_t(1));
        QVERIFY(harness.dialogs.messages.front().text.contains(QStringLiteral("rossz.hvs")));
        QVERIFY(harness.window.birthForm() == before);
    }
}

void MainWindowImportTest::cancelChangesNothing()
{
    MainWindowHarness harness;
    QVERIFY(harness.start());
    const BirthForm before = harness.window.birthForm();
    harness.dialogs.chosenFile.clear();
    QTest::mouseClick(harness.control<QWidget>(QStringLiteral("Command5")), Qt::LeftButton);
    QCOMPARE(harness.dialogs.openTitles.size(), 1);
    QVERIFY(harness.dialogs.messages.empty());
    QVERIFY(harness.window.birthForm() == before);
}

void MainWindowImportTest::fileDialogsStartInAFolderOfTheUser_data()
{
    QTest::addColumn<bool>("radixExists");
    QTest::newRow("radix beside the program") << true;
    QTest::newRow("no radix: the documents folder") << false;
}

// The real file dialog, read while it is open and then cancelled; never the program's
// own folder, which an installed program shares with the system's programs.
void MainWindowImportTest::fileDialogsStartInAFolderOfTheUser()
{
    QFETCH(bool, radixExists);
    QTemporaryDir program;
    const QString radix = QDir(program.path()).filePath(QStringLiteral("radix"));
    if (radixExists)
        QVERIFY(QDir().mkpath(radix));
    QString shownDirectory, shownName = QStringLiteral("(no dialog)");
    QTimer::singleShot(0, this, [&] {
        auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        shownDirectory = dialog->directory().absolutePath();
        const auto *nameBox = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
        shownName = nameBox ? nameBox->text() : QStringLiteral("(no name box)");
        dialog->reject();
    });
    WidgetDialogs dialogs;
    const ChartFileDialogSettings settings = ChartFileDialog();
    QCOMPARE(dialogs.openFileName(nullptr, settings.title, FirstStartFolder(program.path()), settings.filter), QString());
    QCOMPARE(shownName, QString());
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    QCOMPARE(shownDirectory, radixExists ? radix : QFileInfo(documents).isDir() ? documents : QDir::homePath());
}

// Once a file is chosen, the next dialog, MENTÉS too, starts in its folder.
void MainWindowImportTest::fileDialogsFollowTheLastFolder()
{
    MainWindowHarness harness;
    QVERIFY(harness.start());
    harness.dialogs.chosenFile = writeChartFile(QStringLiteral("kovacs.hvs"), "\"Kov\",1973,5,17,3,45,47,30,19,5,-1,0,0,#FALSE#\n");
    for (const char *button : {"Command5", "Command5", "cmdSave"})
        QTest::mouseClick(harness.control<QWidget>(QString::fromLatin1(button)), Qt::LeftButton);
    QCOMPARE(harness.dialogs.openFolders, QStringList({FirstStartFolder(QCoreApplication::applicationDirPath()), directory.path()}));
    QVERIFY2(harness.dialogs.saveProposals.value(0).startsWith(directory.filePath(QStringLiteral("Kov.ferolune"))),
             qPrintable(harness.dialogs.saveProposals.join(u'\n')));
}

// A short message still leaves room for the title beside the title bar's buttons.
void MainWindowImportTest::messageBoxShowsItsTitle()
{
    int width = 0;
    QString title;
    QTimer::singleShot(0, this, [&] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            width = box->width();
            title = box->windowTitle();
            box->accept();
        }
    });
    WidgetDialogs().message(nullptr, QStringLiteral("Helytelen óra!"), Dialogs::Icon::Critical);
    QCOMPARE(title, ProgramTitle);
    const QFontMetrics metrics(QApplication::font());
    // Ten lines' height is about what a title bar's icon and three buttons take.
    QVERIFY2(width >= metrics.horizontalAdvance(title) + 10 * metrics.height(), qPrintable(QString::number(width)));
}

QTEST_MAIN(MainWindowImportTest)
#include "main_window_import_test.moc"

// Starts typed into the cycle dialog on 8 December 2026: a date not in its form, one after
// today or before the birth and one recorded twice are refused with a message naming it; a cycle too long to
// count is listed, not refused. Lengths outside 20-45 keep the dialog open.
void MainWindowImportTest::cycleDialogRefusesNamingTheDate()
{
    ScriptedDialogs dialogs;
    CycleDialog dialog(CycleHistory{{QDate(2026, 1, 5)}}, QDate(2026, 12, 8), dialogs);
    dialog.setBirthDate(QDate(1990, 1, 1));
    auto *typed = dialog.findChild<QLineEdit *>(QStringLiteral("txtStart"));
    const struct {
        const char *text;
        const char *message; // nullptr: added
    } entries[] = {
        {"2026.02.02", nullptr},
        {"2026.4.3.", nullptr}, // 60 days after the last: listed as not counting
        {"2026.02.30", "Helytelen dátum: „2026.02.30”!"},
        {"2026-03.01", "Helytelen dátum: „2026-03.01”!"},
        {"2026-02-02", "A 2026.02.02 vérzéskezdet kétszer szerepel!"}, // the command line's form is a date too
        {"2026.12.09", "A 2026.12.09 vérzéskezdet a mai napnál későbbi!"},
        {"1989.12.31", "A 1989.12.31 vérzéskezdet a születés napjánál korábbi!"},
        {"2026.02.02", "A 2026.02.02 vérzéskezdet kétszer szerepel!"},
        {"2026.12.08", nullptr},
    };
    for (const auto &entry : entries) {
        dialogs.messages.clear();
        typed->setText(QString::fromUtf8(entry.text));
        QCOMPARE(dialog.addTypedStart(), entry.message == nullptr);
        if (entry.message)
            QVERIFY2(dialogs.texts().startsWith(QString::fromUtf8(entry.message)), qPrintable(dialogs.texts()));
    }
    const std::vector<QDate> starts = {QDate(2026, 1, 5), QDate(2026, 2, 2), QDate(2026, 4, 3), QDate(2026, 12, 8)};
    QCOMPARE(dialog.history().periodStarts, starts);
    QCOMPARE(dialog.findChild<QListWidget *>(QStringLiteral("lstStarts"))->count(), 4);
    QCOMPARE(dialog.findChild<QLabel *>(QStringLiteral("lblUncounted"))->text(),
             QStringLiteral("2026.02.02 – 2026.04.03: 60 nap, nem számít\n2026.04.03 – 2026.12.08: 249 nap, nem számít"));
    QCOMPARE(dialog.findChild<QLabel *>(QStringLiteral("lblBasis"))->text(),
             QStringLiteral("Ciklushossz – kevesebb mint 6 ciklus: a megadott 26–32 nap"));

    // Enter in the date field adds the date and leaves the dialog open.
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    typed->setFocus();
    QTest::keyClicks(typed, QStringLiteral("2026.03.01"));
    QTest::keyClick(typed, Qt::Key_Return);
    QCOMPARE(dialog.history().periodStarts.size(), size_t(5));
    QVERIFY(dialog.isVisible());

    // Delete in the list removes the selected start; the buttons stay where they were while
    // the cycles that do not count change, and lengths the wrong way round give no span.
    auto *list = dialog.findChild<QListWidget *>(QStringLiteral("lstStarts"));
    auto *remove = dialog.findChild<QPushButton *>(QStringLiteral("cmdRemove"));
    const QPoint removeAt = remove->mapTo(&dialog, QPoint());
    list->setFocus();
    list->setCurrentRow(3);
    QTest::keyClick(list, Qt::Key_Delete);
    QCOMPARE(dialog.history().periodStarts.size(), size_t(4));
    QCOMPARE(remove->mapTo(&dialog, QPoint()), removeAt);
    dialog.findChild<QSpinBox *>(QStringLiteral("spnShortest"))->setValue(35);
    QCOMPARE(dialog.findChild<QLabel *>(QStringLiteral("lblBasis"))->text(),
             QStringLiteral("Ciklushossz – a legrövidebb ciklus nem lehet hosszabb a leghosszabbnál."));

    dialogs.messages.clear();
    dialog.findChild<QSpinBox *>(QStringLiteral("spnShortest"))->setValue(19);
    dialog.accept();
    QCOMPARE(dialogs.texts(), QStringLiteral("A szokásos legrövidebb ciklus hossza 20 és 45 nap között lehet!"));
    QVERIFY(dialog.isVisible());

    // A date typed but not added is not lost on OK: it is added, or refused with the dialog open.
    dialog.findChild<QSpinBox *>(QStringLiteral("spnShortest"))->setValue(26);
    for (const char *text : {"2026.13.01", "2026.05.01"}) {
        dialogs.messages.clear();
        typed->setText(QString::fromUtf8(text));
        dialog.accept();
        QCOMPARE(dialog.isVisible(), dialogs.messages.size() == 1);
    }
    QCOMPARE(dialog.history().periodStarts.size(), size_t(5));
}

// MENTÉS saves the cycle with the person; opening her brings it back, an older file
// without one clears it, and a chart file, which replaces the birth fields alone, keeps it.
void MainWindowImportTest::savedPersonKeepsHerCycle()
{
    MainWindowHarness harness;
    QVERIFY(harness.start());
    const CycleHistory cycle{{QDate(2026, 10, 7), QDate(2026, 11, 4)}, 25, 33};
    harness.window.setCycleHistory(cycle);
    harness.window.applyRule([](BirthForm &form) { form.year = QStringLiteral("1990"); }); // born before her starts
    harness.dialogs.savePath = directory.filePath(QStringLiteral("anna.ferolune"));
    QTest::mouseClick(harness.control<QWidget>(QStringLiteral("cmdSave")), Qt::LeftButton);
    QVERIFY2(harness.dialogs.messages.empty(), qPrintable(harness.dialogs.texts()));

    QFile older(directory.filePath(QStringLiteral("regi.ferolune")));
    QVERIFY(older.open(QIODevice::WriteOnly));
    older.write(PersonJson(SavedPerson{}));
    older.close();
    const QString chart = writeChartFile(QStringLiteral("anna.hvs"), "\"A\",1990,1,2,15,0,47,30,19,5,-1,0,0,#FALSE#\n");
    const std::pair<QString, CycleHistory> opened[] = {
        {older.fileName(), CycleHistory{}}, {harness.dialogs.savePath, cycle}, {chart, cycle}};
    for (const auto &[path, expected] : opened) {
        harness.dialogs.chosenFile = path;
        QTest::mouseClick(harness.control<QWidget>(QStringLiteral("Command5")), Qt::LeftButton);
        QVERIFY2(harness.dialogs.messages.empty(), qPrintable(harness.dialogs.texts()));
        QVERIFY2(harness.window.cycleHistory() == expected, qPrintable(path));
    }
}
