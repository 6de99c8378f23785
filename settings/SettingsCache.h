#pragma once
// The lines of recently read setting files, kept so that a reader need not open, read and
// close a file that has not changed. Internal to the library (the settings and the rows
// that read them); docs/settings.md tells the rules.
//
// Where it can, the cache watches the folders of the files it keeps (inotify): each check
// reads the watch's queue without waiting, and any event drops every entry. The kernel
// queues an event before the call that changed a file returns, in this process or another,
// so the next check after a change sees it. Without a watch (no inotify, a folder on a
// network or FUSE file system, UseFolderWatch(false)) an entry is trusted only while
// one stat() of its path still gives the identity it was read with (device, inode, size,
// modification and change times to the nanosecond); settings are written by replacing the
// file, so any writer gives the path a new inode.

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

// Taken by a reader before it opens a file: whether the file's folder is watched, and how
// far the watch had got. Lines read under a watched ticket are kept only when no event
// came between the ticket and Store.
struct ReadTicket {
    bool watched = false;
    unsigned long long generation = 0;
};
ReadTicket BeginRead(const std::string& hostPath);

// The identity of an open file, when its lines may be kept. Under a watch any file may be,
// unless it is a symbolic link or has other names (the ticket then loses its watch);
// otherwise only a file last changed before this call: the kernel stamps changes from a
// clock that ticks every few milliseconds, so a same-size rewrite in place (by a program
// that does not replace the file) within the tick of the stamp just read would keep the
// identity; any change after the moment this call samples, before it asks the file, gets a
// later stamp.
std::optional<FileIdentity> KeepableIdentity(int descriptor, const std::string& hostPath,
                                             ReadTicket& ticket);

// A file's lines as the text reader returns them, each with the position it starts at, and
// the position after the last line (for readers that step back to a line start).
struct CachedLines {
    std::vector<CString> lines;
    std::vector<ULONGLONG> starts;
    ULONGLONG end = 0;
    // Each line's value read as a whole number (strtol of the text after its first '='),
    // none for a line without '=': most settings are numbers, read at every repaint.
    std::vector<std::optional<long>> wholeNumbers;
};

// Files larger than this are read from disk each time rather than held in memory.
constexpr off_t kLargestCachedFile = 64 * 1024;

// The lines of hostPath when its entry still matches the file; null otherwise (a missing
// entry, a change seen by the watch, a changed file, a failed stat).
std::shared_ptr<const CachedLines> Find(const std::string& hostPath);
// Keeps lines read, under ticket, from a file that had the given identity when opened.
void Store(const std::string& hostPath, const ReadTicket& ticket, const FileIdentity& identity,
           std::shared_ptr<const CachedLines> lines);
// Where a setting's file was last found, by a key of everything that decides it, so that a
// reader may skip working out the settings folder again. The file's entry above still has
// to match for the location to be used.
struct Location {
    CString path;  // as the program names it
    std::string hostPath;
};
std::shared_ptr<const Location> FindLocation(const std::string& key);
void StoreLocation(const std::string& key, const Location& location);
// Drops the entry of a file this process has just written.
void Forget(const std::string& hostPath);

// What a run of reads depended on, when a later call can tell that the same reads would
// give the same results: each came from a kept file in a watched folder, found by its
// remembered location on C: (see Find and FindLocation), so no file changes unseen and
// the folder stays the one chosen while the drive and the command line stay.
struct ReadStamp {
    unsigned long long generation = 0;
    std::string driveC;
    std::string commandLine;
};

// One format, edit or parse that reads several setting files (a distance row reads the
// units and the decimals): while one is open on a thread, the watch is checked at the
// first read only, so the reads see the files as they were when that check was made, and
// the call costs one check however many files it reads. Calls nest; the outermost counts.
class SettingsCall {
public:
    SettingsCall();
    ~SettingsCall();
    SettingsCall(const SettingsCall&) = delete;
    SettingsCall& operator=(const SettingsCall&) = delete;

    // True when reads made now would give what they gave under the stamp.
    bool Unchanged(const ReadStamp& stamp);
    // Starts a run of reads to be stamped, and ends it with a stamp for them; none when
    // one of them cannot be vouched for, or there was none.
    void TrackReads();
    std::optional<ReadStamp> StampReads() const;
};

// How CConfigFile tells a call about a read: found by its remembered location on C: with
// these key inputs, or (null) found some other way.
void NoteRead(const std::string* driveC, const char* commandLine);

// Whether a watch may be opened (the default); false keeps the stat check alone. Takes
// effect for a watch not yet opened. For the tests of the stat check.
SUI_API void UseFolderWatch(bool use);

}  // namespace settings_cache
