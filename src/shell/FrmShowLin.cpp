#include "FrmShowLin.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString kAgreement = QStringLiteral(
    "软件许可协议\n"
    "\n"
    "请在使用本软件前仔细阅读本协议。安装、复制或使用本软件，即表示您同意本协议的各项条款。\n"
    "\n"
    "一、许可范围\n"
    "本软件许可贵单位在其内部使用，用于管理检验科试剂库存。贵单位可在其所属的计算机上安装本软件，"
    "并可为备份目的复制数据库文件。\n"
    "\n"
    "二、限制\n"
    "不得出租、出售或转让本软件；不得对本软件进行反向工程、反编译或反汇编；不得删除或修改本软件中的"
    "版权标识。\n"
    "\n"
    "三、数据\n"
    "本软件数据库中的全部业务数据归贵单位所有。请定期备份数据库，并妥善保管备份文件。\n"
    "\n"
    "四、免责声明\n"
    "本软件按现状提供。对于因使用或不能使用本软件而造成的任何直接或间接损失，包括数据丢失或业务中断，"
    "软件作者不承担责任。\n"
    "\n"
    "五、终止\n"
    "如违反本协议的任何条款，本许可自动终止，贵单位应停止使用并删除本软件的全部副本。\n");

} // namespace

FrmShowLin::FrmShowLin(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FrmShowLin"));
    setWindowTitle(QStringLiteral("版权声明－许可协议"));

    Text1 = new QPlainTextEdit(kAgreement, this);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setReadOnly(true);
    Text1->viewport()->installEventFilter(this);
    CmdOK = new QPushButton(QStringLiteral("确定(&O)"), this);
    CmdOK->setObjectName(QStringLiteral("CmdOK"));
    CmdOK->setDefault(true);
    connect(CmdOK, &QPushButton::clicked, this, &QDialog::accept);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(CmdOK);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(Text1);
    layout->addLayout(buttons);
    resize(520, 420);
}

bool FrmShowLin::eventFilter(QObject *watched, QEvent *event)
{
    // A click on the text closes the window, as the OK button does.
    if (watched == Text1->viewport() && event->type() == QEvent::MouseButtonRelease)
        accept();
    return QDialog::eventFilter(watched, event);
}
