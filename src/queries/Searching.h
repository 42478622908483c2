#pragma once

#include "shell/ModBase.h"
#include "widgets/WaitCursor.h"

namespace queries {

// The hourglass and the busy status while a list is searched; both restored on every way out.
class Searching {
public:
    Searching() { ModBase::SetStatus(QStringLiteral("正在检索数据"), true); }
    ~Searching() { ModBase::SetStatus(QString()); }
    Searching(const Searching &) = delete;
    Searching &operator=(const Searching &) = delete;

private:
    WaitCursor m_cursor;
};

} // namespace queries
