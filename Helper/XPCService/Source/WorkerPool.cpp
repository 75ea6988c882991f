#include "WorkerPool.h"

#include <system_error>

namespace
{

// File requests take milliseconds; two threads keep one slow disk call from
// holding the rest. Walks spend their time waiting on printers, bounded by
// the walk's own limits, so a few run at once.
constexpr std::size_t kFileThreads = 2;
constexpr std::size_t kWalkThreads = 4;
constexpr std::size_t kMaxQueued = 64;

} // namespace

WorkerPool::WorkerPool(std::size_t threads, std::size_t maxQueued)
    : maxThreads_(threads == 0 ? 1 : threads), maxQueued_(maxQueued)
{
}

WorkerPool::~WorkerPool()
{
    stop();
}

bool WorkerPool::post(std::function<void()> job)
{
    std::lock_guard<std::mutex> lock(mutex_);
    if (stopping_ || queue_.size() >= maxQueued_)
        return false;
    // Threads are started as work arrives, up to the fixed number.
    if (idle_ == 0 && threads_.size() < maxThreads_) {
        try {
            threads_.emplace_back([this] { run(); });
        } catch (const std::system_error &) {
            if (threads_.empty())
                return false;
        }
    }
    queue_.push_back(std::move(job));
    ready_.notify_one();
    return true;
}

void WorkerPool::stop()
{
    std::vector<std::thread> threads;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
        queue_.clear();
        threads.swap(threads_);
    }
    ready_.notify_all();
    for (std::thread &t : threads) {
        if (t.joinable())
            t.join();
    }
}

void WorkerPool::run()
{
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
        ++idle_;
        ready_.wait(lock, [this] { return stopping_ || !queue_.empty(); });
        --idle_;
        if (stopping_)
            return;
        std::function<void()> job = std::move(queue_.front());
        queue_.pop_front();
        lock.unlock();
        job();
        job = nullptr;
        lock.lock();
    }
}

WorkerPool &VaultFileWorkers()
{
    static WorkerPool pool(kFileThreads, kMaxQueued);
    return pool;
}

WorkerPool &VaultWalkWorkers()
{
    static WorkerPool pool(kWalkThreads, kMaxQueued);
    return pool;
}

void VaultStopWorkers()
{
    VaultFileWorkers().stop();
    VaultWalkWorkers().stop();
}
