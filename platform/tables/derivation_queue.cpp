#include "platform/tables/derivation_queue.h"

#include <sched.h>

#include <algorithm>
#include <exception>

namespace tables {
namespace {

size_t CoresAvailable() {
    cpu_set_t set;
    CPU_ZERO(&set);
    if (sched_getaffinity(0, sizeof set, &set) == 0) return static_cast<size_t>(CPU_COUNT(&set));
    return std::max(1u, std::thread::hardware_concurrency());
}

// On the SHA-256 instructions one thread derives four keys in about twice the time of one, and
// the program's keys are ready well before its window needs them: more threads would only take
// cores from the window's thread. Without the instructions every key costs several times more.
size_t ThreadLimit() {
    if (HasShaInstructions()) return 1;
    return std::max<size_t>(1, CoresAvailable() - 1);
}

}  // namespace

DerivationQueue::DerivationQueue() : limit_(ThreadLimit()) {}

DerivationQueue::~DerivationQueue() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
        waiting_.clear();
    }
    wake_.notify_all();
    for (std::thread &thread : threads_) thread.join();
}

std::shared_future<TableKey> DerivationQueue::Add(std::string password) {
    std::promise<TableKey> key;
    std::shared_future<TableKey> future = key.get_future().share();
    std::lock_guard lock(mutex_);
    waiting_.push_back({std::move(password), std::move(key)});
    if (waiting_.size() > kMaxShaLanes * coming_) {
        if (idle_ > wakes_) {
            ++wakes_;
            ++coming_;
            wake_.notify_one();
        } else if (threads_.size() < limit_) {
            ++coming_;
            threads_.emplace_back([this] { Work(); });
        }
    }
    return future;
}

void DerivationQueue::TakeUp(std::string_view password) {
    std::unique_lock lock(mutex_);
    auto found = std::find_if(waiting_.begin(), waiting_.end(),
                              [&](const Waiting &entry) { return entry.password == password; });
    if (found == waiting_.end()) return;
    std::rotate(waiting_.begin(), found, std::next(found));  // the asked one first
    Batch batch = TakeWaiting(2);
    lock.unlock();
    Derive(batch);
}

size_t DerivationQueue::Threads() const {
    std::lock_guard lock(mutex_);
    return threads_.size();
}

DerivationQueue::Batch DerivationQueue::TakeWaiting(size_t count) {
    Batch batch;
    while (batch.size() < count && !waiting_.empty()) {
        batch.push_back(std::move(waiting_.front()));
        waiting_.pop_front();
    }
    return batch;
}

void DerivationQueue::Derive(Batch &batch) {
    std::vector<std::string_view> passwords;
    for (const Waiting &entry : batch) passwords.push_back(entry.password);
    try {
        std::vector<TableKey> keys = DeriveTableKeys(passwords);
        for (size_t i = 0; i < batch.size(); ++i) batch[i].key.set_value(keys[i]);
    } catch (...) {
        for (Waiting &entry : batch) entry.key.set_exception(std::current_exception());
    }
}

void DerivationQueue::Work() {
    std::unique_lock lock(mutex_);
    for (;;) {
        // Started or woken: counted in coming_ until the first batch is taken.
        Batch batch = TakeWaiting(kMaxShaLanes);
        --coming_;
        for (; !batch.empty(); batch = TakeWaiting(kMaxShaLanes)) {
            lock.unlock();
            Derive(batch);
            lock.lock();
        }
        ++idle_;
        wake_.wait(lock, [this] { return stopping_ || wakes_ > 0; });
        --idle_;
        if (stopping_) return;
        --wakes_;
    }
}

}  // namespace tables
