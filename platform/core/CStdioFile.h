#pragma once
// CStdioFile: a buffered CFile. In text mode (the default unless typeBinary is given) a
// written "\n" is stored as CR LF, and reading accepts CR LF or LF line ends.

#include <cstdio>

#include "platform/core/CFile.h"

class SUI_API CStdioFile : public CFile {
public:
    static const CRuntimeClass runtimeClass;
    const CRuntimeClass* GetRuntimeClass() const override { return &runtimeClass; }

    CStdioFile() = default;
    CStdioFile(const char* fileName, UINT openFlags);
    ~CStdioFile() override;

    // The next line without its end; FALSE only at the end of the file with nothing read
    // (a last line without a line end is still returned).
    virtual BOOL ReadString(CString& line);
    // Up to maxLength - 1 bytes, stopping after a "\n" which is kept; nullptr at the end.
    virtual char* ReadString(char* buffer, UINT maxLength);
    // Writes the text as it is (no line end is added).
    virtual void WriteString(const char* text);

    UINT Read(void* buffer, UINT count) override;
    void Write(const void* buffer, UINT count) override;
    ULONGLONG Seek(LONGLONG offset, UINT from) override;
    ULONGLONG GetPosition() const override;
    ULONGLONG GetLength() const override;
    void Flush() override;

    FILE* m_pStream = nullptr;

protected:
    bool OnOpened() override;
    bool OnClosing() override;

private:
    bool IsText() const { return (OpenFlagsUsed() & typeBinary) == 0; }
    void RequireStream() const;
};
