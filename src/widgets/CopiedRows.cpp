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
size_t put(char *out, size_t at, T value)
{
    std::memcpy(out + at, &value, sizeof value);
    return at + sizeof value;
}

} // namespace

qint64 CopiedRows::Field::integer() const
{
    return kind() == Kind::Integer ? readAt<qint64>(m_at + 1) : 0;
}

double CopiedRows::Field::real() const
{
    switch (kind()) {
    case Kind::Real:
        return readAt<double>(m_at + 1);
    case Kind::Integer:
        return static_cast<double>(readAt<qint64>(m_at + 1));
    case Kind::Text:
    case Kind::Blob:
        return *m_at & WithNumber ? readAt<double>(m_at + 1) : 0;
    case Kind::Null:
        break;
    }
    return 0;
}

QByteArrayView CopiedRows::Field::utf8() const
{
    if (kind() != Kind::Text && kind() != Kind::Blob)
        return {};
    const char *at = m_at + 1 + (*m_at & WithNumber ? sizeof(double) : 0);
    return {at + sizeof(std::uint32_t), static_cast<qsizetype>(readAt<std::uint32_t>(at))};
}

void CopiedRows::add(const dao::StepRow &row, const std::vector<bool> &numberOf)
{
    // The fields are read first and then copied in one piece: a row of twenty fields
    // appended field by field spends more on the appends than on the bytes.
    const int cols = row.size();
    m_cols = static_cast<size_t>(cols);
    m_read.resize(m_cols);
    size_t size = 0;
    for (int c = 0; c < cols; ++c) {
        Read &r = m_read[static_cast<size_t>(c)];
        const dao::StepRow::Field field = row.field(c);
        r.kind = field.kind();
        size += 1;
        switch (r.kind) {
        case Kind::Integer:
            r.integer = field.integer();
            size += sizeof r.integer;
            break;
        case Kind::Real:
            r.real = field.real();
            size += sizeof r.real;
            break;
        case Kind::Text:
        case Kind::Blob:
            r.withNumber = static_cast<size_t>(c) < numberOf.size() && numberOf[static_cast<size_t>(c)];
            if (r.withNumber) {
                r.real = field.real();
                size += sizeof r.real;
            }
            r.bytes = field.utf8();
            size += sizeof(std::uint32_t) + static_cast<size_t>(r.bytes.size());
            break;
        case Kind::Null:
            break;
        }
    }
    // Offsets are 32-bit; a batch is handed over long before they would run out.
    if (m_bytes.size() + size > UINT32_MAX)
        throw std::length_error("copied rows too large");
    size_t at = m_bytes.size();
    m_bytes.resize(at + size);
    char *out = m_bytes.data();
    for (const Read &r : m_read) {
        m_fieldAt.push_back(static_cast<std::uint32_t>(at));
        const bool withNumber = (r.kind == Kind::Text || r.kind == Kind::Blob) && r.withNumber;
        out[at++] = static_cast<char>(static_cast<char>(r.kind) | (withNumber ? WithNumber : 0));
        switch (r.kind) {
        case Kind::Integer:
            at = put(out, at, r.integer);
            break;
        case Kind::Real:
            at = put(out, at, r.real);
            break;
        case Kind::Text:
        case Kind::Blob:
            if (withNumber)
                at = put(out, at, r.real);
            at = put(out, at, static_cast<std::uint32_t>(r.bytes.size()));
            if (!r.bytes.isEmpty())
                std::memcpy(out + at, r.bytes.data(), static_cast<size_t>(r.bytes.size()));
            at += static_cast<size_t>(r.bytes.size());
            break;
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
