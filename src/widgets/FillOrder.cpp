#include "FillOrder.h"

#include "CopiedRows.h"
#include "dao/Collation.h"
#include "dao/Database.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <limits>
#include <optional>
#include <string_view>

namespace roworder {
namespace {

using Kind = dao::StepRow::Field::Kind;

// The engine's order of kinds: null, numbers, texts, blobs.
enum Tag : std::uint8_t { Null, Number, Text, Blob };

Tag tagOf(Kind kind)
{
    switch (kind) {
    case Kind::Null: return Null;
    case Kind::Integer:
    case Kind::Real: return Number;
    case Kind::Text: return Text;
    case Kind::Blob: return Blob;
    }
    return Blob;
}

double numberOf(QByteArrayView bytes)
{
    double d = 0;
    std::memcpy(&d, bytes.data(), sizeof d);
    return d;
}

int compareBytes(QByteArrayView a, QByteArrayView b)
{
    const int c = std::string_view(a.data(), static_cast<size_t>(a.size()))
                      .compare(std::string_view(b.data(), static_cast<size_t>(b.size())));
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

} // namespace

FillOrder::FillOrder(const QList<Key> &keys)
{
    for (const Key &k : keys)
        m_columns.push_back(Column{k, {}, {}, {}});
}

template <class Row>
void FillOrder::take(const Row &row)
{
    for (Column &c : m_columns) {
        const auto field = row.field(c.key.col);
        const Kind kind = field.kind();
        if (c.key.compare == Key::Compare::Number) {
            double d = std::numeric_limits<double>::infinity(); // a text after every number
            if (kind == Kind::Null)
                d = -std::numeric_limits<double>::infinity();
            else if (kind == Kind::Integer)
                d = static_cast<double>(field.integer());
            else if (kind == Kind::Real)
                d = field.real();
            c.numbers.push_back(d);
            continue;
        }
        const Tag tag = tagOf(kind);
        double d = 0;
        QByteArrayView bytes;
        if (tag == Number) {
            d = kind == Kind::Integer ? static_cast<double>(field.integer()) : field.real();
            bytes = QByteArrayView(reinterpret_cast<const char *>(&d), sizeof d);
        } else if (tag != Null) {
            bytes = field.utf8();
        }
        if (c.lastId < 0 || c.values.tag(c.lastId) != tag || c.values.bytes(c.lastId) != bytes)
            c.lastId = c.values.intern(bytes, tag);
        c.ids.push_back(c.lastId);
    }
    ++m_rows;
}

template void FillOrder::take(const dao::StepRow &);
template void FillOrder::take(const CopiedRows::Row &);

int FillOrder::rankInPlace(Column &column)
{
    const DistinctValues &v = column.values;
    std::vector<std::optional<dao::ChineseKey>> keys(static_cast<size_t>(v.size()));
    if (column.key.compare == Key::Compare::Chinese)
        for (int id = 0; id < v.size(); ++id)
            if (v.tag(id) == Text)
                keys[static_cast<size_t>(id)].emplace(QString::fromUtf8(v.bytes(id)));
    int rankCount = 0;
    const std::vector<int> rank = v.ranks(
        [&](int a, int b) {
            if (v.tag(a) != v.tag(b))
                return v.tag(a) < v.tag(b) ? -1 : 1;
            switch (v.tag(a)) {
            case Null: return 0;
            case Number: {
                const double x = numberOf(v.bytes(a));
                const double y = numberOf(v.bytes(b));
                return x < y ? -1 : (y < x ? 1 : 0);
            }
            case Text:
                if (column.key.compare == Key::Compare::Chinese)
                    return keys[static_cast<size_t>(a)]->compare(*keys[static_cast<size_t>(b)]);
                return compareBytes(v.bytes(a), v.bytes(b));
            default: return compareBytes(v.bytes(a), v.bytes(b));
            }
        },
        rankCount);
    for (int &id : column.ids)
        id = rank[static_cast<size_t>(id)];
    column.values = DistinctValues();
    return rankCount;
}

std::vector<int> FillOrder::order()
{
    // The ranks of the leading ranked keys are packed into one number per row, so that
    // most comparisons of the sort read one value.
    std::vector<std::uint64_t> packed;
    size_t packedKeys = 0;
    int bits = 0;
    for (Column &c : m_columns) {
        if (c.key.compare == Key::Compare::Number)
            break;
        const int rankCount = rankInPlace(c);
        const int width = std::max(1, static_cast<int>(std::bit_width(static_cast<unsigned>(rankCount))));
        if (bits + width > 64)
            break;
        bits += width;
        ++packedKeys;
        packed.resize(static_cast<size_t>(m_rows));
        for (size_t r = 0; r < packed.size(); ++r)
            packed[r] = packed[r] << width | static_cast<std::uint64_t>(c.ids[r]);
        std::vector<int>().swap(c.ids);
    }
    for (size_t k = packedKeys; k < m_columns.size(); ++k) {
        Column &c = m_columns[k];
        if (c.key.compare == Key::Compare::Number || c.values.size() == 0)
            continue;
        rankInPlace(c);
    }
    std::vector<int> rows(static_cast<size_t>(m_rows));
    for (int r = 0; r < m_rows; ++r)
        rows[static_cast<size_t>(r)] = r;
    // The row number as the last key keeps ties in the order stepped without a stable
    // sort's buffer.
    std::sort(rows.begin(), rows.end(), [&](int a, int b) {
        const auto ra = static_cast<size_t>(a);
        const auto rb = static_cast<size_t>(b);
        if (!packed.empty() && packed[ra] != packed[rb])
            return packed[ra] < packed[rb];
        for (size_t k = packedKeys; k < m_columns.size(); ++k) {
            const Column &c = m_columns[k];
            if (c.key.compare == Key::Compare::Number) {
                if (c.numbers[ra] != c.numbers[rb])
                    return c.numbers[ra] < c.numbers[rb];
            } else if (c.ids[ra] != c.ids[rb]) {
                return c.ids[ra] < c.ids[rb];
            }
        }
        return a < b;
    });
    m_columns.clear();
    m_rows = 0;
    return rows;
}

} // namespace roworder
