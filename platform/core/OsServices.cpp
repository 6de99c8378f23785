#include "platform/core/OsServices.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/core/Drives.h"

namespace {

thread_local DWORD t_lastError = ERROR_SUCCESS;

constexpr DWORD ERROR_FILENAME_EXCED_RANGE = 206;

bool IsSeparator(char c) {
    return c == '\\' || c == '/';
}

// "X:" followed by nothing but separators names the root of a drive.
bool IsDriveRoot(const char* path) {
    if (path[0] == '\0' || path[1] != ':') {
        return false;
    }
    for (const char* p = path + 2; *p; ++p) {
        if (!IsSeparator(*p)) {
            return false;
        }
    }
    return true;
}

std::string WithoutTrailingSlashes(std::string path) {
    while (path.size() > 1 && path.back() == '/') {
        path.pop_back();
    }
    return path;
}

// "C:\a\.." resolves to the root as well; compare with the drive's folder.
bool ResolvesToDriveRoot(const char* path, const std::string& hostPath) {
    if (path[0] == '\0' || path[1] != ':') {
        return false;
    }
    const auto folder = plat::DriveFolder(path[0]);
    return folder && WithoutTrailingSlashes(*folder) == WithoutTrailingSlashes(hostPath);
}

DWORD CreateDirectoryError(int error) {
    switch (error) {
        case EEXIST:
            return ERROR_ALREADY_EXISTS;
        case ENOENT:
        case ENOTDIR:
            return ERROR_PATH_NOT_FOUND;
        case ENOSPC:
        case EDQUOT:
            return ERROR_DISK_FULL;
        case ENAMETOOLONG:
            return ERROR_FILENAME_EXCED_RANGE;
        default:
            return ERROR_ACCESS_DENIED;
    }
}

// One output of _splitpath_s: a caller buffer and its size in characters.
struct SplitOutput {
    char* buffer;
    size_t size;

    bool IsValid() const { return (buffer == nullptr) == (size == 0); }
    bool Fits(std::string_view part) const { return !buffer || part.size() < size; }
    void Store(std::string_view part) const {
        if (buffer) {
            part.copy(buffer, part.size());
            buffer[part.size()] = '\0';
        }
    }
    void Clear() const {
        if (buffer && size > 0) {
            buffer[0] = '\0';
        }
    }
};

struct PathParts {
    std::string_view drive, dir, fname, ext;
};

// The C runtime's rules: a drive is two characters ending in ':'; the folder runs through
// the last '\' or '/'; the extension starts at the last '.' after that.
PathParts SplitPath(std::string_view path) {
    PathParts parts;
    if (path.size() >= 2 && path[1] == ':') {
        parts.drive = path.substr(0, 2);
        path.remove_prefix(2);
    }
    const size_t lastSeparator = path.find_last_of("\\/");
    const size_t nameStart = lastSeparator == std::string_view::npos ? 0 : lastSeparator + 1;
    parts.dir = path.substr(0, nameStart);
    const std::string_view name = path.substr(nameStart);
    const size_t dot = name.rfind('.');
    parts.fname = name.substr(0, dot);
    parts.ext = dot == std::string_view::npos ? std::string_view() : name.substr(dot);
    return parts;
}

std::string ReadWholeFile(const char* path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string ProgramPath(const std::string& argv0) {
    std::vector<char> buffer(4096);
    const ssize_t length = readlink("/proc/self/exe", buffer.data(), buffer.size() - 1);
    if (length <= 0) {
        return argv0;
    }
    return std::string(buffer.data(), static_cast<size_t>(length));
}

// Quotes an argument the way the Windows argument parser reads it back: backslashes are
// literal except before a double quote, which they escape.
std::string QuotedArgument(const std::string& argument) {
    if (!argument.empty() && argument.find_first_of(" \t\"") == std::string::npos) {
        return argument;
    }
    std::string quoted = "\"";
    size_t backslashes = 0;
    for (const char c : argument) {
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        const size_t escaped = c == '"' ? backslashes * 2 + 1 : backslashes;
        quoted.append(escaped, '\\');
        quoted += c;
        backslashes = 0;
    }
    quoted.append(backslashes * 2, '\\');
    quoted += '"';
    return quoted;
}

std::string BuildCommandLine() {
    const std::string raw = ReadWholeFile("/proc/self/cmdline");
    std::vector<std::string> arguments;
    for (size_t start = 0; start < raw.size();) {
        const size_t end = raw.find('\0', start);
        const size_t stop = end == std::string::npos ? raw.size() : end;
        arguments.emplace_back(raw, start, stop - start);
        start = stop + 1;
    }
    std::string commandLine(1, '"');
    commandLine += ProgramPath(arguments.empty() ? std::string() : arguments.front());
    commandLine += '"';
    for (size_t i = 1; i < arguments.size(); ++i) {
        commandLine += ' ';
        commandLine += QuotedArgument(arguments[i]);
    }
    return commandLine;
}

struct CommandLineState {
    std::mutex mutex;
    std::optional<std::string> real;
    std::optional<std::string> replacement;
};

CommandLineState& CommandLine() {
    static CommandLineState state;
    return state;
}

}  // namespace

DWORD GetLastError() {
    return t_lastError;
}

void SetLastError(DWORD error) {
    t_lastError = error;
}

BOOL CreateDirectoryA(const char* pathName, SECURITY_ATTRIBUTES* /*security*/) {
    if (!pathName || pathName[0] == '\0') {
        SetLastError(ERROR_PATH_NOT_FOUND);
        return FALSE;
    }
    const auto hostPath = plat::ToHostPath(pathName);
    if (!hostPath) {
        SetLastError(ERROR_PATH_NOT_FOUND);
        return FALSE;
    }
    if (IsDriveRoot(pathName) || ResolvesToDriveRoot(pathName, *hostPath)) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    if (mkdir(hostPath->c_str(), 0777) != 0) {
        SetLastError(CreateDirectoryError(errno));
        return FALSE;
    }
    return TRUE;
}

int _access(const char* path, int mode) {
    static constexpr int kModes[] = {F_OK, W_OK, R_OK, R_OK | W_OK};
    if (!path || mode < 0 || mode > 6 || mode % 2 != 0) {
        errno = EINVAL;
        return -1;
    }
    const auto hostPath = plat::ToHostPath(path);
    if (!hostPath) {
        errno = ENOENT;
        return -1;
    }
    return access(hostPath->c_str(), kModes[mode / 2]) == 0 ? 0 : -1;
}

errno_t _splitpath_s(const char* path, char* drive, size_t driveSize, char* dir, size_t dirSize,
                     char* fname, size_t fnameSize, char* ext, size_t extSize) {
    const SplitOutput outputs[] = {
        {drive, driveSize}, {dir, dirSize}, {fname, fnameSize}, {ext, extSize}};
    const auto clearAll = [&] {
        for (const SplitOutput& output : outputs) {
            output.Clear();
        }
    };
    for (const SplitOutput& output : outputs) {
        if (!output.IsValid()) {
            clearAll();
            errno = EINVAL;
            return EINVAL;
        }
    }
    if (!path) {
        clearAll();
        errno = EINVAL;
        return EINVAL;
    }
    const PathParts parts = SplitPath(path);
    const std::string_view values[] = {parts.drive, parts.dir, parts.fname, parts.ext};
    for (size_t i = 0; i < std::size(outputs); ++i) {
        if (!outputs[i].Fits(values[i])) {
            clearAll();
            errno = ERANGE;
            return ERANGE;
        }
    }
    for (size_t i = 0; i < std::size(outputs); ++i) {
        outputs[i].Store(values[i]);
    }
    return 0;
}

const char* GetCommandLineA() {
    CommandLineState& state = CommandLine();
    const std::lock_guard lock(state.mutex);
    if (state.replacement) {
        return state.replacement->c_str();
    }
    if (!state.real) {
        state.real = BuildCommandLine();
    }
    return state.real->c_str();
}

namespace plat {

void OverrideCommandLine(const char* commandLine) {
    CommandLineState& state = CommandLine();
    const std::lock_guard lock(state.mutex);
    if (commandLine) {
        state.replacement = commandLine;
    } else {
        state.replacement.reset();
    }
}

}  // namespace plat
