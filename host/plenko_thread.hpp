#pragma once
// Identifier of the calling operating-system thread. On Linux this is the
// kernel thread id (gettid), the same number Python's
// threading.get_native_id() reports, so affinity messages can be matched
// against the threads a program knows about.

#include <cstdint>

namespace plenko::host {

std::uint64_t current_thread_id() noexcept;

}  // namespace plenko::host
