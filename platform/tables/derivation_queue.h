#pragma once
// Derives table keys on threads of their own: one where the CPU has the SHA-256 instructions,
// else at most one fewer than the cores the program may run on (at least one), so the thread that
// started them keeps a core while the keys are made.
// A thread takes up to kMaxShaLanes waiting passwords at once, derived side by side for about half
// the time of each alone; a further thread is started only for passwords no thread on its way will
// take. A key asked for before a thread has taken it up is derived by the asking thread at once.
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
    // Derives `password`'s key on the calling thread when it is still waiting for a thread, with
    // one more waiting password beside it (two take little longer than one).
    void TakeUp(std::string_view password);
    // The threads started so far.
    size_t Threads() const;

private:
    struct Waiting {
        std::string password;
        std::promise<TableKey> key;
    };
    using Batch = std::vector<Waiting>;
    // Moves up to `count` waiting passwords into a batch; the mutex is held.
    Batch TakeWaiting(size_t count);
    static void Derive(Batch &batch);
    void Work();

    mutable std::mutex mutex_;
    std::deque<Waiting> waiting_;
    std::vector<std::thread> threads_;
    size_t idle_ = 0;     // threads waiting to be woken
    size_t wakes_ = 0;    // wake-ups sent that no idle thread has taken yet
    size_t coming_ = 0;   // threads started or woken that have not taken their batch yet
    size_t limit_;
    bool stopping_ = false;
    std::condition_variable wake_;
};

}  // namespace tables
