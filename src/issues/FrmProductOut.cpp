#include "FrmProductOut.h"

#include "DocumentButtons.h"
#include "DocumentControls.h"
#include "DocumentFields.h"
#include "DocumentLines.h"
#include "IssueChecks.h"
#include "IssueLine.h"
#include "IssueLookUps.h"
#include "dao/Collation.h"
#include "dao/Database.h"
#include "platform/Convert.h"
#include "receipts/ReceiptLookUps.h"
#include "shell/DocumentLayout.h"
#include "shell/FrmPopMenu.h"
#include "shell/LookUp.h"
#include "shell/ModBase.h"
#include "shell/ModData.h"
#include "shell/Refusal.h"
#include "widgets/DatePicker.h"
#include "widgets/EntryFilter.h"
#include "widgets/FlexGrid.h"
#include "widgets/NamedButton.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

namespace convert = platform::convert;

FrmProductOut::FrmProductOut(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("FrmProductOut"));
    setWindowTitle(QStringLiteral("常规出库"));
    build();
    buildFields();
    m_entry = new EntryFilter(this);
    m_entry->addCompanion(CmbField[4], TxtDW);
    load();
}

FrmProductOut::~FrmProductOut() = default;

void FrmProductOut::buildFrame1()
{
    Frame1 = documentlayout::entryFrame(QStringLiteral("常规出库"), this);
    auto *grid = new QGridLayout(Frame1);

    issues::makeDocumentControls(Frame1, CmbField, DTPrq, CmdNewDH, CmdAdd);

    // The unit sits inside the right end of the quantity field, the spinner beside it.
    TxtDW = documentlayout::addUnitBox(CmbField[4]);
    UpDownSL = issues::quantitySpinner(Frame1);

    CmdSave = documentlayout::saveButton(QStringLiteral("出库(&S)"), Frame1);

    const issues::DocumentRow rows[] = {
        {"出库单号:", CmbField[0], CmdNewDH},
        {"出库日期:", DTPrq},
        {"认领部门:", CmbField[1], CmdAdd[0]},
        {"认 领 人:", CmbField[2], CmdAdd[1]},
        {"试剂名称:", CmbField[3]},
        {"出库数量:", CmbField[4], UpDownSL},
        {"出 库 价:", CmbField[5]},
    };
    issues::addDocumentRows(grid, rows, lblLabels, Label1);
    grid->addWidget(CmdSave, 7, 1);

    documentlayout::chainTabs(
        {CmbField[0], DTPrq, CmbField[1], CmbField[2], CmbField[3], CmbField[4], CmbField[5], CmdSave});
    documentlayout::clickFocusOnly({CmdNewDH, CmdAdd[0], CmdAdd[1]});
}

void FrmProductOut::build()
{
    buildFrame1();

    Frame3 = new QGroupBox(this);
    Frame3->setObjectName(QStringLiteral("Frame3"));
    CmdRLBM = namedButton("CmdRLBM", QStringLiteral("认领部门(&G)"), Frame3);
    CmdRLR = namedButton("CmdRLR", QStringLiteral("认领人(&H)"), Frame3);
    CmbGZBSJ = namedButton("CmbGZBSJ", QStringLiteral("各组试剂(&I)"), Frame3);
    CmdQBSJ = namedButton("CmdQBSJ", QStringLiteral("全部试剂(&J)"), Frame3);
    issues::fillLotFrame(Frame3, {CmdRLBM, CmdRLR, CmbGZBSJ, CmdQBSJ}, GridTip, lblTipLKC);

    LabTip = documentlayout::documentTip(this);
    CmdChData = namedButton("CmdChData", QStringLiteral("撤消出库(&C)"), this);
    CmdPrint = namedButton("CmdPrint", QStringLiteral("打印出库(&P)"), this);
    CmdPLCK = namedButton("CmdPLCK", QStringLiteral("批量出库(&L)"), this);
    CmdHelp = documentlayout::helpButton(this);

    GridOut = documentlayout::linesGrid("GridOut", this);
    GridP = documentlayout::printGrid(this);

    documentlayout::stackWindow(this, Frame1, Frame3,
                                documentlayout::lowerBar(LabTip, {CmdChData, CmdPrint, CmdPLCK, CmdHelp}), GridOut, 0,
                                1);

    connect(CmdSave, &QPushButton::clicked, this, [this] { CmdSave_Click(); });
    connect(CmdNewDH, &QPushButton::clicked, this, [this] { CmdNewDH_Click(); });
    connect(CmbGZBSJ, &QPushButton::clicked, this, [this] { CmbGZBSJ_Click(); });
    connect(CmdQBSJ, &QPushButton::clicked, this, [this] { CmdQBSJ_Click(); });
    connect(CmdHelp, &QPushButton::clicked, this, [this] { CmdHelp_Click(); });
    // After an undo the whole lot list shows again, its first lot taken.
    issues::connectDocumentButtons({this, stock::Issue, GridOut, GridP, CmdChData, CmdPrint,
                                    [] { return static_cast<qint64>(ModBase::OutDH); },
                                    [this] {
                                        ShowLastOut();
                                        CmdQBSJ_Click();
                                    }});
    connect(CmdPLCK, &QPushButton::clicked, this,
            [] { issues::switchIssueWindow(QStringLiteral("FrmProductOutPatch")); });
}

void FrmProductOut::buildFields()
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
    c.afterClaimant = CmbField[3];
    c.f6 = CmbField[3];
    m_fields = new DocumentFields(c);

    DocumentFields::LotControls lots;
    lots.reagent = CmbField[3];
    lots.quantity = CmbField[4];
    lots.price = CmbField[5];
    lots.unit = TxtDW;
    lots.spinner = UpDownSL;
    lots.tip = lblTipLKC;
    lots.take = [](const issues::ChosenLot &lot) {
        return issues::issueTake(lot, ModBase::OutRate, issues::lastIssueQuantity(ModData::database(), lot.reagentId));
    };
    m_fields->addLots(lots);

    connect(CmdRLBM, &QPushButton::clicked, m_fields, &DocumentFields::CmdRLBM_Click);
    connect(CmdRLR, &QPushButton::clicked, m_fields, &DocumentFields::CmdRLR_Click);
}

void FrmProductOut::load()
{
    try {
        loadGroupMenu();
        DTPrq->setDate(ModBase::SysDate);
        GetDH(false);
        GetPreRLXX();
        ShowLastOut();
        m_fields->enablePickers();
        lblTipLKC->hide();
        CmdChData->setEnabled(false);
        const bool price = !ModBase::NoPriceCheck;
        CmbField[5]->setVisible(price);
        lblLabels[6]->setVisible(price);
        Label1[6]->setVisible(price);
    } catch (...) {
        ModBase::ShowErr();
    }
}

void FrmProductOut::loadGroupMenu()
{
    const dao::Result groups = ModData::database().select(receipts::GroupsSql);
    FrmPopMenu &pop = FrmPopMenu::instance();
    for (int i = 0; i < groups.size(); ++i)
        pop.loadItem(pop.mnuRKZB, i, groups[i].text(0));
}

void FrmProductOut::GetDH(bool NewDH)
{
    ModBase::OutDH = static_cast<double>(m_fields->GetDH(NewDH));
}

void FrmProductOut::GetPreRLXX()
{
    m_fields->GetPreRLXX();
}

void FrmProductOut::TipGet()
{
    m_fields->lookUp()->TipGet();
}

void FrmProductOut::ShowLastOut()
{
    issues::showDocumentLines({GridOut, issues::IssueLineWidths, LabTip, GridP}, stock::Issue,
                              static_cast<qint64>(ModBase::OutDH));
    CmdChData->setEnabled(false);
}

void FrmProductOut::CmdSave_Click()
{
    if (checkLine())
        saveLine();
}

bool FrmProductOut::checkLine()
{
    issues::IssueEntry entry;
    for (size_t i = 0; i < entry.text.size(); ++i)
        entry.text[i] = CmbField[i]->currentText();
    const issues::ChosenLot &lot = m_fields->lot();
    entry.lotQuantity = convert::parseNumber(lot.quantityText).value_or(0);
    entry.expiry = lot.expiry;
    entry.today = ModBase::SysDate;
    entry.date = DTPrq->date();
    // A missing name or reagent shows its whole list, its first record taken.
    const auto listChoices = [this](int field) {
        if (field == issues::IssueEntry::Department)
            m_fields->CmdRLBM_Click();
        else if (field == issues::IssueEntry::Claimant)
            m_fields->CmdRLR_Click();
        else if (field == issues::IssueEntry::Reagent)
            CmdQBSJ_Click();
    };
    return passChecks([&entry](int from) { return issues::firstIssueRefusal(entry, from); }, fields(), this,
                      listChoices);
}

QList<QComboBox *> FrmProductOut::fields() const
{
    return QList<QComboBox *>(CmbField.begin(), CmbField.end());
}

void FrmProductOut::saveLine()
{
    const std::optional<issues::IssueResult> saved = m_fields->saveLine({}, ModBase::OutDH);
    if (!saved)
        return;
    showTip(saved->tip, CmbField[3]->currentText());
    m_fields->clearLotFields();
    ShowLastOut();
    CmbField[3]->setFocus();
}

void FrmProductOut::showTip(const issues::LowStock &tip, const QString &reagent)
{
    switch (tip.kind) {
    case issues::LowStock::None:
        lblTipLKC->hide();
        return;
    case issues::LowStock::Below:
        lblTipLKC->setText(QStringLiteral("提示：“%1”库存为：%2，低于库存低限：%3").arg(reagent, tip.total, tip.limit));
        break;
    case issues::LowStock::Empty:
        lblTipLKC->setText(QStringLiteral("提示：“%1”已没有库存！").arg(reagent));
        break;
    }
    lblTipLKC->show();
}

void FrmProductOut::CmdNewDH_Click()
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

void FrmProductOut::CmbGZBSJ_Click()
{
    ModBase::SQL.clear();
    FrmPopMenu::popUp(FrmPopMenu::instance().mnuRK);
    const QString group = ModBase::SQL;
    if (!group.isEmpty())
        m_fields->listLots(issues::GroupLotsSql, {QStringLiteral("%") + dao::escapeLike(group)});
}

void FrmProductOut::CmdQBSJ_Click()
{
    m_fields->listLots(issues::LotsByNameSql);
}

void FrmProductOut::CmdHelp_Click()
{
    FrmPopMenu::helpButton(this, QStringLiteral("::/4.htm#42"), QStringLiteral("/Demo/22.htm"));
}

void FrmProductOut::closeEvent(QCloseEvent *event)
{
    FrmPopMenu::instance().unloadItems();
    event->accept();
}
