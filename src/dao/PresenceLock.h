#pragma once

#include <QString>

namespace dao {

// An idle SQLite connection holds no lock, so "another program has the file open" is a lock
// of our own on a small file beside the database: shared while a program has it open,
// exclusive (never waiting) for the work that needs the file alone.
class PresenceLock {
public:
    enum class Mode { Shared, Exclusive };

    PresenceLock() = default;
    ~PresenceLock();
    PresenceLock(const PresenceLock &) = delete;
    PresenceLock &operator=(const PresenceLock &) = delete;

    // False when another holder's lock conflicts (or the lock file cannot be made).
    bool acquire(const QString &databasePath, Mode mode);
    void release();
    bool held() const { return m_fd >= 0; }

    static QString lockPathFor(const QString &databasePath);

private:
    int m_fd = -1;
};

} // namespace dao
