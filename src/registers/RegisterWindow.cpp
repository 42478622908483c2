#include "RegisterWindow.h"

#include "RegisterTable.h"
#include "dao/Database.h"
#include "platform/Dialogs.h"
#include "reports/ExportGrid.h"
#include "shell/FrmPopMenu.h"
#include "shell/ModBase.h"
#include "shell/ModData.h"
#include "widgets/EntryFilter.h"
#include "widgets/FlexGrid.h"
#include "widgets/NamedButton.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace registers {
namespace {

const QString kAddMode = QStringLiteral("（添加模式）");
const QString kEditMode = QStringLiteral("（修改模式）");

QComboBox *textCombo(QWidget *parent, const QString &name)
{
    auto *c = new QComboBox(parent);
    c->setObjectName(name);
    c->setEditable(true);
    c->setInsertPolicy(QComboBox::NoInsert); // used as a text field: the list stays empty
    return c;
}

} // namespace

RegisterWindow::RegisterWindow(RegisterKind kind, QWidget *parent) : QDialog(parent), m_kind(std::move(kind))
{
    setObjectName(m_kind.objectName);
    setWindowTitle(m_kind.caption);
    buildControls();
    buildLayout();

    auto *entry = new EntryFilter(this);
    entry->exempt(CmbJS, EntryFilter::FocusColour);

    CmdSet[2]->setEnabled(false);
    FamSet->setTitle(m_kind.frameCaption + kAddMode);
    RefreshShow();
    nameField()->setFocus(); // the first field in tab order
}

void RegisterWindow::buildControls()
{
    lblLab = new QLabel(m_kind.searchLabel, this);
    lblLab->setObjectName(QStringLiteral("lblLab"));
    CmbJS = textCombo(this, QStringLiteral("CmbJS"));
    QPalette green = CmbJS->palette(); // the search box is always light green
    for (const auto group : {QPalette::Active, QPalette::Inactive})
        green.setColor(group, QPalette::Base, EntryFilter::focusColour());
    CmbJS->setPalette(green);
    CmdShowAll = namedButton(QStringLiteral("CmdShowAll"), m_kind.showAllCaption, this);
    if (!m_kind.exportTitle.isEmpty())
        CmdDC = namedButton(QStringLiteral("CmdDC"), QStringLiteral("导出(&E)"), this);
    GridShow = new FlexGrid(this);
    GridShow->setObjectName(QStringLiteral("GridShow"));
    FamSet = new QGroupBox(this);
    FamSet->setObjectName(QStringLiteral("FamSet"));

    for (int i = 0; i < m_kind.fields.size(); ++i) {
        const RegisterField &f = m_kind.fields.at(i);
        auto *label = new QLabel(f.label, FamSet);
        label->setObjectName(QStringLiteral("lblLabels_%1").arg(i));
        lblLabels.append(label);
        auto *mark = new QLabel(f.required ? QStringLiteral("*") : QString(), FamSet);
        mark->setObjectName(QStringLiteral("Label1_%1").arg(i));
        mark->setStyleSheet(QStringLiteral("color: red;"));
        Label1.append(mark);
        QComboBox *field = textCombo(FamSet, QStringLiteral("CmbField_%1").arg(i));
        field->setMinimumWidth(160);
        CmbField.append(field);
        connect(field, &QComboBox::editTextChanged, this, [this, i] { fieldChanged(i); });
    }

    const std::array<QString, 4> captions = {QStringLiteral("新增(&N)"), QStringLiteral("保存(&S)"),
                                             QStringLiteral("删除(&D)"), QStringLiteral("关闭(&C)")};
    for (int i = 0; i < 4; ++i)
        CmdSet[i] = namedButton(QStringLiteral("CmdSet_%1").arg(i), captions[i], FamSet);
    CmdHelp = namedButton(QStringLiteral("CmdHelp"), QStringLiteral("？"), this);

    connect(CmbJS, &QComboBox::editTextChanged, this, [this] { RefreshShow(); });
    connect(CmdShowAll, &QPushButton::clicked, this, [this] {
        CmbJS->setEditText(QString());
        RefreshShow();
    });
    // The header row is no record: a click on it loads nothing.
    connect(GridShow, &FlexGrid::Click, this, [this](int row) {
        if (row >= 1)
            gridClicked();
    });
    connect(GridShow, &FlexGrid::DblClick, this, [this](int row) {
        if (row >= 1)
            gridDoubleClicked();
    });
    connect(CmdSet[0], &QPushButton::clicked, this, [this] { newRecord(); });
    connect(CmdSet[1], &QPushButton::clicked, this, [this] { SaveRecord(); });
    connect(CmdSet[2], &QPushButton::clicked, this, [this] { DeleteRecord(); });
    connect(CmdSet[3], &QPushButton::clicked, this, [this] { reject(); });
    if (CmdDC)
        connect(CmdDC, &QPushButton::clicked, this, [this] { exportList(); });
    connect(CmdHelp, &QPushButton::clicked, this, [this] {
        FrmPopMenu::helpButton(this, m_kind.helpTopic, m_kind.helpPage);
    });
}

void RegisterWindow::buildLayout()
{
    auto *fields = new QGridLayout;
    const bool card = m_kind.fields.size() > 2;
    const int perColumn = card ? (static_cast<int>(m_kind.layoutOrder.size()) + 1) / 2 : 2;
    for (int k = 0; k < m_kind.layoutOrder.size(); ++k) {
        const int i = m_kind.layoutOrder.at(k);
        const int row = k % perColumn;
        const int col = (k / perColumn) * 4; // label, field, mark, a gap before the next column
        fields->addWidget(lblLabels.at(i), row, col);
        fields->addWidget(CmbField.at(i), row, col + 1);
        fields->addWidget(Label1.at(i), row, col + 2);
        fields->setColumnStretch(col + 1, 1);
        fields->setColumnMinimumWidth(col + 3, 16);
    }

    auto *buttons = new QGridLayout;
    buttons->addWidget(CmdSet[0], 0, 0);
    buttons->addWidget(CmdSet[1], 0, 1);
    buttons->addWidget(CmdSet[2], 1, 0);
    buttons->addWidget(CmdSet[3], 1, 1);

    auto *search = new QHBoxLayout;
    search->addWidget(lblLab);
    search->addWidget(CmbJS, 1);
    search->addWidget(CmdShowAll);
    if (CmdDC)
        search->addWidget(CmdDC);

    auto *frame = new QVBoxLayout(FamSet);
    if (card) {
        auto *row = new QHBoxLayout;
        row->addLayout(fields, 1);
        row->addLayout(buttons);
        frame->addLayout(row);

        auto *top = new QHBoxLayout;
        top->addLayout(search, 1);
        top->addWidget(CmdHelp);
        auto *all = new QVBoxLayout(this);
        all->addLayout(top);
        all->addWidget(GridShow, 1);
        all->addWidget(FamSet);
        resize(900, 560);
    } else {
        frame->addLayout(fields);
        frame->addStretch(1);
        frame->addLayout(buttons);
        auto *help = new QHBoxLayout;
        help->addStretch(1);
        help->addWidget(CmdHelp);

        auto *left = new QVBoxLayout;
        left->addLayout(search);
        left->addWidget(GridShow, 1);
        auto *right = new QVBoxLayout;
        right->addWidget(FamSet, 1);
        right->addLayout(help);
        auto *all = new QHBoxLayout(this);
        all->addLayout(left, 1);
        all->addLayout(right);
        resize(560, 400);
    }

    // Name, pinyin code (and the rest of the card), the buttons, then the search.
    QList<QWidget *> order;
    for (int i : m_kind.layoutOrder)
        order.append(CmbField.at(i));
    order << CmdSet[1] << CmdSet[0] << CmdSet[2] << CmdSet[3] << CmdHelp << CmbJS << CmdShowAll;
    if (CmdDC)
        order << CmdDC;
    for (int k = 1; k < order.size(); ++k)
        setTabOrder(order.at(k - 1), order.at(k));
}

bool RegisterWindow::event(QEvent *e)
{
    if (e->type() == QEvent::WindowActivate)
        applyColumnWidths();
    return QDialog::event(e);
}

void RegisterWindow::applyColumnWidths()
{
    GridShow->setColWidths(m_kind.colWidths);
}

void RegisterWindow::setMode(bool add)
{
    AddMode = add;
    FamSet->setTitle(m_kind.frameCaption + (add ? kAddMode : kEditMode));
}

void RegisterWindow::RefreshShow()
{
    const QString key = CmbJS->currentText().trimmed();
    if (key.isEmpty()) {
        const QSignalBlocker quiet(CmbJS);
        CmbJS->setEditText(QString());
    }
    try {
        GridShow->Fill(RegisterTable(connection(), m_kind).list(key));
        applyColumnWidths();
    } catch (...) {
        ModBase::ShowErr();
        return;
    }
    for (QComboBox *f : std::as_const(CmbField))
        f->setEditText(QString());
    setMode(true);
    CmdSet[2]->setEnabled(false);
}

void RegisterWindow::fieldChanged(int index)
{
    if (index == m_kind.nameIndex)
        pinyinField()->setEditText(ModData::GetPY(nameField()->currentText()));
    CmdSet[2]->setEnabled(false);
}

void RegisterWindow::fill(const QStringList &textsByField)
{
    // The name first: its change computes a pinyin code, which the stored one then replaces.
    nameField()->setEditText(textsByField.at(m_kind.nameIndex));
    for (int i = 0; i < CmbField.size(); ++i)
        if (i != m_kind.nameIndex)
            CmbField.at(i)->setEditText(textsByField.at(i));
}

void RegisterWindow::gridClicked()
{
    const int row = GridShow->Row();
    if (GridShow->Rows() < 2 || row < 1 || GridShow->TextMatrix(row, 0).isEmpty())
        return;
    AddMode = false;
    EditID = GridShow->TextMatrix(row, 0).toInt();
    QStringList texts;
    if (m_kind.rowFromDatabase) {
        try {
            const dao::Row stored = RegisterTable(connection(), m_kind).read(EditID);
            for (const RegisterField &f : m_kind.fields)
                texts.append(stored.text(f.tablePos));
        } catch (...) {
            ModBase::ShowErr();
            return;
        }
    } else {
        for (const RegisterField &f : m_kind.fields)
            texts.append(GridShow->TextMatrix(row, f.gridCol));
    }
    fill(texts);
    CmdSet[2]->setEnabled(true);
    setMode(false);
    nameField()->setFocus();
    nameField()->lineEdit()->selectAll();
}

void RegisterWindow::gridDoubleClicked()
{
    const int row = GridShow->Row();
    // A blank row (an empty list) holds no key: it picks nothing.
    if (!ModBase::PickMode || GridShow->Rows() < 2 || GridShow->Cols() <= 2 || row < 1
        || GridShow->TextMatrix(row, 0).isEmpty())
        return;
    if (m_kind.pickId)
        *m_kind.pickId = GridShow->TextMatrix(row, 0).toInt();
    if (m_kind.pickName)
        *m_kind.pickName = GridShow->TextMatrix(row, 2);
    accept();
}

void RegisterWindow::newRecord()
{
    RefreshShow();
    setMode(true);
    nameField()->setFocus();
}

QStringList RegisterWindow::valuesByPosition() const
{
    QStringList values(m_kind.fields.size());
    for (int i = 0; i < m_kind.fields.size(); ++i) {
        const QString text = CmbField.at(i)->currentText();
        values[m_kind.fields.at(i).tablePos - 1] = m_kind.trimOnSave ? text.trimmed() : text;
    }
    return values;
}

void RegisterWindow::SaveRecord()
{
    using platform::Answer;
    using platform::Buttons;
    using platform::Icon;
    if (nameField()->currentText().trimmed().isEmpty()) {
        platform::msgBox(m_kind.emptyNameMessage, Buttons::Ok, Icon::Information, QString(), this);
        nameField()->setFocus();
        return;
    }
    ModBase::NameWidth = ModData::TextWidthCJK(nameField()->currentText());
    if (ModBase::NameWidth > NameWidthLimit
        && platform::msgBox(QStringLiteral("字段内容设置过长，报表将无法正常打印。\n\n请缩减字段内容，4个中文字符宽度以内为最佳"),
                            Buttons::YesNo, Icon::Question, QString(), this)
               == Answer::Yes) {
        nameField()->setFocus();
        return;
    }
    if (pinyinField()->currentText().trimmed().isEmpty()) {
        platform::msgBox(QStringLiteral("拼音码不能为空"), Buttons::Ok, Icon::Information, QString(), this);
        pinyinField()->setFocus();
        return;
    }
    try {
        const RegisterTable table(connection(), m_kind);
        if (AddMode)
            table.add(valuesByPosition());
        else
            table.update(EditID, valuesByPosition());
    } catch (...) {
        ModBase::ShowErr();
        return;
    }
    RefreshShow();
    nameField()->setFocus();
}

void RegisterWindow::DeleteRecord()
{
    using platform::Answer;
    using platform::Buttons;
    using platform::Icon;
    try {
        const QString refusal = RegisterTable(connection(), m_kind).inUse(EditID, nameField()->currentText());
        if (!refusal.isEmpty()) {
            platform::msgBox(refusal, Buttons::Ok, Icon::Exclamation, QString(), this);
            return;
        }
    } catch (...) {
        ModBase::ShowErr();
        return;
    }
    if (platform::msgBox(QStringLiteral("确实要删除一个记录？"), Buttons::YesNo, Icon::Exclamation,
                         QStringLiteral("删除记录"), this)
        != Answer::Yes)
        return;
    try {
        RegisterTable(connection(), m_kind).remove(EditID);
    } catch (...) {
        ModBase::ShowErr();
        return;
    }
    RefreshShow();
    nameField()->setFocus();
}

void RegisterWindow::exportList()
{
    if (GridShow->Rows() < 2)
        return;
    ModBase::PrintTitle = m_kind.exportTitle;
    ModBase::PrintGrid = GridShow->snapshot();
    // From column 1: the key column stays out of the document.
    ModData::ExportGrid(this, ModBase::PrintGrid, ModBase::PrintTitle, 1, true);
}

} // namespace registers
