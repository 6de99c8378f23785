#include "platform/controls/MessageBeep.h"

#include <utility>

namespace plat {
namespace {

struct BeepState {
    int count = 0;
    std::function<void(UINT)> hook;
};

BeepState& State() {
    static BeepState state;
    return state;
}

}  // namespace

int BeepCount() {
    return State().count;
}

void ResetBeepCount() {
    State().count = 0;
}

void SetBeepHook(std::function<void(UINT)> hook) {
    State().hook = std::move(hook);
}

}  // namespace plat

BOOL MessageBeep(UINT uType) {
    plat::BeepState& state = plat::State();
    ++state.count;
    if (state.hook) {
        state.hook(uType);
    }
    return TRUE;
}
