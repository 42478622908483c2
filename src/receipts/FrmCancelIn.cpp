#include "FrmCancelIn.h"

#include "ReceiptLookUps.h"
#include "dao/Collation.h"
#include "dao/Database.h"
#include "shell/DropDownFill.h"
#include "shell/BusyStatus.h"
#include "shell/DocumentLayout.h"
#include "shell/FrmPopMenu.h"
#include "shell/ModBase.h"
#include "shell/ModData.h"
#include "stock/MovementFlag.h"
#include "stock/MovementLines.h"
#include "stock/ReceiptReversal.h"
#include "widgets/DateRangeSelector.h"
#include "widgets/DropDownCombo.h"
#include "widgets/EntryFilter.h"
#include "widgets/FlexGrid.h"
#include "widgets/NamedButton.h"

#include <QApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

namespace {

const QList<int> kWidths = {0, 0, 1300, 2550, 1500, 1300, 1300, 1000, 700, 600,
                       800, 1300, 1000, 0, 1000, 800, 1000, 1000, 1300, 1200};

const QString kOrder = QStringLiteral(
    " ORDER BY shijijibenxinxi.组别 COLLATE ZH, shijijibenxinxi.品名 COLLATE ZH, shijibiandongdengji.登记日期");

DropDownCombo *combo(const char *name, QWidget *parent)
{
    auto *c = new DropDownCombo(parent);
    c->setObjectName(QString::fromLatin1(name));
    c->setMinimumWidth(160);
    return c;
}

} // namespace

FrmCancelIn::FrmCancelIn(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("FrmCancelIn"));
    setWindowTitle(QStringLiteral("撤销入库"));
    build();
    m_entry = new EntryFilter(this);
    // No empty data row to click on before the first search.
    GridQ->setRows(1);
    CmdChData->setEnabled(false);
}

void FrmCancelIn::build()
{
    auto *byNumber = new QGroupBox(QStringLiteral("按入库单号检索"), this);
    CmbDH = combo("CmbDH", byNumber);
    // Document numbers are whole numbers: nothing else can be typed.
    CmbDH->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("\\s*\\d{0,15}\\s*")), CmbDH));
    auto *numberRow = new QHBoxLayout(byNumber);
    numberRow->addWidget(new QLabel(QStringLiteral("入库单号:"), byNumber));
    numberRow->addWidget(CmbDH, 1);

    auto *byInvoice = new QGroupBox(QStringLiteral("按发票号检索"), this);
    CmbFPH = combo("CmbFPH", byInvoice);
    auto *invoiceRow = new QHBoxLayout(byInvoice);
    invoiceRow->addWidget(new QLabel(QStringLiteral("发 票 号:"), byInvoice));
    invoiceRow->addWidget(CmbFPH, 1);

    auto *left = new QVBoxLayout;
    left->addWidget(byNumber);
    left->addWidget(byInvoice);
    left->addStretch();

    auto *search = new QGroupBox(QStringLiteral("检索"), this);
    DateRange = new DateRangeSelector(ModBase::SysDate, ModBase::QueryDate, search);
    DateRange->setObjectName(QStringLiteral("DateRange"));
    CmbZB = combo("CmbZB", search);
    CmbSJDM = combo("CmbSJDM", search);
    CmdQ = namedButton("CmdQ", QStringLiteral("检索(&A)"), search);
    auto *filters = new QGridLayout;
    filters->addWidget(new QLabel(QStringLiteral("组    别:"), search), 0, 0);
    filters->addWidget(CmbZB, 0, 1);
    filters->addWidget(new QLabel(QStringLiteral("试剂名称:"), search), 1, 0);
    filters->addWidget(CmbSJDM, 1, 1);
    filters->addWidget(CmdQ, 2, 1, Qt::AlignRight);
    auto *searchRow = new QHBoxLayout(search);
    searchRow->addWidget(DateRange);
    searchRow->addSpacing(12);
    searchRow->addLayout(filters);

    auto *upkeep = new QGroupBox(QStringLiteral("入库数据维护"), this);
    CmdChData = namedButton("CmdChData", QStringLiteral("撤消入库(&C)"), upkeep);
    CmdHelp = documentlayout::helpButton(upkeep);
    auto *hint = new QLabel(QStringLiteral("提示：\n1、检索入库数据；\n2、点击选择欲维护的记录；\n"
                                           "3、修改入库数据，请先“撤消入库”，然后重新入库。"),
                            upkeep);
    hint->setWordWrap(true);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(CmdChData);
    buttons->addWidget(CmdHelp);
    buttons->addStretch();
    auto *upkeepColumn = new QVBoxLayout(upkeep);
    upkeepColumn->addLayout(buttons);
    upkeepColumn->addWidget(hint);
    upkeepColumn->addStretch();

    auto *top = new QHBoxLayout;
    top->addLayout(left);
    top->addWidget(search);
    top->addWidget(upkeep, 1);

    GridQ = new FlexGrid(this);
    GridQ->setObjectName(QStringLiteral("GridQ"));

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(GridQ, 1);

    connect(CmbDH->lineEdit(), &QLineEdit::textEdited, this, [this] { CmbDH_Change(); });
    connect(CmbDH, &QComboBox::activated, this, [this] { CmbDH_Change(); });
    connect(CmbFPH->lineEdit(), &QLineEdit::textEdited, this, [this] { CmbFPH_Change(); });
    connect(CmbFPH, &QComboBox::activated, this, [this] { CmbFPH_Change(); });

    const QVariantList since{ModBase::SysDate.addDays(-1200), stock::Receipt};
    fillAtFirstDropDown(CmbDH, receipts::RecentReceiptNumbersSql, since);
    fillAtFirstDropDown(CmbFPH,
                        QStringLiteral("SELECT DISTINCT 发票号 FROM shijibiandongdengji WHERE 登记日期>? AND 变动标志=? "
                                       "ORDER BY 发票号"),
                        since);
    fillAtFirstDropDown(CmbSJDM, QStringLiteral("SELECT DISTINCT 品名 FROM shijijibenxinxi ORDER BY 品名 COLLATE ZH"), {},
                        true);
    fillAtFirstDropDown(CmbZB, receipts::GroupsSql, {}, true);

    connect(CmdQ, &QPushButton::clicked, this, [this] { CmdQ_Click(); });
    connect(GridQ, &FlexGrid::Click, this, [this] {
        if (GridQ->Rows() >= 2)
            CmdChData->setEnabled(true);
    });
    connect(CmdChData, &QPushButton::clicked, this, [this] { CmdChData_Click(); });
    connect(CmdHelp, &QPushButton::clicked, this, [this] {
        FrmPopMenu::helpButton(this, QStringLiteral("::/4.htm#45"), QStringLiteral("/Demo/41.htm"));
    });
}

void FrmCancelIn::DoQuery(const QString &tail, const QVariantList &params)
{
    try {
        const BusyStatus wait(QStringLiteral("正在检索数据"));
        const dao::Result lines = stock::movementLines(ModData::database(), stock::documentLines(stock::Receipt), tail, params);
        GridQ->setRedraw(false);
        GridQ->Fill(lines);
        GridQ->setColWidths(kWidths);
        GridQ->setRedraw(true);
        CmdChData->setEnabled(false);
    } catch (...) {
        GridQ->setRedraw(true);
        ModBase::ShowErr();
    }
}

void FrmCancelIn::CmbDH_Change()
{
    const QString t = CmbDH->currentText().trimmed();
    if (t.isEmpty())
        return;
    DoQuery(QStringLiteral(" AND shijibiandongdengji.单号=?") + kOrder, {t.toLongLong()});
}

void FrmCancelIn::CmbFPH_Change()
{
    const QString t = CmbFPH->currentText().trimmed();
    if (t.isEmpty())
        return;
    DoQuery(QStringLiteral(" AND shijibiandongdengji.发票号 LIKE ? ESCAPE '\\'") + kOrder,
            {QStringLiteral("%") + dao::escapeLike(t)});
}

void FrmCancelIn::CmdQ_Click()
{
    if (!DateRange->checkRange(this))
        return;
    const daterange::Condition period = DateRange->condition();
    QString sql = period.sql;
    QVariantList params = period.params;
    if (!CmbZB->currentText().isEmpty()) {
        sql += QStringLiteral("AND shijijibenxinxi.组别 = ? ");
        params << CmbZB->currentText().trimmed();
    }
    if (!CmbSJDM->currentText().isEmpty()) {
        sql += QStringLiteral("AND shijijibenxinxi.品名 LIKE ? ESCAPE '\\' ");
        params << dao::likeContains(CmbSJDM->currentText());
    }
    DoQuery(sql + kOrder, params);
}

void FrmCancelIn::CmdChData_Click()
{
    if (!stock::reverseSelectedRows(*GridQ, stock::Receipt, stock::receiptRowReversal(*GridQ),
                                    stock::ReversedRows::Remove, this))
        return;
    CmdChData->setEnabled(false);
}
