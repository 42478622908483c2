#pragma once

#include "ScriptedDialogs.h"
#include "TempFolder.h"

#include "dao/Database.h"
#include "platform/System.h"
#include "schema/DeliveredDatabase.h"
#include "shell/ModBase.h"
#include "shell/ModData.h"
#include "widgets/FlexGrid.h"

#include <QApplication>
#include <QComboBox>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

// A program folder with a fresh database on a fixed day (2026-12-09) and a small register
// of movement lines for the query windows.
class QueriesFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        ModBase::ResetState();
        ModBase::SysDate = QDate(2026, 12, 9);
        platform::setProgramFolder(dir.path());
        ModBase::IniFile = dir.file(QStringLiteral("Vialdesk.ini"));
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
        for (const auto &[id, name] : {std::pair{1, "张三"}, std::pair{2, "李四"}})
            db().exec(QStringLiteral("INSERT INTO yonghu (用户ID, 代码, 用户名, 密码, 超级用户, 权限, 在职显示) "
                                     "VALUES (?, ?, ?, '', -1, ?, -1)"),
                      {id, QString::number(id), QString::fromUtf8(name), QString(26, u'1')});
        db().exec(QStringLiteral("INSERT INTO changshang (厂商ID, 拼音码, 厂商) VALUES (1, 'LZSW', '兰州生物')"));
        db().exec(QStringLiteral("INSERT INTO changshang (厂商ID, 拼音码, 厂商) VALUES (2, 'MC', '某厂')"));
        for (const auto &[id, name] : {std::pair{1, "北京医药"}, std::pair{2, "上海科技"}})
            db().exec(QStringLiteral("INSERT INTO gongyingshang (供应商ID, 拼音码, 供应商, 地址, 电话, 联系人) "
                                     "VALUES (?, 'GYS', ?, '', '', '')"),
                      {id, QString::fromUtf8(name)});
        struct Reagent {
            int id;
            const char *name, *unit, *group;
            int maker;
        };
        const Reagent reagents[] = {
            {1, "血清样本", "盒", "生化", 1},
            {2, "谷丙转氨酶", "瓶", "微生物", 1},
            {3, "奥'布试剂", "支", "免疫", 2},
        };
        for (const Reagent &r : reagents)
            db().exec(QStringLiteral("INSERT INTO shijijibenxinxi (试剂ID, 拼音码, 品名, 规格, 单位, 组别, 厂商ID, "
                                     "批准文号, 停用, 条形码) VALUES (?, 'PY', ?, '10ml', ?, ?, ?, '', 0, '')"),
                      {r.id, QString::fromUtf8(r.name), QString::fromUtf8(r.unit), QString::fromUtf8(r.group),
                       r.maker});
    }

    struct Line {
        int flag = 2;
        qint64 number = 20261201001;
        QDate date{2026, 12, 1};
        int reagent = 1;
        double quantity = 1;
        double price = 10;
        QString department = QStringLiteral("检验科");
        int supplier = 1;
        int user = 1;
        QString invoice = QStringLiteral("F1");
    };
    void store(const Line &l)
    {
        db().exec(QStringLiteral("INSERT INTO shijibiandongdengji (变动标志, 单号, 发票号, 登记日期, 试剂ID, 批号, "
                                 "有效期, 数量, 单价, 认领部门, 认领人, 供应商ID, 操作者ID, 存放地点, 报损原因) "
                                 "VALUES (?, ?, ?, ?, ?, 'B1', '2027-12-31', ?, ?, ?, '王五', ?, ?, '一号冰箱', '')"),
                  {l.flag, l.number, l.invoice, l.date, l.reagent, l.quantity, l.price, l.department, l.supplier,
                   l.user});
    }

    // Types as a user does: Latin keys one by one, Chinese through the input method.
    static void type(QComboBox *combo, const QString &typed)
    {
        combo->setFocus();
        for (const QChar ch : typed) {
            if (ch.unicode() < 0x80) {
                QTest::keyClick(combo, ch.toLatin1());
            } else {
                QInputMethodEvent commit;
                commit.setCommitString(QString(ch));
                QApplication::sendEvent(combo->lineEdit(), &commit);
            }
        }
    }

    static QStringList column(const FlexGrid *grid, int col)
    {
        QStringList out;
        for (int r = 1; r < grid->Rows(); ++r)
            out << grid->TextMatrix(r, col);
        return out;
    }

    TempFolder dir;
    ScriptedDialogs dialogs;
};
