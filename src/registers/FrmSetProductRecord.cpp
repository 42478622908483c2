#include "FrmSetProductRecord.h"

#include "FrmSetGDXLimits.h"

#include "dao/Database.h"
#include "platform/Convert.h"
#include "shell/ModBase.h"
#include "shell/ModData.h"

namespace registers {
namespace {

using Check = std::optional<Refusal> (*)(dao::Database &, const ProductEntry &);
using F = ProductEntry::Field;

Refusal refusal(int step, const QString &message, F focus)
{
    Refusal r;
    r.step = step;
    r.message = message;
    r.focus = focus;
    return r;
}

std::optional<Refusal> required(const ProductEntry &e, F field, int step, const QString &message)
{
    if (!e.trimmed(field).isEmpty())
        return std::nullopt;
    return refusal(step, message, field);
}

std::optional<Refusal> nameGiven(dao::Database &, const ProductEntry &e)
{
    return required(e, F::Name, 1, QStringLiteral("试剂名称不能为空！"));
}

// Reports print the name in a column about ten Chinese characters wide.
std::optional<Refusal> nameFitsReports(dao::Database &, const ProductEntry &e)
{
    if (ModData::TextWidthCJK(e.text.at(F::Name)) <= 12)
        return std::nullopt;
    Refusal r = refusal(2,
                             QStringLiteral("试剂名称设置过长，报表将无法正常打印。\n\n"
                                            "请缩减字段内容，10个中文字符宽度以内为最佳，修改？"),
                             F::Name);
    r.title = QStringLiteral("提示");
    r.question = true;
    r.icon = platform::Icon::Question;
    return r;
}

std::optional<Refusal> pinyinGiven(dao::Database &, const ProductEntry &e)
{
    return required(e, F::Pinyin, 3, QStringLiteral("拼音码不能为空！"));
}

std::optional<Refusal> barcodeNumeric(dao::Database &, const ProductEntry &e)
{
    const QString barcode = e.trimmed(F::Barcode);
    if (barcode.isEmpty() || platform::convert::isNumeric(barcode))
        return std::nullopt;
    return refusal(4, QStringLiteral("条形码格式不符！\n\n请输入阿拉伯数字。"), F::Barcode);
}

std::optional<Refusal> specGiven(dao::Database &, const ProductEntry &e)
{
    return required(e, F::Spec, 5, QStringLiteral("规格不能为空！"));
}

std::optional<Refusal> unitGiven(dao::Database &, const ProductEntry &e)
{
    return required(e, F::Unit, 6,
                    QStringLiteral("试剂包装单位不能为空！\n\n请输入代码检索单位，或点击“+”号按钮选定"));
}

std::optional<Refusal> groupGiven(dao::Database &, const ProductEntry &e)
{
    return required(e, F::Group, 7, QStringLiteral("组别不能为空！\n\n请输入代码检索组别，或点击“+”号按钮选定"));
}

// The record stores the manufacturer by key: the key in hand must be the one of the name
// the field shows, or the reagent would be saved under another manufacturer.
std::optional<Refusal> makerChosen(dao::Database &db, const ProductEntry &e)
{
    const QString name = e.trimmed(F::Maker);
    const QVariant stored =
        name.isEmpty() ? QVariant()
                       : db.scalar(QStringLiteral("SELECT 厂商 FROM changshang WHERE 厂商ID = ?"), {e.makerId});
    if (!stored.isNull() && stored.toString().trimmed() == name)
        return std::nullopt;
    return refusal(8, QStringLiteral("厂商不能为空！\n\n请输入代码检索厂商，或点击“+”号按钮选定"), F::Maker);
}

std::optional<Refusal> limitAccepted(const ProductEntry &e, F field, int step)
{
    const std::optional<QString> why = limitRefusal(e.text.at(field));
    if (!why)
        return std::nullopt;
    Refusal r = refusal(step, *why, field);
    r.title = QStringLiteral("出错啦！");
    r.emptied = {field};
    return r;
}

std::optional<Refusal> lowAccepted(dao::Database &, const ProductEntry &e)
{
    return limitAccepted(e, F::Low, 9);
}

std::optional<Refusal> highAccepted(dao::Database &, const ProductEntry &e)
{
    return limitAccepted(e, F::High, 10);
}

std::optional<Refusal> limitsInOrder(dao::Database &, const ProductEntry &e)
{
    if (e.trimmed(F::Low).isEmpty() || e.trimmed(F::High).isEmpty()
        || limitNumber(e.text.at(F::Low)) <= limitNumber(e.text.at(F::High)))
        return std::nullopt;
    Refusal r = refusal(11, QStringLiteral("库存低限必须小于库存高限！请重新设置"), F::Low);
    r.title = QStringLiteral("出错啦！");
    r.emptied = {F::Low, F::High};
    return r;
}

// Any other reagent holding the barcode takes it, not only the first one found.
std::optional<Refusal> barcodeFree(dao::Database &db, const ProductEntry &e)
{
    const QString barcode = e.trimmed(F::Barcode);
    if (barcode.isEmpty())
        return std::nullopt;
    const qint64 holders =
        e.addMode ? db.scalar(QStringLiteral("SELECT COUNT(*) FROM shijijibenxinxi WHERE 条形码 = ?"), {barcode})
                        .toLongLong()
                  : db.scalar(QStringLiteral("SELECT COUNT(*) FROM shijijibenxinxi WHERE 条形码 = ? AND 试剂ID <> ?"),
                              {barcode, e.editId})
                        .toLongLong();
    if (holders == 0)
        return std::nullopt;
    return refusal(12, QStringLiteral("条形码不能重复！\n\n此条形码已被占用，请检查是否输入错误。"), F::Barcode);
}

const Check kChecks[] = {nameGiven,  nameFitsReports, pinyinGiven, barcodeNumeric, specGiven,     unitGiven,
                         groupGiven, makerChosen,     lowAccepted, highAccepted,   limitsInOrder, barcodeFree};

// Positions 1 to 11 of the record, in their order.
QVariantList recordValues(const ProductEntry &e)
{
    return {e.trimmed(F::Pinyin),   e.trimmed(F::Name),  e.trimmed(F::Spec),     e.trimmed(F::Unit),
            e.trimmed(F::Group),    e.makerId,           e.trimmed(F::Approval), e.disabled,
            e.trimmed(F::Barcode),  limitValue(e.text.at(F::Low)), limitValue(e.text.at(F::High))};
}

} // namespace

std::optional<Refusal> firstRefusal(dao::Database &db, const ProductEntry &entry, int from)
{
    for (int step = qMax(from, 1); step <= static_cast<int>(std::size(kChecks)); ++step) {
        if (std::optional<Refusal> r = kChecks[step - 1](db, entry))
            return r;
    }
    return std::nullopt;
}

qint64 addProduct(dao::Database &db, const ProductEntry &entry)
{
    db.exec(QStringLiteral("INSERT INTO shijijibenxinxi (拼音码, 品名, 规格, 单位, 组别, 厂商ID, 批准文号, 停用, 条形码, "
                           "库存低限, 库存高限) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
            recordValues(entry));
    return db.lastInsertId();
}

void updateProduct(dao::Database &db, const ProductEntry &entry)
{
    QVariantList values = recordValues(entry);
    values.append(entry.editId);
    db.exec(QStringLiteral("UPDATE shijijibenxinxi SET 拼音码 = ?, 品名 = ?, 规格 = ?, 单位 = ?, 组别 = ?, 厂商ID = ?, "
                           "批准文号 = ?, 停用 = ?, 条形码 = ?, 库存低限 = ?, 库存高限 = ? WHERE 试剂ID = ?"),
            values);
    // Another workstation may have deleted it meanwhile.
    if (db.changes() == 0)
        throw dao::DaoError(dao::ErrNoCurrentRecord, QStringLiteral("no reagent %1").arg(entry.editId));
}

std::optional<QString> deleteRefusal(dao::Database &db, qint32 id)
{
    const qint64 lots =
        db.scalar(QStringLiteral("SELECT COUNT(*) FROM shijikucun WHERE 试剂ID = ?"), {id}).toLongLong();
    if (lots == 0)
        return std::nullopt;
    return QStringLiteral("该试剂还有库存，不能删除！\n\n不再使用的试剂，请勾选“停用”后保存。");
}

void deleteProduct(dao::Database &db, qint32 id)
{
    db.exec(QStringLiteral("DELETE FROM shijijibenxinxi WHERE 试剂ID = ?"), {id});
    if (db.changes() == 0)
        throw dao::DaoError(dao::ErrNoCurrentRecord, QStringLiteral("no reagent %1").arg(id));
}

} // namespace registers
