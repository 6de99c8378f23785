#include "platform/core/Messages.h"

#include <map>
#include <mutex>
#include <string>

namespace {

constexpr UINT kFirstRegistered = 0xC000;
constexpr UINT kLastRegistered = 0xFFFF;

struct NoCaseLess {
    bool operator()(const std::string& a, const std::string& b) const {
        return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                            [](char x, char y) { return Fold(x) < Fold(y); });
    }
    static unsigned char Fold(char c) {
        const auto u = static_cast<unsigned char>(c);
        return (u >= 'A' && u <= 'Z') ? static_cast<unsigned char>(u + 32) : u;
    }
};

struct Registry {
    std::mutex lock;
    std::map<std::string, UINT, NoCaseLess> numbers;
    UINT next = kFirstRegistered;
};

// Built on first use and never destroyed, so registration works from any global
// initialiser and during unload.
Registry& TheRegistry() {
    static Registry* const registry = new Registry;
    return *registry;
}

}  // namespace

UINT RegisterWindowMessageA(const char* name) {
    if (!name || !*name) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    Registry& registry = TheRegistry();
    const std::lock_guard guard(registry.lock);
    const auto found = registry.numbers.find(name);
    if (found != registry.numbers.end()) {
        return found->second;
    }
    if (registry.next > kLastRegistered) {
        return 0;
    }
    const UINT number = registry.next++;
    registry.numbers.emplace(name, number);
    return number;
}
