#pragma once
// Derives table keys on a few threads of their own: at most one fewer than the cores the program
// may run on (at least one), so the thread that started them keeps a core while the keys are made.
// A key asked for before a thread has taken it up is derived by the asking thread at once.
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <future>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "platform/tables/key_derivation.h"

namespace tables {

class DerivationQueue {
public:
    DerivationQueue();
    ~DerivationQueue();  // drops what no thread has taken up, waits for the rest
    DerivationQueue(const DerivationQueue &) = delete;
    DerivationQueue &operator=(const DerivationQueue &) = delete;

    std::shared_future<TableKey> Add(std::string password);
    // Derives `password`'s key on the calling thread when it is still waiting for a thread.
    void TakeUp(std::string_view password);
    // The threads started so far.
    size_t Threads() const;

private:
    struct Waiting {
        std::string password;
        std::packaged_task<TableKey()> task;
    };
    void Work();

    mutable std::mutex mutex_;
    std::deque<Waiting> waiting_;
    std::vector<std::thread> threads_;
    size_t idle_ = 0;
    size_t limit_;
    bool stopping_ = false;
    std::condition_variable wake_;
};

}  // namespace tables
