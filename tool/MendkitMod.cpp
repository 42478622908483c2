#include "MendkitMod.h"

#include "platform/Dialogs.h"
#include "platform/Profile.h"
#include "platform/Shell.h"
#include "platform/SingleInstance.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace MendkitMod {
namespace {

const QString kDatabase = QStringLiteral("数据库");
const QString kDatabaseFolder = QStringLiteral("数据库所在的目录");
const QString kAutoBackup = QStringLiteral("自动备份数据库");
const QString kBackupOn = QStringLiteral("自动备份");
const QString kBackupFolder = QStringLiteral("备份目录");

void tell(const QString &text, QWidget *owner)
{
    platform::msgBox(text, platform::Buttons::Ok, platform::Icon::None, QString(), owner);
}

void tellWriteFailed(const QString &iniFile, QWidget *owner)
{
    tell(QStringLiteral("配置文件写入失败，设置没有保存！\n\n请检查该文件能否修改：") + iniFile, owner);
}

// Vialdesk keeps its settings in memory and writes some of them back when it closes, so
// a change made while it runs may be lost; the user decides whether to go on.
bool mayChangeSettings(const QString &programFolder, QWidget *owner)
{
    if (!platform::SingleInstance::isRunning(programFolder))
        return true;
    return platform::msgBox(QStringLiteral("澜鉴正在运行。它退出时会写回自己的设置，本次修改可能被覆盖，"
                                           "建议先退出澜鉴再修改。\n\n是否仍要修改配置文件？"),
                            platform::Buttons::YesNo, platform::Icon::None, QString(), owner,
                            platform::Answer::No)
        == platform::Answer::Yes;
}

void explore(const QString &folder, QWidget *owner)
{
    if (!platform::shell().explore(folder))
        tell(QStringLiteral("无法打开文件夹：") + folder, owner);
}

} // namespace

QString settingsFile(const QString &programFolder)
{
    return programFolder + QStringLiteral("/Vialdesk.ini");
}

QString proposedBackupFolder(const QString &programFolder)
{
    QString parent = QFileInfo(programFolder).absolutePath();
    if (!parent.endsWith(u'/'))
        parent += u'/';
    return parent + QStringLiteral("备份_试剂管理数据库");
}

QString GetINI(const QString &section, const QString &key, const QString &file)
{
    return platform::profile::read(file, section, key, QString(), 255).trimmed();
}

bool WriteINI(const QString &section, const QString &key, const QString &value, const QString &file)
{
    return platform::profile::write(file, section, key, value);
}

QString ValidatePath(const QString &path, QWidget *owner)
{
    if (path.isEmpty())
        return QString();
    if (QFileInfo(path).isDir() || QDir().mkdir(path))
        return path;
    tell(QStringLiteral("驱动器错误！无法创建目录：") + path, owner);
    return QString();
}

void copyToDesktop(const QString &programFolder, const QString &desktopFolder, QWidget *owner)
{
    const QString iniFile = settingsFile(programFolder);
    if (!QFileInfo(iniFile).isFile()) {
        tell(QStringLiteral("未发现配置文件：") + iniFile, owner);
        return;
    }
    const QString target = desktopFolder + QStringLiteral("/澜鉴配置文件.ini");
    // A fresh account has no desktop folder until the desktop makes one: make it as it would.
    QDir().mkpath(desktopFolder);
    // Written aside and renamed, so a failed copy leaves an earlier one whole.
    QFile source(iniFile);
    QSaveFile copy(target);
    bool copied = source.open(QIODevice::ReadOnly) && copy.open(QIODevice::WriteOnly);
    if (copied) {
        const QByteArray bytes = source.readAll();
        copied = copy.write(bytes) == bytes.size() && copy.commit();
    }
    if (!copied) {
        tell(QStringLiteral("配置文件复制到桌面失败！\n\n无法写入：") + target, owner);
        return;
    }
    tell(QStringLiteral("配置文件已成功复制到桌面！"), owner);
}

void resetDatabaseFolder(const QString &programFolder, QWidget *owner)
{
    if (platform::msgBox(QStringLiteral("您确定需要重置数据库文件夹？"), platform::Buttons::YesNo,
                         platform::Icon::None, QString(), owner, platform::Answer::No)
        != platform::Answer::Yes)
        return;
    if (!mayChangeSettings(programFolder, owner))
        return;
    const QString iniFile = settingsFile(programFolder);
    const QString data = programFolder + QStringLiteral("/Data");
    if (!WriteINI(kDatabase, kDatabaseFolder, data, iniFile)) {
        tellWriteFailed(iniFile, owner);
        return;
    }
    tell(QStringLiteral("数据库所在的文件夹已设置为软件目录下的Data文件夹\n\n即：") + data, owner);
}

void openProgramFolder(const QString &programFolder, QWidget *owner)
{
    explore(programFolder, owner);
}

void openBackupFolder(const QString &programFolder, QWidget *owner)
{
    const QString folder = GetINI(kAutoBackup, kBackupFolder, settingsFile(programFolder));
    if (folder.isEmpty()) {
        tell(QStringLiteral("未发现数据库自动备份文件夹！请务必用下一条命令设置"), owner);
        return;
    }
    explore(folder, owner);
}

void setBackupFolder(const QString &programFolder, const QString &proposedFolder, QWidget *owner)
{
    const QString iniFile = settingsFile(programFolder);
    const bool alreadySet = !GetINI(kAutoBackup, kBackupFolder, iniFile).isEmpty();
    if (!mayChangeSettings(programFolder, owner))
        return;
    if (alreadySet) {
        if (!WriteINI(kAutoBackup, kBackupOn, QStringLiteral("True"), iniFile)) {
            tellWriteFailed(iniFile, owner);
            return;
        }
        tell(QStringLiteral("已设置好数据库自动备份文件夹，无需再次设置"), owner);
        return;
    }
    // A folder that cannot be made would only be cleared again by Vialdesk's next exit.
    if (ValidatePath(proposedFolder, owner).isEmpty())
        return;
    if (!WriteINI(kAutoBackup, kBackupOn, QStringLiteral("True"), iniFile)
        || !WriteINI(kAutoBackup, kBackupFolder, proposedFolder, iniFile)) {
        tellWriteFailed(iniFile, owner);
        return;
    }
    tell(QStringLiteral("已设置好数据库自动备份文件夹为：") + proposedFolder, owner);
}

} // namespace MendkitMod
