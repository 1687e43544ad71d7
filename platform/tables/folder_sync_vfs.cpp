#include "platform/tables/folder_sync_vfs.h"

#include <fcntl.h>
#include <sqlcipher/sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <map>
#include <mutex>
#include <new>
#include <string>

namespace tables {
namespace {

constexpr const char *kVfsName = "station-tables";

// Per folder: the number of entries created or removed through this layer, and how many of them
// a completed folder sync covers.
class FolderLedger {
public:
    uint64_t Change(const std::string &folder) {
        std::lock_guard lock(mutex_);
        return ++folders_[folder].changed;
    }
    // The change count a sync starting now would cover; 0 when everything is covered already.
    uint64_t Uncovered(const std::string &folder) {
        std::lock_guard lock(mutex_);
        const Counts &counts = folders_[folder];
        return counts.changed > counts.covered ? counts.changed : 0;
    }
    void Covered(const std::string &folder, uint64_t upTo) {
        std::lock_guard lock(mutex_);
        Counts &counts = folders_[folder];
        if (upTo > counts.covered) counts.covered = upTo;
    }

private:
    struct Counts {
        uint64_t changed = 0;
        uint64_t covered = 0;
    };
    std::mutex mutex_;
    std::map<std::string, Counts> folders_;
};

FolderLedger &Ledger() {
    static FolderLedger ledger;
    return ledger;
}

std::string FolderOf(const char *path) {
    const std::string full(path);
    const size_t slash = full.rfind('/');
    return slash == std::string::npos ? "." : slash == 0 ? "/" : full.substr(0, slash);
}

// Syncs the folder when an entry made in it is not covered yet. A folder that cannot be opened
// is passed over as the library does; a failing sync fails the journal's sync.
int SyncFolder(const std::string &folder) {
    const uint64_t upTo = Ledger().Uncovered(folder);
    if (upTo == 0) return SQLITE_OK;
    const int fd = open(folder.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return SQLITE_OK;
    const bool synced = fsync(fd) == 0;
    close(fd);
    if (!synced) return SQLITE_IOERR_DIR_FSYNC;
    Ledger().Covered(folder, upTo);
    return SQLITE_OK;
}

sqlite3_vfs &Base() {
    static sqlite3_vfs *base = sqlite3_vfs_find(nullptr);
    return *base;
}

// The layer's file: the library's file follows it in the same allocation.
struct LayerFile {
    sqlite3_file head;
    sqlite3_file *base;
    std::string folder;  // of a journal whose entry this layer made
    bool syncsFolder = false;
};

sqlite3_file *BaseOf(sqlite3_file *file) {
    return reinterpret_cast<LayerFile *>(file)->base;
}

// Hands a file method on to the library's file.
template <auto Method>
struct Forward;
template <typename Result, typename... Args, Result (*sqlite3_io_methods::*Method)(sqlite3_file *, Args...)>
struct Forward<Method> {
    static Result Call(sqlite3_file *file, Args... args) {
        sqlite3_file *base = BaseOf(file);
        return (base->pMethods->*Method)(base, args...);
    }
};

int Close(sqlite3_file *file) {
    auto *layer = reinterpret_cast<LayerFile *>(file);
    const int rc = layer->base->pMethods->xClose(layer->base);
    layer->~LayerFile();
    return rc;
}

int Sync(sqlite3_file *file, int flags) {
    auto *layer = reinterpret_cast<LayerFile *>(file);
    const int rc = layer->base->pMethods->xSync(layer->base, flags);
    if (rc != SQLITE_OK || !layer->syncsFolder) return rc;
    return SyncFolder(layer->folder);
}

const sqlite3_io_methods kMethods = {
    3,
    Close,
    Forward<&sqlite3_io_methods::xRead>::Call,
    Forward<&sqlite3_io_methods::xWrite>::Call,
    Forward<&sqlite3_io_methods::xTruncate>::Call,
    Sync,
    Forward<&sqlite3_io_methods::xFileSize>::Call,
    Forward<&sqlite3_io_methods::xLock>::Call,
    Forward<&sqlite3_io_methods::xUnlock>::Call,
    Forward<&sqlite3_io_methods::xCheckReservedLock>::Call,
    Forward<&sqlite3_io_methods::xFileControl>::Call,
    Forward<&sqlite3_io_methods::xSectorSize>::Call,
    Forward<&sqlite3_io_methods::xDeviceCharacteristics>::Call,
    Forward<&sqlite3_io_methods::xShmMap>::Call,
    Forward<&sqlite3_io_methods::xShmLock>::Call,
    Forward<&sqlite3_io_methods::xShmBarrier>::Call,
    Forward<&sqlite3_io_methods::xShmUnmap>::Call,
    Forward<&sqlite3_io_methods::xFetch>::Call,
    Forward<&sqlite3_io_methods::xUnfetch>::Call,
};

// A file to be created (table, journal, super-journal) is made here, readable by its owner only
// from its first byte (the tables hold names, VINs and plates, and journals hold pages of them),
// and never through a symbolic link; the library then opens it as an existing file. So it does not
// sync the folder at a new journal's first sync either: this layer does that, when still needed.
int Open(sqlite3_vfs *, const char *name, sqlite3_file *file, int flags, int *outFlags) {
    bool created = false;
    if (name && (flags & SQLITE_OPEN_CREATE)) {
        const int fd = open(name, O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, S_IRUSR | S_IWUSR);
        if (fd >= 0) {
            close(fd);
            created = true;
        } else {
            struct stat target {};
            // A name that is a link to nothing, or taken while the library wants a new file.
            if (errno != EEXIST || (flags & SQLITE_OPEN_EXCLUSIVE) || stat(name, &target) != 0)
                return SQLITE_CANTOPEN;
        }
        flags &= ~(SQLITE_OPEN_CREATE | SQLITE_OPEN_EXCLUSIVE);
    }
    auto *layer = new (file) LayerFile{};
    layer->base = reinterpret_cast<sqlite3_file *>(layer + 1);
    const int rc = Base().xOpen(&Base(), name, layer->base, flags, outFlags);
    if (rc != SQLITE_OK) {
        // A file the library set up before failing still wants its close.
        if (layer->base->pMethods) layer->base->pMethods->xClose(layer->base);
        layer->~LayerFile();
        file->pMethods = nullptr;
        if (created) unlink(name);
        return rc;
    }
    if (created && (flags & (SQLITE_OPEN_MAIN_JOURNAL | SQLITE_OPEN_MASTER_JOURNAL))) {
        layer->folder = FolderOf(name);
        layer->syncsFolder = true;
        Ledger().Change(layer->folder);
    }
    file->pMethods = &kMethods;
    return SQLITE_OK;
}

int Delete(sqlite3_vfs *, const char *name, int syncFolder) {
    const std::string folder = FolderOf(name);
    const uint64_t change = Ledger().Change(folder);
    const int rc = Base().xDelete(&Base(), name, syncFolder);
    if (rc == SQLITE_OK && syncFolder) Ledger().Covered(folder, change);
    return rc;
}

sqlite3_vfs *MakeVfs() {
    // Before the engine starts: a connection's page cache takes its pages one by one as reads need
    // them, instead of allocating and touching a bulk of a hundred at its first read (opening a
    // table reads a few pages, and the program opens a dozen tables as it starts).
    sqlite3_config(SQLITE_CONFIG_PAGECACHE, nullptr, 0, 0);
    static sqlite3_vfs vfs = Base();
    vfs.szOsFile = static_cast<int>(sizeof(LayerFile)) + Base().szOsFile;
    vfs.zName = kVfsName;
    vfs.pNext = nullptr;
    vfs.xOpen = Open;
    vfs.xDelete = Delete;
    sqlite3_vfs_register(&vfs, 0);
    return &vfs;
}

}  // namespace

const char *FolderSyncVfsName() {
    static sqlite3_vfs *vfs = MakeVfs();
    return vfs->zName;
}

}  // namespace tables
