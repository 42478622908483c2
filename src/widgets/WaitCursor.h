#pragma once

#include <QCursor>
#include <QGuiApplication>

// The hourglass pointer while an operation runs; restored on every way out.
class WaitCursor {
public:
    WaitCursor() { QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor)); }
    ~WaitCursor() { restore(); }
    WaitCursor(const WaitCursor &) = delete;
    WaitCursor &operator=(const WaitCursor &) = delete;

    void restore()
    {
        if (m_on)
            QGuiApplication::restoreOverrideCursor();
        m_on = false;
    }

private:
    bool m_on = true;
};
