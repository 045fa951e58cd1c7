#include "smf/ordered_tile_queue.h"

#include <QMutex>
#include <QRunnable>
#include <QThreadPool>
#include <QWaitCondition>

#include <deque>

namespace {

struct Slot {
    QByteArray result;
    bool done = false;
    std::unique_ptr<QRunnable> runnable;  // not auto-deleted: tryTake() may take it back
};

}  // namespace

// Shared with the running jobs, so a job never outlives what it writes to.
struct OrderedTileQueue::State {
    QMutex mutex;
    QWaitCondition finished;
    std::deque<std::shared_ptr<Slot>> pending;  // oldest first
};

OrderedTileQueue::OrderedTileQueue(QThreadPool *pool)
    : m_state(std::make_shared<State>()),
      m_pool(pool ? pool : QThreadPool::globalInstance()),
      m_capacity(qMax(2, 4 * m_pool->maxThreadCount()))
{
}

OrderedTileQueue::~OrderedTileQueue()
{
    // Jobs not started yet are dropped; running ones are waited for.
    for (const std::shared_ptr<Slot> &slot : m_state->pending) {
        if (m_pool->tryTake(slot->runnable.get())) {
            QMutexLocker locker(&m_state->mutex);
            slot->done = true;
        }
    }
    std::deque<std::shared_ptr<Slot>> finishedSlots;
    {
        QMutexLocker locker(&m_state->mutex);
        for (const std::shared_ptr<Slot> &slot : m_state->pending) {
            while (!slot->done)
                m_state->finished.wait(&m_state->mutex);
        }
        // Each job holds the state and the state holds the jobs: dropping the
        // slots here breaks that cycle, so a queue left early (a failed save)
        // frees its tiles.
        finishedSlots.swap(m_state->pending);
    }
}

bool OrderedTileQueue::isFull() const
{
    QMutexLocker locker(&m_state->mutex);
    return int(m_state->pending.size()) >= m_capacity;
}

bool OrderedTileQueue::isEmpty() const
{
    QMutexLocker locker(&m_state->mutex);
    return m_state->pending.empty();
}

void OrderedTileQueue::submit(std::function<QByteArray()> job)
{
    auto slot = std::make_shared<Slot>();
    std::shared_ptr<State> state = m_state;
    Slot *target = slot.get();
    slot->runnable.reset(QRunnable::create([state, target, job = std::move(job)]() {
        QByteArray result = job();
        QMutexLocker locker(&state->mutex);
        target->result = std::move(result);
        target->done = true;
        state->finished.wakeAll();
    }));
    slot->runnable->setAutoDelete(false);
    {
        QMutexLocker locker(&m_state->mutex);
        m_state->pending.push_back(slot);
    }
    m_pool->start(slot->runnable.get());
}

QByteArray OrderedTileQueue::takeNext()
{
    std::shared_ptr<Slot> slot;
    {
        QMutexLocker locker(&m_state->mutex);
        Q_ASSERT(!m_state->pending.empty());
        slot = m_state->pending.front();
        m_state->pending.pop_front();
    }
    // A job the pool has not started yet runs here: the caller would only wait for it,
    // and a pool without live threads (as in a forked process) never starts it.
    if (m_pool->tryTake(slot->runnable.get()))
        slot->runnable->run();
    QMutexLocker locker(&m_state->mutex);
    while (!slot->done)
        m_state->finished.wait(&m_state->mutex);
    return std::move(slot->result);
}
