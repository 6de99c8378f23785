#include "settings/SettingsCache.h"

#include <linux/magic.h>
#include <pthread.h>
#include <sys/inotify.h>
#include <sys/ioctl.h>
#include <sys/vfs.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <mutex>
#include <set>
#include <unordered_map>
#include <vector>

#include "platform/core/Drives.h"
#include "platform/core/OsServices.h"

namespace settings_cache {

namespace {

// A program reads a few dozen setting files; beyond this many something is reading
// generated names, and the entries are dropped rather than grown without bound.
constexpr size_t kMostEntries = 256;

// Anything that may change a file in the folder or the folder itself. Reading, and the
// locks readers and writers take, queue nothing.
constexpr uint32_t kFolderEvents = IN_MODIFY | IN_ATTRIB | IN_CLOSE_WRITE | IN_CREATE | IN_DELETE |
                                   IN_MOVED_FROM | IN_MOVED_TO | IN_DELETE_SELF | IN_MOVE_SELF |
                                   IN_ONLYDIR | IN_MASK_ADD;
// A folder along the way moved or removed takes the settings folder with it.
constexpr uint32_t kAncestorEvents = IN_DELETE_SELF | IN_MOVE_SELF | IN_ONLYDIR | IN_MASK_ADD;

// File systems whose changes all pass through this kernel, so a watch sees every one.
// Elsewhere (network and FUSE file systems, anything unknown) another machine may change
// a file unseen, and the stat check stays.
bool ChangesPassThroughThisKernel(const std::string& folder) {
    // Not in the kernel's header: ZFS, JFS and bcachefs.
    constexpr std::array<unsigned long, 10> kLocal = {EXT4_SUPER_MAGIC,     XFS_SUPER_MAGIC,
                                                      BTRFS_SUPER_MAGIC,    TMPFS_MAGIC,
                                                      F2FS_SUPER_MAGIC,     OVERLAYFS_SUPER_MAGIC,
                                                      REISERFS_SUPER_MAGIC, 0x2FC12FC1,
                                                      0x3153464A,           0xCA451A4E};
    struct statfs status {};
    if (statfs(folder.c_str(), &status) != 0) {
        return false;
    }
    const auto type = static_cast<unsigned long>(status.f_type);
    return std::find(kLocal.begin(), kLocal.end(), type) != kLocal.end();
}

std::atomic<bool> watchWanted{true};

bool WatchWanted() {
    return watchWanted.load(std::memory_order_relaxed);
}

std::string ParentFolder(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) {
        return std::string();
    }
    return slash == 0 ? std::string("/") : path.substr(0, slash);
}

// The folders above folder, up to the root.
std::vector<std::string> AncestorsOf(std::string folder) {
    std::vector<std::string> ancestors;
    while (folder.size() > 1) {
        folder = ParentFolder(folder);
        ancestors.push_back(folder);
    }
    return ancestors;
}

// A folder reached without symbolic links: a link along the way could be pointed
// elsewhere, which no watch would report.
bool IsRealFolder(const std::string& folder) {
    char* real = realpath(folder.c_str(), nullptr);
    if (real == nullptr) {
        return false;
    }
    std::string normal = std::filesystem::path(folder).lexically_normal().string();
    if (normal.size() > 1 && normal.back() == '/') {
        normal.pop_back();
    }
    const bool same = normal == real;
    std::free(real);
    return same;
}

// A forked child shares the parent's watch queue; it must not take the parent's events.
std::atomic<bool> forkedSinceWatchOpened{false};

// The SettingsCall open on this thread: its one check, and the run of reads it stamps.
struct CallState {
    int depth = 0;
    bool checked = false;
    unsigned long long generation = 0;  // as the check found it
    bool tracking = false;
    bool vouched = false;
    std::optional<std::string> driveC;  // as the tracked reads found them
    std::string commandLine;
    std::optional<std::optional<std::string>> driveCNow;  // fetched once per call
};
// Functions take a reference to it once: each use of a thread_local with a constructor
// goes through a wrapper.
thread_local CallState threadCall;

void OnForkInChild() {
    forkedSinceWatchOpened = true;
}

// The watch on the folders of kept files: one inotify queue, read without waiting.
class FolderWatch {
public:
    FolderWatch() = default;
    ~FolderWatch() { Close(); }
    FolderWatch(const FolderWatch&) = delete;
    FolderWatch& operator=(const FolderWatch&) = delete;

    // Opens the queue on first use; false when there is none to be had.
    bool Available() {
        if (queue_ < 0 && !given_up_) {
            Open();
        }
        return queue_ >= 0;
    }

    // Watches folder (and the folders above it, for moves); false when it cannot be.
    bool Watch(const std::string& folder) {
        if (!Available() || folder.empty() || folder[0] != '/') {
            return false;
        }
        if (watched_.count(folder) != 0) {
            return true;
        }
        if (!IsRealFolder(folder) || !ChangesPassThroughThisKernel(folder) ||
            inotify_add_watch(queue_, folder.c_str(), kFolderEvents) < 0) {
            return false;
        }
        for (const std::string& ancestor : AncestorsOf(folder)) {
            if (inotify_add_watch(queue_, ancestor.c_str(), kAncestorEvents) < 0) {
                return false;
            }
        }
        watched_.insert(folder);
        return true;
    }

    bool Watching(const std::string& folder) const {
        return queue_ >= 0 && watched_.count(folder) != 0;
    }

    // Empties the queue; true when anything may have changed since the last call: an
    // event (the queue's overflow and a removed watch included), or a queue that can no
    // longer be trusted. The folders are then watched again as they are read.
    bool Drain() {
        if (queue_ < 0) {
            return false;
        }
        if (forkedSinceWatchOpened.exchange(false)) {
            Close();  // this process's copy; the parent keeps its queue
            return true;
        }
        // Asking how much is queued is the cheapest look; reading is only for emptying.
        int queued = 0;
        if (ioctl(queue_, FIONREAD, &queued) != 0) {
            return GiveUp();
        }
        if (queued == 0) {
            return false;
        }
        alignas(inotify_event) char events[sizeof(inotify_event) + NAME_MAX + 1];
        for (;;) {
            const ssize_t got = read(queue_, events, sizeof events);
            if (got < 0 && errno == EAGAIN) {
                break;
            }
            if (got == 0 || (got < 0 && errno != EINTR)) {
                return GiveUp();
            }
        }
        watched_.clear();
        return true;
    }

private:
    void Open() {
        if (!WatchWanted()) {
            given_up_ = true;
            return;
        }
        static std::once_flag registered;
        std::call_once(registered, [] { pthread_atfork(nullptr, nullptr, OnForkInChild); });
        forkedSinceWatchOpened = false;
        queue_ = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
        // Out of queues (a per-user limit): the stat check serves.
        given_up_ = queue_ < 0;
    }

    // A queue that fails cannot be trusted; the stat check serves from now on.
    bool GiveUp() {
        Close();
        given_up_ = true;
        return true;
    }

    void Close() {
        if (queue_ >= 0) {
            close(queue_);
        }
        queue_ = -1;
        watched_.clear();
    }

    int queue_ = -1;
    bool given_up_ = false;
    std::set<std::string> watched_;
};

struct Entry {
    FileIdentity identity;
    std::shared_ptr<const CachedLines> lines;
    bool watched = false;  // trusted until the watch reports a change; else checked by stat
};

struct Cache {
    std::mutex mutex;
    std::unordered_map<std::string, Entry> entries;
    std::unordered_map<std::string, std::shared_ptr<const Location>> locations;
    FolderWatch watch;
    unsigned long long generation = 0;  // counts the changes the watch reported

    // Takes the watch's news: after any change, nothing kept is trusted.
    void Refresh() {
        if (watch.Drain()) {
            ++generation;
            entries.clear();
        }
    }

    // The check a read makes: every read outside a SettingsCall, the first one inside.
    void RefreshForCall() {
        CallState& call = threadCall;
        if (call.depth == 0 || !call.checked) {
            Refresh();
            call.checked = call.depth > 0;
            call.generation = generation;
        }
    }
};

void NoteUnvouched() {
    CallState& call = threadCall;
    call.vouched = false;
}

template <class Map>
void MakeRoomFor(Map& map, const std::string& key) {
    if (map.size() >= kMostEntries && map.count(key) == 0) {
        map.clear();
    }
}

Cache& TheCache() {
    static Cache cache;
    return cache;
}

bool operator==(const timespec& a, const timespec& b) {
    return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
}

bool operator<(const timespec& a, const timespec& b) {
    return a.tv_sec < b.tv_sec || (a.tv_sec == b.tv_sec && a.tv_nsec < b.tv_nsec);
}

FileIdentity IdentityOf(const struct stat& status) {
    return {status.st_dev, status.st_ino, status.st_size, status.st_mtim, status.st_ctim};
}

std::optional<FileIdentity> SettledIdentity(int descriptor) {
    // The clock the kernel stamps file changes with.
    timespec before{};
    struct stat status {};
    if (clock_gettime(CLOCK_REALTIME_COARSE, &before) != 0 || fstat(descriptor, &status) != 0) {
        return std::nullopt;
    }
    if (!(status.st_mtim < before) || !(status.st_ctim < before)) {
        return std::nullopt;
    }
    return IdentityOf(status);
}

}  // namespace

bool operator==(const FileIdentity& a, const FileIdentity& b) {
    return a.device == b.device && a.inode == b.inode && a.size == b.size &&
           a.modified == b.modified && a.changed == b.changed;
}

ReadTicket BeginRead(const std::string& hostPath) {
    Cache& cache = TheCache();
    const std::lock_guard lock(cache.mutex);
    cache.Refresh();
    ReadTicket ticket;
    ticket.watched = cache.watch.Watch(ParentFolder(hostPath));
    ticket.generation = cache.generation;
    return ticket;
}

std::optional<FileIdentity> KeepableIdentity(int descriptor, const std::string& hostPath,
                                             ReadTicket& ticket) {
    if (ticket.watched) {
        struct stat status {};
        struct stat entry {};
        if (fstat(descriptor, &status) != 0 || lstat(hostPath.c_str(), &entry) != 0) {
            return std::nullopt;
        }
        // A file behind a symbolic link or with other names can be changed through a
        // folder the watch does not see: the stat check keeps that one.
        if (status.st_nlink == 1 && !S_ISLNK(entry.st_mode)) {
            return IdentityOf(status);
        }
        ticket.watched = false;
    }
    return SettledIdentity(descriptor);
}

std::shared_ptr<const CachedLines> Find(const std::string& hostPath) {
    Cache& cache = TheCache();
    std::unique_lock lock(cache.mutex);
    cache.RefreshForCall();
    const auto found = cache.entries.find(hostPath);
    if (found == cache.entries.end()) {
        return nullptr;
    }
    if (found->second.watched) {
        return found->second.lines;
    }
    NoteUnvouched();  // a stat vouches only for this moment
    const Entry kept = found->second;
    lock.unlock();
    struct stat status {};
    if (stat(hostPath.c_str(), &status) == 0 && IdentityOf(status) == kept.identity) {
        return kept.lines;
    }
    lock.lock();
    const auto again = cache.entries.find(hostPath);
    if (again != cache.entries.end() && again->second.lines == kept.lines) {
        cache.entries.erase(again);
    }
    return nullptr;
}

void Store(const std::string& hostPath, const ReadTicket& ticket, const FileIdentity& identity,
           std::shared_ptr<const CachedLines> lines) {
    Cache& cache = TheCache();
    const std::lock_guard lock(cache.mutex);
    cache.Refresh();
    // Under a watch, a change reported since the ticket may have been read half-done.
    const bool watched = ticket.watched && ticket.generation == cache.generation &&
                         cache.watch.Watching(ParentFolder(hostPath));
    if (ticket.watched && !watched) {
        return;
    }
    MakeRoomFor(cache.entries, hostPath);
    cache.entries[hostPath] = Entry{identity, std::move(lines), watched};
}

std::shared_ptr<const Location> FindLocation(const std::string& key) {
    Cache& cache = TheCache();
    const std::lock_guard lock(cache.mutex);
    const auto found = cache.locations.find(key);
    return found == cache.locations.end() ? nullptr : found->second;
}

void StoreLocation(const std::string& key, const Location& location) {
    auto kept = std::make_shared<const Location>(location);
    Cache& cache = TheCache();
    const std::lock_guard lock(cache.mutex);
    MakeRoomFor(cache.locations, key);
    cache.locations[key] = std::move(kept);
}

void Forget(const std::string& hostPath) {
    Cache& cache = TheCache();
    const std::lock_guard lock(cache.mutex);
    cache.entries.erase(hostPath);
}

void NoteRead(const std::string* driveC, const char* commandLine) {
    CallState& call = threadCall;
    if (!call.tracking) {
        return;
    }
    if (!driveC || !commandLine) {
        NoteUnvouched();
    } else if (!call.driveC) {
        call.driveC = *driveC;
        call.commandLine = commandLine;
    } else if (*call.driveC != *driveC || call.commandLine != commandLine) {
        NoteUnvouched();
    }
}

SettingsCall::SettingsCall() {
    CallState& call = threadCall;
    if (call.depth++ == 0) {
        call.checked = false;
        call.tracking = false;
        call.driveCNow.reset();
    }
}

SettingsCall::~SettingsCall() {
    CallState& call = threadCall;
    if (--call.depth == 0) {
        call.tracking = false;  // reads outside a call are never stamped
    }
}

bool SettingsCall::Unchanged(const ReadStamp& stamp) {
    CallState& call = threadCall;
    if (!call.checked) {
        Cache& cache = TheCache();
        const std::lock_guard lock(cache.mutex);
        cache.RefreshForCall();
    }
    if (call.generation != stamp.generation) {
        return false;
    }
    const char* commandLine = GetCommandLineA();
    if (!commandLine || stamp.commandLine != commandLine) {
        return false;
    }
    if (!call.driveCNow) {
        call.driveCNow = plat::DriveFolder('C');
    }
    return *call.driveCNow && **call.driveCNow == stamp.driveC;
}

void SettingsCall::TrackReads() {
    CallState& call = threadCall;
    call.tracking = true;
    call.vouched = true;
    call.driveC.reset();
    call.commandLine.clear();
}

std::optional<ReadStamp> SettingsCall::StampReads() const {
    CallState& call = threadCall;
    if (!call.tracking || !call.vouched || !call.checked || !call.driveC) {
        return std::nullopt;
    }
    return ReadStamp{call.generation, *call.driveC, call.commandLine};
}

void UseFolderWatch(bool use) {
    watchWanted.store(use, std::memory_order_relaxed);
}

}  // namespace settings_cache
