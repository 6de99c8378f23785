// The time-series graph's texts: the check of a host's y format, and the trace lines of
// a configuration file.

#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "graph/TimeSeriesGraph_p.h"

namespace ts_graph {

namespace {

constexpr int kMaxDigits = 3;

bool IsFlag(char c) {
    return c != '\0' && std::strchr("-+ #0", c) != nullptr;
}

bool IsFloatConversion(char c) {
    return c != '\0' && std::strchr("fFeEgG", c) != nullptr;
}

// Skips at most kMaxDigits digits; false when there are more.
bool SkipNumber(const char*& p) {
    int digits = 0;
    while (std::isdigit(static_cast<unsigned char>(*p))) {
        ++p;
        if (++digits > kMaxDigits) {
            return false;
        }
    }
    return true;
}

// One conversion after its '%': true (and p past it) for a floating one.
bool SkipFloatConversion(const char*& p) {
    while (IsFlag(*p)) {
        ++p;
    }
    if (!SkipNumber(p)) {
        return false;
    }
    if (*p == '.') {
        ++p;
        if (!SkipNumber(p)) {
            return false;
        }
    }
    if (*p == 'l') {
        ++p;
    }
    if (!IsFloatConversion(*p)) {
        return false;
    }
    ++p;
    return true;
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

void Unescape(std::string& text) {
    static const std::pair<const char*, char> kEscapes[] = {{"\xAB"
                                                             "CR"
                                                             "\xBB",
                                                             '\r'},
                                                            {"\xAB"
                                                             "LF"
                                                             "\xBB",
                                                             '\n'},
                                                            {"\xAB"
                                                             "COMMA"
                                                             "\xBB",
                                                             ','}};
    for (const auto& [escape, replacement] : kEscapes) {
        const std::size_t length = std::strlen(escape);
        for (std::size_t at = text.find(escape); at != std::string::npos;
             at = text.find(escape, at + 1)) {
            text.replace(at, length, 1, replacement);
        }
    }
}

// The fields of a line: split at commas outside double quotes.
std::vector<std::string> Fields(const std::string& line) {
    std::vector<std::string> fields;
    std::size_t i = 0;
    const std::size_t n = line.size();
    for (;;) {
        while (i < n && IsBlank(line[i])) {
            ++i;
        }
        std::string field;
        if (i < n && line[i] == '"') {
            // Quoted: up to the closing quote (the end of the line when there is none).
            for (++i; i < n; ++i) {
                if (line[i] != '"') {
                    field += line[i];
                } else if (i + 1 < n && line[i + 1] == '"') {
                    field += '"';
                    ++i;
                } else {
                    ++i;
                    break;
                }
            }
            // Anything between the closing quote and the comma is kept, blanks aside.
            while (i < n && line[i] != ',') {
                if (!IsBlank(line[i])) {
                    field += line[i];
                }
                ++i;
            }
        } else {
            while (i < n && line[i] != ',') {
                field += line[i++];
            }
            while (!field.empty() && IsBlank(field.back())) {
                field.pop_back();
            }
        }
        Unescape(field);
        fields.push_back(std::move(field));
        if (i >= n) {
            return fields;
        }
        ++i;  // past the comma
    }
}

bool ParseColour(const std::string& field, COLORREF& colour) {
    if (field.empty()) {
        return false;
    }
    // As atoi reads it: text that is no number is 0.
    errno = 0;
    const long long value = std::strtoll(field.c_str(), nullptr, 10);
    if (errno == ERANGE || value < 0 || value > 0xFFFFFF) {
        return false;
    }
    colour = static_cast<COLORREF>(value);
    return true;
}

}  // namespace

bool IsOneFloatFormat(const char* format) {
    if (!format) {
        return false;
    }
    int conversions = 0;
    for (const char* p = format; *p != '\0';) {
        if (*p++ != '%') {
            continue;
        }
        if (*p == '%') {
            ++p;
            continue;
        }
        if (!SkipFloatConversion(p) || ++conversions > 1) {
            return false;
        }
    }
    return conversions == 1;
}

CString FormatY(const char* format, double value) {
    CString text;
    if (IsOneFloatFormat(format)) {
        text.Format(format, value);
    }
    return text;
}

TraceLine SplitTraceLine(const CString& line) {
    TraceLine trace;
    const std::string text(static_cast<const char*>(line),
                           static_cast<std::size_t>(line.GetLength()));
    trace.blank = text.find_first_not_of(" \t\r\n") == std::string::npos;
    if (trace.blank) {
        return trace;
    }
    const std::vector<std::string> fields = Fields(text);
    const auto field = [&](std::size_t index) {
        return index < fields.size() ? fields[index] : std::string();
    };
    trace.name = field(0).c_str();
    trace.hasColour = ParseColour(field(1), trace.colour);
    trace.attribute1 = field(2).c_str();
    trace.attribute2 = field(3).c_str();
    return trace;
}

}  // namespace ts_graph
