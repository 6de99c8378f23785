// Profile files (the Windows initialisation-file format) read and written whole.

#include "platform/window/Profile.h"

#include <cstdlib>
#include <cstring>
#include <vector>

#include "platform/core/CStdioFile.h"
#include "platform/core/OsServices.h"

namespace plat {
namespace {

constexpr UINT kReadFlags = CFile::modeRead | CFile::shareDenyWrite | CFile::typeText;
constexpr UINT kWriteFlags = CFile::modeCreate | CFile::modeWrite | CFile::shareDenyWrite |
                             CFile::typeText | modeReplaceOnClose;

// One line of a section: an entry, or anything else (comments, blank lines), kept as it
// was so that rewriting the file changes only what was asked for.
struct Line {
    CString key;  // empty for a line that is not an entry
    CString value;
    CString text;
};

struct Section {
    CString name;
    std::vector<Line> lines;
};

struct Document {
    std::vector<Line> preamble;  // lines before the first section
    std::vector<Section> sections;

    Section* Find(const char* name) {
        for (Section& section : sections) {
            if (section.name.CompareNoCase(name) == 0) {
                return &section;
            }
        }
        return nullptr;
    }
};

Line* FindEntry(Section& section, const char* key) {
    for (Line& line : section.lines) {
        if (!line.key.IsEmpty() && line.key.CompareNoCase(key) == 0) {
            return &line;
        }
    }
    return nullptr;
}

bool IsQuote(char ch) {
    return ch == '"' || ch == '\'';
}

CString Unquoted(CString value) {
    const int length = value.GetLength();
    if (length >= 2 && IsQuote(value[0]) && value[length - 1] == value[0]) {
        return value.Mid(1, length - 2);
    }
    return value;
}

bool NeedsQuotes(const CString& value) {
    const int length = value.GetLength();
    if (length == 0) {
        return false;
    }
    const auto blank = [](char ch) { return ch == ' ' || ch == '\t'; };
    return blank(value[0]) || blank(value[length - 1]) ||
           (length >= 2 && IsQuote(value[0]) && value[length - 1] == value[0]);
}

void Parse(const CString& raw, Document& doc) {
    CString text = raw;
    const CString trimmed = text.Trim();
    std::vector<Line>& lines = doc.sections.empty() ? doc.preamble : doc.sections.back().lines;
    if (trimmed.GetLength() > 0 && trimmed[0] == '[') {
        const int close = trimmed.ReverseFind(']');
        if (close > 0) {
            CString name = trimmed.Mid(1, close - 1);
            doc.sections.push_back(Section{name.Trim(), {}});
            return;
        }
    }
    const int equals = raw.Find('=');
    if (equals > 0 && trimmed[0] != ';') {
        CString key = raw.Left(equals);
        CString value = raw.Mid(equals + 1);
        key.Trim();
        if (!key.IsEmpty()) {
            lines.push_back(Line{key, Unquoted(value.Trim()), raw});
            return;
        }
    }
    lines.push_back(Line{CString(), CString(), raw});
}

enum class LoadResult { Loaded, Failed };

// A missing file (or folder) is an empty profile; a file that cannot be read is a
// failure, so that a write never replaces what it could not see.
LoadResult Load(const char* file, Document& doc) {
    CStdioFile in;
    CFileException error;
    if (!in.Open(file, kReadFlags, &error)) {
        return (error.m_cause == CFileException::fileNotFound ||
                error.m_cause == CFileException::badPath)
                   ? LoadResult::Loaded
                   : LoadResult::Failed;
    }
    try {
        CString line;
        while (in.ReadString(line)) {
            Parse(line, doc);
        }
        in.Close();
    } catch (const CFileException&) {
        in.Abort();
        return LoadResult::Failed;
    }
    return LoadResult::Loaded;
}

// Makes the folders above file that are missing.
void MakeFolders(const CString& file) {
    const int start = (file.GetLength() > 2 && file[1] == ':') ? 3 : 1;
    for (int i = start; i < file.GetLength(); ++i) {
        if (file[i] == '\\' || file[i] == '/') {
            CreateDirectoryA(file.Left(i), nullptr);
        }
    }
}

void WriteLines(CStdioFile& out, const std::vector<Line>& lines) {
    for (const Line& line : lines) {
        out.WriteString(line.text);
        out.WriteString("\n");
    }
}

bool Save(const char* file, const Document& doc) {
    MakeFolders(file);
    CStdioFile out;
    if (!out.Open(file, kWriteFlags)) {
        return false;
    }
    try {
        WriteLines(out, doc.preamble);
        for (const Section& section : doc.sections) {
            out.WriteString("[" + section.name + "]\n");
            WriteLines(out, section.lines);
        }
        out.Close();
    } catch (const CFileException&) {
        out.Abort();
        return false;
    }
    return true;
}

bool HasLineBreak(const char* text) {
    return text && std::strpbrk(text, "\r\n") != nullptr;
}

// Names that would read back as something else are refused.
bool IsWritableSection(const char* section) {
    CString name(section);
    return section && !name.Trim().IsEmpty() && !HasLineBreak(section) &&
           !std::strchr(section, ']');
}

bool IsWritableKey(const char* key) {
    CString name(key);
    name.Trim();
    return !name.IsEmpty() && !HasLineBreak(key) && !std::strchr(key, '=') && name[0] != '[' &&
           name[0] != ';';
}

CString Trimmed(const char* text) {
    CString result(text);
    return result.Trim();
}

void SetEntry(Document& doc, const char* sectionName, const char* keyName, const char* value) {
    const CString name = Trimmed(sectionName);
    const CString key = Trimmed(keyName);
    Section* section = doc.Find(name);
    if (!section) {
        doc.sections.push_back(Section{name, {}});
        section = &doc.sections.back();
    }
    const CString stored(value);
    const CString written = NeedsQuotes(stored) ? "\"" + stored + "\"" : stored;
    if (Line* line = FindEntry(*section, key)) {
        line->value = stored;
        line->text = line->key + "=" + written;
        return;
    }
    section->lines.push_back(Line{key, stored, key + "=" + written});
}

void RemoveEntry(Document& doc, const char* sectionName, const char* keyName) {
    if (Section* section = doc.Find(Trimmed(sectionName))) {
        const CString key = Trimmed(keyName);
        std::erase_if(section->lines, [&](const Line& line) {
            return !line.key.IsEmpty() && line.key.CompareNoCase(key) == 0;
        });
    }
}

void RemoveSection(Document& doc, const char* sectionName) {
    const CString name = Trimmed(sectionName);
    std::erase_if(doc.sections,
                  [&](const Section& section) { return section.name.CompareNoCase(name) == 0; });
}

// Copies names, each ended by a NUL, the list by a second NUL, as far as size allows.
DWORD CopyList(const std::vector<CString>& names, LPSTR out, DWORD size) {
    if (size < 2) {
        out[0] = '\0';
        return 0;
    }
    DWORD used = 0;
    for (const CString& name : names) {
        for (int i = 0; i <= name.GetLength() && used < size - 2; ++i) {
            out[used++] = i < name.GetLength() ? name[i] : '\0';
        }
    }
    out[used] = '\0';
    out[used + 1 < size ? used + 1 : used] = '\0';
    return used;
}

DWORD CopyText(const CString& text, LPSTR out, DWORD size) {
    const DWORD count = std::min<DWORD>(static_cast<DWORD>(text.GetLength()), size - 1);
    std::memcpy(out, text.GetString(), count);
    out[count] = '\0';
    return count;
}

}  // namespace

CString ProfileFilePath(const char* profileName) {
    const CString name(profileName ? profileName : "");
    if (name.FindOneOf("\\/:") >= 0) {
        return name;
    }
    return CString(kProfileFolder) + "\\" + name;
}

std::optional<CString> ReadProfileValue(const char* file, const char* section, const char* key) {
    Document doc;
    if (!file || !section || !key || Load(file, doc) != LoadResult::Loaded) {
        return std::nullopt;
    }
    Section* found = doc.Find(Trimmed(section));
    const Line* line = found ? FindEntry(*found, Trimmed(key)) : nullptr;
    return line ? std::optional<CString>(line->value) : std::nullopt;
}

}  // namespace plat

UINT GetPrivateProfileIntA(LPCSTR section, LPCSTR key, int defaultValue, LPCSTR file) {
    const std::optional<CString> value = plat::ReadProfileValue(file, section, key);
    if (!value || value->IsEmpty()) {
        return static_cast<UINT>(defaultValue);
    }
    // A leading number counts (wrapping like the framework's 32-bit conversion); text
    // that does not start with one reads as 0.
    const long long number = std::strtoll(value->GetString(), nullptr, 10);
    return static_cast<UINT>(static_cast<unsigned long long>(number));
}

DWORD GetPrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR defaultValue, LPSTR out,
                               DWORD size, LPCSTR file) {
    if (!out || size == 0) {
        return 0;
    }
    if (!section || !key) {
        plat::Document doc;
        std::vector<CString> names;
        if (file && plat::Load(file, doc) == plat::LoadResult::Loaded) {
            if (!section) {
                for (const plat::Section& s : doc.sections) {
                    names.push_back(s.name);
                }
            } else if (plat::Section* s = doc.Find(plat::Trimmed(section))) {
                for (const plat::Line& line : s->lines) {
                    if (!line.key.IsEmpty()) {
                        names.push_back(line.key);
                    }
                }
            }
        }
        return plat::CopyList(names, out, size);
    }
    const std::optional<CString> value = plat::ReadProfileValue(file, section, key);
    return plat::CopyText(value ? *value : CString(defaultValue ? defaultValue : ""), out, size);
}

BOOL WritePrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR value, LPCSTR file) {
    if (!file || !plat::IsWritableSection(section) || (key && !plat::IsWritableKey(key)) ||
        plat::HasLineBreak(value)) {
        return FALSE;
    }
    plat::Document doc;
    if (plat::Load(file, doc) != plat::LoadResult::Loaded) {
        return FALSE;
    }
    if (!key) {
        plat::RemoveSection(doc, section);
    } else if (!value) {
        plat::RemoveEntry(doc, section, key);
    } else {
        plat::SetEntry(doc, section, key, value);
    }
    return plat::Save(file, doc) ? TRUE : FALSE;
}
