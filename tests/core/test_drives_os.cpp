#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <array>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>

#include "platform/core/Drives.h"
#include "platform/core/OsServices.h"

namespace fs = std::filesystem;

using Split = std::array<std::string, 4>;  // drive, folder, file name, extension

// --- Drive table ------------------------------------------------------------------------

TEST(DriveTable, MappedLettersGiveTheirTypeAndHostPaths) {
    plat::MapDrive('d', "/srv/d/");
    plat::UnmapDrive('E');
    for (const char* root : {"D:", "D:\\", "d:/"}) {
        EXPECT_EQ(GetDriveTypeA(root), DRIVE_FIXED) << root;
    }
    for (const char* bad : {"E:\\", "D", "", "D:\\x", "DD:\\", "D:\\\\", "1:\\", ":\\"}) {
        EXPECT_EQ(GetDriveTypeA(bad), DRIVE_NO_ROOT_DIR) << bad;
    }
    const std::pair<const char*, std::optional<std::string>> cases[] = {
        {"D:\\MySettings\\App\\Units_Mode.INI", "/srv/d/MySettings/App/Units_Mode.INI"},
        {"d:/MySettings/App/", "/srv/d/MySettings/App/"},
        {"D:\\", "/srv/d"},
        {"D:", "/srv/d"},
        {"D:\\a\\.\\b", "/srv/d/a/b"},
        // Like Windows, ".." stops at the drive root: nothing outside the folder is reached.
        {"D:\\a\\..\\..\\..\\etc\\passwd", "/srv/d/etc/passwd"},
        {"relative\\Units_Mode.INI", "relative/Units_Mode.INI"},
        {"/tmp/plain/path", "/tmp/plain/path"},
        {"E:\\MySettings", std::nullopt},
        {nullptr, std::nullopt},
    };
    for (const auto& [windows, host] : cases) {
        EXPECT_EQ(plat::ToHostPath(windows), host) << (windows ? windows : "(null)");
    }
    plat::UnmapDrive('D');
    EXPECT_EQ(GetDriveTypeA("D:"), DRIVE_NO_ROOT_DIR);
}

// --- Folders ----------------------------------------------------------------------------

TEST(CreateDirectory, ReportsTheWin32ErrorCodes) {
    std::string root = (fs::temp_directory_path() / "surveyui-drives-XXXXXX").string();
    ASSERT_NE(mkdtemp(root.data()), nullptr);
    plat::MapDrive('C', root);
    EXPECT_TRUE(CreateDirectoryA("C:\\MySettings", nullptr));
    EXPECT_TRUE(CreateDirectoryA("C:\\MySettings\\SurveyTest\\", nullptr));
    EXPECT_TRUE(fs::is_directory(root + "/MySettings/SurveyTest"));
    std::ofstream(root + "/file.txt") << "x";

    const std::pair<const char*, DWORD> failures[] = {
        {"C:\\MySettings", ERROR_ALREADY_EXISTS},
        {"C:\\MySettings\\", ERROR_ALREADY_EXISTS},
        {"C:\\file.txt", ERROR_ALREADY_EXISTS},
        {"C:\\Missing\\Child", ERROR_PATH_NOT_FOUND},
        {"C:\\file.txt\\Child", ERROR_PATH_NOT_FOUND},
        {"C:\\", ERROR_ACCESS_DENIED},
        {"C:", ERROR_ACCESS_DENIED},
        {"C:\\MySettings\\..", ERROR_ACCESS_DENIED},
        {"Q:\\MySettings", ERROR_PATH_NOT_FOUND},
    };
    for (const auto& [path, error] : failures) {
        SetLastError(0);
        EXPECT_FALSE(CreateDirectoryA(path, nullptr)) << path;
        EXPECT_EQ(GetLastError(), error) << path;
    }
    EXPECT_FALSE(fs::exists(root + "/Missing"));
    plat::UnmapDrive('C');
    fs::remove_all(root);
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
        {"folder.d\\name", {"", "folder.d\\", "name", ""}},
        {"name.tar.gz", {"", "", "name.tar", ".gz"}},
        {".hidden", {"", "", "", ".hidden"}},
        {"trailing.", {"", "", "trailing", "."}},
        {"x:", {"x:", "", "", ""}},
        {"", {"", "", "", ""}},
    };
    for (const auto& [path, expected] : cases) {
        char drive[_MAX_DRIVE], dir[_MAX_DIR], fname[_MAX_FNAME], ext[_MAX_EXT];
        EXPECT_EQ(_splitpath_s(path, drive, sizeof drive, dir, sizeof dir, fname, sizeof fname, ext,
                               sizeof ext),
                  0);
        EXPECT_EQ((Split{drive, dir, fname, ext}), expected) << path;
    }
}

TEST(SplitPath, RejectsBadArgumentsAndEmptiesEveryOutputWhenOneDoesNotFit) {
    char drive[_MAX_DRIVE] = "X", dir[8] = "junk", fname[5] = "junk", ext[8] = "junk";
    const auto split = [&](const char* path) {
        return _splitpath_s(path, drive, sizeof drive, dir, sizeof dir, fname, sizeof fname, ext,
                            sizeof ext);
    };
    EXPECT_EQ(split("C:\\dir\\name.ext"), 0);
    EXPECT_STREQ(fname, "name");  // exactly fits with its terminator
    EXPECT_EQ(split("C:\\dir\\names.ext"), ERANGE);
    EXPECT_EQ(errno, ERANGE);
    EXPECT_EQ(std::string(drive) + dir + fname + ext, "");
    EXPECT_EQ(split(nullptr), EINVAL);
    EXPECT_EQ(_splitpath_s("C:\\x", drive, 0, nullptr, 0, nullptr, 0, nullptr, 0), EINVAL);
    EXPECT_EQ(_splitpath_s("C:\\x", nullptr, 3, nullptr, 0, nullptr, 0, nullptr, 0), EINVAL);
    // Outputs left out entirely are fine.
    EXPECT_EQ(_splitpath_s("C:\\a\\App.exe", nullptr, 0, nullptr, 0, fname, 5, nullptr, 0), 0);
    EXPECT_STREQ(fname, "App");
}

// --- Command line -----------------------------------------------------------------------

// Starts this program again with awkward arguments; the copy (told by the environment)
// writes the command line it sees into the named file.
TEST(CommandLine, QuotesTheProgramAndArgumentsWithBlanks) {
    if (const char* report = std::getenv("SURVEYUI_COMMAND_LINE_OUT")) {
        std::ofstream(report, std::ios::binary) << GetCommandLineA();
        return;
    }
    const std::string out =
        fs::temp_directory_path() / ("surveyui-command-line-" + std::to_string(getpid()) + ".txt");
    const std::string program = fs::read_symlink("/proc/self/exe").string();
    std::fflush(nullptr);
    const pid_t pid = fork();
    if (pid == 0) {
        setenv("SURVEYUI_COMMAND_LINE_OUT", out.c_str(), 1);
        if (std::freopen("/dev/null", "w", stdout)) {
            // argv[0] is a bare name, as a shell found on PATH would give it.
            execl(program.c_str(), "core_tests", "--gtest_filter=CommandLine.*", "with blank",
                  "C:\\data\\run 1", "", "say \"hi\"", nullptr);
        }
        _exit(127);
    }
    int status = 0;
    ASSERT_EQ(waitpid(pid, &status, 0), pid);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    std::ifstream in(out, std::ios::binary);
    const std::string seen{std::istreambuf_iterator<char>(in), {}};
    EXPECT_EQ(seen, "\"" + program +
                        "\" --gtest_filter=CommandLine.* \"with blank\" \"C:\\data\\run 1\" \"\" "
                        "\"say \\\"hi\\\"\"");
    std::remove(out.c_str());
}
