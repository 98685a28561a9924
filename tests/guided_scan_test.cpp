// The guided year scan against the scan of every moment, over random years, clocks and
// births: the same day classes, uncertain days included, cell for cell. The births of one
// year and clock share the moments' angles, so the slow reference scan computes each
// moment once. FEROLUNE_GUIDED_SCAN_BIRTHS sets how many births (20,000 by default).

#include "core/calendar/year_moments.h"
#include "core/common/number_rules.h"
#include "support/calendar_support.h"

#include <gtest/gtest.h>

#include <QByteArray>

#include <cmath>
#include <cstdlib>
#include <iterator>
#include <random>
#include <string>

using namespace ferolune;
using ferolune::test::calendarEphemeris;

namespace {

constexpr int BirthsPerYear = 1000;

// Zones with summer time, half-hour and quarter-hour offsets, a zone at +14, and Samoa,
// which skipped 30 December 2011.
const char *const ResidenceZones[] = {
    "Europe/Budapest",  "America/New_York", "Australia/Lord_Howe", "Pacific/Chatham", "Asia/Kathmandu",
    "America/St_Johns", "Pacific/Apia",     "America/Santiago",    "Asia/Tehran",     "Pacific/Kiritimati",
    "Africa/Casablanca"};

int birthCount()
{
    const char *text = std::getenv("FEROLUNE_GUIDED_SCAN_BIRTHS");
    return text ? std::atoi(text) : 20000;
}

double onTheCircle(double angle)
{
    const double wrapped = std::fmod(angle, 360.0);
    return wrapped <= 0 ? wrapped + 360 : wrapped;
}

// The first years and clocks: the ends of the data files, Samoa's skipped day, a leap year
// on a place's clock, a zone of a thousand hours.
const struct {
    int year;
    float zone;
    const char *residence;
} FirstRequests[] = {{1800, 0, ""}, {2399, -1, ""}, {2011, -13, "Pacific/Apia"}, {2024, -1, "Europe/Budapest"},
                     {2026, 1000.5f, ""}};

// A calendar request of a random year on a random clock: mostly the years of the data
// files, one in ten of the built-in ephemeris; a fixed zone (now and then one no clock has) or
// a place of residence.
CalendarRequest randomRequest(std::mt19937 &random, size_t index)
{
    if (index < std::size(FirstRequests)) {
        CalendarRequest request{BirthInput(), FirstRequests[index].year, FirstRequests[index].residence, {}};
        request.birth.zone = UtcOffset{FirstRequests[index].zone};
        return request;
    }
    CalendarRequest request;
    const int kind = std::uniform_int_distribution(0, 19)(random);
    request.year = kind == 0 ? std::uniform_int_distribution(1500, 1799)(random)
                   : kind == 1 ? std::uniform_int_distribution(2400, 2999)(random)
                               : std::uniform_int_distribution(1800, 2399)(random);
    const int zoneQuarters = kind == 2 ? std::uniform_int_distribution(-120, 120)(random)
                                       : std::uniform_int_distribution(-56, 48)(random);
    request.birth.zone = UtcOffset{static_cast<float>(zoneQuarters) / 4};
    if (std::uniform_int_distribution(0, 1)(random) == 1) {
        request.residenceZoneId = ResidenceZones[std::uniform_int_distribution<size_t>(0, std::size(ResidenceZones) - 1)(random)];
        if (std::uniform_int_distribution(0, 3)(random) == 0)
            request.year = std::uniform_int_distribution(1990, 2040)(random);
    }
    return request;
}

// The natal angles of a random birth: half of them a hair either side of where the
// rounding changes degree (d.95) or tenth; half with an uncertainty of up to 180 minutes,
// over which the angle moves 0.4 to 0.6 degrees an hour.
NatalAngles randomBirth(std::mt19937 &random)
{
    NatalAngles natal;
    const double degree = std::uniform_int_distribution(0, 359)(random);
    natal.angle = std::uniform_int_distribution(0, 1)(random) == 0
                      ? onTheCircle(std::uniform_real_distribution(0.0, 360.0)(random))
                      : onTheCircle(degree + 0.95 + std::uniform_real_distribution(-1e-3, 1e-3)(random));
    natal.rounded = roundToTenth(natal.angle);
    if (std::uniform_int_distribution(0, 1)(random) == 1) {
        natal.uncertaintyMinutes = std::uniform_int_distribution(1, 180)(random);
        const double perMinute = std::uniform_real_distribution(0.4, 0.6)(random) / 60;
        natal.earliest = onTheCircle(natal.angle - natal.uncertaintyMinutes * perMinute);
        natal.latest = onTheCircle(natal.angle + natal.uncertaintyMinutes * perMinute);
    } else {
        natal.earliest = natal.latest = natal.angle;
    }
    return natal;
}

std::string describe(const CalendarRequest &request, const NatalAngles &natal)
{
    return "year " + std::to_string(request.year) + ", zone " + std::to_string(request.birth.zone.hours) +
           ", residence '" + request.residenceZoneId.toStdString() + "', natal " + std::to_string(natal.angle) + " (" +
           std::to_string(natal.earliest) + " .. " + std::to_string(natal.latest) + ", " +
           std::to_string(natal.uncertaintyMinutes) + " min)";
}

} // namespace

TEST(GuidedScan, GivesTheCalendarOfEveryMomentForRandomBirths)
{
    std::mt19937 random(20261210);
    const int births = birthCount();
    int compared = 0, phaseDays = 0;
    for (size_t index = 0; compared < births; ++index) {
        const CalendarRequest request = randomRequest(random, index);
        const LibraryFilesGuard closeFiles(calendarEphemeris());
        YearMoments moments(request, calendarEphemeris());
        for (int k = 0; k < BirthsPerYear && compared < births; ++k, ++compared) {
            const NatalAngles natal = randomBirth(random);
            const auto guided = ScanYearWith(moments, request, natal, ScanMethod::Guided);
            const auto reference = ScanYearWith(moments, request, natal, ScanMethod::EveryMoment);
            ASSERT_TRUE(guided && reference);
            for (size_t day = 0; day < reference->days.size(); ++day) {
                ASSERT_EQ(guided->days[day], reference->days[day]) << describe(request, natal) << ", day " << day;
                phaseDays += reference->days[day].isPhaseDay() ? 1 : 0;
            }
            ASSERT_EQ(guided->builtInEphemeris, reference->builtInEphemeris) << describe(request, natal);
        }
    }
    // About 12 moon-phase days a year: the births found their days.
    EXPECT_GT(phaseDays, births * 11);
}
