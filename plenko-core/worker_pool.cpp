#include "plenko-core/worker_pool.hpp"

#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

namespace plenko {

class WorkerPool {
public:
    explicit WorkerPool(std::size_t size) : owner_pid_(::getpid()) {
        // A worker that cannot be started only makes the pool smaller.
        for (std::size_t i = 1; i < size; ++i) {
            try {
                threads_.emplace_back([this, slot = i] { work(slot); });
            } catch (const std::system_error&) {
                break;
            }
        }
    }

    ~WorkerPool() {
        {
            std::lock_guard lock(mutex_);
            stopping_ = true;
        }
        wake_.notify_all();
        for (std::thread& t : threads_) t.join();
    }

    pid_t owner_pid() const { return owner_pid_; }
    std::size_t size() const { return threads_.size() + 1; }

    void run(std::size_t pieces, std::size_t n,
             const std::function<void(std::size_t, std::size_t, std::size_t)>& body) {
        std::lock_guard serial(run_mutex_);
        {
            std::lock_guard lock(mutex_);
            job_ = Job{&body, n, pieces};
            next_.store(0, std::memory_order_relaxed);
            done_ = 0;
            ++generation_;
        }
        wake_.notify_all();
        const std::size_t mine = take_pieces(job_, 0);
        std::unique_lock lock(mutex_);
        done_ += mine;
        // Closing the job only once no worker holds it keeps a late waker
        // from touching a finished one.
        finished_.wait(lock, [&] { return done_ == job_.pieces && active_ == 0; });
        job_ = Job{};
    }

private:
    struct Job {
        const std::function<void(std::size_t, std::size_t, std::size_t)>* body = nullptr;
        std::size_t n = 0;
        std::size_t pieces = 0;
    };

    // Runs pieces until none is left; returns how many it ran.
    std::size_t take_pieces(const Job& job, std::size_t slot) {
        std::size_t ran = 0;
        for (;;) {
            const std::size_t p = next_.fetch_add(1, std::memory_order_relaxed);
            if (p >= job.pieces) return ran;
            const std::size_t begin = job.n * p / job.pieces;
            const std::size_t end = job.n * (p + 1) / job.pieces;
            (*job.body)(slot, begin, end);
            ++ran;
        }
    }

    void work(std::size_t slot) {
        std::uint64_t seen = 0;
        for (;;) {
            Job job;
            {
                std::unique_lock lock(mutex_);
                wake_.wait(lock, [&] { return stopping_ || (generation_ != seen && job_.body != nullptr); });
                if (stopping_) return;
                seen = generation_;
                job = job_;
                ++active_;
            }
            const std::size_t ran = take_pieces(job, slot);
            std::lock_guard lock(mutex_);
            done_ += ran;
            --active_;
            if (done_ == job_.pieces && active_ == 0) finished_.notify_one();
        }
    }

    const pid_t owner_pid_;
    std::vector<std::thread> threads_;
    std::mutex run_mutex_;  // one job at a time
    std::mutex mutex_;
    std::condition_variable wake_, finished_;
    Job job_;
    std::atomic<std::size_t> next_{0};
    std::size_t done_ = 0;
    std::size_t active_ = 0;  // workers holding the open job
    std::uint64_t generation_ = 0;
    bool stopping_ = false;
};

namespace {

std::mutex pool_mutex;
WorkerPool* current_pool = nullptr;
std::size_t requested_size = 0;  // 0: one per hardware thread

std::size_t default_size() {
    const unsigned n = std::thread::hardware_concurrency();
    return n == 0 ? 1 : n;
}

// Never destroyed: a process-wide pool lives until exit, and a pool
// inherited through fork() belongs to the parent, whose threads are gone
// here, so it is left untouched.
WorkerPool* fresh_pool() { return new WorkerPool(requested_size == 0 ? default_size() : requested_size); }

}  // namespace

WorkerPool& worker_pool() {
    std::lock_guard lock(pool_mutex);
    if (current_pool == nullptr || current_pool->owner_pid() != ::getpid()) current_pool = fresh_pool();
    return *current_pool;
}

std::size_t participants(const WorkerPool& pool) { return pool.size(); }

void parallel_for(WorkerPool& pool, std::size_t n, std::size_t min_piece,
                  const std::function<void(std::size_t, std::size_t, std::size_t)>& body) {
    if (n == 0) return;
    const std::size_t size = pool.size();
    const std::size_t by_size = (n + std::max<std::size_t>(min_piece, 1) - 1) / std::max<std::size_t>(min_piece, 1);
    // A few pieces per participant even out uneven progress.
    const std::size_t pieces = std::min(by_size, size * 4);
    if (size == 1 || pieces <= 1) {
        body(0, 0, n);
        return;
    }
    pool.run(pieces, n, body);
}

}  // namespace plenko

// Test hook, reachable only by looking the symbol up in the loaded module
// (the test suite does so through ctypes): replaces the pool with one of `n`
// participants, 0 meaning one per hardware thread. Scoring results must not
// depend on it.
extern "C" __attribute__((visibility("default"))) void plenko_testing_set_worker_count(unsigned n) {
    std::lock_guard lock(plenko::pool_mutex);
    plenko::requested_size = n;
    if (plenko::current_pool != nullptr && plenko::current_pool->owner_pid() == ::getpid()) delete plenko::current_pool;
    plenko::current_pool = plenko::fresh_pool();
}
