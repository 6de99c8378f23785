#include <gtest/gtest.h>

#include <chrono>
#include <climits>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "surveyui.h"
#include "tests/settings/SettingsTestSupport.h"

namespace {

struct Date {
    int day;
    int month;
    int year;
};

LocalDateTime MakeDateTime(Date date, int hour = 0, int minute = 0, int second = 0,
                           int millisecond = 0) {
    LocalDateTime dt{};
    dt.day = date.day;
    dt.month = date.month;
    dt.year = date.year;
    dt.hour = hour;
    dt.minute = minute;
    dt.second = second;
    dt.millisecond = millisecond;
    return dt;
}

LocalDateTime Completed(Date date, int hour = 0, int minute = 0, int second = 0,
                        int millisecond = 0) {
    LocalDateTime dt = MakeDateTime(date, hour, minute, second, millisecond);
    CompleteDateTime(&dt);
    return dt;
}

std::string Str(const CString& text) {
    return text.str();
}

// Independent reference from the standard calendar: days from 2000-01-02, the count's
// zero, and the ISO weekday (1 Monday .. 7 Sunday).
long long ReferenceDaysFromZero(Date date) {
    using namespace std::chrono;
    const sys_days day{year{date.year} / month{static_cast<unsigned>(date.month)} /
                       std::chrono::day{static_cast<unsigned>(date.day)}};
    const sys_days zero{year{2000} / January / 2};
    return (day - zero).count();
}

int ReferenceWeekday(Date date) {
    using namespace std::chrono;
    const sys_days day{year{date.year} / month{static_cast<unsigned>(date.month)} /
                       std::chrono::day{static_cast<unsigned>(date.day)}};
    return static_cast<int>(weekday{day}.iso_encoding());
}

// Dates over 1900..2100 from a fixed seed, plus the ends of leap and common years.
std::vector<Date> SweepDates() {
    std::vector<Date> dates = {{29, 2, 2024},  {31, 12, 2024}, {29, 2, 2000},  {31, 12, 2000},
                               {1, 1, 2000},   {2, 1, 2000},   {31, 12, 1999}, {1, 1, 1900},
                               {31, 12, 1900}, {28, 2, 1900},  {1, 3, 1900},   {29, 2, 1904},
                               {31, 12, 2096}, {31, 12, 2100}, {1, 3, 2100},   {1, 1, 2001}};
    std::mt19937 random(20240229);
    std::uniform_int_distribution<int> yearPick(1900, 2100);
    std::uniform_int_distribution<int> monthPick(1, 12);
    for (int i = 0; i < 2000; ++i) {
        const int year = yearPick(random);
        const int month = monthPick(random);
        IsLeapYear(year);
        std::uniform_int_distribution<int> dayPick(1, MonthLengths[month]);
        dates.push_back({dayPick(random), month, year});
    }
    return dates;
}

}  // namespace

// ---- Date Mode and Time Mode settings ----

class DateTimeModeTest : public SettingsTest {};

TEST_F(DateTimeModeTest, MissingFilesGiveModeOne) {
    EXPECT_EQ(ReadDateMode(), 1);
    EXPECT_EQ(ReadTimeMode(), 1);
}

TEST_F(DateTimeModeTest, StoredValuesAreRead) {
    WriteRaw("Date_Mode.INI", "Month Mode = 3\r\n");
    WriteRaw("Time_Mode.INI", "Time Mode = 2\r\n");
    EXPECT_EQ(ReadDateMode(), 3);
    EXPECT_EQ(ReadTimeMode(), 2);
}

TEST_F(DateTimeModeTest, FileWithoutValueLineGivesZeroNotDefault) {
    WriteRaw("Date_Mode.INI", "Month Mode 3\r\n");
    WriteRaw("Time_Mode.INI", "");
    EXPECT_EQ(ReadDateMode(), 0);
    EXPECT_EQ(ReadTimeMode(), 0);
}

// ---- Date text ----

TEST(FormatDateTest, EveryDateMode) {
    EXPECT_EQ(Str(FormatDate(4, 12, 2026, 0)), "04/12/2026");
    EXPECT_EQ(Str(FormatDate(4, 12, 2026, 1)), "04 Dec 2026");
    EXPECT_EQ(Str(FormatDate(4, 12, 2026, 2)), "04 December 2026");
    EXPECT_EQ(Str(FormatDate(4, 12, 2026, 3)), "12\\04\\2026");
}

TEST(FormatDateTest, LeapDayAndUncheckedFebruary) {
    EXPECT_EQ(Str(FormatDate(29, 2, 2024, 0)), "29/02/2024");
    // Only 1..31 is checked here, so a day February 2023 lacks still prints.
    EXPECT_EQ(Str(FormatDate(29, 2, 2023, 0)), "29/02/2023");
    EXPECT_EQ(Str(FormatDate(31, 1, 1900, 2)), "31 January 1900");
}

TEST(FormatDateTest, InvalidDateOrModeGivesEmptyText) {
    EXPECT_EQ(Str(FormatDate(0, 1, 2024, 0)), "");
    EXPECT_EQ(Str(FormatDate(32, 1, 2024, 0)), "");
    EXPECT_EQ(Str(FormatDate(1, 0, 2024, 0)), "");
    EXPECT_EQ(Str(FormatDate(1, 13, 2024, 0)), "");
    EXPECT_EQ(Str(FormatDate(31, 12, 1899, 0)), "");
    EXPECT_EQ(Str(FormatDate(1, 1, 2024, -1)), "");
    EXPECT_EQ(Str(FormatDate(1, 1, 2024, 4)), "");
}

TEST(FormatDateTest, TmOutsideTheCalendarGivesEmptyText) {
    std::tm date{};
    date.tm_mday = 1;
    date.tm_mon = 12;
    date.tm_year = 124;
    EXPECT_EQ(Str(FormatDateTm(date, 1)), "");
    date.tm_mon = 0;
    date.tm_mday = 0;
    EXPECT_EQ(Str(FormatDateTm(date, 1)), "");
    date.tm_mday = 9;
    EXPECT_EQ(Str(FormatDateTm(date, 1)), "09 Jan 2024");
}

TEST(FormatDateTest, MonthNamesIgnoreTheProcessLocale) {
    const std::string saved = std::setlocale(LC_ALL, nullptr);
    const char* candidates[] = {"de_DE.UTF-8", "fr_FR.UTF-8", "es_ES.UTF-8", "de_DE", "fr_FR"};
    bool switched = false;
    for (const char* name : candidates) {
        if (std::setlocale(LC_ALL, name) != nullptr) {
            switched = true;
            break;
        }
    }
    if (!switched) {
        GTEST_SKIP() << "no non-English locale installed";
    }
    const std::string longText = Str(FormatDate(4, 12, 2026, 2));
    const std::string shortText = Str(FormatDate(4, 3, 2026, 1));
    std::setlocale(LC_ALL, saved.c_str());
    EXPECT_EQ(longText, "04 December 2026");
    EXPECT_EQ(shortText, "04 Mar 2026");
}

// ---- Time text ----

TEST(FormatTimeTest, EveryTimeMode) {
    EXPECT_EQ(Str(FormatTime(1, 2, 3, 45, 0)), "01:02");
    EXPECT_EQ(Str(FormatTime(1, 2, 3, 45, 1)), "01:02:03");
    EXPECT_EQ(Str(FormatTime(1, 2, 3, 45, 2)), "01:02:03.045");
    EXPECT_EQ(Str(FormatTime(123, 2, 3, 4, 1)), "123:02:03");
}

TEST(FormatTimeTest, InvalidModeGivesEmptyText) {
    EXPECT_EQ(Str(FormatTime(1, 2, 3, 4, -1)), "");
    EXPECT_EQ(Str(FormatTime(1, 2, 3, 4, 3)), "");
    EXPECT_EQ(Str(FormatTime(-1, 2, 3, 4, 3)), "");
}

TEST(FormatTimeTest, AnyNegativePartMakesTheWholeTextNegative) {
    EXPECT_EQ(Str(FormatTime(0, -5, 0, 0, 0)), "-00:05");
    EXPECT_EQ(Str(FormatTime(-1, 30, 0, 0, 1)), "-01:30:00");
    EXPECT_EQ(Str(FormatTime(0, 0, -7, 0, 0)), "-00:00");  // seconds not shown, sign is
    EXPECT_EQ(Str(FormatTime(-1, -2, -3, 4, 2)), "-01:02:03.004");
    // Negative milliseconds take the sign too instead of printing "-" mid-text.
    EXPECT_EQ(Str(FormatTime(0, 0, 0, -500, 2)), "-00:00:00.500");
    EXPECT_EQ(Str(FormatTime(INT_MIN, 0, 0, 0, 0)), "-2147483648:00");
}

TEST(FormatTimeOfDayTest, SplitsSecondsIntoParts) {
    EXPECT_EQ(Str(FormatTimeOfDay(3725.5, 2)), "01:02:05.500");
    EXPECT_EQ(Str(FormatTimeOfDay(3725.5, 1)), "01:02:05");
    EXPECT_EQ(Str(FormatTimeOfDay(3725.5, 0)), "01:02");
    EXPECT_EQ(Str(FormatTimeOfDay(0.0, 2)), "00:00:00.000");
    EXPECT_EQ(Str(FormatTimeOfDay(86399.25, 2)), "23:59:59.250");
    EXPECT_EQ(Str(FormatTimeOfDay(3725.5, 5)), "");
}

TEST(FormatTimeOfDayTest, WrapsAtOneDay) {
    EXPECT_EQ(Str(FormatTimeOfDay(90000.0, 0)), "01:00");
    EXPECT_EQ(Str(FormatTimeOfDay(86400.0, 1)), "00:00:00");
    EXPECT_EQ(Str(FormatTimeOfDay(10 * 86400.0 + 61.0, 1)), "00:01:01");
}

TEST(FormatTimeOfDayTest, NegativeSecondsKeepTheirSignOnce) {
    EXPECT_EQ(Str(FormatTimeOfDay(-3725.5, 2)), "-01:02:05.500");
    EXPECT_EQ(Str(FormatTimeOfDay(-0.5, 2)), "-00:00:00.500");
    EXPECT_EQ(Str(FormatTimeOfDay(-90000.0, 0)), "-01:00");
}

TEST(FormatTimeOfDayTest, NonFiniteAndHugeSecondsAreSafe) {
    EXPECT_EQ(Str(FormatTimeOfDay(std::numeric_limits<double>::quiet_NaN(), 2)), "");
    EXPECT_EQ(Str(FormatTimeOfDay(std::numeric_limits<double>::infinity(), 2)), "");
    EXPECT_EQ(Str(FormatTimeOfDay(-std::numeric_limits<double>::infinity(), 2)), "");
    // The largest double wraps to a time of day like any other (fmod is exact).
    const std::string huge = Str(FormatTimeOfDay(std::numeric_limits<double>::max(), 1));
    ASSERT_EQ(huge.size(), 8u);
    EXPECT_EQ(huge[2], ':');
    EXPECT_EQ(huge[5], ':');
    EXPECT_LT(huge, "24:00:00");
}

// ---- Typed times ----

TEST(ParseTimeDigitsTest, LayoutFollowsTheNumberOfDigits) {
    EXPECT_DOUBLE_EQ(ParseTimeDigits("09"), 32400.0);
    EXPECT_DOUBLE_EQ(ParseTimeDigits("0930"), 34200.0);
    EXPECT_DOUBLE_EQ(ParseTimeDigits("093015"), 34215.0);
    // Eight digits: the last pair counts as thousandths.
    EXPECT_DOUBLE_EQ(ParseTimeDigits("09301525"), 34215.025);
    // Nine digits: HHMMSS and three millisecond digits.
    EXPECT_DOUBLE_EQ(ParseTimeDigits("093015250"), 34215.25);
    EXPECT_DOUBLE_EQ(ParseTimeDigits("235959999"), 86399.999);
    EXPECT_DOUBLE_EQ(ParseTimeDigits("000000001"), 0.001);
}

TEST(ParseTimeDigitsTest, OtherLengthsGiveZero) {
    EXPECT_EQ(ParseTimeDigits("9"), 0.0);
    EXPECT_EQ(ParseTimeDigits("093"), 0.0);
    EXPECT_EQ(ParseTimeDigits("09301"), 0.0);
    EXPECT_EQ(ParseTimeDigits("0930152"), 0.0);
    EXPECT_EQ(ParseTimeDigits("0930152500"), 0.0);
    EXPECT_EQ(ParseTimeDigits(""), 0.0);
    EXPECT_EQ(ParseTimeDigits(nullptr), 0.0);
}

TEST(ParseTimeDigitsTest, ValuesAreNotRangeChecked) {
    EXPECT_DOUBLE_EQ(ParseTimeDigits("1275"), 12 * 3600.0 + 75 * 60.0);
    EXPECT_DOUBLE_EQ(ParseTimeDigits("999999999"), 99 * 3600.0 + 99 * 60.0 + 99.999);
}

TEST(ParseTimeDigitsTest, BadTextReadsItsLeadingNumber) {
    EXPECT_EQ(ParseTimeDigits("ab12"), 0.0);
    EXPECT_DOUBLE_EQ(ParseTimeDigits("12ab"), 12 * 60.0);
    EXPECT_DOUBLE_EQ(ParseTimeDigits("+930"), 34200.0);
    EXPECT_DOUBLE_EQ(ParseTimeDigits("-930"), -34200.0);
    // A long run of digits would overflow any integer; its length rules it out first.
    EXPECT_EQ(ParseTimeDigits(std::string(100000, '9').c_str()), 0.0);
}

// ---- Calendar ----

TEST(CalendarTest, LeapYearRuleRewritesTheTables) {
    EXPECT_TRUE(IsLeapYear(2024));
    EXPECT_EQ(MonthLengths[2], 29);
    EXPECT_EQ(CumulativeDays[3], 60);
    EXPECT_EQ(CumulativeDays[13], 366);
    EXPECT_FALSE(IsLeapYear(2023));
    EXPECT_EQ(MonthLengths[2], 28);
    EXPECT_EQ(CumulativeDays[3], 59);
    EXPECT_EQ(CumulativeDays[12], 334);
    EXPECT_EQ(CumulativeDays[13], 365);
    EXPECT_TRUE(IsLeapYear(2000));
    EXPECT_FALSE(IsLeapYear(1900));
    EXPECT_FALSE(IsLeapYear(2100));
    EXPECT_TRUE(IsLeapYear(0));
}

TEST(CompleteDateTimeTest, KnownDates) {
    const LocalDateTime dec2026 = Completed({4, 12, 2026});
    EXPECT_EQ(dec2026.weekday, 5);
    EXPECT_EQ(dec2026.dayOfYear, 338);
    EXPECT_FALSE(dec2026.leapYear);

    const LocalDateTime jan2000 = Completed({1, 1, 2000});
    EXPECT_EQ(jan2000.secondsCount, -86400.0);
    EXPECT_EQ(jan2000.weekday, 6);
    EXPECT_TRUE(jan2000.leapYear);
    EXPECT_EQ(Completed({2, 1, 2000}).secondsCount, 0.0);
    EXPECT_EQ(Completed({1, 1, 2001}).secondsCount, 31536000.0);

    const LocalDateTime leapDay = Completed({29, 2, 2024}, 12, 34, 56, 789);
    EXPECT_EQ(leapDay.dayOfYear, 60);
    EXPECT_DOUBLE_EQ(leapDay.secondsOfDay, 45296.789);
    EXPECT_EQ(Completed({31, 12, 2024}).dayOfYear, 366);
}

TEST(CompleteDateTimeTest, WeekdaysBefore2000StayInRange) {
    EXPECT_EQ(Completed({1, 1, 1999}).weekday, 5);
    EXPECT_EQ(Completed({1, 1, 1900}).weekday, 1);
    EXPECT_EQ(Completed({31, 12, 1899}).weekday, 7);
}

TEST(CompleteDateTimeTest, InvalidDayOrMonthIsMarkedNotRead) {
    const Date invalid[] = {{29, 2, 2023}, {31, 4, 2024},      {0, 5, 2024},
                            {32, 1, 2024}, {1, 0, 2024},       {1, 13, 2024},
                            {1, -7, 2024}, {1, INT_MAX, 2024}, {INT_MIN, 1, 2024}};
    for (const Date& date : invalid) {
        SCOPED_TRACE(testing::Message() << date.day << "/" << date.month << "/" << date.year);
        const LocalDateTime dt = Completed(date, 6);
        EXPECT_EQ(dt.day, 0);
        EXPECT_EQ(dt.month, 0);
        EXPECT_EQ(dt.dayOfYear, 0);
        EXPECT_EQ(dt.weekday, 0);
        EXPECT_EQ(dt.secondsOfDay, 6 * 3600.0);
        // Counted from the day before 1 January, so it still sorts before the year.
        EXPECT_EQ(dt.secondsCount, Completed({1, 1, date.year}, 6).secondsCount - 86400.0);
    }
}

TEST(CompleteDateTimeTest, AgreesWithTheStandardCalendarOverASweep) {
    for (const Date& date : SweepDates()) {
        SCOPED_TRACE(testing::Message() << date.day << "/" << date.month << "/" << date.year);
        const LocalDateTime dt = Completed(date, 23, 59, 59);
        ASSERT_EQ(dt.weekday, ReferenceWeekday(date));
        ASSERT_EQ(dt.secondsCount, ReferenceDaysFromZero(date) * 86400.0 + 86399.0);
    }
}

TEST(SecondsCountToDateTest, InvertsCompleteDateTimeOverASweep) {
    for (const Date& date : SweepDates()) {
        SCOPED_TRACE(testing::Message() << date.day << "/" << date.month << "/" << date.year);
        for (const int hour : {0, 12, 23}) {
            const LocalDateTime dt = Completed(date, hour, 59, 30, 500);
            int dayOfYear = -1;
            int year = -1;
            double secondsOfDay = -1.0;
            SecondsCountToDate(dt.secondsCount, &dayOfYear, &year, &secondsOfDay);
            ASSERT_EQ(year, date.year);
            ASSERT_EQ(dayOfYear, dt.dayOfYear);
            ASSERT_DOUBLE_EQ(secondsOfDay, dt.secondsOfDay);
            int day = 0;
            int month = 0;
            DayOfYearToDate(dayOfYear, year, &day, &month);
            ASSERT_EQ(day, date.day);
            ASSERT_EQ(month, date.month);
        }
    }
}

TEST(SecondsCountToDateTest, YearBoundaries) {
    int dayOfYear = 0;
    int year = 0;
    double secondsOfDay = 0.0;
    // Last second of 1999 and first of 2000 (the count is -86400 there).
    SecondsCountToDate(-86401.0, &dayOfYear, &year, &secondsOfDay);
    EXPECT_EQ(year, 1999);
    EXPECT_EQ(dayOfYear, 365);
    EXPECT_EQ(secondsOfDay, 86399.0);
    SecondsCountToDate(-86400.0, &dayOfYear, &year, &secondsOfDay);
    EXPECT_EQ(year, 2000);
    EXPECT_EQ(dayOfYear, 1);
    EXPECT_EQ(secondsOfDay, 0.0);
    SecondsCountToDate(31536000.0 - 0.5, &dayOfYear, &year, &secondsOfDay);
    EXPECT_EQ(year, 2000);
    EXPECT_EQ(dayOfYear, 366);
    EXPECT_EQ(secondsOfDay, 86399.5);
}

TEST(SecondsCountToDateTest, FarYearsStillInvert) {
    for (const Date date :
         {Date{1, 1, 1}, Date{31, 12, 9999}, Date{29, 2, 1600}, Date{1, 3, 4000}}) {
        SCOPED_TRACE(date.year);
        const LocalDateTime dt = Completed(date, 1);
        int dayOfYear = 0;
        int year = 0;
        SecondsCountToDate(dt.secondsCount, &dayOfYear, nullptr, nullptr);
        SecondsCountToDate(dt.secondsCount, nullptr, &year, nullptr);
        EXPECT_EQ(year, date.year);
        EXPECT_EQ(dayOfYear, dt.dayOfYear);
    }
}

TEST(SecondsCountToDateTest, CountsOutsideTheYearsGiveNoDate) {
    const double noDates[] = {
        std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(),
        -std::numeric_limits<double>::infinity(), std::numeric_limits<double>::max(),
        Completed({1, 1, 1}).secondsCount - 1.0,  Completed({1, 1, 10000}).secondsCount};
    for (const double count : noDates) {
        SCOPED_TRACE(count);
        int dayOfYear = -1;
        int year = -1;
        double secondsOfDay = -1.0;
        SecondsCountToDate(count, &dayOfYear, &year, &secondsOfDay);
        EXPECT_EQ(dayOfYear, 0);
        EXPECT_EQ(year, 0);
        EXPECT_EQ(secondsOfDay, 0.0);
    }
}

TEST(DayOfYearToDateTest, LeapAndCommonYears) {
    int day = 0;
    int month = 0;
    DayOfYearToDate(60, 2024, &day, &month);
    EXPECT_EQ(day, 29);
    EXPECT_EQ(month, 2);
    DayOfYearToDate(60, 2023, &day, &month);
    EXPECT_EQ(day, 1);
    EXPECT_EQ(month, 3);
    DayOfYearToDate(366, 2024, &day, &month);
    EXPECT_EQ(day, 31);
    EXPECT_EQ(month, 12);
    DayOfYearToDate(1, 2023, nullptr, &month);
    EXPECT_EQ(month, 1);
}

TEST(DayOfYearToDateTest, DaysOutsideTheYearGiveZero) {
    for (const int dayOfYear : {366, 367, 0, -1, INT_MAX, INT_MIN}) {
        SCOPED_TRACE(dayOfYear);
        int day = -1;
        int month = -1;
        DayOfYearToDate(dayOfYear, 2023, &day, &month);
        EXPECT_EQ(day, 0);
        EXPECT_EQ(month, 0);
    }
}

// ---- Local date and time from the operating system ----

class LocalDateTimeTest : public ::testing::Test {
protected:
    void TearDown() override { plat::UseSystemClock(); }

    static void SetName(WCHAR (&target)[32], const std::u16string& name) {
        for (size_t i = 0; i < 32; ++i) {
            target[i] = i < name.size() ? name[i] : u'\0';
        }
    }

    static plat::FixedClock Clock(DWORD zoneId) {
        plat::FixedClock clock{};
        clock.localTime.wYear = 2026;
        clock.localTime.wMonth = 7;
        clock.localTime.wDay = 15;
        clock.localTime.wDayOfWeek = 3;
        clock.localTime.wHour = 14;
        clock.localTime.wMinute = 30;
        clock.localTime.wSecond = 5;
        clock.localTime.wMilliseconds = 250;
        clock.zone.Bias = -60;
        clock.zone.StandardBias = 0;
        clock.zone.DaylightBias = -60;
        SetName(clock.zone.StandardName, u"CET");
        SetName(clock.zone.DaylightName, u"CEST");
        clock.zoneId = zoneId;
        return clock;
    }
};

TEST_F(LocalDateTimeTest, DaylightSavingTime) {
    plat::SetFixedClock(Clock(TIME_ZONE_ID_DAYLIGHT));
    LocalDateTime dt{};
    GetLocalDateTime(&dt);
    EXPECT_EQ(dt.year, 2026);
    EXPECT_EQ(dt.month, 7);
    EXPECT_EQ(dt.day, 15);
    EXPECT_EQ(dt.hour, 14);
    EXPECT_EQ(dt.minute, 30);
    EXPECT_EQ(dt.second, 5);
    EXPECT_EQ(dt.millisecond, 250);
    EXPECT_EQ(dt.weekday, 3);
    EXPECT_EQ(dt.dayOfYear, 196);
    EXPECT_FALSE(dt.leapYear);
    EXPECT_DOUBLE_EQ(dt.secondsOfDay, 52205.25);
    EXPECT_EQ(dt.secondsCount, Completed({15, 7, 2026}, 14, 30, 5, 250).secondsCount);
    EXPECT_EQ(dt.daylightBias, -60);
    EXPECT_EQ(dt.bias, -60);
    EXPECT_STREQ(dt.zoneName, "CEST");
}

TEST_F(LocalDateTimeTest, StandardTimeClearsAStaleDaylightBias) {
    plat::SetFixedClock(Clock(TIME_ZONE_ID_STANDARD));
    LocalDateTime dt{};
    dt.daylightBias = -60;
    std::snprintf(dt.zoneName, sizeof dt.zoneName, "%s", "A much longer old name");
    GetLocalDateTime(&dt);
    EXPECT_EQ(dt.daylightBias, 0);
    EXPECT_EQ(dt.bias, -60);
    EXPECT_STREQ(dt.zoneName, "CET");
    for (size_t i = 3; i < sizeof dt.zoneName; ++i) {
        EXPECT_EQ(dt.zoneName[i], '\0') << i;
    }
}

TEST_F(LocalDateTimeTest, ZoneWithoutDaylightSavingUsesTheStandardName) {
    plat::SetFixedClock(Clock(TIME_ZONE_ID_UNKNOWN));
    const LocalDateTime dt = GetLocalDateTimeCopy();
    EXPECT_EQ(dt.daylightBias, 0);
    EXPECT_STREQ(dt.zoneName, "CET");
    EXPECT_EQ(dt.dayOfYear, 196);
}

TEST_F(LocalDateTimeTest, ZoneNameIsNarrowedAndAlwaysTerminated) {
    plat::FixedClock clock = Clock(TIME_ZONE_ID_STANDARD);
    SetName(clock.zone.StandardName, u"Z\u00E9\u20AC" + std::u16string(29, u'x'));
    plat::SetFixedClock(clock);
    const LocalDateTime dt = GetLocalDateTimeCopy();
    const std::string name = dt.zoneName;
    ASSERT_EQ(name.size(), 31u);
    EXPECT_EQ(name[0], 'Z');
    EXPECT_EQ(static_cast<unsigned char>(name[1]), 0xE9);
    EXPECT_EQ(static_cast<unsigned char>(name[2]), 0xAC);  // low byte of U+20AC
    EXPECT_EQ(name.substr(3), std::string(28, 'x'));
}

TEST_F(LocalDateTimeTest, TodayIsTheDayOfYear) {
    plat::FixedClock clock = Clock(TIME_ZONE_ID_STANDARD);
    clock.localTime.wYear = 2024;
    clock.localTime.wMonth = 12;
    clock.localTime.wDay = 31;
    plat::SetFixedClock(clock);
    int year = 0;
    EXPECT_EQ(GetToday(&year), 366);
    EXPECT_EQ(year, 2024);
    EXPECT_EQ(GetToday(nullptr), 366);
}
