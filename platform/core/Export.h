#pragma once
// Symbols a host program may call carry SUI_API; everything else in libsurveyui.so stays
// hidden. An attribute cannot be spelt by a function or template, hence the macro.
#define SUI_API __attribute__((visibility("default")))
