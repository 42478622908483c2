#include "MovementSearch.h"

#include "MovementQueryKind.h"
#include "dao/Collation.h"

namespace queries {
namespace {

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
        // Latin letters match in either case, as in the stock query's filters.
        search.conditions += QStringLiteral("AND ") + filter.column + QStringLiteral(" = ? COLLATE NOCASE ");
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
    const QList<roworder::Key> order = stock::reportOrder(orderBy);
    return {stock::reportLines(kind.flag), search.conditions + (order.isEmpty() ? orderBy : QString()), search.params,
            order};
}

Statement summaryStatement(const MovementQueryKind &kind, const Search &search)
{
    return {stock::summaryLines(kind.flag), search.conditions + stock::SummaryTail, search.params, {}};
}

} // namespace queries
