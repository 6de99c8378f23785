#include "settings/SettingsCache.h"

#include <time.h>

#include <mutex>
#include <unordered_map>

namespace settings_cache {

namespace {

// A program reads a few dozen setting files; beyond this many something is reading
// generated names, and the entries are dropped rather than grown without bound.
constexpr size_t kMostEntries = 256;

struct Entry {
    FileIdentity identity;
    std::shared_ptr<const CachedLines> lines;
};

struct Cache {
    std::mutex mutex;
    std::unordered_map<std::string, Entry> entries;
    std::unordered_map<std::string, Location> locations;
};

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

}  // namespace

bool operator==(const FileIdentity& a, const FileIdentity& b) {
    return a.device == b.device && a.inode == b.inode && a.size == b.size &&
           a.modified == b.modified && a.changed == b.changed;
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

std::shared_ptr<const CachedLines> Find(const std::string& hostPath) {
    struct stat status {};
    if (stat(hostPath.c_str(), &status) != 0) {
        return nullptr;
    }
    const FileIdentity now = IdentityOf(status);
    Cache& cache = TheCache();
    const std::lock_guard lock(cache.mutex);
    const auto found = cache.entries.find(hostPath);
    if (found == cache.entries.end()) {
        return nullptr;
    }
    if (!(found->second.identity == now)) {
        cache.entries.erase(found);
        return nullptr;
    }
    return found->second.lines;
}

void Store(const std::string& hostPath, const FileIdentity& identity,
           std::shared_ptr<const CachedLines> lines) {
    Cache& cache = TheCache();
    const std::lock_guard lock(cache.mutex);
    MakeRoomFor(cache.entries, hostPath);
    cache.entries[hostPath] = Entry{identity, std::move(lines)};
}

std::optional<Location> FindLocation(const std::string& key) {
    Cache& cache = TheCache();
    const std::lock_guard lock(cache.mutex);
    const auto found = cache.locations.find(key);
    if (found == cache.locations.end()) {
        return std::nullopt;
    }
    return found->second;
}

void StoreLocation(const std::string& key, const Location& location) {
    Cache& cache = TheCache();
    const std::lock_guard lock(cache.mutex);
    MakeRoomFor(cache.locations, key);
    cache.locations[key] = location;
}

void Forget(const std::string& hostPath) {
    Cache& cache = TheCache();
    const std::lock_guard lock(cache.mutex);
    cache.entries.erase(hostPath);
}

}  // namespace settings_cache
