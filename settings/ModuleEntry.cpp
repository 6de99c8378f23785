#include "settings/ModuleEntry.h"

#include <cstdio>
#include <cstdlib>

#include "resources/LibraryResources.h"
#include "settings/AngleText.h"
#include "settings/ConfigFile.h"
#include "settings/RegisteredMessages.h"

namespace {

// The start-up globals: every registered message and the angle format texts, made before
// the module joins the chain and before any window exists.
void MakeStartupGlobals() {
    GetSettingsUpdateMessage();
    GetPaneAdjustMessage();
    GetSetLogMessage();
    GetClickPropertyGridMessage();
    GetDateUpdateMessage();
    GetGraphConfigureMessage();
    GetDialMessage();
    GetLeftRightIndicatorMessage();
    for (int format = 0; format <= 4; ++format) {
        AngleFormatString(format);
    }
    AngleUnsignedFormatString();
    AngleUnitSymbols();
}

// The loader's part: global initialisers have run (ours are built on first use, so
// their order does not matter), then the module entry. An implicitly linked library
// that fails its entry makes the program fail to start.
__attribute__((constructor)) void LoadLibraryModule() {
    MakeStartupGlobals();
    if (!DllMain(SurveyuiInstance(), DLL_PROCESS_ATTACH, nullptr)) {
        std::fputs("libsurveyui: the module could not be initialised\n", stderr);
        std::abort();
    }
}

__attribute__((destructor)) void UnloadLibraryModule() {
    DllMain(SurveyuiInstance(), DLL_PROCESS_DETACH, nullptr);
}

}  // namespace

AFX_EXTENSION_MODULE& SurveyuiModule() {
    static AFX_EXTENSION_MODULE* const module = new AFX_EXTENSION_MODULE;
    return *module;
}

HINSTANCE SurveyuiInstance() {
    // The resources are the library's pictures and strings; the classes are those a host
    // may create by name.
    static plat::ModuleImage* const image = new plat::ModuleImage{
        "surveyui",
        SurveyuiResources(),
        {RuntimeClass<CConfigFile>()},
    };
    return image;
}

int DllMain(HINSTANCE instance, DWORD reason, LPVOID /*reserved*/) {
    switch (reason) {
        case DLL_PROCESS_ATTACH:
            if (!AfxInitExtensionModule(SurveyuiModule(), instance)) {
                return 0;
            }
            new CDynLinkLibrary(SurveyuiModule());  // the chain owns it
            return 1;
        case DLL_PROCESS_DETACH:
            AfxTermExtensionModule(SurveyuiModule());
            return 1;
        default:
            return 1;
    }
}
