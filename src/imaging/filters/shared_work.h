#pragma once
// A few threads kept for the filters' bands. They sleep between filters, so a filter wakes them rather
// than starting threads of its own, and a waking thread is given the processor sooner than a new one.

#include <functional>

namespace imaging::detail {

// Runs task(0) … task(count − 1), each once, on the calling thread and up to `helpers` of the kept
// threads, which take the next task as they come free; returns when every task has ended. A task must not
// throw. The calling thread works too, so the tasks all end even while the kept threads are busy elsewhere.
void shareWork(int count, int helpers, const std::function<void(int task)>& task);

} // namespace imaging::detail
