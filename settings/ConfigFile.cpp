#include "settings/ConfigFile.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <optional>
#include <string_view>
#include <typeinfo>
#include <utility>
#include <vector>

#include "platform/core/Drives.h"
#include "platform/core/Exceptions.h"
#include "platform/core/OsServices.h"
#include "settings/SettingsCache.h"

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

// The leading whole number as atoi reads it (blanks, sign, digits; 0 without digits); the
// readers clamp it to their type, as atoi's result for a number beyond int is undefined.
long WholeNumber(const CString& text) {
    return std::strtol(text.GetString(), nullptr, 10);
}

// The line's value as a whole number; none for a line without '='.
std::optional<long> WholeNumberOf(const CString& line) {
    const int equals = line.Find('=');
    if (equals < 0) {
        return std::nullopt;
    }
    return WholeNumber(line.Mid(equals + 1));
}

// The next value as a whole number; none when there is no line or no '='. A reader served
// from memory of the plain class takes the number worked out when the lines were kept.
std::optional<long> NextWholeNumber(CConfigFile& file, const settings_cache::CachedLines* cached,
                                    size_t& nextCachedLine) {
    if (cached && typeid(file) == typeid(CConfigFile)) {
        if (nextCachedLine >= cached->wholeNumbers.size()) {
            return std::nullopt;
        }
        return cached->wholeNumbers[nextCachedLine++];
    }
    CString value;
    if (!NextValue(file, value)) {
        return std::nullopt;
    }
    return WholeNumber(value);
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

// Everything that decides where a setting's file is while the settings folder is on C:,
// which FindSettingsRoot keeps choosing for as long as the folder (and so any file in it)
// exists: the name and extension, the program's command line and the folder C: stands
// for. None for a class that may place its files elsewhere.
struct LocationInputs {
    std::string driveC;
    const char* commandLine;
};

std::optional<LocationInputs> InputsOfLocation(const CConfigFile& file) {
    if (typeid(file) != typeid(CConfigFile)) {
        return std::nullopt;
    }
    std::optional<std::string> drive = plat::DriveFolder('C');
    const char* commandLine = GetCommandLineA();
    if (!drive || !commandLine) {
        return std::nullopt;
    }
    return LocationInputs{std::move(*drive), commandLine};
}

std::string LocationKey(const char* settingName, const char* extension,
                        const LocationInputs& inputs) {
    const std::string_view parts[] = {settingName, extension ? extension : kDefaultExtension,
                                      inputs.commandLine, inputs.driveC};
    size_t length = 0;
    for (const std::string_view part : parts) {
        length += part.size() + 1;
    }
    // Built in one allocation: every cached read makes it.
    std::string key;
    key.reserve(length);
    for (const std::string_view part : parts) {
        key += part;
        key += '\0';
    }
    return key;
}

bool IsOnDriveC(const CString& path) {
    const CString root = SettingsRootOn('C');
    return path.Left(root.GetLength()) == root;
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
    if (!m_cachedLines) {
        return CStdioFile::ReadString(line);
    }
    line.Empty();
    if (m_nextCachedLine >= m_cachedLines->lines.size()) {
        return FALSE;
    }
    line = m_cachedLines->lines[m_nextCachedLine++];
    return TRUE;
}

ULONGLONG CConfigFile::Seek(LONGLONG offset, UINT from) {
    if (!m_cachedLines) {
        return CStdioFile::Seek(offset, from);
    }
    const LONGLONG base = from == current ? static_cast<LONGLONG>(GetPosition())
                          : from == end   ? static_cast<LONGLONG>(m_cachedLines->end)
                                          : 0;
    if (base + offset < 0) {
        ThrowFileError(CFileException::badSeek, EINVAL);
    }
    // Only line starts can be reached in memory; a position inside a line goes on to the
    // next line, as a text reader would after finishing the line.
    const auto& starts = m_cachedLines->starts;
    m_nextCachedLine = static_cast<size_t>(
        std::lower_bound(starts.begin(), starts.end(), static_cast<ULONGLONG>(base + offset)) -
        starts.begin());
    return GetPosition();
}

ULONGLONG CConfigFile::GetPosition() const {
    if (!m_cachedLines) {
        return CStdioFile::GetPosition();
    }
    return m_nextCachedLine < m_cachedLines->starts.size() ? m_cachedLines->starts[m_nextCachedLine]
                                                           : m_cachedLines->end;
}

ULONGLONG CConfigFile::GetLength() const {
    return m_cachedLines ? m_cachedLines->end : CStdioFile::GetLength();
}

void CConfigFile::Close() {
    StopServingCachedLines();
    // Dropped however the close ends: a replaced file is picked up by its new inode in any
    // case, this only saves the next read a stat that is bound to miss.
    struct ForgetWritten {
        std::string hostPath;
        ~ForgetWritten() {
            if (!hostPath.empty()) {
                settings_cache::Forget(hostPath);
            }
        }
    } const written{std::exchange(m_writtenHostPath, std::string())};
    CStdioFile::Close();
}

void CConfigFile::Abort() {
    StopServingCachedLines();
    m_writtenHostPath.clear();
    CStdioFile::Abort();
}

bool CConfigFile::OnOpened() {
    StopServingCachedLines();
    return CStdioFile::OnOpened();
}

void CConfigFile::StopServingCachedLines() {
    m_cachedLines.reset();
    m_nextCachedLine = 0;
}

bool CConfigFile::ServeCachedLines(const CString& path, const std::string& hostPath) {
    std::shared_ptr<const settings_cache::CachedLines> lines = settings_cache::Find(hostPath);
    if (!lines) {
        return false;
    }
    Abort();
    SetFilePath(path);
    m_cachedLines = std::move(lines);
    return true;
}

// Opens the file and reads it whole into the cache, serving this reader from the lines too,
// so that a cached and a fresh read cannot differ. A file too large to keep, one changed
// too recently to be kept (without a watch) and one that cannot be read to its end stay
// read from disk; lines read while a watch reported a change serve this reader only.
void CConfigFile::CacheLinesAndServe(const CString& path, const std::string& hostPath) {
    // Taken before the open, so that no change after the open can pass unseen.
    settings_cache::ReadTicket ticket = settings_cache::BeginRead(hostPath);
    if (!Open(path, kReadFlags)) {
        return;
    }
    const std::optional<settings_cache::FileIdentity> identity =
        settings_cache::KeepableIdentity(Descriptor(), hostPath, ticket);
    if (!identity || identity->size > settings_cache::kLargestCachedFile) {
        return;
    }
    auto cached = std::make_shared<settings_cache::CachedLines>();
    try {
        CString line;
        for (ULONGLONG start = GetPosition(); CStdioFile::ReadString(line); start = GetPosition()) {
            cached->starts.push_back(start);
            cached->lines.push_back(line);
            cached->wholeNumbers.push_back(WholeNumberOf(line));
        }
        cached->end = GetPosition();
    } catch (const CFileException&) {
        try {
            SeekToBegin();
        } catch (const CFileException&) {
            // The reads that follow meet the same error and give their defaults.
        }
        return;
    }
    settings_cache::Store(hostPath, ticket, *identity, cached);
    Abort();
    SetFilePath(path);
    m_cachedLines = std::move(cached);
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
        settings_cache::NoteRead(nullptr, nullptr);
        return FALSE;
    }
    const std::optional<LocationInputs> inputs = InputsOfLocation(*this);
    const std::optional<std::string> key =
        inputs ? std::optional(LocationKey(settingName, extension, *inputs)) : std::nullopt;
    if (key) {
        const std::shared_ptr<const settings_cache::Location> known =
            settings_cache::FindLocation(*key);
        if (known && ServeCachedLines(known->path, known->hostPath)) {
            settings_cache::NoteRead(&inputs->driveC, inputs->commandLine);
            return TRUE;
        }
    }
    // Found any other way, the read is not one a stamp can vouch for.
    settings_cache::NoteRead(nullptr, nullptr);
    const CString path = GetConfigPath(settingName, extension);
    const std::optional<std::string> hostPath = plat::ToHostPath(path);
    if (!hostPath || hostPath->empty()) {
        return Open(path, kReadFlags);
    }
    if (key && IsOnDriveC(path)) {
        settings_cache::StoreLocation(*key, {path, *hostPath});
    }
    if (ServeCachedLines(path, *hostPath)) {
        return TRUE;
    }
    CacheLinesAndServe(path, *hostPath);
    return IsOpen() || m_cachedLines ? TRUE : FALSE;
}

BOOL CConfigFile::OpenForWrite(const char* settingName, const char* extension) {
    if (!StaysInFolder(settingName) || (extension && !StaysInFolder(extension))) {
        return FALSE;
    }
    const CString path = GetConfigPath(settingName, extension);
    if (!Open(path, kWriteFlags)) {
        return FALSE;
    }
    const std::optional<std::string> hostPath = plat::ToHostPath(path);
    m_writtenHostPath = hostPath ? *hostPath : std::string();
    settings_cache::Forget(m_writtenHostPath);
    return TRUE;
}

int CConfigFile::ReadInt(int defaultValue) {
    const std::optional<long> number =
        NextWholeNumber(*this, m_cachedLines.get(), m_nextCachedLine);
    if (!number) {
        return defaultValue;
    }
    return static_cast<int>(std::clamp<long>(*number, INT_MIN, INT_MAX));
}

short CConfigFile::ReadShort() {
    const std::optional<long> number =
        NextWholeNumber(*this, m_cachedLines.get(), m_nextCachedLine);
    if (!number) {
        return 0;
    }
    return static_cast<short>(std::clamp<long>(*number, SHRT_MIN, SHRT_MAX));
}

bool CConfigFile::ReadBool() {
    // Clamping keeps a huge number non-zero, where cutting it to int could give 0.
    const std::optional<long> number =
        NextWholeNumber(*this, m_cachedLines.get(), m_nextCachedLine);
    return number && std::clamp<long>(*number, INT_MIN, INT_MAX) != 0;
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
