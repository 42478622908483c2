#include "OutReversalWindow.h"

#include "dao/Collation.h"
#include "dao/Database.h"
#include "shell/BusyStatus.h"
#include "shell/DropDownFill.h"
#include "shell/DocumentLayout.h"
#include "shell/FrmPopMenu.h"
#include "shell/ModBase.h"
#include "shell/ModData.h"
#include "stock/MovementLines.h"
#include "stock/OutLineReversal.h"
#include "widgets/DateRangeSelector.h"
#include "widgets/DropDownCombo.h"
#include "widgets/EntryFilter.h"
#include "widgets/FlexGrid.h"
#include "widgets/NamedButton.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

namespace {

// Column widths in twips; 0 hides a column the reversal still reads. Scrap lines carry
// 报损原因 before 单号.
const int kWidths[] = {0, 0, 1300, 1850, 1300, 1300, 1000, 1000, 700, 600, 800, 1300, 0, 0, 0, 1000, 800};
const int kIssueTail[] = {1300, 0};
const int kScrapTail[] = {1000, 1300, 0};

const QString kOrder = QStringLiteral(
    " ORDER BY shijijibenxinxi.组别 COLLATE ZH, shijijibenxinxi.品名 COLLATE ZH, shijibiandongdengji.登记日期");

DropDownCombo *combo(const char *name, QWidget *parent)
{
    auto *c = new DropDownCombo(parent);
    c->setObjectName(QString::fromLatin1(name));
    c->setMinimumWidth(160);
    return c;
}

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
    auto *byNumber = new QGroupBox(m_kind.numberFrame, this);
    CmbDH = combo("CmbDH", byNumber);
    // Document numbers are whole numbers: nothing else can be typed.
    CmbDH->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("\\s*\\d{0,15}\\s*")), CmbDH));
    auto *numberRow = new QHBoxLayout(byNumber);
    numberRow->addWidget(new QLabel(m_kind.numberLabel, byNumber));
    numberRow->addWidget(CmbDH, 1);

    auto *search = new QGroupBox(m_kind.searchFrame, this);
    DateRange = new DateRangeSelector(ModBase::SysDate, ModBase::QueryDate, search);
    DateRange->setObjectName(QStringLiteral("DateRange"));
    CmbRLBM = combo("CmbRLBM", search);
    CmbZB = combo("CmbZB", search);
    CmbSJDM = combo("CmbSJDM", search);
    CmdQ = namedButton("CmdQ", QStringLiteral("检索(&A)"), search);
    auto *filters = new QGridLayout;
    filters->addWidget(new QLabel(QStringLiteral("认领部门:"), search), 0, 0);
    filters->addWidget(CmbRLBM, 0, 1);
    filters->addWidget(new QLabel(QStringLiteral("组    别:"), search), 1, 0);
    filters->addWidget(CmbZB, 1, 1);
    filters->addWidget(new QLabel(QStringLiteral("试剂名称:"), search), 2, 0);
    filters->addWidget(CmbSJDM, 2, 1);
    filters->addWidget(CmdQ, 3, 1, Qt::AlignRight);
    auto *searchRow = new QHBoxLayout(search);
    searchRow->addWidget(DateRange);
    searchRow->addSpacing(12);
    searchRow->addLayout(filters);

    auto *upkeep = new QGroupBox(m_kind.upkeepFrame, this);
    CmdChData = namedButton("CmdChData", m_kind.reverseButton, upkeep);
    CmdHelp = documentlayout::helpButton(upkeep);
    auto *hint = new QLabel(m_kind.hints, upkeep);
    hint->setWordWrap(true);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(CmdChData);
    buttons->addWidget(CmdHelp);
    buttons->addStretch();
    auto *upkeepColumn = new QVBoxLayout(upkeep);
    upkeepColumn->addLayout(buttons);
    upkeepColumn->addWidget(hint);
    upkeepColumn->addStretch();

    auto *left = new QVBoxLayout;
    left->addWidget(byNumber);
    left->addStretch();

    auto *top = new QHBoxLayout;
    top->addLayout(left);
    top->addWidget(search);
    top->addWidget(upkeep, 1);

    GridQ = new FlexGrid(this);
    GridQ->setObjectName(QStringLiteral("GridQ"));

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(GridQ, 1);

    connect(CmbDH->lineEdit(), &QLineEdit::textEdited, this, [this] { CmbDH_Change(); });
    connect(CmbDH, &QComboBox::activated, this, [this] { CmbDH_Change(); });

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
    connect(GridQ, &FlexGrid::Click, this, [this] {
        if (GridQ->Rows() >= 2)
            CmdChData->setEnabled(true);
    });
    connect(CmdChData, &QPushButton::clicked, this, [this] { CmdChData_Click(); });
    connect(CmdHelp, &QPushButton::clicked, this,
            [this] { FrmPopMenu::helpButton(this, m_kind.helpTopic, m_kind.helpPage); });
}

void OutReversalWindow::DoQuery(const QString &tail, const QVariantList &params)
{
    try {
        const BusyStatus wait(QStringLiteral("正在检索数据"));
        dao::Database &db = ModData::database();
        const dao::Result lines = stock::movementLines(db, stock::documentLines(m_kind.flag), tail, params);
        GridQ->setRedraw(false);
        GridQ->Fill(lines);
        QList<int> widths(std::begin(kWidths), std::end(kWidths));
        if (m_kind.flag == stock::Scrap)
            widths.append(QList<int>(std::begin(kScrapTail), std::end(kScrapTail)));
        else
            widths.append(QList<int>(std::begin(kIssueTail), std::end(kIssueTail)));
        for (int c = 0; c < GridQ->Cols() && c < widths.size(); ++c)
            GridQ->setColWidth(c, widths[c]);
        GridQ->setRedraw(true);
        CmdChData->setEnabled(false);
    } catch (...) {
        GridQ->setRedraw(true);
        ModBase::ShowErr();
    }
}

void OutReversalWindow::CmbDH_Change()
{
    const QString t = CmbDH->currentText().trimmed();
    if (t.isEmpty())
        return;
    DoQuery(QStringLiteral(" AND shijibiandongdengji.单号=?") + kOrder, {t.toLongLong()});
}

void OutReversalWindow::CmdQ_Click()
{
    if (!DateRange->checkRange(this))
        return;
    const daterange::Condition period = DateRange->condition();
    QString tail = period.sql;
    QVariantList params = period.params;
    // Emptiness is judged before trimming: blanks alone look for an empty name and find nothing.
    if (!CmbRLBM->currentText().isEmpty()) {
        tail += QStringLiteral("AND shijibiandongdengji.认领部门 = ? ");
        params << CmbRLBM->currentText().trimmed();
    }
    if (!CmbZB->currentText().isEmpty()) {
        tail += QStringLiteral("AND shijijibenxinxi.组别 = ? ");
        params << CmbZB->currentText().trimmed();
    }
    if (!CmbSJDM->currentText().isEmpty()) {
        tail += QStringLiteral("AND shijijibenxinxi.品名 LIKE ? ESCAPE '\\' ");
        params << dao::likeContains(CmbSJDM->currentText());
    }
    DoQuery(tail + kOrder, params);
}

void OutReversalWindow::CmdChData_Click()
{
    if (!stock::reverseSelectedRows(*GridQ, m_kind.flag, stock::outRowReversal(*GridQ),
                                    stock::ReversedRows::Remove, this))
        return;
    CmdChData->setEnabled(false);
}
