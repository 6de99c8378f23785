#include <grp.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "platform/core/CStdioFile.h"
#include "platform/core/Drives.h"
#include "platform/core/OsServices.h"

namespace fs = std::filesystem;

namespace {

constexpr UINT kWriteDenyWrite = CFile::modeCreate | CFile::modeWrite | CFile::shareDenyWrite;
constexpr UINT kReadDenyWrite = CFile::modeRead | CFile::shareDenyWrite;
constexpr UINT kReadDenyNone = CFile::modeRead | CFile::shareDenyNone;
constexpr UINT kReplace = kWriteDenyWrite | plat::modeReplaceOnClose;
constexpr uid_t kNobody = 65534;

std::string Slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return in ? std::string(std::istreambuf_iterator<char>(in), {}) : "<missing>";
}

void Spit(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

std::ptrdiff_t FileCount(const std::string& folder) {
    return std::distance(fs::directory_iterator(folder), fs::directory_iterator());
}

// Runs body in a forked child: its exit status, or 128 + the signal it died of. _exit keeps
// the parent's objects from being destroyed twice.
template <typename Body>
int RunInChild(const Body& body) {
    std::fflush(nullptr);
    const pid_t pid = fork();
    if (pid == 0) {
        _exit(body());
    }
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

// The cause an open failed with, or -1 when it succeeded.
int OpenCause(CFile& file, const std::string& path, UINT flags) {
    CFileException error;
    return file.Open(path.c_str(), flags, &error) ? -1 : error.m_cause;
}

class FileTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_NE(mkdtemp(m_folder.data()), nullptr); }
    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(m_folder, ignored);
    }
    std::string Path(const std::string& name) const { return m_folder + "/" + name; }

    std::string m_folder = (fs::temp_directory_path() / "surveyui-files-XXXXXX").string();
};

}  // namespace

// --- Text mode --------------------------------------------------------------------------

TEST_F(FileTest, ReadingAcceptsCrLfAndLfAndDropsACrOnlyBeforeALf) {
    // Written in binary mode, which must store the bytes as they are.
    CStdioFile(Path("mixed.INI").c_str(), CFile::modeCreate | CFile::modeWrite | CFile::typeBinary)
        .WriteString("one\r\ntwo\n\r\na\rb\r\n\rc\n\r\r\ntail\r");
    CStdioFile text(Path("mixed.INI").c_str(), kReadDenyWrite);
    CString line;
    // The last line has no line feed and still counts.
    for (const char* expected : {"one", "two", "", "a\rb", "\rc", "\r", "tail\r"}) {
        ASSERT_TRUE(text.ReadString(line));
        EXPECT_EQ(line, expected);
    }
    EXPECT_FALSE(text.ReadString(line));
    EXPECT_EQ(line, "");

    CStdioFile binary(Path("mixed.INI").c_str(), CFile::modeRead | CFile::typeBinary);
    ASSERT_TRUE(binary.ReadString(line));
    EXPECT_EQ(line, "one\r");
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
}

TEST_F(FileTest, MultiMegabyteLineWithEveryByteButLineFeedSurvives) {
    std::string data(6u << 20, '\0');
    for (size_t i = 0; i < data.size(); ++i) {
        data[i] = static_cast<char>(i % 255 + 11);  // every byte value but the line feed (10)
    }
    {
        CStdioFile file(Path("big.dat").c_str(), CFile::modeCreate | CFile::modeWrite);
        file.Write(data.data(), static_cast<UINT>(data.size()));
        file.Write("\nsecond\n", 8);
    }
    EXPECT_EQ(fs::file_size(Path("big.dat")), data.size() + 2 + 8);

    CStdioFile file(Path("big.dat").c_str(), CFile::modeRead);
    CString line;
    ASSERT_TRUE(file.ReadString(line));
    EXPECT_TRUE(line.str() == data);
    ASSERT_TRUE(file.ReadString(line));
    EXPECT_EQ(line, "second");
    EXPECT_FALSE(file.ReadString(line));
}

// --- Opening ----------------------------------------------------------------------------

TEST_F(FileTest, OpenFailuresReportCauseErrnoAndLastError) {
    fs::create_directory(Path("folder"));
    struct Case {
        std::string path;
        UINT flags;
        int cause;
        LONG osError;
        DWORD lastError;
    };
    using E = CFileException;
    const Case cases[] = {
        {Path("missing.INI"), CFile::modeRead, E::fileNotFound, ENOENT, ERROR_FILE_NOT_FOUND},
        {Path("no/such/x.INI"), kWriteDenyWrite, E::badPath, ENOENT, ERROR_PATH_NOT_FOUND},
        {Path("gone/x.INI"), kReplace, E::badPath, ENOENT, ERROR_PATH_NOT_FOUND},
        {Path("folder"), CFile::modeRead, E::accessDenied, EISDIR, ERROR_ACCESS_DENIED},
        {Path("folder"), kReplace, E::accessDenied, EISDIR, ERROR_ACCESS_DENIED},
        {"Q:\\MySettings\\x.INI", CFile::modeRead, E::badPath, ENOTDIR, ERROR_PATH_NOT_FOUND},
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
    EXPECT_EQ(FileCount(m_folder), 1);
    EXPECT_THROW(CStdioFile(Path("missing.INI").c_str(), CFile::modeRead), CFileException);
}

// A writer, plain or replacing, keeps writers and deny-write readers of another process out;
// a deny-none reader gets in and sees the file as it was before the replacement.
TEST_F(FileTest, AWriterKeepsWritersOfAnotherProcessOut) {
    const std::string path = Path("Units_Mode.INI");
    for (const UINT writerFlags : {kWriteDenyWrite, kReplace}) {
        SCOPED_TRACE(writerFlags);
        Spit(path, "old\r\n");
        const std::string seen = writerFlags == kReplace ? "old" : "new";
        CStdioFile reader;
        {
            CStdioFile writer(path.c_str(), writerFlags);
            writer.WriteString("new\n");
            writer.Flush();
            const int child = RunInChild([&] {
                CFile other;
                for (const UINT flags :
                     {UINT{CFile::modeWrite}, kWriteDenyWrite, kReplace, kReadDenyWrite,
                      UINT{CFile::modeRead | CFile::shareExclusive}}) {
                    SetLastError(0);
                    if (OpenCause(other, path, flags) != CFileException::sharingViolation ||
                        GetLastError() != ERROR_SHARING_VIOLATION) {
                        return 1;
                    }
                }
                if (OpenCause(other, path, kReadDenyNone) != -1) {
                    return 2;
                }
                char buffer[8];
                return std::string(buffer, other.Read(buffer, sizeof buffer)) == seen + "\r\n" ? 0
                                                                                               : 3;
            });
            EXPECT_EQ(child, 0);
            EXPECT_EQ(Slurp(path), seen + "\r\n") << "a refused create must not truncate";
            ASSERT_EQ(OpenCause(reader, path, kReadDenyNone), -1);
        }  // the destructor completes the file
        EXPECT_EQ(Slurp(path), "new\r\n");
        EXPECT_EQ(FileCount(m_folder), 1);
        CString line;  // an open reader keeps the file it opened
        EXPECT_TRUE(reader.ReadString(line));
        EXPECT_EQ(line, seen.c_str());
        CFile later;
        EXPECT_EQ(OpenCause(later, path, kReadDenyWrite), -1);
    }
}

// Writes past 64 KiB fail as on a full disk (each case in a child, so the limit stays
// there). However the replacement ends - a failed write or Close, the destructor after a
// failure, Abort - the target keeps its old content and no temporary file is left.
TEST_F(FileTest, UnfinishedReplacementsLeaveTheOldFile) {
    const std::string path = Path("Units_Mode.INI");
    const std::string old = "Units Mode = 1\r\nConversion Mode = 0\r\n";
    Spit(path, old);
    const std::string chunk(4096, 'u');
    enum class End { close, destroy, abort };
    struct Case {
        int chunks;  // 16 fill the limit exactly; "tail" then waits in the buffer
        End end;
        int failedAt;  // 1: a write reported the full disk, 2: Close did, 3: both
    };
    for (const Case c : {Case{64, End::close, 3}, Case{16, End::close, 2},
                         Case{64, End::destroy, 1}, Case{1, End::abort, 0}}) {
        SCOPED_TRACE(::testing::Message() << c.chunks << " chunks, end " << int(c.end));
        const int child = RunInChild([&] {
            const rlimit limit{64 * 1024, 64 * 1024};
            if (std::signal(SIGXFSZ, SIG_IGN) == SIG_ERR || setrlimit(RLIMIT_FSIZE, &limit) != 0) {
                return 10;
            }
            CStdioFile file(path.c_str(), kReplace);
            int failedAt = 0;
            try {
                for (int i = 0; i < c.chunks; ++i) {
                    file.WriteString(chunk.c_str());
                }
                file.WriteString("tail");
            } catch (const CFileException& e) {
                failedAt = e.m_cause == CFileException::diskFull && e.m_lOsError == EFBIG ? 1 : 10;
            }
            try {
                if (c.end == End::close) {
                    file.Close();
                } else if (c.end == End::abort) {
                    file.Abort();
                }
            } catch (const CFileException& e) {
                failedAt += e.m_cause == CFileException::diskFull ? 2 : 10;
            }
            // After Close or Abort the handle is gone; the destructor must not raise.
            return c.end != End::destroy && file.IsOpen() ? 20 : failedAt;
        });
        EXPECT_EQ(child, c.failedAt);
        EXPECT_TRUE(Slurp(path) == old) << "the target changed";
        EXPECT_EQ(FileCount(m_folder), 1);
    }
}

// Root may write anywhere, so the child runs as "nobody" when we are root (the folders
// then belong to nobody).
TEST_F(FileTest, UnwritableFolderOrReadOnlyTargetFailsAndKeepsTheFile) {
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
            return 77;
        }
        if (OpenCause(file, target, kReplace) != CFileException::accessDenied) {
            return 2;
        }
        SetLastError(0);
        const BOOL created = CreateDirectoryA((folder + "/sub").c_str(), nullptr);
        return !created && GetLastError() == ERROR_ACCESS_DENIED ? 0 : 3;
    });
    chmod(folder.c_str(), 0755);
    if (child == 77) {
        GTEST_SKIP() << "cannot drop privileges here";
    }
    EXPECT_EQ(child, 0);
    EXPECT_EQ(Slurp(target), "old");
    EXPECT_EQ(Slurp(readOnly), "secret");
    EXPECT_EQ(FileCount(folder), 2);
}
