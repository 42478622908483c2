#include "LedgerCrosstab.h"

#include "dao/Collation.h"
#include "dao/Database.h"

#include <QHash>

#include <algorithm>

namespace queries {
namespace {

constexpr int kColWidth = 1600;

QStringList chineseOrder(QStringList texts)
{
    std::sort(texts.begin(), texts.end(),
              [](const QString &a, const QString &b) { return dao::compareChinese(a, b) < 0; });
    return texts;
}

QString nameFieldOf(CrosstabRows by)
{
    return by == CrosstabRows::Department ? QStringLiteral("认领部门") : QStringLiteral("认领人");
}

} // namespace

QString crosstabSql(CrosstabRows by)
{
    return QStringLiteral("SELECT COALESCE(m.%1,''), COALESCE(k.组别,''), SUM(%2) "
                          "FROM shijijibenxinxi k INNER JOIN shijibiandongdengji m ON k.试剂ID = m.试剂ID "
                          "WHERE m.变动标志=? AND m.登记日期 BETWEEN ? AND ? GROUP BY 1, 2")
        .arg(nameFieldOf(by), amountUnits(QStringLiteral("m")));
}

GridSnapshot crosstab(dao::Database &db, const Period &period, CrosstabRows by, stock::MovementFlag flag)
{
    const QString nameField = nameFieldOf(by);
    const dao::Result r = db.select(crosstabSql(by), {flag, period.start, period.end});

    QHash<QString, QHash<QString, Currency>> sums; // name -> group -> amount
    QStringList groups;
    for (const dao::Row &row : r.rows) {
        const QString group = row.text(1);
        if (!groups.contains(group))
            groups << group;
        sums[row.text(0)][group] = fromUnits(row[2]);
    }
    groups = chineseOrder(groups);

    GridSnapshot g;
    g.header = QStringList{nameField, QStringLiteral("合计")} + groups;
    for (const QString &name : chineseOrder(sums.keys())) {
        const QHash<QString, Currency> &byGroup = sums[name];
        Currency total;
        QStringList cells{name, QString()};
        for (const QString &group : groups) {
            const auto it = byGroup.constFind(group);
            if (it == byGroup.cend()) {
                cells << QString();
                continue;
            }
            total += *it;
            cells << platform::convert::doubleText(it->toDouble());
        }
        cells[1] = platform::convert::doubleText(total.toDouble());
        g.rows << cells;
    }
    g.colWidths = QList<int>(g.header.size(), kColWidth);
    return g;
}

QString crosstabTitleName(stock::MovementFlag flag)
{
    return flag == stock::Scrap ? QStringLiteral("试剂报损金额汇总报表") : QStringLiteral("试剂出库金额汇总报表");
}

} // namespace queries
