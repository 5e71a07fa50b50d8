#pragma once
// Runs independent pieces of work on a few threads.

#include <cstddef>
#include <functional>

namespace starter {

// Calls body(i) once for every i below count, on up to eight threads (the caller's among them), and
// returns when all are done.
void forEachIndex(std::size_t count, const std::function<void(std::size_t)>& body);

} // namespace starter
