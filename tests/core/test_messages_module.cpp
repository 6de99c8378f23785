// Registered messages and the extension-module chain.

#include <gtest/gtest.h>

#include <array>
#include <cstddef>
#include <set>
#include <string>

#include "platform/core/ExtensionModule.h"
#include "platform/core/Messages.h"

TEST(RegisteredMessages, OneNumberPerNameInTheRegisteredRange) {
    const UINT first = RegisterWindowMessageA("TEST_MESSAGE_A-{0001}");
    const UINT second = RegisterWindowMessageA("TEST_MESSAGE_B-{0002}");
    EXPECT_GE(first, 0xC000u);
    EXPECT_LE(first, 0xFFFFu);
    EXPECT_NE(first, second);
    // Registering again, from anywhere and in any case, gives the same number.
    EXPECT_EQ(RegisterWindowMessageA("TEST_MESSAGE_A-{0001}"), first);
    EXPECT_EQ(RegisterWindowMessageA("test_message_a-{0001}"), first);
    EXPECT_EQ(RegisterWindowMessageA(std::string("TEST_MESSAGE_B-{0002}").c_str()), second);
}

TEST(RegisteredMessages, EmptyAndNullNamesAreRefused) {
    SetLastError(ERROR_SUCCESS);
    EXPECT_EQ(RegisterWindowMessageA(nullptr), 0u);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(RegisterWindowMessageA(""), 0u);
}

TEST(RegisteredMessages, NumbersStayDistinctForManyNames) {
    std::set<UINT> numbers;
    for (int i = 0; i < 500; ++i) {
        const UINT number = RegisterWindowMessageA(("MANY-" + std::to_string(i)).c_str());
        ASSERT_NE(number, 0u);
        numbers.insert(number);
    }
    EXPECT_EQ(numbers.size(), 500u);
}

namespace {

class CTestWidget : public CObject {
public:
    static const CRuntimeClass runtimeClass;
    const CRuntimeClass* GetRuntimeClass() const override { return &runtimeClass; }
};
const CRuntimeClass CTestWidget::runtimeClass =
    plat::MakeRuntimeClass<CTestWidget, CObject>("CTestWidget");

const std::array<std::byte, 3> kBlob = {std::byte{1}, std::byte{2}, std::byte{3}};
const std::array<std::byte, 1> kNewerBlob = {std::byte{9}};

}  // namespace

TEST(ExtensionModule, ModulesJoinAndLeaveTheChainNewestFirst) {
    plat::ModuleImage older{
        "older", {{500, plat::ResourceType::Data, kBlob}}, {RuntimeClass<CTestWidget>()}};
    plat::ModuleImage newer{"newer", {{500, plat::ResourceType::Data, kNewerBlob}}, {}};
    const int before = plat::ModulesOnChain();

    AFX_EXTENSION_MODULE olderState;
    AFX_EXTENSION_MODULE newerState;
    ASSERT_TRUE(AfxInitExtensionModule(olderState, &older));
    new CDynLinkLibrary(olderState);
    ASSERT_TRUE(AfxInitExtensionModule(newerState, &newer));
    new CDynLinkLibrary(newerState);
    EXPECT_EQ(plat::ModulesOnChain(), before + 2);

    // The newest module wins for a shared id; a type mismatch finds nothing.
    EXPECT_EQ(plat::FindResourceOnChain(500, plat::ResourceType::Data).size(), 1u);
    EXPECT_TRUE(plat::FindResourceOnChain(500, plat::ResourceType::Bitmap).empty());
    EXPECT_EQ(CRuntimeClass::FromName("CTestWidget"), RuntimeClass<CTestWidget>());

    AfxTermExtensionModule(newerState);
    EXPECT_FALSE(newerState.bInitialized);
    EXPECT_EQ(plat::FindResourceOnChain(500, plat::ResourceType::Data).size(), 3u);

    AfxTermExtensionModule(olderState);
    EXPECT_EQ(plat::ModulesOnChain(), before);
    EXPECT_TRUE(plat::FindResourceOnChain(500, plat::ResourceType::Data).empty());
    EXPECT_EQ(CRuntimeClass::FromName("CTestWidget"), nullptr);
    EXPECT_EQ(CRuntimeClass::FromName("CObject"), &CObject::runtimeClass);
}

TEST(ExtensionModule, ANullModuleFailsToInitialise) {
    AFX_EXTENSION_MODULE state;
    EXPECT_FALSE(AfxInitExtensionModule(state, nullptr));
    EXPECT_FALSE(state.bInitialized);
    AfxTermExtensionModule(state);  // harmless on a module that never joined
}
