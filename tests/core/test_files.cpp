#include <fcntl.h>
#include <grp.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <csignal>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "platform/core/CStdioFile.h"
#include "platform/core/Drives.h"

namespace fs = std::filesystem;

namespace {

constexpr UINT kWriteDenyWrite = CFile::modeCreate | CFile::modeWrite | CFile::shareDenyWrite;
constexpr UINT kReadDenyWrite = CFile::modeRead | CFile::shareDenyWrite;
constexpr UINT kReplace = kWriteDenyWrite | plat::modeReplaceOnClose;
constexpr uid_t kNobody = 65534;

std::string Slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return "<missing>";
    }
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void Spit(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

std::vector<std::string> Entries(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    return names;
}

// Runs body in a forked process; its result (or 99 for an escaped exception) is the exit
// status. The child leaves by _exit, so the parent's objects are not destroyed twice.
pid_t StartChild(const std::function<int()>& body) {
    std::fflush(nullptr);
    const pid_t pid = fork();
    if (pid == 0) {
        int code = 99;
        try {
            code = body();
        } catch (...) {
        }
        _exit(code);
    }
    return pid;
}

int WaitChild(pid_t pid) {
    int status = 0;
    if (waitpid(pid, &status, 0) != pid) {
        return -1;
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

int RunInChild(const std::function<int()>& body) {
    return WaitChild(StartChild(body));
}

// The cause an open failed with, or -1 when it succeeded.
int OpenCause(CFile& file, const std::string& path, UINT flags) {
    CFileException error;
    return file.Open(path.c_str(), flags, &error) ? -1 : error.m_cause;
}

class FileTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "surveyui-files-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        m_folder = pattern;
    }
    void TearDown() override {
        std::error_code ignored;
        fs::permissions(m_folder, fs::perms::owner_all, fs::perm_options::add, ignored);
        fs::remove_all(m_folder, ignored);
    }
    std::string Path(const std::string& name) const { return m_folder + "/" + name; }

    std::string m_folder;
};

}  // namespace

// --- Text mode --------------------------------------------------------------------------

TEST_F(FileTest, TextModeStoresLineEndsAsCrLfAndBinaryModeAsIs) {
    {
        CStdioFile file(Path("text.INI").c_str(), CFile::modeCreate | CFile::modeWrite);
        file.WriteString("Units Mode = 1\nNo Dps = 3\n");
        file.Write("a\nb", 3);
        file.WriteString("");
        file.Close();
    }
    EXPECT_EQ(Slurp(Path("text.INI")), "Units Mode = 1\r\nNo Dps = 3\r\na\r\nb");

    CStdioFile binary(Path("binary.dat").c_str(),
                      CFile::modeCreate | CFile::modeWrite | CFile::typeBinary);
    binary.WriteString("a\nb\r\n");
    binary.Close();
    EXPECT_EQ(Slurp(Path("binary.dat")), "a\nb\r\n");
}

TEST_F(FileTest, ReadStringAcceptsCrLfAndLfAndReturnsAnUnterminatedLastLine) {
    Spit(Path("mixed.INI"), "one\r\ntwo\n\r\nthree");
    CStdioFile file(Path("mixed.INI").c_str(), kReadDenyWrite);
    CString line;
    EXPECT_TRUE(file.ReadString(line));
    EXPECT_EQ(line, "one");
    EXPECT_TRUE(file.ReadString(line));
    EXPECT_EQ(line, "two");
    EXPECT_TRUE(file.ReadString(line));
    EXPECT_EQ(line, "");
    EXPECT_TRUE(file.ReadString(line));
    EXPECT_EQ(line, "three");
    EXPECT_FALSE(file.ReadString(line));
    EXPECT_EQ(line, "");
    EXPECT_FALSE(file.ReadString(line));
}

TEST_F(FileTest, ReadStringStripsACarriageReturnOnlyBeforeALineFeed) {
    Spit(Path("cr.txt"), "a\rb\r\n\rc\n\r\r\ntail\r");
    CStdioFile text(Path("cr.txt").c_str(), CFile::modeRead);
    CString line;
    ASSERT_TRUE(text.ReadString(line));
    EXPECT_EQ(line, "a\rb");
    ASSERT_TRUE(text.ReadString(line));
    EXPECT_EQ(line, "\rc");
    ASSERT_TRUE(text.ReadString(line));
    EXPECT_EQ(line, "\r");
    ASSERT_TRUE(text.ReadString(line));
    EXPECT_EQ(line, "tail\r");
    EXPECT_FALSE(text.ReadString(line));

    CStdioFile binary(Path("cr.txt").c_str(), CFile::modeRead | CFile::typeBinary);
    ASSERT_TRUE(binary.ReadString(line));
    EXPECT_EQ(line, "a\rb\r");
}

TEST_F(FileTest, BufferReadStringKeepsTheLineFeedAndSplitsLongLines) {
    Spit(Path("lines.txt"), "ab\r\ncdefgh\nz");
    CStdioFile file(Path("lines.txt").c_str(), CFile::modeRead);
    char buffer[5];
    ASSERT_NE(file.ReadString(buffer, sizeof buffer), nullptr);
    EXPECT_STREQ(buffer, "ab\n");
    ASSERT_NE(file.ReadString(buffer, sizeof buffer), nullptr);
    EXPECT_STREQ(buffer, "cdef");
    ASSERT_NE(file.ReadString(buffer, sizeof buffer), nullptr);
    EXPECT_STREQ(buffer, "gh\n");
    ASSERT_NE(file.ReadString(buffer, sizeof buffer), nullptr);
    EXPECT_STREQ(buffer, "z");
    EXPECT_EQ(file.ReadString(buffer, sizeof buffer), nullptr);
}

TEST_F(FileTest, ReadTranslatesCrLfInTextModeOnly) {
    const std::string raw = "a\r\nb\r\rc\r";
    Spit(Path("raw.dat"), raw);
    char buffer[16] = {};
    CStdioFile text(Path("raw.dat").c_str(), CFile::modeRead);
    EXPECT_EQ(std::string(buffer, text.Read(buffer, sizeof buffer)), "a\nb\r\rc\r");
    CStdioFile binary(Path("raw.dat").c_str(), CFile::modeRead | CFile::typeBinary);
    EXPECT_EQ(std::string(buffer, binary.Read(buffer, sizeof buffer)), raw);
}

// The section reader remembers a position, reads ahead and goes back.
TEST_F(FileTest, PositionsRoundTripInTextMode) {
    Spit(Path("graph.INI"), "[Trace 1]\r\nDepth\nKey = 2\r\n");
    CStdioFile file(Path("graph.INI").c_str(), kReadDenyWrite);
    CString line;
    ASSERT_TRUE(file.ReadString(line));
    const ULONGLONG afterName = file.GetPosition();
    EXPECT_EQ(afterName, 11u);  // a byte offset: the CR LF counts twice
    ASSERT_TRUE(file.ReadString(line));
    ASSERT_TRUE(file.ReadString(line));
    EXPECT_EQ(line, "Key = 2");
    EXPECT_EQ(file.GetPosition(), file.GetLength());
    EXPECT_EQ(file.Seek(static_cast<LONGLONG>(afterName), CFile::begin), afterName);
    ASSERT_TRUE(file.ReadString(line));
    EXPECT_EQ(line, "Depth");

    // A CR looked at and put back is not counted as read.
    Spit(Path("cr.txt"), "ab\rcd\r\n");
    CStdioFile other(Path("cr.txt").c_str(), CFile::modeRead);
    char buffer[4];
    ASSERT_NE(other.ReadString(buffer, sizeof buffer), nullptr);
    EXPECT_STREQ(buffer, "ab\r");
    EXPECT_EQ(other.GetPosition(), 3u);
    ASSERT_TRUE(other.ReadString(line));
    EXPECT_EQ(line, "cd");
}

TEST_F(FileTest, MultiMegabyteLineWithEveryByteButLineFeedSurvives) {
    std::string data;
    data.reserve(6 << 20);
    for (size_t i = 0; data.size() < (6u << 20); ++i) {
        const char byte = static_cast<char>(i % 256);
        if (byte != '\n') {
            data.push_back(byte);
        }
    }
    {
        CStdioFile file(Path("big.dat").c_str(), CFile::modeCreate | CFile::modeWrite);
        file.Write(data.data(), static_cast<UINT>(data.size()));
        file.WriteString("\nsecond\n");
        file.Close();
    }
    EXPECT_EQ(fs::file_size(Path("big.dat")), data.size() + 2 + 8);

    CStdioFile file(Path("big.dat").c_str(), CFile::modeRead);
    CString line;
    ASSERT_TRUE(file.ReadString(line));
    ASSERT_EQ(static_cast<size_t>(line.GetLength()), data.size());
    EXPECT_TRUE(line.str() == data);
    ASSERT_TRUE(file.ReadString(line));
    EXPECT_EQ(line, "second");
    EXPECT_FALSE(file.ReadString(line));
}

TEST_F(FileTest, ReadWriteHandleCanReadThenOverwrite) {
    Spit(Path("rw.INI"), "first\r\nsecond\r\n");
    CStdioFile file(Path("rw.INI").c_str(), CFile::modeReadWrite | CFile::shareDenyWrite);
    CString line;
    ASSERT_TRUE(file.ReadString(line));
    file.WriteString("SECOND");
    file.Close();
    EXPECT_EQ(Slurp(Path("rw.INI")), "first\r\nSECOND\r\n");
}

// --- Opening ----------------------------------------------------------------------------

TEST_F(FileTest, CreateTruncatesUnlessNoTruncateIsGiven) {
    Spit(Path("keep.INI"), "old content");
    {
        CFile file(Path("keep.INI").c_str(),
                   CFile::modeCreate | CFile::modeNoTruncate | CFile::modeWrite);
        EXPECT_EQ(file.GetLength(), 11u);
        file.SeekToEnd();
        file.Write("+", 1);
    }
    EXPECT_EQ(Slurp(Path("keep.INI")), "old content+");
    {
        CFile file(Path("keep.INI").c_str(), CFile::modeCreate | CFile::modeWrite);
        EXPECT_EQ(file.GetLength(), 0u);
    }
    EXPECT_EQ(Slurp(Path("keep.INI")), "");
}

TEST_F(FileTest, OpenFailuresReportCauseErrnoAndLastError) {
    fs::create_directory(Path("folder"));
    struct Case {
        std::string path;
        UINT flags;
        int cause;
        LONG osError;
        DWORD lastError;
    };
    const Case cases[] = {
        {Path("missing.INI"), CFile::modeRead, CFileException::fileNotFound, ENOENT,
         ERROR_FILE_NOT_FOUND},
        {Path("no/such/folder.INI"), CFile::modeCreate | CFile::modeWrite, CFileException::badPath,
         ENOENT, ERROR_PATH_NOT_FOUND},
        {Path("folder"), CFile::modeRead, CFileException::accessDenied, EISDIR,
         ERROR_ACCESS_DENIED},
        {Path("folder"), kReplace, CFileException::accessDenied, EISDIR, ERROR_ACCESS_DENIED},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        CFile file;
        CFileException error;
        SetLastError(0);
        EXPECT_FALSE(file.Open(c.path.c_str(), c.flags, &error));
        EXPECT_FALSE(file.IsOpen());
        EXPECT_EQ(error.m_cause, c.cause);
        EXPECT_EQ(error.m_lOsError, c.osError);
        EXPECT_EQ(GetLastError(), c.lastError);
    }
    EXPECT_FALSE(fs::exists(Path("no")));

    plat::UnmapDrive('Q');
    CFile unmapped;
    CFileException error;
    EXPECT_FALSE(unmapped.Open("Q:\\MySettings\\x.INI", CFile::modeRead, &error));
    EXPECT_EQ(error.m_cause, CFileException::badPath);
    EXPECT_EQ(GetLastError(), ERROR_PATH_NOT_FOUND);

    EXPECT_THROW(CFile(Path("missing.INI").c_str(), CFile::modeRead), CFileException);
    try {
        CStdioFile file(Path("missing.INI").c_str(), kReadDenyWrite);
        ADD_FAILURE() << "opened a missing file";
    } catch (const CFileException& e) {
        EXPECT_EQ(e.m_cause, CFileException::fileNotFound);
    }
}

TEST_F(FileTest, WindowsPathsGoThroughTheDriveTable) {
    fs::create_directory(Path("sub"));
    plat::MapDrive('S', m_folder);
    {
        CStdioFile file("S:\\sub\\Units_Mode.INI", kWriteDenyWrite);
        EXPECT_EQ(file.GetFilePath(), "S:\\sub\\Units_Mode.INI");
        EXPECT_EQ(file.GetFileName(), "Units_Mode.INI");
        file.WriteString("Units Mode = 1\n");
    }
    plat::UnmapDrive('S');
    EXPECT_EQ(Slurp(Path("sub/Units_Mode.INI")), "Units Mode = 1\r\n");
}

// --- Sharing ----------------------------------------------------------------------------

TEST_F(FileTest, WriterKeepsOtherWritersAndDenyWriteReadersOut) {
    const std::string path = Path("shared.INI");
    CFile writer(path.c_str(), kWriteDenyWrite);
    writer.Write("fresh", 5);

    CFile other;
    SetLastError(0);
    EXPECT_EQ(OpenCause(other, path, CFile::modeWrite | CFile::shareDenyWrite),
              CFileException::sharingViolation);
    EXPECT_EQ(GetLastError(), ERROR_SHARING_VIOLATION);
    EXPECT_EQ(OpenCause(other, path, CFile::modeWrite | CFile::shareDenyNone),
              CFileException::sharingViolation);
    EXPECT_EQ(OpenCause(other, path, kWriteDenyWrite), CFileException::sharingViolation);
    EXPECT_EQ(Slurp(path), "fresh") << "a refused create must not truncate";
    EXPECT_EQ(OpenCause(other, path, kReplace), CFileException::sharingViolation);
    EXPECT_EQ(OpenCause(other, path, kReadDenyWrite), CFileException::sharingViolation);
    EXPECT_EQ(OpenCause(other, path, CFile::modeRead | CFile::shareCompat),
              CFileException::sharingViolation);
    EXPECT_EQ(OpenCause(other, path, CFile::modeRead | CFile::shareExclusive),
              CFileException::sharingViolation);

    ASSERT_EQ(OpenCause(other, path, CFile::modeRead | CFile::shareDenyNone), -1);
    char buffer[8];
    EXPECT_EQ(std::string(buffer, other.Read(buffer, sizeof buffer)), "fresh");
    other.Close();

    writer.Close();
    EXPECT_EQ(OpenCause(other, path, kReadDenyWrite), -1);
}

TEST_F(FileTest, DenyWriteReadersShareTheFileButKeepWritersOut) {
    const std::string path = Path("read.INI");
    Spit(path, "x");
    CFile first(path.c_str(), kReadDenyWrite);
    CFile second(path.c_str(), kReadDenyWrite);
    CFile writer;
    EXPECT_EQ(OpenCause(writer, path, kWriteDenyWrite), CFileException::sharingViolation);
    EXPECT_EQ(OpenCause(writer, path, kReplace), CFileException::sharingViolation);
    EXPECT_EQ(Slurp(path), "x");
    first.Close();
    EXPECT_EQ(OpenCause(writer, path, kWriteDenyWrite), CFileException::sharingViolation);
    second.Close();
    EXPECT_EQ(OpenCause(writer, path, kWriteDenyWrite), -1);
}

TEST_F(FileTest, SharingCollisionsHappenBetweenProcesses) {
    const std::string path = Path("two.INI");
    {
        CFile writer(path.c_str(), kWriteDenyWrite);
        writer.Write("held", 4);
        const int child = RunInChild([&] {
            CFile other;
            if (OpenCause(other, path, CFile::modeWrite) != CFileException::sharingViolation) {
                return 1;
            }
            if (OpenCause(other, path, kReadDenyWrite) != CFileException::sharingViolation) {
                return 2;
            }
            if (OpenCause(other, path, CFile::modeRead | CFile::shareDenyNone) != -1) {
                return 3;
            }
            char buffer[8];
            return std::string(buffer, other.Read(buffer, sizeof buffer)) == "held" ? 0 : 4;
        });
        EXPECT_EQ(child, 0);
    }

    // The other way round: a reader in another process keeps this process from writing.
    int toParent[2];
    int toChild[2];
    ASSERT_EQ(pipe(toParent), 0);
    ASSERT_EQ(pipe(toChild), 0);
    const pid_t pid = StartChild([&] {
        CFile reader(path.c_str(), kReadDenyWrite);
        char signal = 'r';
        if (write(toParent[1], &signal, 1) != 1 || read(toChild[0], &signal, 1) != 1) {
            return 1;
        }
        return 0;
    });
    char signal = 0;
    ASSERT_EQ(read(toParent[0], &signal, 1), 1);
    CFile writer;
    EXPECT_EQ(OpenCause(writer, path, kWriteDenyWrite), CFileException::sharingViolation);
    EXPECT_EQ(Slurp(path), "held");
    ASSERT_EQ(write(toChild[1], &signal, 1), 1);
    EXPECT_EQ(WaitChild(pid), 0);
    EXPECT_EQ(OpenCause(writer, path, kWriteDenyWrite), -1);
    for (const int fd : {toParent[0], toParent[1], toChild[0], toChild[1]}) {
        close(fd);
    }
}

// --- Replacing on close -----------------------------------------------------------------

TEST_F(FileTest, ReplacementAppearsCompleteAtCloseAndHoldsTheTargetMeanwhile) {
    const std::string path = Path("Units_Mode.INI");
    Spit(path, "old\r\n");
    CStdioFile file(path.c_str(), kReplace);
    file.WriteString("new\n");
    file.Flush();
    EXPECT_EQ(Slurp(path), "old\r\n");

    CStdioFile other;
    EXPECT_EQ(OpenCause(other, path, kReadDenyWrite), CFileException::sharingViolation);
    EXPECT_EQ(OpenCause(other, path, kReplace), CFileException::sharingViolation);
    ASSERT_EQ(OpenCause(other, path, CFile::modeRead | CFile::shareDenyNone), -1);
    CString line;
    EXPECT_TRUE(other.ReadString(line));
    EXPECT_EQ(line, "old");

    file.Close();
    EXPECT_EQ(Slurp(path), "new\r\n");
    EXPECT_EQ(Entries(m_folder), std::vector<std::string>{"Units_Mode.INI"});
    // The reader that was open keeps the file it opened.
    EXPECT_FALSE(other.ReadString(line));
    other.Close();
    EXPECT_EQ(OpenCause(other, path, kReadDenyWrite), -1);
}

TEST_F(FileTest, ReplacementKeepsPermissionsOrUsesTheCreationMask) {
    const std::string old = Path("old.INI");
    Spit(old, "x");
    ASSERT_EQ(chmod(old.c_str(), 0640), 0);
    CFile(old.c_str(), kReplace).Close();
    struct stat info {};
    ASSERT_EQ(stat(old.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);

    const mode_t mask = umask(027);
    CFile(Path("new.INI").c_str(), kReplace).Close();
    umask(mask);
    ASSERT_EQ(stat(Path("new.INI").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
}

TEST_F(FileTest, ReplacementOfALinkReplacesTheFileItPointsTo) {
    Spit(Path("real.INI"), "old");
    fs::create_symlink("real.INI", Path("link.INI"));
    CFile file(Path("link.INI").c_str(), kReplace);
    file.Write("new", 3);
    file.Close();
    EXPECT_TRUE(fs::is_symlink(Path("link.INI")));
    EXPECT_EQ(Slurp(Path("real.INI")), "new");
}

TEST_F(FileTest, AbortOrAnUnfinishedReplacementLeavesTheOldFile) {
    const std::string path = Path("Angle_Settings.INI");
    Spit(path, "Preference = 1\r\n");
    CStdioFile file(path.c_str(), kReplace);
    file.WriteString("Preference = 2\n");
    file.Abort();
    EXPECT_FALSE(file.IsOpen());
    EXPECT_EQ(Slurp(path), "Preference = 1\r\n");
    EXPECT_EQ(Entries(m_folder).size(), 1u);

    // A new file that was never completed does not appear at all.
    CStdioFile fresh(Path("fresh.INI").c_str(), kReplace);
    fresh.WriteString("x\n");
    fresh.Abort();
    EXPECT_FALSE(fs::exists(Path("fresh.INI")));
    EXPECT_EQ(Entries(m_folder).size(), 1u);
}

TEST_F(FileTest, DestructorCompletesASuccessfulReplacement) {
    const std::string path = Path("Time_Mode.INI");
    Spit(path, "Time Mode = 1\r\n");
    {
        CStdioFile file(path.c_str(), kReplace);
        file.WriteString("Time Mode = 2\n");
    }
    EXPECT_EQ(Slurp(path), "Time Mode = 2\r\n");
    EXPECT_EQ(Entries(m_folder).size(), 1u);
}

// Writes fail once the process may not grow a file beyond 64 KiB: a full disk, as far as
// the file code can tell. Run in a child so the limit stays there.
TEST_F(FileTest, FailedWritesNeverReplaceTheTarget) {
    const std::string path = Path("Units_Mode.INI");
    const std::string old = "Units Mode = 1\r\nConversion Mode = 0\r\nImperial Mode = 0\r\n";
    Spit(path, old);
    const std::string chunk(4096, 'u');
    const auto limitFileSize = [] {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{64 * 1024, 64 * 1024};
        return setrlimit(RLIMIT_FSIZE, &limit) == 0;
    };

    const int buffered = RunInChild([&] {
        if (!limitFileSize()) {
            return 10;
        }
        CStdioFile file(path.c_str(), kReplace);
        try {
            for (int i = 0; i < 64; ++i) {
                file.WriteString(chunk.c_str());
            }
            return 1;
        } catch (const CFileException& e) {
            if (e.m_cause != CFileException::diskFull || e.m_lOsError != EFBIG) {
                return 2;
            }
        }
        try {
            file.Close();
            return 3;
        } catch (const CFileException& e) {
            return e.m_cause == CFileException::diskFull && !file.IsOpen() ? 0 : 4;
        }
    });
    EXPECT_EQ(buffered, 0);
    EXPECT_TRUE(Slurp(path) == old) << "the target changed";
    EXPECT_EQ(Entries(m_folder).size(), 1u);

    // The failure may also surface only when the last buffer is written at Close.
    const int atClose = RunInChild([&] {
        if (!limitFileSize()) {
            return 10;
        }
        CStdioFile file(path.c_str(), kReplace);
        for (int i = 0; i < 16; ++i) {  // exactly up to the limit
            file.WriteString(chunk.c_str());
        }
        file.WriteString("tail");  // stays in the buffer until Close
        try {
            file.Close();
            return 1;
        } catch (const CFileException& e) {
            return e.m_cause == CFileException::diskFull ? 0 : 2;
        }
    });
    EXPECT_EQ(atClose, 0);
    EXPECT_TRUE(Slurp(path) == old) << "the target changed";

    // A caller that swallows the failure and lets the object go: discarded, nothing raised.
    const int swallowed = RunInChild([&] {
        if (!limitFileSize()) {
            return 10;
        }
        CFile file(path.c_str(), kReplace);
        try {
            for (int i = 0; i < 20; ++i) {
                file.Write(chunk.data(), static_cast<UINT>(chunk.size()));
            }
            return 1;
        } catch (const CFileException&) {
        }
        return 0;
    });
    EXPECT_EQ(swallowed, 0);
    EXPECT_TRUE(Slurp(path) == old) << "the target changed";
    EXPECT_EQ(Entries(m_folder).size(), 1u);
}

TEST_F(FileTest, ReplacementInAMissingFolderFailsAndCreatesNothing) {
    CFile file;
    CFileException error;
    EXPECT_FALSE(file.Open(Path("gone/x.INI").c_str(), kReplace, &error));
    EXPECT_EQ(error.m_cause, CFileException::badPath);
    EXPECT_FALSE(fs::exists(Path("gone")));
}

// Root may write anywhere, so the unwritable cases run as "nobody" in a child when we
// are root (a folder owned by nobody with its write bits removed).
TEST_F(FileTest, UnwritableFolderOrReadOnlyTargetFailsTheOpenAndKeepsTheFile) {
    const std::string folder = Path("locked");
    fs::create_directory(folder);
    const std::string target = folder + "/Units_Mode.INI";
    const std::string readOnly = folder + "/PASSWORD.INI";
    Spit(target, "old");
    Spit(readOnly, "secret");
    ASSERT_EQ(chmod(readOnly.c_str(), 0444), 0);
    if (geteuid() == 0) {
        for (const std::string& path : {m_folder, folder, target, readOnly}) {
            ASSERT_EQ(chown(path.c_str(), kNobody, kNobody), 0);
        }
    }
    const int child = RunInChild([&] {
        if (geteuid() == 0 &&
            (setgroups(0, nullptr) != 0 || setgid(kNobody) != 0 || setuid(kNobody) != 0)) {
            return 77;
        }
        CFile file;
        if (OpenCause(file, readOnly, kReplace) != CFileException::accessDenied) {
            return 1;
        }
        if (chmod(folder.c_str(), 0555) != 0 || access(folder.c_str(), W_OK) == 0) {
            return 76;
        }
        return OpenCause(file, target, kReplace) == CFileException::accessDenied ? 0 : 2;
    });
    chmod(folder.c_str(), 0755);
    if (child == 77 || child == 76) {
        GTEST_SKIP() << "cannot drop privileges here";
    }
    EXPECT_EQ(child, 0);
    EXPECT_EQ(Slurp(target), "old");
    EXPECT_EQ(Slurp(readOnly), "secret");
    EXPECT_EQ(Entries(folder).size(), 2u);
}

// One process rewrites a file over and over while another reads it: every read the reader
// gets is one complete generation, never a mix or a half-written file.
TEST_F(FileTest, ReadersNeverSeeAPartialReplacement) {
    const std::string path = Path("Graph.INI");
    constexpr int kLines = 200;
    constexpr int kGenerations = 40;
    const auto writeGeneration = [&](int generation) {
        CStdioFile file(path.c_str(), kReplace);
        for (int i = 0; i < kLines; ++i) {
            file.WriteString(("Generation = " + std::to_string(generation) + "\n").c_str());
        }
        file.Close();
    };
    writeGeneration(0);
    const pid_t writer = StartChild([&] {
        for (int generation = 1; generation <= kGenerations;) {
            try {
                writeGeneration(generation);
                ++generation;
            } catch (const CFileException& e) {
                if (e.m_cause != CFileException::sharingViolation) {
                    return 1;
                }
            }
        }
        return 0;
    });
    // Reads one generation; -1 for a sharing violation, -2 for a mixed or short file.
    const auto readGeneration = [&] {
        CStdioFile file;
        if (OpenCause(file, path, kReadDenyWrite) == CFileException::sharingViolation) {
            return -1;
        }
        CString first;
        CString line;
        int count = 0;
        for (; file.ReadString(line); ++count) {
            if (count == 0) {
                first = line;
            } else if (line != first) {
                return -2;
            }
        }
        return count == kLines ? atoi(first.Mid(13)) : -2;
    };
    int status = -1;
    int previous = 0;
    while (waitpid(writer, &status, WNOHANG) == 0) {
        const int generation = readGeneration();
        ASSERT_NE(generation, -2);
        EXPECT_GE(generation == -1 ? previous : generation, previous);
        previous = std::max(previous, generation);
    }
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(readGeneration(), kGenerations);
    EXPECT_EQ(Entries(m_folder).size(), 1u);
}
