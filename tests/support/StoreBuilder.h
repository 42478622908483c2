#pragma once

#include <QDate>
#include <QString>
#include <QVariant>

namespace dao {
class Database;
}

// Rows for a test's store, written straight into the tables as the windows would have
// saved them. Every field has a usable default, so a test names only what it is about:
//   const qint32 r = store.reagent({.name = "血清样本"});
//   store.line({.flag = 2, .reagent = r, .quantity = 3});
// Empty texts are stored as Null. Each call returns the new row's key.
class StoreBuilder {
public:

    struct User {
        QString name = QStringLiteral("管理员");
        QString code = QStringLiteral("01");
        QString password{};
        bool super = true;
        QString rights = QString(26, u'1');
        bool active = true;
    };
    struct Reagent {
        QString name = QStringLiteral("血清样本");
        QString pinyin{}; // empty: made from the name
        QString spec = QStringLiteral("10ml");
        QString unit = QStringLiteral("盒");
        QString group = QStringLiteral("生化");
        qint32 maker = 0;
        QString approval{};
        bool disabled = false;
        QString barcode{};
        QVariant low{};  // 库存低限, Null when not set
        QVariant high{}; // 库存高限
    };
    // A movement record; flag 1 receipt, 2 issue, 3 scrap.
    struct Line {
        int flag = 1;
        qint64 number = 20260115001;
        QString invoice{};
        QDate date = QDate(2026, 1, 15);
        qint32 reagent = 0;
        QString batch = QStringLiteral("B1");
        QDate expiry = QDate(2026, 12, 31);
        double quantity = 1;
        double price = 1;
        QString department{};
        QString claimant{};
        qint32 supplier = 0;
        qint32 user = 0; // 0: the logged-in user
        QString place{};
        QString reason{};
        QString receiptRef{}; // 入库ID
    };
    struct Lot {
        qint32 reagent = 0;
        QString batch = QStringLiteral("B1");
        QDate expiry = QDate(2026, 12, 31);
        double quantity = 1;
        double price = 1;
        QString place{};
        qint32 supplier = 0;
        QString receiptRef{}; // 入库ID
    };

    qint32 user(const User &u);
    qint32 maker(const QString &name, const QString &pinyin = QString());
    qint32 supplier(const QString &name, const QString &pinyin = QString());
    qint32 reagent(const Reagent &r);
    qint64 line(const Line &l);
    qint64 lot(const Lot &l);
    // A receipt line with the lot it created, as the receipt window saves them; the lot's
    // 入库ID remembers the line. Returns the line's 登记ID.
    qint64 receipt(Line l);

    // The small registers, key, pinyin code and name.
    qint32 group(const QString &name);
    qint32 unit(const QString &name);
    qint32 place(const QString &name);
    qint32 department(const QString &name);
    qint32 claimant(const QString &name);

private:
    qint32 named(const QString &table, const QString &field, const QString &name);
};
