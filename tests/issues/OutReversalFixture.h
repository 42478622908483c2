#pragma once

#include "PasswordPrompt.h"
#include "StoreFixture.h"

#include "dao/Database.h"
#include "issues/OutReversalWindow.h"
#include "shell/ModBase.h"
#include "widgets/FlexGrid.h"

#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>

// A reversal window over a small store: three reagents of three groups, each received
// once (10 at 10.00, the lot remembering the receipt), and 张三 as a second, ordinary user.
template <class Window>
class OutReversalFixture : public StoreFixture {
protected:
    void SetUp() override
    {
        StoreFixture::SetUp();
        zhang = store.user({.name = QStringLiteral("张三"), .code = QStringLiteral("02"), .super = false});
        supplier = store.supplier(QStringLiteral("北京医药"));
        serum = reagent("血清样本", "生化");
        alt = reagent("谷丙转氨酶", "急诊生化");
        hbv = reagent("乙肝试剂", "免疫");
    }
    void TearDown() override
    {
        delete w.data();
        StoreFixture::TearDown();
    }

    struct Reagent {
        qint32 id;
        qint64 receipt;
    };
    Reagent reagent(const char *name, const char *group)
    {
        const qint32 id = store.reagent({.name = QString::fromUtf8(name), .group = QString::fromUtf8(group)});
        return {id, store.receipt({.date = QDate(2025, 12, 1), .reagent = id, .quantity = 10, .price = 10,
                                   .supplier = supplier, .place = QStringLiteral("一号冰箱")})};
    }
    // A line taken from the reagent's lot; the claimant names it in the grid.
    qint64 line(int flag, const Reagent &r, qint64 number, const QDate &date, const char *department,
                const char *claimant, qint32 user, double quantity = 1, const char *reason = "")
    {
        return store.line({.flag = flag, .number = number, .date = date, .reagent = r.id, .quantity = quantity,
                           .price = 11, .department = QString::fromUtf8(department),
                           .claimant = QString::fromUtf8(claimant), .supplier = supplier, .user = user,
                           .place = QStringLiteral("一号冰箱"), .reason = QString::fromUtf8(reason),
                           .receiptRef = QString::number(r.receipt)});
    }

    Window *open()
    {
        w = new Window;
        w->resize(1200, 700);
        w->show();
        return w;
    }

    // The claimants of the listed lines, in grid order.
    QStringList claimants() const
    {
        QStringList out;
        for (int r = 1; r < w->GridQ->Rows(); ++r)
            out << w->GridQ->TextMatrix(r, 7);
        return out;
    }
    // The items of a drop-down list after its first drop-down.
    static QStringList dropDown(QComboBox *combo)
    {
        combo->showPopup();
        combo->hidePopup();
        QStringList items;
        for (int i = 0; i < combo->count(); ++i)
            items << combo->itemText(i);
        return items;
    }
    void search() { QTest::mouseClick(w->CmdQ, Qt::LeftButton); }

    // A click on a data row, as the user picks a line; then the selection from row to rowSel.
    void select(int row, int rowSel)
    {
        const QRect cell = w->GridQ->visualRect(w->GridQ->model()->index(row - 1, 3));
        QTest::mouseClick(w->GridQ->viewport(), Qt::LeftButton, {}, cell.center());
        w->GridQ->setRow(row);
        w->GridQ->setRowSel(rowSel);
    }
    double lotQuantity(const Reagent &r)
    {
        return db().scalar(QStringLiteral("SELECT SUM(数量) FROM shijikucun WHERE 试剂ID=?"), {r.id}).toDouble();
    }

    QPointer<Window> w;
    qint32 zhang = 0;
    qint32 supplier = 0;
    Reagent serum{}, alt{}, hbv{};
};
