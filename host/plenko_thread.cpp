#include "host/plenko_thread.hpp"

#if defined(__linux__)
#include <sys/syscall.h>
#include <unistd.h>
#elif defined(__APPLE__)
#include <pthread.h>
#else
#include <functional>
#include <thread>
#endif

namespace plenko::host {

std::uint64_t current_thread_id() noexcept {
#if defined(__linux__)
    return static_cast<std::uint64_t>(::syscall(SYS_gettid));
#elif defined(__APPLE__)
    std::uint64_t id = 0;
    ::pthread_threadid_np(nullptr, &id);
    return id;
#else
    return static_cast<std::uint64_t>(std::hash<std::thread::id>{}(std::this_thread::get_id()));
#endif
}

}  // namespace plenko::host
