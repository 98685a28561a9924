#include "core/chart/ephemeris.h"
#include "core/chart/natal_chart.h"
#include "io/form/read_birth_form.h"
#include "support/locale_guard.h"

#include <gtest/gtest.h>

#include <QProcess>
#include <QStringList>

using namespace ferolune;
using ferolune::test::DecimalSeparatorGuard;

namespace {

Ephemeris &testEphemeris()
{
    static Ephemeris ephemeris(QStringList{QStringLiteral(FEROLUNE_EPHEMS_DIR)});
    return ephemeris;
}

BirthInput birthOf(const BirthForm &form)
{
    return ReadRunForm(form, QStringLiteral("2026"))->birth;
}

NatalChart natalChartOf(const BirthForm &form)
{
    return ComputeNatalChart(birthOf(form), testEphemeris());
}

ChartPositions positionsOf(const BirthForm &form)
{
    return testEphemeris().ComputeEphemeris(BirthMomentOf(birthOf(form)));
}

// Longitudes from the independent swetest tool for a Julian day given as ephemeris
// time, as the program passes the universal moment unchanged.
std::vector<double> swetestLongitudes(double julianDay, const char *bodies)
{
    QProcess swetest;
    swetest.start(QStringLiteral("swetest"),
                  {QStringLiteral("-bj%1").arg(julianDay, 0, 'f', 8), QStringLiteral("-p%1").arg(QLatin1String(bodies)),
                   QStringLiteral("-fl"), QStringLiteral("-head"), QStringLiteral("-eswe"),
                   QStringLiteral("-edir%1").arg(QStringLiteral(FEROLUNE_EPHEMS_DIR))});
    swetest.waitForFinished();
    std::vector<double> values;
    for (const QString &line : QString::fromLatin1(swetest.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts))
        values.push_back(line.trimmed().toDouble());
    return values;
}

} // namespace

TEST(NatalChart, DefaultBirthFieldsGiveTheKnownChart)
{
    DecimalSeparatorGuard dot(u'.');
    const NatalChart natal = natalChartOf(BirthForm{});
    EXPECT_NEAR(positionsOf(BirthForm{}).julianDay, 2441739.5763889, 5e-8);
    EXPECT_EQ(natal.text(), QStringLiteral("NAP         HALAK     7.33\r\n"
                                           "HOLD        NYILAS    17.53\r\n"
                                           "SARKANYFEJ  BAK       14.28\r\n"
                                           "LILITH      NYILAS    11.10\r\n"
                                           "ASC         NYILAS    24.69\r\n"));
    EXPECT_EQ(AngleCaption(natal), QStringLiteral("NAP-HOLD FOK: 280.2"));
    EXPECT_DOUBLE_EQ(natal.angleRounded, 280.2);
}

TEST(NatalChart, CommaSeparatorInTheChartTextAndCaption)
{
    DecimalSeparatorGuard comma(u',');
    const NatalChart natal = natalChartOf(BirthForm{});
    EXPECT_TRUE(natal.text().startsWith(QStringLiteral("NAP         HALAK     7,33\r\n")));
    EXPECT_EQ(AngleCaption(natal), QStringLiteral("NAP-HOLD FOK: 280,2"));
}

// Positions against swetest for birth moments of different kinds.
TEST(NatalChart, PositionsAgreeWithSwetest)
{
    DecimalSeparatorGuard dot(u'.');
    struct Moment {
        const char *name;
        BirthForm fields;
    };
    std::vector<Moment> moments;
    moments.push_back({"default", BirthForm{}});
    BirthForm west;
    west.year = QStringLiteral("1990");
    west.month = QStringLiteral("7");
    west.day = QStringLiteral("4");
    west.hour12 = QStringLiteral("9");
    west.beforeNoon = false;
    west.zoneText = QStringLiteral("5");
    west.longitudeDegrees = QStringLiteral("74");
    west.longitudeMinutes = QStringLiteral("0");
    west.east = false;
    west.latitudeDegrees = QStringLiteral("40");
    west.latitudeMinutes = QStringLiteral("43");
    moments.push_back({"western longitude", west});
    BirthForm south;
    south.year = QStringLiteral("2001");
    south.month = QStringLiteral("12");
    south.day = QStringLiteral("15");
    south.hour12 = QStringLiteral("6");
    south.zoneText = QStringLiteral("-10");
    south.longitudeDegrees = QStringLiteral("151");
    south.longitudeMinutes = QStringLiteral("12");
    south.latitudeDegrees = QStringLiteral("33");
    south.latitudeMinutes = QStringLiteral("52");
    south.south = true;
    moments.push_back({"southern latitude", south});
    BirthForm beforeMidnight;
    beforeMidnight.year = QStringLiteral("1985");
    beforeMidnight.month = QStringLiteral("3");
    beforeMidnight.day = QStringLiteral("1");
    beforeMidnight.hour12 = QStringLiteral("12");
    beforeMidnight.minute = QStringLiteral("20");
    beforeMidnight.zoneText = QStringLiteral("-2");
    moments.push_back({"local 00:20, previous day in universal time", beforeMidnight});

    for (const Moment &moment : moments) {
        const ChartPositions positions = positionsOf(moment.fields);
        // Sun, Moon, mean node, mean apogee (Lilith).
        const std::vector<double> expected = swetestLongitudes(positions.julianDay, "01mA");
        ASSERT_EQ(expected.size(), 4u) << moment.name;
        const double ours[] = {positions.sun, positions.moon, positions.meanNode, positions.lilith};
        for (size_t i = 0; i < expected.size(); ++i)
            EXPECT_NEAR(ours[i], expected[i], 1e-6) << moment.name << " body " << i;
    }
}

TEST(NatalChart, BeforeMidnightUniversalTimeIsThePreviousDay)
{
    BirthForm fields;
    fields.hour12 = QStringLiteral("12"); // 00:30 local, zone -1: 23:30 UT the day before
    fields.minute = QStringLiteral("30");
    EXPECT_NEAR(positionsOf(fields).julianDay, Ephemeris::julianDay(1973, 2, 25, 23.5), 1e-9);
}

TEST(NatalChart, ThirtiethOfFebruaryRollsIntoMarch)
{
    EXPECT_DOUBLE_EQ(Ephemeris::julianDay(1973, 2, 30, 0), Ephemeris::julianDay(1973, 3, 2, 0));
    EXPECT_DOUBLE_EQ(Ephemeris::julianDay(2026, 12, 32, 0), Ephemeris::julianDay(2027, 1, 1, 0));
}

TEST(NatalChart, AYearBeyondTheLibraryIsAnError)
{
    BirthForm fields;
    fields.year = QStringLiteral("3500");
    EXPECT_THROW(natalChartOf(fields), EphemerisError);
}

TEST(ChartText, SignsAnglesAndColumns)
{
    DecimalSeparatorGuard dot(u'.');
    const struct {
        double sun, moon, angle;
        const char *caption;
    } angles[] = {
        {350, 10, 20, "NAP-HOLD FOK: 20"},   {10, 350, 340, "NAP-HOLD FOK: 340"},
        {100, 100, 360, "NAP-HOLD FOK: 360"}, {0, 123.46, 123.46, "NAP-HOLD FOK: 123.5"},
        {0.04, 0, 359.96, "NAP-HOLD FOK: 360"}, {0, 0.04, 0.04, "NAP-HOLD FOK: 0"},
    };
    for (const auto &row : angles) {
        ChartPositions positions;
        positions.sun = row.sun;
        positions.moon = row.moon;
        const NatalChart natal = NatalChartOf(positions);
        EXPECT_NEAR(natal.angle, row.angle, 1e-9);
        EXPECT_EQ(AngleCaption(natal), QString::fromUtf8(row.caption));
    }

    ChartPositions positions;
    positions.sun = 29.996;  // prints 30.00 in its own sign
    positions.moon = 0.5;    // Moon at 0.5 KOS
    positions.meanNode = 30; // exactly 30 belongs to the next sign
    positions.lilith = 359.99;
    positions.ascendant = 180;
    const std::array<QString, 5> lines = NatalChartOf(positions).lines;
    EXPECT_EQ(lines[0], QStringLiteral("NAP         KOS       30.00"));
    EXPECT_EQ(lines[1], QStringLiteral("HOLD        KOS       0.50"));
    EXPECT_EQ(lines[2], QStringLiteral("SARKANYFEJ  BIKA      0.00"));
    EXPECT_EQ(lines[3], QStringLiteral("LILITH      HALAK     29.99"));
    EXPECT_EQ(lines[4], QStringLiteral("ASC         MERLEG    0.00"));
    EXPECT_EQ(lines[1].indexOf(QStringLiteral("KOS")), 12);
    EXPECT_EQ(lines[1].indexOf(QStringLiteral("0.50")), 22);
}

TEST(ChartText, NameTables)
{
    EXPECT_EQ(SignName(1), QStringLiteral("KOS      "));
    EXPECT_EQ(SignName(12), QStringLiteral("HALAK    "));
    EXPECT_TRUE(SignName(0).isEmpty());
    EXPECT_TRUE(SignName(13).isEmpty());
    for (int sign = 1; sign <= 12; ++sign)
        EXPECT_EQ(SignName(sign).size(), 9);
    for (int point : {1, 10, 11, 13, 14})
        EXPECT_EQ(PointName(point).size(), 11);
    EXPECT_TRUE(PointName(12).isEmpty());
}

TEST(Ephemeris, TellsWhetherTheDataFilesWereFound)
{
    EXPECT_TRUE(testEphemeris().dataFilesFound());
}
