#pragma once
// CString: the framework's 8-bit string. It holds bytes of the Windows-1252 code page
// (degree sign 0xB0, plus-minus 0xB1, bullet 0x95); nothing here converts characters.
// Indices are byte positions; out-of-range positions are clamped as the framework does.

#include <cstdarg>
#include <string>
#include <string_view>

#include "platform/core/WinTypes.h"

class SUI_API CString {
public:
    CString() = default;
    CString(const char* text);  // NOLINT: implicit, as in the framework
    CString(const char* text, int length);
    CString(char ch, int repeat = 1);
    CString(std::string_view text) : m_data(text) {}  // NOLINT
    CString(const CString&) = default;
    CString(CString&&) noexcept = default;
    CString& operator=(const CString&) = default;
    CString& operator=(CString&&) noexcept = default;
    CString& operator=(const char* text);
    CString& operator=(char ch);

    // String resource id of the newest module on the chain that holds it; FALSE (text
    // unchanged) when none does.
    BOOL LoadString(UINT id);

    int GetLength() const { return static_cast<int>(m_data.size()); }
    bool IsEmpty() const { return m_data.empty(); }
    void Empty() { m_data.clear(); }
    const char* GetString() const { return m_data.c_str(); }
    operator const char*() const { return m_data.c_str(); }  // NOLINT: framework idiom
    const std::string& str() const { return m_data; }

    // Element access; a position outside the string raises the invalid-argument exception.
    char GetAt(int index) const;
    void SetAt(int index, char ch);
    char operator[](int index) const { return GetAt(index); }

    // A writable buffer of at least minLength bytes; ReleaseBuffer(-1) takes the text up to
    // the first NUL, ReleaseBuffer(n) keeps n bytes.
    char* GetBuffer(int minLength = 0);
    char* GetBufferSetLength(int length);
    void ReleaseBuffer(int newLength = -1);

    // printf formatting (the C library's, so '*' widths and precisions work).
    void Format(const char* format, ...) __attribute__((format(printf, 2, 3)));
    void FormatV(const char* format, va_list args);
    void AppendFormat(const char* format, ...) __attribute__((format(printf, 2, 3)));

    CString& operator+=(const CString& text);
    CString& operator+=(const char* text);
    CString& operator+=(char ch);
    void Append(const char* text, int length);
    void AppendChar(char ch) { m_data.push_back(ch); }

    // Editing; each returns what the framework returns (counts or the new length).
    int Replace(char oldCh, char newCh);
    int Replace(const char* oldText, const char* newText);
    int Insert(int index, char ch);
    int Insert(int index, const char* text);
    int Delete(int index, int count = 1);
    int Remove(char ch);

    // Searching; -1 when not found.
    int Find(char ch, int start = 0) const;
    int Find(const char* text, int start = 0) const;
    int ReverseFind(char ch) const;
    int FindOneOf(const char* chars) const;

    CString Left(int count) const;
    CString Mid(int first) const;
    CString Mid(int first, int count) const;
    CString Right(int count) const;
    CString SpanIncluding(const char* chars) const;
    CString SpanExcluding(const char* chars) const;
    CString Tokenize(const char* delimiters, int& start) const;

    // Trimming: no argument trims white space (blank, tab, CR, LF, VT, FF).
    CString& Trim();
    CString& Trim(char target);
    CString& Trim(const char* targets);
    CString& TrimLeft();
    CString& TrimLeft(char target);
    CString& TrimLeft(const char* targets);
    CString& TrimRight();
    CString& TrimRight(char target);
    CString& TrimRight(const char* targets);

    // Case changes touch ASCII letters only; 1252 accented letters stay as they are.
    CString& MakeUpper();
    CString& MakeLower();
    CString& MakeReverse();

    int Compare(const char* text) const;
    int CompareNoCase(const char* text) const;

    friend bool operator==(const CString& a, const CString& b) { return a.m_data == b.m_data; }
    // A null text compares as empty text, as everywhere else in this class.
    friend bool operator==(const CString& a, const char* b) { return a.m_data == (b ? b : ""); }
    friend bool operator<(const CString& a, const CString& b) { return a.m_data < b.m_data; }
    friend bool operator<(const CString& a, const char* b) { return a.m_data < (b ? b : ""); }
    friend bool operator>(const CString& a, const CString& b) { return a.m_data > b.m_data; }

private:
    std::string m_data;
};

// Concatenation (exported: a host program joins texts from the library).
SUI_API CString operator+(const CString& a, const CString& b);
SUI_API CString operator+(const CString& a, const char* b);
SUI_API CString operator+(const char* a, const CString& b);
SUI_API CString operator+(const CString& a, char b);
SUI_API CString operator+(char a, const CString& b);
