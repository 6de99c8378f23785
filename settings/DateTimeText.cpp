#include "settings/DateTimeText.h"

#include <locale.h>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "platform/core/LocalTime.h"
#include "settings/ConfigFile.h"

int MonthLengths[13] = {0, 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
int CumulativeDays[14] = {0, 0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334, 365};

namespace {

constexpr int kDefaultMode = 1;
constexpr long long kSecondsPerDay = 86400;
constexpr long long kSecondsPerCommonYear = 365 * kSecondsPerDay;
// The running count takes 485 leap days off where 484 lie before 2000, which puts its zero
// at 2000-01-02 00:00:00 and 1 January 2000 at minus one day.
constexpr long long kLeapDaysAtZero = 485;
// Years a seconds count can be turned back into; beyond them a count is no date.
constexpr long long kFirstYear = 1;
constexpr long long kLastYear = 9999;

const char* const DateFormats[] = {"%d/%m/%Y", "%d %b %Y", "%d %B %Y", "%m\\%d\\%Y"};
const char* const TimeFormats[] = {"%02lld:%02lld", "%02lld:%02lld:%02lld",
                                   "%02lld:%02lld:%02lld.%03lld"};

int ReadModeSetting(const char* settingName) {
    CConfigFile file;
    if (!file.OpenForRead(settingName)) {
        return kDefaultMode;
    }
    const int mode = file.ReadInt(0);
    file.Close();
    return mode;
}

// Month names must not follow whatever locale the host set, so dates are formatted in a
// locale object of their own.
class CLocale {
public:
    CLocale() : m_locale(newlocale(LC_ALL_MASK, "C", nullptr)) {}
    ~CLocale() {
        if (m_locale != nullptr) {
            freelocale(m_locale);
        }
    }
    CLocale(const CLocale&) = delete;
    CLocale& operator=(const CLocale&) = delete;

    size_t Format(char* buffer, size_t size, const char* format, const std::tm& date) const {
        if (m_locale == nullptr) {
            return std::strftime(buffer, size, format, &date);
        }
        return strftime_l(buffer, size, format, &date, m_locale);
    }

private:
    locale_t m_locale;
};

long long FloorDiv(long long a, long long b) {
    const long long quotient = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? quotient - 1 : quotient;
}

long long FloorMod(long long a, long long b) {
    return a - FloorDiv(a, b) * b;
}

// Leap days in the years before the given one (Gregorian rule).
long long LeapDaysBefore(long long year) {
    const long long previous = year - 1;
    return FloorDiv(previous, 4) - FloorDiv(previous, 100) + FloorDiv(previous, 400);
}

// The running count at 1 January 00:00:00 of the year.
long long YearStartCount(long long year) {
    return (LeapDaysBefore(year) - kLeapDaysAtZero) * kSecondsPerDay +
           (year - 2000) * kSecondsPerCommonYear;
}

bool IsValidDayOfMonth(int day, int month) {
    return month >= 1 && month <= 12 && day >= 1 && day <= MonthLengths[month];
}

long long Magnitude(int value) {
    return std::llabs(static_cast<long long>(value));
}

}  // namespace

int ReadDateMode() {
    return ReadModeSetting("Date Mode");
}

int ReadTimeMode() {
    return ReadModeSetting("Time Mode");
}

CString FormatDateTm(const std::tm& date, int dateMode) {
    if (dateMode < 0 || dateMode > 3) {
        return CString();
    }
    // A month or day outside the calendar would print as "?" or nonsense.
    if (date.tm_mon < 0 || date.tm_mon > 11 || date.tm_mday < 1 || date.tm_mday > 31) {
        return CString();
    }
    static const CLocale cLocale;
    char buffer[128];
    const size_t length = cLocale.Format(buffer, sizeof buffer, DateFormats[dateMode], date);
    if (length == 0) {
        return CString();
    }
    return CString(buffer, static_cast<int>(length));
}

CString FormatDate(int day, int month, int year, int dateMode) {
    if (day < 1 || day > 31 || month < 1 || month > 12 || year < 1900) {
        return CString();
    }
    std::tm date{};
    date.tm_mday = day;
    date.tm_mon = month - 1;
    date.tm_year = year - 1900;
    return FormatDateTm(date, dateMode);
}

CString FormatTime(int hours, int minutes, int seconds, int milliseconds, int timeMode) {
    if (timeMode < 0 || timeMode > 2) {
        return CString();
    }
    // Milliseconds carry the sign like the other parts, so a negative fraction never
    // prints as "-" in the middle of the text.
    const bool negative = hours < 0 || minutes < 0 || seconds < 0 || milliseconds < 0;
    CString text;
    text.Format(TimeFormats[timeMode], Magnitude(hours), Magnitude(minutes), Magnitude(seconds),
                Magnitude(milliseconds));
    if (negative) {
        text.Insert(0, '-');
    }
    return text;
}

CString FormatTimeOfDay(double seconds, int timeMode) {
    // fmod keeps the sign and is exact, so t lies within one day either side of zero and
    // its whole seconds fit an int; only NaN and infinities are left out.
    const double t = std::fmod(seconds, static_cast<double>(kSecondsPerDay));
    if (!std::isfinite(t)) {
        return CString();
    }
    const int whole = static_cast<int>(t);
    const int milliseconds = static_cast<int>((t - whole) * 1000.0);
    return FormatTime(whole / 3600, whole % 3600 / 60, whole % 60, milliseconds, timeMode);
}

double ParseTimeDigits(const char* digits) {
    if (digits == nullptr) {
        return 0.0;
    }
    // The length decides the layout before anything is read, so only texts of at most
    // nine characters are converted and their number always fits.
    const size_t length = std::strlen(digits);
    if (length != 2 && length != 4 && length != 6 && length != 8 && length != 9) {
        return 0.0;
    }
    const long long n = std::strtoll(digits, nullptr, 10);
    long long hours = 0;
    long long minutes = 0;
    long long wholeSeconds = 0;
    double fraction = 0.0;
    switch (length) {
        case 2:
            hours = n;
            break;
        case 4:
            hours = n / 100;
            minutes = n % 100;
            break;
        case 6:
            hours = n / 10000;
            minutes = n % 10000 / 100;
            wholeSeconds = n % 100;
            break;
        case 8:
            hours = n / 1000000;
            minutes = n % 1000000 / 10000;
            wholeSeconds = n % 10000 / 100;
            fraction = static_cast<double>(n % 100) / 1000.0;
            break;
        default:  // HHMMSSmmm, the time property's entry with milliseconds
            hours = n / 10000000;
            minutes = n / 100000 % 100;
            wholeSeconds = n / 1000 % 100;
            fraction = static_cast<double>(n % 1000) / 1000.0;
            break;
    }
    return static_cast<double>(hours * 3600 + minutes * 60 + wholeSeconds) + fraction;
}

bool IsLeapYear(int year) {
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    MonthLengths[2] = leap ? 29 : 28;
    for (int month = 1; month <= 12; ++month) {
        CumulativeDays[month + 1] = CumulativeDays[month] + MonthLengths[month];
    }
    return leap;
}

void CompleteDateTime(LocalDateTime* dateTime) {
    if (dateTime == nullptr) {
        return;
    }
    LocalDateTime& dt = *dateTime;
    dt.leapYear = IsLeapYear(dt.year);
    const bool valid = IsValidDayOfMonth(dt.day, dt.month);
    if (!valid) {
        dt.day = 0;
        dt.month = 0;
    }
    // An invalid date becomes day 0 of its year (the table's unused entry 0 holds 0), with
    // weekday 0, which no real date has.
    dt.dayOfYear = CumulativeDays[dt.month] + dt.day;
    const long long year = dt.year;
    const long long leapDays = LeapDaysBefore(year);
    dt.weekday =
        valid ? static_cast<int>(FloorMod(365 * year - 730480 + leapDays + dt.dayOfYear, 7) + 1)
              : 0;
    dt.secondsOfDay = dt.hour * 3600.0 + dt.minute * 60.0 + dt.second + dt.millisecond / 1000.0;
    const long long dayStart = YearStartCount(year) + (dt.dayOfYear - 1) * kSecondsPerDay;
    dt.secondsCount = static_cast<double>(dayStart) + dt.secondsOfDay;
}

void GetLocalDateTime(LocalDateTime* dateTime) {
    if (dateTime == nullptr) {
        return;
    }
    LocalDateTime& dt = *dateTime;
    SYSTEMTIME now{};
    GetLocalTime(&now);
    dt.hour = now.wHour;
    dt.minute = now.wMinute;
    dt.second = now.wSecond;
    dt.millisecond = now.wMilliseconds;
    dt.day = now.wDay;
    dt.month = now.wMonth;
    dt.year = now.wYear;
    CompleteDateTime(&dt);

    TIME_ZONE_INFORMATION zone{};
    const bool daylight = GetTimeZoneInformation(&zone) == TIME_ZONE_ID_DAYLIGHT;
    // Reset outside daylight saving time: a record filled in summer and reused in winter
    // must not keep the summer bias.
    dt.daylightBias = daylight ? zone.DaylightBias : 0;
    dt.bias = zone.Bias;
    const WCHAR* name = daylight ? zone.DaylightName : zone.StandardName;
    std::memset(dt.zoneName, 0, sizeof dt.zoneName);
    for (size_t i = 0; i + 1 < sizeof dt.zoneName && name[i] != 0; ++i) {
        dt.zoneName[i] = static_cast<char>(name[i] & 0xFF);
    }
}

int GetToday(int* year) {
    const LocalDateTime now = GetLocalDateTimeCopy();
    if (year != nullptr) {
        *year = now.year;
    }
    return now.dayOfYear;
}

LocalDateTime GetLocalDateTimeCopy() {
    LocalDateTime now{};
    GetLocalDateTime(&now);
    return now;
}

void SecondsCountToDate(double secondsCount, int* dayOfYear, int* year, double* secondsOfDay) {
    int foundYear = 0;
    int foundDay = 0;
    double foundSeconds = 0.0;
    const double s = secondsCount;
    // The comparisons are false for NaN, so NaN is no date as well.
    if (s >= static_cast<double>(YearStartCount(kFirstYear)) &&
        s < static_cast<double>(YearStartCount(kLastYear + 1))) {
        // A guess from the mean Gregorian year, then the year whose start is the last one
        // not after the count: the guess is off by at most one year.
        const double meanYear = 365.2425 * kSecondsPerDay;
        long long y = 2000 + static_cast<long long>(std::floor((s + kSecondsPerDay) / meanYear));
        while (static_cast<double>(YearStartCount(y)) > s) {
            --y;
        }
        while (static_cast<double>(YearStartCount(y + 1)) <= s) {
            ++y;
        }
        const double rest = s - static_cast<double>(YearStartCount(y));
        const double days = std::floor(rest / kSecondsPerDay);
        foundYear = static_cast<int>(y);
        foundDay = static_cast<int>(days) + 1;
        foundSeconds = rest - days * kSecondsPerDay;
    }
    if (dayOfYear != nullptr) {
        *dayOfYear = foundDay;
    }
    if (year != nullptr) {
        *year = foundYear;
    }
    if (secondsOfDay != nullptr) {
        *secondsOfDay = foundSeconds;
    }
}

void DayOfYearToDate(int dayOfYear, int year, int* day, int* month) {
    const bool leap = IsLeapYear(year);
    int foundDay = 0;
    int foundMonth = 0;
    if (dayOfYear >= 1 && dayOfYear <= (leap ? 366 : 365)) {
        foundDay = dayOfYear;
        foundMonth = 1;
        while (foundDay > MonthLengths[foundMonth]) {
            foundDay -= MonthLengths[foundMonth];
            ++foundMonth;
        }
    }
    if (day != nullptr) {
        *day = foundDay;
    }
    if (month != nullptr) {
        *month = foundMonth;
    }
}
