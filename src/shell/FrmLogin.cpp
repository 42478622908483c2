#include "FrmLogin.h"

#include "FrmMain.h"
#include "FrmPopMenu.h"
#include "ModBase.h"
#include "ModData.h"
#include "ModDataGrid.h"
#include "Seed.h"
#include "WindowRegistry.h"
#include "dao/Database.h"
#include "dao/Recordset.h"
#include "platform/Dialogs.h"
#include "platform/System.h"
#include "widgets/EntryFilter.h"

#include <QComboBox>
#include <QCompleter>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>

#include <memory>

FrmLogin::FrmLogin(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FrmLogin"));
    setWindowTitle(QStringLiteral("登陆"));

    lblLabels[0] = new QLabel(QStringLiteral("用 户 名:"), this);
    lblLabels[1] = new QLabel(QStringLiteral("密    码:"), this);
    for (int i = 0; i < 2; ++i)
        lblLabels[i]->setObjectName(QStringLiteral("lblLabels_%1").arg(i));
    CmbUserName = new QComboBox(this);
    CmbUserName->setObjectName(QStringLiteral("CmbUserName_1"));
    CmbUserName->setEditable(true);
    CmbUserName->setInsertPolicy(QComboBox::NoInsert);
    // Names differing only in letter case are different users: the list must not
    // complete or replace a typed name by one of another case.
    CmbUserName->completer()->setCaseSensitivity(Qt::CaseSensitive);
    CmbUserName->setMinimumWidth(180);
    txtPassWord = new QLineEdit(this);
    txtPassWord->setObjectName(QStringLiteral("txtPassWord"));
    txtPassWord->setEchoMode(QLineEdit::Password);
    txtPassWord->setStyleSheet(QStringLiteral("lineedit-password-character: 42"));
    LabTip = new QLabel(QStringLiteral("初始用户名\"管理员\"，密码526"), this);
    LabTip->setObjectName(QStringLiteral("LabTip"));
    CmdOK = new QPushButton(QStringLiteral("确定(&O)"), this);
    CmdOK->setObjectName(QStringLiteral("CmdOK"));
    CmdCancel = new QPushButton(QStringLiteral("取消(&C)"), this);
    CmdCancel->setObjectName(QStringLiteral("CmdCancel"));
    CmdHelp = new QPushButton(QStringLiteral("？"), this);
    CmdHelp->setObjectName(QStringLiteral("CmdHelp"));

    auto *layout = new QGridLayout(this);
    layout->addWidget(lblLabels[0], 0, 0);
    layout->addWidget(CmbUserName, 0, 1);
    layout->addWidget(lblLabels[1], 1, 0);
    layout->addWidget(txtPassWord, 1, 1);
    layout->addWidget(LabTip, 2, 0, 1, 2);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(CmdOK);
    buttons->addWidget(CmdCancel);
    buttons->addWidget(CmdHelp);
    layout->addLayout(buttons, 3, 0, 1, 2);
    setTabOrder(CmbUserName, txtPassWord);
    setTabOrder(txtPassWord, CmdOK);
    setTabOrder(CmdOK, CmdCancel);
    setTabOrder(CmdCancel, CmdHelp);

    new EntryFilter(this);

    connect(CmdOK, &QPushButton::clicked, this, [this] { CmdOK_Click(); });
    connect(CmdCancel, &QPushButton::clicked, this, [this] { reject(); });
    connect(CmdHelp, &QPushButton::clicked, this,
            [this] { FrmPopMenu::helpButton(this, QStringLiteral("::/2.htm#22"), QStringLiteral("/Demo/1.htm")); });

    Form_Load();
}

void FrmLogin::Form_Load()
{
    try {
        ModBase::SQL = QStringLiteral("SELECT * FROM yonghu");
        ModData::OpenRS();
        if (ModBase::RS() && ModBase::RS()->recordCount() == 0)
            ModBase::SeedEmptyDatabase(*ModBase::DB());
    } catch (...) {
        ModBase::ShowErr();
    }
    ModData::FillCombo(CmbUserName, QStringLiteral("SELECT 用户名 FROM yonghu WHERE 在职显示<>0 ORDER BY 用户名 COLLATE ZH"),
                       false);
    if (!ModBase::LastUser.isEmpty()) {
        CmbUserName->setEditText(ModBase::LastUser);
        LabTip->hide();
    } else if (CmbUserName->count() > 0) {
        CmbUserName->setCurrentIndex(0);
        LabTip->show();
    }
    // With the name given, the user types the password first.
    if (!CmbUserName->currentText().isEmpty())
        txtPassWord->setFocus();
    if (FrmMain *main = FrmMain::instance())
        main->panel(3)->setText(QStringLiteral("当前用户：未登陆"));
    ModBase::SetStatus(QStringLiteral("用户登陆..."));
}

void FrmLogin::refuse(const QString &text, QWidget *focus)
{
    platform::msgBox(text, platform::Buttons::Ok, platform::Icon::Information, QStringLiteral("登陆"), this);
    focus->setFocus();
}

void FrmLogin::CmdOK_Click()
{
    const QString name = CmbUserName->currentText().trimmed();
    if (name.isEmpty()) {
        refuse(QStringLiteral("请输入用户名称          "), CmbUserName);
        return;
    }
    if (txtPassWord->text().isEmpty()) {
        refuse(QStringLiteral("请输入密码          "), txtPassWord);
        return;
    }
    int found = -1;
    dao::Recordset *rs = nullptr;
    try {
        ModBase::SQL = QStringLiteral("SELECT * FROM yonghu WHERE 在职显示<>0");
        ModData::OpenRS();
        rs = ModBase::RS();
        for (int i = 0; rs && i < rs->recordCount(); ++i) {
            rs->moveTo(i);
            if (rs->field(2).toString() == name) {
                found = i;
                break;
            }
        }
        if (found >= 0 && txtPassWord->text().trimmed() != rs->field(3).toString()) {
            refuse(QStringLiteral("密码不符！          "), txtPassWord);
            txtPassWord->clear();
            return;
        }
        if (found >= 0) {
            ModBase::UserPSW = rs->field(3).toString();
            ModBase::UserName = rs->field(2).toString();
            ModBase::SuperUser = rs->field(4).toInt() != 0;
            ModBase::UserQX = rs->field(5).toString();
            ModBase::UserID = rs->field(0).toInt();
            ModBase::LoginOK = true;
        }
    } catch (...) {
        ModBase::ShowErr();
        return;
    }
    if (found < 0) {
        // Also when nobody is active at all: the user learns why, not an engine error.
        refuse(QStringLiteral("无此用户或已离开当前岗位！"), CmbUserName);
        CmbUserName->setEditText(QString());
        txtPassWord->clear();
        return;
    }
    afterLogin();
}

void FrmLogin::afterLogin()
{
    accept();
    FrmMain *main = FrmMain::instance();
    ModBase::HasTip = false;
    if (ModBase::TipNow) {
        // The warning window works out its lists before HasTip is read; when it has nothing
        // to show it stays loaded, hidden, for the main window's command 37.
        std::unique_ptr<QWidget> tip(shell::createWindow(QStringLiteral("FrmQTip"), main));
        if (auto *deferred = dynamic_cast<shell::DeferredLoad *>(tip.get()))
            deferred->loadNow();
        auto *dialog = qobject_cast<QDialog *>(tip.get());
        const bool shown = dialog && ModBase::HasTip;
        if (shown)
            platform::execModal(dialog);
        if (main)
            main->keepLoaded(QStringLiteral("FrmQTip"), shown ? nullptr : tip.release());
    }
    if (!platform::isNetworkPath(ModBase::DBFile) && (ModBase::BackupPath.isEmpty() || !ModBase::AutoBackup))
        platform::msgBox(QStringLiteral("为了数据库的安全，必须设置好自动备份数据库的目录\n\n菜单-系统工具-选项，在选项窗口中完成设置"));
    if (ModBase::AutoOut && main && main->mnuRWRegOut->isEnabled())
        main->DoIt(8);
}

void FrmLogin::showEvent(QShowEvent *event)
{
    if (const QScreen *where = screen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(where->availableGeometry().center());
        move(frame.topLeft());
    }
    QDialog::showEvent(event);
}

void FrmLogin::done(int result)
{
    if (!m_unloaded) {
        m_unloaded = true;
        ModBase::SetStatus(QString());
        ModBase::ApplyLoginState();
    }
    QDialog::done(result);
}
