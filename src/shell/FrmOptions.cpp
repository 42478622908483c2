#include "FrmOptions.h"

#include "FrmPopMenu.h"
#include "ModBase.h"
#include "ModINI.h"
#include "platform/Convert.h"
#include "platform/Dialogs.h"
#include "widgets/EntryFilter.h"
#include "widgets/NamedButton.h"
#include "platform/System.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QFocusEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QStackedWidget>
#include <QStorageInfo>
#include <QTabBar>
#include <QTimer>
#include <QVBoxLayout>

#include <cmath>
#include <limits>

namespace {

using platform::convert::flagText;

struct FlagSetting {
    QCheckBox *FrmOptions::*box;
    const char16_t *section;
    const char16_t *key;
    bool *global;
};

const std::array<FlagSetting, 5> kFlags = {{
    {&FrmOptions::CheBak, u"自动备份数据库", u"自动备份", &ModBase::AutoBackup},
    {&FrmOptions::CheCKPSW, u"数据维护", u"密码保护", &ModBase::PSWProtect},
    {&FrmOptions::CheIntoRegOut, u"自动打开试剂出库窗口", u"自动进入出库窗口", &ModBase::AutoOut},
    {&FrmOptions::ChePrice, u"出库价确认", u"不需要", &ModBase::NoPriceCheck},
    {&FrmOptions::CheTipSHX, u"失效库存试剂提醒", u"立即提醒", &ModBase::TipNow},
}};

void write(const char16_t *section, const char16_t *key, const QString &value)
{
    ModINI::WriteINI(QString::fromUtf16(section), QString::fromUtf16(key), value, ModBase::IniFile);
}

QRadioButton *radio(const QString &name, const QString &caption, QWidget *parent)
{
    auto *b = new QRadioButton(caption, parent);
    b->setObjectName(name);
    return b;
}

QCheckBox *check(const QString &name, const QString &caption, QWidget *parent)
{
    auto *b = new QCheckBox(caption, parent);
    b->setObjectName(name);
    return b;
}

// The mark-up percentage of a factor kept in single precision, without the noise of the
// single's binary digits (a factor of 1.05 shows as 5, not 4.999992).
QString percentOf(float factor)
{
    const double exact = platform::convert::parseNumber(platform::convert::singleText(factor)).value_or(0);
    return platform::convert::doubleText(platform::convert::roundTo(exact * 100 - 100, 6));
}

bool sameFolder(const QString &a, const QString &b)
{
    return QFileInfo(QDir::cleanPath(a)) == QFileInfo(QDir::cleanPath(b));
}

// A backup kept beside the program or the database on the same place is lost with them:
// the root of the program's file system, the database folder and the folders inside it
// are refused.
bool unsafeBackupFolder(const QString &folder)
{
    if (sameFolder(folder, QStorageInfo(platform::programFolder()).rootPath()))
        return true;
    if (ModBase::DBPath.trimmed().isEmpty())
        return false;
    const QString db = QFileInfo(QDir::cleanPath(ModBase::DBPath)).canonicalFilePath();
    const QString chosen = QFileInfo(QDir::cleanPath(folder)).canonicalFilePath();
    return !db.isEmpty() && !chosen.isEmpty() && (chosen == db || chosen.startsWith(db + u'/'));
}

} // namespace

FrmOptions::FrmOptions(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FrmOptions"));
    setWindowTitle(QStringLiteral("选项"));

    tbsOptions = new QTabBar(this);
    tbsOptions->setObjectName(QStringLiteral("tbsOptions"));
    for (const QString &caption : {QStringLiteral("数据库"), QStringLiteral("业务操作"), QStringLiteral("库存失效提示"),
                                   QStringLiteral("查询默认日期"), QStringLiteral("设置加成率")})
        tbsOptions->addTab(caption);
    m_panels = new QStackedWidget(this);
    for (int i = 0; i < 5; ++i) {
        picOptions[i] = new QWidget(m_panels);
        picOptions[i]->setObjectName(QStringLiteral("picOptions_%1").arg(i));
        m_panels->addWidget(picOptions[i]);
    }
    buildDatabasePanel();
    buildBusinessPanel();
    buildExpiryPanel();
    buildQueryDatePanel();
    buildMarkUpPanel();
    for (QLineEdit *box : TxtSHX)
        box->installEventFilter(this);

    CmdDefault = namedPlainButton(QStringLiteral("CmdDefault"), QStringLiteral("恢复默认(&D)"), this);
    CmdHelp = namedPlainButton(QStringLiteral("CmdHelp"), QStringLiteral("？"), this);
    CmdOK = namedPlainButton(QStringLiteral("CmdOK"), QStringLiteral("关闭(&C)"), this);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(CmdDefault);
    buttons->addStretch();
    buttons->addWidget(CmdHelp);
    buttons->addWidget(CmdOK);

    auto *layout = new QVBoxLayout(this);
    layout->setSpacing(0);
    layout->addWidget(tbsOptions);
    m_panels->setFrameShape(QFrame::StyledPanel);
    layout->addWidget(m_panels);
    layout->addSpacing(8);
    layout->addLayout(buttons);
    setFixedSize(460, 280);
    auto *entry = new EntryFilter(this);
    entry->exempt(TxtDir, EntryFilter::FocusColour);

    connect(tbsOptions, &QTabBar::currentChanged, m_panels, &QStackedWidget::setCurrentIndex);
    auto *nextTab = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Tab), this);
    connect(nextTab, &QShortcut::activated, this,
            [this] { tbsOptions->setCurrentIndex((tbsOptions->currentIndex() + 1) % tbsOptions->count()); });

    for (const FlagSetting &f : kFlags) {
        QCheckBox *box = this->*(f.box);
        connect(box, &QCheckBox::clicked, this, [this, box] { writeFlag(box); });
    }
    for (int i = 0; i < int(OptCK.size()); ++i)
        connect(OptCK[i], &QRadioButton::clicked, this, [this, i] { setOutMode(i); });
    for (int i = 0; i < int(OptRQ.size()); ++i)
        connect(OptRQ[i], &QRadioButton::clicked, this, [this, i] { setQueryDate(i); });
    connect(CmdSet, &QPushButton::clicked, this, [this] {
        if (checkNumber(0))
            setDays();
    });
    connect(CmdJia, &QPushButton::clicked, this, [this] {
        if (checkNumber(1))
            setMarkUp();
    });
    connect(CmdGetDir, &QPushButton::clicked, this, &FrmOptions::chooseBackupFolder);
    connect(CmdDefault, &QPushButton::clicked, this, &FrmOptions::restoreDefaults);
    connect(CmdOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(CmdHelp, &QPushButton::clicked, this,
            [this] { FrmPopMenu::helpButton(this, QStringLiteral("::/2.htm#25"), QStringLiteral("/Demo/56.htm")); });

    loadFromSettings();
}

void FrmOptions::buildDatabasePanel()
{
    QWidget *p = picOptions[0];
    CheBak = check(QStringLiteral("CheBak"), QStringLiteral("每次退出自动备份数据库到以下目录："), p);
    TxtDir = new QLineEdit(p);
    TxtDir->setObjectName(QStringLiteral("TxtDir"));
    TxtDir->setReadOnly(true);
    CmdGetDir = namedPlainButton(QStringLiteral("CmdGetDir"), QStringLiteral("设置目录"), p);
    auto *l = new QGridLayout(p);
    l->addWidget(CheBak, 0, 0, 1, 2);
    l->addWidget(TxtDir, 1, 0);
    l->addWidget(CmdGetDir, 1, 1);
    l->setRowStretch(2, 1);
}

void FrmOptions::buildBusinessPanel()
{
    QWidget *p = picOptions[1];
    OptCK[0] = radio(QStringLiteral("OptCK_0"), QStringLiteral("常规出库"), p);
    OptCK[1] = radio(QStringLiteral("OptCK_1"), QStringLiteral("批量出库"), p);
    ChePrice = check(QStringLiteral("ChePrice"), QStringLiteral("出库价无需确认"), p);
    CheIntoRegOut = check(QStringLiteral("CheIntoRegOut"), QStringLiteral("登陆后立即进入试剂出库窗口"), p);
    CheCKPSW = check(QStringLiteral("CheCKPSW"), QStringLiteral("撤销入库、出库、报损数据启用密码保护"), p);
    auto *l = new QGridLayout(p);
    l->addWidget(OptCK[0], 0, 0);
    l->addWidget(OptCK[1], 0, 1);
    l->addWidget(ChePrice, 1, 0, 1, 2);
    l->addWidget(CheIntoRegOut, 2, 0, 1, 2);
    l->addWidget(CheCKPSW, 3, 0, 1, 2);
    l->setRowStretch(4, 1);
}

void FrmOptions::buildExpiryPanel()
{
    QWidget *p = picOptions[2];
    CheTipSHX = check(QStringLiteral("CheTipSHX"), QStringLiteral("如有失效或库存数量异常的试剂，登陆时弹出警示窗口"), p);
    TxtSHX[0] = new QLineEdit(p);
    TxtSHX[0]->setObjectName(QStringLiteral("TxtSHX_0"));
    TxtSHX[0]->setFixedWidth(50);
    CmdSet = namedPlainButton(QStringLiteral("CmdSet"), QStringLiteral("设置(&S)"), p);
    const auto coloured = [p](const QString &text, const char *colour) {
        auto *label = new QLabel(text, p);
        label->setStyleSheet(QStringLiteral("color: %1").arg(QLatin1String(colour)));
        return label;
    };
    auto *expired = new QHBoxLayout;
    expired->addWidget(new QLabel(QStringLiteral("已失效试剂用"), p));
    expired->addWidget(coloured(QStringLiteral("红色"), "red"));
    expired->addWidget(new QLabel(QStringLiteral("提示"), p));
    expired->addStretch();
    auto *expiring = new QHBoxLayout;
    expiring->addWidget(TxtSHX[0]);
    expiring->addWidget(new QLabel(QStringLiteral("天后即将失效的试剂用"), p));
    expiring->addWidget(coloured(QStringLiteral("蓝色"), "blue"));
    expiring->addWidget(new QLabel(QStringLiteral("提示"), p));
    expiring->addStretch();
    expiring->addWidget(CmdSet);
    auto *l = new QVBoxLayout(p);
    l->addWidget(CheTipSHX);
    l->addLayout(expired);
    l->addLayout(expiring);
    l->addStretch();
}

void FrmOptions::buildQueryDatePanel()
{
    QWidget *p = picOptions[3];
    const std::array<QString, 6> captions = {QStringLiteral("本月"), QStringLiteral("上月"), QStringLiteral("今年"),
                                             QStringLiteral("去年"), QStringLiteral("不限"), QStringLiteral("自定义")};
    auto *l = new QGridLayout(p);
    for (int i = 0; i < 6; ++i) {
        OptRQ[i] = radio(QStringLiteral("OptRQ_%1").arg(i), captions[i], p);
        l->addWidget(OptRQ[i], i / 3, i % 3);
    }
    l->setRowStretch(2, 1);
}

void FrmOptions::buildMarkUpPanel()
{
    QWidget *p = picOptions[4];
    TxtSHX[1] = new QLineEdit(p);
    TxtSHX[1]->setObjectName(QStringLiteral("TxtSHX_1"));
    TxtSHX[1]->setFixedWidth(70);
    CmdJia = namedPlainButton(QStringLiteral("CmdJia"), QStringLiteral("设置"), p);
    auto *row = new QHBoxLayout;
    row->addWidget(new QLabel(QStringLiteral("出库加成率:"), p));
    row->addWidget(TxtSHX[1]);
    row->addWidget(new QLabel(QStringLiteral("%"), p));
    row->addWidget(CmdJia);
    row->addStretch();
    auto *l = new QVBoxLayout(p);
    l->addLayout(row);
    l->addStretch();
}

void FrmOptions::loadFromSettings()
{
    using namespace ModBase;
    TxtSHX[0]->setText(QString::number(SXDays));
    TxtSHX[1]->setText(percentOf(OutRate));
    TxtDir->setText(BackupPath);
    CheBak->setChecked(AutoBackup);
    CheCKPSW->setChecked(PSWProtect);
    // A stored value outside the options selects none of them.
    if (QueryDate >= 0 && QueryDate < qint16(OptRQ.size()))
        OptRQ[QueryDate]->setChecked(true);
    if (OutMode >= 0 && OutMode < qint16(OptCK.size()))
        OptCK[OutMode]->setChecked(true);
    ChePrice->setChecked(NoPriceCheck);
    CheIntoRegOut->setChecked(AutoOut);
    CheTipSHX->setChecked(TipNow);
}

void FrmOptions::writeFlag(QCheckBox *box)
{
    for (const FlagSetting &f : kFlags) {
        if (this->*(f.box) == box) {
            *f.global = box->isChecked();
            write(f.section, f.key, flagText(*f.global));
        }
    }
}

void FrmOptions::setOutMode(int i)
{
    ModBase::OutMode = qint16(i);
    write(u"首选出库方式", u"出库方式", QString::number(i));
}

void FrmOptions::setQueryDate(int i)
{
    ModBase::QueryDate = qint16(i);
    write(u"查询默认日期", u"日期", QString::number(i));
}

void FrmOptions::setDays()
{
    const double days = platform::convert::parseNumber(TxtSHX[0]->text()).value_or(0);
    ModBase::SXDays = qint32(platform::convert::roundHalfEven(days));
    write(u"失效间隔的天数", u"间隔", QString::number(ModBase::SXDays));
    platform::msgBox(QStringLiteral("已设置 ") + TxtSHX[0]->text() + QStringLiteral(" 天后即将失效的试剂用蓝色提示"),
                     platform::Buttons::Ok, platform::Icon::None, QString(), this);
}

void FrmOptions::setMarkUp()
{
    const double percent = platform::convert::parseNumber(TxtSHX[1]->text()).value_or(0);
    ModBase::OutRate = float((percent + 100) / 100);
    write(u"出库加成率", u"加成", platform::convert::singleText(ModBase::OutRate));
    platform::msgBox(QStringLiteral("已设置加成率为: ") + TxtSHX[1]->text() + QStringLiteral("%"), platform::Buttons::Ok,
                     platform::Icon::None, QString(), this);
}

bool FrmOptions::checkNumber(int i)
{
    QLineEdit *box = TxtSHX[i];
    const auto n = platform::convert::parseNumber(box->text());
    QString refusal;
    if (box->text().isEmpty() || !n)
        refusal = QStringLiteral("必须填入阿拉伯数字！");
    else if (*n < 0)
        refusal = QStringLiteral("请正确填写！数字必须大于零！");
    else if (i == 0 ? platform::convert::roundHalfEven(*n) > double(std::numeric_limits<qint32>::max())
                    : (*n + 100) / 100 > double(std::numeric_limits<float>::max()))
        // A value the setting cannot hold would be stored wrong or make the settings unreadable.
        refusal = QStringLiteral("请正确填写！数字必须大于零！");
    if (refusal.isEmpty())
        return true;
    platform::msgBox(refusal, platform::Buttons::Ok, platform::Icon::None, QString(), this);
    box->setFocus();
    return false;
}

bool FrmOptions::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusOut) {
        const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
        // A message box or menu taking the focus is no move to another control.
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
            const int i = watched == TxtSHX[0] ? 0 : 1;
            // Checked once the focus has moved; by then a set button may have checked the box
            // itself and given the focus back, or shown its refusal.
            QTimer::singleShot(0, this, [this, i] {
                if (isActiveWindow() && TxtSHX[i]->isVisible() && QApplication::focusWidget() != TxtSHX[i])
                    checkNumber(i);
            });
        }
    }
    return QDialog::eventFilter(watched, event);
}

void FrmOptions::chooseBackupFolder()
{
    const QString folder = ModBase::GetTargetPath(this);
    if (folder.isEmpty())
        return;
    if (unsafeBackupFolder(folder)) {
        platform::msgBox(QStringLiteral("基于数据安全的考虑，不得选择系统盘下的目录作为自动备份数据库的目录，请重新设置。 "),
                         platform::Buttons::Ok, platform::Icon::None, QString(), this);
        return;
    }
    ModBase::BackupPath = folder;
    TxtDir->setText(folder);
    write(u"自动备份数据库", u"备份目录", folder);
}

void FrmOptions::restoreDefaults()
{
    TxtSHX[0]->setText(QStringLiteral("30"));
    setDays();
    CheIntoRegOut->setChecked(false);
    writeFlag(CheIntoRegOut);
    CheCKPSW->setChecked(true);
    writeFlag(CheCKPSW);
    ChePrice->setChecked(true);
    writeFlag(ChePrice);
    OptCK[0]->setChecked(true);
    setOutMode(0);
    OptRQ[0]->setChecked(true);
    setQueryDate(0);
    CheTipSHX->setChecked(true);
    writeFlag(CheTipSHX);
    TxtSHX[1]->setText(QStringLiteral("0"));
    setMarkUp();
    CheBak->setChecked(true);
    writeFlag(CheBak);
    ModBase::BackupPath = platform::programFolder() + QStringLiteral("/备份数据库");
    TxtDir->setText(ModBase::BackupPath);
    write(u"自动备份数据库", u"备份目录", ModBase::BackupPath);
}
