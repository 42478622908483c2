#include "TempFolder.h"

#include "platform/System.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

TempFolder::TempFolder()
{
    platform::setProgramFolder(m_dir.path());
}

TempFolder::~TempFolder()
{
    platform::setProgramFolder(QString());
}

void TempFolder::write(const QString &name, const QByteArray &bytes) const
{
    const QString path = file(name);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    if (f.open(QIODevice::WriteOnly))
        f.write(bytes);
}

QByteArray TempFolder::read(const QString &name) const
{
    QFile f(file(name));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
