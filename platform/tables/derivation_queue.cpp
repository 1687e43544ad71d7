#include "platform/tables/derivation_queue.h"

#include <sched.h>

#include <algorithm>

namespace tables {
namespace {

size_t CoresAvailable() {
    cpu_set_t set;
    CPU_ZERO(&set);
    if (sched_getaffinity(0, sizeof set, &set) == 0) return static_cast<size_t>(CPU_COUNT(&set));
    return std::max(1u, std::thread::hardware_concurrency());
}

}  // namespace

DerivationQueue::DerivationQueue() : limit_(std::max<size_t>(1, CoresAvailable() - 1)) {}

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
    std::packaged_task<TableKey()> task([password] { return DeriveTableKey(password); });
    std::shared_future<TableKey> key = task.get_future().share();
    std::lock_guard lock(mutex_);
    waiting_.push_back({std::move(password), std::move(task)});
    if (idle_ > 0) {
        wake_.notify_one();
    } else if (threads_.size() < limit_) {
        threads_.emplace_back([this] { Work(); });
    }
    return key;
}

void DerivationQueue::TakeUp(std::string_view password) {
    std::unique_lock lock(mutex_);
    auto found = std::find_if(waiting_.begin(), waiting_.end(),
                              [&](const Waiting &entry) { return entry.password == password; });
    if (found == waiting_.end()) return;
    std::packaged_task<TableKey()> task = std::move(found->task);
    waiting_.erase(found);
    lock.unlock();
    task();
}

size_t DerivationQueue::Threads() const {
    std::lock_guard lock(mutex_);
    return threads_.size();
}

void DerivationQueue::Work() {
    std::unique_lock lock(mutex_);
    for (;;) {
        ++idle_;
        wake_.wait(lock, [this] { return stopping_ || !waiting_.empty(); });
        --idle_;
        if (stopping_) return;
        std::packaged_task<TableKey()> task = std::move(waiting_.front().task);
        waiting_.pop_front();
        lock.unlock();
        task();
        lock.lock();
    }
}

}  // namespace tables
