#pragma once

#include "StoreFixture.h"

#include "registers/FrmSetProduct.h"
#include "shell/ModBase.h"
#include "shell/ModData.h"
#include "widgets/FlexGrid.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <memory>

// The store fixture with nobody logged in and a small catalogue: two manufacturers, active
// and disabled reagents, one whose manufacturer is gone.
class CatalogueFixture : public StoreFixture {
protected:
    CatalogueFixture() { logInUser = false; }

    void SetUp() override
    {
        StoreFixture::SetUp();
        seed();
    }
    void TearDown() override
    {
        window.reset();
        StoreFixture::TearDown();
    }

    void seed()
    {
        const qint32 lanzhou = store.maker(QStringLiteral("兰州生物"), QStringLiteral("LZSW"));
        const qint32 shanghai = store.maker(QStringLiteral("上海试剂"), QStringLiteral("SHSJ"));
        store.unit(QStringLiteral("盒"));
        store.group(QStringLiteral("生化"));
        struct Reagent {
            const char *py, *name, *group;
            qint32 maker;
            bool disabled;
            const char *barcode;
        };
        const Reagent reagents[] = {
            {"XJYS", "血清样本", "生化", lanzhou, false, "6901234567890"},
            {"XJTY", "血检停用", "生化", lanzhou, true, ""},
            {"Z690123456789", "试剂甲", "免疫", shanghai, false, ""},
            {"WCSJ", "无厂试剂", "免疫", 9, false, ""},
        };
        for (const Reagent &r : reagents)
            store.reagent({.name = QString::fromUtf8(r.name), .pinyin = QString::fromUtf8(r.py),
                           .group = QString::fromUtf8(r.group), .maker = r.maker, .disabled = r.disabled,
                           .barcode = QString::fromUtf8(r.barcode), .low = 1, .high = 9});
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

    std::unique_ptr<FrmSetProduct> window;
};
