#pragma once

#include "ScriptedDialogs.h"
#include "TempFolder.h"

#include "dao/Database.h"
#include "schema/DeliveredDatabase.h"
#include "shell/ModBase.h"
#include "shell/ModData.h"

#include <gtest/gtest.h>

// A program folder with a fresh database as the shared connection, a fixed day and a
// small store: suppliers, a manufacturer, active and disabled reagents, storage places.
class ReceiptsFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        ModBase::ResetState();
        ModBase::SysDate = QDate(2026, 1, 15);
        ModBase::DBFile = dir.file(QStringLiteral("MarloSJGL.dat"));
        schema::writeDeliveredDatabase(ModBase::DBFile, ModBase::DBPassword);
        ModData::OpenDB();
        ModBase::UserID = 1;
        ModBase::UserName = QStringLiteral("张三");
        seed();
    }
    void TearDown() override
    {
        ModData::CloseAll();
        ModBase::ResetState();
    }

    dao::Database &db() { return *ModData::Connection(); }

    void seed()
    {
        db().exec(QStringLiteral("INSERT INTO yonghu (用户ID, 代码, 用户名, 密码, 超级用户, 权限, 在职显示) "
                                 "VALUES (1, 'zs', '张三', '', -1, ?, -1)"),
                  {QString(26, u'1')});
        db().exec(QStringLiteral("INSERT INTO changshang (厂商ID, 拼音码, 厂商) VALUES (1, 'LZSW', '兰州生物')"));
        for (const auto &[id, py, name] : {std::tuple{1, "BJYY", "北京医药"}, std::tuple{2, "SHKJ", "上海科技"},
                                            std::tuple{3, "O'B", "奥'布"}})
            db().exec(QStringLiteral("INSERT INTO gongyingshang (供应商ID, 拼音码, 供应商, 地址, 电话, 联系人) "
                                     "VALUES (?, ?, ?, '', '', '')"),
                      {id, QString::fromUtf8(py), QString::fromUtf8(name)});
        struct Reagent {
            int id;
            const char *py, *name, *unit, *group;
            int maker;
            int disabled;
            const char *barcode;
        };
        const Reagent reagents[] = {
            {1, "XJYS", "血清样本", "盒", "生化", 1, 0, "6901234567890"},
            {2, "XJTY", "血检停用", "盒", "生化", 1, -1, "12345"},
            {3, "GBZ", "谷丙转氨酶", "瓶", "急诊生化", 1, 0, ""},
            {4, "A1234", "试剂1234", "支", "免疫", 1, 0, "99999"},
            {5, "XJWC", "血检无厂", "盒", "生化", 9, 0, ""},
        };
        for (const Reagent &r : reagents)
            db().exec(QStringLiteral("INSERT INTO shijijibenxinxi (试剂ID, 拼音码, 品名, 规格, 单位, 组别, 厂商ID, "
                                     "批准文号, 停用, 条形码) VALUES (?, ?, ?, '10ml', ?, ?, ?, '', ?, ?)"),
                      {r.id, QString::fromUtf8(r.py), QString::fromUtf8(r.name), QString::fromUtf8(r.unit),
                       QString::fromUtf8(r.group), r.maker, r.disabled, QString::fromUtf8(r.barcode)});
        db().exec(QStringLiteral("INSERT INTO cunfangdidian (拼音码, 存放地点) VALUES ('YHBX', '一号冰箱')"));
        db().exec(QStringLiteral("INSERT INTO cunfangdidian (拼音码, 存放地点) VALUES ('EHBX', '二号冰箱')"));
    }

    // A movement record of any flag, as another window would have saved it.
    void storeLine(int flag, qint64 number, int reagent = 1, double price = 10, int supplier = 1,
                   const QDate &date = QDate(2026, 1, 10))
    {
        db().exec(QStringLiteral("INSERT INTO shijibiandongdengji (变动标志, 单号, 发票号, 登记日期, 试剂ID, 批号, "
                                 "有效期, 数量, 单价, 供应商ID, 操作者ID, 存放地点) "
                                 "VALUES (?, ?, 'F1', ?, ?, 'B1', '2026-12-31', 2, ?, ?, 1, '一号冰箱')"),
                  {flag, number, date, reagent, price, supplier});
    }

    qint64 count(const QString &table)
    {
        return db().scalar(QStringLiteral("SELECT COUNT(*) FROM ") + table).toLongLong();
    }

    TempFolder dir;
    ScriptedDialogs dialogs;
};
