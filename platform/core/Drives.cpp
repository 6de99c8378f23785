#include "platform/core/Drives.h"

#include <pwd.h>
#include <unistd.h>

#include <array>
#include <cassert>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <mutex>
#include <vector>

namespace {

struct Drive {
    std::string folder;
    unsigned type = DRIVE_FIXED;
};

class DriveTable {
public:
    void Map(int index, std::string folder, unsigned type) {
        const std::lock_guard lock(m_mutex);
        m_drives[index] = Drive{std::move(folder), type};
    }

    void Unmap(int index) {
        const std::lock_guard lock(m_mutex);
        m_drives[index].reset();
    }

    std::optional<Drive> Find(int index) {
        const std::lock_guard lock(m_mutex);
        if (m_drives[index]) {
            return m_drives[index];
        }
        if (index == 'C' - 'A') {
            return Drive{DefaultDriveC(), DRIVE_FIXED};
        }
        return std::nullopt;
    }

private:
    // Looked up on every use, so a changed XDG_DATA_HOME (or HOME) takes effect at once.
    static std::string DefaultDriveC() {
        const std::string folder = DataHome() + "/surveyui/drive_c";
        std::error_code ignored;  // a folder we cannot make shows up as failing file calls
        std::filesystem::create_directories(folder, ignored);
        return folder;
    }

    static std::string DataHome() {
        // The base-directory rules ignore a relative XDG_DATA_HOME.
        const char* xdg = std::getenv("XDG_DATA_HOME");
        if (xdg && xdg[0] == '/') {
            return xdg;
        }
        return HomeFolder() + "/.local/share";
    }

    static std::string HomeFolder() {
        const char* home = std::getenv("HOME");
        if (home && home[0] == '/') {
            return home;
        }
        std::vector<char> buffer(16384);
        passwd entry{};
        passwd* found = nullptr;
        if (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found &&
            found->pw_dir) {
            return found->pw_dir;
        }
        return "/tmp";
    }

    std::mutex m_mutex;
    std::array<std::optional<Drive>, 26> m_drives;
};

DriveTable& Table() {
    static DriveTable table;
    return table;
}

int DriveIndex(char letter) {
    const int upper = std::toupper(static_cast<unsigned char>(letter));
    return (upper >= 'A' && upper <= 'Z') ? upper - 'A' : -1;
}

bool IsSeparator(char c) {
    return c == '\\' || c == '/';
}

std::string WithoutTrailingSlashes(std::string folder) {
    while (folder.size() > 1 && folder.back() == '/') {
        folder.pop_back();
    }
    return folder;
}

// The part of a path after "X:", resolved the way Windows resolves a full path: "." is
// dropped and ".." never climbs above the drive root. The trailing separator is kept.
std::string ResolveBelowRoot(const char* rest) {
    std::vector<std::string> parts;
    std::string part;
    const auto takePart = [&] {
        if (part == "..") {
            if (!parts.empty()) {
                parts.pop_back();
            }
        } else if (!part.empty() && part != ".") {
            parts.push_back(part);
        }
        part.clear();
    };
    bool endsWithSeparator = false;
    for (const char* p = rest; *p; ++p) {
        endsWithSeparator = IsSeparator(*p);
        if (endsWithSeparator) {
            takePart();
        } else {
            part.push_back(*p);
        }
    }
    takePart();
    std::string resolved;
    for (const std::string& name : parts) {
        resolved += '/';
        resolved += name;
    }
    if (endsWithSeparator && !resolved.empty()) {
        resolved += '/';
    }
    return resolved;
}

// "X:", "X:\" or "X:/": the drive index, else -1.
int RootDriveIndex(const char* root) {
    if (!root || root[0] == '\0' || root[1] != ':') {
        return -1;
    }
    const bool wellFormed = root[2] == '\0' || (IsSeparator(root[2]) && root[3] == '\0');
    return wellFormed ? DriveIndex(root[0]) : -1;
}

}  // namespace

namespace plat {

void MapDrive(char letter, const std::string& folder, unsigned driveType) {
    const int index = DriveIndex(letter);
    assert(index >= 0 && "a drive letter is A to Z");
    if (index >= 0) {
        Table().Map(index, WithoutTrailingSlashes(folder), driveType);
    }
}

void UnmapDrive(char letter) {
    const int index = DriveIndex(letter);
    if (index >= 0) {
        Table().Unmap(index);
    }
}

std::optional<std::string> DriveFolder(char letter) {
    const int index = DriveIndex(letter);
    if (index < 0) {
        return std::nullopt;
    }
    if (auto drive = Table().Find(index)) {
        return drive->folder;
    }
    return std::nullopt;
}

std::optional<std::string> ToHostPath(const char* windowsPath) {
    if (!windowsPath) {
        return std::nullopt;
    }
    const bool hasDrive = windowsPath[0] != '\0' && windowsPath[1] == ':';
    if (!hasDrive) {
        std::string path = windowsPath;
        for (char& c : path) {
            if (c == '\\') {
                c = '/';
            }
        }
        return path;
    }
    auto folder = DriveFolder(windowsPath[0]);
    if (!folder) {
        return std::nullopt;
    }
    const std::string rest = ResolveBelowRoot(windowsPath + 2);
    if (folder->size() == 1 && !rest.empty()) {
        return rest;  // a drive mapped to "/" must not give "//..."
    }
    return *folder + rest;
}

}  // namespace plat

UINT GetDriveTypeA(const char* rootPathName) {
    const int index = RootDriveIndex(rootPathName ? rootPathName : "C:\\");
    if (index < 0) {
        return DRIVE_NO_ROOT_DIR;
    }
    const auto drive = Table().Find(index);
    return drive ? drive->type : DRIVE_NO_ROOT_DIR;
}
