#include "RowOrder.h"

#include <functional>
#include <string_view>

namespace roworder {
namespace {

size_t hashOf(QByteArrayView bytes, std::uint8_t tag)
{
    return std::hash<std::string_view>{}(std::string_view(bytes.data(), static_cast<size_t>(bytes.size()))) ^ tag;
}

} // namespace

DistinctValues::DistinctValues() : m_slots(64, -1) {}

QByteArrayView DistinctValues::bytes(int id) const
{
    const Value &v = m_values[static_cast<size_t>(id)];
    return {m_bytes.data() + v.offset, static_cast<qsizetype>(v.size)};
}

int DistinctValues::intern(QByteArrayView bytes, std::uint8_t tag)
{
    const size_t mask = m_slots.size() - 1;
    for (size_t slot = hashOf(bytes, tag) & mask;; slot = (slot + 1) & mask) {
        const int id = m_slots[slot];
        if (id < 0) {
            const int added = size();
            m_values.push_back({static_cast<std::uint32_t>(m_bytes.size()), static_cast<std::uint32_t>(bytes.size()), tag});
            m_bytes.append(bytes.data(), static_cast<size_t>(bytes.size()));
            m_slots[slot] = added;
            if (m_values.size() * 2 > m_slots.size())
                grow();
            return added;
        }
        if (tag == this->tag(id) && this->bytes(id) == bytes)
            return id;
    }
}

void DistinctValues::grow()
{
    std::vector<int> slots(m_slots.size() * 2, -1);
    const size_t mask = slots.size() - 1;
    for (int id = 0; id < size(); ++id) {
        size_t slot = hashOf(bytes(id), tag(id)) & mask;
        while (slots[slot] >= 0)
            slot = (slot + 1) & mask;
        slots[slot] = id;
    }
    m_slots = std::move(slots);
}

std::vector<int> byRank(const std::vector<int> &ranks, int rankCount, bool descending)
{
    // Counting: where each rank's rows begin, then every row in its turn.
    std::vector<int> start(static_cast<size_t>(rankCount) + 1, 0);
    for (int r : ranks)
        ++start[static_cast<size_t>(descending ? rankCount - 1 - r : r) + 1];
    for (size_t i = 1; i < start.size(); ++i)
        start[i] += start[i - 1];
    std::vector<int> order(ranks.size());
    for (size_t row = 0; row < ranks.size(); ++row) {
        const int r = ranks[row];
        order[static_cast<size_t>(start[static_cast<size_t>(descending ? rankCount - 1 - r : r)]++)] =
            static_cast<int>(row);
    }
    return order;
}

} // namespace roworder
