#pragma once
// The process-wide pool that scores a match in parallel. Created on first
// use with one participant per hardware thread (the calling thread is one of
// them); a process forked from the one that created it builds its own,
// since the parent's worker threads do not exist in the child.

#include <cstddef>
#include <functional>

namespace plenko {

class WorkerPool;

// The pool of the current process.
WorkerPool& worker_pool();

// Calls body(slot, begin, end) over disjoint pieces covering [0, n), at most
// `participants()` of them at the same time; `slot` (below participants())
// is unique among the pieces running at once, so it can pick per-thread
// scratch. Pieces hold at least `min_piece` items where n allows. Returns
// when every piece is done.
void parallel_for(WorkerPool& pool, std::size_t n, std::size_t min_piece,
                  const std::function<void(std::size_t slot, std::size_t begin, std::size_t end)>& body);

std::size_t participants(const WorkerPool& pool);

}  // namespace plenko
