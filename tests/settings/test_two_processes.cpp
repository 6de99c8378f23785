// Two programs sharing one settings folder: a change by one is seen at the other's next
// call, a file one of them is writing is closed to the other and keeps its old content
// until closed, and a write that cannot be completed (a folder without write permission,
// a full disk) leaves the old file. A file read before and unchanged since is served from
// memory, and reads exactly as the file itself. ctest runs these twice: with the folder
// watch, and with SETTINGS_TESTS_STAT_CHECK set on the stat check alone.

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <utility>

#include "settings/SettingsCache.h"
#include "surveyui.h"
#include "tests/settings/ChildProcess.h"
#include "tests/settings/SettingsTestSupport.h"

namespace fs = std::filesystem;

namespace {

// Set before any test reads a setting, so that no watch has been opened yet.
[[maybe_unused]] const bool statCheckOnly = [] {
    const bool only = std::getenv("SETTINGS_TESTS_STAT_CHECK") != nullptr;
    if (only) {
        settings_cache::UseFolderWatch(false);
    }
    return only;
}();

using TwoProcessesTest = SettingsTest;

// Files changed within the current tick of the file-stamp clock are read from disk every
// time; after this they may be kept.
void LetTheFilesSettle() {
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
}

// Everything a reader can take from the "Values" file, in one text.
std::string ReadValues() {
    CConfigFile file;
    if (!file.OpenForRead("Values")) {
        return "<not opened>";
    }
    // One read per statement: the order of the reads is the test.
    std::string read = std::to_string(file.ReadInt(-1)) + "|";
    read += file.ReadText().str() + "|";
    CString name;
    CStringArray lines;
    while (!file.ReadSection(name, lines).IsEmpty()) {
        read += "[" + name.str() + "]";
        for (int i = 0; i < lines.GetSize(); ++i) {
            read += lines[i].str() + ";";
        }
    }
    read += std::to_string(file.ReadInt(-1)) + "|";
    read += file.ReadChar('?');
    read += "|" + std::to_string(file.ReadInt(-1));
    return read;
}

TEST_F(TwoProcessesTest, AKeptFileReadsAsTheFileItself) {
    WriteRaw("Values.INI",
             "A = 12\r\nB = a\253CR\273b\r\n[One]\r\nx\r\n\r\n[Two]\ny\r\nC = 7\r\nD = Q");
    const std::string expected = "12|a\rb|[One]x;;[Two]y;7|Q|-1";
    EXPECT_EQ(ReadValues(), expected);  // from disk: the file has only just been written
    LetTheFilesSettle();
    for (int round = 0; round < 3; ++round) {
        EXPECT_EQ(ReadValues(), expected) << round;  // read, then served from memory
    }
}

TEST_F(TwoProcessesTest, ARewriteInPlaceRightAfterAReadIsSeen) {
    // A program that writes straight into the file keeps its inode, and here its size; only
    // the change stamps tell the versions apart, and those may fall in one clock tick.
    for (int round = 0; round < 20; ++round) {
        WriteRaw("Decimal_Places.INI", "No Dps = " + std::to_string(round % 2) + "\r\n");
        ASSERT_EQ(ReadDecimalPlaces(), round % 2);
        WriteRaw("Decimal_Places.INI", "No Dps = " + std::to_string(2 + round % 2) + "\r\n");
        EXPECT_EQ(ReadDecimalPlaces(), 2 + round % 2) << round;
    }
    LetTheFilesSettle();
    ASSERT_EQ(ReadDecimalPlaces(), 3);
    WriteRaw("Decimal_Places.INI", "No Dps = 1\r\n");
    EXPECT_EQ(ReadDecimalPlaces(), 1);
}

TEST_F(TwoProcessesTest, AKeptFileRemovedOrItsFolderMovedReadsDefaults) {
    WriteUnitsSettings(1, 2, 0);
    LetTheFilesSettle();
    ASSERT_EQ(ReadUnitsSettings(nullptr, nullptr), 1);
    ASSERT_EQ(ReadUnitsSettings(nullptr, nullptr), 1);
    fs::remove(File("Units_Mode.INI"));
    EXPECT_EQ(ReadUnitsSettings(nullptr, nullptr), 0);

    WriteUnitsSettings(1, 2, 0);
    LetTheFilesSettle();
    ASSERT_EQ(ReadUnitsSettings(nullptr, nullptr), 1);
    fs::rename(m_settings, m_settings + ".old");
    EXPECT_EQ(ReadUnitsSettings(nullptr, nullptr), 0);
}

TEST_F(TwoProcessesTest, AFileLinkedFromElsewhereIsSeenToChangeWhereItLies) {
    // Written in place through its own folder, which is not the settings folder.
    const std::string elsewhere = m_root + "/elsewhere";
    fs::create_directories(elsewhere);
    fs::create_directories(m_settings);
    const auto writeUnits = [&](const char* name, int units) {
        std::ofstream(elsewhere + "/" + name, std::ios::trunc)
            << "Units Mode = " << units << "\r\n";
    };
    writeUnits("linked.ini", 1);
    writeUnits("named-twice.ini", 1);
    fs::create_symlink(elsewhere + "/linked.ini", File("Units_Mode.INI"));
    fs::create_hard_link(elsewhere + "/named-twice.ini", File("Decimal_Places.INI"));
    LetTheFilesSettle();
    for (int round = 0; round < 2; ++round) {  // read, then kept
        ASSERT_EQ(ReadUnitsSettings(nullptr, nullptr), 1);
        ASSERT_EQ(ReadDecimalPlaces(), 1);
    }
    writeUnits("linked.ini", 0);
    writeUnits("named-twice.ini", 2);
    EXPECT_EQ(ReadUnitsSettings(nullptr, nullptr), 0);
    EXPECT_EQ(ReadDecimalPlaces(), 2);
}

TEST_F(TwoProcessesTest, ASettingsFolderBehindALinkIsSeenToBePointedElsewhere) {
    const std::string first = m_root + "/first";
    const std::string second = m_root + "/second";
    for (const auto& [folder, units] : {std::pair{first, 1}, std::pair{second, 0}}) {
        fs::create_directories(folder);
        std::ofstream(folder + "/Units_Mode.INI") << "Units Mode = " << units << "\r\n";
    }
    fs::create_directories(m_root + "/MySettings");
    fs::create_directory_symlink(first, m_settings);
    LetTheFilesSettle();
    for (int round = 0; round < 2; ++round) {  // read, then kept
        ASSERT_EQ(ReadUnitsSettings(nullptr, nullptr), 1);
    }
    fs::create_directory_symlink(second, m_settings + ".new");
    fs::rename(m_settings + ".new", m_settings);
    EXPECT_EQ(ReadUnitsSettings(nullptr, nullptr), 0);
}

TEST_F(TwoProcessesTest, AChangeByOneIsReadByTheOthersNextCall) {
    // This process reads first, so anything it kept would be stale afterwards.
    EXPECT_EQ(ReadUnitsSettings(nullptr, nullptr), 0);
    ASSERT_EQ(RunChild(m_root, {"write-units", "1", "7", "1"}).exitCode, 0);
    EXPECT_EQ(GetDistanceFactor(), FootDefinitions[7].factor * 3.0);  // all three values

    WriteUnitsSettings(0, 1, 0);
    EXPECT_EQ(RunChild(m_root, {"read-units"}).output, "0 1 0");
}

TEST_F(TwoProcessesTest, AChangeRightAfterAReadIsSeenThoughTheSizeStaysTheSame) {
    WriteUnitsSettings(1, 2, 0);
    // Each round reads (so the lines are kept), lets the other program write a file of the
    // same size, most likely within the same second, and reads again.
    for (const int conversion : {3, 4, 5}) {
        SCOPED_TRACE(conversion);
        int read = -1;
        ASSERT_EQ(ReadUnitsSettings(&read, nullptr), 1);
        ASSERT_EQ(RunChild(m_root, {"write-units", "1", std::to_string(conversion), "0"}).exitCode,
                  0);
        EXPECT_EQ(ReadUnitsSettings(&read, nullptr), 1);
        EXPECT_EQ(read, conversion);
    }
}

TEST_F(TwoProcessesTest, AForkedCopyLeavesTheOriginalItsNewsOfChanges) {
    WriteUnitsSettings(1, 2, 0);
    ASSERT_EQ(ReadUnitsSettings(nullptr, nullptr), 1);  // kept, its folder watched
    // The copy inherits the watch's queue; its change and its read of it must not take
    // the news of the change away from the original.
    const pid_t copy = fork();
    ASSERT_GE(copy, 0);
    if (copy == 0) {
        WriteUnitsSettings(0, 1, 0);
        _exit(ReadUnitsSettings(nullptr, nullptr) == 0 ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(copy, &status, 0), copy);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    int conversion = -1;
    EXPECT_EQ(ReadUnitsSettings(&conversion, nullptr), 0);
    EXPECT_EQ(conversion, 1);
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
