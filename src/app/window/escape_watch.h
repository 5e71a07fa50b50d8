#pragma once
// Long work on a worker thread while the window's events keep flowing, so that Escape can stop it.

#include <functional>

namespace app {

// Runs `work` on a worker thread and returns when it is done. Meanwhile the user's input is held back
// (the document is half-way through a change); Escape calls `onEscape` on this thread. With
// `waitCursorAfterMs` above 0 the wait cursor shows once the work has taken that long. An exception of
// the work is thrown again here.
void runWatchingEscape(const std::function<void()>& work, const std::function<void()>& onEscape,
                       int waitCursorAfterMs = 0);

} // namespace app
