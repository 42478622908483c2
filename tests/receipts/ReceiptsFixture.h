#pragma once

#include "StoreFixture.h"
#include "shell/ModBase.h"

// The store fixture with the clerk 张三 logged in and a small store: suppliers, a manufacturer, active
// and disabled reagents, storage places.
class ReceiptsFixture : public StoreFixture {
protected:
    ReceiptsFixture() { logInUser = false; }

    void SetUp() override
    {
        StoreFixture::SetUp();
        logIn(clerk);
        seed();
    }

    void seed()
    {
        const qint32 maker = store.maker(QStringLiteral("兰州生物"), QStringLiteral("LZSW"));
        store.supplier(QStringLiteral("北京医药"), QStringLiteral("BJYY"));
        store.supplier(QStringLiteral("上海科技"), QStringLiteral("SHKJ"));
        store.supplier(QStringLiteral("奥'布"), QStringLiteral("O'B"));
        struct Reagent {
            const char *py, *name, *unit, *group;
            qint32 maker;
            bool disabled;
            const char *barcode;
        };
        const Reagent reagents[] = {
            {"XJYS", "血清样本", "盒", "生化", maker, false, "6901234567890"},
            {"XJTY", "血检停用", "盒", "生化", maker, true, "12345"},
            {"GBZ", "谷丙转氨酶", "瓶", "急诊生化", maker, false, ""},
            {"A1234", "试剂1234", "支", "免疫", maker, false, "99999"},
            {"XJWC", "血检无厂", "盒", "生化", 9, false, ""},
        };
        for (const Reagent &r : reagents)
            store.reagent({.name = QString::fromUtf8(r.name), .pinyin = QString::fromUtf8(r.py),
                           .unit = QString::fromUtf8(r.unit), .group = QString::fromUtf8(r.group), .maker = r.maker,
                           .disabled = r.disabled, .barcode = QString::fromUtf8(r.barcode)});
        store.place(QStringLiteral("一号冰箱"));
        store.place(QStringLiteral("二号冰箱"));
    }

    // A movement record of any flag, as another window would have saved it.
    void storeLine(int flag, qint64 number, int reagent = 1, double price = 10, int supplier = 1,
                   const QDate &date = QDate(2026, 1, 10))
    {
        store.line({.flag = flag, .number = number, .invoice = QStringLiteral("F1"), .date = date, .reagent = reagent,
                    .quantity = 2, .price = price, .supplier = supplier, .user = 1,
                    .place = QStringLiteral("一号冰箱")});
    }

    // No super user, unless a derived fixture makes him one in its constructor.
    StoreBuilder::User clerk{.name = QStringLiteral("张三"), .code = QStringLiteral("zs"), .super = false};
};
