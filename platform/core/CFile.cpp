#include "platform/core/CFile.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <mutex>
#include <optional>
#include <utility>

#include "platform/core/Drives.h"

const CRuntimeClass CFile::runtimeClass = plat::MakeRuntimeClass<CFile, CObject>("CFile");

namespace {

constexpr DWORD ERROR_TOO_MANY_OPEN_FILES = 4;
constexpr DWORD ERROR_GEN_FAILURE = 31;
constexpr DWORD ERROR_FILENAME_EXCED_RANGE = 206;
constexpr int kOpenAttempts = 3;

// A descriptor that closes itself unless released.
class UniqueFd {
public:
    explicit UniqueFd(int fd = -1) : m_fd(fd) {}
    ~UniqueFd() {
        if (m_fd >= 0) {
            close(m_fd);
        }
    }
    UniqueFd(UniqueFd&& other) noexcept : m_fd(std::exchange(other.m_fd, -1)) {}
    UniqueFd& operator=(UniqueFd&& other) noexcept {
        std::swap(m_fd, other.m_fd);
        return *this;
    }
    UniqueFd(const UniqueFd&) = delete;
    UniqueFd& operator=(const UniqueFd&) = delete;

    int get() const { return m_fd; }
    bool valid() const { return m_fd >= 0; }
    int release() { return std::exchange(m_fd, -1); }

private:
    int m_fd;
};

// An open descriptor, or the errno that prevented it.
struct Opened {
    UniqueFd fd;
    int error = 0;
};

Opened Failed(int error) {
    return Opened{UniqueFd(), error};
}

std::string ParentFolder(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string BaseName(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool FolderExists(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

struct FailureCause {
    int cause;
    DWORD win32;
};

FailureCause CauseOf(int error, const std::string& path) {
    switch (error) {
        case ENOENT:
            return FolderExists(ParentFolder(path))
                       ? FailureCause{CFileException::fileNotFound, ERROR_FILE_NOT_FOUND}
                       : FailureCause{CFileException::badPath, ERROR_PATH_NOT_FOUND};
        case ENOTDIR:
            return {CFileException::badPath, ERROR_PATH_NOT_FOUND};
        case ENAMETOOLONG:
            return {CFileException::badPath, ERROR_FILENAME_EXCED_RANGE};
        case EACCES:
        case EPERM:
        case EROFS:
        case EISDIR:
        case ETXTBSY:
            return {CFileException::accessDenied, ERROR_ACCESS_DENIED};
        case EMFILE:
        case ENFILE:
            return {CFileException::tooManyOpenFiles, ERROR_TOO_MANY_OPEN_FILES};
        case EWOULDBLOCK:
            return {CFileException::sharingViolation, ERROR_SHARING_VIOLATION};
        case ENOSPC:
        case EDQUOT:
        case EFBIG:
            return {CFileException::diskFull, ERROR_DISK_FULL};
        case EINVAL:
            return {CFileException::genericException, ERROR_INVALID_PARAMETER};
        default:
            return {CFileException::genericException, ERROR_GEN_FAILURE};
    }
}

int WriteFailureCause(int error) {
    return (error == ENOSPC || error == EDQUOT || error == EFBIG) ? CFileException::diskFull
                                                                  : CFileException::hardIO;
}

int AccessFlags(UINT openFlags) {
    switch (openFlags & 3) {
        case CFile::modeRead:
            return O_RDONLY;
        case CFile::modeWrite:
            return O_WRONLY;
        default:
            return O_RDWR;
    }
}

// The advisory lock that makes the framework's sharing collisions happen: whoever may
// write locks exclusively; a reader that denies writing locks shared, so writers fail
// while it reads. Denying reads to other readers is not emulated.
int SharingLockFor(UINT openFlags) {
    if ((openFlags & (CFile::modeWrite | CFile::modeReadWrite)) != 0) {
        return LOCK_EX;
    }
    switch (openFlags & 0x70) {
        case CFile::shareDenyNone:
        case CFile::shareDenyRead:
            return 0;
        default:  // deny-write, exclusive and compatibility mode (the framework's default)
            return LOCK_SH;
    }
}

// True when the path still names the file behind fd. A replacement may have been renamed
// over the name between our open and our lock; then the lock guards a file nobody sees.
bool StillNamedBy(int fd, const std::string& path) {
    struct stat opened {};
    struct stat named {};
    return fstat(fd, &opened) == 0 && stat(path.c_str(), &named) == 0 &&
           opened.st_dev == named.st_dev && opened.st_ino == named.st_ino;
}

Opened OpenLocked(const std::string& path, int openFlags, int lock) {
    for (int attempt = 1;; ++attempt) {
        UniqueFd fd(open(path.c_str(), openFlags | O_CLOEXEC, 0666));
        if (!fd.valid()) {
            return Failed(errno);
        }
        struct stat info {};
        if (fstat(fd.get(), &info) != 0) {
            return Failed(errno);
        }
        if (S_ISDIR(info.st_mode)) {
            return Failed(EISDIR);
        }
        if (lock == 0) {
            return Opened{std::move(fd)};
        }
        if (flock(fd.get(), lock | LOCK_NB) != 0) {
            return Failed(errno == EINTR ? EWOULDBLOCK : errno);
        }
        if (StillNamedBy(fd.get(), path)) {
            return Opened{std::move(fd)};
        }
        if (attempt == kOpenAttempts) {
            return Failed(EWOULDBLOCK);  // replaced again and again: as good as busy
        }
    }
}

Opened OpenInPlace(const std::string& path, UINT openFlags) {
    const bool create = (openFlags & CFile::modeCreate) != 0;
    const int access = AccessFlags(openFlags);
    // Never O_TRUNC: another handle may hold the file, and we learn that only at the lock.
    Opened opened = OpenLocked(path, access | (create ? O_CREAT : 0), SharingLockFor(openFlags));
    const bool truncate = create && (openFlags & CFile::modeNoTruncate) == 0 && access != O_RDONLY;
    if (opened.fd.valid() && truncate && ftruncate(opened.fd.get(), 0) != 0) {
        return Failed(errno);
    }
    return opened;
}

// The file a replacement must land on: a symbolic link stays and its target is replaced.
std::string ReplacementTarget(const std::string& path) {
    struct stat info {};
    if (lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) {
        return path;
    }
    char resolved[PATH_MAX];
    return realpath(path.c_str(), resolved) ? std::string(resolved) : path;
}

mode_t CurrentUmask() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("Umask:", 0) == 0) {
            return static_cast<mode_t>(std::strtoul(line.c_str() + 6, nullptr, 8));
        }
    }
    // Without /proc the only way to read the mask is to set it; keep the window short.
    static std::mutex mutex;
    const std::lock_guard lock(mutex);
    const mode_t mask = umask(022);
    umask(mask);
    return mask;
}

// The new file gets what the old one had (or what a plain create would give).
void CopyAttributes(int tempFd, int oldFd) {
    struct stat old {};
    if (oldFd >= 0 && fstat(oldFd, &old) == 0) {
        fchmod(tempFd, old.st_mode & 07777);
        if (fchown(tempFd, old.st_uid, old.st_gid) != 0) {
            // Only the owner's group or root may hand a file over; keep ours then.
        }
    } else {
        fchmod(tempFd, 0666 & ~CurrentUmask());
    }
}

UniqueFd MakeTemporaryBeside(const std::string& target, std::string& tempPath) {
    // Room for the prefix and suffix within a file name's 255 bytes.
    tempPath = ParentFolder(target) + "/." + BaseName(target).substr(0, 200) + ".XXXXXX";
    return UniqueFd(mkostemp(tempPath.data(), O_CLOEXEC));
}

struct Replacement {
    Opened data;         // the temporary file
    UniqueFd lock;       // the existing target, locked
    std::string target;  // where the data goes on Close
    std::string tempPath;
};

Replacement OpenReplacement(const std::string& path, UINT openFlags) {
    Replacement replacement;
    const bool writable = AccessFlags(openFlags) != O_RDONLY;
    if ((openFlags & CFile::modeCreate) == 0 || (openFlags & CFile::modeNoTruncate) != 0 ||
        !writable) {
        replacement.data = Failed(EINVAL);
        return replacement;
    }
    replacement.target = ReplacementTarget(path);
    Opened existing = OpenLocked(replacement.target, O_RDONLY, LOCK_EX);
    if (existing.error != 0 && existing.error != ENOENT) {
        replacement.data = Failed(existing.error);
        return replacement;
    }
    if (existing.fd.valid() && access(replacement.target.c_str(), W_OK) != 0) {
        replacement.data = Failed(errno);  // a read-only file is not ours to replace
        return replacement;
    }
    UniqueFd temp = MakeTemporaryBeside(replacement.target, replacement.tempPath);
    if (!temp.valid()) {
        replacement.data = Failed(errno);
        return replacement;
    }
    CopyAttributes(temp.get(), existing.fd.get());
    replacement.data = Opened{std::move(temp)};
    replacement.lock = std::move(existing.fd);
    return replacement;
}

void SyncFolder(const std::string& folder) {
    const UniqueFd fd(open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.valid()) {
        fsync(fd.get());
    }
}

}  // namespace

CFile::CFile(const char* fileName, UINT openFlags) {
    CFileException error;
    if (!Open(fileName, openFlags, &error)) {
        throw error;
    }
}

CFile::~CFile() {
    // A derived class has already released its own layer; nothing may be raised here.
    Finish(true);
}

BOOL CFile::Open(const char* fileName, UINT openFlags, CFileException* error) {
    if (IsOpen()) {
        Abort();
    }
    const auto fail = [&](int osError, const std::string& hostPath) {
        const FailureCause cause = CauseOf(osError, hostPath);
        SetLastError(cause.win32);
        if (error) {
            *error = CFileException(cause.cause, osError, fileName);
        }
        return FALSE;
    };
    const auto hostPath = fileName ? plat::ToHostPath(fileName) : std::nullopt;
    if (!hostPath || hostPath->empty()) {
        return fail(ENOTDIR, std::string());  // no such drive: the path cannot be found
    }
    if ((openFlags & plat::modeReplaceOnClose) != 0) {
        Replacement replacement = OpenReplacement(*hostPath, openFlags);
        if (replacement.data.error != 0) {
            return fail(replacement.data.error, *hostPath);
        }
        m_hFile = replacement.data.fd.release();
        m_lockFile = replacement.lock.release();
        m_hostPath = replacement.target;
        m_tempPath = replacement.tempPath;
    } else {
        Opened opened = OpenInPlace(*hostPath, openFlags);
        if (opened.error != 0) {
            return fail(opened.error, *hostPath);
        }
        m_hFile = opened.fd.release();
        m_hostPath = *hostPath;
    }
    m_openFlags = openFlags;
    m_writeError = 0;
    m_strFileName = fileName;
    if (!OnOpened()) {
        const int osError = errno != 0 ? errno : EMFILE;
        Abort();
        return fail(osError, *hostPath);
    }
    return TRUE;
}

void CFile::Close() {
    const CString name = m_strFileName;
    if (const int error = Finish(true)) {
        throw CFileException(WriteFailureCause(error), error, name);
    }
}

void CFile::Abort() {
    Finish(false);
}

int CFile::Finish(bool keep) {
    if (!IsOpen()) {
        return 0;
    }
    if (!OnClosing() && m_writeError == 0) {
        m_writeError = EIO;
    }
    int error = m_writeError;
    if (!m_tempPath.empty()) {
        error = CompleteReplacement(error, keep);
    } else if (close(m_hFile) != 0 && error == 0 && IsWritable()) {
        error = errno;
    }
    if (m_lockFile >= 0) {
        close(m_lockFile);  // only now may others open the (new) file
    }
    m_hFile = -1;
    m_lockFile = -1;
    m_hostPath.clear();
    m_tempPath.clear();
    m_openFlags = 0;
    m_writeError = 0;
    return keep ? error : 0;
}

// The new data reaches the disk before its name does, so a crash leaves the old file or
// the complete new one, never a mix.
int CFile::CompleteReplacement(int error, bool keep) {
    if (keep && error == 0 && fsync(m_hFile) != 0) {
        error = errno;
    }
    if (close(m_hFile) != 0 && error == 0) {
        error = errno;
    }
    if (keep && error == 0 && rename(m_tempPath.c_str(), m_hostPath.c_str()) != 0) {
        error = errno;
    }
    if (!keep || error != 0) {
        unlink(m_tempPath.c_str());
    } else {
        SyncFolder(ParentFolder(m_hostPath));
    }
    return error;
}

UINT CFile::Read(void* buffer, UINT count) {
    RequireOpen();
    char* bytes = static_cast<char*>(buffer);
    UINT done = 0;
    while (done < count) {
        const ssize_t n = read(m_hFile, bytes + done, count - done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            ThrowFileError(errno == EISDIR ? CFileException::accessDenied : CFileException::hardIO,
                           errno);
        }
        if (n == 0) {
            break;
        }
        done += static_cast<UINT>(n);
    }
    return done;
}

void CFile::Write(const void* buffer, UINT count) {
    RequireOpen();
    const char* bytes = static_cast<const char*>(buffer);
    UINT done = 0;
    while (done < count) {
        const ssize_t n = write(m_hFile, bytes + done, count - done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            ThrowWriteFailure(n < 0 ? errno : ENOSPC);
        }
        done += static_cast<UINT>(n);
    }
}

ULONGLONG CFile::Seek(LONGLONG offset, UINT from) {
    RequireOpen();
    static constexpr int kWhence[] = {SEEK_SET, SEEK_CUR, SEEK_END};
    if (from > end) {
        ThrowFileError(CFileException::badSeek, EINVAL);
    }
    const off_t position = lseek(m_hFile, offset, kWhence[from]);
    if (position < 0) {
        ThrowFileError(CFileException::badSeek, errno);
    }
    return static_cast<ULONGLONG>(position);
}

ULONGLONG CFile::GetPosition() const {
    RequireOpen();
    const off_t position = lseek(m_hFile, 0, SEEK_CUR);
    if (position < 0) {
        ThrowFileError(CFileException::badSeek, errno);
    }
    return static_cast<ULONGLONG>(position);
}

ULONGLONG CFile::GetLength() const {
    RequireOpen();
    struct stat info {};
    if (fstat(m_hFile, &info) != 0) {
        ThrowFileError(CFileException::hardIO, errno);
    }
    return static_cast<ULONGLONG>(info.st_size);
}

void CFile::Flush() {
    RequireOpen();
    if (IsWritable() && fsync(m_hFile) != 0 && errno != EINVAL && errno != EROFS) {
        ThrowWriteFailure(errno);
    }
}

void CFile::SetFilePath(const char* newName) {
    if (!newName) {
        AfxThrowInvalidArgException();
    }
    m_strFileName = newName;
}

CString CFile::GetFileName() const {
    const int separator = std::max(m_strFileName.ReverseFind('\\'), m_strFileName.ReverseFind('/'));
    return m_strFileName.Mid(separator + 1);
}

void CFile::NoteWriteFailure(int osError) {
    if (m_writeError == 0) {
        m_writeError = osError != 0 ? osError : EIO;
    }
}

void CFile::ThrowWriteFailure(int osError) {
    NoteWriteFailure(osError);
    ThrowFileError(WriteFailureCause(osError), osError);
}

void CFile::ThrowFileError(int cause, int osError) const {
    throw CFileException(cause, osError, m_strFileName);
}

void CFile::RequireOpen() const {
    if (!IsOpen()) {
        ThrowFileError(CFileException::invalidFile, EBADF);
    }
}
