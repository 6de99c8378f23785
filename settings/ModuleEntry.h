#pragma once
// The library as an extension module: its image (resources and run-time classes), its
// module entry, and the start-up and shut-down that the loader runs around it.

#include "platform/core/ExtensionModule.h"

// The library's module record, as the framework's extension-module calls see it.
SUI_API AFX_EXTENSION_MODULE& SurveyuiModule();
// The library's image: the resources and run-time classes it puts on the chain.
SUI_API HINSTANCE SurveyuiInstance();
// The module entry: process attach joins the chain (0 when that fails), detach leaves it.
SUI_API int DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved);
