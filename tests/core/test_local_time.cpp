#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <optional>
#include <string>

#include "platform/core/LocalTime.h"

namespace chr = std::chrono;

namespace {

std::string Narrow(const WCHAR* name) {
    std::string text;
    for (; *name; ++name) {
        text.push_back(static_cast<char>(*name));
    }
    return text;
}

int LocalYearNow() {
    const std::time_t now = std::time(nullptr);
    std::tm fields{};
    localtime_r(&now, &fields);
    return fields.tm_year + 1900;
}

long LocalOffsetNow() {
    const std::time_t now = std::time(nullptr);
    std::tm fields{};
    localtime_r(&now, &fields);
    return fields.tm_gmtoff;
}

// The SYSTEMTIME read as a UTC time point (for clocks whose zone we know).
chr::sys_time<chr::milliseconds> AsTimePoint(const SYSTEMTIME& t) {
    const chr::sys_days day = chr::year{t.wYear} / t.wMonth / t.wDay;
    return day + chr::hours{t.wHour} + chr::minutes{t.wMinute} + chr::seconds{t.wSecond} +
           chr::milliseconds{t.wMilliseconds};
}

// A transition date as Windows gives it absolutely: that Sunday of this year, on the hour.
void ExpectTransition(const SYSTEMTIME& date, chr::year_month_day day, int hour) {
    EXPECT_EQ(date.wYear, static_cast<int>(day.year()));
    EXPECT_EQ(date.wMonth, static_cast<unsigned>(day.month()));
    EXPECT_EQ(date.wDay, static_cast<unsigned>(day.day()));
    EXPECT_EQ(date.wDayOfWeek, 0);
    EXPECT_EQ(date.wHour, hour);
    EXPECT_EQ(date.wMinute, 0);
    EXPECT_EQ(date.wSecond, 0);
}

chr::year_month_day LastSunday(int year, unsigned month) {
    return chr::year_month_day{
        chr::sys_days{chr::year{year} / chr::month{month} / chr::Sunday[chr::last]}};
}

chr::year_month_day NthSunday(int year, unsigned month, unsigned n) {
    return chr::year_month_day{chr::sys_days{chr::year{year} / chr::month{month} / chr::Sunday[n]}};
}

class LocalTimeTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (const char* tz = std::getenv("TZ")) {
            m_savedZone = tz;
        }
    }
    void TearDown() override {
        plat::UseSystemClock();
        if (m_savedZone) {
            setenv("TZ", m_savedZone->c_str(), 1);
        } else {
            unsetenv("TZ");
        }
        tzset();
    }
    static void UseZone(const char* zone) {
        setenv("TZ", zone, 1);
        tzset();
    }
    // The zone's answer, checked against the offset the C library applies right now.
    static DWORD ZoneNow(TIME_ZONE_INFORMATION& zone) {
        const DWORD id = GetTimeZoneInformation(&zone);
        const LONG bias = zone.Bias + (id == TIME_ZONE_ID_DAYLIGHT ? zone.DaylightBias : 0);
        EXPECT_EQ(-bias * 60, LocalOffsetNow());
        return id;
    }

private:
    std::optional<std::string> m_savedZone;
};

}  // namespace

TEST_F(LocalTimeTest, LocalTimeIsTheClockInTheCurrentZoneWithMilliseconds) {
    for (const auto& [zone, offset] :
         {std::pair{"UTC0", chr::minutes{0}}, std::pair{"<+0530>-5:30", chr::minutes{330}},
          std::pair{"<-0330>3:30", chr::minutes{-210}}}) {
        SCOPED_TRACE(zone);
        UseZone(zone);
        const auto before = chr::floor<chr::milliseconds>(chr::system_clock::now());
        SYSTEMTIME now{};
        GetLocalTime(&now);
        const auto after = chr::system_clock::now();
        const auto utc = AsTimePoint(now) - offset;
        EXPECT_GE(utc, before);
        EXPECT_LE(utc, after);
        EXPECT_LT(now.wMilliseconds, 1000);
        const chr::weekday weekday{chr::sys_days{chr::year{now.wYear} / now.wMonth / now.wDay}};
        EXPECT_EQ(now.wDayOfWeek, weekday.c_encoding());  // 0 = Sunday
    }
    GetLocalTime(nullptr);  // tolerated, nothing to fill
}

TEST_F(LocalTimeTest, ZonesWithoutDaylightSavingAreUnknownWithNoDates) {
    for (const auto& [zone, bias, name] :
         {std::tuple{"UTC0", 0, "UTC"}, std::tuple{"<+0530>-5:30", -330, "+0530"}}) {
        SCOPED_TRACE(zone);
        UseZone(zone);
        TIME_ZONE_INFORMATION info{};
        EXPECT_EQ(ZoneNow(info), TIME_ZONE_ID_UNKNOWN);
        EXPECT_EQ(info.Bias, bias);
        EXPECT_EQ(info.StandardBias, 0);
        EXPECT_EQ(info.DaylightBias, 0);
        EXPECT_EQ(info.StandardDate.wMonth, 0);
        EXPECT_EQ(info.DaylightDate.wMonth, 0);
        EXPECT_EQ(Narrow(info.StandardName), name);
    }
    EXPECT_EQ(GetTimeZoneInformation(nullptr), TIME_ZONE_ID_INVALID);
}

// Windows gives DaylightDate in local standard time and StandardDate in local daylight
// time: the clock readings at which the clocks are changed.
TEST_F(LocalTimeTest, NorthernZonesReportBiasNamesAndThisYearsTransitions) {
    UseZone("GMT0BST,M3.5.0/1,M10.5.0");
    const int year = LocalYearNow();
    TIME_ZONE_INFORMATION london{};
    const DWORD londonId = ZoneNow(london);
    EXPECT_NE(londonId, TIME_ZONE_ID_UNKNOWN);
    EXPECT_EQ(london.Bias, 0);
    EXPECT_EQ(london.StandardBias, 0);
    EXPECT_EQ(london.DaylightBias, -60);
    EXPECT_EQ(Narrow(london.StandardName), "GMT");
    EXPECT_EQ(Narrow(london.DaylightName), "BST");
    ExpectTransition(london.DaylightDate, LastSunday(year, 3), 1);
    ExpectTransition(london.StandardDate, LastSunday(year, 10), 2);

    UseZone("EST5EDT,M3.2.0,M11.1.0");
    TIME_ZONE_INFORMATION newYork{};
    EXPECT_NE(ZoneNow(newYork), TIME_ZONE_ID_UNKNOWN);
    EXPECT_EQ(newYork.Bias, 300);
    EXPECT_EQ(newYork.DaylightBias, -60);
    EXPECT_EQ(Narrow(newYork.StandardName), "EST");
    EXPECT_EQ(Narrow(newYork.DaylightName), "EDT");
    ExpectTransition(newYork.DaylightDate, NthSunday(year, 3, 2), 2);
    ExpectTransition(newYork.StandardDate, NthSunday(year, 11, 1), 2);
}

TEST_F(LocalTimeTest, SouthernAndHalfHourZonesTakeTheSmallerOffsetAsStandard) {
    const int year = LocalYearNow();
    UseZone("AEST-10AEDT,M10.1.0,M4.1.0/3");
    TIME_ZONE_INFORMATION sydney{};
    EXPECT_NE(ZoneNow(sydney), TIME_ZONE_ID_UNKNOWN);
    EXPECT_EQ(sydney.Bias, -600);
    EXPECT_EQ(sydney.DaylightBias, -60);
    EXPECT_EQ(Narrow(sydney.StandardName), "AEST");
    EXPECT_EQ(Narrow(sydney.DaylightName), "AEDT");
    ExpectTransition(sydney.DaylightDate, NthSunday(year, 10, 1), 2);
    ExpectTransition(sydney.StandardDate, NthSunday(year, 4, 1), 3);

    UseZone("<+1030>-10:30<+11>-11,M10.1.0,M4.1.0");
    TIME_ZONE_INFORMATION lordHowe{};
    EXPECT_NE(ZoneNow(lordHowe), TIME_ZONE_ID_UNKNOWN);
    EXPECT_EQ(lordHowe.Bias, -630);
    EXPECT_EQ(lordHowe.DaylightBias, -30);
    EXPECT_EQ(Narrow(lordHowe.DaylightName), "+11");
    ExpectTransition(lordHowe.DaylightDate, NthSunday(year, 10, 1), 2);
    ExpectTransition(lordHowe.StandardDate, NthSunday(year, 4, 1), 2);
}

TEST_F(LocalTimeTest, ZoneDatabaseNamesWorkToo) {
    if (!std::filesystem::exists("/usr/share/zoneinfo/Europe/London")) {
        GTEST_SKIP() << "no zone database";
    }
    UseZone("Europe/London");
    TIME_ZONE_INFORMATION london{};
    EXPECT_NE(ZoneNow(london), TIME_ZONE_ID_UNKNOWN);
    EXPECT_EQ(london.Bias, 0);
    EXPECT_EQ(london.DaylightBias, -60);
    ExpectTransition(london.DaylightDate, LastSunday(LocalYearNow(), 3), 1);
}

TEST_F(LocalTimeTest, FixedClockIsReportedByBothCallsUntilReleased) {
    UseZone("UTC0");
    plat::FixedClock fixed{};
    fixed.localTime = SYSTEMTIME{2026, 12, 5, 4, 23, 59, 58, 999};
    fixed.zone.Bias = -60;
    fixed.zone.DaylightBias = -60;
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
    EXPECT_EQ(zone.Bias, -60);
    EXPECT_EQ(Narrow(zone.StandardName), "X");
    EXPECT_EQ(zone.DaylightDate.wDay, 5);

    plat::UseSystemClock();
    GetLocalTime(&now);
    EXPECT_GE(now.wYear, 2024);
    EXPECT_NE(AsTimePoint(now), AsTimePoint(fixed.localTime));
    EXPECT_EQ(GetTimeZoneInformation(&zone), TIME_ZONE_ID_UNKNOWN);
}
