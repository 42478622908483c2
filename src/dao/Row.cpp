#include "Row.h"

namespace dao {

int Row::indexOf(const QString &name) const
{
    if (!m_names)
        return -1;
    for (qsizetype i = 0; i < m_names->size(); ++i)
        if (m_names->at(i).compare(name, Qt::CaseInsensitive) == 0)
            return static_cast<int>(i);
    return -1;
}

const QStringList &Row::names() const
{
    static const QStringList none;
    return m_names ? *m_names : none;
}

} // namespace dao
