#include "FrmProductPOAdd.h"

#include "OrderProposal.h"
#include "dao/Collation.h"
#include "dao/Database.h"
#include "platform/CodePage936.h"
#include "widgets/WaitCursor.h"
#include "shell/FrmPopMenu.h"
#include "shell/ModBase.h"
#include "shell/ModData.h"
#include "shell/ModDataGrid.h"
#include "widgets/EntryFilter.h"
#include "widgets/FlexGrid.h"
#include "widgets/NamedButton.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <stdexcept>

using namespace receipts;

namespace {

const QList<int> kTipWidths = {0, 1800, 1500, 1000, 1000, 600, 600, 600, 800, 1350, 800};
const QString kLikeEscaped = QStringLiteral(" LIKE ? ESCAPE '\\'");

// The condition of a search, leaving out disabled reagents unless they are asked for.
QString withDisabledFilter(const QString &condition, const QCheckBox *includeDisabled)
{
    if (includeDisabled->isChecked())
        return condition;
    const QString notDisabled = QStringLiteral("shijijibenxinxi.停用 = 0");
    return condition.isEmpty() ? notDisabled : condition + QStringLiteral(" AND ") + notDisabled;
}

} // namespace

FrmProductPOAdd::FrmProductPOAdd(FlexGrid *order, QWidget *parent) : QDialog(parent), m_order(order)
{
    setObjectName(QStringLiteral("FrmProductPOAdd"));
    setWindowTitle(QStringLiteral("添加试剂"));
    build();
    m_entry = new EntryFilter(this);
    m_entry->exempt(CmbSJDM, EntryFilter::EnterToNext);
    loadGroups();
}

FrmProductPOAdd::~FrmProductPOAdd()
{
    FrmPopMenu::instance().unloadItems();
}

void FrmProductPOAdd::build()
{
    CmbSJDM = new QComboBox(this);
    CmbSJDM->setObjectName(QStringLiteral("CmbSJDM"));
    CmbSJDM->setEditable(true);
    CmbSJDM->setInsertPolicy(QComboBox::NoInsert);
    CmbSJDM->setMinimumWidth(200);
    CmbSJDM->installEventFilter(this);
    CmbSJDM->lineEdit()->installEventFilter(this);
    connect(CmbSJDM, &QComboBox::editTextChanged, this, &FrmProductPOAdd::CmbSJDM_Change);

    CmbGZBSJ = namedPlainButton("CmbGZBSJ", QStringLiteral("各组别试剂(&I)"), this);
    connect(CmbGZBSJ, &QPushButton::clicked, this, &FrmProductPOAdd::CmbGZBSJ_Click);
    CmdQBSJ = namedPlainButton("CmdQBSJ", QStringLiteral("全部试剂(&J)"), this);
    connect(CmdQBSJ, &QPushButton::clicked, this, &FrmProductPOAdd::CmdQBSJ_Click);
    CheTY = new QCheckBox(QStringLiteral("包含停用试剂"), this);
    CheTY->setObjectName(QStringLiteral("CheTY"));

    GridTip = new FlexGrid(this);
    GridTip->setObjectName(QStringLiteral("GridTip"));
    ModData::ResetGrid(GridTip);
    connect(GridTip, &FlexGrid::DblClick, this, [this](int row, int) {
        if (row >= 1)
            CopyToOrder();
    });
    connect(GridTip, &FlexGrid::RowColChange, this, &FrmProductPOAdd::TipGet);
    connect(GridTip, &FlexGrid::MouseDown, this, [this] {
        if (GridTip->Rows() > 1 && !GridTip->TextMatrix(1, 0).isEmpty())
            TipGet();
    });

    CmdOK = namedPlainButton("CmdOK", QStringLiteral("添加(&A)"), this);
    connect(CmdOK, &QPushButton::clicked, this, &FrmProductPOAdd::CopyToOrder);
    CmdCancel = namedPlainButton("CmdCancel", QStringLiteral("关闭(&C)"), this);
    connect(CmdCancel, &QPushButton::clicked, this, &QDialog::close);

    auto *search = new QHBoxLayout;
    search->addWidget(new QLabel(QStringLiteral("试剂名称:"), this));
    search->addWidget(CmbSJDM, 1);
    search->addWidget(CmbGZBSJ);
    search->addWidget(CmdQBSJ);
    search->addWidget(CheTY);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(CmdOK);
    buttons->addWidget(CmdCancel);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(search);
    layout->addWidget(GridTip, 1);
    layout->addLayout(buttons);
    resize(900, 420);
}

void FrmProductPOAdd::loadGroups()
{
    try {
        const dao::Result groups =
            ModData::database().select(QStringLiteral("SELECT DISTINCT 组别 FROM shijijibenxinxi ORDER BY 组别 COLLATE ZH"));
        FrmPopMenu &pop = FrmPopMenu::instance();
        int i = 0;
        for (const dao::Row &row : groups.rows) {
            if (!row.text(0).isEmpty())
                pop.loadItem(pop.mnuRKZB, i++, row.text(0));
        }
    } catch (...) {
        ModBase::ShowErr();
    }
}

void FrmProductPOAdd::CmbSJDM_Change(const QString &text)
{
    const QString t = text.trimmed();
    if (t.isEmpty()) {
        ModData::ResetGrid(GridTip);
        return;
    }
    const bool latin = !platform::cp936::isDoubleByte(t.at(0).unicode());
    const QString field = latin ? QStringLiteral("shijijibenxinxi.拼音码") : QStringLiteral("shijijibenxinxi.品名");
    AddMore(withDisabledFilter(field + kLikeEscaped, CheTY), {dao::likeContains(t)});
}

void FrmProductPOAdd::CmbGZBSJ_Click()
{
    ModBase::SQL.clear();
    FrmPopMenu::popUp(FrmPopMenu::instance().mnuRK);
    const QString group = ModBase::SQL;
    if (group.isEmpty())
        return;
    AddMore(withDisabledFilter(QStringLiteral("shijijibenxinxi.组别") + kLikeEscaped, CheTY),
            {u'%' + dao::escapeLike(group)});
}

void FrmProductPOAdd::CmdQBSJ_Click()
{
    AddMore(withDisabledFilter(QString(), CheTY), {});
}

void FrmProductPOAdd::AddMore(const QString &condition, const QVariantList &params)
{
    WaitCursor wait;
    try {
        const std::vector<ReagentHistory> reagents = readHistories(
            ModData::database(), ModBase::SysDate, condition, params, QStringLiteral("shijijibenxinxi.品名 COLLATE ZH"));
        QList<QStringList> lines;
        for (const ReagentHistory &r : reagents)
            lines.append(candidateLine(r, ModBase::SysDate));
        if (!reagents.empty()) {
            ModBase::CurSJID = reagents.back().id();
            ModBase::PickGYS = reagents.back().supplier;
        }
        GridTip->setRedraw(false);
        GridTip->Fill(orderHeader(), lines);
        GridTip->setColWidths(kTipWidths);
        GridTip->setRedraw(true);
        if (GridTip->Rows() > 1) {
            GridTip->setRow(1);
            TipGet();
        }
    } catch (...) {
        GridTip->setRedraw(true);
        wait.restore();
        ModBase::ShowErr();
    }
}

void FrmProductPOAdd::TipGet()
{
    if (GridTip->Rows() < 2 || GridTip->TextMatrix(1, 0).isEmpty())
        return;
    if (GridTip->Col() != 0)
        GridTip->setCol(0);
    GridTip->setColSel(GridTip->Cols() - 1);
}

void FrmProductPOAdd::CopyToOrder()
{
    const int from = GridTip->Row();
    if (GridTip->Rows() < 2 || GridTip->Cols() < 5 || from < 1)
        return;
    const int row = m_order->Rows();
    m_order->setRows(row + 1);
    m_order->setRow(row);
    for (int c = 0; c < OrderLineColumns && c < GridTip->Cols() && c < m_order->Cols(); ++c)
        m_order->setTextMatrix(row, c, GridTip->TextMatrix(from, c));
    if (m_order->Cols() > OrderPrint)
        m_order->setTextMatrix(row, OrderPrint, QStringLiteral("√"));
}

bool FrmProductPOAdd::CmbSJDM_Key(int key)
{
    const int row = GridTip->Row();
    switch (key) {
    case Qt::Key_Up:
        if (row > 1)
            GridTip->setRow(row - 1);
        return true;
    case Qt::Key_Down:
        if (row < GridTip->Rows() - 1)
            GridTip->setRow(row + 1);
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        CopyToOrder();
        close();
        return true;
    default:
        return false;
    }
}

bool FrmProductPOAdd::eventFilter(QObject *watched, QEvent *event)
{
    if ((watched == CmbSJDM || watched == CmbSJDM->lineEdit()) && event->type() == QEvent::KeyPress)
        return CmbSJDM_Key(static_cast<QKeyEvent *>(event)->key());
    return QDialog::eventFilter(watched, event);
}
