#include "FrmSetProductSearch.h"

#include "dao/Collation.h"
#include "platform/CodePage936.h"
#include "platform/Convert.h"

namespace registers {
namespace {

const QString kFrom = QStringLiteral(
    " FROM shijijibenxinxi LEFT JOIN changshang ON changshang.厂商ID = shijijibenxinxi.厂商ID");

const QString kActive = QStringLiteral("shijijibenxinxi.停用 = 0");

QString activeOnly(bool hideDisabled, const QString &joiner)
{
    return hideDisabled ? joiner + kActive : QString();
}

CatalogueFilter containsSearch(const QString &field, const QString &order,
                               const QString &text, bool hideDisabled)
{
    return {QStringLiteral(" WHERE shijijibenxinxi.") + field + QStringLiteral(" LIKE ? ESCAPE '\\'")
                + activeOnly(hideDisabled, QStringLiteral(" AND ")) + QStringLiteral(" ORDER BY shijijibenxinxi.")
                + order + QStringLiteral(" COLLATE ZH"),
            {dao::likeContains(text)}};
}

} // namespace

QString listSql(const CatalogueFilter &filter)
{
    return QStringLiteral("SELECT shijijibenxinxi.试剂ID, shijijibenxinxi.拼音码, shijijibenxinxi.品名, "
                          "shijijibenxinxi.规格, shijijibenxinxi.单位, shijijibenxinxi.组别, shijijibenxinxi.厂商ID, "
                          "changshang.厂商, shijijibenxinxi.批准文号, shijijibenxinxi.停用, shijijibenxinxi.条形码, "
                          "shijijibenxinxi.库存低限, shijijibenxinxi.库存高限")
        + kFrom + filter.tail;
}

QString exportSql(const CatalogueFilter &filter)
{
    return QStringLiteral("SELECT shijijibenxinxi.试剂ID, shijijibenxinxi.拼音码, shijijibenxinxi.品名, "
                          "shijijibenxinxi.规格, shijijibenxinxi.单位, shijijibenxinxi.组别, changshang.厂商, "
                          "shijijibenxinxi.批准文号, shijijibenxinxi.停用, shijijibenxinxi.条形码, "
                          "shijijibenxinxi.库存低限, shijijibenxinxi.库存高限")
        + kFrom + filter.tail;
}

CatalogueFilter wholeList(bool hideDisabled)
{
    return {activeOnly(hideDisabled, QStringLiteral(" WHERE "))
                + QStringLiteral(" ORDER BY shijijibenxinxi.组别 COLLATE ZH, shijijibenxinxi.拼音码 COLLATE ZH"),
            {}};
}

CatalogueFilter nameBoxSearch(const QString &text, bool hideDisabled)
{
    const QString t = text.trimmed();
    if (t.size() == 13 && platform::convert::isNumeric(t))
        return containsSearch(QStringLiteral("条形码"), QStringLiteral("品名"), t,
                              hideDisabled);
    // An empty box matches every pinyin code.
    if (t.isEmpty() || !platform::cp936::isDoubleByte(t.toUcs4().first()))
        return containsSearch(QStringLiteral("拼音码"), QStringLiteral("拼音码"), t,
                              hideDisabled);
    return containsSearch(QStringLiteral("品名"), QStringLiteral("品名"), t, hideDisabled);
}

CatalogueFilter groupBoxSearch(const QString &text, bool hideDisabled)
{
    return containsSearch(QStringLiteral("组别"), QStringLiteral("品名"), text.trimmed(),
                          hideDisabled);
}

} // namespace registers
