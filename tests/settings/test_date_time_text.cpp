#include <gtest/gtest.h>
#include <langinfo.h>
#include <unistd.h>

#include <cfloat>
#include <chrono>
#include <climits>
#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <limits>
#include <string>
#include <tuple>

#include "surveyui.h"
#include "tests/settings/SettingsTestSupport.h"

namespace {

constexpr double kNan = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

struct Date {
    int day, month, year;
};

LocalDateTime Completed(Date date, int hour = 0, int minute = 0, int second = 0, int ms = 0) {
    LocalDateTime dt{hour, minute, second, ms, 0.0, date.day, date.month, date.year,
                     0,    0,      false,  0,  0,   {},       0.0};
    CompleteDateTime(&dt);
    return dt;
}

class DateTimeModeTest : public SettingsTest {};

TEST_F(DateTimeModeTest, DefaultsStoredValuesAndMissingLines) {
    EXPECT_EQ(std::make_pair(ReadDateMode(), ReadTimeMode()), std::make_pair(1, 1));
    WriteRaw("Date_Mode.INI", "Month Mode = 3\r\n");
    WriteRaw("Time_Mode.INI", "Time Mode = 2\r\n");
    EXPECT_EQ(std::make_pair(ReadDateMode(), ReadTimeMode()), std::make_pair(3, 2));
    // A file without its value line reads 0, not the default.
    WriteRaw("Date_Mode.INI", "Month Mode 3\r\n");
    WriteRaw("Time_Mode.INI", "");
    EXPECT_EQ(std::make_pair(ReadDateMode(), ReadTimeMode()), std::make_pair(0, 0));
}

TEST(DateText, EveryModeAndInvalidDates) {
    const auto expect = [](int day, int month, int year, int mode, const char* text) {
        EXPECT_EQ(FormatDate(day, month, year, mode).str(), text)
            << day << "/" << month << "/" << year << " mode " << mode;
    };
    expect(4, 12, 2026, 0, "04/12/2026");
    expect(4, 12, 2026, 1, "04 Dec 2026");
    expect(4, 12, 2026, 2, "04 December 2026");
    expect(4, 12, 2026, 3, "12\\04\\2026");
    expect(29, 2, 2024, 0, "29/02/2024");
    expect(29, 2, 2023, 0, "29/02/2023");  // only 1..31 is checked here
    expect(31, 1, 1900, 2, "31 January 1900");
    for (const Date bad : {Date{0, 1, 2024}, Date{32, 1, 2024}, Date{1, 0, 2024}, Date{1, 13, 2024},
                           Date{31, 12, 1899}, Date{INT_MIN, INT_MIN, INT_MIN}}) {
        expect(bad.day, bad.month, bad.year, 0, "");
    }
    expect(1, 1, 2024, -1, "");
    expect(1, 1, 2024, 4, "");
    std::tm outside{};
    outside.tm_mday = 1;
    outside.tm_mon = 12;
    EXPECT_EQ(FormatDateTm(outside, 1).str(), "");
}

// Month names come from the library's own locale, whatever locale the host program set:
// a locale with made-up month names is built for this test.
TEST(DateText, MonthNamesIgnoreTheProcessLocale) {
    const std::string folder = testing::TempDir() + "surveyui-locale-" + std::to_string(getpid());
    std::filesystem::create_directories(folder);
    std::string months = "\"X\"";
    for (int m = 2; m <= 12; ++m) {
        months += ";\"X\"";
    }
    std::ofstream(folder + "/src")
        << "LC_TIME\nabmon " << months << "\nmon " << months << "\nEND LC_TIME\n";
    // Forced past the warnings about the categories this definition leaves out.
    std::system(("localedef -c -i " + folder + "/src " + folder + "/xx_XX 2>/dev/null").c_str());
    const std::string saved = std::setlocale(LC_TIME, nullptr);
    setenv("LOCPATH", folder.c_str(), 1);
    std::setlocale(LC_TIME, "xx_XX");
    const std::string host = nl_langinfo(MON_12);
    const std::string longText = FormatDate(4, 12, 2026, 2).str();
    const std::string shortText = FormatDate(4, 3, 2026, 1).str();
    std::setlocale(LC_TIME, saved.c_str());
    unsetenv("LOCPATH");
    std::filesystem::remove_all(folder);
    ASSERT_EQ(host, "X");  // the host's own month names did change
    EXPECT_EQ(longText, "04 December 2026");
    EXPECT_EQ(shortText, "04 Mar 2026");
}

TEST(TimeText, EveryModeAndSign) {
    const auto expect = [](int h, int m, int s, int ms, int mode, const char* text) {
        EXPECT_EQ(FormatTime(h, m, s, ms, mode).str(), text)
            << h << ":" << m << ":" << s << "." << ms << " mode " << mode;
    };
    expect(1, 2, 3, 45, 0, "01:02");
    expect(1, 2, 3, 45, 1, "01:02:03");
    expect(1, 2, 3, 45, 2, "01:02:03.045");
    expect(-1, 2, 3, 4, 3, "");
    expect(0, -5, 0, 0, 0, "-00:05");
    expect(0, 0, -7, 0, 0, "-00:00");  // seconds not shown, their sign is
    expect(-1, -2, -3, 4, 2, "-01:02:03.004");
    expect(0, 0, 0, -500, 2, "-00:00:00.500");  // not a '-' in the middle of the text
    expect(INT_MIN, 0, 0, 0, 0, "-2147483648:00");
}

TEST(TimeText, SecondsOfDay) {
    const auto expect = [](double seconds, int mode, const char* text) {
        EXPECT_EQ(FormatTimeOfDay(seconds, mode).str(), text) << seconds << " mode " << mode;
    };
    expect(3725.5, 2, "01:02:05.500");
    expect(90000.0, 0, "01:00");
    expect(-0.5, 2, "-00:00:00.500");
    expect(DBL_MAX, 1, "14:26:08");  // wraps like any other count (fmod is exact)
    expect(3725.5, 5, "");
    for (const double bad : {kNan, kInf, -kInf}) {
        expect(bad, 2, "");
    }
}

TEST(TimeText, ParseTimeDigits) {
    const auto expect = [](const std::string& digits, double seconds) {
        EXPECT_DOUBLE_EQ(ParseTimeDigits(digits.c_str()), seconds) << digits.substr(0, 20);
    };
    expect("09", 32400.0);
    expect("0930", 34200.0);
    expect("093015", 34215.0);
    expect("09301525", 34215.025);            // the last pair counts as thousandths
    expect("093015250", 34215.25);            // HHMMSS and milliseconds
    expect("1275", 12 * 3600.0 + 75 * 60.0);  // not range-checked
    expect("12ab", 12 * 60.0);
    expect("-930", -34200.0);
    const std::string huge(100000, '9');
    const std::string bad[] = {"",     "9",    "093",  "0930152", "0930152500",
                               "ab12", "::::", "+-+-", "nan",     huge};
    for (const std::string& text : bad) {
        expect(text, 0.0);
    }
    EXPECT_EQ(ParseTimeDigits(nullptr), 0.0);
}

TEST(Calendar, DocumentedDatesAndInvalidDays) {
    EXPECT_EQ(Completed({4, 12, 2026}).weekday, 5);
    EXPECT_EQ(Completed({1, 1, 2000}).secondsCount, -86400.0);
    EXPECT_EQ(Completed({1, 1, 2001}).secondsCount, 31536000.0);
    for (const Date bad : {Date{29, 2, 2023}, Date{31, 4, 2024}, Date{0, 5, 2024},
                           Date{1, 13, 2024}, Date{1, INT_MAX, 2024}, Date{INT_MIN, 1, 2024}}) {
        const LocalDateTime dt = Completed(bad, 6);
        EXPECT_EQ(std::tie(dt.day, dt.month, dt.dayOfYear, dt.weekday), std::make_tuple(0, 0, 0, 0))
            << bad.day << "/" << bad.month;
        EXPECT_EQ(dt.secondsCount, Completed({1, 1, bad.year}, 6).secondsCount - 86400.0);
    }
}

// Every day of 1900..2100 at both ends of the day, against the standard calendar, and read back
// through SecondsCountToDate.
TEST(Calendar, SweepAgreesWithTheStandardCalendarAndInverts) {
    using namespace std::chrono;
    const sys_days zero = 2000y / January / 2;
    for (sys_days d = 1900y / January / 1; d <= sys_days{2100y / December / 31}; d += days{1}) {
        const year_month_day ymd{d};
        const Date date{int(unsigned(ymd.day())), int(unsigned(ymd.month())), int(ymd.year())};
        SCOPED_TRACE(testing::Message() << date.day << "/" << date.month << "/" << date.year);
        for (const LocalDateTime& dt : {Completed(date), Completed(date, 23, 59, 59, 500)}) {
            ASSERT_EQ(dt.weekday, int(weekday{d}.iso_encoding()));
            ASSERT_EQ(dt.secondsCount, (d - zero).count() * 86400.0 + dt.secondsOfDay);
            int dayOfYear = -1, year = -1, day = -1, month = -1;
            double secondsOfDay = -1.0;
            SecondsCountToDate(dt.secondsCount, &dayOfYear, &year, &secondsOfDay);
            DayOfYearToDate(dayOfYear, year, &day, &month);
            ASSERT_EQ(std::tie(day, month, year), std::tie(date.day, date.month, date.year));
            ASSERT_EQ(secondsOfDay, dt.secondsOfDay);
        }
    }
}

TEST(Calendar, CountsOutsideTheYearsGiveNoDate) {
    for (const double count : {kNan, kInf, -kInf, DBL_MAX, Completed({1, 1, 1}).secondsCount - 1.0,
                               Completed({1, 1, 10000}).secondsCount}) {
        int dayOfYear = -1, year = -1;
        double secondsOfDay = -1.0;
        SecondsCountToDate(count, &dayOfYear, &year, &secondsOfDay);
        EXPECT_EQ(std::tie(dayOfYear, year, secondsOfDay), std::make_tuple(0, 0, 0.0)) << count;
    }
    SecondsCountToDate(0.0, nullptr, nullptr, nullptr);
}

// Wednesday 15 July 2026, 14:30:05.250, in a zone one hour east of UTC.
plat::FixedClock Clock(DWORD zoneId) {
    return {{2026, 7, 3, 15, 14, 30, 5, 250}, {-60, u"CET", {}, 0, u"CEST", {}, -60}, zoneId};
}

class LocalDateTimeTest : public ::testing::Test {
protected:
    void TearDown() override { plat::UseSystemClock(); }
};

TEST_F(LocalDateTimeTest, DaylightAndStandardTime) {
    plat::SetFixedClock(Clock(TIME_ZONE_ID_DAYLIGHT));
    LocalDateTime dt = GetLocalDateTimeCopy();
    EXPECT_EQ(std::tie(dt.year, dt.month, dt.day, dt.hour, dt.minute, dt.second, dt.millisecond),
              std::make_tuple(2026, 7, 15, 14, 30, 5, 250));
    EXPECT_EQ(std::tie(dt.weekday, dt.dayOfYear, dt.leapYear), std::make_tuple(3, 196, false));
    EXPECT_EQ(dt.secondsOfDay, 52205.25);
    EXPECT_EQ(dt.secondsCount, Completed({15, 7, 2026}, 14, 30, 5, 250).secondsCount);
    EXPECT_EQ(std::tie(dt.daylightBias, dt.bias), std::make_tuple(-60, -60));
    EXPECT_STREQ(dt.zoneName, "CEST");
    // Out of daylight saving time the stale bias is cleared; a name of 32 characters is narrowed
    // to its low bytes and cut to leave room for the terminator.
    for (const DWORD zoneId : {TIME_ZONE_ID_STANDARD, TIME_ZONE_ID_UNKNOWN}) {
        plat::FixedClock clock = Clock(zoneId);
        const std::u16string name = u"Z\u00E9\u20AC" + std::u16string(29, u'x');
        std::copy(name.begin(), name.end(), clock.zone.StandardName);
        plat::SetFixedClock(clock);
        GetLocalDateTime(&dt);
        EXPECT_EQ(std::tie(dt.daylightBias, dt.bias, dt.dayOfYear), std::make_tuple(0, -60, 196));
        EXPECT_EQ(std::string(dt.zoneName), "Z\xE9\xAC" + std::string(28, 'x'));
    }
}

}  // namespace
