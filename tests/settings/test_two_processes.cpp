// Two programs sharing one settings folder: a change by one is seen at the other's next
// call, a file one of them is writing is closed to the other, and a write that cannot be
// completed (a folder without write permission, a full disk) leaves the old file.

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>

#include "surveyui.h"
#include "tests/settings/ChildProcess.h"
#include "tests/settings/SettingsTestSupport.h"

namespace fs = std::filesystem;

namespace {

std::set<std::string> Entries(const std::string& folder) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        names.insert(entry.path().filename().string());
    }
    return names;
}

class TwoProcessesTest : public SettingsTest {
protected:
    ChildResult Run(const std::vector<std::string>& arguments) const {
        return RunChild(m_root, arguments);
    }

    // Lets an unprivileged child reach the settings folder but not write in it.
    void MakeSettingsFolderReadOnly() const {
        fs::permissions(m_root, fs::perms::owner_all | fs::perms::group_read |
                                    fs::perms::group_exec | fs::perms::others_read |
                                    fs::perms::others_exec);
        fs::permissions(m_root + "/MySettings", fs::perms::owner_all | fs::perms::group_read |
                                                    fs::perms::group_exec | fs::perms::others_read |
                                                    fs::perms::others_exec);
        fs::permissions(m_settings, fs::perms::owner_read | fs::perms::owner_exec |
                                        fs::perms::group_read | fs::perms::group_exec |
                                        fs::perms::others_read | fs::perms::others_exec);
    }
};

TEST_F(TwoProcessesTest, AChangeByOneIsReadByTheOthersNextCall) {
    // This process reads first, so anything it kept would be stale afterwards.
    EXPECT_EQ(ReadUnitsSettings(nullptr, nullptr), 0);
    EXPECT_EQ(Run({"folder"}).output, GetSettingsFolder().str());

    ASSERT_EQ(Run({"write-units", "1", "7", "2"}).exitCode, 0);
    int conversion = 0;
    int imperial = 0;
    EXPECT_EQ(ReadUnitsSettings(&conversion, &imperial), 1);
    EXPECT_EQ(conversion, 7);
    EXPECT_EQ(imperial, 2);

    EXPECT_EQ(Run({"read-units"}).output, "1 7 2");
    WriteUnitsSettings(0, 1, 0);
    EXPECT_EQ(Run({"read-units"}).output, "0 1 0");
}

TEST_F(TwoProcessesTest, WhileAnotherProcessWritesReadsGiveDefaultsAndWritesAreSkipped) {
    WriteUnitsSettings(1, 3, 1);
    const std::string stored = ReadRaw("Units_Mode.INI");

    ChildProcess child(m_root, {"hold-write", "Units Mode", "0", "2", "0"});
    ASSERT_EQ(child.ReadLine(), "ready");
    int conversion = -1;
    EXPECT_EQ(ReadUnitsSettings(&conversion, nullptr), 0);
    EXPECT_EQ(conversion, 0);
    EXPECT_EQ(GetDistanceFactor(), 1.0);
    WriteUnitsSettings(1, 5, 3);
    SetImperialMode(2);
    EXPECT_EQ(ReadRaw("Units_Mode.INI"), stored);

    child.WriteLine("commit");
    EXPECT_EQ(child.Wait(), 0);
    EXPECT_EQ(ReadRaw("Units_Mode.INI"), "Value = 0\r\nValue = 2\r\nValue = 0\r\n");
    EXPECT_EQ(ReadUnitsSettings(&conversion, nullptr), 0);
    EXPECT_EQ(conversion, 2);
}

TEST_F(TwoProcessesTest, WhileThisProcessWritesTheOtherGetsDefaultsAndCannotWrite) {
    WriteTensionMode(1);
    CConfigFile writer;
    ASSERT_TRUE(writer.OpenForWrite("Tension Mode"));
    writer.WriteInt("Tension Mode", 2);

    EXPECT_EQ(Run({"read-tension"}).output, "0");
    EXPECT_EQ(Run({"write-tension", "0"}).exitCode, 0);
    EXPECT_EQ(ReadRaw("Tension_Mode.INI"), "Tension Mode = 1\r\n");

    writer.Close();
    EXPECT_EQ(Run({"read-tension"}).output, "2");
}

TEST_F(TwoProcessesTest, WhileAnotherProcessReadsReadingWorksAndWritingWaits) {
    WriteTensionMode(1);
    ChildProcess child(m_root, {"hold-read", "Tension Mode"});
    ASSERT_EQ(child.ReadLine(), "ready");
    EXPECT_EQ(ReadTensionMode(), 1);
    WriteTensionMode(2);
    EXPECT_EQ(ReadRaw("Tension_Mode.INI"), "Tension Mode = 1\r\n");

    child.WriteLine("done");
    EXPECT_EQ(child.Wait(), 0);
    WriteTensionMode(2);
    EXPECT_EQ(ReadTensionMode(), 2);
}

TEST_F(TwoProcessesTest, AWriterThatDiesLeavesTheOldFileAndNoLock) {
    WriteTensionMode(1);
    ChildProcess child(m_root, {"hold-write", "Tension Mode", "2"});
    ASSERT_EQ(child.ReadLine(), "ready");
    child.Kill();

    EXPECT_EQ(ReadRaw("Tension_Mode.INI"), "Tension Mode = 1\r\n");
    EXPECT_EQ(ReadTensionMode(), 1);
    WriteTensionMode(2);
    EXPECT_EQ(ReadTensionMode(), 2);
}

TEST_F(TwoProcessesTest, AnUnwritableSettingsFolderKeepsItsFiles) {
    WriteTensionMode(1);
    WriteUnitsSettings(1, 2, 3);
    const auto files = Entries(m_settings);
    MakeSettingsFolderReadOnly();
    if (Run({"--unprivileged", "read-tension"}).output != "1") {
        GTEST_SKIP() << "the temporary folder is out of an unprivileged user's reach";
    }

    EXPECT_EQ(Run({"--unprivileged", "write-tension", "2"}).exitCode, 0);
    EXPECT_EQ(Run({"--unprivileged", "write-units", "0", "0", "0"}).exitCode, 0);
    EXPECT_EQ(Run({"--unprivileged", "read-tension"}).output, "1");
    EXPECT_EQ(Run({"--unprivileged", "read-units"}).output, "1 2 3");
    EXPECT_EQ(ReadRaw("Tension_Mode.INI"), "Tension Mode = 1\r\n");
    EXPECT_EQ(Entries(m_settings), files);
}

TEST_F(TwoProcessesTest, AWriteThatCannotBeCompletedKeepsTheOldFile) {
    WriteUnitsSettings(1, 2, 3);
    const std::string stored = ReadRaw("Units_Mode.INI");

    // Nothing at all can be written, then only the first line fits.
    for (const char* limit : {"0", "20"}) {
        SCOPED_TRACE(limit);
        const ChildResult result = Run({"--file-size-limit", limit, "write-units", "0", "1", "0"});
        EXPECT_EQ(result.exitCode, 0);
        EXPECT_EQ(ReadRaw("Units_Mode.INI"), stored);
        EXPECT_EQ(Entries(m_settings), std::set<std::string>{"Units_Mode.INI"});
    }
    EXPECT_EQ(Run({"read-units"}).output, "1 2 3");
}

TEST_F(TwoProcessesTest, AFixedDThatCannotTakeTheFolderIsPassedOverForC) {
    const std::string d = m_root + "/drive_d";
    fs::create_directories(d);
    fs::permissions(m_root, fs::perms::all);
    fs::permissions(d, fs::perms::owner_read | fs::perms::owner_exec | fs::perms::others_read |
                           fs::perms::others_exec);

    EXPECT_EQ(Run({"--unprivileged", "--map-d", d, "find-root"}).output, "1 C:\\MySettings\\");
    EXPECT_FALSE(fs::exists(d + "/MySettings"));
    EXPECT_TRUE(fs::is_directory(m_root + "/MySettings"));
}

}  // namespace
