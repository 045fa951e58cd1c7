#pragma once

#include <functional>

class QThreadPool;

// Runs body(0) .. body(count - 1) on the calling thread and the free threads of pool
// (nullptr: the global pool) and returns when every call has returned. Calls run in
// no particular order and concurrently, so body must only write what its index
// owns. A busy pool only means the calling thread does more of the work.
void parallelFor(int count, const std::function<void(int)> &body, QThreadPool *pool = nullptr);
