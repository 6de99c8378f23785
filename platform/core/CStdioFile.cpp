#include "platform/core/CStdioFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <memory>

const CRuntimeClass CStdioFile::runtimeClass =
    plat::MakeRuntimeClass<CStdioFile, CFile>("CStdioFile");

namespace {

const char* StreamMode(UINT openFlags) {
    switch (openFlags & 3) {
        case CFile::modeRead:
            return "r";
        case CFile::modeWrite:
            return "w";  // fdopen never truncates; Open already did what the flags ask
        default:
            return "r+";
    }
}

bool PutBytes(FILE* stream, const char* bytes, size_t count) {
    return count == 0 || std::fwrite(bytes, 1, count, stream) == count;
}

// Stores every "\n" as CR LF.
bool PutText(FILE* stream, const char* text, size_t count) {
    const char* const end = text + count;
    while (text < end) {
        const void* found = std::memchr(text, '\n', static_cast<size_t>(end - text));
        const char* lineEnd = found ? static_cast<const char*>(found) : end;
        if (!PutBytes(stream, text, static_cast<size_t>(lineEnd - text))) {
            return false;
        }
        if (lineEnd == end) {
            break;
        }
        if (!PutBytes(stream, "\r\n", 2)) {
            return false;
        }
        text = lineEnd + 1;
    }
    return true;
}

// The next character with CR LF read as LF; a CR before anything else stays a CR.
int GetTextChar(FILE* stream) {
    const int c = std::getc(stream);
    if (c != '\r') {
        return c;
    }
    const int next = std::getc(stream);
    if (next == '\n') {
        return '\n';
    }
    if (next != EOF) {
        std::ungetc(next, stream);
    }
    return c;
}

}  // namespace

CStdioFile::CStdioFile(const char* fileName, UINT openFlags) {
    CFileException error;
    if (!Open(fileName, openFlags, &error)) {
        throw error;
    }
}

CStdioFile::~CStdioFile() {
    // The base destructor completes the file but can no longer reach our stream; flush it
    // here (a failure is noted, so an unfinished replacement is discarded there).
    CStdioFile::OnClosing();
}

bool CStdioFile::OnOpened() {
    // The stream gets a descriptor of its own on the same open file (same offset, same
    // lock), so the base can still sync and close the file after the stream is gone.
    const int copy = fcntl(Descriptor(), F_DUPFD_CLOEXEC, 0);
    if (copy < 0) {
        return false;
    }
    m_pStream = fdopen(copy, StreamMode(OpenFlagsUsed()));
    if (!m_pStream) {
        const int error = errno;
        close(copy);
        errno = error;
        return false;
    }
    return true;
}

bool CStdioFile::OnClosing() {
    if (!m_pStream) {
        return true;
    }
    // ferror also catches a failed write whose exception the caller swallowed.
    const bool stored = std::fflush(m_pStream) == 0 && !std::ferror(m_pStream);
    const int error = errno;
    std::fclose(m_pStream);
    m_pStream = nullptr;
    if (!IsWritable()) {
        return true;
    }
    if (!stored) {
        NoteWriteFailure(error);
    }
    return stored;
}

BOOL CStdioFile::ReadString(CString& line) {
    RequireStream();
    line.Empty();
    char* raw = nullptr;
    size_t capacity = 0;
    const ssize_t length = getline(&raw, &capacity, m_pStream);
    const std::unique_ptr<char, decltype(&std::free)> owner(raw, &std::free);
    if (length < 0) {
        if (std::ferror(m_pStream)) {
            const int error = errno;
            std::clearerr(m_pStream);
            ThrowFileError(CFileException::hardIO, error);
        }
        return FALSE;
    }
    size_t count = static_cast<size_t>(length);
    if (count > 0 && raw[count - 1] == '\n') {
        --count;
        if (IsText() && count > 0 && raw[count - 1] == '\r') {
            --count;
        }
    }
    line = CString(std::string_view(raw, count));
    return TRUE;
}

char* CStdioFile::ReadString(char* buffer, UINT maxLength) {
    RequireStream();
    if (!buffer || maxLength == 0) {
        AfxThrowInvalidArgException();
    }
    UINT count = 0;
    while (count + 1 < maxLength) {
        const int c = IsText() ? GetTextChar(m_pStream) : std::getc(m_pStream);
        if (c == EOF) {
            break;
        }
        buffer[count++] = static_cast<char>(c);
        if (c == '\n') {
            break;
        }
    }
    buffer[count] = '\0';
    if (std::ferror(m_pStream)) {
        const int error = errno;
        std::clearerr(m_pStream);
        ThrowFileError(CFileException::hardIO, error);
    }
    return (count == 0 && maxLength > 1) ? nullptr : buffer;
}

void CStdioFile::WriteString(const char* text) {
    if (!text) {
        AfxThrowInvalidArgException();
    }
    CStdioFile::Write(text, static_cast<UINT>(std::strlen(text)));
}

UINT CStdioFile::Read(void* buffer, UINT count) {
    RequireStream();
    char* bytes = static_cast<char*>(buffer);
    UINT done = 0;
    if (!IsText()) {
        done = static_cast<UINT>(std::fread(bytes, 1, count, m_pStream));
    } else {
        for (int c = 0; done < count && (c = GetTextChar(m_pStream)) != EOF;) {
            bytes[done++] = static_cast<char>(c);
        }
    }
    if (std::ferror(m_pStream)) {
        const int error = errno;
        std::clearerr(m_pStream);
        ThrowFileError(CFileException::hardIO, error);
    }
    return done;
}

void CStdioFile::Write(const void* buffer, UINT count) {
    RequireStream();
    const char* bytes = static_cast<const char*>(buffer);
    const bool written =
        IsText() ? PutText(m_pStream, bytes, count) : PutBytes(m_pStream, bytes, count);
    if (!written) {
        ThrowWriteFailure(errno);
    }
}

ULONGLONG CStdioFile::Seek(LONGLONG offset, UINT from) {
    RequireStream();
    static constexpr int kWhence[] = {SEEK_SET, SEEK_CUR, SEEK_END};
    if (from > end) {
        ThrowFileError(CFileException::badSeek, EINVAL);
    }
    if (fseeko(m_pStream, offset, kWhence[from]) != 0) {
        ThrowFileError(CFileException::badSeek, errno);
    }
    return GetPosition();
}

ULONGLONG CStdioFile::GetPosition() const {
    RequireStream();
    const off_t position = ftello(m_pStream);
    if (position < 0) {
        ThrowFileError(CFileException::badSeek, errno);
    }
    return static_cast<ULONGLONG>(position);
}

ULONGLONG CStdioFile::GetLength() const {
    RequireStream();
    // A failed flush leaves the stream's error flag set, so Close will not keep the file.
    if (IsWritable() && std::fflush(m_pStream) != 0) {
        const int error = errno;
        const bool full = error == ENOSPC || error == EFBIG || error == EDQUOT;
        ThrowFileError(full ? CFileException::diskFull : CFileException::hardIO, error);
    }
    struct stat info {};
    if (fstat(fileno(m_pStream), &info) != 0) {
        ThrowFileError(CFileException::hardIO, errno);
    }
    return static_cast<ULONGLONG>(info.st_size);
}

void CStdioFile::Flush() {
    RequireStream();
    if (std::fflush(m_pStream) != 0) {
        ThrowWriteFailure(errno);
    }
}

void CStdioFile::RequireStream() const {
    if (!m_pStream) {
        ThrowFileError(CFileException::invalidFile, EBADF);
    }
}
