#include "StoreBuilder.h"

#include "dao/Database.h"
#include "shell/ModBase.h"
#include "shell/ModData.h"

namespace {

// The shared connection, opened again when an operation left it closed.
dao::Database &db()
{
    ModData::OpenDB();
    return *ModData::Connection();
}

QVariant orNull(const QString &text)
{
    return text.isEmpty() ? QVariant() : QVariant(text);
}

QString pinyinOf(const QString &pinyin, const QString &name)
{
    return pinyin.isEmpty() ? ModData::GetPY(name) : pinyin;
}

} // namespace

qint32 StoreBuilder::user(const User &u)
{
    db().exec(QStringLiteral("INSERT INTO yonghu (代码, 用户名, 密码, 超级用户, 权限, 在职显示) VALUES (?, ?, ?, ?, ?, ?)"),
                {u.code, u.name, u.password, u.super, u.rights, u.active});
    return static_cast<qint32>(db().lastInsertId());
}

qint32 StoreBuilder::maker(const QString &name, const QString &pinyin)
{
    db().exec(QStringLiteral("INSERT INTO changshang (拼音码, 厂商) VALUES (?, ?)"), {pinyinOf(pinyin, name), name});
    return static_cast<qint32>(db().lastInsertId());
}

qint32 StoreBuilder::supplier(const QString &name, const QString &pinyin)
{
    db().exec(QStringLiteral("INSERT INTO gongyingshang (拼音码, 供应商) VALUES (?, ?)"), {pinyinOf(pinyin, name), name});
    return static_cast<qint32>(db().lastInsertId());
}

qint32 StoreBuilder::reagent(const Reagent &r)
{
    db().exec(QStringLiteral("INSERT INTO shijijibenxinxi (拼音码, 品名, 规格, 单位, 组别, 厂商ID, 批准文号, 停用, 条形码, "
                               "库存低限, 库存高限) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                {pinyinOf(r.pinyin, r.name), r.name, r.spec, r.unit, r.group, r.maker, orNull(r.approval), r.disabled,
                 orNull(r.barcode), r.low, r.high});
    return static_cast<qint32>(db().lastInsertId());
}

qint64 StoreBuilder::line(const Line &l)
{
    db().exec(QStringLiteral("INSERT INTO shijibiandongdengji (变动标志, 单号, 发票号, 登记日期, 试剂ID, 批号, 有效期, 数量, "
                               "单价, 认领部门, 认领人, 供应商ID, 操作者ID, 存放地点, 报损原因, 入库ID) "
                               "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                {l.flag, l.number, orNull(l.invoice), l.date, l.reagent, orNull(l.batch), l.expiry, l.quantity, l.price,
                 orNull(l.department), orNull(l.claimant), l.supplier, l.user ? l.user : ModBase::UserID, orNull(l.place), orNull(l.reason),
                 orNull(l.receiptRef)});
    return db().lastInsertId();
}

qint64 StoreBuilder::lot(const Lot &l)
{
    db().exec(QStringLiteral("INSERT INTO shijikucun (试剂ID, 批号, 有效期, 数量, 单价, 存放地点, 供应商ID, 入库ID) "
                               "VALUES (?, ?, ?, ?, ?, ?, ?, ?)"),
                {l.reagent, orNull(l.batch), l.expiry, l.quantity, l.price, orNull(l.place), l.supplier,
                 orNull(l.receiptRef)});
    return db().lastInsertId();
}

qint64 StoreBuilder::receipt(Line l)
{
    l.flag = 1;
    const qint64 id = line(l);
    lot({.reagent = l.reagent, .batch = l.batch, .expiry = l.expiry, .quantity = l.quantity, .price = l.price,
         .place = l.place, .supplier = l.supplier, .receiptRef = QString::number(id)});
    return id;
}

qint32 StoreBuilder::named(const QString &table, const QString &field, const QString &name)
{
    db().exec(QStringLiteral("INSERT INTO %1 (拼音码, %2) VALUES (?, ?)").arg(table, field), {ModData::GetPY(name), name});
    return static_cast<qint32>(db().lastInsertId());
}

qint32 StoreBuilder::group(const QString &name)
{
    return named(QStringLiteral("zubie"), QStringLiteral("组别"), name);
}

qint32 StoreBuilder::unit(const QString &name)
{
    return named(QStringLiteral("danwei"), QStringLiteral("单位"), name);
}

qint32 StoreBuilder::place(const QString &name)
{
    return named(QStringLiteral("cunfangdidian"), QStringLiteral("存放地点"), name);
}

qint32 StoreBuilder::department(const QString &name)
{
    return named(QStringLiteral("renlingbumen"), QStringLiteral("认领部门"), name);
}

qint32 StoreBuilder::claimant(const QString &name)
{
    return named(QStringLiteral("renlingren"), QStringLiteral("认领人"), name);
}
