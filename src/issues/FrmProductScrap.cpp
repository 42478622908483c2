#include "FrmProductScrap.h"

#include "DocumentButtons.h"
#include "DocumentControls.h"
#include "DocumentFields.h"
#include "DocumentLines.h"
#include "IssueChecks.h"
#include "IssueLookUps.h"
#include "platform/Convert.h"
#include "shell/DocumentLayout.h"
#include "shell/FrmPopMenu.h"
#include "shell/LookUp.h"
#include "shell/ModBase.h"
#include "shell/Refusal.h"
#include "widgets/DatePicker.h"
#include "widgets/EntryFilter.h"
#include "widgets/FlexGrid.h"
#include "widgets/NamedButton.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

namespace {

const QList<int> kLineWidths = {0, 0, 1300, 2550, 1300, 1300, 1000, 1000, 700, 600,
                                800, 1300, 0, 0, 0, 1000, 800, 1000, 1300, 0};

} // namespace

FrmProductScrap::FrmProductScrap(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("FrmProductScrap"));
    setWindowTitle(QStringLiteral("试剂报损"));
    build();
    buildFields();
    m_entry = new EntryFilter(this);
    m_entry->addCompanion(CmbField[4], TxtDW);
    load();
}

FrmProductScrap::~FrmProductScrap() = default;

void FrmProductScrap::buildFrame1()
{
    Frame1 = documentlayout::entryFrame(QStringLiteral("试剂报损"), this);
    auto *grid = new QGridLayout(Frame1);

    issues::makeDocumentControls(Frame1, CmbField, DTPrq, CmdNewDH, CmdAdd);
    TxtDW = documentlayout::addUnitBox(CmbField[4]);
    UpDownSL = issues::quantitySpinner(Frame1);
    CmdSave = documentlayout::saveButton(QStringLiteral("报损(&S)"), Frame1);

    const char *captions[] = {"报损单号:", "报损日期:", "认领部门:", "认 领 人:",
                              "试剂名称:", "报损数量:", "报 损 价:", "报损原因:"};
    QWidget *controls[] = {CmbField[0], DTPrq,       CmbField[1], CmbField[2],
                           CmbField[3], CmbField[4], CmbField[5], CmbField[6]};
    QWidget *extras[] = {CmdNewDH, nullptr, CmdAdd[0], CmdAdd[1], nullptr, UpDownSL, nullptr, nullptr};
    for (int row = 0; row < 8; ++row) {
        const auto i = static_cast<size_t>(row);
        grid->addWidget(new QLabel(QString::fromUtf8(captions[i]), Frame1), row, 0);
        grid->addWidget(controls[i], row, 1);
        if (extras[i])
            grid->addWidget(extras[i], row, 2, Qt::AlignLeft);
    }
    grid->addWidget(CmdSave, 8, 1);

    documentlayout::chainTabs({CmbField[0], DTPrq, CmbField[1], CmbField[2], CmbField[3], CmbField[4], CmbField[5],
                               CmbField[6], CmdSave});
    documentlayout::clickFocusOnly({CmdNewDH, CmdAdd[0], CmdAdd[1]});
}

void FrmProductScrap::build()
{
    buildFrame1();

    Frame3 = new QGroupBox(this);
    Frame3->setObjectName(QStringLiteral("Frame3"));
    CmdRLBM = namedButton("CmdRLBM", QStringLiteral("认领部门(&G)"), Frame3);
    CmdRLR = namedButton("CmdRLR", QStringLiteral("认领人(&H)"), Frame3);
    CmdQYGQ = namedButton("CmdQYGQ", QStringLiteral("已过期试剂(&I)"), Frame3);
    CmdQJGQ = namedButton("CmdQJGQ", QStringLiteral("将过期试剂(&J)"), Frame3);
    issues::fillLotFrame(Frame3, {CmdRLBM, CmdRLR, CmdQYGQ, CmdQJGQ}, GridTip, lblTipLKC);

    LabTip = documentlayout::documentTip(this);
    CmdChData = namedButton("CmdChData", QStringLiteral("撤消报损(&C)"), this);
    CmdPrint = namedButton("CmdPrint", QStringLiteral("打印报损(&P)"), this);
    CmdHelp = documentlayout::helpButton(this);

    GridOut = documentlayout::linesGrid("GridOut", this);
    GridP = documentlayout::printGrid(this);

    documentlayout::stackWindow(this, Frame1, Frame3, documentlayout::lowerBar(LabTip, {CmdChData, CmdPrint, CmdHelp}),
                                GridOut, 0, 1);

    connect(CmdSave, &QPushButton::clicked, this, [this] { CmdSave_Click(); });
    connect(CmdNewDH, &QPushButton::clicked, this, [this] { CmdNewDH_Click(); });
    connect(CmdQYGQ, &QPushButton::clicked, this, [this] { CmdQYGQ_Click(); });
    connect(CmdQJGQ, &QPushButton::clicked, this, [this] { CmdQJGQ_Click(); });
    connect(CmdHelp, &QPushButton::clicked, this, [this] { CmdHelp_Click(); });
    // After an undo the expiring lots show, the first one taken.
    issues::connectDocumentButtons({this, stock::Scrap, GridOut, GridP, CmdChData, CmdPrint,
                                    [] { return static_cast<qint64>(ModBase::BSDH); },
                                    [this] {
                                        ShowLastBS();
                                        CmdQJGQ_Click();
                                    }});
}

void FrmProductScrap::buildFields()
{
    DocumentFields::Controls c;
    c.window = this;
    c.flag = stock::Scrap;
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
    lots.take = issues::scrapTake;
    m_fields->addLots(lots);

    connect(CmdRLBM, &QPushButton::clicked, m_fields, &DocumentFields::CmdRLBM_Click);
    connect(CmdRLR, &QPushButton::clicked, m_fields, &DocumentFields::CmdRLR_Click);
}

void FrmProductScrap::load()
{
    try {
        DTPrq->setDate(ModBase::SysDate);
        GetDH(false);
        GetPreRLXX();
        ShowLastBS();
        m_fields->enablePickers();
        lblTipLKC->hide();
        CmbField[6]->addItems({QString(), QStringLiteral("过期"), QStringLiteral("变质"), QStringLiteral("包装破损报废")});
        CmbField[6]->setEditText(QStringLiteral("过期"));
    } catch (...) {
        ModBase::ShowErr();
    }
}

void FrmProductScrap::TipGet()
{
    m_fields->lookUp()->TipGet();
}

void FrmProductScrap::GetDH(bool NewDH)
{
    ModBase::BSDH = static_cast<double>(m_fields->GetDH(NewDH));
}

void FrmProductScrap::GetPreRLXX()
{
    m_fields->GetPreRLXX();
}

void FrmProductScrap::ShowLastBS()
{
    issues::showDocumentLines({GridOut, kLineWidths, LabTip, GridP}, stock::Scrap, static_cast<qint64>(ModBase::BSDH));
    CmdChData->setEnabled(false);
}

void FrmProductScrap::CmdSave_Click()
{
    if (checkLine())
        saveLine();
}

bool FrmProductScrap::checkLine()
{
    issues::IssueEntry entry;
    entry.kind = stock::Scrap;
    for (size_t i = 0; i < entry.text.size(); ++i)
        entry.text[i] = CmbField[i]->currentText();
    entry.lotQuantity = platform::convert::parseNumber(m_fields->lot().quantityText).value_or(0);
    // A missing department or claimant shows its whole list, its first record taken.
    const auto listChoices = [this](int field) {
        if (field == issues::IssueEntry::Department)
            m_fields->CmdRLBM_Click();
        else if (field == issues::IssueEntry::Claimant)
            m_fields->CmdRLR_Click();
    };
    return passChecks([&entry](int from) { return issues::firstIssueRefusal(entry, from); },
                      QList<QComboBox *>(CmbField.begin(), CmbField.end()), this, listChoices);
}

void FrmProductScrap::saveLine()
{
    issues::IssueLine line;
    line.reason = CmbField[6]->currentText().trimmed();
    const std::optional<issues::IssueResult> saved = m_fields->saveLine(line, ModBase::BSDH);
    if (!saved)
        return;
    if (saved->tip.kind == issues::LowStock::Empty) {
        lblTipLKC->setText(QStringLiteral("提示：刚才报损的试剂已没有库存！"));
        lblTipLKC->show();
    } else {
        lblTipLKC->hide();
    }
    m_fields->clearLotFields();
    ShowLastBS();
    CmbField[3]->setFocus();
}

void FrmProductScrap::CmdNewDH_Click()
{
    try {
        GetDH(true);
    } catch (...) {
        ModBase::ShowErr();
        return;
    }
    ShowLastBS();
    CmbField[0]->setFocus();
}

void FrmProductScrap::CmdQYGQ_Click()
{
    m_fields->listLots(issues::ExpiredLotsSql, {ModBase::SysDate});
}

void FrmProductScrap::CmdQJGQ_Click()
{
    m_fields->listLots(issues::ExpiringLotsSql, {ModBase::SysDate, ModBase::SysDate.addDays(ModBase::SXDays)});
}

void FrmProductScrap::CmdHelp_Click()
{
    FrmPopMenu::helpButton(this, QStringLiteral("::/4.htm#43"), QStringLiteral("/Demo/23.htm"));
}
