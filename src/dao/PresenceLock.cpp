#include "PresenceLock.h"

#include <QFileInfo>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace dao {

PresenceLock::~PresenceLock()
{
    release();
}

QString PresenceLock::lockPathFor(const QString &databasePath)
{
    const QFileInfo info(databasePath);
    return info.absolutePath() + u'/' + info.completeBaseName() + QStringLiteral(".lck");
}

bool PresenceLock::acquire(const QString &databasePath, Mode mode)
{
    release();
    const QByteArray path = lockPathFor(databasePath).toLocal8Bit();
    const int fd = ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0)
        return false;
    const int op = (mode == Mode::Shared ? LOCK_SH : LOCK_EX) | LOCK_NB;
    if (::flock(fd, op) != 0) {
        ::close(fd);
        return false;
    }
    m_fd = fd;
    return true;
}

void PresenceLock::release()
{
    if (m_fd >= 0) {
        ::flock(m_fd, LOCK_UN);
        ::close(m_fd);
        m_fd = -1;
    }
}

} // namespace dao
