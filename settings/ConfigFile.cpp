#include "settings/ConfigFile.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <vector>

#include "platform/core/Drives.h"
#include "platform/core/Exceptions.h"
#include "platform/core/OsServices.h"

const CRuntimeClass CConfigFile::runtimeClass =
    plat::MakeRuntimeClass<CConfigFile, CStdioFile>("CConfigFile");

namespace {

constexpr const char* kSettingsFolderName = "MySettings";
constexpr const char* kDefaultExtension = "INI";

constexpr UINT kReadFlags = CFile::modeRead | CFile::shareDenyWrite | CFile::typeText;
// The new content goes to a temporary file that replaces the old one only when complete,
// so a crash or a full disk never leaves a half-written setting.
constexpr UINT kWriteFlags = CFile::modeCreate | CFile::modeWrite | CFile::shareDenyWrite |
                             CFile::typeText | plat::modeReplaceOnClose;

// The escapes a stored text uses for characters that would break its line or its list.
// The guillemets 0xAB and 0xBB are written as octal escapes, which cannot swallow the
// letters after them.
struct TextEscape {
    const char* escape;
    const char* character;
};
constexpr TextEscape kTextEscapes[] = {
    {"\253CR\273", "\r"},
    {"\253LF\273", "\n"},
    {"\253COMMA\273", ","},
};

// A setting name or extension must name a file inside the settings folder.
bool StaysInFolder(const char* part) {
    return part != nullptr && std::strpbrk(part, "\\/") == nullptr &&
           std::strstr(part, "..") == nullptr;
}

// The next line; a read error counts as the end of the file.
bool NextLine(CConfigFile& file, CString& line) {
    try {
        return file.ReadString(line) != FALSE;
    } catch (const CFileException&) {
        return false;
    }
}

// The text after the first '=' of the next line; false when there is no line or no '='.
bool NextValue(CConfigFile& file, CString& value) {
    CString line;
    if (!NextLine(file, line)) {
        return false;
    }
    const int equals = line.Find('=');
    if (equals < 0) {
        return false;
    }
    value = line.Mid(equals + 1);
    return true;
}

// The leading whole number as atoi reads it (blanks, sign, digits; 0 without digits), but
// clamped to [low, high]: atoi's result for a number beyond int is undefined.
long ParseWhole(const CString& text, long low, long high) {
    return std::clamp(std::strtol(text.GetString(), nullptr, 10), low, high);
}

bool StartsSection(const CString& line) {
    return !line.IsEmpty() && line[0] == '[';
}

CString SectionName(const CString& line) {
    const int close = line.Find(']');
    return close < 0 ? line.Mid(1) : line.Mid(1, close - 1);
}

CString SettingsRootOn(char drive) {
    CString root;
    root.Format("%c:\\%s\\", drive, kSettingsFolderName);
    return root;
}

bool IsFixedDrive(char drive) {
    const char root[] = {drive, ':', '\\', '\0'};
    return GetDriveTypeA(root) == DRIVE_FIXED;
}

bool FolderExists(const CString& path) {
    return _access(path, 0) == 0;
}

// True when the folder is there afterwards, made now or before.
bool MakeFolder(const CString& folder) {
    return CreateDirectoryA(folder, nullptr) != FALSE || GetLastError() == ERROR_ALREADY_EXISTS;
}

// The program part of a command line: the quoted first token, or the text up to the first
// blank. Linux programs have no ".exe" that would absorb the arguments into an extension,
// and an argument must not move a program's settings to another folder.
CString ProgramPart(const CString& commandLine) {
    if (commandLine.Left(1) == "\"") {
        const int close = commandLine.Find('"', 1);
        return close < 0 ? commandLine : commandLine.Left(close + 1);
    }
    const int blank = commandLine.Find(' ');
    return blank < 0 ? commandLine : commandLine.Left(blank);
}

// The file-name part, without extension, of the program's path with its quotes removed.
CString ApplicationName() {
    const char* commandLine = GetCommandLineA();
    CString line = ProgramPart(commandLine ? commandLine : "");
    line.Remove('"');
    // The name part can be as long as the whole line, so it always fits.
    std::vector<char> name(static_cast<size_t>(line.GetLength()) + 1);
    if (_splitpath_s(line, nullptr, 0, nullptr, 0, name.data(), name.size(), nullptr, 0) != 0) {
        return CString();
    }
    return CString(name.data());
}

}  // namespace

CConfigFile::~CConfigFile() = default;

void CConfigFile::SetFilePath(const char* newName) {
    if (newName == nullptr) {
        AfxThrowInvalidArgException();
    }
    CStdioFile::SetFilePath(newName);
}

void CConfigFile::WriteString(const char* text) {
    CStdioFile::WriteString(text);
}

BOOL CConfigFile::ReadString(CString& line) {
    return CStdioFile::ReadString(line);
}

CString CConfigFile::GetConfigPath(const char* settingName, const char* extension) {
    CString fileName = settingName ? settingName : "";
    fileName.Replace(' ', '_');
    CString path;
    path.Format("%s%s.%s", GetSettingsFolder().GetString(), fileName.GetString(),
                extension ? extension : kDefaultExtension);
    return path;
}

BOOL CConfigFile::OpenForRead(const char* settingName, const char* extension) {
    if (!StaysInFolder(settingName) || (extension && !StaysInFolder(extension))) {
        return FALSE;
    }
    return Open(GetConfigPath(settingName, extension), kReadFlags);
}

BOOL CConfigFile::OpenForWrite(const char* settingName, const char* extension) {
    if (!StaysInFolder(settingName) || (extension && !StaysInFolder(extension))) {
        return FALSE;
    }
    return Open(GetConfigPath(settingName, extension), kWriteFlags);
}

int CConfigFile::ReadInt(int defaultValue) {
    CString value;
    if (!NextValue(*this, value)) {
        return defaultValue;
    }
    return static_cast<int>(ParseWhole(value, INT_MIN, INT_MAX));
}

short CConfigFile::ReadShort() {
    CString value;
    if (!NextValue(*this, value)) {
        return 0;
    }
    return static_cast<short>(ParseWhole(value, SHRT_MIN, SHRT_MAX));
}

bool CConfigFile::ReadBool() {
    CString value;
    // Clamping keeps a huge number non-zero, where cutting it to int could give 0.
    return NextValue(*this, value) && ParseWhole(value, INT_MIN, INT_MAX) != 0;
}

double CConfigFile::ReadDouble(double defaultValue) {
    CString value;
    if (!NextValue(*this, value)) {
        return defaultValue;
    }
    // atof's reading, with strtod's defined result (infinity) for a number beyond double.
    return std::strtod(value.GetString(), nullptr);
}

char CConfigFile::ReadChar(char defaultValue) {
    CString value;
    if (!NextValue(*this, value)) {
        return defaultValue;
    }
    value.TrimLeft(' ');
    return value.IsEmpty() ? defaultValue : value[0];
}

CString CConfigFile::ReadText() {
    CString value;
    if (!NextValue(*this, value)) {
        return CString();
    }
    if (!value.IsEmpty() && value[0] == ' ') {
        value.Delete(0);
    }
    for (const TextEscape& escape : kTextEscapes) {
        value.Replace(escape.escape, escape.character);
    }
    return value;
}

CString CConfigFile::ReadSection(CString& name, CStringArray& lines) {
    lines.RemoveAll();
    name.Empty();
    ULONGLONG lineStart = GetPosition();
    CString line;
    if (!NextLine(*this, line)) {
        return name;
    }
    if (!StartsSection(line)) {
        Seek(static_cast<LONGLONG>(lineStart), begin);
        return name;
    }
    name = SectionName(line);
    for (;;) {
        lineStart = GetPosition();
        if (!NextLine(*this, line)) {
            break;
        }
        // The next section or a value line belongs to whoever reads on.
        if (StartsSection(line) || line.Find('=') >= 0) {
            Seek(static_cast<LONGLONG>(lineStart), begin);
            break;
        }
        lines.Add(line);
    }
    return name;
}

void CConfigFile::WriteInt(const char* key, int value) {
    CString line;
    line.Format("%s = %d\n", key ? key : "", value);
    WriteString(line);
}

void CConfigFile::WriteChar(const char* key, char value) {
    CString line;
    if (value == '\0' || value == '\r' || value == '\n') {
        // Such a value would end or split the line and shift every value after it; the
        // line is written empty instead and reads back as the reader's default.
        line.Format("%s = \n", key ? key : "");
    } else {
        line.Format("%s = %c\n", key ? key : "", value);
    }
    WriteString(line);
}

bool FindSettingsRoot(CString& path) {
    path = SettingsRootOn('C');
    if (FolderExists(path)) {
        return true;
    }
    for (const char drive : {'D', 'E'}) {
        if (!IsFixedDrive(drive)) {
            continue;
        }
        path = SettingsRootOn(drive);
        if (FolderExists(path) || CreateFolderPath(path)) {
            return true;
        }
    }
    path = SettingsRootOn('C');
    return CreateFolderPath(path);
}

CString GetSettingsFolder() {
    CString folder;
    if (!FindSettingsRoot(folder)) {
        return folder;
    }
    folder += ApplicationName();
    folder += '\\';
    CreateFolderPath(folder);
    return folder;
}

bool CreateFolderPath(const CString& path) {
    if (path.GetLength() <= 3) {
        return false;
    }
    CString folders = path;
    if (folders[folders.GetLength() - 1] != '\\') {
        folders += '\\';
    }
    const int colon = folders.Find(':');
    if (colon < 0) {
        return false;
    }
    // Every folder along the path is made in turn; the drive root itself cannot be and
    // need not be. The path is there when its last folder is.
    bool madeLast = false;
    for (int slash = folders.Find('\\', colon + 1); slash >= 0;
         slash = folders.Find('\\', slash + 1)) {
        madeLast = MakeFolder(folders.Left(slash + 1));
    }
    return madeLast;
}
