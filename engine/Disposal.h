#pragma once
// Freeing what a long report run leaves behind (the data files it read,
// half a million nodes for a large club, and the trees it made) takes as
// long as laying out its pages. Nobody waits for it: a worker of its own
// frees it while the caller goes on.

#include <functional>

namespace qv::engine {

// Runs `release` on the disposal worker, after everything handed over
// before it. The end of the program waits for the worker to finish.
void disposeLater(std::function<void()> release);

// Waits until everything handed over so far has been released.
void waitForDisposal();

}  // namespace qv::engine
