#pragma once

#include "ScriptedDialogs.h"
#include "TempFolder.h"

#include "dao/Database.h"
#include "registers/FrmSetProduct.h"
#include "schema/DeliveredDatabase.h"
#include "shell/ModBase.h"
#include "shell/ModData.h"
#include "widgets/FlexGrid.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

// A program folder with a settings file and a fresh database holding a small catalogue:
// two manufacturers, active and disabled reagents, one whose manufacturer is gone.
class CatalogueFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        ModBase::ResetState();
        ModBase::SysDate = QDate(2026, 1, 15);
        ModBase::IniFile = dir.file(QStringLiteral("Vialdesk.ini"));
        ModBase::DBFile = dir.file(QStringLiteral("MarloSJGL.dat"));
        schema::writeDeliveredDatabase(ModBase::DBFile, ModBase::DBPassword);
        ModData::OpenDB();
        seed();
    }
    void TearDown() override
    {
        window.reset();
        ModData::CloseAll();
        ModBase::ResetState();
    }

    dao::Database &db() { return *ModData::Connection(); }

    void seed()
    {
        db().exec(QStringLiteral("INSERT INTO changshang (厂商ID, 拼音码, 厂商) VALUES (1, 'LZSW', '兰州生物')"));
        db().exec(QStringLiteral("INSERT INTO changshang (厂商ID, 拼音码, 厂商) VALUES (2, 'SHSJ', '上海试剂')"));
        db().exec(QStringLiteral("INSERT INTO danwei (拼音码, 单位) VALUES ('H', '盒')"));
        db().exec(QStringLiteral("INSERT INTO zubie (拼音码, 组别) VALUES ('SH', '生化')"));
        struct Reagent {
            int id;
            const char *py, *name, *group;
            int maker, stopped;
            const char *barcode;
        };
        const Reagent reagents[] = {
            {1, "XJYS", "血清样本", "生化", 1, 0, "6901234567890"},
            {2, "XJTY", "血检停用", "生化", 1, -1, ""},
            {3, "Z690123456789", "试剂甲", "免疫", 2, 0, ""},
            {4, "WCSJ", "无厂试剂", "免疫", 9, 0, ""},
        };
        for (const Reagent &r : reagents)
            db().exec(QStringLiteral("INSERT INTO shijijibenxinxi (试剂ID, 拼音码, 品名, 规格, 单位, 组别, 厂商ID, 批准文号, "
                                     "停用, 条形码, 库存低限, 库存高限) VALUES (?, ?, ?, '10ml', '盒', ?, ?, '', ?, ?, 1, 9)"),
                      {r.id, QString::fromUtf8(r.py), QString::fromUtf8(r.name), QString::fromUtf8(r.group), r.maker,
                       r.stopped, QString::fromUtf8(r.barcode)});
    }

    // The window as the dispatcher opens it, after its first timer tick.
    FrmSetProduct &open()
    {
        window = std::make_unique<FrmSetProduct>();
        window->show();
        window->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
        EXPECT_TRUE(QTest::qWaitFor([this] { return window->OptShow[0]->isChecked() || window->OptShow[1]->isChecked(); }));
        return *window;
    }

    // Typing, for any text: each character a key press on the field's editor.
    static void type(QComboBox *box, const QString &text)
    {
        box->setFocus();
        for (const QChar ch : text) {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(ch));
            QApplication::sendEvent(box->lineEdit(), &press);
            QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(ch));
            QApplication::sendEvent(box->lineEdit(), &release);
        }
    }

    QComboBox *field(int i) const { return window->CmbField[i]; }

    // The 试剂ID column of the list, or of the export grid.
    static QList<int> ids(const FlexGrid *grid)
    {
        QList<int> out;
        for (int r = 1; r < grid->Rows(); ++r)
            out << grid->TextMatrix(r, 0).toInt();
        return out;
    }

    int rowOf(int id) const
    {
        for (int r = 1; r < window->GridShow->Rows(); ++r)
            if (window->GridShow->TextMatrix(r, 0) == QString::number(id))
                return r;
        return -1;
    }

    // A click on the list row of the reagent, as the user makes it.
    void clickRow(int id)
    {
        const int r = rowOf(id);
        ASSERT_GE(r, 1);
        FlexGrid *grid = window->GridShow;
        grid->scrollTo(grid->model()->index(r - 1, 2));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(grid->model()->index(r - 1, 2)).center());
    }

    QVariant stored(int id, const QString &fieldName)
    {
        return db().scalar(QStringLiteral("SELECT ") + fieldName + QStringLiteral(" FROM shijijibenxinxi WHERE 试剂ID = ?"),
                           {id});
    }

    qint64 count(const QString &table)
    {
        return db().scalar(QStringLiteral("SELECT COUNT(*) FROM ") + table).toLongLong();
    }

    TempFolder dir;
    ScriptedDialogs dialogs;
    std::unique_ptr<FrmSetProduct> window;
};
