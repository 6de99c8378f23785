// The library's start-up as a host sees it: the messages are registered and the module
// is on the chain before main runs.

#include <gtest/gtest.h>

#include <set>

#include "surveyui.h"

TEST(ModuleStartup, TheEightMessagesAreRegisteredDistinctAndMatchTheHostsOwn) {
    const UINT numbers[] = {GetSettingsUpdateMessage(), GetPaneAdjustMessage(),
                            GetSetLogMessage(),         GetClickPropertyGridMessage(),
                            GetDateUpdateMessage(),     GetGraphConfigureMessage(),
                            GetDialMessage(),           GetLeftRightIndicatorMessage()};
    const std::set<UINT> distinct(std::begin(numbers), std::end(numbers));
    EXPECT_EQ(distinct.size(), 8u);
    for (const UINT number : numbers) {
        EXPECT_GE(number, 0xC000u);
    }
    // A host registering the names itself gets the library's numbers.
    EXPECT_EQ(RegisterWindowMessageA("UM_SETTINGS_UPDATE-{650DFEC8-C4F4-4980-A4C3-946F165CE350}"),
              GetSettingsUpdateMessage());
    EXPECT_EQ(
        RegisterWindowMessageA("UM_LEFT_RIGHT_INDICATOR-{76AC0331-4902-473C-A9AA-00E850ADC066}"),
        GetLeftRightIndicatorMessage());
    EXPECT_EQ(RegisterWindowMessageA(kGraphConfigureName), GetGraphConfigureMessage());
}

TEST(ModuleStartup, TheLibraryIsOnTheChainAndItsClassesAreFoundByName) {
    EXPECT_TRUE(SurveyuiModule().bInitialized);
    EXPECT_EQ(SurveyuiModule().hModule, SurveyuiInstance());
    EXPECT_GE(plat::ModulesOnChain(), 1);
    EXPECT_EQ(CRuntimeClass::FromName("CConfigFile"), RuntimeClass<CConfigFile>());
    CObject* made = RuntimeClass<CConfigFile>()->CreateObject();
    ASSERT_NE(made, nullptr);
    EXPECT_TRUE(made->IsKindOf(RuntimeClass<CStdioFile>()));
    delete made;
}

TEST(ModuleStartup, DetachLeavesTheChainAndAttachRejoinsIt) {
    const int before = plat::ModulesOnChain();
    EXPECT_EQ(DllMain(SurveyuiInstance(), DLL_PROCESS_DETACH, nullptr), 1);
    EXPECT_EQ(plat::ModulesOnChain(), before - 1);
    EXPECT_EQ(CRuntimeClass::FromName("CConfigFile"), nullptr);
    EXPECT_EQ(DllMain(SurveyuiInstance(), DLL_THREAD_ATTACH, nullptr), 1);
    EXPECT_EQ(plat::ModulesOnChain(), before - 1);
    EXPECT_EQ(DllMain(SurveyuiInstance(), DLL_PROCESS_ATTACH, nullptr), 1);
    EXPECT_EQ(plat::ModulesOnChain(), before);
    EXPECT_EQ(CRuntimeClass::FromName("CConfigFile"), RuntimeClass<CConfigFile>());
}

TEST(ModuleStartup, AFailedInitialisationFailsTheEntry) {
    const int before = plat::ModulesOnChain();
    EXPECT_EQ(DllMain(nullptr, DLL_PROCESS_ATTACH, nullptr), 0);
    EXPECT_EQ(plat::ModulesOnChain(), before);
}
