#include "FrmSetUser.h"

#include "RegisterTable.h"
#include "dao/Database.h"
#include "dao/Recordset.h"
#include "platform/Dialogs.h"
#include "shell/FrmMain.h"
#include "shell/FrmPopMenu.h"
#include "shell/ModBase.h"
#include "widgets/EntryFilter.h"
#include "widgets/FlexGrid.h"
#include "widgets/NamedButton.h"

#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const std::array<const char16_t *, FrmSetUser::RightsCount> kRightCaptions = {
    u"压缩数据库", u"备份数据库", u"恢复数据库", u"试剂入库",   u"试剂出库",   u"试剂报损",     u"采购订单",
    u"撤销入库",   u"撤销出库",   u"撤销报损",   u"库存查询",   u"入库查询",   u"出库查询",     u"报损查询",
    u"试剂总帐",   u"警示窗口",   u"试剂基本信息", u"组别设置", u"试剂包装单位", u"试剂存放地点", u"厂商设置",
    u"供应商设置", u"认领部门设置", u"认领人设置", u"设置用户及权限", u"选项"};

const QString kYes = QStringLiteral("是");
const QString kNo = QStringLiteral("否");

enum Column { ColId, ColCode, ColName, ColPassword, ColSuper, ColRights, ColActive };

// A check box with its caption in front, as the editor's other fields have.
QCheckBox *flagBox(QWidget *parent, const QString &name, const QString &caption)
{
    auto *c = new QCheckBox(caption, parent);
    c->setObjectName(name);
    c->setLayoutDirection(Qt::RightToLeft);
    return c;
}

} // namespace

FrmSetUser::FrmSetUser(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FrmSetUser"));
    setWindowTitle(QStringLiteral("设置用户及权限"));

    GridShow = new FlexGrid(this);
    GridShow->setObjectName(QStringLiteral("GridShow"));
    FamSet = new QGroupBox(this);
    FamSet->setObjectName(QStringLiteral("FamSet"));

    const std::array<QString, 3> labels = {QStringLiteral("代    码:"), QStringLiteral("用 户 名:"),
                                           QStringLiteral("密    码:")};
    auto *form = new QGridLayout;
    for (int i = 0; i < 3; ++i) {
        TxtUserSet[i] = new QLineEdit(FamSet);
        TxtUserSet[i]->setObjectName(QStringLiteral("TxtUserSet_%1").arg(i));
        form->addWidget(new QLabel(labels[i], FamSet), i, 0);
        form->addWidget(TxtUserSet[i], i, 1);
        connect(TxtUserSet[i], &QLineEdit::textChanged, this, [this] { textChanged(); });
    }
    TxtUserSet[2]->setEchoMode(QLineEdit::Password);
    TxtUserSet[2]->setStyleSheet(QStringLiteral("lineedit-password-character: 42;"));
    CheSuper = flagBox(FamSet, QStringLiteral("CheSuper"), QStringLiteral("超级用户:"));
    CheEnable = flagBox(FamSet, QStringLiteral("CheEnable"), QStringLiteral("在职显示:"));
    auto *flags = new QHBoxLayout;
    flags->addWidget(CheSuper);
    flags->addWidget(CheEnable);
    flags->addStretch(1);
    form->addLayout(flags, 3, 0, 1, 2);

    auto *rightsFrame = new QGroupBox(QStringLiteral("权限设置"), FamSet);
    auto *rights = new QGridLayout(rightsFrame);
    constexpr int perColumn = (RightsCount + 1) / 2;
    for (int i = 0; i < RightsCount; ++i) {
        CheQX[i] = new QCheckBox(QString::fromUtf16(kRightCaptions[i]), rightsFrame);
        CheQX[i]->setObjectName(QStringLiteral("CheQX_%1").arg(i));
        rights->addWidget(CheQX[i], i % perColumn, i / perColumn);
    }

    const std::array<QString, 6> captions = {QStringLiteral("新增用户(&N)"), QStringLiteral("保存设置(&S)"),
                                             QStringLiteral("删除用户(&D)"), QStringLiteral("关闭窗口(&C)"),
                                             QStringLiteral("全选权限(&A)"), QStringLiteral("全否权限(&N)")};
    auto *buttons = new QGridLayout;
    for (int i = 0; i < 6; ++i) {
        CmdSet[i] = namedButton(QStringLiteral("CmdSet_%1").arg(i), captions[i], FamSet);
        buttons->addWidget(CmdSet[i], i / 2 == 2 ? 2 : i / 2, i % 2);
    }
    CmdHelp = new QPushButton(QStringLiteral("？"), this);
    CmdHelp->setObjectName(QStringLiteral("CmdHelp"));
    buttons->addWidget(CmdHelp, 3, 1);

    auto *editor = new QVBoxLayout(FamSet);
    editor->addLayout(form);
    editor->addWidget(rightsFrame);
    editor->addLayout(buttons);
    auto *all = new QHBoxLayout(this);
    all->addWidget(GridShow, 1);
    all->addWidget(FamSet);
    resize(720, 560);

    connect(GridShow, &FlexGrid::Click, this, [this](int row) {
        if (row >= 1)
            gridClicked();
    });
    connect(CmdSet[0], &QPushButton::clicked, this, [this] { newUser(); });
    connect(CmdSet[1], &QPushButton::clicked, this, [this] { save(); });
    connect(CmdSet[2], &QPushButton::clicked, this, [this] { deleteUser(); });
    connect(CmdSet[3], &QPushButton::clicked, this, [this] { reject(); });
    connect(CmdSet[4], &QPushButton::clicked, this, [this] { QxAllSel(true); });
    connect(CmdSet[5], &QPushButton::clicked, this, [this] { QxAllSel(false); });
    connect(CmdHelp, &QPushButton::clicked, this, [this] {
        FrmPopMenu::helpButton(this, QStringLiteral("::/2.htm#23"), QStringLiteral("/Demo/53.htm"));
    });

    new EntryFilter(this);
    CmdSet[1]->setEnabled(false);
    CmdSet[2]->setEnabled(false);
    setMode(true);
    RefreshShow();
    TxtUserSet[1]->setFocus();
}

bool FrmSetUser::event(QEvent *e)
{
    if (e->type() == QEvent::WindowActivate) {
        GridShow->setColWidths({0, 0, 1200, 0, 1000, 0, 1000});
    }
    return QDialog::event(e);
}

void FrmSetUser::setMode(bool add)
{
    AddMode = add;
    FamSet->setTitle(add ? QStringLiteral("用户设置（添加模式）") : QStringLiteral("用户设置（修改模式）"));
}

void FrmSetUser::RefreshShow()
{
    try {
        const dao::Result users = registers::connection().select(
            QStringLiteral("SELECT 用户ID, 代码, 用户名, 密码, 超级用户, 权限, 在职显示 FROM yonghu ORDER BY 代码"));
        QList<QStringList> rows;
        for (const dao::Row &u : users.rows) {
            QStringList texts;
            for (int c = 0; c < u.size(); ++c)
                texts.append(c == ColSuper || c == ColActive ? (u[c].toInt() != 0 ? kYes : kNo) : u.text(c));
            rows.append(texts);
        }
        GridShow->Fill(users.columns, rows);
        QEvent activate(QEvent::WindowActivate);
        event(&activate);
    } catch (...) {
        ModBase::ShowErr();
        return;
    }
    for (QLineEdit *t : TxtUserSet)
        t->clear();
    CheSuper->setChecked(false);
    CheEnable->setChecked(true);
    QxAllSel(false);
    setMode(true);
    CmdSet[2]->setEnabled(false);
}

void FrmSetUser::QxAllSel(bool flag)
{
    for (QCheckBox *box : CheQX)
        box->setChecked(flag);
}

QString FrmSetUser::rightsFromBoxes() const
{
    QString rights;
    for (const QCheckBox *box : CheQX)
        rights += box->isChecked() ? u'1' : u'0';
    return rights;
}

void FrmSetUser::textChanged()
{
    CmdSet[1]->setEnabled(!TxtUserSet[1]->text().trimmed().isEmpty() && !TxtUserSet[2]->text().trimmed().isEmpty());
    CmdSet[2]->setEnabled(false);
}

void FrmSetUser::gridClicked()
{
    const int row = GridShow->Row();
    if (GridShow->Rows() < 2 || row < 1 || GridShow->TextMatrix(row, ColId).isEmpty())
        return;
    setMode(false);
    m_selectedId = GridShow->TextMatrix(row, ColId).toInt();
    TxtUserSet[0]->setText(GridShow->TextMatrix(row, ColCode));
    TxtUserSet[1]->setText(GridShow->TextMatrix(row, ColName));
    TxtUserSet[2]->setText(GridShow->TextMatrix(row, ColPassword));
    CheSuper->setChecked(GridShow->TextMatrix(row, ColSuper) == kYes);
    CheEnable->setChecked(GridShow->TextMatrix(row, ColActive) == kYes);
    // A short or damaged rights string grants nothing at the positions it lacks.
    m_rights = GridShow->TextMatrix(row, ColRights);
    for (int i = 0; i < RightsCount; ++i)
        CheQX[i]->setChecked(m_rights.mid(i, 1) == u"1");
    CmdSet[1]->setEnabled(true);
    // One's own record is known by its key: another user may carry the same name.
    CmdSet[2]->setEnabled(m_selectedId != ModBase::UserID);
    TxtUserSet[1]->setFocus();
    TxtUserSet[1]->selectAll();
}

void FrmSetUser::newUser()
{
    RefreshShow();
    setMode(true);
    TxtUserSet[1]->setFocus();
}

bool FrmSetUser::nameTaken(const QString &name, qint32 exceptId)
{
    const QVariant other = registers::connection().scalar(
        QStringLiteral("SELECT 用户ID FROM yonghu WHERE 用户名 = ? COLLATE NOCASE AND 在职显示 <> 0 AND 用户ID <> ?"),
        {name, exceptId});
    if (other.isNull())
        return false;
    platform::msgBox(QStringLiteral("用户名“%1”已被另一位在职用户使用，请换一个用户名。").arg(name),
                     platform::Buttons::Ok, platform::Icon::Information, QString(), this);
    TxtUserSet[1]->setFocus();
    return true;
}

void FrmSetUser::save()
{
    const QString name = TxtUserSet[1]->text().trimmed();
    const QString password = TxtUserSet[2]->text().trimmed();
    bool own = false;
    try {
        dao::Database &db = registers::connection();
        m_rights = rightsFromBoxes();
        if (AddMode) {
            if (nameTaken(name, 0))
                return;
            dao::Transaction t(db);
            dao::Recordset added(db, QStringLiteral("yonghu"));
            added.addNew();
            added.setField(2, name);
            added.setField(3, password);
            added.setField(4, CheSuper->isChecked());
            added.setField(5, m_rights);
            added.setField(6, true);
            const qint64 id = added.update();
            // The code of a new user is its own key.
            dao::Recordset coded(db, QStringLiteral("SELECT * FROM yonghu WHERE 用户ID = ?"), {id});
            coded.edit();
            coded.setField(1, QString::number(id));
            coded.update();
            t.commit();
        } else {
            dao::Recordset rs(db, QStringLiteral("SELECT * FROM yonghu WHERE 用户ID = ?"), {m_selectedId});
            own = rs.field(0).toInt() == ModBase::UserID;
            if ((own || CheEnable->isChecked()) && nameTaken(name, m_selectedId))
                return;
            if (own) {
                CheSuper->setChecked(true);
                CheEnable->setChecked(true);
                CheQX[UsersRight]->setChecked(true);
                m_rights = rightsFromBoxes();
            }
            rs.edit();
            rs.setField(1, TxtUserSet[0]->text().trimmed());
            rs.setField(2, name);
            rs.setField(3, password);
            rs.setField(4, CheSuper->isChecked());
            rs.setField(5, m_rights);
            rs.setField(6, CheEnable->isChecked());
            rs.update();
        }
    } catch (...) {
        ModBase::ShowErr();
        return;
    }
    const QString saved = m_rights;
    RefreshShow();
    if (own) {
        ModBase::UserName = name;
        ModBase::UserQX = saved;
        ModBase::ApplyLoginState();
    }
    TxtUserSet[1]->setFocus();
}

void FrmSetUser::deleteUser()
{
    if (platform::msgBox(QStringLiteral("确实要删除一个记录？"), platform::Buttons::YesNo, platform::Icon::Exclamation,
                         QStringLiteral("删除记录"), this)
        != platform::Answer::Yes)
        return;
    try {
        dao::Recordset rs(registers::connection(), QStringLiteral("SELECT * FROM yonghu WHERE 用户ID = ?"),
                          {m_selectedId});
        rs.deleteCurrent();
    } catch (...) {
        ModBase::ShowErr();
        return;
    }
    RefreshShow();
    TxtUserSet[1]->setFocus();
}
