#pragma once

#include "RecordingShell.h"
#include "ScriptedDialogs.h"
#include "TempFolder.h"

#include "dao/Database.h"
#include "schema/DeliveredDatabase.h"
#include "shell/ModBase.h"
#include "shell/ModData.h"

#include <gtest/gtest.h>

// A program folder with a fresh database as the shared connection, today 15 January 2026
// (so the ledger proposes December 2025), one manufacturer, and builders for reagents,
// register lines and lots.
class LedgerFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        ModBase::ResetState();
        ModBase::SysDate = QDate(2026, 1, 15);
        ModBase::DBFile = dir.file(QStringLiteral("MarloSJGL.dat"));
        schema::writeDeliveredDatabase(ModBase::DBFile, ModBase::DBPassword);
        ModData::OpenDB();
        db().exec(QStringLiteral("INSERT INTO changshang (厂商ID, 拼音码, 厂商) VALUES (1, 'LZSW', '兰州生物')"));
    }
    void TearDown() override
    {
        ModData::CloseAll();
        ModBase::ResetState();
    }

    dao::Database &db() { return *ModData::Connection(); }

    void reagent(int id, const QString &name, const QString &group, bool disabled = false, int maker = 1)
    {
        db().exec(QStringLiteral("INSERT INTO shijijibenxinxi (试剂ID, 拼音码, 品名, 规格, 单位, 组别, 厂商ID, 批准文号, "
                                 "停用) VALUES (?, 'PY', ?, '10ml', '盒', ?, ?, '', ?)"),
                  {id, name, group, maker, disabled});
    }

    void line(int flag, int reagentId, const QDate &date, double quantity, double price,
              const QString &department = QString(), const QString &claimant = QString())
    {
        db().exec(QStringLiteral("INSERT INTO shijibiandongdengji (变动标志, 单号, 发票号, 登记日期, 试剂ID, 批号, 有效期, "
                                 "数量, 单价, 认领部门, 认领人, 供应商ID, 操作者ID, 存放地点) "
                                 "VALUES (?, 20250101001, '', ?, ?, 'B1', '2027-12-31', ?, ?, ?, ?, 1, 1, '')"),
                  {flag, date, reagentId, quantity, price, department, claimant});
    }

    void lot(int reagentId, double quantity, double price)
    {
        db().exec(QStringLiteral("INSERT INTO shijikucun (试剂ID, 批号, 有效期, 数量, 单价, 存放地点, 供应商ID, 入库ID) "
                                 "VALUES (?, 'B1', '2027-12-31', ?, ?, '', 1, '')"),
                  {reagentId, quantity, price});
    }

    TempFolder dir;
    ScriptedDialogs dialogs;
    RecordingShell shell;
};
