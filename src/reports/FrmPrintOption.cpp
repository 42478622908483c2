#include "FrmPrintOption.h"

#include "PrintJob.h"
#include "platform/Convert.h"
#include "platform/Dialogs.h"
#include "platform/Printers.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QRegularExpressionValidator>
#include <QSignalBlocker>
#include <QSpinBox>

#include <algorithm>

namespace reports {
namespace {

// The leading number of a text, rounded to a whole number; 0 when it starts with none.
qint64 leadingWhole(const QString &text)
{
    static const QRegularExpression number(QStringLiteral("^\\s*[+-]?(\\d+\\.?\\d*|\\.\\d+)"));
    const auto m = number.match(text);
    return m.hasMatch() ? static_cast<qint64>(platform::convert::roundHalfEven(m.captured().trimmed().toDouble()))
                        : 0;
}

} // namespace

FrmPrintOption::FrmPrintOption(QWidget *preview, const PageReport &report, int currentPage)
    : QDialog(preview), m_report(report), m_currentPage(currentPage)
{
    setObjectName(QStringLiteral("FrmPrintOption"));
    setWindowTitle(QStringLiteral("打印"));

    Option2 = new QRadioButton(QStringLiteral("范围从："), this);
    Option2->setObjectName(QStringLiteral("Option2"));
    Option1 = new QRadioButton(QStringLiteral("选择当前页"), this);
    Option1->setObjectName(QStringLiteral("Option1"));
    sPag = new QComboBox(this);
    sPag->setObjectName(QStringLiteral("sPag"));
    ePag = new QComboBox(this);
    ePag->setObjectName(QStringLiteral("ePag"));
    for (QComboBox *list : {sPag, ePag}) {
        list->setEditable(true);
        list->setInsertPolicy(QComboBox::NoInsert);
        list->setMinimumContentsLength(4);
        for (int p = 1; p <= report.pageCount; ++p)
            list->addItem(QString::number(p));
    }
    CmbFS = new QLineEdit(QStringLiteral("1"), this);
    CmbFS->setObjectName(QStringLiteral("CmbFS"));
    CmbFS->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), CmbFS));
    CmbFS->setMaxLength(4);
    CmbFS->setFixedWidth(60);
    UpDownFS = new QSpinBox(this);
    UpDownFS->setObjectName(QStringLiteral("UpDownFS"));
    UpDownFS->setRange(1, 9999);
    UpDownFS->setFixedWidth(20);
    CmdOK = new QPushButton(QStringLiteral("确定(&O)"), this);
    CmdOK->setObjectName(QStringLiteral("CmdOK"));
    CmdOK->setDefault(true);
    CmdCancel = new QPushButton(QStringLiteral("取消(&C)"), this);
    CmdCancel->setObjectName(QStringLiteral("CmdCancel"));

    auto *grid = new QGridLayout;
    grid->addWidget(Option2, 0, 0);
    grid->addWidget(sPag, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("到"), this), 0, 2);
    grid->addWidget(ePag, 0, 3);
    grid->addWidget(Option1, 1, 0, 1, 4);
    auto *copies = new QHBoxLayout;
    copies->addWidget(new QLabel(QStringLiteral("份数:"), this));
    copies->addWidget(CmbFS);
    copies->addWidget(UpDownFS);
    copies->setSpacing(0);
    copies->addStretch();
    grid->addLayout(copies, 2, 0, 1, 4);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(CmdOK);
    buttons->addWidget(CmdCancel);
    auto *main = new QVBoxLayout(this);
    main->addLayout(grid);
    main->addLayout(buttons);

    sPag->setCurrentIndex(0);
    ePag->setCurrentIndex(ePag->count() - 1);
    Option2->setChecked(true);

    connect(Option1, &QRadioButton::toggled, this, [this](bool on) {
        if (!on)
            return;
        sPag->setCurrentIndex(m_currentPage - 1);
        ePag->setCurrentIndex(m_currentPage - 1);
    });
    connect(sPag, &QComboBox::activated, this, [this] { Option2->setChecked(true); });
    connect(sPag->lineEdit(), &QLineEdit::textEdited, this, [this] { Option2->setChecked(true); });
    connect(CmbFS, &QLineEdit::textChanged, this, [this](const QString &text) {
        if (text.trimmed().isEmpty()) {
            CmbFS->setText(QStringLiteral("1"));
            CmbFS->selectAll();
            return;
        }
        const QSignalBlocker block(UpDownFS);
        UpDownFS->setValue(std::max(1, text.toInt()));
    });
    connect(UpDownFS, &QSpinBox::valueChanged, this, [this](int value) { CmbFS->setText(QString::number(value)); });
    connect(CmdOK, &QPushButton::clicked, this, [this] { printPages(); });
    connect(CmdCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void FrmPrintOption::printPages()
{
    const qint64 pages = m_report.pageCount;
    const qint64 s = std::clamp<qint64>(leadingWhole(sPag->currentText()), 1, std::max<qint64>(pages, 1));
    const qint64 e = std::clamp<qint64>(leadingWhole(ePag->currentText()), 1, std::max<qint64>(pages, 1));
    const qint64 copies = static_cast<qint64>(platform::convert::roundHalfEven(CmbFS->text().toDouble()));
    const qint64 first = e > s ? s : e;
    const qint64 perCopy = e > s ? e - s + 1 : 1;
    const qint64 sheets = perCopy * copies;
    if (sheets > 30
        && platform::msgBox(QStringLiteral("确需打印 %1 张？这将需要较长的打印时间和大量纸张").arg(sheets),
                            platform::Buttons::YesNo, platform::Icon::Question, QStringLiteral("打印份数提示"), this,
                            platform::Answer::No)
               == platform::Answer::No) {
        CmbFS->setFocus();
        return;
    }
    if (pages < 1 || copies < 1) {
        accept();
        return;
    }
    setCursor(Qt::WaitCursor);
    const std::unique_ptr<QPrinter> printer = platform::printers().defaultPrinter();
    printer->setDocName(m_report.title);
    PrintJob job(*printer, this);
    bool ok = true;
    for (qint64 copy = 1; ok && copy <= copies; ++copy) {
        for (qint64 page = first; ok && page < first + perCopy; ++page)
            ok = job.PrintOut(m_report, static_cast<int>(page));
    }
    job.end();
    unsetCursor();
    accept();
}

} // namespace reports
