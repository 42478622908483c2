#pragma once

#include "ModBase.h"
#include "widgets/WaitCursor.h"

#include <QString>

// The hourglass and a busy status text while a search runs: the status bar says
// "…，请等待..." and goes back to "待命" on every way out.
class BusyStatus {
public:
    explicit BusyStatus(const QString &message) { ModBase::SetStatus(message, true); }
    ~BusyStatus() { ModBase::SetStatus(QString()); }
    BusyStatus(const BusyStatus &) = delete;
    BusyStatus &operator=(const BusyStatus &) = delete;

private:
    WaitCursor m_cursor;
};
