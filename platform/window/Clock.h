#pragma once
// The clock that timers, double clicks and GetTickCount follow. The real clock is the
// system's monotonic clock; a test installs the test clock, which stands still until the
// test moves it (AdvanceTestClock, or RunMessagesFor, which runs the messages that fall
// due on the way).

#include <cstdint>

#include "platform/core/Export.h"

namespace plat {

class SUI_API Clock {
public:
    virtual ~Clock() = default;
    // Milliseconds since an arbitrary start, never going back.
    virtual std::uint64_t NowMs() const = 0;
    // True for a clock that moves only when told to: waiting on it would never end.
    virtual bool IsManual() const = 0;
};

SUI_API Clock& CurrentClock();
SUI_API std::uint64_t NowMs();

// Installs the test clock reading startMs (replacing any test clock before it).
SUI_API void SetTestClock(std::uint64_t startMs = 1000);
// Moves the test clock forward; nothing runs (timers simply fall due). Ignored while the
// real clock is installed.
SUI_API void AdvanceTestClock(std::uint64_t ms);
SUI_API void UseRealClock();
SUI_API bool IsTestClockInstalled();

}  // namespace plat
