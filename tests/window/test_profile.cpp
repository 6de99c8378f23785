// The profile store: round trips, a restart, other writers, removal, refused names,
// quoting, numbers, listing, and files that cannot be read.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <utility>

#include "platform/core/Drives.h"
#include "platform/window/CWinApp.h"
#include "platform/window/Profile.h"

namespace {

namespace fs = std::filesystem;

class ProfileTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() /
                  ("surveyui-profile-" +
                   std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
                   ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder_);
        fs::create_directories(folder_);
        plat::MapDrive('C', folder_.string());
    }
    void TearDown() override {
        plat::UnmapDrive('C');
        fs::remove_all(folder_);
    }

    // The file of an application's profile on this machine.
    fs::path FileOf(const char* app) const {
        return folder_ / "surveyui-profiles" / (std::string(app) + ".ini");
    }
    static std::string Contents(const fs::path& path) {
        std::ifstream in(path, std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }

    fs::path folder_;
};

TEST_F(ProfileTest, ValuesSurviveARestartOfTheApplication) {
    {
        CWinApp app("Survey Host");
        EXPECT_EQ(static_cast<int>(app.GetProfileInt("Workspace\\BasePane-1001", "IsVisible", -1)),
                  -1);
        EXPECT_TRUE(app.WriteProfileInt("Workspace\\BasePane-1001", "IsVisible", 1));
        EXPECT_TRUE(app.WriteProfileInt("Workspace\\BasePane-1002", "IsVisible", 0));
        EXPECT_TRUE(app.WriteProfileString("Frame", "Title",
                                           "Depth \xB0"
                                           "C"));
    }
    EXPECT_EQ(Contents(FileOf("Survey Host")),
              "[Workspace\\BasePane-1001]\r\nIsVisible=1\r\n"
              "[Workspace\\BasePane-1002]\r\nIsVisible=0\r\n"
              "[Frame]\r\nTitle=Depth \xB0"
              "C\r\n");

    CWinApp restarted("Survey Host");  // reads the file again
    EXPECT_EQ(restarted.GetProfileInt("Workspace\\BasePane-1001", "IsVisible", -1), 1u);
    EXPECT_EQ(restarted.GetProfileInt("workspace\\basepane-1002", "isvisible", -1), 0u);
    EXPECT_EQ(restarted.GetProfileString("Frame", "Title"),
              "Depth \xB0"
              "C");
    EXPECT_EQ(restarted.GetProfileString("Nowhere", "Missing", "fallback"), "fallback");
}

TEST_F(ProfileTest, AnotherProcessesWritesAreSeenAtOnce) {
    CWinApp app("Shared");
    EXPECT_TRUE(app.WriteProfileInt("S", "A", 1));
    // Written behind the application's back, as another process would.
    std::ofstream(FileOf("Shared"), std::ios::binary) << "[S]\r\nA=2\r\n";
    EXPECT_EQ(app.GetProfileInt("S", "A", 0), 2u);
}

TEST_F(ProfileTest, WritingChangesOnlyWhatItNames) {
    fs::create_directories(folder_ / "surveyui-profiles");
    std::ofstream(FileOf("Kept"), std::ios::binary)
        << "; the operator's notes\r\n[Pane]\r\n  Width = 200 \r\nnot an "
           "entry\r\n\r\n[Other]\r\nX=1\r\n";
    CWinApp app("Kept");
    EXPECT_EQ(app.GetProfileInt("Pane", "Width", 0), 200u);  // blanks around are trimmed
    EXPECT_TRUE(app.WriteProfileInt("pane", "HEIGHT", 50));
    EXPECT_TRUE(app.WriteProfileInt("Other", "x", 2));
    EXPECT_EQ(Contents(FileOf("Kept")),
              "; the operator's notes\r\n[Pane]\r\n  Width = 200 \r\nnot an entry\r\n\r\n"
              "HEIGHT=50\r\n[Other]\r\nX=2\r\n");

    EXPECT_TRUE(app.WriteProfileString("Pane", "Width", nullptr));  // removes the entry
    EXPECT_EQ(app.GetProfileInt("Pane", "Width", -5), static_cast<UINT>(-5));
    EXPECT_TRUE(app.WriteProfileString("Other", nullptr, nullptr));  // removes the section
    EXPECT_EQ(Contents(FileOf("Kept")),
              "; the operator's notes\r\n[Pane]\r\nnot an entry\r\n\r\nHEIGHT=50\r\n");
    // Only the profile file is left in the folder: the replacement was complete.
    EXPECT_EQ(std::distance(fs::directory_iterator(folder_ / "surveyui-profiles"),
                            fs::directory_iterator()),
              1);
}

TEST_F(ProfileTest, NamesThatCouldNotBeReadBackAreRefused) {
    CWinApp app("Strict");
    ASSERT_TRUE(app.WriteProfileInt("S", "A", 1));
    const std::string before = Contents(FileOf("Strict"));
    EXPECT_FALSE(app.WriteProfileString("S", "B", "two\r\nlines"));
    EXPECT_FALSE(app.WriteProfileString("S", "B=C", "x"));
    EXPECT_FALSE(app.WriteProfileString("S]", "B", "x"));
    EXPECT_FALSE(app.WriteProfileString("S", "Line\nBreak", "x"));
    EXPECT_FALSE(app.WriteProfileString("", "B", "x"));
    EXPECT_FALSE(app.WriteProfileString("S", "  ", "x"));
    EXPECT_FALSE(app.WriteProfileString("S", ";comment", "x"));
    EXPECT_FALSE(app.WriteProfileString(nullptr, "B", "x"));
    EXPECT_EQ(Contents(FileOf("Strict")), before);
}

TEST_F(ProfileTest, ValuesWithOuterBlanksOrQuotesReadBackAsWritten) {
    CWinApp app("Quotes");
    for (const char* value : {"\"quoted\"", "'single'", "", "a \"middle\" quote", "  padded  "}) {
        ASSERT_TRUE(app.WriteProfileString("Q", "V", value)) << value;
        EXPECT_EQ(app.GetProfileString("Q", "V", "default"), value);
    }
    EXPECT_NE(Contents(FileOf("Quotes")).find("V=\"  padded  \"\r\n"), std::string::npos);
}

TEST_F(ProfileTest, NumbersReadAsTheFrameworkReadsThem) {
    CWinApp app("Numbers");
    // Not a number reads as 0, a number with a tail as the number, empty as missing.
    for (const auto& [text, number] :
         {std::pair<const char*, int>{"-1", -1}, {"abc", 0}, {"42 knots", 42}, {"", 7}}) {
        ASSERT_TRUE(app.WriteProfileString("N", "V", text));
        EXPECT_EQ(static_cast<int>(app.GetProfileInt("N", "V", 7)), number) << text;
    }
}

TEST_F(ProfileTest, SectionsAndEntriesCanBeListed) {
    const CString file = plat::ProfileFilePath("Lists.ini");
    EXPECT_EQ(file, "C:\\surveyui-profiles\\Lists.ini");
    ASSERT_TRUE(WritePrivateProfileStringA("One", "a", "1", file));
    ASSERT_TRUE(WritePrivateProfileStringA("One", "bb", "2", file));
    ASSERT_TRUE(WritePrivateProfileStringA("Two", "c", "3", file));

    char buffer[32];
    DWORD count = GetPrivateProfileStringA(nullptr, nullptr, "", buffer, sizeof buffer, file);
    EXPECT_EQ(std::string(buffer, count + 1), std::string("One\0Two\0\0", 9));
    count = GetPrivateProfileStringA("one", nullptr, "", buffer, sizeof buffer, file);
    EXPECT_EQ(std::string(buffer, count + 1), std::string("a\0bb\0\0", 6));
    EXPECT_EQ(GetPrivateProfileStringA("One", "none", "default", buffer, 4, file), 3u);
    EXPECT_STREQ(buffer, "def");                                                // cut to fit
    EXPECT_EQ(GetPrivateProfileStringA("One", "a", "", nullptr, 0, file), 0u);  // no buffer
}

TEST_F(ProfileTest, AnUnreadableFileGivesDefaultsAndIsNotOverwritten) {
    // A folder where the file should be: it can be neither read nor replaced.
    fs::create_directories(FileOf("Blocked"));
    CWinApp app("Blocked");
    EXPECT_EQ(static_cast<int>(app.GetProfileInt("S", "A", -1)), -1);
    EXPECT_FALSE(app.WriteProfileInt("S", "A", 1));
    EXPECT_TRUE(fs::is_directory(FileOf("Blocked")));
}

TEST_F(ProfileTest, WithoutAnApplicationObjectTheProgramNamesTheProfile) {
    CWinApp* app = AfxGetApp();
    ASSERT_NE(app, nullptr);
    EXPECT_STREQ(app->m_pszAppName, "window_tests");
    EXPECT_TRUE(app->WriteProfileInt("S", "A", 5));
    EXPECT_TRUE(fs::exists(FileOf("window_tests")));
}

}  // namespace
