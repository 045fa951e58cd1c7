#pragma once

#include <QByteArray>

#include <functional>
#include <memory>

class QThreadPool;

// Runs tile jobs (cut, encode, compress) on a thread pool and hands their results
// back in the order they were submitted, so a file can be written in index order
// whatever the number of threads. At most capacity() jobs are queued, running or
// waiting to be taken, which bounds the memory of finished tiles.
// Jobs must not touch the caller's objects except through what they captured.
// The destructor waits for every submitted job to finish.
class OrderedTileQueue
{
public:
    // pool: not owned, must outlive the queue; nullptr means the global pool.
    // The window is four jobs per pool thread.
    explicit OrderedTileQueue(QThreadPool *pool = nullptr);
    ~OrderedTileQueue();
    OrderedTileQueue(const OrderedTileQueue &) = delete;
    OrderedTileQueue &operator=(const OrderedTileQueue &) = delete;

    int capacity() const { return m_capacity; }
    bool isFull() const;
    bool isEmpty() const;

    // Starts job on the pool. The queue must not be full.
    void submit(std::function<QByteArray()> job);

    // Waits for the oldest job and returns its result. The queue must not be empty.
    QByteArray takeNext();

private:
    struct State;
    std::shared_ptr<State> m_state;
    QThreadPool *m_pool;
    int m_capacity;
};
