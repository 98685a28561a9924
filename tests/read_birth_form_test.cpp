#include "io/form/read_birth_form.h"
#include "support/locale_guard.h"

#include <gtest/gtest.h>

using namespace ferolune;
using ferolune::test::DecimalSeparatorGuard;

namespace {

Expected<CheckedRun, FieldProblem> readForm(const BirthForm &form, const char *calendarYear = "2026")
{
    return ReadRunForm(form, QString::fromLatin1(calendarYear));
}

BirthInput birthOf(const BirthForm &form)
{
    const Expected<CheckedRun, FieldProblem> run = readForm(form);
    if (!run)
        throw std::invalid_argument(run.error().message.toStdString());
    return run->birth;
}

// The universal hour of the birth, in single precision as the chart takes it.
float universalHourOf(const BirthForm &form)
{
    const BirthInput birth = birthOf(form);
    return birth.zone.universalHour(birth.hour);
}

} // namespace

TEST(BirthMoment, MeridiemAndZoneGiveTheUniversalHour)
{
    const struct {
        const char *hour;
        bool am;
        const char *zone;
        double chartHour;
    } rows[] = {
        {"12", true, "0", 0},     {"12", false, "0", 12}, {"7", false, "0", 19},  {"1", false, "0", 13},
        {"7", true, "0", 7},      {"2", true, "-1", 1},   {"12", true, "-1", -1}, {"11", false, "-2", 21},
        {"12.5", true, "0", 0.5}, {"09", true, "5", 14},
    };
    DecimalSeparatorGuard dot(u'.');
    for (const auto &row : rows) {
        BirthForm form;
        form.hour12 = QString::fromUtf8(row.hour);
        form.beforeNoon = row.am;
        form.zoneText = QString::fromUtf8(row.zone);
        EXPECT_FLOAT_EQ(universalHourOf(form), row.chartHour) << row.hour << (row.am ? " DE" : " DU");
    }
}

TEST(BirthMoment, DefaultFieldsGiveTenToTwoUniversalTime)
{
    const Expected<CheckedRun, FieldProblem> run = readForm(BirthForm{}, "2027");
    ASSERT_TRUE(run.has_value());
    EXPECT_EQ(run->calendarYear, 2027);
    const BirthInput &birth = run->birth;
    EXPECT_EQ(birth.name, QStringLiteral("Ismeretlen"));
    EXPECT_EQ(birth.year, 1973);
    EXPECT_EQ(birth.month, 2);
    EXPECT_EQ(birth.day, 26);
    EXPECT_FLOAT_EQ(birth.zone.universalHour(birth.hour), 1);
    EXPECT_FLOAT_EQ(birth.minute, 50);
    EXPECT_NEAR(birth.place.longitude, 19.1166666666667, 1e-12);
    EXPECT_NEAR(birth.place.latitude, 47.5833333333333, 1e-12);
}

TEST(BirthMoment, HemispheresSignThePlace)
{
    BirthForm west;
    west.east = false;
    EXPECT_NEAR(birthOf(west).place.longitude, -19.1166666666667, 1e-12);

    BirthForm south;
    south.south = true;
    EXPECT_NEAR(birthOf(south).place.latitude, -47.5833333333333, 1e-12);

    // A negated zero is not below zero: 0 deg 00 min east counts as west, the place is 0 either way.
    BirthForm greenwich;
    greenwich.longitudeDegrees = QStringLiteral("0");
    greenwich.longitudeMinutes = QStringLiteral("00");
    EXPECT_EQ(birthOf(greenwich).place.longitude, 0.0);

    // A negative degree from a file turns the side over, as the side of degrees + minutes/100 says.
    BirthForm negative;
    negative.longitudeDegrees = QStringLiteral("-19");
    EXPECT_NEAR(birthOf(negative).place.longitude, 18.8833333333333, 1e-12);
}

TEST(BirthMoment, LenientHourAndMinuteIgnoreTrailingText)
{
    BirthForm form;
    form.minute = QStringLiteral("30");
    form.hour12 = QStringLiteral("12");
    form.beforeNoon = true;
    form.zoneText = QStringLiteral("-1");
    EXPECT_FLOAT_EQ(universalHourOf(form), -1); // 00:30 local with zone -1 is on the previous day
    EXPECT_FLOAT_EQ(birthOf(form).minute, 30);
}

// The first field, in the order the user fills them, that keeps a run from starting is
// named with its message (the birth is 26 February 1973).
TEST(ReadRunForm, AFieldTheRunCannotTakeIsNamed)
{
    const QString notANumber = QStringLiteral(" mezőjében nem szám áll. Kérem, javítsa ki!");
    const QString zone = QStringLiteral("Helytelen időzóna! Az időzóna -15 és 15 óra között lehet.");
    const QString longitude = QStringLiteral("Helytelen földrajzi hosszúság! A hosszúság legfeljebb 180° lehet.");
    const QString uncertainty =
        QStringLiteral("Helytelen „± PERC”! A születési idő bizonytalansága 0 és 180 perc között lehet.");
    const struct {
        QString BirthForm::*member; // null for the calendar year
        const char *text;
        BirthField field;
        QString message;
    } rows[] = {
        {&BirthForm::day, "", BirthField::Day, "A születési nap" + notANumber},
        {&BirthForm::year, "40000", BirthField::Year,
         QStringLiteral("A születési év mezőjében túl nagy vagy túl kicsi szám áll.")},
        {&BirthForm::year, "19x3", BirthField::Year, "A születési év" + notANumber},
        {&BirthForm::hour12, "", BirthField::Hour, "A születési óra" + notANumber},
        {&BirthForm::minute, "5 0", BirthField::Minute, "A születési perc" + notANumber},
        {&BirthForm::zoneText, "-", BirthField::Zone, "Az időzóna" + notANumber},
        {&BirthForm::longitudeMinutes, "0..7", BirthField::LongitudeMinutes,
         "A földrajzi hosszúság percének" + notANumber},
        {&BirthForm::latitudeDegrees, "", BirthField::LatitudeDegrees, "A földrajzi szélesség fokának" + notANumber},
        {nullptr, "2024x", BirthField::CalendarYear, "A naptár évének (piros)" + notANumber},
        {nullptr, "", BirthField::CalendarYear, "A naptár évének (piros)" + notANumber},
        {&BirthForm::day, "30", BirthField::Day, QStringLiteral("Helytelen nap!")},
        {&BirthForm::day, "29", BirthField::Day, QStringLiteral("Helytelen nap!")},
        {&BirthForm::month, "0", BirthField::Month, QStringLiteral("Helytelen hónap!")},
        {&BirthForm::year, "0", BirthField::Year, QStringLiteral("Helytelen születési év!")},
        {&BirthForm::hour, "25", BirthField::Hour, QStringLiteral("Helytelen óra!")},
        {&BirthForm::zoneText, "99", BirthField::Zone, zone},
        {&BirthForm::zoneText, "1e300", BirthField::Zone, zone},
        {&BirthForm::longitudeDegrees, "180", BirthField::LongitudeDegrees, longitude},
        {&BirthForm::latitudeDegrees, "91", BirthField::LatitudeDegrees,
         QStringLiteral("Helytelen földrajzi szélesség! A szélesség legfeljebb 90° lehet.")},
        {&BirthForm::latitudeMinutes, "99", BirthField::LatitudeMinutes,
         QStringLiteral("Helytelen földrajzi szélesség! A perc legfeljebb 59 lehet.")},
        {nullptr, "12000", BirthField::CalendarYear, QStringLiteral("Helytelen év!")},
        {&BirthForm::uncertainty, "181", BirthField::Uncertainty, uncertainty},
        {&BirthForm::uncertainty, "-1", BirthField::Uncertainty, uncertainty},
        {&BirthForm::uncertainty, "abc", BirthField::Uncertainty, uncertainty}, // from a file
        {&BirthForm::uncertainty, "15.5", BirthField::Uncertainty, uncertainty},
    };
    DecimalSeparatorGuard dot(u'.');
    for (const auto &row : rows) {
        BirthForm form;
        QByteArray calendarYear = "2026";
        if (row.member)
            form.*row.member = QString::fromUtf8(row.text);
        else
            calendarYear = row.text;
        const Expected<CheckedRun, FieldProblem> run = readForm(form, calendarYear.constData());
        ASSERT_FALSE(run.has_value()) << row.text;
        EXPECT_EQ(run.error().field, row.field) << row.text;
        EXPECT_EQ(run.error().message, row.message) << row.text;
    }
}

TEST(BirthMoment, TheFullStopAndTheUserSeparatorBothConvert)
{
    const struct {
        QChar separator;
        const char *zone;
        bool converts;
    } rows[] = {{u',', "-1,5", true}, {u',', "-1.5", true}, {u'.', "-1.5", true}, {u'.', "-1,5", false}};
    for (const auto &row : rows) {
        DecimalSeparatorGuard guard(row.separator);
        BirthForm form;
        form.zoneText = QString::fromUtf8(row.zone);
        if (row.converts)
            EXPECT_FLOAT_EQ(universalHourOf(form), 0.5) << row.zone;
        else
            EXPECT_FALSE(readForm(form).has_value()) << row.zone;
    }
}
