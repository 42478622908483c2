#include "RowHandoff.h"

namespace {

constexpr int kBatchRows = 4096;
constexpr size_t kBatchBytes = size_t(4) << 20;
constexpr size_t kInFlight = 4;

} // namespace

RowHandoff::RowHandoff(std::vector<bool> numberOf, std::function<void(const CopiedRows &)> take)
    : m_numberOf(std::move(numberOf)), m_take(std::move(take)), m_filling(std::make_unique<CopiedRows>())
{
    // Every batch there can ever be fits, so giving one back never allocates on the worker,
    // where a failure would have no way out.
    m_spare.reserve(kInFlight + 2);
    m_worker = std::thread([this] { work(); });
}

RowHandoff::~RowHandoff()
{
    {
        std::lock_guard lock(m_mutex);
        m_abandoned = true;
    }
    close();
}

void RowHandoff::add(const dao::StepRow &row)
{
    m_filling->add(row, m_numberOf);
    if (m_filling->size() >= kBatchRows || m_filling->bytes() >= kBatchBytes)
        handOver();
}

void RowHandoff::finish()
{
    if (m_filling->size() > 0)
        handOver();
    close();
    if (m_failure)
        std::rethrow_exception(m_failure);
}

void RowHandoff::handOver()
{
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [this] { return m_full.size() < kInFlight || m_failure; });
    if (m_failure)
        std::rethrow_exception(m_failure);
    m_full.push_back(std::move(m_filling));
    if (m_spare.empty()) {
        m_filling = std::make_unique<CopiedRows>();
    } else {
        m_filling = std::move(m_spare.back());
        m_spare.pop_back();
    }
    m_changed.notify_all();
}

void RowHandoff::work()
{
    for (;;) {
        std::unique_ptr<CopiedRows> batch;
        {
            std::unique_lock lock(m_mutex);
            m_changed.wait(lock, [this] { return !m_full.empty() || m_closed; });
            if (m_abandoned || m_full.empty())
                return;
            batch = std::move(m_full.front());
            m_full.pop_front();
        }
        m_changed.notify_all(); // room for the next batch while this one is taken
        try {
            m_take(*batch);
        } catch (...) {
            std::lock_guard lock(m_mutex);
            m_failure = std::current_exception();
            m_changed.notify_all();
            return;
        }
        batch->clear();
        std::lock_guard lock(m_mutex);
        m_spare.push_back(std::move(batch));
        m_changed.notify_all();
    }
}

void RowHandoff::close()
{
    {
        std::lock_guard lock(m_mutex);
        m_closed = true;
        m_changed.notify_all();
    }
    if (m_worker.joinable())
        m_worker.join();
}
