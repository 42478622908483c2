#include "OutReversalWindow.h"

#include "shell/DropDownFill.h"
#include "shell/FrmPopMenu.h"
#include "shell/ModBase.h"
#include "shell/ModData.h"
#include "shell/ReversalLayout.h"
#include "stock/MovementLines.h"
#include "stock/OutLineReversal.h"
#include "widgets/DateRangeSelector.h"
#include "widgets/DropDownCombo.h"
#include "widgets/EntryFilter.h"
#include "widgets/FlexGrid.h"

#include <QPushButton>

namespace {

// Column widths in twips; 0 hides a column the reversal still reads. Scrap lines carry
// 报损原因 before 单号.
const int kWidths[] = {0, 0, 1300, 1850, 1300, 1300, 1000, 1000, 700, 600, 800, 1300, 0, 0, 0, 1000, 800};
const int kIssueTail[] = {1300, 0};
const int kScrapTail[] = {1000, 1300, 0};

} // namespace

OutReversalWindow::OutReversalWindow(const OutReversalKind &kind, QWidget *parent) : QWidget(parent), m_kind(kind)
{
    setObjectName(QString::fromLatin1(kind.name));
    setWindowTitle(kind.caption);
    build();
    m_entry = new EntryFilter(this);
    // No empty data row to click on before the first search.
    GridQ->setRows(1);
    CmdChData->setEnabled(false);
}

void OutReversalWindow::build()
{
    using namespace reversallayout;
    const ComboFrame byNumber = numberFrame(m_kind.numberFrame, m_kind.numberLabel, this);
    CmbDH = byNumber.combo;
    const Search search = searchFrame(m_kind.searchFrame,
                                      {{"CmbRLBM", QStringLiteral("认领部门:")},
                                       {"CmbZB", QStringLiteral("组    别:")},
                                       {"CmbSJDM", QStringLiteral("试剂名称:")}},
                                      this);
    DateRange = search.range;
    CmbRLBM = search.filters.at(0);
    CmbZB = search.filters.at(1);
    CmbSJDM = search.filters.at(2);
    CmdQ = search.button;
    const Upkeep upkeep = upkeepFrame(m_kind.upkeepFrame, m_kind.reverseButton, m_kind.hints, this);
    CmdChData = upkeep.reverse;
    CmdHelp = upkeep.help;
    GridQ = arrange(this, {byNumber.frame}, search, upkeep);

    searchAsTyped(CmbDH, this, [this] { CmbDH_Change(); });

    fillAtFirstDropDown(CmbDH,
                        QStringLiteral("SELECT DISTINCT 单号 FROM shijibiandongdengji WHERE 登记日期>? AND 变动标志=? "
                                       "ORDER BY 单号 DESC"),
                        {ModBase::SysDate.addDays(-1200), m_kind.flag});
    // Both windows offer the departments of issue lines: one used only on scrap lines is
    // typed by hand.
    fillAtFirstDropDown(CmbRLBM,
                        QStringLiteral("SELECT DISTINCT 认领部门 FROM shijibiandongdengji WHERE 变动标志=? "
                                       "ORDER BY 认领部门 COLLATE ZH"),
                        {stock::Issue}, true);
    fillAtFirstDropDown(CmbZB, QStringLiteral("SELECT DISTINCT 组别 FROM shijijibenxinxi ORDER BY 组别 COLLATE ZH"), {},
                        true);
    fillAtFirstDropDown(CmbSJDM, QStringLiteral("SELECT DISTINCT 品名 FROM shijijibenxinxi ORDER BY 品名 COLLATE ZH"),
                        {}, true);

    connect(CmdQ, &QPushButton::clicked, this, [this] { CmdQ_Click(); });
    connect(CmdChData, &QPushButton::clicked, this, [this] { CmdChData_Click(); });
    connect(CmdHelp, &QPushButton::clicked, this,
            [this] { FrmPopMenu::helpButton(this, m_kind.helpTopic, m_kind.helpPage); });
}

void OutReversalWindow::DoQuery(const QString &tail, const QVariantList &params)
{
    QList<int> widths(std::begin(kWidths), std::end(kWidths));
    if (m_kind.flag == stock::Scrap)
        widths.append(QList<int>(std::begin(kScrapTail), std::end(kScrapTail)));
    else
        widths.append(QList<int>(std::begin(kIssueTail), std::end(kIssueTail)));
    reversallayout::showLines(
        GridQ, CmdChData,
        [&] { return stock::movementLines(ModData::database(), stock::documentLines(m_kind.flag), tail, params); },
        widths);
}

void OutReversalWindow::CmbDH_Change()
{
    const QString t = CmbDH->currentText().trimmed();
    if (t.isEmpty())
        return;
    DoQuery(QStringLiteral(" AND shijibiandongdengji.单号=?") + reversallayout::lineOrder(), {t.toLongLong()});
}

void OutReversalWindow::CmdQ_Click()
{
    if (!DateRange->checkRange(this))
        return;
    const daterange::Condition period = DateRange->condition();
    QString tail = period.sql;
    QVariantList params = period.params;
    reversallayout::addEqual(tail, params, QStringLiteral("shijibiandongdengji.认领部门"), CmbRLBM);
    reversallayout::addEqual(tail, params, QStringLiteral("shijijibenxinxi.组别"), CmbZB);
    reversallayout::addNameContains(tail, params, CmbSJDM);
    DoQuery(tail + reversallayout::lineOrder(), params);
}

void OutReversalWindow::CmdChData_Click()
{
    if (!stock::reverseSelectedRows(*GridQ, m_kind.flag, stock::outRowReversal(*GridQ),
                                    stock::ReversedRows::Remove, this))
        return;
    CmdChData->setEnabled(false);
}
