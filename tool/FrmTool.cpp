#include "FrmTool.h"

#include "MendkitMod.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace {

const char16_t *const kCaptions[FrmTool::CommandCount] = {
    u"复制配置文件到桌面", u"重置数据库文件夹", u"进入软件文件夹", u"进入数据库自动备份文件夹",
    u"设置数据库自动备份文件夹", u"关  闭",
};

const char16_t kHelp[] =
    u"本工具修复澜鉴的配置文件 Vialdesk.ini，请先退出澜鉴再使用。\n\n"
    u"1、修改之前，在桌面留一份配置文件的副本。\n"
    u"2、澜鉴找不到数据库时，把数据库所在的文件夹重设为软件目录下的 Data 文件夹。\n"
    u"3、打开澜鉴所在的文件夹。\n"
    u"4、查看澜鉴退出时自动备份的数据库。\n"
    u"5、尚未设置自动备份文件夹时设为下面建议的文件夹；已设置时只打开自动备份。\n"
    u"6、退出本工具。";

} // namespace

FrmTool::FrmTool(const QString &programFolder, const QString &desktopFolder, QWidget *parent)
    : QWidget(parent), m_programFolder(programFolder), m_desktopFolder(desktopFolder)
{
    setObjectName(QStringLiteral("FrmTool"));
    setWindowTitle(QStringLiteral("澜鉴维护工具"));

    Frame1 = new QGroupBox(QStringLiteral("修复命令"), this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    auto *steps = new QGridLayout(Frame1);
    const QPixmap arrow = style()->standardIcon(QStyle::SP_ArrowRight).pixmap(16, 16);
    for (int i = 0; i < CommandCount; ++i) {
        Image1[i] = new QLabel(Frame1);
        Image1[i]->setObjectName(QStringLiteral("Image1_%1").arg(i));
        Image1[i]->setPixmap(arrow);
        Cmd[i] = new QPushButton(QString::number(i + 1) + u'、' + QString::fromUtf16(kCaptions[i]), Frame1);
        Cmd[i]->setObjectName(QStringLiteral("Cmd_%1").arg(i));
        Cmd[i]->setMinimumSize(250, 32);
        Cmd[i]->setAutoDefault(true); // Enter presses the focused button, as Space does
        Cmd[i]->setStyleSheet(QStringLiteral("text-align: left; padding-left: 10px;"));
        steps->addWidget(Image1[i], i, 0);
        steps->addWidget(Cmd[i], i, 1);
        connect(Cmd[i], &QPushButton::clicked, this, [this, i] { Cmd_Click(i); });
    }

    Text1 = new QPlainTextEdit(QString::fromUtf16(kHelp), this);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setReadOnly(true);
    Text1->setMinimumSize(300, 280);

    auto *proposal = new QLabel(QStringLiteral("建议的自动备份文件夹："), this);
    Label1 = new QLabel(MendkitMod::proposedBackupFolder(programFolder), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setTextFormat(Qt::PlainText);
    Label1->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto *top = new QHBoxLayout;
    top->addWidget(Frame1);
    top->addWidget(Text1, 1);
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(proposal);
    bottom->addWidget(Label1, 1);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(bottom);
}

void FrmTool::Cmd_Click(int index)
{
    switch (index) {
    case CopyToDesktop: MendkitMod::copyToDesktop(m_programFolder, m_desktopFolder, this); break;
    case ResetDatabaseFolder: MendkitMod::resetDatabaseFolder(m_programFolder, this); break;
    case OpenProgramFolder: MendkitMod::openProgramFolder(m_programFolder, this); break;
    case OpenBackupFolder: MendkitMod::openBackupFolder(m_programFolder, this); break;
    case SetBackupFolder: MendkitMod::setBackupFolder(m_programFolder, Label1->text(), this); break;
    case Close: close(); break;
    }
}
