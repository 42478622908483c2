#pragma once

#include "StoreFixture.h"

#include "shell/ModBase.h"

// A small store to issue from: two reagents of one maker with lots at two places, a third
// reagent whose pinyin code holds digits, departments and claimants.
class IssueFixture : public StoreFixture {
protected:
    void SetUp() override
    {
        StoreFixture::SetUp();
        ModBase::OutRate = 1;
        maker = store.maker(QStringLiteral("兰州生物"));
        supplier = store.supplier(QStringLiteral("北京医药"));
        serum = store.reagent({.name = QStringLiteral("血清样本"), .pinyin = QStringLiteral("XJYS"), .maker = maker,
                               .barcode = QStringLiteral("6901234567890")});
        counter = store.reagent({.name = QStringLiteral("血细胞计数"), .pinyin = QStringLiteral("XXBJS"),
                                 .group = QStringLiteral("急诊生化"), .maker = maker});
        digits = store.reagent({.name = QStringLiteral("试剂1234"), .pinyin = QStringLiteral("A1234"),
                                .group = QStringLiteral("免疫"), .maker = maker, .barcode = QStringLiteral("99999")});
        serumLate = lot(serum, 10, QDate(2026, 6, 30), 10, QStringLiteral("B2"));
        serumEarly = lot(serum, 2.5, QDate(2026, 3, 31), 8, QStringLiteral("B1"));
        counterLot = lot(counter, 5, QDate(2026, 9, 30), 20, QStringLiteral("C1"));
        digitsLot = lot(digits, 1, QDate(2027, 1, 31), 3, QStringLiteral("D1"));
        store.department(QStringLiteral("检验科"));
        store.department(QStringLiteral("急诊科"));
        db().exec(QStringLiteral("INSERT INTO renlingbumen (拼音码, 认领部门) VALUES ('O''B', '奥''布')"));
        store.claimant(QStringLiteral("张三"));
        store.claimant(QStringLiteral("李四"));
    }

    // A lot with a receipt line behind it, as the receipt window leaves them.
    qint64 lot(qint32 reagent, double quantity, const QDate &expiry, double price, const QString &batch)
    {
        const qint64 receipt = store.receipt({.reagent = reagent, .batch = batch, .expiry = expiry,
                                              .quantity = quantity, .price = price,
                                              .supplier = supplier, .place = QStringLiteral("一号冰箱")});
        return db().scalar(QStringLiteral("SELECT 库存ID FROM shijikucun WHERE 入库ID=?"), {QString::number(receipt)})
            .toLongLong();
    }

    // An issue line of document `number` taken from the lot, as a save leaves them.
    qint64 issueFrom(qint64 lotId, double quantity, qint64 number = 20260115001)
    {
        const dao::Result lot = db().select(
            QStringLiteral("SELECT 试剂ID, 批号, 有效期, 单价, 供应商ID, 存放地点, 入库ID FROM shijikucun WHERE 库存ID=?"),
            {lotId});
        db().exec(QStringLiteral("UPDATE shijikucun SET 数量=数量-? WHERE 库存ID=?"), {quantity, lotId});
        db().exec(QStringLiteral("DELETE FROM shijikucun WHERE 库存ID=? AND 数量<=0"), {lotId});
        return store.line({.flag = 2, .number = number, .reagent = lot[0][0].toInt(), .batch = lot[0].text(1),
                           .expiry = lot[0][2].toDate(), .quantity = quantity, .price = lot[0][3].toDouble(),
                           .department = QStringLiteral("检验科"), .claimant = QStringLiteral("张三"),
                           .supplier = lot[0][4].toInt(), .place = lot[0].text(5), .receiptRef = lot[0].text(6)});
    }

    QVariant lotQuantity(qint64 lotId)
    {
        return db().scalar(QStringLiteral("SELECT 数量 FROM shijikucun WHERE 库存ID=?"), {lotId});
    }

    qint64 issueLines() { return db().scalar(QStringLiteral("SELECT COUNT(*) FROM shijibiandongdengji WHERE 变动标志=2")).toLongLong(); }

    qint32 maker = 0, supplier = 0;
    qint32 serum = 0, counter = 0, digits = 0;
    qint64 serumLate = 0, serumEarly = 0, counterLot = 0, digitsLot = 0;
};
