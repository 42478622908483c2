#pragma once

#include <QStringList>
#include <QVariant>

#include <memory>
#include <vector>

namespace dao {

// One row of a result: fields by position, as the windows read them, and by name.
class Row {
public:
    Row() = default;
    Row(std::shared_ptr<const QStringList> names, QVariantList values)
        : m_names(std::move(names)), m_values(std::move(values))
    {
    }

    int size() const { return static_cast<int>(m_values.size()); }
    const QVariant &operator[](int i) const { return m_values.at(i); }
    QVariant value(int i) const { return i >= 0 && i < size() ? m_values.at(i) : QVariant(); }
    // Field names compare without letter case, as Jet's did; a missing name gives null.
    QVariant value(const QString &name) const { return value(indexOf(name)); }
    int indexOf(const QString &name) const;
    // The text of a field; empty for null.
    QString text(int i) const { return value(i).toString(); }
    QString text(const QString &name) const { return value(name).toString(); }
    bool isNull(int i) const { return value(i).isNull(); }

    const QStringList &names() const;
    const QVariantList &values() const { return m_values; }
    void set(int i, const QVariant &v) { m_values[i] = v; }

private:
    std::shared_ptr<const QStringList> m_names;
    QVariantList m_values;
};

struct Result {
    QStringList columns;
    std::vector<Row> rows;

    bool empty() const { return rows.empty(); }
    int size() const { return static_cast<int>(rows.size()); }
    const Row &operator[](int i) const { return rows.at(static_cast<size_t>(i)); }
};

} // namespace dao
