#pragma once

#include "CopiedRows.h"

#include <condition_variable>
#include <deque>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

// Hands the rows of a statement from the thread that steps it to a worker thread that
// takes them in the order stepped, so that a large fill builds its rows while the engine
// reads and decrypts the next ones. Rows go over in batches, a few at a time in flight, so
// the copies cost a few megabytes whatever the size of the result.
class RowHandoff {
public:
    // take runs on the worker, batch after batch; numberOf as CopiedRows::add takes it.
    RowHandoff(std::vector<bool> numberOf, std::function<void(const CopiedRows &)> take);
    // Stops the worker without waiting for the rows not yet taken.
    ~RowHandoff();
    RowHandoff(const RowHandoff &) = delete;
    RowHandoff &operator=(const RowHandoff &) = delete;

    // Rethrows what take threw, once it has.
    void add(const dao::StepRow &row);
    // Waits until every row is taken; rethrows what take threw.
    void finish();

private:
    void handOver();
    void work();
    void close(); // no more rows: the worker ends once it has taken the rest, or at once when abandoned

    std::vector<bool> m_numberOf;
    std::function<void(const CopiedRows &)> m_take;
    std::unique_ptr<CopiedRows> m_filling;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<std::unique_ptr<CopiedRows>> m_full;
    std::vector<std::unique_ptr<CopiedRows>> m_spare;
    bool m_closed = false;
    bool m_abandoned = false;
    std::exception_ptr m_failure;
    std::thread m_worker;
};
