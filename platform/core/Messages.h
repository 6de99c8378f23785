#pragma once
// Registered window messages: one number from 0xC000 upward per distinct name (names
// compare without regard to case), stable for the life of the process.

#include "platform/core/WinTypes.h"

// 0 for a null or empty name, or when the range 0xC000..0xFFFF is used up.
SUI_API UINT RegisterWindowMessageA(const char* name);
