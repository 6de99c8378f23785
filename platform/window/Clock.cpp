#include "platform/window/Clock.h"

#include <atomic>
#include <chrono>

#include "platform/window/WinUser.h"

namespace plat {
namespace {

class RealClock final : public Clock {
public:
    std::uint64_t NowMs() const override {
        using namespace std::chrono;
        return static_cast<std::uint64_t>(
            duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
    }
    bool IsManual() const override { return false; }
};

class TestClock final : public Clock {
public:
    std::uint64_t NowMs() const override { return now_.load(); }
    bool IsManual() const override { return true; }
    void Set(std::uint64_t ms) { now_.store(ms); }
    void Advance(std::uint64_t ms) { now_.fetch_add(ms); }

private:
    std::atomic<std::uint64_t> now_{0};
};

RealClock realClock;
TestClock testClock;
std::atomic<Clock*> current{&realClock};

}  // namespace

Clock& CurrentClock() {
    return *current.load();
}
std::uint64_t NowMs() {
    return CurrentClock().NowMs();
}

void SetTestClock(std::uint64_t startMs) {
    testClock.Set(startMs);
    current.store(&testClock);
}

void AdvanceTestClock(std::uint64_t ms) {
    if (current.load() == &testClock) {
        testClock.Advance(ms);
    }
}

void UseRealClock() {
    current.store(&realClock);
}
bool IsTestClockInstalled() {
    return current.load() == &testClock;
}

}  // namespace plat

DWORD GetTickCount() {
    return static_cast<DWORD>(plat::NowMs());
}
ULONGLONG GetTickCount64() {
    return plat::NowMs();
}
