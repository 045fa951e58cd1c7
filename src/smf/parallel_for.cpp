#include "smf/parallel_for.h"

#include <QSemaphore>
#include <QThreadPool>

#include <atomic>
#include <memory>

void parallelFor(int count, const std::function<void(int)> &body, QThreadPool *pool)
{
    if (count <= 0)
        return;
    if (!pool)
        pool = QThreadPool::globalInstance();
    struct Shared {
        std::atomic<int> next{0};
        QSemaphore finished;
    };
    const auto shared = std::make_shared<Shared>();
    const auto work = [shared, &body, count]() {
        for (int i = shared->next++; i < count; i = shared->next++)
            body(i);
    };
    int helpers = 0;
    for (int k = 1; k < qMin(count, pool->maxThreadCount()); ++k) {
        if (!pool->tryStart([shared, work]() {
                work();
                shared->finished.release();
            })) {
            break;
        }
        ++helpers;
    }
    work();
    // body is referenced by the helpers: wait for every one of them, not just the work.
    shared->finished.acquire(helpers);
}
