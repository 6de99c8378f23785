#pragma once
// The lines of recently read setting files, kept so that a reader need not open, read and
// close a file that has not changed. An entry is trusted only while one stat() of its path
// still gives the identity it was read with (device, inode, size, modification and change
// times to the nanosecond); settings are written by replacing the file, so any writer, in
// this process or another, gives the path a new inode. Internal to the settings library.

#include <sys/stat.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/core/CString.h"
#include "platform/core/WinTypes.h"

namespace settings_cache {

// What stat() says of a file; two reads with the same identity read the same bytes.
struct FileIdentity {
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    timespec modified{};
    timespec changed{};

    friend bool operator==(const FileIdentity& a, const FileIdentity& b);
};

// The identity of an open file, when it may be kept: only a file last changed before this
// call. The kernel stamps changes from a clock that ticks every few milliseconds, so a
// same-size rewrite in place (by a program that does not replace the file) within the tick
// of the stamp just read would keep the identity; any change after the moment this call
// samples, before it asks the file, gets a later stamp.
std::optional<FileIdentity> SettledIdentity(int descriptor);

// A file's lines as the text reader returns them, each with the position it starts at, and
// the position after the last line (for readers that step back to a line start).
struct CachedLines {
    std::vector<CString> lines;
    std::vector<ULONGLONG> starts;
    ULONGLONG end = 0;
};

// Files larger than this are read from disk each time rather than held in memory.
constexpr off_t kLargestCachedFile = 64 * 1024;

// The lines of hostPath when its entry still matches the file; null otherwise (a missing
// entry, a changed file, a failed stat).
std::shared_ptr<const CachedLines> Find(const std::string& hostPath);
// Keeps lines read from a file that had the given identity when opened.
void Store(const std::string& hostPath, const FileIdentity& identity,
           std::shared_ptr<const CachedLines> lines);
// Where a setting's file was last found, by a key of everything that decides it, so that a
// reader may skip working out the settings folder again. The file's entry above still has
// to match for the location to be used.
struct Location {
    CString path;  // as the program names it
    std::string hostPath;
};
std::optional<Location> FindLocation(const std::string& key);
void StoreLocation(const std::string& key, const Location& location);
// Drops the entry of a file this process has just written.
void Forget(const std::string& hostPath);

}  // namespace settings_cache
