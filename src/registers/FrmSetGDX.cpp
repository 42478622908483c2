#include "FrmSetGDX.h"

#include "FrmSetGDXLimits.h"
#include "FrmSetProductRecord.h"

#include "platform/Dialogs.h"
#include "shell/ModBase.h"
#include "shell/ModData.h"
#include "widgets/EntryFilter.h"
#include "widgets/Twips.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

FrmSetGDX::FrmSetGDX(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("FrmSetGDX"));
    setWindowTitle(QStringLiteral("设置所有试剂的库存低限和库存高限"));
    setFixedSize(twips::pixels(5400), twips::pixels(2700));
    ModBase::LowLimit = -1;

    Frame1 = new QGroupBox(QStringLiteral("设置试剂的库存低限、库存高限"), this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setGeometry(twips::rect(180, 120, 3180, 1260));
    const char16_t *const labels[] = {u"库存低限:", u"库存高限:"};
    for (int i = 0; i < 2; ++i) {
        auto *label = new QLabel(QString::fromUtf16(labels[i]), Frame1);
        label->setGeometry(twips::rect(180, 390 + 360 * i, 1000, 300));
        CmbField[i] = new QComboBox(Frame1);
        CmbField[i]->setObjectName(QStringLiteral("CmbField_%1").arg(i));
        CmbField[i]->setEditable(true);
        CmbField[i]->setGeometry(twips::rect(1200, 360 + 360 * i, 1800, 330));
        connect(CmbField[i], &QComboBox::editTextChanged, this, [this, i] { CmbField_Change(i); });
    }

    OKButton = new QPushButton(QStringLiteral("设置(&S)"), this);
    OKButton->setObjectName(QStringLiteral("OKButton"));
    OKButton->setGeometry(twips::rect(3600, 240, 1500, 420));
    CancelButton = new QPushButton(QStringLiteral("关闭(&C)"), this);
    CancelButton->setObjectName(QStringLiteral("CancelButton"));
    CancelButton->setGeometry(twips::rect(3600, 780, 1500, 420));
    Command1 = new QPushButton(QStringLiteral("一键取消所有试剂的库存高低限设置"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setGeometry(twips::rect(180, 1620, 4920, 480));

    setTabOrder(OKButton, CancelButton);
    setTabOrder(CancelButton, Command1);
    setTabOrder(Command1, CmbField[0]);
    setTabOrder(CmbField[0], CmbField[1]);
    OKButton->setDefault(false);
    OKButton->setAutoDefault(false);

    connect(OKButton, &QPushButton::clicked, this, [this] { OKButton_Click(); });
    connect(CancelButton, &QPushButton::clicked, this, [this] { reject(); });
    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });

    new EntryFilter(this);
}

void FrmSetGDX::CmbField_Change(int index)
{
    const std::optional<QString> why = registers::limitRefusal(CmbField[index]->currentText());
    if (!why)
        return;
    CmbField[index]->setEditText(QString());
    platform::msgBox(*why, platform::Buttons::Ok, platform::Icon::Information, QStringLiteral("出错啦！"), this);
}

void FrmSetGDX::OKButton_Click()
{
    const QString low = CmbField[0]->currentText().trimmed();
    const QString high = CmbField[1]->currentText().trimmed();
    const auto refuse = [this](const QString &message, int field) {
        platform::msgBox(message, platform::Buttons::Ok, platform::Icon::Information, QString(), this);
        CmbField[field]->setFocus();
    };
    if (low.isEmpty())
        return refuse(QStringLiteral("库存低限不能为空！"), 0);
    if (high.isEmpty())
        return refuse(QStringLiteral("库存高限不能为空！"), 1);
    if (registers::limitNumber(low) > registers::limitNumber(high))
        return refuse(QStringLiteral("库存低限不能大于库存高限！"), 0);
    if (platform::msgBox(QStringLiteral("即将设置所有试剂的库存低限为：") + CmbField[0]->currentText()
                             + QStringLiteral("，库存高限为：") + CmbField[1]->currentText()
                             + QStringLiteral("\n\n确定？"),
                         platform::Buttons::OkCancel, platform::Icon::None, QString(), this, platform::Answer::Cancel)
        != platform::Answer::Ok)
        return;
    ModBase::LowLimit = registers::limitNumber(low);
    ModBase::HighLimit = registers::limitNumber(high);
    accept();
}

void FrmSetGDX::Command1_Click()
{
    if (platform::msgBox(QStringLiteral("即将取消所有试剂的库存低限和库存高限设置\n\n确定？"),
                         platform::Buttons::OkCancel, platform::Icon::None, QString(), this, platform::Answer::Cancel)
        != platform::Answer::Ok)
        return;
    try {
        registers::clearAllLimits(ModData::database());
    } catch (...) {
        // The dialog stays open, so the user can try again or close it.
        ModBase::ShowErr();
        return;
    }
    accept();
}
