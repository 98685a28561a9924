// The birthplace and residence fields, "MENTÉS" and the opening of saved persons, on the
// real main window with the real atlas and the system's zone history.

#include "core/places/atlas_source.h"
#include "io/persons/person_file.h"
#include "support/locale_guard.h"
#include "support/main_window_harness.h"

#include <QTemporaryDir>

using namespace ferolune;
using namespace ferolune::test;

namespace {

// Date and clock time typed, then the birthplace typed and picked from its list.
QString birthAt(const QString &date, const QString &time, const QString &place)
{
    const QStringList ymd = date.split(QLatin1Char('-'));
    const QStringList hm = time.split(QLatin1Char(':'));
    return QStringLiteral("in txtYear; type %1; in txtMonth; type %2; in txtDay; type %3; in Text1; type %4; "
                          "in txtBirthMinute; type %5; in txtBirthPlace; type %6; pick %6")
        .arg(ymd[0], ymd[1], ymd[2], hm[0], hm[1], place);
}

// "Budapest, Magyarország | zone -1, box 0 | 47 30 N 19 03 E"
QString shown(const MainWindowHarness &harness)
{
    const BirthForm fields = harness.window.birthForm();
    return QStringLiteral("%1 | zone %2, box %3 | %4 %5 %6 %7 %8 %9")
        .arg(fields.birthPlace.text, fields.zoneText)
        .arg(fields.summerTime)
        .arg(fields.latitudeDegrees, fields.latitudeMinutes, fields.south ? "S" : "N", fields.longitudeDegrees,
             fields.longitudeMinutes, fields.east ? "E" : "W");
}

} // namespace

class MainWindowPlacesTest : public QObject {
    Q_OBJECT

    QTemporaryDir directory;
    AtlasSource atlas{AtlasSource::programAtlasPath()}; // read once for every window of the test

private slots:
    void initTestCase() { QVERIFY2(atlas.waitForAtlas(), qPrintable(atlas.error())); }
    void choosingAPlaceFillsCoordinatesAndZone_data();
    void choosingAPlaceFillsCoordinatesAndZone();
    void calendarCommandSettlesTheZone_data();
    void calendarCommandSettlesTheZone();
    void placeTextThatIsNoPlaceStopsTheRun_data();
    void placeTextThatIsNoPlaceStopsTheRun();
    void savedPersonKeepsOnlyAChosenPlace();
    void savedPersonOpensBackUnchanged_data();
    void savedPersonOpensBackUnchanged();
    void brokenPersonFileChangesNothing();
};

void MainWindowPlacesTest::choosingAPlaceFillsCoordinatesAndZone_data()
{
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QString>("expected");

    const QString budapest75 = birthAt("1975-07-14", "09:35", "Budapest");
    QTest::newRow("Budapest 1975: no summer time")
        << budapest75 << "Budapest, Magyarország | zone -1, box 0 | 47 30 N 19 02 E";
    QTest::newRow("Budapest 1985: summer time")
        << birthAt("1985-07-14", "09:35", "Budapest") << "Budapest, Magyarország | zone -2, box 1 | 47 30 N 19 02 E";
    QTest::newRow("the zone follows a later date")
        << budapest75 + "; in txtYear; type 1985" << "Budapest, Magyarország | zone -2, box 1 | 47 30 N 19 02 E";
    QTest::newRow("Kolozsvár is Cluj-Napoca, Romania")
        << birthAt("1990-05-17", "12:00", "Kolozsv")
        << "Kolozsvár (Cluj-Napoca), Kolozs megye, Románia | zone -3, box 1 | 46 46 N 23 36 E";
    QTest::newRow("Debrecen") << birthAt("1990-01-10", "12:00", "Debrecen")
                              << "Debrecen, Hajdú-Bihar, Magyarország | zone -1, box 0 | 47 32 N 21 37 E";
    QTest::newRow("west and south: Buenos Aires")
        << birthAt("1990-07-10", "12:00", "Buenos Aires") << "Buenos Aires, Buenos Aires F.D., Argentína | zone 3, box 0 | 34 37 S 58 23 W";
    QTest::newRow("half an hour, with a full stop: Mumbai")
        << birthAt("1990-07-10", "12:00", "Mumbai") << "Mumbai, Maharashtra, India | zone -5.5, box 0 | 19 04 N 72 53 E";
    QTest::newRow("a whole name typed, then Enter, counts as chosen")
        << "in txtBirthPlace; type Debrecen; Return" << "Debrecen, Hajdú-Bihar, Magyarország | zone -1, box 0 | 47 32 N 21 37 E";
    // Numbers that are no longer the place's let it go, and stay as typed.
    QTest::newRow("a zone typed by hand stays, the place goes")
        << budapest75 + "; in txtTZ; type -1.5; in txtYear; type 1985"
        << " | zone -1.5, box 0 | 47 30 N 19 02 E";
    QTest::newRow("a longitude typed") << budapest75 + "; in txtLongDeg; type 25"
                                       << " | zone -1, box 0 | 47 30 N 25 02 E";
    QTest::newRow("latitude minutes typed") << budapest75 + "; in txtLatMin; type 7"
                                            << " | zone -1, box 0 | 47 7 N 19 02 E";
    QTest::newRow("the other hemisphere") << budapest75 + "; click optWest"
                                          << " | zone 1, box 0 | 47 30 N 19 02 W";
    QTest::newRow("summer time set by hand") << budapest75 + "; click Check1"
                                             << " | zone -2, box 1 | 47 30 N 19 02 E";
    QTest::newRow("a place edited to plain text no longer moves the zone")
        << budapest75 + "; in txtBirthPlace; type Pusztaszer ALSÓ; in txtYear; type 1985"
        << "Pusztaszer ALSÓ | zone -1, box 0 | 47 30 N 19 02 E";
}

void MainWindowPlacesTest::choosingAPlaceFillsCoordinatesAndZone()
{
    QFETCH(QString, steps);
    const DecimalSeparatorGuard comma(u','); // the zone is written with a full stop all the same
    MainWindowHarness harness(at(1990, 1, 10, 12, 0), {QStringLiteral(FEROLUNE_EPHEMS_DIR)}, &atlas);
    QVERIFY(harness.start());
    harness.perform(steps);
    QTEST(shown(harness), "expected");
    QVERIFY2(harness.dialogs.messages.empty(), qPrintable(harness.dialogs.texts()));
}

void MainWindowPlacesTest::calendarCommandSettlesTheZone_data()
{
    QTest::addColumn<QString>("steps");
    QTest::addColumn<std::vector<int>>("choices");
    QTest::addColumn<QString>("asked"); // the message or question, with its answers
    QTest::addColumn<QString>("zone");  // as the run gets it; empty when it does not start

    const QString summer85 = birthAt("1985-07-14", "09:35", "Budapest");
    QTest::newRow("the place's zone, nothing asked") << summer85 << std::vector<int>{} << "" << "-2";
    QTest::newRow("hand zone: the place lets go, nothing asked")
        << summer85 + "; in txtTZ; type -1" << std::vector<int>{} << ""
        << "-1";
    QTest::newRow("a time that never happened")
        << birthAt("1985-03-31", "02:30", "Budapest") << std::vector<int>{}
        << "A születési helyen (Budapest) 1985. március 31. 02:30 nem létező időpont: ekkor kezdődött a nyári "
           "időszámítás, és az órát előreállították. Kérem, ellenőrizze az órát és a percet, vagy írja be kézzel "
           "az időzónát."
        << "";
    QTest::newRow("30 February") << birthAt("1994-02-30", "09:35", "Budapest") << std::vector<int>{}
                                 << "Helytelen nap!" << "";
    QTest::newRow("a time that happened twice: the second")
        << birthAt("1985-09-29", "02:30", "Budapest") << std::vector{1}
        << "A születési helyen (Budapest) 1985. szeptember 29. 02:30 kétszer is volt: ekkor ért véget a nyári "
           "időszámítás. Először -2 (nyári időszámítás) volt az időzóna, másodszor -1. Melyiket használjuk? | "
           "-2 (nyári időszámítás) | -1"
        << "-1";
}

void MainWindowPlacesTest::calendarCommandSettlesTheZone()
{
    QFETCH(QString, steps);
    QFETCH(std::vector<int>, choices);
    MainWindowHarness harness(at(2026, 12, 8, 15, 5), {QStringLiteral(FEROLUNE_EPHEMS_DIR)}, &atlas);
    QVERIFY(harness.start());
    QStringList runs;
    harness.window.setCalendarCommand([&] { runs << harness.window.birthForm().zoneText; });
    harness.perform(steps);
    harness.dialogs.choices = choices;
    QTest::mouseClick(harness.control<QWidget>(QStringLiteral("Command2")), Qt::LeftButton);
    QTEST((harness.dialogs.questions + QStringList(harness.dialogs.texts())).join(QString()), "asked");
    QTEST(runs.join(QLatin1Char(',')), "zone");
}

void MainWindowPlacesTest::placeTextThatIsNoPlaceStopsTheRun_data()
{
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QString>("message"); // its first line
    QTest::addColumn<QString>("focus");
    QTest::addColumn<QString>("run"); // the fields the run gets; empty when it does not start

    const QString newYork = birthAt("1990-07-10", "12:00", "New York City");
    QTest::newRow("a chosen birthplace typed over")
        << newYork + "; in txtBirthPlace; type Budapestt"
        << "A SZÜLETÉSI HELY mezőben álló „Budapestt” nem a helységnévtár egyik helye. Válasszon helyet a listából, "
           "vagy törölje a mezőt. Hasonló nevű helyek:"
        << "txtBirthPlace" << "";
    QTest::newRow("a chosen residence typed over")
        << "in txtResidence; type Szeged; pick Szeged; in txtResidence; type Szegeddd"
        << "A LAKÓHELY mezőben álló „Szegeddd” nem a helységnévtár egyik helye. Válasszon helyet a listából, vagy "
           "törölje a mezőt. Hasonló nevű helyek:"
        << "txtResidence" << "";
    QTest::newRow("namesakes typed, none chosen")
        << "in txtResidence; type Kardos"
        << "A LAKÓHELY mezőben álló „Kardos” több hely neve is. Válassza ki a helyet a listából:" << "txtResidence"
        << "";
    QTest::newRow("the birthplace cleared: the typed numbers stay")
        << newYork + "; in txtBirthPlace; Backspace" << "" << "" << " | zone 4, box 1 | 40 43 N 74 00 W";
    QTest::newRow("a whole name typed over a chosen one")
        << newYork + "; in txtBirthPlace; type Budapest" << "" << ""
        << "Budapest, Magyarország | zone -2, box 1 | 47 30 N 19 02 E";
}

void MainWindowPlacesTest::placeTextThatIsNoPlaceStopsTheRun()
{
    QFETCH(QString, steps);
    MainWindowHarness harness(at(2026, 12, 8, 15, 5), {QStringLiteral(FEROLUNE_EPHEMS_DIR)}, &atlas);
    QVERIFY(harness.start());
    QString run;
    harness.window.setCalendarCommand([&] { run = shown(harness); });
    harness.perform(steps);
    QTest::mouseClick(harness.control<QWidget>(QStringLiteral("Command2")), Qt::LeftButton);
    QTEST(harness.dialogs.texts().section(QLatin1Char('\n'), 0, 0), "message");
    QTEST(run, "run");
    if (!run.isEmpty())
        return;
    QTEST(harness.focused(), "focus");
}

// "MENTÉS" after a chosen place was typed over keeps the numbers, not the text.
void MainWindowPlacesTest::savedPersonKeepsOnlyAChosenPlace()
{
    MainWindowHarness harness(at(2026, 12, 8, 15, 5), {QStringLiteral(FEROLUNE_EPHEMS_DIR)}, &atlas);
    QVERIFY(harness.start());
    harness.perform(birthAt("1990-07-10", "12:00", "New York City") + "; in txtBirthPlace; type Budapestt");
    harness.dialogs.savePath = directory.filePath(QStringLiteral("stale.ferolune"));
    QTest::mouseClick(harness.control<QWidget>(QStringLiteral("cmdSave")), Qt::LeftButton);
    const Expected<SavedPerson, QString> saved = ReadPersonFile(harness.dialogs.savePath);
    QVERIFY(saved.has_value());
    QCOMPARE(saved->form.birthPlace, PlaceChoice());
    QCOMPARE(saved->form.longitudeDegrees, QStringLiteral("74"));
}

void MainWindowPlacesTest::savedPersonOpensBackUnchanged_data()
{
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QString>("fileName"); // as typed into the save dialog

    QTest::newRow("birthplace and residence from the atlas, no suffix typed")
        << birthAt("1985-07-14", "09:35", "Budapest") + "; in txtResidence; type Debrecen; pick Debrecen" << "bp";
    QTest::newRow("typed by hand: accents, half-hour zone, west, south, greyed box")
        << "in txtName; type KOVÁCS ÖDÖNNÉ; in txtTZ; type -5.5; set west; "
           "set south; set Check1=2; in Text1; type 23"
        << "x.ferolune";
}

void MainWindowPlacesTest::savedPersonOpensBackUnchanged()
{
    QFETCH(QString, steps);
    QFETCH(QString, fileName);
    MainWindowHarness harness(at(2026, 12, 8, 15, 5), {QStringLiteral(FEROLUNE_EPHEMS_DIR)}, &atlas);
    QVERIFY(harness.start());
    harness.perform(steps);
    harness.dialogs.savePath = directory.filePath(fileName);
    QTest::mouseClick(harness.control<QWidget>(QStringLiteral("cmdSave")), Qt::LeftButton);
    const BirthForm saved = harness.window.birthForm();

    MainWindowHarness other(at(2001, 2, 3, 4, 5)); // different fields everywhere
    QVERIFY(other.start());
    other.dialogs.chosenFile = harness.dialogs.savePath.endsWith(".ferolune") ? harness.dialogs.savePath
                                                                              : harness.dialogs.savePath + ".ferolune";
    QTest::mouseClick(other.control<QWidget>(QStringLiteral("Command5")), Qt::LeftButton);
    QVERIFY2(harness.dialogs.messages.empty() && other.dialogs.messages.empty(),
             qPrintable(harness.dialogs.texts() + other.dialogs.texts()));
    QCOMPARE(other.window.birthForm(), saved);
    // Her calendar events keep the key made when she was first saved.
    QVERIFY(!harness.window.eventKey().isEmpty());
    QCOMPARE(other.window.eventKey(), harness.window.eventKey());
    QCOMPARE(other.window.zoneFollowsPlace(), harness.window.zoneFollowsPlace());
}

// The reasons are the person file's own; here the window shows the message and keeps its fields.
void MainWindowPlacesTest::brokenPersonFileChangesNothing()
{
    BirthForm person;
    person.birthPlace = {QStringLiteral("Budapest, Magyarország"), 3054643};
    QFile file(directory.filePath(QStringLiteral("rossz.ferolune")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(PersonJson({person, {}, {}}).replace("\"summerTime\": 0", "\"summerTime\": 3"));
    file.close();
    MainWindowHarness harness(at(2026, 12, 8, 15, 5), {QStringLiteral(FEROLUNE_EPHEMS_DIR)}, &atlas);
    QVERIFY(harness.start());
    const BirthForm before = harness.window.birthForm();
    harness.dialogs.chosenFile = file.fileName();
    QTest::mouseClick(harness.control<QWidget>(QStringLiteral("Command5")), Qt::LeftButton);
    QCOMPARE(harness.dialogs.texts(), QStringLiteral("A(z) rossz.ferolune személyadat-fájl nem olvasható be: "
                                                     "hiányzik vagy hibás benne a(z) „summerTime” adat."));
    QCOMPARE(harness.window.birthForm(), before);
}

QTEST_MAIN(MainWindowPlacesTest)
#include "main_window_places_test.moc"
