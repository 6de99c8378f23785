#pragma once
// MessageBeep: the sound a control makes when it refuses input (a character the mask does
// not accept, a full field). Headless there is nothing to hear, so every beep is counted
// and handed to a hook: tests see a refusal, a live backend may play a sound.

#include <functional>

#include "platform/window/WinUser.h"

constexpr UINT MB_OK = 0x00000000;
constexpr UINT MB_ICONHAND = 0x00000010;
constexpr UINT MB_ICONQUESTION = 0x00000020;
constexpr UINT MB_ICONEXCLAMATION = 0x00000030;
constexpr UINT MB_ICONASTERISK = 0x00000040;

SUI_API BOOL MessageBeep(UINT uType);

namespace plat {

// Beeps since the process started (or the last reset).
SUI_API int BeepCount();
SUI_API void ResetBeepCount();
// Called with the beep's type on every MessageBeep; an empty function removes it.
SUI_API void SetBeepHook(std::function<void(UINT)> hook);

}  // namespace plat
