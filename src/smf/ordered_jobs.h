#pragma once

#include <QFuture>
#include <QtConcurrent/QtConcurrentRun>

#include <deque>
#include <functional>
#include <utility>

#include "smf/smf_format.h"

// Jobs that run on the global thread pool and whose results are handed on in the order
// the jobs were added, on the thread that adds them: what a file is written from
// (tile payloads) never depends on the number of threads. A result waited for whose
// job has not started yet is made on the waiting thread. Jobs may outlive the queue
// (cancel() leaves those running to finish on their own), so each must own what it
// uses: capture by value.
template <typename Result>
class OrderedJobs
{
public:
    // take(k, result) receives the k-th result (0 for the first job added); a status
    // other than Ok stops the queue: the jobs not started are cancelled.
    using Take = std::function<SmfStatus(qint64 index, const Result &result)>;

    explicit OrderedJobs(Take take) : m_take(std::move(take)) {}
    ~OrderedJobs() { cancel(); }
    OrderedJobs(const OrderedJobs &) = delete;
    OrderedJobs &operator=(const OrderedJobs &) = delete;

    // Starts job(), which returns a Result, on the global thread pool.
    template <typename Job>
    void add(Job job)
    {
        m_running.push_back(QtConcurrent::run(std::move(job)));
    }

    // Jobs added whose results were not taken yet.
    std::size_t pending() const { return m_running.size(); }

    // Hands on the results at the front that are ready, without waiting.
    SmfStatus takeReady() { return take(false, 0); }
    // Hands on results, waiting for each, until at most `left` jobs are pending.
    SmfStatus takeUntil(std::size_t left) { return take(true, left); }

    // Cancels the jobs not started; those running finish on their own.
    void cancel()
    {
        for (QFuture<Result> &future : m_running)
            future.cancel();
        m_running.clear();
    }

private:
    SmfStatus take(bool wait, std::size_t left)
    {
        while (m_running.size() > left && (wait || m_running.front().isFinished())) {
            const Result result = m_running.front().result();
            m_running.pop_front();
            const SmfStatus status = m_take(m_taken++, result);
            if (status != SmfStatus::Ok) {
                cancel();
                return status;
            }
        }
        return SmfStatus::Ok;
    }

    Take m_take;
    std::deque<QFuture<Result>> m_running;
    qint64 m_taken = 0;
};
