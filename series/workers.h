// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <atomic>
#include <cstddef>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace vp {

// Threads that each run one job and are joined before the object goes. A
// flag, set by cancel(), asks the jobs to stop; they read it and nothing
// else of this object. The last job to end calls `all_done` on its thread.
//
// The callbacks run on the workers' threads: whoever owns the object must
// not destroy it from inside them (it would join its own thread).
class Workers {
public:
    using Job = std::function<void(unsigned worker, const std::atomic<bool>& cancelled)>;

    // Background workers yield to the program's other threads: a window
    // that draws a paced run beside a series keeps its pace. Where the
    // system has no priority per thread they run as the others do.
    enum class Priority { normal, background };

    Workers(unsigned count, Job job, std::function<void()> all_done = {}, Priority priority = Priority::normal);
    ~Workers();
    Workers(const Workers&) = delete;
    Workers& operator=(const Workers&) = delete;

    void cancel() { cancelled_.store(true, std::memory_order_relaxed); }
    bool cancelled() const { return cancelled_.load(std::memory_order_relaxed); }
    // Returns once every job has ended.
    void wait();
    bool finished() const { return running_.load(std::memory_order_acquire) == 0; }

    // All the cores, at least one.
    static unsigned all_cores();

private:
    Job job_;
    std::function<void()> all_done_;
    std::atomic<bool> cancelled_{false};
    std::atomic<unsigned> running_{0};
    std::mutex join_;
    std::vector<std::thread> threads_;
};

} // namespace vp
