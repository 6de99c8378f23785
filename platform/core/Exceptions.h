#pragma once
// The framework's exception classes. The library raises none of its own; the framework
// raises these for invalid arguments, variant conversion failures and file errors.

#include "platform/core/CObject.h"
#include "platform/core/CString.h"

class SUI_API CException : public CObject {
public:
    static const CRuntimeClass runtimeClass;
    const CRuntimeClass* GetRuntimeClass() const override { return &runtimeClass; }
    virtual CString GetErrorMessage() const { return "Unknown error."; }
};

class SUI_API CInvalidArgException : public CException {
public:
    static const CRuntimeClass runtimeClass;
    const CRuntimeClass* GetRuntimeClass() const override { return &runtimeClass; }
    CString GetErrorMessage() const override { return "Invalid argument."; }
};

// Variant conversion failures carry an SCODE such as DISP_E_TYPEMISMATCH.
class SUI_API COleException : public CException {
public:
    explicit COleException(SCODE sc = 0) : m_sc(sc) {}
    static const CRuntimeClass runtimeClass;
    const CRuntimeClass* GetRuntimeClass() const override { return &runtimeClass; }
    CString GetErrorMessage() const override;
    SCODE m_sc;
};

class SUI_API CFileException : public CException {
public:
    enum {
        none = 0,
        genericException = 1,
        fileNotFound = 2,
        badPath = 3,
        tooManyOpenFiles = 4,
        accessDenied = 5,
        invalidFile = 6,
        removeCurrentDir = 7,
        directoryFull = 8,
        badSeek = 9,
        hardIO = 10,
        sharingViolation = 11,
        lockViolation = 12,
        diskFull = 13,
        endOfFile = 14,
    };
    CFileException(int cause = none, LONG osError = -1, const char* fileName = nullptr)
        : m_cause(cause), m_lOsError(osError), m_strFileName(fileName) {}
    static const CRuntimeClass runtimeClass;
    const CRuntimeClass* GetRuntimeClass() const override { return &runtimeClass; }
    CString GetErrorMessage() const override;
    int m_cause;
    LONG m_lOsError;
    CString m_strFileName;
};

constexpr SCODE DISP_E_OVERFLOW = static_cast<SCODE>(0x8002000A);
constexpr SCODE DISP_E_TYPEMISMATCH = static_cast<SCODE>(0x80020005);
constexpr SCODE E_INVALIDARG = static_cast<SCODE>(0x80070057);

[[noreturn]] SUI_API void AfxThrowInvalidArgException();
[[noreturn]] SUI_API void AfxThrowOleException(SCODE sc);
[[noreturn]] SUI_API void AfxThrowFileException(int cause, LONG osError = -1,
                                                const char* fileName = nullptr);
