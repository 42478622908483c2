#pragma once

#include "dao/Database.h"

#include <QByteArrayView>

#include <cstdint>
#include <string>
#include <vector>

// Rows of a statement copied as they are stepped, so that another thread can read them:
// the engine's values last only until the next step. Each field keeps its kind and its
// value as the engine gave them, read back as dao::StepRow's fields are; a text's number
// as the engine reads it is kept only for the columns asked for.
class CopiedRows {
public:
    using Kind = dao::StepRow::Field::Kind;

    class Field {
    public:
        explicit Field(const char *at) : m_at(at) {}
        Kind kind() const { return static_cast<Kind>(*m_at & ~WithNumber); }
        qint64 integer() const; // an integer's value; 0 for the others
        double real() const;    // as the engine converts, for a text only in a column asked for
        QByteArrayView utf8() const; // a text's or a blob's bytes; empty for the others

    private:
        const char *m_at; // the kind, then the value
    };

    class Row {
    public:
        Row(const CopiedRows &rows, size_t first) : m_rows(rows), m_first(first) {}
        Field field(int i) const
        {
            return Field(m_rows.m_bytes.data() + m_rows.m_fieldAt[m_first + static_cast<size_t>(i)]);
        }

    private:
        const CopiedRows &m_rows;
        size_t m_first;
    };

    // numberOf[c]: column c's texts keep their number too.
    void add(const dao::StepRow &row, const std::vector<bool> &numberOf);
    int size() const { return m_rows; }
    size_t bytes() const { return m_bytes.size(); }
    Row row(int i) const { return Row(*this, static_cast<size_t>(i) * m_cols); }
    void clear(); // keeps the memory for the next rows

private:
    // On the kind of a text or blob whose number follows it.
    static constexpr char WithNumber = '\x40';

    struct Read {
        Kind kind;
        qint64 integer;
        double real;
        bool withNumber;
        QByteArrayView bytes;
    };

    std::vector<Read> m_read; // the row being added
    std::string m_bytes;
    std::vector<std::uint32_t> m_fieldAt; // where each field of each row begins in m_bytes
    size_t m_cols = 0;
    int m_rows = 0;
};
