#include "SingleInstance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>

namespace platform {

SingleInstance::SingleInstance(const QString &programFolder, QObject *parent)
    : QObject(parent), m_name(socketName(programFolder))
{
}

SingleInstance::~SingleInstance() = default;

QString SingleInstance::socketName(const QString &programFolder)
{
    const QByteArray hash = QCryptographicHash::hash(QDir::cleanPath(programFolder).toUtf8(),
                                                     QCryptographicHash::Sha1);
    return QStringLiteral("vialdesk-") + QString::fromLatin1(hash.toHex().left(16));
}

bool SingleInstance::raiseRunning()
{
    QLocalSocket socket;
    socket.connectToServer(m_name);
    if (!socket.waitForConnected(500))
        return false;
    socket.write("raise\n");
    socket.waitForBytesWritten(500);
    socket.disconnectFromServer();
    return true;
}

bool SingleInstance::isRunning(const QString &programFolder)
{
    QLocalSocket socket;
    socket.connectToServer(socketName(programFolder));
    if (!socket.waitForConnected(500))
        return false;
    socket.abort();
    return true;
}

bool SingleInstance::listen(std::function<void()> onRaise)
{
    m_onRaise = std::move(onRaise);
    m_server = new QLocalServer(this);
    // A socket left behind by a crashed instance would refuse the name.
    QLocalServer::removeServer(m_name);
    if (!m_server->listen(m_name))
        return false;
    connect(m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket *s = m_server->nextPendingConnection()) {
            connect(s, &QLocalSocket::disconnected, s, &QObject::deleteLater);
            // Only a later start says "raise"; a mere look (isRunning) connects and leaves.
            const auto answer = [this, s] {
                while (s->canReadLine())
                    if (s->readLine().trimmed() == "raise" && m_onRaise)
                        m_onRaise();
            };
            connect(s, &QLocalSocket::readyRead, s, answer);
            answer();
        }
    });
    return true;
}

} // namespace platform
