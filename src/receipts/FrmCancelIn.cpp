#include "FrmCancelIn.h"

#include "ReceiptLookUps.h"
#include "dao/Collation.h"
#include "shell/DropDownFill.h"
#include "shell/FrmPopMenu.h"
#include "shell/ModBase.h"
#include "shell/ModData.h"
#include "shell/ReversalLayout.h"
#include "stock/MovementFlag.h"
#include "stock/MovementLines.h"
#include "stock/ReceiptReversal.h"
#include "widgets/DateRangeSelector.h"
#include "widgets/DropDownCombo.h"
#include "widgets/EntryFilter.h"
#include "widgets/FlexGrid.h"

#include <QPushButton>

namespace {

const QList<int> kWidths = {0, 0, 1300, 2550, 1500, 1300, 1300, 1000, 700, 600,
                       800, 1300, 1000, 0, 1000, 800, 1000, 1000, 1300, 1200};

} // namespace

FrmCancelIn::FrmCancelIn(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("FrmCancelIn"));
    setWindowTitle(QStringLiteral("撤销入库"));
    build();
    m_entry = new EntryFilter(this);
    // No empty data row to click on before the first search.
    GridQ->setRows(1);
    CmdChData->setEnabled(false);
}

void FrmCancelIn::build()
{
    using namespace reversallayout;
    const ComboFrame byNumber = numberFrame(QStringLiteral("按入库单号检索"), QStringLiteral("入库单号:"), this);
    CmbDH = byNumber.combo;
    const ComboFrame byInvoice = lookUpFrame(QStringLiteral("按发票号检索"), QStringLiteral("发 票 号:"), "CmbFPH", this);
    CmbFPH = byInvoice.combo;
    const Search search = searchFrame(
        QStringLiteral("检索"), {{"CmbZB", QStringLiteral("组    别:")}, {"CmbSJDM", QStringLiteral("试剂名称:")}}, this);
    DateRange = search.range;
    CmbZB = search.filters.at(0);
    CmbSJDM = search.filters.at(1);
    CmdQ = search.button;
    const Upkeep upkeep = upkeepFrame(QStringLiteral("入库数据维护"), QStringLiteral("撤消入库(&C)"),
                                      QStringLiteral("提示：\n1、检索入库数据；\n2、点击选择欲维护的记录；\n"
                                                     "3、修改入库数据，请先“撤消入库”，然后重新入库。"),
                                      this);
    CmdChData = upkeep.reverse;
    CmdHelp = upkeep.help;
    GridQ = arrange(this, {byNumber.frame, byInvoice.frame}, search, upkeep);

    searchAsTyped(CmbDH, this, [this] { CmbDH_Change(); });
    searchAsTyped(CmbFPH, this, [this] { CmbFPH_Change(); });

    const QVariantList since{ModBase::SysDate.addDays(-1200), stock::Receipt};
    fillAtFirstDropDown(CmbDH, receipts::RecentReceiptNumbersSql, since);
    fillAtFirstDropDown(CmbFPH,
                        QStringLiteral("SELECT DISTINCT 发票号 FROM shijibiandongdengji WHERE 登记日期>? AND 变动标志=? "
                                       "ORDER BY 发票号"),
                        since);
    fillAtFirstDropDown(CmbSJDM, QStringLiteral("SELECT DISTINCT 品名 FROM shijijibenxinxi ORDER BY 品名 COLLATE ZH"), {},
                        true);
    fillAtFirstDropDown(CmbZB, receipts::GroupsSql, {}, true);

    connect(CmdQ, &QPushButton::clicked, this, [this] { CmdQ_Click(); });
    connect(CmdChData, &QPushButton::clicked, this, [this] { CmdChData_Click(); });
    connect(CmdHelp, &QPushButton::clicked, this, [this] {
        FrmPopMenu::helpButton(this, QStringLiteral("::/4.htm#45"), QStringLiteral("/Demo/41.htm"));
    });
}

void FrmCancelIn::DoQuery(const QString &tail, const QVariantList &params)
{
    reversallayout::showLines(
        GridQ, CmdChData,
        [&] { return stock::movementLines(ModData::database(), stock::documentLines(stock::Receipt), tail, params); },
        kWidths);
}

void FrmCancelIn::CmbDH_Change()
{
    const QString t = CmbDH->currentText().trimmed();
    if (t.isEmpty())
        return;
    DoQuery(QStringLiteral(" AND shijibiandongdengji.单号=?") + reversallayout::lineOrder(), {t.toLongLong()});
}

void FrmCancelIn::CmbFPH_Change()
{
    const QString t = CmbFPH->currentText().trimmed();
    if (t.isEmpty())
        return;
    DoQuery(QStringLiteral(" AND shijibiandongdengji.发票号 LIKE ? ESCAPE '\\'") + reversallayout::lineOrder(),
            {QStringLiteral("%") + dao::escapeLike(t)});
}

void FrmCancelIn::CmdQ_Click()
{
    if (!DateRange->checkRange(this))
        return;
    const daterange::Condition period = DateRange->condition();
    QString sql = period.sql;
    QVariantList params = period.params;
    reversallayout::addEqual(sql, params, QStringLiteral("shijijibenxinxi.组别"), CmbZB);
    reversallayout::addNameContains(sql, params, CmbSJDM);
    DoQuery(sql + reversallayout::lineOrder(), params);
}

void FrmCancelIn::CmdChData_Click()
{
    if (!stock::reverseSelectedRows(*GridQ, stock::Receipt, stock::receiptRowReversal(*GridQ),
                                    stock::ReversedRows::Remove, this))
        return;
    CmdChData->setEnabled(false);
}
