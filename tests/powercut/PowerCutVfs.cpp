#include "PowerCutVfs.h"

#include <sqlite3.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

namespace tiravo::powercut {

namespace {

// What the system's cache holds of one file: all of it as the engine sees it,
// and which byte ranges of it the disk does not hold yet.
struct CachedFile {
    std::vector<char> bytes;
    std::map<sqlite3_int64, sqlite3_int64> unsynced; // begin -> end
    sqlite3_int64 diskSize = 0;
    int opened = 0;

    void markUnsynced(sqlite3_int64 begin, sqlite3_int64 end) {
        // Merged with the ranges it touches, so that each byte is in one.
        auto at = unsynced.lower_bound(begin);
        if (at != unsynced.begin() && std::prev(at)->second >= begin)
            --at;
        while (at != unsynced.end() && at->first <= end) {
            begin = std::min(begin, at->first);
            end = std::max(end, at->second);
            at = unsynced.erase(at);
        }
        unsynced.emplace(begin, end);
    }
    bool differsFromDisk() const {
        return !unsynced.empty() || diskSize != static_cast<sqlite3_int64>(bytes.size());
    }
};

struct Layer {
    sqlite3_vfs vfs{};
    sqlite3_vfs* plain = nullptr;
    std::map<std::string, CachedFile> files; // by path
    std::uint64_t cutAt = 0;
    std::uint64_t writes = 0;
    bool cut = false;
};

Layer* layer = nullptr;

struct File {
    sqlite3_file base;
    sqlite3_file* real;
    CachedFile* cache; // null: a temporary file, passed straight through
};

File* Of(sqlite3_file* file) {
    return reinterpret_cast<File*>(file);
}

sqlite3_file* Real(sqlite3_file* file) {
    return Of(file)->real;
}

// Counts one write, truncation, sync or deletion; true when the power is
// off for it.
bool PowerOffFor() {
    if (layer->cut)
        return true;
    ++layer->writes;
    if (layer->cutAt != 0 && layer->writes >= layer->cutAt)
        layer->cut = true;
    return layer->cut;
}

int Close(sqlite3_file* file) {
    File* f = Of(file);
    if (f->cache)
        --f->cache->opened;
    const int rc = f->real->pMethods ? f->real->pMethods->xClose(f->real) : SQLITE_OK;
    sqlite3_free(f->real);
    f->real = nullptr;
    return rc;
}

int Read(sqlite3_file* file, void* out, int amount, sqlite3_int64 offset) {
    if (layer->cut)
        return SQLITE_IOERR_READ;
    CachedFile* cache = Of(file)->cache;
    if (!cache)
        return Real(file)->pMethods->xRead(Real(file), out, amount, offset);
    const auto size = static_cast<sqlite3_int64>(cache->bytes.size());
    const sqlite3_int64 available = std::clamp<sqlite3_int64>(size - offset, 0, amount);
    if (available > 0)
        std::memcpy(out, cache->bytes.data() + offset, static_cast<std::size_t>(available));
    if (available == amount)
        return SQLITE_OK;
    std::memset(static_cast<char*>(out) + available, 0,
                static_cast<std::size_t>(amount - available));
    return SQLITE_IOERR_SHORT_READ;
}

int Write(sqlite3_file* file, const void* in, int amount, sqlite3_int64 offset) {
    CachedFile* cache = Of(file)->cache;
    if (!cache)
        return layer->cut ? SQLITE_IOERR_WRITE
                          : Real(file)->pMethods->xWrite(Real(file), in, amount, offset);
    if (PowerOffFor())
        return SQLITE_IOERR_WRITE;
    const sqlite3_int64 end = offset + amount;
    if (end > static_cast<sqlite3_int64>(cache->bytes.size()))
        cache->bytes.resize(static_cast<std::size_t>(end));
    std::memcpy(cache->bytes.data() + offset, in, static_cast<std::size_t>(amount));
    cache->markUnsynced(offset, end);
    return SQLITE_OK;
}

int Truncate(sqlite3_file* file, sqlite3_int64 size) {
    CachedFile* cache = Of(file)->cache;
    if (!cache)
        return layer->cut ? SQLITE_IOERR_TRUNCATE
                          : Real(file)->pMethods->xTruncate(Real(file), size);
    if (PowerOffFor())
        return SQLITE_IOERR_TRUNCATE;
    cache->bytes.resize(static_cast<std::size_t>(size));
    return SQLITE_OK;
}

// Puts what the cache holds of a file on its disk through `real`.
int WriteToDisk(sqlite3_file* real, CachedFile& cache) {
    // The plain layer hands the system at most 128 KiB less one byte per
    // call and takes a write of a multiple of 128 KiB for a full disk; the
    // engine itself never writes more than a page or so at once.
    constexpr sqlite3_int64 kPiece = 64 * 1024;
    const auto size = static_cast<sqlite3_int64>(cache.bytes.size());
    for (const auto& [begin, rangeEnd] : cache.unsynced) {
        const sqlite3_int64 end = std::min(rangeEnd, size);
        for (sqlite3_int64 at = begin; at < end; at += kPiece) {
            const int rc = real->pMethods->xWrite(real, cache.bytes.data() + at,
                                                  static_cast<int>(std::min(kPiece, end - at)), at);
            if (rc != SQLITE_OK)
                return rc;
        }
    }
    if (cache.diskSize != size)
        if (const int rc = real->pMethods->xTruncate(real, size); rc != SQLITE_OK)
            return rc;
    cache.unsynced.clear();
    cache.diskSize = size;
    return SQLITE_OK;
}

int Sync(sqlite3_file* file, int flags) {
    CachedFile* cache = Of(file)->cache;
    if (!cache)
        return layer->cut ? SQLITE_IOERR_FSYNC : Real(file)->pMethods->xSync(Real(file), flags);
    if (PowerOffFor())
        return SQLITE_IOERR_FSYNC;
    // The disk is the file itself: the test's own process never loses power,
    // so the system's real sync adds nothing but time.
    return WriteToDisk(Real(file), *cache);
}

int FileSize(sqlite3_file* file, sqlite3_int64* size) {
    if (layer->cut)
        return SQLITE_IOERR_FSTAT;
    CachedFile* cache = Of(file)->cache;
    if (!cache)
        return Real(file)->pMethods->xFileSize(Real(file), size);
    *size = static_cast<sqlite3_int64>(cache->bytes.size());
    return SQLITE_OK;
}

int Lock(sqlite3_file* file, int level) {
    return Real(file)->pMethods->xLock(Real(file), level);
}

int Unlock(sqlite3_file* file, int level) {
    return Real(file)->pMethods->xUnlock(Real(file), level);
}

int CheckReservedLock(sqlite3_file* file, int* reserved) {
    return Real(file)->pMethods->xCheckReservedLock(Real(file), reserved);
}

int FileControl(sqlite3_file* file, int op, void* argument) {
    if (Of(file)->cache) {
        switch (op) {
        // These would grow the file on disk behind the cache's back.
        case SQLITE_FCNTL_SIZE_HINT:
        case SQLITE_FCNTL_CHUNK_SIZE:
            return SQLITE_OK;
        // Reads must come from the cache, never from a mapping of the disk.
        case SQLITE_FCNTL_MMAP_SIZE:
            return SQLITE_NOTFOUND;
        default:
            break;
        }
    }
    return Real(file)->pMethods->xFileControl(Real(file), op, argument);
}

int SectorSize(sqlite3_file* file) {
    return Real(file)->pMethods->xSectorSize(Real(file));
}

int DeviceCharacteristics(sqlite3_file* file) {
    return Real(file)->pMethods->xDeviceCharacteristics(Real(file));
}

// The shared memory of the log's index is never on disk in a way the engine
// trusts after a crash: it is rebuilt from the log when the file is opened
// again, so it goes straight to the plain layer.
int ShmMap(sqlite3_file* file, int region, int size, int extend, void volatile** memory) {
    return Real(file)->pMethods->xShmMap(Real(file), region, size, extend, memory);
}

int ShmLock(sqlite3_file* file, int offset, int n, int flags) {
    return Real(file)->pMethods->xShmLock(Real(file), offset, n, flags);
}

void ShmBarrier(sqlite3_file* file) {
    Real(file)->pMethods->xShmBarrier(Real(file));
}

int ShmUnmap(sqlite3_file* file, int deleteFlag) {
    return Real(file)->pMethods->xShmUnmap(Real(file), deleteFlag);
}

const sqlite3_io_methods kMethods = {
    2, // no memory mapping: every read goes through Read()
    Close,       Read,       Write,
    Truncate,    Sync,       FileSize,
    Lock,        Unlock,     CheckReservedLock,
    FileControl, SectorSize, DeviceCharacteristics,
    ShmMap,      ShmLock,    ShmBarrier,
    ShmUnmap,    nullptr,    nullptr,
};

constexpr int kLastingFiles =
    SQLITE_OPEN_MAIN_DB | SQLITE_OPEN_MAIN_JOURNAL | SQLITE_OPEN_WAL | SQLITE_OPEN_MASTER_JOURNAL;

int Open(sqlite3_vfs*, const char* name, sqlite3_file* file, int flags, int* outFlags) {
    File* f = Of(file);
    f->base.pMethods = nullptr;
    f->cache = nullptr;
    f->real = static_cast<sqlite3_file*>(sqlite3_malloc(layer->plain->szOsFile));
    if (!f->real)
        return SQLITE_NOMEM;
    std::memset(f->real, 0, static_cast<std::size_t>(layer->plain->szOsFile));
    if (layer->cut) {
        sqlite3_free(f->real);
        return SQLITE_IOERR;
    }
    int rc = layer->plain->xOpen(layer->plain, name, f->real, flags, outFlags);
    if (rc != SQLITE_OK) {
        sqlite3_free(f->real);
        f->real = nullptr;
        return rc;
    }
    if (name && (flags & kLastingFiles)) {
        auto [at, isNew] = layer->files.try_emplace(name);
        CachedFile& cache = at->second;
        if (isNew) {
            sqlite3_int64 size = 0;
            rc = f->real->pMethods->xFileSize(f->real, &size);
            cache.bytes.resize(static_cast<std::size_t>(size));
            if (rc == SQLITE_OK && size > 0)
                rc = f->real->pMethods->xRead(f->real, cache.bytes.data(), static_cast<int>(size),
                                              0);
            cache.diskSize = size;
            if (rc != SQLITE_OK) {
                layer->files.erase(at);
                f->real->pMethods->xClose(f->real);
                sqlite3_free(f->real);
                f->real = nullptr;
                return rc;
            }
        }
        ++cache.opened;
        f->cache = &cache;
    }
    f->base.pMethods = &kMethods;
    return SQLITE_OK;
}

int Delete(sqlite3_vfs*, const char* name, int syncDirectory) {
    if (PowerOffFor())
        return SQLITE_IOERR_DELETE;
    // The engine closes a file before it deletes it; a file still open keeps
    // its cache, as a deleted file keeps its blocks while it is open.
    if (auto at = layer->files.find(name); at != layer->files.end() && at->second.opened == 0)
        layer->files.erase(at);
    return layer->plain->xDelete(layer->plain, name, syncDirectory);
}

// The rest is the plain layer's.
int Access(sqlite3_vfs*, const char* name, int flags, int* result) {
    return layer->plain->xAccess(layer->plain, name, flags, result);
}

int FullPathname(sqlite3_vfs*, const char* name, int size, char* out) {
    return layer->plain->xFullPathname(layer->plain, name, size, out);
}

int Randomness(sqlite3_vfs*, int size, char* out) {
    return layer->plain->xRandomness(layer->plain, size, out);
}

int Sleep(sqlite3_vfs*, int microseconds) {
    return layer->plain->xSleep(layer->plain, microseconds);
}

int CurrentTime(sqlite3_vfs*, double* now) {
    return layer->plain->xCurrentTime(layer->plain, now);
}

int GetLastError(sqlite3_vfs*, int size, char* out) {
    return layer->plain->xGetLastError(layer->plain, size, out);
}

int CurrentTimeInt64(sqlite3_vfs*, sqlite3_int64* now) {
    return layer->plain->xCurrentTimeInt64(layer->plain, now);
}

// Writes the cache of a closed file to its disk.
void WriteBackClosed(const std::string& path, CachedFile& cache) {
    const int fd = ::open(path.c_str(), O_RDWR);
    if (fd < 0)
        throw std::runtime_error("cannot write back " + path);
    const auto size = static_cast<sqlite3_int64>(cache.bytes.size());
    bool ok = true;
    for (const auto& [begin, rangeEnd] : cache.unsynced) {
        const sqlite3_int64 end = std::min(rangeEnd, size);
        if (end > begin)
            ok = ok && ::pwrite(fd, cache.bytes.data() + begin,
                                static_cast<std::size_t>(end - begin), begin) == end - begin;
    }
    ok = ok && ::ftruncate(fd, size) == 0;
    ::close(fd);
    if (!ok)
        throw std::runtime_error("cannot write back " + path);
}

void RequireAllClosed() {
    for (const auto& [path, cache] : layer->files)
        if (cache.opened > 0)
            throw std::logic_error("a file is still open: " + path);
}

} // namespace

PowerCutVfs::PowerCutVfs() {
    if (layer)
        throw std::logic_error("one power-cut layer at a time");
    sqlite3_vfs* plain = sqlite3_vfs_find("unix");
    if (!plain)
        throw std::runtime_error("the engine has no plain unix file layer");
    layer = new Layer;
    layer->plain = plain;
    sqlite3_vfs& vfs = layer->vfs;
    vfs.iVersion = 2;
    vfs.szOsFile = sizeof(File);
    vfs.mxPathname = plain->mxPathname;
    vfs.zName = "tiravo-power-cut";
    vfs.xOpen = Open;
    vfs.xDelete = Delete;
    vfs.xAccess = Access;
    vfs.xFullPathname = FullPathname;
    vfs.xRandomness = Randomness;
    vfs.xSleep = Sleep;
    vfs.xCurrentTime = CurrentTime;
    vfs.xGetLastError = GetLastError;
    vfs.xCurrentTimeInt64 = CurrentTimeInt64;
    sqlite3_vfs_register(&vfs, 1);
}

PowerCutVfs::~PowerCutVfs() {
    sqlite3_vfs_unregister(&layer->vfs);
    sqlite3_vfs_register(layer->plain, 1);
    delete layer;
    layer = nullptr;
}

void PowerCutVfs::cutAt(std::uint64_t write) {
    layer->cutAt = write;
    layer->writes = 0;
    layer->cut = false;
}

std::uint64_t PowerCutVfs::writes() const {
    return layer->writes;
}

bool PowerCutVfs::cut() const {
    return layer->cut;
}

void PowerCutVfs::writeBack() {
    RequireAllClosed();
    for (auto& [path, cache] : layer->files)
        if (cache.differsFromDisk())
            WriteBackClosed(path, cache);
    layer->files.clear();
}

void PowerCutVfs::dropUnsynced() {
    RequireAllClosed();
    layer->files.clear();
    layer->cut = false;
    layer->cutAt = 0;
}

} // namespace tiravo::powercut
