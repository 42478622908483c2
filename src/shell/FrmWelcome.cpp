#include "FrmWelcome.h"

#include "ModBase.h"
#include "ModData.h"
#include "ModINI.h"
#include "dao/Recordset.h"
#include "platform/Shell.h"
#include "platform/System.h"
#include "widgets/EntryFilter.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <stdexcept>

FrmWelcome::FrmWelcome(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FrmWelcome"));
    setWindowTitle(QStringLiteral("欢迎使用"));
    lblWelcome = new QLabel(QStringLiteral("请输入单位名称或部门名称\n例如：“新都市人民医院”或\n       “新都市人民医院检验科”"), this);
    lblWelcome->setObjectName(QStringLiteral("lblWelcome"));
    TxtCompany = new QLineEdit(this);
    TxtCompany->setObjectName(QStringLiteral("TxtCompany"));
    TxtCompany->setMinimumWidth(280);
    CmdOK = new QPushButton(QStringLiteral("确定(&O)"), this);
    CmdOK->setObjectName(QStringLiteral("CmdOK"));
    CmdOK->setDefault(true);
    CmdHelp = new QPushButton(QStringLiteral("?"), this);
    CmdHelp->setObjectName(QStringLiteral("CmdHelp"));
    CmdHelp->setAutoDefault(false);

    auto *layout = new QGridLayout(this);
    layout->addWidget(lblWelcome, 0, 0, 1, 3);
    layout->addWidget(TxtCompany, 1, 0, 1, 3);
    layout->addWidget(CmdHelp, 2, 0);
    layout->setColumnStretch(1, 1);
    layout->addWidget(CmdOK, 2, 2);

    // One field: Enter confirms it.
    (new EntryFilter(this))->exempt(TxtCompany, EntryFilter::EnterToNext);

    connect(CmdOK, &QPushButton::clicked, this, [this] { CmdOK_Click(); });
    connect(CmdHelp, &QPushButton::clicked, this, [this] { CmdHelp_Click(); });
}

void FrmWelcome::CmdOK_Click()
{
    const QString name = TxtCompany->text().trimmed();
    if (name.isEmpty())
        return;
    try {
        ModBase::SQL = QStringLiteral("danweixinxi");
        ModData::OpenRS();
        dao::Recordset *rs = ModBase::RS();
        if (!rs)
            throw std::runtime_error("数据库未打开。");
        // The table holds one row: fill it when it is there, so no second row ever appears.
        if (rs->recordCount() > 0) {
            rs->moveFirst();
            rs->edit();
        } else {
            rs->addNew();
        }
        rs->setField(0, name);
        rs->update();
    } catch (...) {
        ModBase::ShowErr();
        return;
    }
    ModBase::UnitName = name;
    ModBase::BackupPath = platform::programFolder() + QStringLiteral("/备份数据库");
    ModINI::WriteINI(QStringLiteral("自动备份数据库"), QStringLiteral("备份目录"), ModBase::BackupPath,
                     ModBase::IniFile);
    accept();
}

void FrmWelcome::CmdHelp_Click()
{
    if (!platform::shell().showHelp(ModBase::HelpFile, QStringLiteral("::/2.htm")))
        ModBase::ShowErr(std::runtime_error("无法启动帮助程序，请检查帮助文件。"));
}
