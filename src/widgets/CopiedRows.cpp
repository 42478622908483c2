#include "CopiedRows.h"

#include <cstring>
#include <stdexcept>

namespace {

template <typename T>
T readAt(const char *at)
{
    T value;
    std::memcpy(&value, at, sizeof value);
    return value;
}

template <typename T>
void append(std::string &bytes, T value)
{
    bytes.append(reinterpret_cast<const char *>(&value), sizeof value);
}

} // namespace

qint64 CopiedRows::Field::integer() const
{
    return kind() == Kind::Integer ? readAt<qint64>(m_at + 1) : 0;
}

double CopiedRows::Field::real() const
{
    return kind() == Kind::Real ? readAt<double>(m_at + 1) : 0;
}

QByteArrayView CopiedRows::Field::utf8() const
{
    if (kind() != Kind::Text && kind() != Kind::Blob)
        return {};
    return {m_at + 1 + sizeof(std::uint32_t), static_cast<qsizetype>(readAt<std::uint32_t>(m_at + 1))};
}

void CopiedRows::add(const dao::StepRow &row)
{
    m_cols = static_cast<size_t>(row.size());
    for (int c = 0; c < row.size(); ++c) {
        // Offsets are 32-bit; a batch is handed over long before they would run out.
        if (m_bytes.size() > UINT32_MAX / 2)
            throw std::length_error("copied rows too large");
        m_fieldAt.push_back(static_cast<std::uint32_t>(m_bytes.size()));
        const dao::StepRow::Field field = row.field(c);
        const Kind kind = field.kind();
        m_bytes.push_back(static_cast<char>(kind));
        switch (kind) {
        case Kind::Integer:
            append(m_bytes, field.integer());
            break;
        case Kind::Real:
            append(m_bytes, field.real());
            break;
        case Kind::Text:
        case Kind::Blob: {
            const QByteArrayView bytes = field.utf8();
            append(m_bytes, static_cast<std::uint32_t>(bytes.size()));
            m_bytes.append(bytes.data(), static_cast<size_t>(bytes.size()));
            break;
        }
        case Kind::Null:
            break;
        }
    }
    ++m_rows;
}

void CopiedRows::clear()
{
    m_bytes.clear();
    m_fieldAt.clear();
    m_rows = 0;
}
