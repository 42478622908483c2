#include "FrmCheckPSW.h"

#include "ModBase.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

FrmCheckPSW::FrmCheckPSW(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FrmCheckPSW"));
    setWindowTitle(QStringLiteral("密码验证"));

    auto *label = new QLabel(QStringLiteral("请输入登陆密码:"), this);
    TxtFileld = new QLineEdit(this);
    TxtFileld->setObjectName(QStringLiteral("TxtFileld"));
    TxtFileld->setEchoMode(QLineEdit::Password);
    CmdCHPW = new QPushButton(QStringLiteral("确定(&O)"), this);
    CmdCHPW->setObjectName(QStringLiteral("CmdCHPW"));
    CmdCHPW->setDefault(true);
    CmdCancel = new QPushButton(QStringLiteral("取消(&C)"), this);
    CmdCancel->setObjectName(QStringLiteral("CmdCancel"));

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(CmdCHPW);
    buttons->addWidget(CmdCancel);
    auto *layout = new QGridLayout(this);
    layout->addWidget(label, 0, 0);
    layout->addWidget(TxtFileld, 1, 0);
    layout->addLayout(buttons, 2, 0);
    setFixedWidth(300);

    connect(CmdCHPW, &QPushButton::clicked, this, &QDialog::accept);
    connect(CmdCancel, &QPushButton::clicked, this, [this] {
        TxtFileld->clear();
        reject();
    });
}

void FrmCheckPSW::done(int result)
{
    // Only a confirmed prompt counts: Cancel, Esc or the close box never pass, even for an
    // empty stored password.
    ModBase::PSWOK = result == QDialog::Accepted && TxtFileld->text().trimmed() == ModBase::UserPSW;
    QDialog::done(result);
}
