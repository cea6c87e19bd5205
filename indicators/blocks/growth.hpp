#pragma once
// Window storage grows as inputs arrive, never past the window's length, so
// that a large length parameter alone costs no memory.

#include <cstddef>
#include <vector>

namespace plenko::detail {

// Makes room for one more element in a vector that will never hold more than
// `limit` elements. Capacity doubles (from 8) but is capped at `limit`.
template <class T>
void reserve_one_more(std::vector<T>& v, std::size_t limit) {
    if (v.size() < v.capacity()) return;
    std::size_t want = v.capacity() < 4 ? 8 : v.capacity() * 2;
    if (want < v.capacity()) want = limit;  // doubling wrapped
    if (want > limit) want = limit;
    if (want <= v.size()) want = v.size() + 1;
    v.reserve(want);
}

}  // namespace plenko::detail
