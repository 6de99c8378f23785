#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <optional>
#include <string>
#include <vector>

#include "platform/core/LocalTime.h"

namespace chr = std::chrono;

namespace {

// The SYSTEMTIME read as a UTC time point (for clocks whose zone we know).
chr::sys_time<chr::milliseconds> AsTimePoint(const SYSTEMTIME& t) {
    const chr::sys_days day = chr::year{t.wYear} / t.wMonth / t.wDay;
    return day + chr::hours{t.wHour} + chr::minutes{t.wMinute} + chr::seconds{t.wSecond} +
           chr::milliseconds{t.wMilliseconds};
}

// Each test picks its zone; the previous zone and the system clock come back afterwards.
class LocalTimeTest : public ::testing::Test {
protected:
    void TearDown() override {
        plat::UseSystemClock();
        if (m_savedZone) {
            setenv("TZ", m_savedZone->c_str(), 1);
        } else {
            unsetenv("TZ");
        }
        tzset();
    }

    const char* const m_zone = std::getenv("TZ");
    const std::optional<std::string> m_savedZone =
        m_zone ? std::optional<std::string>(m_zone) : std::nullopt;
};

}  // namespace

// Windows gives DaylightDate in local standard time and StandardDate in local daylight
// time: the clock readings at which the clocks are changed, this year.
TEST_F(LocalTimeTest, DaylightSavingZoneGivesTheClockBiasNamesAndTransitions) {
    setenv("TZ", "EST5EDT,M3.2.0,M11.1.0", 1);
    tzset();
    const auto before = chr::floor<chr::milliseconds>(chr::system_clock::now());
    SYSTEMTIME clock{};
    GetLocalTime(&clock);
    TIME_ZONE_INFORMATION zone{};
    const DWORD id = GetTimeZoneInformation(&zone);
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    const auto utc = AsTimePoint(clock) - chr::seconds{local.tm_gmtoff};
    EXPECT_GE(utc, before);
    EXPECT_LE(utc, chr::system_clock::now());
    const chr::weekday weekday{chr::sys_days{chr::year{clock.wYear} / clock.wMonth / clock.wDay}};
    EXPECT_EQ(clock.wDayOfWeek, weekday.c_encoding());  // 0 = Sunday

    EXPECT_EQ(id, local.tm_isdst ? TIME_ZONE_ID_DAYLIGHT : TIME_ZONE_ID_STANDARD);
    EXPECT_EQ(zone.Bias, 300);
    EXPECT_EQ(zone.StandardBias, 0);
    EXPECT_EQ(zone.DaylightBias, -60);
    EXPECT_EQ(std::u16string(zone.StandardName), u"EST");
    EXPECT_EQ(std::u16string(zone.DaylightName), u"EDT");
    const int year = local.tm_year + 1900;
    const auto sunday = [&](unsigned month, unsigned nth) {
        const chr::sys_days day{chr::year{year} / chr::month{month} / chr::Sunday[nth]};
        return static_cast<int>(static_cast<unsigned>(chr::year_month_day{day}.day()));
    };
    const auto fields = [](const SYSTEMTIME& t) {
        return std::vector<int>{t.wYear, t.wMonth,  t.wDay,   t.wDayOfWeek,
                                t.wHour, t.wMinute, t.wSecond};
    };
    EXPECT_EQ(fields(zone.DaylightDate), (std::vector<int>{year, 3, sunday(3, 2), 0, 2, 0, 0}));
    EXPECT_EQ(fields(zone.StandardDate), (std::vector<int>{year, 11, sunday(11, 1), 0, 2, 0, 0}));
}

TEST_F(LocalTimeTest, FixedClockIsReportedByBothCallsUntilReleasedToUtc) {
    setenv("TZ", "UTC0", 1);
    tzset();
    plat::FixedClock fixed{};
    fixed.localTime = SYSTEMTIME{2026, 12, 5, 4, 23, 59, 58, 999};
    fixed.zone.Bias = -60;
    fixed.zone.StandardName[0] = u'X';
    fixed.zone.DaylightDate = SYSTEMTIME{0, 3, 0, 5, 2, 0, 0, 0};
    fixed.zoneId = TIME_ZONE_ID_DAYLIGHT;
    plat::SetFixedClock(fixed);

    SYSTEMTIME now{};
    GetLocalTime(&now);
    EXPECT_EQ(AsTimePoint(now), AsTimePoint(fixed.localTime));
    EXPECT_EQ(now.wDayOfWeek, 5);
    TIME_ZONE_INFORMATION zone{};
    EXPECT_EQ(GetTimeZoneInformation(&zone), TIME_ZONE_ID_DAYLIGHT);
    EXPECT_EQ(std::memcmp(&zone, &fixed.zone, sizeof zone), 0);

    plat::UseSystemClock();
    GetLocalTime(&now);
    EXPECT_NE(AsTimePoint(now), AsTimePoint(fixed.localTime));
    // Back to the real zone, UTC, which has no daylight saving and so no dates.
    EXPECT_EQ(GetTimeZoneInformation(&zone), TIME_ZONE_ID_UNKNOWN);
    EXPECT_EQ(zone.Bias, 0);
    EXPECT_EQ(zone.DaylightBias, 0);
    EXPECT_EQ(zone.StandardDate.wMonth, 0);
    EXPECT_EQ(zone.DaylightDate.wMonth, 0);
    EXPECT_EQ(std::u16string(zone.StandardName), u"UTC");
    EXPECT_EQ(GetTimeZoneInformation(nullptr), TIME_ZONE_ID_INVALID);
}
