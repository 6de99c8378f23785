#pragma once
// CFile: an unbuffered file handle with the framework's open modes and sharing flags.
//
// Sharing between handles and processes is emulated with advisory locks (flock): a handle
// that may write, or that denies writing to others, holds the lock exclusively or shared
// so that the same collisions fail as on Windows: while one handle writes, another open
// that writes or denies writing fails at once with a sharing violation.
//
// plat::modeReplaceOnClose (with modeCreate | modeWrite) writes into a temporary file in
// the same folder and renames it over the target on Close, so a crash or a failed write
// never leaves a half-written file: the old file survives until the new one is complete.

#include <string>

#include "platform/core/CObject.h"
#include "platform/core/CString.h"
#include "platform/core/Exceptions.h"

namespace plat {
constexpr UINT modeReplaceOnClose = 0x100000;
}

class SUI_API CFile : public CObject {
public:
    enum OpenFlags : UINT {
        modeRead = 0x0000,
        modeWrite = 0x0001,
        modeReadWrite = 0x0002,
        shareCompat = 0x0000,
        shareExclusive = 0x0010,
        shareDenyWrite = 0x0020,
        shareDenyRead = 0x0030,
        shareDenyNone = 0x0040,
        modeNoInherit = 0x0080,
        modeCreate = 0x1000,
        modeNoTruncate = 0x2000,
        typeText = 0x4000,
        typeBinary = 0x8000,
        osNoBuffer = 0x10000,
    };
    enum SeekPosition : UINT { begin = 0, current = 1, end = 2 };

    static const CRuntimeClass runtimeClass;
    const CRuntimeClass* GetRuntimeClass() const override { return &runtimeClass; }

    CFile() = default;
    // Opens at once; raises CFileException on failure.
    CFile(const char* fileName, UINT openFlags);
    ~CFile() override;
    CFile(const CFile&) = delete;
    CFile& operator=(const CFile&) = delete;

    // FALSE on failure, with the cause in *error when given. The name is a Windows path
    // mapped through the drive table (or a plain path of this machine).
    virtual BOOL Open(const char* fileName, UINT openFlags, CFileException* error = nullptr);
    // Completes the file (and, for modeReplaceOnClose, replaces the target) and releases
    // the handle. Raises CFileException when the data could not be written.
    virtual void Close();
    // Releases the handle without raising; an unfinished replacement is discarded.
    virtual void Abort();

    virtual UINT Read(void* buffer, UINT count);
    virtual void Write(const void* buffer, UINT count);
    virtual ULONGLONG Seek(LONGLONG offset, UINT from);
    virtual ULONGLONG GetPosition() const;
    virtual ULONGLONG GetLength() const;
    virtual void Flush();
    void SeekToBegin() { Seek(0, begin); }
    ULONGLONG SeekToEnd() { return Seek(0, end); }

    virtual CString GetFilePath() const { return m_strFileName; }
    virtual void SetFilePath(const char* newName);
    CString GetFileName() const;

    bool IsOpen() const { return m_hFile >= 0; }

protected:
    // Lets a derived class adopt the descriptor (e.g. put a stream over it) after Open;
    // false (with errno set) makes the open fail.
    virtual bool OnOpened() { return true; }
    // Lets a derived class release what it built over the descriptor before it closes;
    // returns false (after NoteWriteFailure) when buffered data could not be written.
    virtual bool OnClosing() { return true; }
    int Descriptor() const { return m_hFile; }
    void ForgetDescriptor() { m_hFile = -1; }
    UINT OpenFlagsUsed() const { return m_openFlags; }
    bool IsWritable() const { return (m_openFlags & (modeWrite | modeReadWrite)) != 0; }

    // Records that written data was lost, so that Close keeps no incomplete replacement.
    void NoteWriteFailure(int osError);
    // NoteWriteFailure, then raises CFileException (diskFull or hardIO).
    [[noreturn]] void ThrowWriteFailure(int osError);
    [[noreturn]] void ThrowFileError(int cause, int osError) const;
    void RequireOpen() const;

private:
    // Releases everything; returns 0 or the errno that kept the data from being stored.
    int Finish(bool keep);
    int CompleteReplacement(int error, bool keep);

    int m_hFile = -1;        // the data: the file itself or the temporary replacement
    int m_lockFile = -1;     // for a replacement: the target, held for its lock
    std::string m_hostPath;  // the target on this machine
    std::string m_tempPath;  // the temporary replacement, when replacing
    UINT m_openFlags = 0;
    int m_writeError = 0;  // errno of the first lost write, 0 while all went well
    CString m_strFileName;
};
