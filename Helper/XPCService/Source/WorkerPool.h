// A small fixed set of threads that run queued jobs in order of arrival.
// The service keeps two: one for the quick file requests and one for walks,
// so a file request never waits behind a walk that waits on its printer.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

class WorkerPool
{
  public:
    // threads: how many jobs run at once; maxQueued: how many may wait.
    WorkerPool(std::size_t threads, std::size_t maxQueued);
    // Stops the pool (see stop()).
    ~WorkerPool();
    WorkerPool(const WorkerPool &) = delete;
    WorkerPool &operator=(const WorkerPool &) = delete;

    // Queues job; false (job dropped) when the queue is full, the pool is
    // stopping, or no thread could be started.
    bool post(std::function<void()> job);

    // Drops the jobs still waiting, lets the running ones finish and joins
    // the threads. Later posts are refused.
    void stop();

  private:
    void run();

    std::mutex mutex_;
    std::condition_variable ready_;
    std::deque<std::function<void()>> queue_;
    std::vector<std::thread> threads_;
    std::size_t maxThreads_;
    std::size_t maxQueued_;
    std::size_t idle_ = 0;
    bool stopping_ = false;
};

// The service's two pools.
WorkerPool &VaultFileWorkers();
WorkerPool &VaultWalkWorkers();
// Stops both (at shutdown, before the bus connection goes).
void VaultStopWorkers();
