#include "FrmProductIn.h"

#include "ReceiptChecks.h"
#include "ReceiptLine.h"
#include "ReceiptLookUps.h"
#include "dao/Collation.h"
#include "dao/Database.h"
#include "platform/Convert.h"
#include "platform/Dialogs.h"
#include "reports/FrmPrint.h"
#include "shell/ChildFrame.h"
#include "shell/DocumentLayout.h"
#include "shell/FrmMain.h"
#include "shell/FrmPopMenu.h"
#include "shell/LookUp.h"
#include "shell/ModBase.h"
#include "shell/ModData.h"
#include "shell/ModDataGrid.h"
#include "shell/ReportHandOff.h"
#include "shell/WindowRegistry.h"
#include "stock/DocumentNumber.h"
#include "stock/LineChecks.h"
#include "stock/MovementLines.h"
#include "stock/ReceiptReversal.h"
#include "widgets/DatePicker.h"
#include "widgets/EntryFilter.h"
#include "widgets/FieldLeave.h"
#include "widgets/FlexGrid.h"
#include "widgets/NamedButton.h"
#include "widgets/WaitCursor.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

#include <cmath>
#include <memory>
#include <stdexcept>

using platform::Answer;
using platform::Buttons;
using platform::Icon;
namespace convert = platform::convert;

namespace {

// The rights that open the catalogue, the storage places and the suppliers.
constexpr int kCatalogueRight = 17;
constexpr int kPlacesRight = 20;
constexpr int kSuppliersRight = 22;

const QList<int> kLineWidths = {0, 0, 1300, 2550, 1300, 1300, 1300, 1000, 700, 600,
                                800, 1300, 1000, 0, 1000, 800, 1000, 1000, 1300, 1200};

QComboBox *field(int index, QWidget *parent)
{
    auto *c = new QComboBox(parent);
    c->setEditable(true);
    c->setObjectName(QStringLiteral("CmbField_%1").arg(index));
    c->setInsertPolicy(QComboBox::NoInsert);
    c->setMinimumWidth(220);
    return c;
}

QLabel *marker(QWidget *parent)
{
    auto *l = new QLabel(QStringLiteral("*"), parent);
    l->setStyleSheet(QStringLiteral("color: red;"));
    return l;
}

// The number field's text as a document number: a whole number, or a failure the save
// reports in the common error box.
qint64 documentNumberOf(const QString &text)
{
    const std::optional<double> n = convert::parseNumber(text);
    if (!n || *n != std::floor(*n) || *n < 1 || *n > 9.0e15)
        throw std::runtime_error(QStringLiteral("入库单号“%1”不是数字。").arg(text).toStdString());
    return static_cast<qint64>(*n);
}

// A register opened modally as a picker; it leaves its choice in its pick slot.
void showPicker(const QString &name)
{
    std::unique_ptr<QWidget> window(shell::createWindow(name, nullptr));
    if (auto *dialog = qobject_cast<QDialog *>(window.get()))
        platform::execModal(dialog);
}

} // namespace

FrmProductIn::FrmProductIn(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("FrmProductIn"));
    setWindowTitle(QStringLiteral("试剂入库"));
    build();
    buildLookUps();
    m_entry = new EntryFilter(this);
    m_entry->addCompanion(CmbField[5], TxtDW);
    load();
}

FrmProductIn::~FrmProductIn() = default;

void FrmProductIn::build()
{
    Frame1 = documentlayout::entryFrame(QStringLiteral("入库"), this);
    auto *grid = new QGridLayout(Frame1);

    for (int i = 0; i < 2; ++i) {
        DTPrq[i] = new DatePicker(Frame1);
        DTPrq[i]->setObjectName(QStringLiteral("DTPrq_%1").arg(i));
    }
    for (int i = 0; i < 8; ++i)
        CmbField[i] = field(i, Frame1);
    CmdNewDH = namedButton("CmdNewDH", QStringLiteral("新单号(&N)"), Frame1);
    for (int i = 0; i < 3; ++i) {
        CmdAdd[i] = new QPushButton(QStringLiteral("..."), Frame1);
        CmdAdd[i]->setObjectName(QStringLiteral("CmdAdd_%1").arg(i));
        CmdAdd[i]->setFixedWidth(32);
    }
    CmdAdd[0]->setToolTip(QStringLiteral("添加、删除、修改试剂条目"));
    CmdAdd[1]->setToolTip(QStringLiteral("添加、删除、修改供应商"));
    CmdAdd[2]->setToolTip(QStringLiteral("选择、添加、修改存放地点"));
    CmdSave = documentlayout::saveButton(QStringLiteral("入库(&S)"), Frame1);

    // The unit sits inside the right end of the quantity field.
    TxtDW = documentlayout::addUnitBox(CmbField[5]);

    struct Line {
        const char *label;
        QWidget *control;
        bool required;
        QWidget *extra;
    };
    const Line lines[] = {
        {"入库日期:", DTPrq[0], true, nullptr},      {"入库单号:", CmbField[0], true, CmdNewDH},
        {"供 应 商:", CmbField[1], true, CmdAdd[1]}, {"发 票 号:", CmbField[2], true, nullptr},
        {"试剂名称:", CmbField[3], true, CmdAdd[0]}, {"批    号:", CmbField[4], true, nullptr},
        {"有 效 期:", DTPrq[1], true, nullptr},      {"数    量:", CmbField[5], true, nullptr},
        {"单    价:", CmbField[6], true, nullptr},   {"存放地点:", CmbField[7], false, CmdAdd[2]},
    };
    int row = 0;
    for (const Line &l : lines) {
        grid->addWidget(new QLabel(QString::fromUtf8(l.label), Frame1), row, 0);
        grid->addWidget(l.control, row, 1);
        if (l.required)
            grid->addWidget(marker(Frame1), row, 2);
        if (l.extra)
            grid->addWidget(l.extra, row, 3);
        ++row;
    }
    grid->addWidget(CmdSave, row, 1);

    documentlayout::chainTabs({DTPrq[0], CmbField[0], CmbField[1], CmbField[2], CmbField[3], CmbField[4], DTPrq[1],
                               CmbField[5], CmbField[6], CmbField[7], CmdSave});
    documentlayout::clickFocusOnly({CmdNewDH, CmdAdd[0], CmdAdd[1], CmdAdd[2]});

    CmbCYGYS = namedButton("CmbCYGYS", QStringLiteral("常用供应商(&G)"), this);
    CmdQBGYS = namedButton("CmdQBGYS", QStringLiteral("全部供应商(&H)"), this);
    CmbGZBSJ = namedButton("CmbGZBSJ", QStringLiteral("各组别试剂(&I)"), this);
    CmdQBSJ = namedButton("CmdQBSJ", QStringLiteral("全部试剂(&J)"), this);
    GridTip = new FlexGrid(this);
    GridTip->setObjectName(QStringLiteral("GridTip"));
    auto *right = new QVBoxLayout;
    right->addLayout(documentlayout::shortcutRow({CmbCYGYS, CmdQBGYS, CmbGZBSJ, CmdQBSJ}));
    right->addWidget(GridTip, 1);

    LabTip = documentlayout::documentTip(this);
    CmdChData = namedButton("CmdChData", QStringLiteral("撤消入库(&C)"), this);
    CmdPrint = namedButton("CmdPrint", QStringLiteral("打印入库(&P)"), this);
    CmdHelp = documentlayout::helpButton(this);

    GridIn = documentlayout::linesGrid("GridIn", this);
    GridP = documentlayout::printGrid(this);

    documentlayout::stackWindow(this, Frame1, right, documentlayout::lowerBar(LabTip, {CmdChData, CmdPrint, CmdHelp}),
                                GridIn, 0, 1);

    connect(CmdSave, &QPushButton::clicked, this, [this] { CmdSave_Click(); });
    connect(CmdNewDH, &QPushButton::clicked, this, [this] { CmdNewDH_Click(); });
    connect(CmbCYGYS, &QPushButton::clicked, this, [this] { CmbCYGYS_Click(); });
    connect(CmdQBGYS, &QPushButton::clicked, this, [this] { CmdQBGYS_Click(); });
    connect(CmbGZBSJ, &QPushButton::clicked, this, [this] { CmbGZBSJ_Click(); });
    connect(CmdQBSJ, &QPushButton::clicked, this, [this] { CmdQBSJ_Click(); });
    for (int i = 0; i < 3; ++i)
        connect(CmdAdd[i], &QPushButton::clicked, this, [this, i] { CmdAdd_Click(i); });
    connect(CmdHelp, &QPushButton::clicked, this, [this] { CmdHelp_Click(); });
    connect(CmdPrint, &QPushButton::clicked, this, [this] {
        {
            const WaitCursor wait;
            if (!PrintHandOff())
                return;
            ModBase::SetStatus(QStringLiteral("正在准备打印输出"), true);
        }
        reports::ShowPreview(this);
        ModBase::SetStatus(QString());
    });
    connect(CmdChData, &QPushButton::clicked, this, [this] { CmdChData_Click(); });
    connect(GridIn, &FlexGrid::Click, this, [this] {
        if (GridIn->Rows() >= 2)
            CmdChData->setEnabled(true);
    });
    DTPrq[0]->installEventFilter(this);

    auto *f5 = new QShortcut(QKeySequence(Qt::Key_F5), this, this, [this] { DTPrq[0]->setFocus(); });
    auto *f6 = new QShortcut(QKeySequence(Qt::Key_F6), this, this, [this] { CmbField[3]->setFocus(); });
    f5->setContext(Qt::WidgetWithChildrenShortcut);
    f6->setContext(Qt::WidgetWithChildrenShortcut);
}

void FrmProductIn::buildLookUps()
{
    m_lookUp = new LookUp(GridTip);

    LookUpKind supplier = receipts::supplierKind();
    supplier.taken = [](const QStringList &row) { ModBase::PickGYSID = row.value(0).toInt(); };
    supplier.added = [](qint64 key) { ModBase::PickGYSID = static_cast<qint32>(key); };
    supplier.nextAfterPress = CmbField[2];
    m_lookUp->addField(CmbField[1], std::move(supplier));

    LookUpKind product = receipts::productKind();
    product.taken = [this](const QStringList &row) { takeProduct(row); };
    product.searched = [this] { clearPrice(); };
    product.nextAfterPress = CmbField[4];
    m_lookUp->addField(CmbField[3], std::move(product));

    m_lookUp->addField(CmbField[7], receipts::locationKind());
}

void FrmProductIn::takeProduct(const QStringList &row)
{
    TxtDW->setText(row.value(5));
    ModBase::CurSJID = row.value(0).toInt();
    CmbField[6]->setEditText(QString());
    ModData::OpenDB();
    if (dao::Database *db = ModBase::DB())
        CmbField[6]->setEditText(receipts::lastReceiptPrice(*db, ModBase::CurSJID));
}

void FrmProductIn::clearPrice()
{
    CmbField[6]->setEditText(QString());
    TxtDW->clear();
}

void FrmProductIn::load()
{
    try {
        loadGroupMenu();
        CmbField[2]->setEditText(ModBase::SysDate.toString(QStringLiteral("yyyyMMdd")));
        DTPrq[0]->setDate(ModBase::SysDate);
        DTPrq[1]->setDate(ModBase::SysDate.addDays(180));
        GetDH(false);
        GetPreGYS();
        ShowLastIn();
        CmdAdd[0]->setEnabled(FrmMain::commandEnabled(kCatalogueRight));
        CmdAdd[1]->setEnabled(FrmMain::commandEnabled(kSuppliersRight));
        CmdChData->setEnabled(false);
    } catch (...) {
        ModBase::ShowErr();
    }
}

void FrmProductIn::loadGroupMenu()
{
    ModData::OpenDB();
    dao::Database *db = ModBase::DB();
    if (!db)
        return;
    const dao::Result groups = db->select(receipts::GroupsSql);
    FrmPopMenu &pop = FrmPopMenu::instance();
    for (int i = 0; i < groups.size(); ++i)
        pop.loadItem(pop.mnuRKZB, i, groups[i].text(0));
}

void FrmProductIn::GetDH(bool NewDH)
{
    ModData::OpenDB();
    dao::Database *db = ModBase::DB();
    if (!db)
        return;
    ModBase::InDH = static_cast<double>(stock::documentNumber(*db, stock::Receipt, ModBase::SysDate, NewDH));
    CmbField[0]->setEditText(QString::number(static_cast<qint64>(ModBase::InDH)));
}

void FrmProductIn::GetPreGYS()
{
    ModData::OpenDB();
    dao::Database *db = ModBase::DB();
    if (!db)
        return;
    if (const auto latest = receipts::latestSupplier(*db)) {
        ModBase::PickGYSID = latest->supplierId;
        CmbField[1]->setEditText(latest->supplier);
        CmbField[7]->setEditText(latest->place);
    }
}

void FrmProductIn::ShowLastIn()
{
    try {
        ModData::OpenDB();
        dao::Database *db = ModBase::DB();
        if (!db)
            return;
        const QString tail = QStringLiteral(" AND shijibiandongdengji.单号=? ORDER BY shijibiandongdengji.登记ID DESC");
        const QVariantList number{static_cast<qint64>(ModBase::InDH)};

        GridIn->setRedraw(false);
        GridIn->Fill(stock::movementLines(*db, stock::documentLines(stock::Receipt), tail, number));
        GridIn->setColWidths(kLineWidths);
        GridIn->setRedraw(true);

        const int n = GridIn->Rows() - 1;
        m_total = stock::columnTotal(*GridIn, stock::DocumentAmountColumn);
        LabTip->setText(QStringLiteral("共 %1 条记录，金额：%2").arg(n).arg(convert::standard(m_total.toDouble())));
        CmdChData->setEnabled(false);

        GridP->Fill(stock::movementLines(*db, stock::reportLines(stock::Receipt), tail, number));
    } catch (...) {
        ModBase::SetStatus(QString());
        ModBase::ShowErr();
    }
}

void FrmProductIn::TipGet()
{
    m_lookUp->TipGet();
}

void FrmProductIn::PickReagent(qint32 reagentId, const QString &name, const QString &unit)
{
    ModBase::CurSJID = reagentId;
    CmbField[3]->setEditText(name);
    TxtDW->setText(unit);
    // The list goes first, so that leaving the reagent field takes nothing over the pick.
    ModData::ResetGrid(GridTip);
    ChildFrame::activateFrameOf(this);
    CmbField[4]->setFocus();
}

bool FrmProductIn::PrintHandOff()
{
    if (GridP->Rows() < 2 || GridP->Cols() < 2)
        return false;
    handOffReport({firstColumns(GridP->snapshot(), stock::ReportPrintedColumns),
                   QStringLiteral("单号“%1”试剂入库报表").arg(static_cast<qint64>(ModBase::InDH)), ReportKind::RegIn,
                   m_total});
    return true;
}

void FrmProductIn::CmdSave_Click()
{
    if (checkLine())
        saveLine();
}

bool FrmProductIn::checkLine()
{
    using receipts::ReceiptEntry;
    ReceiptEntry entry;
    for (int i = 0; i < ReceiptEntry::FieldCount; ++i)
        entry.text[i] = CmbField[i]->currentText();
    const auto listChoices = [this](int field) {
        if (field == ReceiptEntry::Supplier)
            CmdQBGYS_Click();
        else
            CmdQBSJ_Click();
    };
    if (!passChecks([&entry](int from) { return receipts::firstReceiptRefusal(entry, from); },
                    QList<QComboBox *>(CmbField.begin(), CmbField.end()), this, listChoices))
        return false;
    CmbField[ReceiptEntry::Quantity]->setEditText(stock::standardText(entry.text[ReceiptEntry::Quantity]));
    CmbField[ReceiptEntry::Price]->setEditText(stock::standardText(entry.text[ReceiptEntry::Price]));
    return true;
}

void FrmProductIn::saveLine()
{
    std::exception_ptr failure;
    {
        WaitCursor wait;
        ModBase::SetStatus(QStringLiteral("系统正在进行数据登入工作"), true);
        try {
            const qint64 number = documentNumberOf(CmbField[0]->currentText().trimmed());
            ModBase::InDH = static_cast<double>(number);
            ModData::OpenDB();
            dao::Database *db = ModBase::DB();
            if (!db)
                throw std::runtime_error("数据库没有打开。");
            receipts::ReceiptLine line;
            line.number = number;
            line.invoice = CmbField[2]->currentText().trimmed();
            line.date = DTPrq[0]->date();
            line.reagentId = ModBase::CurSJID;
            line.batch = CmbField[4]->currentText().trimmed();
            line.expiry = DTPrq[1]->date();
            line.quantity = convert::parseNumber(CmbField[5]->currentText().trimmed()).value_or(0);
            line.price = convert::parseNumber(CmbField[6]->currentText().trimmed()).value_or(0);
            line.supplierId = ModBase::PickGYSID;
            line.userId = ModBase::UserID;
            line.place = CmbField[7]->currentText().trimmed();
            receipts::saveReceiptLine(*db, line);
        } catch (...) {
            failure = std::current_exception();
        }
        if (!failure) {
            TxtDW->clear();
            CmbField[3]->setEditText(QString());
            CmbField[5]->setEditText(QString());
            CmbField[6]->setEditText(QString());
            ShowLastIn();
            CmbField[3]->setFocus();
        }
    }
    ModBase::SetStatus(QString());
    if (failure) {
        try {
            std::rethrow_exception(failure);
        } catch (...) {
            ModBase::ShowErr();
        }
    }
}

void FrmProductIn::CmdNewDH_Click()
{
    try {
        GetDH(true);
    } catch (...) {
        ModBase::ShowErr();
        return;
    }
    ShowLastIn();
    CmbField[0]->setFocus();
}

void FrmProductIn::CmbCYGYS_Click()
{
    try {
        CmbField[1]->setEditText(QString());
        m_lookUp->listAndTakeFirst(QStringLiteral("Supplier"), receipts::RecentSuppliersSql,
                                   {ModBase::SysDate.addDays(-180)});
        CmbField[1]->setFocus();
    } catch (...) {
        ModBase::ShowErr();
    }
}

void FrmProductIn::CmdQBGYS_Click()
{
    try {
        CmbField[1]->setEditText(QString());
        m_lookUp->listAndTakeFirst(QStringLiteral("Supplier"), receipts::SuppliersByNameSql);
        CmbField[1]->setFocus();
    } catch (...) {
        ModBase::ShowErr();
    }
}

void FrmProductIn::CmbGZBSJ_Click()
{
    try {
        ModBase::SQL.clear();
        FrmPopMenu::popUp(FrmPopMenu::instance().mnuRK);
        const QString group = ModBase::SQL;
        if (group.isEmpty())
            return;
        clearPrice();
        m_lookUp->listAndTakeFirst(QStringLiteral("Product"), receipts::GroupReagentsSql,
                                   {QStringLiteral("%") + dao::escapeLike(group)});
        CmbField[3]->setFocus();
    } catch (...) {
        ModBase::ShowErr();
    }
}

void FrmProductIn::CmdQBSJ_Click()
{
    try {
        clearPrice();
        m_lookUp->listAndTakeFirst(QStringLiteral("Product"), receipts::ReagentsByNameSql);
        CmbField[3]->setFocus();
    } catch (...) {
        ModBase::ShowErr();
    }
}

void FrmProductIn::CmdAdd_Click(int index)
{
    ModBase::PickMode = true;
    switch (index) {
    case 0:
        CmbField[3]->setEditText(QString());
        clearPrice();
        if (FrmMain *main = FrmMain::instance())
            main->DoIt(19);
        break;
    case 1:
        ModBase::PickGYS.clear();
        if (FrmMain::commandEnabled(kSuppliersRight))
            showPicker(QStringLiteral("FrmSetSupplier"));
        CmbField[1]->setEditText(ModBase::PickGYS);
        CmbField[2]->setFocus();
        ModBase::PickMode = false;
        break;
    case 2:
        ModBase::PickLocation = CmbField[7]->currentText();
        if (FrmMain::commandEnabled(kPlacesRight))
            showPicker(QStringLiteral("FrmSetLocation"));
        CmbField[7]->setEditText(ModBase::PickLocation);
        CmdSave->setFocus();
        ModBase::PickMode = false;
        break;
    }
}

void FrmProductIn::CmdChData_Click()
{
    if (!stock::reverseSelectedRows(*GridIn, stock::Receipt, stock::receiptRowReversal(*GridIn),
                                    stock::ReversedRows::Keep, this))
        return;
    ShowLastIn();
    CmdChData->setEnabled(false);
}

void FrmProductIn::CmdHelp_Click()
{
    FrmPopMenu::helpButton(this, QStringLiteral("::/4.htm#41"), QStringLiteral("/Demo/21.htm"));
}

void FrmProductIn::DTPrq0_Leave()
{
    if (DTPrq[0]->date().year() == ModBase::SysDate.year())
        return;
    if (platform::msgBox(QStringLiteral("您输入的年份可能有误！请检查...") + QString(11, u' ')
                             + QStringLiteral("\n\n返回修改？"), Buttons::OkCancel)
        == Answer::Ok)
        DTPrq[0]->setFocus();
}

bool FrmProductIn::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == DTPrq[0] && leftForAnotherControl(DTPrq[0], event))
        DTPrq0_Leave();
    return QWidget::eventFilter(watched, event);
}

void FrmProductIn::closeEvent(QCloseEvent *event)
{
    FrmPopMenu::instance().unloadItems();
    event->accept();
}
