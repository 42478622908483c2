#include "DbMaintenance.h"

#include "ModBase.h"
#include "ModData.h"
#include "dao/Database.h"
#include "dao/PresenceLock.h"
#include "platform/Dialogs.h"
#include "schema/ModDBtoNEW.h"
#include "schema/Schema.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <stdexcept>

namespace DbMaintenance {
namespace {

using platform::Answer;
using platform::Buttons;
using platform::Icon;
using platform::msgBox;

// A database of this program holds the stock list; the query must run on it.
const QString kStockList = QStringLiteral(
    "SELECT shijikucun.库存ID, shijijibenxinxi.品名, shijijibenxinxi.规格, shijikucun.批号, shijikucun.有效期, "
    "changshang.厂商, shijikucun.数量, shijijibenxinxi.单位, shijikucun.单价, "
    "shijikucun.数量*shijikucun.单价 AS 金额, shijijibenxinxi.组别, shijijibenxinxi.批准文号, "
    "gongyingshang.供应商, shijikucun.存放地点 "
    "FROM (changshang INNER JOIN shijijibenxinxi ON changshang.厂商ID = shijijibenxinxi.厂商ID) "
    "INNER JOIN (gongyingshang INNER JOIN shijikucun ON gongyingshang.供应商ID = shijikucun.供应商ID) "
    "ON shijijibenxinxi.试剂ID = shijikucun.试剂ID "
    "ORDER BY shijijibenxinxi.组别,shijijibenxinxi.品名, shijikucun.有效期");

[[noreturn]] void fail(const QString &what, const QString &path, const QString &reason)
{
    throw std::runtime_error((what + path + QStringLiteral("（") + reason + QStringLiteral("）")).toStdString());
}

QByteArray readWhole(const QString &path)
{
    QFile in(path);
    if (!in.open(QIODevice::ReadOnly))
        fail(QStringLiteral("不能读取文件："), path, in.errorString());
    const QByteArray bytes = in.readAll();
    if (in.error() != QFileDevice::NoError)
        fail(QStringLiteral("不能读取文件："), path, in.errorString());
    return bytes;
}

// Written under a temporary name and renamed once complete, so an earlier file of the same
// name stays whole until its replacement is.
void writeWhole(const QString &path, const QByteArray &bytes)
{
    QSaveFile out(path);
    if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size() || !out.commit())
        fail(QStringLiteral("不能写入文件："), path, out.errorString());
}

bool sameFile(const QString &a, const QString &b)
{
    return QFileInfo(QDir::cleanPath(a)) == QFileInfo(QDir::cleanPath(b));
}

bool knownVersion(float version)
{
    return std::any_of(schema::kVersions.begin(), schema::kVersions.end(), [version](schema::Version v) {
        return ModDBtoNEW::ParseStamp(schema::versionText(v)) == version;
    });
}

// The candidate (a copy of it) opens with our key, passes the engine's integrity check,
// holds the stock list, and is of a version this program knows and brought to the current
// one: a file of a later program, or one the upgrade fails on, would stop the next start.
bool soundDatabase(const QString &path)
{
    try {
        auto db = dao::Database::open(path, ModBase::DBPassword);
        if (db->scalar(QStringLiteral("PRAGMA integrity_check")).toString() != QStringLiteral("ok"))
            return false;
        db->select(kStockList);
        return knownVersion(ModDBtoNEW::DetectDBVersion(*db)) && ModDBtoNEW::UpgradeDB(*db);
    } catch (const dao::DaoError &) {
        return false;
    }
}

void refuseCandidate(QWidget *owner)
{
    msgBox(QStringLiteral("所选文件不是《澜鉴》的合法数据库！数据库恢复失败。"), Buttons::Ok, Icon::Exclamation,
           QStringLiteral("提示"), owner);
}

// Copies the chosen file to a temporary name beside the database, checks the copy and only
// then puts it in the database's place. Called while holding the database alone.
bool replaceDatabase(const QString &chosen, QWidget *owner)
{
    const QString &dbFile = ModBase::DBFile;
    QByteArray bytes;
    try {
        bytes = readWhole(chosen);
    } catch (const std::runtime_error &) {
        bytes.clear();
    }
    if (bytes.isEmpty()) {
        refuseCandidate(owner);
        return false;
    }
    const QString temp = QFileInfo(dbFile).absolutePath() + QStringLiteral("/restore") + ModBase::DBFileName;
    try {
        writeWhole(temp, bytes);
        const bool sound = soundDatabase(temp);
        QFile::remove(dao::PresenceLock::lockPathFor(temp));
        if (!sound) {
            QFile::remove(temp);
            refuseCandidate(owner);
            return false;
        }
        // rename() replaces the old file in one step: there is a database at every moment.
        if (std::rename(QFile::encodeName(temp).constData(), QFile::encodeName(dbFile).constData()) != 0)
            fail(QStringLiteral("不能替换数据库文件："), dbFile, QString::fromLocal8Bit(std::strerror(errno)));
    } catch (...) {
        QFile::remove(temp);
        ModBase::ShowErr();
        return false;
    }
    // A journal left behind by the replaced file would be played into the restored one.
    QFile::remove(dbFile + QStringLiteral("-journal"));
    return true;
}

} // namespace

void BackupDB(QWidget *owner)
{
    ModData::CompactDB();
    try {
        ModData::OpenDB();
        const QString folder = ModBase::GetTargetPath(owner);
        if (folder.isEmpty())
            return;
        const QString target = ModBase::AddSlash(folder) + ModBase::SysDate.toString(QStringLiteral("yyyyMMdd"))
                               + QStringLiteral("试剂管理备份") + ModBase::DBFileName;
        writeWhole(target, readWhole(ModBase::DBFile));
        msgBox(QStringLiteral("数据库成功备份到目录:") + target, Buttons::Ok, Icon::Information, QString(), owner);
    } catch (...) {
        ModBase::ShowErr();
    }
}

bool RestoreDB(QWidget *owner)
{
    using namespace ModBase;
    if (!SuperUser) {
        msgBox(QStringLiteral("您不是超级用户，无此权限！"), Buttons::Ok, Icon::Exclamation, QStringLiteral("提示"), owner);
        return false;
    }
    if (msgBox(QStringLiteral("把系统恢复到指定数据库状态，当前所做的一切更改将被取消！\n\n继续？"), Buttons::YesNo,
               Icon::None, QStringLiteral("警告！"), owner, Answer::No)
        != Answer::Yes)
        return false;
    if (!ModData::CheckPSW()) {
        msgBox(QStringLiteral("密码不符！取消操作"), Buttons::Ok, Icon::Exclamation, QStringLiteral("警告！"), owner);
        return false;
    }
    const QString chosen = platform::dialogs().openFileName(owner, QStringLiteral("选择已备份的数据库"), BackupPath,
                                                            QString());
    if (chosen.isEmpty())
        return false;
    if (sameFile(chosen, DBFile)) {
        msgBox(QStringLiteral("所选数据库是当前正在使用的数据库！请另作选择。"), Buttons::Ok, Icon::Exclamation,
               QStringLiteral("提示"), owner);
        return false;
    }

    ModData::CloseAll();
    bool restored = false;
    {
        // Replacing the file under another program's feet would lose its work.
        dao::PresenceLock alone;
        if (alone.acquire(DBFile, dao::PresenceLock::Mode::Exclusive))
            restored = replaceDatabase(chosen, owner);
        else
            msgBox(QStringLiteral("数据库正被其他程序使用，不能恢复！请先关闭其他工作站上的《澜鉴》，再恢复数据库。"),
                   Buttons::Ok, Icon::Exclamation, QStringLiteral("提示"), owner);
    }
    try {
        ModData::OpenDB();
    } catch (...) {
        ShowErr();
    }
    if (restored)
        msgBox(QStringLiteral("数据库恢复成功！请重新启动程序。"), Buttons::Ok, Icon::Information, QString(), owner);
    return restored;
}

} // namespace DbMaintenance
