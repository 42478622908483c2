#include "FrmNotebook.h"

#include "FrmPopMenu.h"
#include "ModBase.h"
#include "ModData.h"
#include "dao/Database.h"
#include "platform/Dialogs.h"
#include "widgets/EntryFilter.h"
#include "widgets/FlexGrid.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

void info(const QString &text, QWidget *owner)
{
    platform::msgBox(text, platform::Buttons::Ok, platform::Icon::Information, QString(), owner);
}

} // namespace

FrmNotebook::FrmNotebook(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FrmNotebook"));
    setWindowTitle(QStringLiteral("记事本/备忘录"));

    GridShow = new FlexGrid(this);
    GridShow->setObjectName(QStringLiteral("GridShow"));
    Opt[0] = new QRadioButton(QStringLiteral("所有"), this);
    Opt[1] = new QRadioButton(QStringLiteral("最近三个月"), this);
    for (int i = 0; i < 2; ++i)
        Opt[i]->setObjectName(QStringLiteral("Opt_%1").arg(i));
    Opt[0]->setChecked(true);

    FamSet = new QGroupBox(QStringLiteral("添加模式"), this);
    FamSet->setObjectName(QStringLiteral("FamSet"));
    CmbField[0] = new QComboBox(FamSet);
    CmbField[0]->setObjectName(QStringLiteral("CmbField_0"));
    CmbField[0]->setEditable(true);
    TxtCNT = new QPlainTextEdit(FamSet);
    TxtCNT->setObjectName(QStringLiteral("TxtCNT"));
    TxtCNT->setTabChangesFocus(true);
    auto *editor = new QGridLayout(FamSet);
    editor->addWidget(new QLabel(QStringLiteral("标题:"), FamSet), 0, 0);
    editor->addWidget(CmbField[0], 0, 1);
    editor->addWidget(new QLabel(QStringLiteral("内容:"), FamSet), 1, 0, Qt::AlignTop);
    editor->addWidget(TxtCNT, 1, 1);

    const std::array<QString, 4> captions = {QStringLiteral("新增(&N)"), QStringLiteral("保存(&S)"),
                                             QStringLiteral("删除(&D)"), QStringLiteral("关闭(&C)")};
    CmdHelp = new QPushButton(QStringLiteral("？"), this);
    CmdHelp->setObjectName(QStringLiteral("CmdHelp"));
    CmdHelp->setAutoDefault(false);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(CmdHelp);
    buttons->addStretch();
    for (int i = 0; i < 4; ++i) {
        CmdSet[i] = new QPushButton(captions[i], this);
        CmdSet[i]->setObjectName(QStringLiteral("CmdSet_%1").arg(i));
        CmdSet[i]->setAutoDefault(false);
        buttons->addWidget(CmdSet[i]);
    }

    auto *filter = new QHBoxLayout;
    filter->addWidget(Opt[0]);
    filter->addWidget(Opt[1]);
    filter->addStretch();
    auto *list = new QVBoxLayout;
    list->addLayout(filter);
    list->addWidget(GridShow);
    auto *right = new QVBoxLayout;
    right->addWidget(FamSet);
    right->addLayout(buttons);
    auto *layout = new QHBoxLayout(this);
    layout->addLayout(list, 2);
    layout->addLayout(right, 3);
    resize(720, 400);
    // The text is multi-line: Enter starts a new line in it.
    (new EntryFilter(this))->exempt(TxtCNT, EntryFilter::EnterToNext);

    connect(GridShow, &FlexGrid::Click, this, [this](int row, int) { takeRow(row); });
    connect(CmbField[0], &QComboBox::editTextChanged, this, [this] { CmdSet[2]->setEnabled(false); });
    connect(CmdSet[0], &QPushButton::clicked, this, &FrmNotebook::startNew);
    connect(CmdSet[1], &QPushButton::clicked, this, &FrmNotebook::save);
    connect(CmdSet[2], &QPushButton::clicked, this, &FrmNotebook::remove);
    connect(CmdSet[3], &QPushButton::clicked, this, &QDialog::reject);
    connect(CmdHelp, &QPushButton::clicked, this,
            [this] { FrmPopMenu::helpButton(this, QStringLiteral("::/8.htm#81"), QStringLiteral("/Demo/55.htm")); });
    for (QRadioButton *o : Opt)
        connect(o, &QRadioButton::clicked, this, &FrmNotebook::startNew);

    CmdSet[2]->setEnabled(false);
    RefreshShow();
    // A note starts with its title.
    CmbField[0]->setFocus();
}

void FrmNotebook::RefreshShow()
{
    try {
        const QString columns = QStringLiteral("SELECT 记事本ID, 日期, 标题, 内容, 用户ID FROM jishiben");
        const QString order = QStringLiteral(" ORDER BY 日期");
        dao::Database &db = ModData::database();
        const dao::Result notes = Opt[0]->isChecked()
            ? db.select(columns + order)
            : db.select(columns + QStringLiteral(" WHERE 日期 > ?") + order, {ModBase::SysDate.addDays(-90)});
        GridShow->Fill(notes);
        GridShow->setColWidths({0, 1300, 2500, 0, 0});
    } catch (...) {
        ModBase::ShowErr();
    }
    CmbField[0]->setEditText(QString());
    TxtCNT->clear();
    m_addMode = true;
    CmdSet[2]->setEnabled(false);
    FamSet->setTitle(QStringLiteral("添加模式"));
}

void FrmNotebook::takeRow(int row)
{
    if (row < 1 || row >= GridShow->Rows() || GridShow->TextMatrix(row, 0).isEmpty())
        return;
    m_addMode = false;
    m_editID = GridShow->TextMatrix(row, 0).toLongLong();
    CmbField[0]->setEditText(GridShow->TextMatrix(row, 2));
    TxtCNT->setPlainText(GridShow->TextMatrix(row, 3));
    CmdSet[2]->setEnabled(true);
    FamSet->setTitle(QStringLiteral("修改模式"));
    CmbField[0]->setFocus();
    CmbField[0]->lineEdit()->selectAll();
}

void FrmNotebook::startNew()
{
    RefreshShow();
    CmbField[0]->setFocus();
}

void FrmNotebook::save()
{
    const QString title = CmbField[0]->currentText().trimmed();
    const QString text = TxtCNT->toPlainText();
    if (title.isEmpty()) {
        info(QStringLiteral("标题不能为空"), this);
        CmbField[0]->setFocus();
        return;
    }
    if (text.trimmed().isEmpty()) {
        info(QStringLiteral("内容不能为空"), this);
        TxtCNT->setFocus();
        return;
    }
    // A note keeps who saved it last; without a user that would be no one.
    if (!ModBase::LoginOK) {
        info(QStringLiteral("请先登陆，再保存记事。"), this);
        return;
    }
    try {
        dao::Database &db = ModData::database();
        if (m_addMode) {
            db.exec(QStringLiteral("INSERT INTO jishiben (日期, 标题, 内容, 用户ID) VALUES (?, ?, ?, ?)"),
                    {ModBase::SysDate, title, text, ModBase::UserID});
        } else {
            db.exec(QStringLiteral("UPDATE jishiben SET 日期 = ?, 标题 = ?, 内容 = ?, 用户ID = ? WHERE 记事本ID = ?"),
                    {ModBase::SysDate, title, text, ModBase::UserID, m_editID});
            if (db.changes() == 0)
                throw dao::DaoError(dao::ErrNoCurrentRecord, QStringLiteral("note no longer exists"));
        }
    } catch (...) {
        ModBase::ShowErr();
        return;
    }
    RefreshShow();
    CmbField[0]->setFocus();
}

void FrmNotebook::remove()
{
    if (platform::msgBox(QStringLiteral("确实要删除一个记录？"), platform::Buttons::YesNo, platform::Icon::Exclamation,
                         QStringLiteral("删除记录"), this)
        != platform::Answer::Yes)
        return;
    try {
        dao::Database &db = ModData::database();
        db.exec(QStringLiteral("DELETE FROM jishiben WHERE 记事本ID = ?"), {m_editID});
        if (db.changes() == 0)
            throw dao::DaoError(dao::ErrNoCurrentRecord, QStringLiteral("note no longer exists"));
    } catch (...) {
        ModBase::ShowErr();
        return;
    }
    RefreshShow();
    CmbField[0]->setFocus();
}
