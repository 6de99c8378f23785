#pragma once
// Local time and time zone from the C library (localtime_r, tm_isdst, tm_gmtoff, tm_zone).
// A test may install a fixed clock that both calls then report.

#include "platform/core/WinTypes.h"

SUI_API void GetLocalTime(SYSTEMTIME* localTime);
// Fills the zone record; returns TIME_ZONE_ID_UNKNOWN for a zone without daylight saving,
// otherwise TIME_ZONE_ID_STANDARD or TIME_ZONE_ID_DAYLIGHT for the moment of the call.
SUI_API DWORD GetTimeZoneInformation(TIME_ZONE_INFORMATION* zone);

namespace plat {

struct FixedClock {
    SYSTEMTIME localTime;
    TIME_ZONE_INFORMATION zone;
    DWORD zoneId;  // what GetTimeZoneInformation returns
};

// From now on GetLocalTime and GetTimeZoneInformation report this reading.
SUI_API void SetFixedClock(const FixedClock& clock);
// Back to the C library's clock.
SUI_API void UseSystemClock();

}  // namespace plat
