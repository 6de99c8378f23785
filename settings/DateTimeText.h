#pragma once
// Dates and times as text in the operator's Date Mode and Time Mode, the library's own
// calendar arithmetic and running seconds count, the local date-and-time record, and the
// parsing of a time typed as a run of digits.

#include <ctime>

#include "platform/core/CString.h"

struct LocalDateTime {
    int hour;
    int minute;
    int second;
    int millisecond;
    double secondsOfDay;
    int day;
    int month;
    int year;
    int weekday;    // 1 Monday .. 7 Sunday
    int dayOfYear;  // 1..366
    bool leapYear;
    int daylightBias;  // the zone's daylight bias (-60) in daylight saving time, else 0
    int bias;          // minutes, as the operating system reports it
    char zoneName[32];
    double secondsCount;  // seconds of local time from 2000-01-02 00:00:00
};

// The calendar tables, describing the year last given to IsLeapYear: month lengths for
// months 1..12 (index 0 unused) and the days before the first of months 1..13.
SUI_API extern int MonthLengths[13];
SUI_API extern int CumulativeDays[14];

SUI_API int ReadDateMode();
SUI_API int ReadTimeMode();

SUI_API CString FormatDateTm(const std::tm& date, int dateMode);
SUI_API CString FormatDate(int day, int month, int year, int dateMode);
SUI_API CString FormatTime(int hours, int minutes, int seconds, int milliseconds, int timeMode);
SUI_API CString FormatTimeOfDay(double seconds, int timeMode);
SUI_API double ParseTimeDigits(const char* digits);

SUI_API bool IsLeapYear(int year);
// Fills leapYear, dayOfYear, weekday, secondsOfDay and secondsCount from the date and time.
// An invalid day or month sets day, month, dayOfYear and weekday to 0 (secondsCount then
// counts from the day before 1 January).
SUI_API void CompleteDateTime(LocalDateTime* dateTime);
SUI_API void GetLocalDateTime(LocalDateTime* dateTime);
SUI_API int GetToday(int* year);
SUI_API LocalDateTime GetLocalDateTimeCopy();
// The inverse of secondsCount; any out-pointer may be null. A count outside the years
// 1..9999 (or NaN) gives 0 for all three.
SUI_API void SecondsCountToDate(double secondsCount, int* dayOfYear, int* year,
                                double* secondsOfDay);
// Day and month of a day of year, from the calendar tables after IsLeapYear(year); a day
// outside the year gives 0 for both.
SUI_API void DayOfYearToDate(int dayOfYear, int year, int* day, int* month);
