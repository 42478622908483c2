#include "MovementSearch.h"

#include "MovementQueryKind.h"
#include "dao/Collation.h"

namespace queries {
namespace {

// The register's lines with their reagent, maker and supplier; the operator is not
// joined, so a line whose user was deleted still counts. Grouping by +试剂ID keeps the
// date index: grouping by the bare key lets the planner walk the whole register by reagent.
const QString kSummary = QStringLiteral(
    "SELECT shijijibenxinxi.试剂ID, shijijibenxinxi.品名, shijijibenxinxi.规格, changshang.厂商, "
    "ROUND(SUM(shijibiandongdengji.数量), 4) AS 数量, shijijibenxinxi.单位, shijibiandongdengji.单价 AS 单价, "
    "SUM(CAST(ROUND(shijibiandongdengji.数量*shijibiandongdengji.单价*10000) AS INTEGER)) AS 金额"
    " FROM shijibiandongdengji"
    " INNER JOIN shijijibenxinxi ON shijijibenxinxi.试剂ID = shijibiandongdengji.试剂ID"
    " INNER JOIN changshang ON changshang.厂商ID = shijijibenxinxi.厂商ID"
    " INNER JOIN gongyingshang ON gongyingshang.供应商ID = shijibiandongdengji.供应商ID"
    " WHERE shijibiandongdengji.变动标志=?");

const QString kSummaryTail = QStringLiteral(
    " GROUP BY +shijijibenxinxi.试剂ID, shijijibenxinxi.品名, shijijibenxinxi.规格, changshang.厂商, "
    "shijijibenxinxi.单位, shijibiandongdengji.单价, shijijibenxinxi.组别"
    " ORDER BY shijijibenxinxi.组别 COLLATE ZH, shijijibenxinxi.品名 COLLATE ZH, shijibiandongdengji.单价");

QString titleWord(TitleWord word, const QString &t)
{
    switch (word) {
    case TitleWord::Supplier:
        return t + QStringLiteral("供");
    case TitleWord::Maker:
        return QStringLiteral("厂商") + t;
    case TitleWord::Plain:
        break;
    }
    return t;
}

} // namespace

Search periodSearch(const MovementQueryKind &kind, const QString &periodTitle, const daterange::Condition &period,
                    const QStringList &filterTexts)
{
    Search search{periodTitle, period.sql, period.params};
    for (int i = 0; i < kind.filters.size(); ++i) {
        const QString typed = filterTexts.value(i);
        if (typed.isEmpty())
            continue;
        const QueryFilter &filter = kind.filters.at(i);
        const QString t = typed.trimmed();
        search.conditions += QStringLiteral("AND ") + filter.column + QStringLiteral(" = ? ");
        search.params << (filter.text == FilterText::Trimmed ? t : typed);
        search.title += titleWord(filter.title, t);
    }
    search.title += kind.reportName;
    return search;
}

std::optional<Search> documentSearch(const MovementQueryKind &kind, const QString &typed)
{
    QString digits = typed;
    digits.remove(u' ');
    bool ok = false;
    const qint64 number = digits.toLongLong(&ok);
    if (!ok)
        return std::nullopt;
    return Search{QStringLiteral("单号“") + digits + QStringLiteral("”") + kind.reportName,
                  QStringLiteral(" AND shijibiandongdengji.单号=?"), {number}};
}

std::optional<Search> invoiceSearch(const MovementQueryKind &kind, const QString &typed)
{
    const QString f = typed.trimmed();
    if (f.isEmpty())
        return std::nullopt;
    return Search{QStringLiteral("发票号“") + f + QStringLiteral("”") + kind.reportName,
                  QStringLiteral(" AND shijibiandongdengji.发票号 LIKE ? ESCAPE '\\'"),
                  {QStringLiteral("%") + dao::escapeLike(f)}};
}

Statement detailStatement(const MovementQueryKind &kind, const Search &search, const QString &orderBy)
{
    return {kind.detailSql + search.conditions + orderBy, QVariantList{kind.flag} + search.params};
}

Statement summaryStatement(const MovementQueryKind &kind, const Search &search)
{
    return {kSummary + search.conditions + kSummaryTail, QVariantList{kind.flag} + search.params};
}

} // namespace queries
