#include "FrmSetProduct.h"

#include "FrmSetCategory.h"
#include "FrmSetGDX.h"
#include "FrmSetGDXLimits.h"
#include "FrmSetManufacturer.h"
#include "FrmSetProductLookUps.h"
#include "FrmSetUnit.h"

#include "dao/Database.h"
#include "platform/Dialogs.h"
#include "reports/ExportGrid.h"
#include "widgets/WaitCursor.h"
#include "shell/FrmMain.h"
#include "shell/FrmPopMenu.h"
#include "shell/LookUp.h"
#include "shell/ModBase.h"
#include "shell/ModData.h"
#include "shell/ModDataGrid.h"
#include "shell/ModINI.h"
#include "shell/ReagentPickTarget.h"
#include "widgets/DropDownCombo.h"
#include "widgets/EntryFilter.h"
#include "widgets/FlexGrid.h"
#include "widgets/Twips.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTimer>

#include <functional>

using registers::CatalogueFilter;
using registers::ProductEntry;

namespace {

const QString kAddCaption = QStringLiteral("试剂基本信息设置（添加模式）");
const QString kEditCaption = QStringLiteral("试剂基本信息设置（修改模式）");

// The list's columns, as the list query gives them.
enum Column {
    ColId, ColPinyin, ColName, ColSpec, ColUnit, ColGroup, ColMakerId, ColMaker, ColApproval, ColStopped,
    ColBarcode, ColLow, ColHigh
};
// The rights that open the group, unit and manufacturer registers.
constexpr int kGroupsRight = 18;
constexpr int kUnitsRight = 19;
constexpr int kMakersRight = 21;

const QList<int> kColumnWidths = {0, 1400, 3300, 2000, 600, 1000, 0, 1500, 1500, 600, 1700, 1000, 1000};

// A combo box whose list is filled when it first drops down.
DropDownCombo *dropDown(QWidget *parent, QObject *context, std::function<void()> beforePopup)
{
    auto *combo = new DropDownCombo(parent);
    QObject::connect(combo, &DropDownCombo::DropDown, context, std::move(beforePopup));
    return combo;
}

// Fills the list once, keeping what the user has typed and running no change handling.
void fillOnce(QComboBox *combo, const QString &sql, bool addBlank)
{
    if (combo->count() > 0)
        return;
    const QString typed = combo->currentText();
    const QSignalBlocker blocker(combo);
    ModData::FillCombo(combo, sql, addBlank);
    combo->setEditText(typed);
}

// A register as a modal picker, shown only to a user who may open it.
template <typename Register>
void showPicker(QWidget *owner, int right)
{
    if (!FrmMain::commandEnabled(right))
        return;
    Register picker(owner);
    platform::execModal(&picker);
}

// What a failed list query leaves behind: the status idle, then the common error box.
void listFailed()
{
    ModBase::SetStatus(QString());
    ModBase::ShowErr();
}

} // namespace

FrmSetProduct::FrmSetProduct(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("FrmSetProduct"));
    setWindowTitle(QStringLiteral("试剂基本信息设置"));
    resize(sizeHint());

    buildEntryFrame();
    buildSearchFrame();

    GridTip = new FlexGrid(this);
    GridTip->setObjectName(QStringLiteral("GridTip"));
    GridTip->setGeometry(twips::rect(8280, 150, 3435, 4335));
    ModData::ResetGrid(GridTip);
    m_lookUp = new LookUp(GridTip);
    m_lookUp->addField(CmbField[ProductEntry::Unit], registers::unitKind(CmbField[ProductEntry::Group]));
    m_lookUp->addField(CmbField[ProductEntry::Group], registers::categoryKind(CmbField[ProductEntry::Maker]));
    m_lookUp->addField(CmbField[ProductEntry::Maker], registers::manufacturerKind(CmbField[ProductEntry::Approval]));

    GridShow = new FlexGrid(this);
    GridShow->setObjectName(QStringLiteral("GridShow"));
    GridShow->setGeometry(twips::rect(180, 4500, 11535, 4320));
    connect(GridShow, &FlexGrid::Click, this, [this](int row, int) { GridShow_Click(row); });
    connect(GridShow, &FlexGrid::DblClick, this, [this](int row, int) { GridShow_DblClick(row); });

    GridOut = new FlexGrid(this);
    GridOut->setObjectName(QStringLiteral("GridOut"));
    GridOut->setVisible(false);

    TLoad = new QTimer(this);
    TLoad->setObjectName(QStringLiteral("TLoad"));
    TLoad->setInterval(1);
    TLoad->setSingleShot(true);
    connect(TLoad, &QTimer::timeout, this, [this] { TLoad_Timer(); });

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(800);
    Timer1->setSingleShot(true);
    connect(Timer1, &QTimer::timeout, this, [this] { GridShow->setEnabled(true); });

    CmdSet[2]->setEnabled(false);
    CmdSet[4]->setEnabled(false);
    FamSet->setTitle(kAddCaption);

    new EntryFilter(this);
}

QSize FrmSetProduct::sizeHint() const
{
    return {twips::pixels(12000), twips::pixels(9300)};
}

void FrmSetProduct::buildEntryFrame()
{
    FamSet = new QGroupBox(this);
    FamSet->setObjectName(QStringLiteral("FamSet"));
    FamSet->setGeometry(twips::rect(180, 30, 8085, 3195));

    struct Place {
        const char16_t *label;
        int x, y;
        bool required;
    };
    // CmbField(0) to (5) down the left column, (6) to (9) down the right one.
    const Place places[ProductEntry::FieldCount] = {
        {u"试剂名称:", 0, 360, true},  {u"拼 音 码:", 0, 720, true},  {u"条 形 码:", 0, 1080, false},
        {u"规    格:", 0, 1440, true}, {u"单    位:", 0, 1800, true}, {u"组    别:", 0, 2160, true},
        {u"厂    商:", 1, 360, true},  {u"批准文号:", 1, 720, false}, {u"库存低限:", 1, 1080, false},
        {u"库存高限:", 1, 1440, false},
    };
    const int labelX[] = {240, 4140};
    const int fieldX[] = {1350, 5220};
    // The left fields leave room for their pickers and markers before the right labels.
    const int fieldWidth[] = {1900, 2100};
    std::array<bool, ProductEntry::FieldCount> required{};
    for (int i = 0; i < ProductEntry::FieldCount; ++i) {
        const Place &p = places[i];
        auto *label = new QLabel(QString::fromUtf16(p.label), FamSet);
        label->setGeometry(twips::rect(labelX[p.x], p.y + 45, 1100, 300));
        if (i == ProductEntry::Approval)
            CmbField[i] = dropDown(FamSet, this, [this] {
                fillOnce(CmbField[ProductEntry::Approval],
                         QStringLiteral("SELECT DISTINCT 批准文号 FROM shijijibenxinxi WHERE 停用 = 0 "
                                        "ORDER BY 批准文号 COLLATE ZH"),
                         false);
            });
        else
            CmbField[i] = new QComboBox(FamSet);
        CmbField[i]->setObjectName(QStringLiteral("CmbField_%1").arg(i));
        CmbField[i]->setEditable(true);
        CmbField[i]->setGeometry(twips::rect(fieldX[p.x], p.y, fieldWidth[p.x], 330));
        CmbField[i]->installEventFilter(this);
        connect(CmbField[i], &QComboBox::editTextChanged, this, [this, i] { CmbField_Change(i); });
        required[static_cast<std::size_t>(i)] = p.required;
    }

    auto *stoppedLabel = new QLabel(QStringLiteral("停    用:"), FamSet);
    stoppedLabel->setGeometry(twips::rect(labelX[1], 1800 + 45, 1100, 300));
    CheTY = new QCheckBox(FamSet);
    CheTY->setObjectName(QStringLiteral("CheTY"));
    CheTY->setGeometry(twips::rect(fieldX[1], 1800, 600, 330));
    CheTY->installEventFilter(this);

    // The "..." pickers: group, manufacturer, unit.
    const std::pair<int, ProductEntry::Field> pickers[] = {
        {0, ProductEntry::Group}, {1, ProductEntry::Maker}, {2, ProductEntry::Unit}};
    for (const auto &[i, field] : pickers) {
        CmdAdd[i] = new QPushButton(QStringLiteral("..."), FamSet);
        CmdAdd[i]->setObjectName(QStringLiteral("CmdAdd_%1").arg(i));
        const QRect at = CmbField[field]->geometry();
        CmdAdd[i]->setGeometry(at.right() + 3, at.top(), 22, at.height());
        CmdAdd[i]->setFocusPolicy(Qt::NoFocus);
        connect(CmdAdd[i], &QPushButton::clicked, this, [this, i = i] { CmdAdd_Click(i); });
    }
    // A required field's "*" right beside it, or beside its picker where it has one.
    for (int i = 0; i < ProductEntry::FieldCount; ++i) {
        if (!required[static_cast<std::size_t>(i)])
            continue;
        QRect at = CmbField[i]->geometry();
        for (const auto &[b, field] : pickers)
            if (field == i)
                at = CmdAdd[b]->geometry();
        auto *star = new QLabel(QStringLiteral("*"), FamSet);
        star->setStyleSheet(QStringLiteral("color: red;"));
        star->setGeometry(at.right() + 3, CmbField[i]->y() + twips::pixels(45), twips::pixels(150), twips::pixels(300));
    }
    CmdAdd[0]->setEnabled(FrmMain::commandEnabled(kGroupsRight));
    CmdAdd[1]->setEnabled(FrmMain::commandEnabled(kMakersRight));

    const char16_t *const captions[] = {u"新增(&N)", u"保存(&S)", u"删除(&D)", u"关闭(&C)", u"复制(&C)", u"设高低限(&X)"};
    for (int i = 0; i < 6; ++i) {
        CmdSet[i] = new QPushButton(QString::fromUtf16(captions[i]), FamSet);
        CmdSet[i]->setObjectName(QStringLiteral("CmdSet_%1").arg(i));
        CmdSet[i]->setGeometry(twips::rect(240 + 1290 * i, 2640, 1200, 405));
        connect(CmdSet[i], &QPushButton::clicked, this, [this, i] { CmdSet_Click(i); });
    }

    for (int i = 0; i + 1 < ProductEntry::FieldCount; ++i)
        setTabOrder(CmbField[i], CmbField[i + 1]);
    setTabOrder(CmbField[ProductEntry::High], CheTY);
}

void FrmSetProduct::buildSearchFrame()
{
    Frame1 = new QGroupBox(QStringLiteral("检索试剂基本信息"), this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setGeometry(twips::rect(180, 3240, 8085, 1245));

    auto *nameLabel = new QLabel(QStringLiteral("品    名:"), Frame1);
    nameLabel->setGeometry(twips::rect(240, 345, 1100, 300));
    CmbSJDM = dropDown(Frame1, this, [this] {
        fillOnce(CmbSJDM, QStringLiteral("SELECT DISTINCT 品名 FROM shijijibenxinxi ORDER BY 品名 COLLATE ZH"), true);
    });
    CmbSJDM->setObjectName(QStringLiteral("CmbSJDM"));
    CmbSJDM->setToolTip(QStringLiteral("输入：拼音码、条形码、中文试剂名称，检索试剂"));
    CmbSJDM->setGeometry(twips::rect(1350, 300, 3000, 330));
    connect(CmbSJDM, &QComboBox::editTextChanged, this, [this] { CmbSJDM_Change(); });

    auto *groupLabel = new QLabel(QStringLiteral("组    别:"), Frame1);
    groupLabel->setGeometry(twips::rect(240, 765, 1100, 300));
    CmbZB = dropDown(Frame1, this, [this] {
        fillOnce(CmbZB, QStringLiteral("SELECT DISTINCT 组别 FROM shijijibenxinxi ORDER BY 组别 COLLATE ZH"), true);
    });
    CmbZB->setObjectName(QStringLiteral("CmbZB"));
    CmbZB->setGeometry(twips::rect(1350, 720, 3000, 330));
    connect(CmbZB, &QComboBox::editTextChanged, this, [this] { CmbZB_Change(); });

    const char16_t *const options[] = {u"显示所有", u"不显示已停用试剂"};
    for (int i = 0; i < 2; ++i) {
        OptShow[i] = new QRadioButton(QString::fromUtf16(options[i]), Frame1);
        OptShow[i]->setObjectName(QStringLiteral("OptShow_%1").arg(i));
        OptShow[i]->setGeometry(twips::rect(4620, 300 + 420 * i, 2000, 330));
        connect(OptShow[i], &QRadioButton::clicked, this, [this, i] { OptShow_Click(i); });
    }

    CmdPrint = new QPushButton(QStringLiteral("导出列表(&P)"), Frame1);
    CmdPrint->setObjectName(QStringLiteral("CmdPrint"));
    CmdPrint->setGeometry(twips::rect(6660, 270, 1260, 405));
    // The export shows the last query put into the hidden grid: the list or the last search.
    connect(CmdPrint, &QPushButton::clicked, this, [this] {
        ModData::ExportGrid(this, GridOut->snapshot(), QStringLiteral("试剂基本信息"), 1, true);
    });
    CmdHelp = new QPushButton(QStringLiteral("？"), Frame1);
    CmdHelp->setObjectName(QStringLiteral("CmdHelp"));
    CmdHelp->setGeometry(twips::rect(6660, 720, 1260, 405));
    connect(CmdHelp, &QPushButton::clicked, this,
            [this] { FrmPopMenu::helpButton(this, QStringLiteral("::/3.htm#38"), QStringLiteral("/Demo/44.htm")); });
}

void FrmSetProduct::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    // The first query waits until the window is on the screen.
    if (!m_shown) {
        m_shown = true;
        TLoad->start();
    }
}

void FrmSetProduct::TLoad_Timer()
{
    // A stored value other than 0 and 1 selects the first option.
    const int option = ModBase::ShowStop == 1 ? 1 : 0;
    OptShow[option]->setChecked(true);
    OptShow_Click(option);
    applyColumnWidths();
}

void FrmSetProduct::applyColumnWidths()
{
    GridShow->setColWidths(kColumnWidths);
}

void FrmSetProduct::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    const int inner = width();
    GridTip->resize(qMax(0, inner - GridTip->x() - twips::pixels(270)), GridTip->height());
    GridShow->resize(qMax(0, inner - twips::pixels(450)), qMax(0, height() - GridShow->y() - twips::pixels(480)));
}

void FrmSetProduct::closeEvent(QCloseEvent *event)
{
    // A catalogue closed without a pick leaves no register picking for it.
    ModBase::PickMode = false;
    event->accept();
}

bool FrmSetProduct::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusIn && std::find(CmbField.begin(), CmbField.end(), watched) != CmbField.end())
        ModData::ResetGrid(GridTip);
    if (watched == CheTY && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            focusNextChild();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void FrmSetProduct::OptShow_Click(int index)
{
    ModBase::ShowStop = static_cast<qint16>(index);
    ModINI::WriteINI(QStringLiteral("显示已停用试剂"), QStringLiteral("显示"), QString::number(index), ModBase::IniFile);
    StopFilter = OptShow[1]->isChecked();
    RefreshShow();
}

void FrmSetProduct::showList(const CatalogueFilter &filter)
{
    dao::Database &db = ModData::database();
    GridShow->setRedraw(false);
    try {
        GridShow->Fill(db, registers::listSql(filter), filter.params);
    } catch (...) {
        GridShow->setRedraw(true);
        throw;
    }
    applyColumnWidths();
    GridShow->setRedraw(true);
}

void FrmSetProduct::OutDataShow(const CatalogueFilter &filter)
{
    OutSQL = filter;
    dao::Database &db = ModData::database();
    GridOut->Fill(db, registers::exportSql(filter), filter.params);
}

void FrmSetProduct::RefreshShow()
{
    try {
        const WaitCursor wait;
        const CatalogueFilter all = registers::wholeList(StopFilter);
        showList(all);
        OutDataShow(all);
        for (const ProductEntry::Field f : {ProductEntry::Name, ProductEntry::Pinyin, ProductEntry::Barcode,
                                            ProductEntry::Approval, ProductEntry::Low, ProductEntry::High})
            CmbField[f]->setEditText(QString());
        // A search box that held text lists its search for the empty text.
        CmbZB->setEditText(QString());
        CmbSJDM->setEditText(QString());
        setAddMode();
    } catch (...) {
        listFailed();
    }
}

void FrmSetProduct::setAddMode()
{
    AddMode = true;
    CheTY->setChecked(false);
    CmdSet[2]->setEnabled(false);
    CmdSet[4]->setEnabled(false);
    FamSet->setTitle(kAddCaption);
}

void FrmSetProduct::CmbSJDM_Change()
{
    search(CmbZB, registers::nameBoxSearch(CmbSJDM->currentText(), StopFilter));
}

void FrmSetProduct::CmbZB_Change()
{
    search(CmbSJDM, registers::groupBoxSearch(CmbZB->currentText(), StopFilter));
}

void FrmSetProduct::search(QComboBox *other, const CatalogueFilter &filter)
{
    try {
        // The other box's search would only be replaced by this one.
        {
            const QSignalBlocker blocker(other);
            other->setEditText(QString());
        }
        OutDataShow(filter);
        showList(filter);
    } catch (...) {
        listFailed();
    }
}

void FrmSetProduct::CmbField_Change(int index)
{
    CmdSet[2]->setEnabled(false);
    CmdSet[4]->setEnabled(false);
    if (index == ProductEntry::Name)
        CmbField[ProductEntry::Pinyin]->setEditText(ModData::GetPY(CmbField[ProductEntry::Name]->currentText()).left(10));
}

void FrmSetProduct::GridShow_Click(int row)
{
    const int r = GridShow->Row();
    if (row < 1 || GridShow->Rows() < 2 || GridShow->TextMatrix(r, ColId).isEmpty())
        return;
    AddMode = false;
    EditID = GridShow->TextMatrix(r, ColId).toInt();
    const auto set = [this, r](ProductEntry::Field f, int col) {
        CmbField[f]->setEditText(GridShow->TextMatrix(r, col));
        CmbField[f]->lineEdit()->setCursorPosition(0); // a long text shows its beginning
    };
    set(ProductEntry::Name, ColName);
    set(ProductEntry::Pinyin, ColPinyin); // the stored code, not the one just computed from the name
    set(ProductEntry::Barcode, ColBarcode);
    set(ProductEntry::Spec, ColSpec);
    set(ProductEntry::Unit, ColUnit);
    set(ProductEntry::Group, ColGroup);
    ModBase::PickCSID = GridShow->TextMatrix(r, ColMakerId).toInt();
    set(ProductEntry::Maker, ColMaker);
    set(ProductEntry::Approval, ColApproval);
    set(ProductEntry::Low, ColLow);
    set(ProductEntry::High, ColHigh);
    CheTY->setChecked(GridShow->TextMatrix(r, ColStopped).toInt() != 0);
    CmdSet[2]->setEnabled(true);
    CmdSet[4]->setEnabled(true);
    FamSet->setTitle(kEditCaption);
    CmbField[ProductEntry::Name]->setFocus();
}

void FrmSetProduct::GridShow_DblClick(int row)
{
    if (!ModBase::PickMode || row < 1 || GridShow->Rows() < 2 || GridShow->Cols() < 4)
        return;
    const int r = GridShow->Row();
    const QString name = GridShow->TextMatrix(r, ColName);
    if (GridShow->TextMatrix(r, ColStopped).toInt() == -1) {
        platform::msgBox(QStringLiteral("“") + name + QStringLiteral("”已设置停用\n\n不能入库"), platform::Buttons::Ok,
                         platform::Icon::Information, QString(), this);
        return;
    }
    // The pick goes only to a receipt window that is still open; without one there is
    // nothing left to pick for.
    const FrmMain *main = FrmMain::instance();
    auto *target = main ? dynamic_cast<ReagentPickTarget *>(main->loadedWindow(QStringLiteral("FrmProductIn"))) : nullptr;
    ModBase::PickMode = false;
    if (!target)
        return;
    target->PickReagent(GridShow->TextMatrix(r, ColId).toInt(), name, GridShow->TextMatrix(r, ColUnit));
    close();
}

void FrmSetProduct::CmdAdd_Click(int index)
{
    // Off while the register shows, so the double-click that picks there cannot reach the list.
    GridShow->setEnabled(false);
    const bool picking = ModBase::PickMode;
    ModBase::PickMode = true;
    const auto picked = [this](ProductEntry::Field field, const QString &slot) {
        CmbField[field]->setEditText(slot);
        CmbField[field]->setFocus();
    };
    switch (index) {
    case 0:
        ModBase::PickGroup = CmbField[ProductEntry::Group]->currentText();
        showPicker<FrmSetCategory>(this, kGroupsRight);
        picked(ProductEntry::Group, ModBase::PickGroup);
        break;
    case 1:
        // Closing the register without a choice leaves no manufacturer.
        ModBase::PickCS.clear();
        showPicker<FrmSetManufacturer>(this, kMakersRight);
        picked(ProductEntry::Maker, ModBase::PickCS);
        break;
    case 2:
        ModBase::PickUnit = CmbField[ProductEntry::Unit]->currentText();
        showPicker<FrmSetUnit>(this, kUnitsRight);
        picked(ProductEntry::Unit, ModBase::PickUnit);
        break;
    default:
        break;
    }
    // Opened as the receipt window's picker, the catalogue goes on picking for it.
    ModBase::PickMode = picking;
    Timer1->start();
}

void FrmSetProduct::CmdSet_Click(int index)
{
    switch (index) {
    case 0:
        RefreshShow();
        AddMode = true;
        FamSet->setTitle(kAddCaption);
        CmbField[ProductEntry::Name]->setFocus();
        break;
    case 1:
        SaveRecord();
        break;
    case 2:
        DeleteRecord();
        break;
    case 3:
        close();
        return;
    case 4:
        CopyRecord();
        break;
    case 5:
        SetLimits();
        return;
    default:
        return;
    }
    ModData::ResetGrid(GridTip);
}

ProductEntry FrmSetProduct::entry() const
{
    ProductEntry e;
    for (int i = 0; i < ProductEntry::FieldCount; ++i)
        e.text[i] = CmbField[i]->currentText();
    e.disabled = CheTY->isChecked();
    e.makerId = ModBase::PickCSID;
    e.addMode = AddMode;
    e.editId = EditID;
    return e;
}

void FrmSetProduct::SaveRecord()
{
    try {
        dao::Database &db = ModData::database();
        const ProductEntry e = entry();
        if (!passChecks([&](int from) { return registers::firstRefusal(db, e, from); },
                        QList<QComboBox *>(CmbField.begin(), CmbField.end()), this))
            return;
        if (AddMode) {
            registers::addProduct(db, e);
            RefreshShow();
        } else {
            registers::updateProduct(db, e);
            updateEditedRow();
            OutDataShow(registers::wholeList(StopFilter));
            for (const ProductEntry::Field f : {ProductEntry::Name, ProductEntry::Pinyin, ProductEntry::Barcode,
                                                ProductEntry::Approval, ProductEntry::Low, ProductEntry::High})
                CmbField[f]->setEditText(QString());
            setAddMode();
        }
        CmbField[ProductEntry::Name]->setFocus();
    } catch (...) {
        ModBase::ShowErr();
    }
}

void FrmSetProduct::updateEditedRow()
{
    // The row of the record edited, wherever the current row has moved since.
    const QString id = QString::number(EditID);
    int r = 1;
    while (r < GridShow->Rows() && GridShow->TextMatrix(r, ColId) != id)
        ++r;
    if (r >= GridShow->Rows())
        return;
    const auto set = [this, r](int col, ProductEntry::Field f) {
        GridShow->setTextMatrix(r, col, CmbField[f]->currentText().trimmed());
    };
    set(ColPinyin, ProductEntry::Pinyin);
    set(ColName, ProductEntry::Name);
    set(ColSpec, ProductEntry::Spec);
    set(ColUnit, ProductEntry::Unit);
    set(ColGroup, ProductEntry::Group);
    GridShow->setTextMatrix(r, ColMakerId, QString::number(ModBase::PickCSID));
    set(ColMaker, ProductEntry::Maker);
    set(ColApproval, ProductEntry::Approval);
    GridShow->setTextMatrix(r, ColStopped, CheTY->isChecked() ? QStringLiteral("-1") : QStringLiteral("0"));
    set(ColBarcode, ProductEntry::Barcode);
    set(ColLow, ProductEntry::Low);
    set(ColHigh, ProductEntry::High);
}

void FrmSetProduct::DeleteRecord()
{
    try {
        dao::Database &db = ModData::database();
        // A reagent with lots in stock stays, or its lots and movements would lose their name.
        if (const std::optional<QString> why = registers::deleteRefusal(db, EditID)) {
            platform::msgBox(*why, platform::Buttons::Ok, platform::Icon::Information, QString(), this);
            return;
        }
        if (platform::msgBox(QStringLiteral("确实要删除一个记录？"), platform::Buttons::YesNo,
                             platform::Icon::Exclamation, QStringLiteral("删除记录"), this)
            != platform::Answer::Yes)
            return;
        registers::deleteProduct(db, EditID);
        RefreshShow();
        CmbField[ProductEntry::Name]->setFocus();
    } catch (...) {
        ModBase::ShowErr();
    }
}

void FrmSetProduct::CopyRecord()
{
    AddMode = true;
    FamSet->setTitle(kAddCaption);
    CmbField[ProductEntry::Name]->setEditText(QStringLiteral("复制的 ") + CmbField[ProductEntry::Name]->currentText());
    CmbField[ProductEntry::Name]->setFocus();
}

void FrmSetProduct::SetLimits()
{
    {
        FrmSetGDX dialog;
        platform::execModal(&dialog);
    }
    if (ModBase::LowLimit >= 0)
        SetGDX();
    RefreshShow();
    AddMode = true;
    FamSet->setTitle(kAddCaption);
    CmbField[ProductEntry::Name]->setFocus();
}

void FrmSetProduct::TipGet()
{
    m_lookUp->TipGet();
}

void FrmSetProduct::SetGDX()
{
    try {
        registers::setAllLimits(ModData::database(), ModBase::LowLimit, ModBase::HighLimit);
    } catch (...) {
        ModBase::ShowErr();
    }
}
