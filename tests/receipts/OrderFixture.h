#pragma once

#include "TempFolder.h"
#include "dao/Database.h"
#include "schema/Schema.h"
#include "shell/ModBase.h"
#include "shell/ModData.h"

#include <QApplication>
#include <QDate>
#include <QInputMethodEvent>
#include <QTest>

// A fresh store with the current tables, open as the program's one connection, today
// fixed; helpers write registers, movement lines and lots as the windows would have.
class OrderFixture {
public:
    static QDate today() { return QDate(2026, 3, 10); }

    OrderFixture()
    {
        ModBase::ResetState();
        ModBase::SysDate = today();
        ModBase::UserID = 7;
        ModBase::DBFile = m_dir.file(ModBase::DBFileName);
        schema::createTables(*dao::Database::create(ModBase::DBFile, ModBase::DBPassword));
        ModData::OpenDB();
    }
    ~OrderFixture() { ModData::CloseAll(); }

    dao::Database &db() { return *ModBase::DB(); }

    qint32 maker(const QString &name)
    {
        db().exec(QStringLiteral("INSERT INTO changshang (拼音码, 厂商) VALUES ('CS', ?)"), {name});
        return static_cast<qint32>(db().lastInsertId());
    }
    qint32 supplier(const QString &name)
    {
        db().exec(QStringLiteral("INSERT INTO gongyingshang (拼音码, 供应商) VALUES ('GYS', ?)"), {name});
        return static_cast<qint32>(db().lastInsertId());
    }
    qint32 reagent(const QString &name, const QString &pinyin, const QString &group, qint32 makerId,
                   bool disabled = false)
    {
        db().exec(QStringLiteral("INSERT INTO shijijibenxinxi (拼音码, 品名, 规格, 单位, 组别, 厂商ID, 停用)"
                                 " VALUES (?, ?, '100T', '盒', ?, ?, ?)"),
                  {pinyin, name, group, makerId, disabled});
        return static_cast<qint32>(db().lastInsertId());
    }
    // A movement line (1 receipt, 2 issue, 3 scrap) dated daysAgo before today.
    void movement(int flag, qint32 reagentId, int daysAgo, double quantity, double price, qint32 supplierId = 0)
    {
        db().exec(QStringLiteral("INSERT INTO shijibiandongdengji (变动标志, 单号, 登记日期, 试剂ID, 数量, 单价,"
                                 " 供应商ID, 操作者ID) VALUES (?, 20260101001, ?, ?, ?, ?, ?, 7)"),
                  {flag, today().addDays(-daysAgo), reagentId, quantity, price, supplierId});
    }
    void lot(qint32 reagentId, double quantity)
    {
        db().exec(QStringLiteral("INSERT INTO shijikucun (试剂ID, 批号, 有效期, 数量, 单价) VALUES (?, 'B1', ?, ?, 1)"),
                  {reagentId, today().addYears(1), quantity});
    }
    int count(const QString &table)
    {
        return db().scalar(QStringLiteral("SELECT COUNT(*) FROM ") + table).toInt();
    }

private:
    TempFolder m_dir;
};

// Types as a user does: Latin keys one by one, Chinese text committed by the input method.
inline void typeText(QWidget *w, const QString &text)
{
    for (const QChar ch : text) {
        if (ch.unicode() < 0x80) {
            QTest::keyClick(w, char(ch.unicode()));
        } else {
            QInputMethodEvent commit;
            commit.setCommitString(QString(ch));
            QApplication::sendEvent(w, &commit);
        }
    }
}
