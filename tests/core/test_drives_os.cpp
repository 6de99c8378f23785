#include <fcntl.h>
#include <grp.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "platform/core/Drives.h"
#include "platform/core/OsServices.h"

extern char** environ;

namespace fs = std::filesystem;

namespace {

std::string MakeTempFolder() {
    std::string pattern = (fs::temp_directory_path() / "surveyui-drives-XXXXXX").string();
    return mkdtemp(pattern.data()) ? pattern : std::string();
}

// Sets an environment variable for the lifetime of the object, then restores it.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value) : m_name(name) {
        if (const char* old = std::getenv(name)) {
            m_old = old;
        }
        if (value) {
            setenv(name, value, 1);
        } else {
            unsetenv(name);
        }
    }
    ~ScopedEnv() {
        if (m_old) {
            setenv(m_name.c_str(), m_old->c_str(), 1);
        } else {
            unsetenv(m_name.c_str());
        }
    }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    std::string m_name;
    std::optional<std::string> m_old;
};

class DriveCTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_root = MakeTempFolder();
        ASSERT_FALSE(m_root.empty());
        plat::MapDrive('C', m_root);
        plat::UnmapDrive('Q');
    }
    void TearDown() override {
        plat::UnmapDrive('C');
        std::error_code ignored;
        fs::remove_all(m_root, ignored);
    }
    std::string m_root;
};

struct Split {
    std::string drive, dir, fname, ext;
    bool operator==(const Split&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Split& s) {
    return out << '[' << s.drive << "][" << s.dir << "][" << s.fname << "][" << s.ext << ']';
}

Split SplitAll(const char* path) {
    char drive[_MAX_DRIVE], dir[_MAX_DIR], fname[_MAX_FNAME], ext[_MAX_EXT];
    EXPECT_EQ(_splitpath_s(path, drive, sizeof drive, dir, sizeof dir, fname, sizeof fname, ext,
                           sizeof ext),
              0);
    return {drive, dir, fname, ext};
}

}  // namespace

// --- Drive table ------------------------------------------------------------------------

TEST(DriveTable, MappedLettersReportTheirFolderAndType) {
    plat::MapDrive('d', "/srv/survey/d/");
    plat::MapDrive('E', "/media/stick", DRIVE_REMOVABLE);
    EXPECT_EQ(plat::DriveFolder('D'), "/srv/survey/d");
    EXPECT_EQ(plat::DriveFolder('e'), "/media/stick");
    for (const char* root : {"D:", "D:\\", "d:/", "d:\\"}) {
        EXPECT_EQ(GetDriveTypeA(root), DRIVE_FIXED) << root;
    }
    EXPECT_EQ(GetDriveTypeA("E:\\"), DRIVE_REMOVABLE);

    plat::UnmapDrive('e');
    EXPECT_EQ(plat::DriveFolder('E'), std::nullopt);
    EXPECT_EQ(GetDriveTypeA("E:\\"), DRIVE_NO_ROOT_DIR);
    for (const char* malformed : {"D", "", "D:\\x", "DD:\\", "D:\\\\", "1:\\", ":\\"}) {
        EXPECT_EQ(GetDriveTypeA(malformed), DRIVE_NO_ROOT_DIR) << malformed;
    }
    plat::UnmapDrive('D');
    EXPECT_EQ(GetDriveTypeA("D:"), DRIVE_NO_ROOT_DIR);
}

TEST(DriveTable, WindowsPathsBecomeHostPathsBelowTheDriveFolder) {
    plat::MapDrive('D', "/srv/d");
    plat::MapDrive('R', "/");
    plat::UnmapDrive('E');
    const std::pair<const char*, std::optional<std::string>> cases[] = {
        {"D:\\MySettings\\App\\Units_Mode.INI", "/srv/d/MySettings/App/Units_Mode.INI"},
        {"d:/MySettings/App/", "/srv/d/MySettings/App/"},
        {"D:\\MySettings\\", "/srv/d/MySettings/"},
        {"D:\\", "/srv/d"},
        {"D:", "/srv/d"},
        {"D:\\a\\.\\b", "/srv/d/a/b"},
        // Like Windows, ".." stops at the drive root: nothing outside the folder is reached.
        {"D:\\a\\..\\..\\..\\etc\\passwd", "/srv/d/etc/passwd"},
        {"R:\\etc", "/etc"},
        {"relative\\Units_Mode.INI", "relative/Units_Mode.INI"},
        {"/tmp/plain/path", "/tmp/plain/path"},
        {"E:\\MySettings", std::nullopt},
        {nullptr, std::nullopt},
    };
    for (const auto& [windows, host] : cases) {
        EXPECT_EQ(plat::ToHostPath(windows), host) << (windows ? windows : "(null)");
    }
    plat::UnmapDrive('D');
    plat::UnmapDrive('R');
}

TEST(DriveTable, DefaultDriveCLivesInTheUsersDataFolder) {
    const std::string home = MakeTempFolder();
    ASSERT_FALSE(home.empty());
    plat::UnmapDrive('C');
    {
        const ScopedEnv xdg("XDG_DATA_HOME", (home + "/xdg").c_str());
        EXPECT_EQ(plat::DriveFolder('C'), home + "/xdg/surveyui/drive_c");
        EXPECT_TRUE(fs::is_directory(home + "/xdg/surveyui/drive_c"));
        EXPECT_EQ(GetDriveTypeA("C:\\"), DRIVE_FIXED);
        EXPECT_EQ(plat::ToHostPath("C:\\MySettings"), home + "/xdg/surveyui/drive_c/MySettings");
    }
    {
        const ScopedEnv relative("XDG_DATA_HOME", "not/absolute");
        const ScopedEnv homeVar("HOME", home.c_str());
        EXPECT_EQ(plat::DriveFolder('C'), home + "/.local/share/surveyui/drive_c");
        EXPECT_TRUE(fs::is_directory(home + "/.local/share/surveyui/drive_c"));
    }
    plat::MapDrive('C', home + "/mapped");
    EXPECT_EQ(plat::DriveFolder('C'), home + "/mapped");
    plat::UnmapDrive('C');
    fs::remove_all(home);
}

// --- Folders and file existence ---------------------------------------------------------

TEST_F(DriveCTest, CreateDirectoryReportsTheWin32ErrorCodes) {
    EXPECT_TRUE(CreateDirectoryA("C:\\MySettings", nullptr));
    EXPECT_TRUE(fs::is_directory(m_root + "/MySettings"));
    EXPECT_TRUE(CreateDirectoryA("C:\\MySettings\\SurveyTest\\", nullptr));
    EXPECT_TRUE(fs::is_directory(m_root + "/MySettings/SurveyTest"));
    std::ofstream(m_root + "/file.txt") << "x";

    struct Case {
        const char* path;
        DWORD error;
    };
    const Case failures[] = {
        {"C:\\MySettings", ERROR_ALREADY_EXISTS},
        {"C:\\MySettings\\", ERROR_ALREADY_EXISTS},
        {"C:\\file.txt", ERROR_ALREADY_EXISTS},
        {"C:\\Missing\\Child", ERROR_PATH_NOT_FOUND},
        {"C:\\file.txt\\Child", ERROR_PATH_NOT_FOUND},
        {"C:\\", ERROR_ACCESS_DENIED},
        {"C:", ERROR_ACCESS_DENIED},
        {"C:\\MySettings\\..", ERROR_ACCESS_DENIED},
        {"Q:\\", ERROR_PATH_NOT_FOUND},
        {"Q:\\MySettings", ERROR_PATH_NOT_FOUND},
    };
    for (const Case& c : failures) {
        SetLastError(0);
        EXPECT_FALSE(CreateDirectoryA(c.path, nullptr)) << c.path;
        EXPECT_EQ(GetLastError(), c.error) << c.path;
    }
    EXPECT_FALSE(fs::exists(m_root + "/Missing"));
}

// Root may write anywhere; then the check runs as "nobody" in a child process.
TEST_F(DriveCTest, CreateDirectoryInAFolderWeMayNotWriteIsAccessDenied) {
    constexpr uid_t kNobody = 65534;
    const std::string locked = m_root + "/locked";
    fs::create_directory(locked);
    if (geteuid() == 0) {
        ASSERT_EQ(chown(m_root.c_str(), kNobody, kNobody), 0);
        ASSERT_EQ(chown(locked.c_str(), kNobody, kNobody), 0);
    }
    std::fflush(nullptr);
    const pid_t pid = fork();
    if (pid == 0) {
        if (geteuid() == 0 &&
            (setgroups(0, nullptr) != 0 || setgid(kNobody) != 0 || setuid(kNobody) != 0)) {
            _exit(77);
        }
        if (chmod(locked.c_str(), 0555) != 0 || access(locked.c_str(), W_OK) == 0) {
            _exit(77);
        }
        SetLastError(0);
        const BOOL created = CreateDirectoryA("C:\\locked\\sub", nullptr);
        _exit(!created && GetLastError() == ERROR_ACCESS_DENIED ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(pid, &status, 0), pid);
    chmod(locked.c_str(), 0755);
    ASSERT_TRUE(WIFEXITED(status));
    if (WEXITSTATUS(status) == 77) {
        GTEST_SKIP() << "cannot drop privileges here";
    }
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_FALSE(fs::exists(locked + "/sub"));
}

TEST_F(DriveCTest, AccessChecksExistenceAndPermissions) {
    fs::create_directory(m_root + "/MySettings");
    std::ofstream(m_root + "/MySettings/Units_Mode.INI") << "x";
    for (const int mode : {0, 2, 4, 6}) {
        EXPECT_EQ(_access("C:\\MySettings\\Units_Mode.INI", mode), 0) << mode;
    }
    EXPECT_EQ(_access("C:\\MySettings\\", 0), 0);
    EXPECT_EQ(_access((m_root + "/MySettings").c_str(), 0), 0);

    errno = 0;
    EXPECT_EQ(_access("C:\\MySettings\\Missing.INI", 0), -1);
    EXPECT_EQ(errno, ENOENT);
    errno = 0;
    EXPECT_EQ(_access("Q:\\MySettings\\", 0), -1);
    EXPECT_EQ(errno, ENOENT);
    for (const int mode : {1, 3, 8, -2}) {
        errno = 0;
        EXPECT_EQ(_access("C:\\MySettings", mode), -1) << mode;
        EXPECT_EQ(errno, EINVAL);
    }

    fs::permissions(m_root + "/MySettings/Units_Mode.INI", fs::perms::owner_read);
    if (geteuid() != 0) {
        EXPECT_EQ(_access("C:\\MySettings\\Units_Mode.INI", 2), -1);
        EXPECT_EQ(_access("C:\\MySettings\\Units_Mode.INI", 6), -1);
    }
    EXPECT_EQ(_access("C:\\MySettings\\Units_Mode.INI", 4), 0);
}

// --- Path splitting ---------------------------------------------------------------------

TEST(SplitPath, FollowsTheRuntimesRules) {
    const std::pair<const char*, Split> cases[] = {
        {"C:\\MySettings\\App\\Units_Mode.INI",
         {"C:", "\\MySettings\\App\\", "Units_Mode", ".INI"}},
        // A command line with its quotes removed: the argument belongs to the extension...
        {"C:\\Program Files\\App.exe arg", {"C:", "\\Program Files\\", "App", ".exe arg"}},
        // ...and an argument holding a backslash moves the file name into the argument.
        {"C:\\Programs\\App.exe C:\\data\\run1",
         {"C:", "\\Programs\\App.exe C:\\data\\", "run1", ""}},
        {"C:/mixed\\separators/f.txt", {"C:", "/mixed\\separators/", "f", ".txt"}},
        {"/usr/bin/core_tests --flag", {"", "/usr/bin/", "core_tests --flag", ""}},
        {"folder.d\\name", {"", "folder.d\\", "name", ""}},
        {"name.tar.gz", {"", "", "name.tar", ".gz"}},
        {".hidden", {"", "", "", ".hidden"}},
        {"trailing.", {"", "", "trailing", "."}},
        {"folder/", {"", "folder/", "", ""}},
        {"x:", {"x:", "", "", ""}},
        {"", {"", "", "", ""}},
    };
    for (const auto& [path, expected] : cases) {
        EXPECT_EQ(SplitAll(path), expected) << path;
    }
}

TEST(SplitPath, ATooSmallBufferEmptiesEveryOutput) {
    char drive[_MAX_DRIVE] = "XX";
    char dir[_MAX_DIR] = "junk";
    char fname[5] = "junk";
    char ext[_MAX_EXT] = "junk";
    EXPECT_EQ(_splitpath_s("C:\\dir\\name.ext", drive, sizeof drive, dir, sizeof dir, fname,
                           sizeof fname, ext, sizeof ext),
              0);
    EXPECT_STREQ(fname, "name");  // exactly fits with its terminator

    EXPECT_EQ(_splitpath_s("C:\\dir\\names.ext", drive, sizeof drive, dir, sizeof dir, fname,
                           sizeof fname, ext, sizeof ext),
              ERANGE);
    EXPECT_EQ(errno, ERANGE);
    for (const char* output : {+drive, +dir, +fname, +ext}) {
        EXPECT_STREQ(output, "");
    }

    char smallDrive[2] = "X";
    EXPECT_EQ(
        _splitpath_s("C:x", smallDrive, sizeof smallDrive, nullptr, 0, nullptr, 0, nullptr, 0),
        ERANGE);
    EXPECT_STREQ(smallDrive, "");
}

TEST(SplitPath, OutputsMayBeLeftOutButNotHalfGiven) {
    char fname[_MAX_FNAME];
    EXPECT_EQ(
        _splitpath_s("C:\\a\\App.exe", nullptr, 0, nullptr, 0, fname, sizeof fname, nullptr, 0), 0);
    EXPECT_STREQ(fname, "App");

    char drive[_MAX_DRIVE];
    EXPECT_EQ(_splitpath_s(nullptr, drive, sizeof drive, nullptr, 0, nullptr, 0, nullptr, 0),
              EINVAL);
    EXPECT_EQ(_splitpath_s("C:\\x", drive, 0, nullptr, 0, nullptr, 0, nullptr, 0), EINVAL);
    EXPECT_EQ(_splitpath_s("C:\\x", nullptr, _MAX_DRIVE, nullptr, 0, nullptr, 0, nullptr, 0),
              EINVAL);
}

// --- Command line -----------------------------------------------------------------------

// Started by RealCommandLineQuotesTheProgramAndArgumentsWithBlanks in a new process: writes
// what that process sees to the file the parent names.
TEST(CommandLineChild, Report) {
    const char* out = std::getenv("SURVEYUI_COMMAND_LINE_OUT");
    if (!out) {
        GTEST_SKIP() << "only run as a child of the command-line test";
    }
    std::ofstream(out, std::ios::binary) << GetCommandLineA();
}

TEST(CommandLine, RealCommandLineQuotesTheProgramAndArgumentsWithBlanks) {
    const std::string folder = MakeTempFolder();
    ASSERT_FALSE(folder.empty());
    const std::string outFile = folder + "/command_line.txt";
    const std::string program = fs::read_symlink("/proc/self/exe").string();

    // argv[0] is a bare name, as a shell found on PATH would give it.
    std::vector<std::string> arguments = {
        "core_tests",      "--gtest_filter=CommandLineChild.Report",
        "plain",           "with blank",
        "C:\\data\\run 1", "",
        "say \"hi\""};
    std::vector<char*> argv;
    for (std::string& argument : arguments) {
        argv.push_back(argument.data());
    }
    argv.push_back(nullptr);
    std::string outVariable = "SURVEYUI_COMMAND_LINE_OUT=" + outFile;
    std::vector<char*> envp;
    for (char** entry = environ; *entry; ++entry) {
        envp.push_back(*entry);
    }
    envp.push_back(outVariable.data());
    envp.push_back(nullptr);

    posix_spawn_file_actions_t quiet;
    posix_spawn_file_actions_init(&quiet);
    posix_spawn_file_actions_addopen(&quiet, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int spawned =
        posix_spawn(&pid, program.c_str(), &quiet, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&quiet);
    ASSERT_EQ(spawned, 0);
    int status = 0;
    ASSERT_EQ(waitpid(pid, &status, 0), pid);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);

    std::ifstream in(outFile, std::ios::binary);
    const std::string seen{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    EXPECT_EQ(seen, "\"" + program +
                        "\" --gtest_filter=CommandLineChild.Report plain \"with blank\" "
                        "\"C:\\data\\run 1\" \"\" \"say \\\"hi\\\"\"");
    fs::remove_all(folder);
}

TEST(CommandLine, OverrideStandsInUntilReset) {
    const std::string real = GetCommandLineA();
    ASSERT_EQ(real.front(), '"');
    plat::OverrideCommandLine("\"C:\\Programs\\SurveyTest.exe\"");
    EXPECT_STREQ(GetCommandLineA(), "\"C:\\Programs\\SurveyTest.exe\"");
    plat::OverrideCommandLine(nullptr);
    EXPECT_EQ(GetCommandLineA(), real);
}

// --- Last error -------------------------------------------------------------------------

TEST(LastError, IsKeptPerThread) {
    SetLastError(ERROR_ACCESS_DENIED);
    DWORD seenByOther = 1;
    std::thread other([&] {
        seenByOther = GetLastError();
        SetLastError(ERROR_SHARING_VIOLATION);
    });
    other.join();
    EXPECT_EQ(seenByOther, ERROR_SUCCESS);
    EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
}
