#include "FrmProductPO.h"

#include "FrmProductPOAdd.h"
#include "OrderProposal.h"
#include "OrderStore.h"
#include "dao/Collation.h"
#include "dao/Database.h"
#include "platform/Convert.h"
#include "platform/Dialogs.h"
#include "reports/FrmPrint.h"
#include "widgets/WaitCursor.h"
#include "shell/FrmPopMenu.h"
#include "shell/ModBase.h"
#include "shell/ReportHandOff.h"
#include "shell/ModData.h"
#include "shell/ModDataGrid.h"
#include "widgets/EntryFilter.h"
#include "widgets/FlexGrid.h"
#include "widgets/Twips.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include <stdexcept>

using namespace receipts;
using platform::Answer;
using platform::Buttons;
using platform::Icon;
namespace convert = platform::convert;

namespace {

constexpr int kProgressEnd = 3520;
const QString kTitle = QStringLiteral("检验试剂采购订单");

QLabel *label(const QString &text, QWidget *parent)
{
    return new QLabel(text, parent);
}

// A quantity or price of the grid; text that is no number stops the computation.
double cellNumber(const FlexGrid *grid, int row, int col)
{
    const auto v = convert::parseNumber(grid->TextMatrix(row, col));
    if (!v)
        throw std::runtime_error("类型不匹配");
    return *v;
}

QString tickOf(const FlexGrid *grid, int row)
{
    return grid->Cols() > OrderPrint ? grid->TextMatrix(row, OrderPrint) : QString();
}

void emptyGrid(FlexGrid *grid)
{
    grid->setRows(2);
    grid->setCols(2);
    grid->Clear();
}

} // namespace

FrmProductPO::FrmProductPO(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("FrmProductPO"));
    setWindowTitle(QStringLiteral("试剂采购订单"));
    build();

    for (const PurchasePeriod &p : purchasePeriods())
        CmbField[0]->addItem(p.text);
    CmbField[0]->setCurrentIndex(0);
    CmbField_Click(0);
    GridIndent->Clear();
    LabTip->clear();

    m_entry = new EntryFilter(this);
    for (QComboBox *c : {CmbField[0], CmbField[1], CmbField[2], CmbGYS[1]})
        m_entry->exempt(c, EntryFilter::FocusColour);
    m_entry->exempt(TxtEdit, EntryFilter::FocusColour | EntryFilter::EnterToNext);

    TLoad = new QTimer(this);
    TLoad->setObjectName(QStringLiteral("TLoad"));
    TLoad->setSingleShot(true);
    TLoad->setInterval(1);
    connect(TLoad, &QTimer::timeout, this, &FrmProductPO::TLoad_Timer);
    TLoad->start();
}

FrmProductPO::~FrmProductPO() = default;

void FrmProductPO::build()
{
    Frame1 = new QGroupBox(QStringLiteral("生成订单"), this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame2 = new QGroupBox(QStringLiteral("管理订单"), this);
    Frame2->setObjectName(QStringLiteral("Frame2"));

    for (int i = 0; i < 3; ++i) {
        CmbField[i] = new QComboBox(i == 2 ? Frame2 : Frame1);
        CmbField[i]->setObjectName(QStringLiteral("CmbField_%1").arg(i));
        CmbField[i]->setMinimumWidth(160);
        connect(CmbField[i], &QComboBox::activated, this, [this, i] { CmbField_Click(i); });
    }
    for (int i = 0; i < 2; ++i) {
        CmbGYS[i] = new QComboBox(Frame1);
        CmbGYS[i]->setObjectName(QStringLiteral("CmbGYS_%1").arg(i));
        connect(CmbGYS[i], &QComboBox::activated, this, [this, i] { CmbGYS_Click(i); });
    }
    CmbGYS[0]->hide();
    CmbGYS[1]->setMinimumWidth(160);

    const QStringList captions = {QStringLiteral("生成订单(&B)"), QStringLiteral("添加一行(&A)"),
                                  QStringLiteral("删除一行(&D)"), QStringLiteral("打印订单(&P)"),
                                  QStringLiteral("保存订单(&S)")};
    for (int i = 0; i < 5; ++i) {
        CmdIndent[i] = new QPushButton(captions[i], i == 0 ? Frame1 : Frame2);
        CmdIndent[i]->setObjectName(QStringLiteral("CmdIndent_%1").arg(i));
        connect(CmdIndent[i], &QPushButton::clicked, this, [this, i] { CmdIndent_Click(i); });
    }
    CmdHelp = new QPushButton(QStringLiteral("？"), this);
    CmdHelp->setObjectName(QStringLiteral("CmdHelp"));
    CmdHelp->setFixedWidth(32);
    connect(CmdHelp, &QPushButton::clicked, this,
            [this] { FrmPopMenu::helpButton(this, QStringLiteral("::/4.htm#44"), QStringLiteral("/Demo/24.htm")); });

    auto *proposal = new QGridLayout(Frame1);
    proposal->addWidget(label(QStringLiteral("采购周期："), Frame1), 0, 0);
    proposal->addWidget(CmbField[0], 0, 1);
    proposal->addWidget(label(QStringLiteral("组    别:"), Frame1), 0, 2);
    proposal->addWidget(CmbField[1], 0, 3);
    proposal->addWidget(label(QStringLiteral("供 应 商:"), Frame1), 1, 0);
    proposal->addWidget(CmbGYS[1], 1, 1);
    proposal->addWidget(CmdIndent[0], 1, 3);

    auto *manage = new QGridLayout(Frame2);
    manage->addWidget(label(QStringLiteral("已存订单:"), Frame2), 0, 0);
    manage->addWidget(CmbField[2], 0, 1, 1, 3);
    for (int i = 1; i < 5; ++i)
        manage->addWidget(CmdIndent[i], 1, i - 1);

    GridIndent = new FlexGrid(this);
    GridIndent->setObjectName(QStringLiteral("GridIndent"));
    connect(GridIndent, &FlexGrid::Click, this, [this](int row, int) {
        if (row >= 1)
            GridIndent_Click();
    });
    Grid2 = new FlexGrid(this);
    Grid2->setObjectName(QStringLiteral("Grid2"));
    Grid2->hide();

    TxtEdit = new QLineEdit(GridIndent->viewport());
    TxtEdit->setObjectName(QStringLiteral("TxtEdit"));
    TxtEdit->hide();
    TxtEdit->installEventFilter(this);

    PicState = new QFrame(this);
    PicState->setObjectName(QStringLiteral("PicState"));
    PicState->setFrameShape(QFrame::Panel);
    PicState->setFrameShadow(QFrame::Sunken);
    m_twipsScale = twips::fontScale();
    PicState->setFixedSize(twips::pixels(kProgressEnd, m_twipsScale) + 4, 18);
    LblState = new QLabel(PicState);
    LblState->setObjectName(QStringLiteral("LblState"));
    LblState->setStyleSheet(QStringLiteral("background-color: #000080;"));
    LblState->setGeometry(2, 2, 0, 14);
    PicState->hide();

    LabTip = new QLabel(this);
    LabTip->setObjectName(QStringLiteral("LabTip"));

    auto *top = new QHBoxLayout;
    top->addWidget(Frame1);
    top->addWidget(Frame2);
    top->addStretch();
    top->addWidget(CmdHelp, 0, Qt::AlignTop);
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(LabTip, 1);
    bottom->addWidget(PicState);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 8, 16, 8);
    layout->addLayout(top);
    layout->addWidget(GridIndent, 1);
    layout->addLayout(bottom);
}

QSize FrmProductPO::sizeHint() const
{
    return {1000, 600};
}

void FrmProductPO::TLoad_Timer()
{
    GroupFilter.clear();
    ModData::FillCombo(CmbField[1], QStringLiteral("SELECT DISTINCT 组别 FROM shijijibenxinxi ORDER BY 组别 COLLATE ZH"),
                       false);
    CmbField[1]->insertItem(0, QStringLiteral("全部组别"));
    CmbField[1]->setCurrentIndex(0);
    CmbField_Click(1);
    FillGYS();
    CmbGYS[1]->setCurrentIndex(0);
    CmbGYS_Click(1);
    fillOrders();
}

void FrmProductPO::FillGYS()
{
    CmbGYS[0]->insertItem(0, QStringLiteral("-1"));
    CmbGYS[1]->insertItem(0, QStringLiteral("全部供应商"));
    try {
        const dao::Result r =
            ModData::database().select(QStringLiteral("SELECT 供应商ID, 供应商 FROM gongyingshang ORDER BY 供应商ID"));
        for (const dao::Row &row : r.rows) {
            if (row.text(0).isEmpty())
                continue;
            CmbGYS[0]->addItem(row.text(0));
            CmbGYS[1]->addItem(row.text(1));
        }
    } catch (...) {
        ModBase::ShowErr();
    }
}

void FrmProductPO::CmbGYS_Click(int)
{
    CmbGYS[0]->setCurrentIndex(CmbGYS[1]->currentIndex());
    ModBase::PickGYSID = CmbGYS[0]->currentText().toInt();
}

void FrmProductPO::CmbField_Click(int index)
{
    try {
        const int period = CmbField[0]->currentIndex();
        if (period >= 0 && period < purchasePeriods().size()) {
            PeriodDays = purchasePeriods().at(period).days;
            PeriodFactor = purchasePeriods().at(period).factor;
        }
        GroupFilter = CmbField[1]->currentIndex() != 0 ? CmbField[1]->currentText() : QString();
        if (index == 2)
            loadOrder();
    } catch (...) {
        ModBase::ShowErr();
    }
}

void FrmProductPO::CmdIndent_Click(int index)
{
    switch (index) {
    case 0:
        CmdIndent0_Click();
        break;
    case 1:
        AddRow();
        break;
    case 2:
        DeleteRow();
        break;
    case 3:
        PrintIndent();
        break;
    case 4:
        SaveIndent();
        break;
    }
}

void FrmProductPO::CmdIndent0_Click()
{
    ModBase::SetStatus(QStringLiteral("正在生成试剂采购订单"), true);
    LabTip->clear();
    MakeIndent();
    ModBase::SetStatus(QString());
}

void FrmProductPO::setProgress(int width)
{
    LblState->resize(twips::pixels(width, m_twipsScale), LblState->height());
}

void FrmProductPO::MakeIndent()
{
    WaitCursor wait;
    try {
        setProgress(100);
        PicState->show();
        GridIndent->setRedraw(false);

        QString condition = QStringLiteral("shijijibenxinxi.停用 = 0");
        QVariantList params;
        if (!GroupFilter.isEmpty()) {
            ModBase::PrintTitle = GroupFilter + u' ' + kTitle;
            // Every group whose name ends with the chosen one, as the store always had it.
            condition += QStringLiteral(" AND shijijibenxinxi.组别 LIKE ? ESCAPE '\\'");
            params.append(u'%' + dao::escapeLike(GroupFilter));
        } else {
            ModBase::PrintTitle = kTitle;
        }
        const std::vector<ReagentHistory> reagents = readHistories(
            ModData::database(), ModBase::SysDate, condition, params,
            QStringLiteral("shijijibenxinxi.组别 COLLATE ZH, shijijibenxinxi.品名 COLLATE ZH, changshang.厂商 COLLATE ZH"));
        setProgress(300);

        const PurchasePeriod period{QString(), PeriodDays, PeriodFactor};
        QList<QStringList> lines;
        const double count = static_cast<double>(reagents.size());
        for (size_t i = 0; i < reagents.size(); ++i) {
            ModBase::CurSJID = reagents[i].id();
            if (auto line = proposalLine(reagents[i], period, ModBase::SysDate, ModBase::PickGYSID))
                lines.append(*line);
            setProgress(static_cast<int>((i + 1) / count * (kProgressEnd - 300)) + 300);
        }
        PicState->hide();

        if (lines.isEmpty()) {
            emptyGrid(GridIndent);
            GridIndent->setRedraw(true);
            wait.restore();
            platform::msgBox(QStringLiteral("库存充足，勿需购买。"), Buttons::Ok, Icon::Information,
                             QStringLiteral("采购建议"), this);
            return;
        }
        GridIndent->Fill(orderHeader(), lines);
        AddPrintCol();
        setWidths();
        GridIndent->setRedraw(true);
        TotalsDirty = true;
        CountTotal();
    } catch (...) {
        // The grid shows what it got and repaints again.
        GridIndent->setRedraw(true);
        PicState->hide();
        wait.restore();
        ModBase::ShowErr();
    }
}

void FrmProductPO::setWidths()
{
    GridIndent->setColWidths(orderWidths());
}

void FrmProductPO::AddPrintCol()
{
    const int col = GridIndent->Cols();
    GridIndent->setCols(col + 1);
    GridIndent->setTextMatrix(0, col, QStringLiteral("打印"));
    for (int r = 1; r < GridIndent->Rows(); ++r)
        GridIndent->setTextMatrix(r, col, QStringLiteral("√"));
}

void FrmProductPO::CountTotal()
{
    if (!TotalsDirty)
        return;
    GridIndent->setRedraw(false);
    convert::Currency total;
    int n = 0;
    for (int r = 1; r < GridIndent->Rows(); ++r) {
        if (GridIndent->Cols() > OrderSupplier && GridIndent->TextMatrix(r, OrderSupplier).isEmpty())
            GridIndent->setTextMatrix(r, OrderSupplier, QStringLiteral("～"));
        if (!tickOf(GridIndent, r).isEmpty()) {
            total += convert::Currency::fromDouble(
                convert::parseNumber(GridIndent->TextMatrix(r, OrderAmount)).value_or(0));
            ++n;
        }
    }
    GridIndent->setRedraw(true);
    ModBase::PrintTotal = total;
    LabTip->setText(QStringLiteral("共打印 %1 条记录，总金额：").arg(n) + convert::standard(total.toDouble()));
}

void FrmProductPO::fillOrders()
{
    CmbField[2]->clear();
    try {
        for (const SavedOrder &o : recentOrders(ModData::database(), 20))
            CmbField[2]->addItem(o.number, o.key);
    } catch (...) {
        ModBase::ShowErr();
    }
    CmbField[2]->setCurrentIndex(-1);
}

void FrmProductPO::loadOrder()
{
    const QVariant key = CmbField[2]->currentData();
    if (!key.isValid())
        return;
    ModBase::PrintTitle = kTitle;
    GridIndent->Fill(orderLines(ModData::database(), key.toLongLong()));
    AddPrintCol();
    setWidths();
    TotalsDirty = true;
    CountTotal();
}

void FrmProductPO::GridIndent_Click()
{
    if (GridIndent->Rows() <= 1 || GridIndent->Cols() < 2 || GridIndent->Row() < 1)
        return;
    EditRow = GridIndent->Row();
    EditCol = GridIndent->Col();
    const QRect cell = GridIndent->visualRect(GridIndent->model()->index(EditRow - 1, EditCol));
    TxtEdit->move(cell.topLeft());
    if (EditCol == OrderPrint) {
        const bool ticked = !GridIndent->TextMatrix(EditRow, EditCol).isEmpty();
        GridIndent->setTextMatrix(EditRow, EditCol, ticked ? QString() : QStringLiteral("√"));
        TotalsDirty = true;
        CountTotal();
        return;
    }
    // The hidden key column and the computed columns are not edited by hand.
    if (EditCol == OrderId || EditCol >= OrderAmount)
        return;
    const QString text = GridIndent->TextMatrix(EditRow, EditCol);
    TxtEdit->setGeometry(cell);
    TxtEdit->setText(text);
    TxtEdit->setCursorPosition(static_cast<int>(text.size()));
    TxtEdit->show();
    TxtEdit->raise();
    TxtEdit->setFocus();
}

bool FrmProductPO::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == TxtEdit) {
        if (event->type() == QEvent::FocusOut) {
            commitEdit();
        } else if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent *>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Up || key == Qt::Key_Down) {
                TxtEdit_Key(key);
                return true;
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

void FrmProductPO::TxtEdit_Key(int key)
{
    commitEdit();
    GridIndent->setFocus();
    const int row = GridIndent->Row();
    if (key == Qt::Key_Up) {
        if (row > 1)
            GridIndent->setRow(row - 1);
    } else if (key == Qt::Key_Down) {
        if (row < GridIndent->Rows() - 1)
            GridIndent->setRow(row + 1);
    } else if (GridIndent->Col() < GridIndent->Cols() - 4) {
        GridIndent->setCol(GridIndent->Col() + 1);
    } else {
        GridIndent->setRow(row < GridIndent->Rows() - 1 ? row + 1 : 1);
        GridIndent->setCol(1);
    }
    // The editor follows onto the new cell; the tick column is never reached this way.
    GridIndent_Click();
}

void FrmProductPO::commitEdit()
{
    if (m_committing || !TxtEdit->isVisible())
        return;
    m_committing = true;
    const QString text = TxtEdit->text();
    // The grid takes the focus before the editor hides, so hiding moves it nowhere else.
    if (TxtEdit->hasFocus())
        GridIndent->setFocus(Qt::OtherFocusReason);
    TxtEdit->hide();
    try {
        TotalsDirty = false;
        bool keep = true;
        if (EditCol == OrderQuantity || EditCol == OrderPrice) {
            TotalsDirty = true;
            const auto v = convert::parseNumber(text);
            keep = v && *v > 0;
        }
        if (keep && EditRow < GridIndent->Rows() && EditCol < GridIndent->Cols()) {
            GridIndent->setTextMatrix(EditRow, EditCol, text);
            if (GridIndent->Cols() > OrderAmount) {
                const double amount =
                    cellNumber(GridIndent, EditRow, OrderQuantity) * cellNumber(GridIndent, EditRow, OrderPrice);
                GridIndent->setTextMatrix(EditRow, OrderAmount, convert::standard(amount));
                CountTotal();
            }
        }
    } catch (...) {
        ModBase::ShowErr();
    }
    m_committing = false;
}

void FrmProductPO::AddRow()
{
    if (GridIndent->Cols() < 5)
        return;
    FrmProductPOAdd add(GridIndent, window());
    platform::execModal(&add);
    TotalsDirty = true;
    CountTotal();
}

void FrmProductPO::DeleteRow()
{
    if (GridIndent->Rows() < 3)
        return;
    if (GridIndent->Row() == 0)
        GridIndent->setRow(GridIndent->Rows() - 1);
    const int row = GridIndent->Row();
    if (platform::msgBox(QStringLiteral("确实要删除第 %1 行？").arg(row), Buttons::YesNo, Icon::Information,
                         QStringLiteral("删除行"), this) != Answer::Yes)
        return;
    GridIndent->RemoveItem(row);
    TotalsDirty = true;
    CountTotal();
}

void FrmProductPO::SaveIndent()
{
    if (GridIndent->Cols() < 5 || GridIndent->Rows() < 2)
        return;
    WaitCursor wait;
    try {
        QList<QStringList> lines;
        for (int r = 1; r < GridIndent->Rows(); ++r) {
            QStringList line;
            for (int c = 0; c < OrderLineColumns; ++c)
                line.append(c < GridIndent->Cols() ? GridIndent->TextMatrix(r, c) : QString());
            lines.append(line);
        }
        GridIndent->setRedraw(false);
        const auto key = saveOrder(ModData::database(), ModBase::SysDate, QTime::currentTime(), ModBase::UserID, lines);
        GridIndent->setRedraw(true);
        if (!key) {
            wait.restore();
            platform::msgBox(QStringLiteral("表格数据不完整，不能保存！\n\n"
                                            "表格中每个单元格必须至少有一个字符，请返回修改后再次保存"),
                             Buttons::Ok, Icon::Information, QString(), this);
            return;
        }
        fillOrders();
        wait.restore();
        platform::msgBox(QStringLiteral("订单保存成功！"), Buttons::Ok, Icon::Information, QString(), this);
    } catch (...) {
        GridIndent->setRedraw(true);
        wait.restore();
        ModBase::ShowErr();
    }
}

void FrmProductPO::CopyGrid()
{
    // Without lines to copy the print copy is emptied, so no earlier order is printed.
    if (GridIndent->Rows() < 2 || GridIndent->Cols() < 5) {
        emptyGrid(Grid2);
        return;
    }
    const int cols = 9;
    Grid2->setRedraw(false);
    Grid2->setRows(GridIndent->Rows());
    Grid2->setCols(cols);
    for (int r = 0; r < GridIndent->Rows(); ++r) {
        for (int c = 0; c < cols && c < GridIndent->Cols(); ++c)
            Grid2->setTextMatrix(r, c, GridIndent->TextMatrix(r, c));
    }
    for (int r = GridIndent->Rows() - 1; r >= 1; --r) {
        if (!tickOf(GridIndent, r).isEmpty())
            continue;
        if (Grid2->Rows() < 3) {
            emptyGrid(Grid2);
            break;
        }
        Grid2->RemoveItem(r);
    }
    Grid2->setRedraw(true);
}

void FrmProductPO::PrintIndent()
{
    CopyGrid();
    if (Grid2->Cols() < 5 || Grid2->Rows() < 2)
        return;
    {
        WaitCursor wait;
        ModBase::SetStatus(QStringLiteral("正在准备打印输出"), true);
        handOffReport({Grid2->snapshot(), ModBase::PrintTitle, ReportKind::RegIndent, ModBase::PrintTotal});
    }
    reports::ShowPreview(this);
    GridIndent->setRedraw(true);
    ModBase::SetStatus(QString());
}
