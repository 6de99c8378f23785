// Two programs sharing one settings folder: a change by one is seen at the other's next
// call, a file one of them is writing is closed to the other and keeps its old content
// until closed, and a write that cannot be completed (a folder without write permission,
// a full disk) leaves the old file.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "surveyui.h"
#include "tests/settings/ChildProcess.h"
#include "tests/settings/SettingsTestSupport.h"

namespace fs = std::filesystem;

namespace {

using TwoProcessesTest = SettingsTest;

TEST_F(TwoProcessesTest, AChangeByOneIsReadByTheOthersNextCall) {
    // This process reads first, so anything it kept would be stale afterwards.
    EXPECT_EQ(ReadUnitsSettings(nullptr, nullptr), 0);
    ASSERT_EQ(RunChild(m_root, {"write-units", "1", "7", "1"}).exitCode, 0);
    EXPECT_EQ(GetDistanceFactor(), FootDefinitions[7].factor * 3.0);  // all three values

    WriteUnitsSettings(0, 1, 0);
    EXPECT_EQ(RunChild(m_root, {"read-units"}).output, "0 1 0");
}

TEST_F(TwoProcessesTest, WhileOneProcessWritesTheOtherReadsDefaultsAndCannotWrite) {
    WriteUnitsSettings(1, 3, 1);
    const std::string stored = ReadRaw("Units_Mode.INI");
    CConfigFile writer;
    ASSERT_TRUE(writer.OpenForWrite("Units Mode"));
    writer.WriteInt("Units Mode", 1);
    writer.Flush();  // written, but the old file stays until the writer closes

    EXPECT_EQ(RunChild(m_root, {"read-units"}).output, "0 0 0");
    EXPECT_EQ(RunChild(m_root, {"write-units", "0", "1", "0"}).exitCode, 0);
    EXPECT_EQ(ReadRaw("Units_Mode.INI"), stored);

    writer.Close();
    EXPECT_EQ(RunChild(m_root, {"read-units"}).output, "1 0 0");
}

TEST_F(TwoProcessesTest, AnUnwritableSettingsFolderKeepsItsFiles) {
    WriteUnitsSettings(1, 2, 3);
    const std::string stored = ReadRaw("Units_Mode.INI");
    // An unprivileged child may reach the settings folder but not write in it.
    fs::permissions(m_root, fs::perms(0755));
    fs::permissions(m_root + "/MySettings", fs::perms(0755));
    fs::permissions(m_settings, fs::perms(0555));
    if (RunChild(m_root, {"--unprivileged", "read-units"}).output != "1 2 3") {
        GTEST_SKIP() << "the temporary folder is out of an unprivileged user's reach";
    }

    EXPECT_EQ(RunChild(m_root, {"--unprivileged", "write-units", "0", "0", "0"}).exitCode, 0);
    EXPECT_EQ(RunChild(m_root, {"--unprivileged", "read-units"}).output, "1 2 3");
    EXPECT_EQ(ReadRaw("Units_Mode.INI"), stored);
    EXPECT_EQ(Entries(m_settings), std::set<std::string>{"Units_Mode.INI"});
}

TEST_F(TwoProcessesTest, AWriteThatCannotBeCompletedKeepsTheOldFile) {
    WriteUnitsSettings(1, 2, 3);
    const std::string stored = ReadRaw("Units_Mode.INI");
    // Nothing at all can be written, then only the first line fits.
    for (const char* limit : {"0", "20"}) {
        SCOPED_TRACE(limit);
        EXPECT_EQ(
            RunChild(m_root, {"--file-size-limit", limit, "write-units", "0", "1", "0"}).exitCode,
            0);
        EXPECT_EQ(ReadRaw("Units_Mode.INI"), stored);
        EXPECT_EQ(Entries(m_settings), std::set<std::string>{"Units_Mode.INI"});
    }
    EXPECT_EQ(RunChild(m_root, {"read-units"}).output, "1 2 3");
}

}  // namespace
