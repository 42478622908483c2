#include "FrmProductOutPatch.h"

#include "BatchIssue.h"
#include "DocumentButtons.h"
#include "DocumentControls.h"
#include "DocumentFields.h"
#include "DocumentLines.h"
#include "IssueChecks.h"
#include "dao/Database.h"
#include "platform/Dialogs.h"
#include "receipts/ReceiptLookUps.h"
#include "shell/DocumentLayout.h"
#include "shell/FrmPopMenu.h"
#include "shell/LookUp.h"
#include "shell/ModBase.h"
#include "shell/ModData.h"
#include "shell/ModDataGrid.h"
#include "shell/Refusal.h"
#include "stock/LineChecks.h"
#include "stock/MovementLines.h"
#include "widgets/DatePicker.h"
#include "widgets/EntryFilter.h"
#include "widgets/FlexGrid.h"
#include "widgets/NamedButton.h"
#include "widgets/WaitCursor.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

using platform::Buttons;
using platform::Icon;

namespace {

// The receipt lines of the pick list.
const QList<int> kReceiptLineWidths = {0,   0,    1300, 2550, 1500, 1300, 1300, 1000, 700, 600,
                                       800, 1300, 1000, 0,    1000, 800,  1000, 1000, 1300, 1200};

} // namespace

FrmProductOutPatch::FrmProductOutPatch(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("FrmProductOutPatch"));
    setWindowTitle(QStringLiteral("批量出库"));
    build();
    buildFields();
    m_entry = new EntryFilter(this);
    load();
}

FrmProductOutPatch::~FrmProductOutPatch() = default;

void FrmProductOutPatch::buildFrame1()
{
    Frame1 = documentlayout::entryFrame(QStringLiteral("批量出库"), this);
    auto *grid = new QGridLayout(Frame1);

    issues::makeDocumentControls(Frame1, CmbField, DTPrq, CmdNewDH, CmdAdd);
    CmdSave = documentlayout::saveButton(QStringLiteral("批量出库(&S)"), Frame1);

    const issues::DocumentRow rows[] = {
        {"出库日期:", DTPrq},
        {"出库单号:", CmbField[0], CmdNewDH},
        {"认领部门:", CmbField[1], CmdAdd[0]},
        {"认 领 人:", CmbField[2], CmdAdd[1]},
    };
    issues::addDocumentRows(grid, rows, lblLabels, Label1);
    grid->addWidget(CmdSave, 4, 1);
    grid->setRowStretch(5, 1);
}

void FrmProductOutPatch::build()
{
    buildFrame1();

    CmbDH = new QComboBox(this);
    CmbDH->setObjectName(QStringLiteral("CmbDH"));
    CmbDH->setEditable(true);
    CmbDH->setInsertPolicy(QComboBox::NoInsert);
    // Document numbers are whole numbers: nothing else can be typed.
    CmbDH->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("\\s*\\d{0,15}\\s*")), CmbDH));
    CmdRLBM = namedButton("CmdRLBM", QStringLiteral("认领部门(&G)"), this);
    CmdRLR = namedButton("CmdRLR", QStringLiteral("认领人(&H)"), this);
    GridTip = new FlexGrid(this);
    GridTip->setObjectName(QStringLiteral("GridTip"));
    auto *receipt = new QHBoxLayout;
    receipt->addWidget(new QLabel(QStringLiteral("入库单号:"), this));
    receipt->addWidget(CmbDH, 1);
    receipt->addWidget(CmdRLBM);
    receipt->addWidget(CmdRLR);
    auto *right = new QVBoxLayout;
    right->addLayout(receipt);
    right->addWidget(GridTip, 1);

    LabTip = documentlayout::documentTip(this);
    CmdChData = namedButton("CmdChData", QStringLiteral("撤消出库(&C)"), this);
    CmdPrint = namedButton("CmdPrint", QStringLiteral("打印出库(&P)"), this);
    CmdCGCK = namedButton("CmdCGCK", QStringLiteral("常规出库(&X)"), this);
    CmdHelp = documentlayout::helpButton(this);

    GridOut = documentlayout::linesGrid("GridOut", this);
    GridP = documentlayout::printGrid(this);

    documentlayout::stackWindow(this, Frame1, right,
                                documentlayout::lowerBar(LabTip, {CmdChData, CmdPrint, CmdCGCK, CmdHelp}), GridOut, 1,
                                2);

    // Every button of this window is on the Tab round, the lower bar's too.
    for (QPushButton *b : {CmdChData, CmdPrint, CmdCGCK, CmdHelp})
        b->setFocusPolicy(Qt::StrongFocus);
    documentlayout::chainTabs({DTPrq, CmbField[0], CmbField[1], CmbField[2], CmdSave, CmbDH, CmdHelp, CmdAdd[0],
                               CmdAdd[1], CmdRLBM, CmdRLR, CmdPrint, CmdChData, CmdCGCK, CmdNewDH});

    connect(CmbDH->lineEdit(), &QLineEdit::textEdited, this, [this] { CmbDH_Change(); });
    connect(CmbDH, &QComboBox::activated, this, [this] { CmbDH_Change(); });
    connect(CmdSave, &QPushButton::clicked, this, [this] { CmdSave_Click(); });
    connect(CmdNewDH, &QPushButton::clicked, this, [this] { CmdNewDH_Click(); });
    connect(CmdHelp, &QPushButton::clicked, this, [this] { CmdHelp_Click(); });
    issues::connectDocumentButtons({this, stock::Issue, GridOut, GridP, CmdChData, CmdPrint,
                                    [] { return static_cast<qint64>(ModBase::OutDH); }, [this] { ShowLastOut(); }});
    connect(CmdCGCK, &QPushButton::clicked, this, [] { issues::switchIssueWindow(QStringLiteral("FrmProductOut")); });
}

void FrmProductOutPatch::buildFields()
{
    DocumentFields::Controls c;
    c.window = this;
    c.flag = stock::Issue;
    c.number = CmbField[0];
    c.date = DTPrq;
    c.department = CmbField[1];
    c.claimant = CmbField[2];
    c.pickers = CmdAdd;
    c.pickList = GridTip;
    // A claimant picked from the list leads on to the receipt number that brings the
    // receipt lines back into the list.
    c.afterClaimantPress = CmbDH;
    c.f6 = CmbDH;
    m_fields = new DocumentFields(c);

    connect(CmdRLBM, &QPushButton::clicked, m_fields, &DocumentFields::CmdRLBM_Click);
    connect(CmdRLR, &QPushButton::clicked, m_fields, &DocumentFields::CmdRLR_Click);
}

void FrmProductOutPatch::fillReceiptNumbers()
{
    try {
        const dao::Result numbers = ModData::database().select(receipts::RecentReceiptNumbersSql,
                                                      {ModBase::SysDate.addDays(-1200), stock::Receipt});
        for (const dao::Row &row : numbers.rows)
            CmbDH->addItem(row.text(0));
    } catch (...) {
        ModBase::ShowErr();
    }
    CmbDH->setEditText(QString());
}

void FrmProductOutPatch::load()
{
    // The list shows its own failure and the window opens on without it.
    fillReceiptNumbers();
    try {
        DTPrq->setDate(ModBase::SysDate);
        GetDH(false);
        GetPreRLXX();
        ShowLastOut();
        m_fields->enablePickers();
        CmdChData->setEnabled(false);
    } catch (...) {
        ModBase::ShowErr();
    }
}

void FrmProductOutPatch::GetDH(bool NewDH)
{
    ModBase::OutDH = static_cast<double>(m_fields->GetDH(NewDH));
}

void FrmProductOutPatch::GetPreRLXX()
{
    m_fields->GetPreRLXX();
}

void FrmProductOutPatch::TipGet()
{
    m_fields->lookUp()->TipGet();
}

void FrmProductOutPatch::ShowLastOut()
{
    issues::showDocumentLines({GridOut, issues::IssueLineWidths, LabTip, GridP}, stock::Issue,
                              static_cast<qint64>(ModBase::OutDH));
    CmdChData->setEnabled(false);
}

void FrmProductOutPatch::CmbDH_Change()
{
    const QString number = CmbDH->currentText().trimmed();
    if (number.isEmpty())
        return;
    try {
        const WaitCursor wait;
        ModBase::SetStatus(QStringLiteral("正在检索数据"), true);
        // Until a movement query has chosen an order, the lines come as they were entered.
        const QString order =
            ModBase::OrderBy.isEmpty() ? QStringLiteral(" ORDER BY shijibiandongdengji.登记ID") : ModBase::OrderBy;
        GridTip->setRedraw(false);
        GridTip->Fill(stock::movementLines(ModData::database(), stock::documentLines(stock::Receipt),
                                           QStringLiteral(" AND shijibiandongdengji.单号=?") + order,
                                           {number.toLongLong()}));
        GridTip->setColWidths(kReceiptLineWidths);
        GridTip->setTag(QString());
        GridTip->setRedraw(true);
        ModBase::SetStatus(QString());
    } catch (...) {
        GridTip->setRedraw(true);
        ModBase::SetStatus(QString());
        ModBase::ShowErr();
    }
}

QList<qint64> FrmProductOutPatch::receiptLines() const
{
    QList<qint64> ids;
    for (int r = 1; r < GridTip->Rows(); ++r)
        ids.append(GridTip->TextMatrix(r, 0).toLongLong());
    return ids;
}

bool FrmProductOutPatch::CanOut()
{
    try {
        const issues::WholeLots whole = issues::wholeLots(ModData::database(), receiptLines());
        if (whole.missing < 0)
            return true;
        showCurrentLine(whole.missing + 1);
    } catch (...) {
        ModBase::ShowErr();
    }
    return false;
}

void FrmProductOutPatch::showCurrentLine(int row)
{
    // The key column is hidden: the whole row shows which line it is.
    GridTip->setCol(0);
    GridTip->setRow(row);
    GridTip->setColSel(GridTip->Cols() - 1);
}

void FrmProductOutPatch::CmdSave_Click()
{
    // Only receipt lines have this many columns: not a pick list, not an emptied list.
    if (GridTip->Rows() < 2 || GridTip->Cols() < 5) {
        platform::msgBox(QStringLiteral("无试剂列表！请选择入库单号检索"), Buttons::Ok, Icon::Information, QString(), this);
        CmbDH->setFocus();
        return;
    }
    if (!checkFields())
        return;
    if (!CanOut()) {
        refuseWhole();
        return;
    }
    saveBatch();
}

bool FrmProductOutPatch::checkFields()
{
    // The fields share their indices with the issue window's.
    using E = issues::IssueEntry;
    const QString number = CmbField[E::Number]->currentText();
    const QString department = CmbField[E::Department]->currentText();
    const QString claimant = CmbField[E::Claimant]->currentText();
    const stock::StepCheck checks[] = {
        {1, [&] { return stock::requiredRefusal(1, number, E::Number, QStringLiteral("出库单号不能为空！")); }},
        {2, [&] { return issues::claimRefusal(2, department, E::Department); }},
        {3, [&] { return issues::claimRefusal(3, claimant, E::Claimant); }},
        {4, [&] { return stock::documentNumberQuestion(4, number, E::Number, stock::Issue); }},
    };
    const auto listChoices = [this](int field) {
        if (field == E::Department)
            m_fields->CmdRLBM_Click();
        else if (field == E::Claimant)
            m_fields->CmdRLR_Click();
    };
    return passChecks([&checks](int from) { return stock::firstRefusalFrom(checks, from, 4); },
                      QList<QComboBox *>(CmbField.begin(), CmbField.end()), this, listChoices);
}

void FrmProductOutPatch::refuseWhole()
{
    platform::msgBox(QStringLiteral("当前入库单增加的库存已经全部出库或部分出库，不能整批出库"), Buttons::Ok,
                     Icon::Information, QStringLiteral("提示"), this);
}

void FrmProductOutPatch::saveBatch()
{
    std::exception_ptr failure;
    int missing = -1;
    {
        const WaitCursor wait;
        ModBase::SetStatus(QStringLiteral("系统正在进行数据登入工作"), true);
        try {
            issues::BatchIssue batch;
            batch.number = m_fields->typedNumber();
            ModBase::OutDH = static_cast<double>(batch.number);
            batch.date = DTPrq->date();
            batch.department = CmbField[1]->currentText().trimmed();
            batch.claimant = CmbField[2]->currentText().trimmed();
            batch.userId = ModBase::UserID;
            missing = issues::saveBatchIssue(ModData::database(), batch, receiptLines());
        } catch (...) {
            failure = std::current_exception();
        }
        if (!failure && missing < 0) {
            ModData::ResetGrid(GridTip);
            ShowLastOut();
        }
    }
    ModBase::SetStatus(QString());
    if (failure) {
        try {
            std::rethrow_exception(failure);
        } catch (...) {
            ModBase::ShowErr();
        }
        return;
    }
    if (missing >= 0) {
        // Another workstation took from a lot since the check: nothing was issued.
        showCurrentLine(missing + 1);
        refuseWhole();
        return;
    }
    platform::msgBox(QStringLiteral("批量出库成功！"), Buttons::Ok, Icon::Information, QStringLiteral("提示"), this);
}

void FrmProductOutPatch::CmdNewDH_Click()
{
    try {
        GetDH(true);
    } catch (...) {
        ModBase::ShowErr();
        return;
    }
    ShowLastOut();
    CmbField[0]->setFocus();
}

void FrmProductOutPatch::CmdHelp_Click()
{
    FrmPopMenu::helpButton(this, QStringLiteral("::/4.htm#42"), QStringLiteral("/Demo/22.htm"));
}
