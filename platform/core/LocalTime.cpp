#include "platform/core/LocalTime.h"

#include <ctime>
#include <mutex>
#include <optional>

namespace {

class ClockSource {
public:
    void Fix(const plat::FixedClock& clock) {
        const std::lock_guard lock(m_mutex);
        m_fixed = clock;
    }
    void Release() {
        const std::lock_guard lock(m_mutex);
        m_fixed.reset();
    }
    std::optional<plat::FixedClock> Fixed() {
        const std::lock_guard lock(m_mutex);
        return m_fixed;
    }

private:
    std::mutex m_mutex;
    std::optional<plat::FixedClock> m_fixed;
};

ClockSource& Clock() {
    static ClockSource clock;
    return clock;
}

SYSTEMTIME ToSystemTime(const std::tm& fields, long milliseconds) {
    SYSTEMTIME time{};
    time.wYear = static_cast<WORD>(fields.tm_year + 1900);
    time.wMonth = static_cast<WORD>(fields.tm_mon + 1);
    time.wDayOfWeek = static_cast<WORD>(fields.tm_wday);
    time.wDay = static_cast<WORD>(fields.tm_mday);
    time.wHour = static_cast<WORD>(fields.tm_hour);
    time.wMinute = static_cast<WORD>(fields.tm_min);
    time.wSecond = static_cast<WORD>(fields.tm_sec);
    time.wMilliseconds = static_cast<WORD>(milliseconds);
    return time;
}

std::tm LocalFields(std::time_t moment) {
    std::tm fields{};
    localtime_r(&moment, &fields);
    return fields;
}

long OffsetAt(std::time_t moment) {
    return LocalFields(moment).tm_gmtoff;
}

std::time_t StartOfYearUtc(int year) {
    std::tm fields{};
    fields.tm_year = year - 1900;
    fields.tm_mday = 1;
    return timegm(&fields);
}

std::time_t MidYearUtc(int year) {
    std::tm fields{};
    fields.tm_year = year - 1900;
    fields.tm_mon = 6;
    fields.tm_mday = 1;
    return timegm(&fields);
}

void CopyZoneName(const char* name, WCHAR (&target)[32]) {
    size_t i = 0;
    for (; name && name[i] != '\0' && i + 1 < std::size(target); ++i) {
        target[i] = static_cast<unsigned char>(name[i]);
    }
    target[i] = u'\0';
}

// The first moment of the year at which the UTC offset changes to `to`, as the wall-clock
// time just before it (the time the clocks show when they are put forward or back).
std::optional<SYSTEMTIME> TransitionTo(long to, int year) {
    constexpr std::time_t kDay = 24 * 60 * 60;
    const std::time_t first = StartOfYearUtc(year);
    const std::time_t last = StartOfYearUtc(year + 1);
    for (std::time_t day = first; day < last; day += kDay) {
        const long before = OffsetAt(day);
        if (before == to || OffsetAt(day + kDay) != to) {
            continue;
        }
        // The offset is `before` at `low` and `to` at `high`: narrow down to the second.
        std::time_t low = day;
        std::time_t high = day + kDay;
        while (high - low > 1) {
            const std::time_t middle = low + (high - low) / 2;
            (OffsetAt(middle) == to ? high : low) = middle;
        }
        const std::time_t wallClock = high + before;
        std::tm fields{};
        gmtime_r(&wallClock, &fields);
        return ToSystemTime(fields, 0);
    }
    return std::nullopt;
}

DWORD ZoneFromCLibrary(TIME_ZONE_INFORMATION* zone) {
    const std::time_t now = std::time(nullptr);
    const std::tm current = LocalFields(now);
    const int year = current.tm_year + 1900;
    const std::tm january = LocalFields(StartOfYearUtc(year));
    const std::tm july = LocalFields(MidYearUtc(year));
    // In the southern hemisphere daylight saving time falls in January.
    const bool julyIsStandard = july.tm_gmtoff < january.tm_gmtoff;
    const std::tm& standard = julyIsStandard ? july : january;
    const std::tm& daylight = julyIsStandard ? january : july;

    *zone = TIME_ZONE_INFORMATION{};
    zone->Bias = static_cast<LONG>(-standard.tm_gmtoff / 60);
    CopyZoneName(standard.tm_zone, zone->StandardName);
    if (standard.tm_gmtoff == daylight.tm_gmtoff) {
        CopyZoneName(standard.tm_zone, zone->DaylightName);
        return TIME_ZONE_ID_UNKNOWN;
    }
    CopyZoneName(daylight.tm_zone, zone->DaylightName);
    zone->DaylightBias = static_cast<LONG>(-(daylight.tm_gmtoff - standard.tm_gmtoff) / 60);
    zone->DaylightDate = TransitionTo(daylight.tm_gmtoff, year).value_or(SYSTEMTIME{});
    zone->StandardDate = TransitionTo(standard.tm_gmtoff, year).value_or(SYSTEMTIME{});
    return current.tm_isdst > 0 ? TIME_ZONE_ID_DAYLIGHT : TIME_ZONE_ID_STANDARD;
}

}  // namespace

void GetLocalTime(SYSTEMTIME* localTime) {
    if (!localTime) {
        return;
    }
    if (const auto fixed = Clock().Fixed()) {
        *localTime = fixed->localTime;
        return;
    }
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    *localTime = ToSystemTime(LocalFields(now.tv_sec), now.tv_nsec / 1000000);
}

DWORD GetTimeZoneInformation(TIME_ZONE_INFORMATION* zone) {
    if (!zone) {
        return TIME_ZONE_ID_INVALID;
    }
    if (const auto fixed = Clock().Fixed()) {
        *zone = fixed->zone;
        return fixed->zoneId;
    }
    return ZoneFromCLibrary(zone);
}

namespace plat {

void SetFixedClock(const FixedClock& clock) {
    Clock().Fix(clock);
}

void UseSystemClock() {
    Clock().Release();
}

}  // namespace plat
