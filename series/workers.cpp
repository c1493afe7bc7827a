// SPDX-License-Identifier: GPL-3.0-or-later
#include "series/workers.h"

#include <algorithm>

#ifdef __linux__
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>
#endif

namespace vp {
namespace {

// Linux gives every thread a niceness of its own; 10 leaves a thread of
// niceness 0 some nine tenths of a core it shares with it.
void run_in_background()
{
#ifdef __linux__
    constexpr int background_niceness = 10;
    setpriority(PRIO_PROCESS, static_cast<id_t>(syscall(SYS_gettid)), background_niceness);
#endif
}

} // namespace

Workers::Workers(unsigned count, Job job, std::function<void()> all_done, Priority priority)
    : job_(std::move(job)), all_done_(std::move(all_done))
{
    count = std::max(count, 1u);
    running_.store(count, std::memory_order_relaxed);
    threads_.reserve(count);
    for (unsigned worker = 0; worker < count; ++worker) {
        try {
            threads_.emplace_back([this, worker, priority] {
                if (priority == Priority::background)
                    run_in_background();
                job_(worker, cancelled_);
                if (running_.fetch_sub(1, std::memory_order_acq_rel) == 1 && all_done_)
                    all_done_();
            });
        } catch (...) {
            // No thread to be had: those started stop, and the object is
            // not made.
            cancel();
            running_.fetch_sub(count - worker, std::memory_order_acq_rel);
            wait();
            throw;
        }
    }
}

Workers::~Workers()
{
    cancel();
    wait();
}

void Workers::wait()
{
    const std::lock_guard<std::mutex> lock(join_);
    for (std::thread& t : threads_) {
        if (t.joinable())
            t.join();
    }
}

unsigned Workers::all_cores()
{
    return std::max(std::thread::hardware_concurrency(), 1u);
}

} // namespace vp
