#pragma once

#include <QByteArrayView>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

// Orders of grid rows made from the distinct values of their key cells. A column of a
// million cells holds far fewer distinct texts, so each text is parsed and given its sort
// key once, and the rows are then ordered by integer ranks.
namespace roworder {

// The distinct values of one column, numbered in the order first seen. A tag keeps values
// of different kinds apart whose bytes agree (a null and an empty text).
class DistinctValues {
public:
    DistinctValues();
    int intern(QByteArrayView bytes, std::uint8_t tag = 0);
    int size() const { return static_cast<int>(m_values.size()); }
    QByteArrayView bytes(int id) const;
    std::uint8_t tag(int id) const { return m_values[static_cast<size_t>(id)].tag; }

    // ranks[id]: the place of value id among the distinct values ordered by compare
    // (negative, zero or positive, as strcmp), values that compare equal sharing one rank;
    // rankCount is one more than the largest rank.
    template <class Compare>
    std::vector<int> ranks(Compare compare, int &rankCount) const;

private:
    struct Value {
        std::uint32_t offset;
        std::uint32_t size;
        std::uint8_t tag;
    };
    void grow();

    std::string m_bytes; // every distinct value's bytes, one after the other
    std::vector<Value> m_values;
    std::vector<int> m_slots; // open addressing: -1 free, else a value's id
};

// The rows 0 .. ranks.size() - 1 ordered by rank, ascending or descending, rows of one
// rank keeping their order: order[i] is the row that goes to place i.
std::vector<int> byRank(const std::vector<int> &ranks, int rankCount, bool descending);

// Puts the items in the order given (order[i] is the item that goes to place i), in place;
// order is used up.
template <class Items>
void permute(Items &items, std::vector<int> &order);

template <class Compare>
std::vector<int> DistinctValues::ranks(Compare compare, int &rankCount) const
{
    std::vector<int> ids(m_values.size());
    for (size_t i = 0; i < ids.size(); ++i)
        ids[i] = static_cast<int>(i);
    std::stable_sort(ids.begin(), ids.end(), [&](int a, int b) { return compare(a, b) < 0; });
    std::vector<int> rank(ids.size());
    int current = -1;
    for (size_t i = 0; i < ids.size(); ++i) {
        if (i == 0 || compare(ids[i - 1], ids[i]) != 0)
            ++current;
        rank[static_cast<size_t>(ids[i])] = current;
    }
    rankCount = current + 1;
    return rank;
}

template <class Items>
void permute(Items &items, std::vector<int> &order)
{
    // Each cycle of the permutation is walked once; a place done points to itself.
    for (size_t start = 0; start < order.size(); ++start) {
        if (order[start] == static_cast<int>(start))
            continue;
        auto first = std::move(items[start]);
        size_t at = start;
        while (order[at] != static_cast<int>(start)) {
            const auto from = static_cast<size_t>(order[at]);
            items[at] = std::move(items[from]);
            order[at] = static_cast<int>(at);
            at = from;
        }
        items[at] = std::move(first);
        order[at] = static_cast<int>(at);
    }
}

} // namespace roworder
