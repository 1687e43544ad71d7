#include "platform/runtime/folder_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <map>
#include <mutex>
#include <utility>

#include "platform/runtime/errors.h"

namespace runtime {
namespace {

// An open descriptor of the folder carrying the lock (released when it closes).
class Lock {
public:
    explicit Lock(int fd) : fd_(fd) {}
    Lock(const Lock &) = delete;
    Lock &operator=(const Lock &) = delete;
    ~Lock() { ::close(fd_); }
    int fd() const { return fd_; }

private:
    int fd_;
};

std::mutex mutex;
// The locks this process holds, by the folder's device and inode.
std::map<std::pair<dev_t, ino_t>, std::weak_ptr<Lock>> held;

}  // namespace

std::shared_ptr<const void> HoldFolder(const std::string &folder) {
    // The lock sits on the folder itself, so no file is made in it for the purpose.
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return nullptr;
    auto lock = std::make_shared<Lock>(fd);
    struct stat status {};
    if (::fstat(lock->fd(), &status) != 0) return nullptr;
    std::lock_guard guard(mutex);
    std::weak_ptr<Lock> &entry = held[{status.st_dev, status.st_ino}];
    if (std::shared_ptr<Lock> existing = entry.lock()) return existing;
    if (::flock(lock->fd(), LOCK_EX | LOCK_NB) != 0) {
        if (errno == EWOULDBLOCK) {
            std::error_code error;
            throw EDatabaseError("Another program is using the tables in the folder \"" +
                                 std::filesystem::canonical(folder, error).string() +
                                 "\". Close it before starting this one; nothing was changed");
        }
        return nullptr;
    }
    entry = lock;
    return lock;
}

}  // namespace runtime
