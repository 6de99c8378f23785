#include "platform/core/CString.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "platform/core/Exceptions.h"
#include "platform/core/ExtensionModule.h"

namespace {

constexpr const char* kWhiteSpace = " \t\r\n\v\f";

int ClampIndex(int index, int length) {
    return std::clamp(index, 0, length);
}

char AsciiUpper(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c;
}
char AsciiLower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
}

}  // namespace

CString::CString(const char* text) : m_data(text ? text : "") {}

CString::CString(const char* text, int length) {
    if (text && length > 0) {
        m_data.assign(text, static_cast<size_t>(length));
    }
}

CString::CString(char ch, int repeat) {
    if (repeat > 0) {
        m_data.assign(static_cast<size_t>(repeat), ch);
    }
}

CString& CString::operator=(const char* text) {
    m_data = text ? text : "";
    return *this;
}

CString& CString::operator=(char ch) {
    m_data.assign(1, ch);
    return *this;
}

BOOL CString::LoadString(UINT id) {
    const auto bytes = plat::FindResourceOnChain(id, plat::ResourceType::String);
    if (bytes.empty()) {
        return FALSE;
    }
    m_data.assign(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    return TRUE;
}

char CString::GetAt(int index) const {
    if (index < 0 || index > GetLength()) {
        AfxThrowInvalidArgException();
    }
    return m_data.c_str()[index];  // index == length reads the terminator, as the framework
}

void CString::SetAt(int index, char ch) {
    if (index < 0 || index >= GetLength()) {
        AfxThrowInvalidArgException();
    }
    m_data[static_cast<size_t>(index)] = ch;
}

char* CString::GetBuffer(int minLength) {
    if (minLength > GetLength()) {
        // The extra room is zero-filled so ReleaseBuffer(-1) finds the end.
        m_data.resize(static_cast<size_t>(minLength), '\0');
    }
    return m_data.data();
}

char* CString::GetBufferSetLength(int length) {
    m_data.resize(static_cast<size_t>(std::max(length, 0)), '\0');
    return m_data.data();
}

void CString::ReleaseBuffer(int newLength) {
    if (newLength < 0) {
        newLength = static_cast<int>(std::strlen(m_data.c_str()));
    }
    m_data.resize(static_cast<size_t>(std::min(newLength, GetLength())));
}

void CString::Format(const char* format, ...) {
    va_list args;
    va_start(args, format);
    FormatV(format, args);
    va_end(args);
}

void CString::FormatV(const char* format, va_list args) {
    if (!format) {
        AfxThrowInvalidArgException();
    }
    va_list measure;
    va_copy(measure, args);
    const int length = std::vsnprintf(nullptr, 0, format, measure);
    va_end(measure);
    if (length < 0) {
        AfxThrowInvalidArgException();
    }
    std::string result(static_cast<size_t>(length) + 1, '\0');
    std::vsnprintf(result.data(), result.size(), format, args);
    result.resize(static_cast<size_t>(length));  // keeps an embedded NUL from "%c" of 0
    m_data = std::move(result);
}

void CString::AppendFormat(const char* format, ...) {
    CString tail;
    va_list args;
    va_start(args, format);
    tail.FormatV(format, args);
    va_end(args);
    m_data += tail.m_data;
}

CString& CString::operator+=(const CString& text) {
    m_data += text.m_data;
    return *this;
}

CString& CString::operator+=(const char* text) {
    if (text) {
        m_data += text;
    }
    return *this;
}

CString& CString::operator+=(char ch) {
    m_data.push_back(ch);
    return *this;
}

void CString::Append(const char* text, int length) {
    if (text && length > 0) {
        m_data.append(text, static_cast<size_t>(length));
    }
}

int CString::Replace(char oldCh, char newCh) {
    int count = 0;
    for (char& c : m_data) {
        if (c == oldCh) {
            c = newCh;
            ++count;
        }
    }
    return count;
}

int CString::Replace(const char* oldText, const char* newText) {
    const size_t oldLength = oldText ? std::strlen(oldText) : 0;
    if (oldLength == 0) {
        return 0;
    }
    const std::string replacement = newText ? newText : "";
    std::string result;
    int count = 0;
    size_t from = 0;
    for (size_t at = m_data.find(oldText, 0, oldLength); at != std::string::npos;
         at = m_data.find(oldText, from, oldLength)) {
        result.append(m_data, from, at - from);
        result += replacement;
        from = at + oldLength;
        ++count;
    }
    result.append(m_data, from, std::string::npos);
    m_data = std::move(result);
    return count;
}

int CString::Insert(int index, char ch) {
    m_data.insert(static_cast<size_t>(ClampIndex(index, GetLength())), 1, ch);
    return GetLength();
}

int CString::Insert(int index, const char* text) {
    if (text) {
        m_data.insert(static_cast<size_t>(ClampIndex(index, GetLength())), text);
    }
    return GetLength();
}

int CString::Delete(int index, int count) {
    index = std::max(index, 0);
    if (count > 0 && index < GetLength()) {
        m_data.erase(static_cast<size_t>(index), static_cast<size_t>(count));
    }
    return GetLength();
}

int CString::Remove(char ch) {
    const auto removed = std::erase(m_data, ch);
    return static_cast<int>(removed);
}

int CString::Find(char ch, int start) const {
    if (start < 0 || start >= GetLength()) {
        return -1;
    }
    const size_t at = m_data.find(ch, static_cast<size_t>(start));
    return at == std::string::npos ? -1 : static_cast<int>(at);
}

int CString::Find(const char* text, int start) const {
    if (!text || start < 0 || start > GetLength()) {
        return -1;
    }
    const size_t at = m_data.find(text, static_cast<size_t>(start));
    return at == std::string::npos ? -1 : static_cast<int>(at);
}

int CString::ReverseFind(char ch) const {
    const size_t at = m_data.rfind(ch);
    return at == std::string::npos ? -1 : static_cast<int>(at);
}

int CString::FindOneOf(const char* chars) const {
    if (!chars) {
        return -1;
    }
    const size_t at = m_data.find_first_of(chars);
    return at == std::string::npos ? -1 : static_cast<int>(at);
}

CString CString::Left(int count) const {
    return CString(
        std::string_view(m_data).substr(0, static_cast<size_t>(ClampIndex(count, GetLength()))));
}

CString CString::Mid(int first) const {
    return Mid(first, GetLength());
}

CString CString::Mid(int first, int count) const {
    first = ClampIndex(first, GetLength());
    count = ClampIndex(count, GetLength() - first);
    return CString(
        std::string_view(m_data).substr(static_cast<size_t>(first), static_cast<size_t>(count)));
}

CString CString::Right(int count) const {
    count = ClampIndex(count, GetLength());
    return CString(std::string_view(m_data).substr(static_cast<size_t>(GetLength() - count)));
}

CString CString::SpanIncluding(const char* chars) const {
    const size_t end = chars ? m_data.find_first_not_of(chars) : 0;
    return Left(end == std::string::npos ? GetLength() : static_cast<int>(end));
}

CString CString::SpanExcluding(const char* chars) const {
    const size_t end = chars ? m_data.find_first_of(chars) : std::string::npos;
    return Left(end == std::string::npos ? GetLength() : static_cast<int>(end));
}

CString CString::Tokenize(const char* delimiters, int& start) const {
    if (start < 0 || start >= GetLength()) {
        start = -1;
        return CString();
    }
    const std::string delims = delimiters ? delimiters : "";
    const size_t from = m_data.find_first_not_of(delims, static_cast<size_t>(start));
    if (from == std::string::npos) {
        start = -1;
        return CString();
    }
    size_t to = m_data.find_first_of(delims, from);
    if (to == std::string::npos) {
        to = m_data.size();
    }
    start = static_cast<int>(std::min(to + 1, m_data.size()));
    return CString(std::string_view(m_data).substr(from, to - from));
}

CString& CString::Trim() {
    return TrimRight().TrimLeft();
}
CString& CString::Trim(char target) {
    return TrimRight(target).TrimLeft(target);
}
CString& CString::Trim(const char* targets) {
    return TrimRight(targets).TrimLeft(targets);
}
CString& CString::TrimLeft() {
    return TrimLeft(kWhiteSpace);
}
CString& CString::TrimRight() {
    return TrimRight(kWhiteSpace);
}

CString& CString::TrimLeft(char target) {
    const char targets[2] = {target, '\0'};
    return TrimLeft(targets);
}

CString& CString::TrimRight(char target) {
    const char targets[2] = {target, '\0'};
    return TrimRight(targets);
}

CString& CString::TrimLeft(const char* targets) {
    if (targets && *targets) {
        const size_t first = m_data.find_first_not_of(targets);
        m_data.erase(0, first == std::string::npos ? m_data.size() : first);
    }
    return *this;
}

CString& CString::TrimRight(const char* targets) {
    if (targets && *targets) {
        const size_t last = m_data.find_last_not_of(targets);
        m_data.erase(last == std::string::npos ? 0 : last + 1);
    }
    return *this;
}

CString& CString::MakeUpper() {
    std::transform(m_data.begin(), m_data.end(), m_data.begin(), AsciiUpper);
    return *this;
}

CString& CString::MakeLower() {
    std::transform(m_data.begin(), m_data.end(), m_data.begin(), AsciiLower);
    return *this;
}

CString& CString::MakeReverse() {
    std::reverse(m_data.begin(), m_data.end());
    return *this;
}

int CString::Compare(const char* text) const {
    const int result = std::strcmp(m_data.c_str(), text ? text : "");
    return (result > 0) - (result < 0);
}

int CString::CompareNoCase(const char* text) const {
    const char* a = m_data.c_str();
    const char* b = text ? text : "";
    for (;; ++a, ++b) {
        const auto ca = static_cast<unsigned char>(AsciiLower(*a));
        const auto cb = static_cast<unsigned char>(AsciiLower(*b));
        if (ca != cb || ca == 0) {
            return (ca > cb) - (ca < cb);
        }
    }
}

CString operator+(const CString& a, const CString& b) {
    CString result(a);
    result += b;
    return result;
}

CString operator+(const CString& a, const char* b) {
    CString result(a);
    result += b;
    return result;
}

CString operator+(const char* a, const CString& b) {
    CString result(a);
    result += b;
    return result;
}

CString operator+(const CString& a, char b) {
    CString result(a);
    result += b;
    return result;
}

CString operator+(char a, const CString& b) {
    CString result(a);
    result += b;
    return result;
}
