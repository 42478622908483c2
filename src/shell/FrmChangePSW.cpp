#include "FrmChangePSW.h"

#include "FrmPopMenu.h"
#include "ModBase.h"
#include "ModData.h"
#include "dao/Database.h"
#include "platform/Dialogs.h"
#include "widgets/EntryFilter.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

FrmChangePSW::FrmChangePSW(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FrmChangePSW"));
    setWindowTitle(QStringLiteral("修改登陆密码"));

    auto *layout = new QGridLayout(this);
    const std::array<QString, 3> labels = {QStringLiteral("旧 密 码:"), QStringLiteral("新 密 码:"),
                                           QStringLiteral("确认密码:")};
    for (int i = 0; i < 3; ++i) {
        auto *box = new QLineEdit(this);
        box->setObjectName(QStringLiteral("TxtFileld_%1").arg(i));
        box->setEchoMode(QLineEdit::Password);
        TxtFileld[i] = box;
        layout->addWidget(new QLabel(labels[i], this), i, 0);
        layout->addWidget(box, i, 1);
    }
    CmdCHPW = new QPushButton(QStringLiteral("更新(&U)"), this);
    CmdCHPW->setObjectName(QStringLiteral("CmdCHPW"));
    CmdCancel = new QPushButton(QStringLiteral("取消(&C)"), this);
    CmdCancel->setObjectName(QStringLiteral("CmdCancel"));
    CmdHelp = new QPushButton(QStringLiteral("？"), this);
    CmdHelp->setObjectName(QStringLiteral("CmdHelp"));
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(CmdHelp);
    buttons->addStretch();
    buttons->addWidget(CmdCHPW);
    buttons->addWidget(CmdCancel);
    layout->addLayout(buttons, 3, 0, 1, 2);
    setFixedWidth(320);
    new EntryFilter(this);

    connect(CmdCHPW, &QPushButton::clicked, this, &FrmChangePSW::changePassword);
    connect(CmdCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(CmdHelp, &QPushButton::clicked, this,
            [this] { FrmPopMenu::helpButton(this, QStringLiteral("::/9.htm#93"), QStringLiteral("/Demo/52.htm")); });
}

void FrmChangePSW::changePassword()
{
    using platform::msgBox;
    const QString tip = QStringLiteral("提示");
    const QString newPassword = TxtFileld[1]->text().trimmed();
    if (TxtFileld[2]->text().trimmed() != newPassword) {
        msgBox(QStringLiteral("密码确认错误！请重新输入新密码"), platform::Buttons::Ok, platform::Icon::None, tip, this);
        TxtFileld[1]->clear();
        TxtFileld[2]->clear();
        TxtFileld[1]->setFocus();
        return;
    }
    try {
        ModData::OpenDB();
        dao::Database *db = ModBase::DB();
        if (!db)
            throw dao::DaoError(dao::ErrFileNotFound, QStringLiteral("no database"));
        const dao::Result r = db->select(QStringLiteral("SELECT 密码 FROM yonghu WHERE 用户ID = ?"), {ModBase::UserID});
        if (r.rows.empty())
            throw dao::DaoError(dao::ErrNoCurrentRecord, QStringLiteral("no current record"));
        if (r.rows.front().text(0) != TxtFileld[0]->text().trimmed()) {
            msgBox(QStringLiteral("旧密码不符！"), platform::Buttons::Ok, platform::Icon::None, tip, this);
            accept();
            return;
        }
        db->exec(QStringLiteral("UPDATE yonghu SET 密码 = ? WHERE 用户ID = ?"), {newPassword, ModBase::UserID});
        // The prompt compares with UserPSW: it must know the new password at once.
        ModBase::UserPSW = newPassword;
    } catch (...) {
        ModBase::ShowErr();
        return;
    }
    msgBox(QStringLiteral("密码更改成功！"), platform::Buttons::Ok, platform::Icon::None, tip, this);
    accept();
}
