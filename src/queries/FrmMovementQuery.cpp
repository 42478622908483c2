#include "FrmMovementQuery.h"

#include "dao/Database.h"
#include "reports/ExportGrid.h"
#include "reports/FrmPrint.h"
#include "shell/DropDownFill.h"
#include "shell/FrmPopMenu.h"
#include "shell/ModBase.h"
#include "shell/ModData.h"
#include "shell/ModDataGrid.h"
#include "stock/MovementLines.h"
#include "widgets/DateRangeSelector.h"
#include "widgets/DropDownCombo.h"
#include "widgets/EntryFilter.h"
#include "widgets/FlexGrid.h"
#include "widgets/NamedButton.h"
#include "widgets/WaitCursor.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

namespace {

DropDownCombo *combo(const QString &name, QWidget *parent)
{
    auto *c = new DropDownCombo(parent);
    c->setObjectName(name);
    c->setMinimumWidth(150);
    return c;
}

// The hourglass and the busy status while a query runs.
class Busy {
public:
    explicit Busy(const QString &status) { ModBase::SetStatus(status, true); }
    ~Busy() { ModBase::SetStatus(QString()); }
    Busy(const Busy &) = delete;
    Busy &operator=(const Busy &) = delete;

private:
    WaitCursor m_cursor;
};

} // namespace

FrmMovementQuery::FrmMovementQuery(const queries::MovementQueryKind &kind, QWidget *parent)
    : QWidget(parent), m_kind(kind)
{
    setObjectName(kind.window);
    setWindowTitle(kind.caption);
    build();
    new EntryFilter(this);

    OptKind[0]->setChecked(true);
    Chorder->setChecked(ModBase::QueryOrder == 1);
    Chorder_Click();
}

DropDownCombo *FrmMovementQuery::filter(const QString &name) const
{
    for (DropDownCombo *c : m_filters)
        if (c->objectName() == name)
            return c;
    return nullptr;
}

void FrmMovementQuery::build()
{
    auto *top = new QHBoxLayout;
    top->addWidget(buildLookUps());
    top->addWidget(buildSearch(), 1);
    top->addWidget(buildButtons());

    LabTip = new QLabel(this);
    LabTip->setObjectName(QStringLiteral("LabTip"));
    GridQ = new FlexGrid(this);
    GridQ->setObjectName(QStringLiteral("GridQ"));
    GridQ->setRows(1);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(LabTip);
    layout->addWidget(GridQ, 1);

    connectLists();
    connect(CmdQ, &QPushButton::clicked, this, [this] { CmdQ_Click(); });
    connect(Chorder, &QCheckBox::clicked, this, [this] { Chorder_Click(); });
    connect(CmdPrint, &QPushButton::clicked, this, [this] { CmdPrint_Click(); });
    connect(CmdDH, &QPushButton::clicked, this, [this] { CmdDH_Click(); });
    connect(CmdHelp, &QPushButton::clicked, this,
            [this] { FrmPopMenu::helpButton(this, m_kind.helpTopic, m_kind.helpPage); });
    connect(GridQ, &FlexGrid::MouseUp, this,
            [this](Qt::MouseButton, int, int, double y) { ModData::SortGrid(GridQ, y); });
}

QWidget *FrmMovementQuery::buildLookUps()
{
    auto *column = new QWidget(this);
    auto *layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);

    auto *byNumber = new QGroupBox(m_kind.documentFrame, column);
    CmbDH = combo(QStringLiteral("CmbDH"), byNumber);
    // Document numbers are whole numbers: nothing else can be typed.
    CmbDH->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("\\s*\\d{0,15}\\s*")), CmbDH));
    auto *numberRow = new QHBoxLayout(byNumber);
    numberRow->addWidget(new QLabel(m_kind.documentLabel, byNumber));
    numberRow->addWidget(CmbDH, 1);
    layout->addWidget(byNumber);
    connect(CmbDH->lineEdit(), &QLineEdit::textEdited, this, [this] { CmbDH_Change(); });
    connect(CmbDH, &QComboBox::activated, this, [this] { CmbDH_Change(); });

    if (m_kind.invoiceLookUp) {
        auto *byInvoice = new QGroupBox(QStringLiteral("按发票号查询"), column);
        CmbFPH = combo(QStringLiteral("CmbFPH"), byInvoice);
        auto *invoiceRow = new QHBoxLayout(byInvoice);
        invoiceRow->addWidget(new QLabel(QStringLiteral("发 票 号:"), byInvoice));
        invoiceRow->addWidget(CmbFPH, 1);
        layout->addWidget(byInvoice);
        connect(CmbFPH->lineEdit(), &QLineEdit::textEdited, this, [this] { CmbFPH_Change(); });
        connect(CmbFPH, &QComboBox::activated, this, [this] { CmbFPH_Change(); });
    }
    layout->addStretch();
    return column;
}

QWidget *FrmMovementQuery::buildSearch()
{
    auto *search = new QGroupBox(QStringLiteral("自定义查询"), this);
    DateRange = new DateRangeSelector(ModBase::SysDate, ModBase::QueryDate, search);
    DateRange->setObjectName(QStringLiteral("DateRange"));

    // Made in screen order, so Enter walks the frame row by row.
    QList<const queries::QueryFilter *> bySlot(m_kind.filters.size());
    for (const queries::QueryFilter &f : m_kind.filters)
        bySlot[f.slot] = &f;
    auto *filters = new QGridLayout;
    for (const queries::QueryFilter *f : bySlot) {
        DropDownCombo *c = combo(f->control, search);
        filters->addWidget(new QLabel(f->label, search), f->slot / 2, (f->slot % 2) * 2);
        filters->addWidget(c, f->slot / 2, (f->slot % 2) * 2 + 1);
    }
    for (const queries::QueryFilter &f : m_kind.filters)
        m_filters << search->findChild<DropDownCombo *>(f.control);

    Chorder = new QCheckBox(QStringLiteral("按日期排序"), search);
    Chorder->setObjectName(QStringLiteral("Chorder"));
    auto *kinds = new QButtonGroup(this);
    const QString kindCaptions[2] = {QStringLiteral("明细报表"), QStringLiteral("汇总报表")};
    auto *options = new QHBoxLayout;
    options->addWidget(Chorder);
    for (int i = 0; i < 2; ++i) {
        OptKind[i] = new QRadioButton(kindCaptions[i], search);
        OptKind[i]->setObjectName(QStringLiteral("OptKind_%1").arg(i));
        OptKind[i]->setVisible(m_kind.summary);
        kinds->addButton(OptKind[i], i);
        options->addWidget(OptKind[i]);
    }
    options->addStretch();
    CmdQ = namedButton("CmdQ", QStringLiteral("检索(&A)"), search);
    options->addWidget(CmdQ);
    filters->addLayout(options, 2, 0, 1, 4);

    auto *row = new QHBoxLayout(search);
    row->addWidget(DateRange);
    row->addSpacing(12);
    row->addLayout(filters, 1);
    return search;
}

QWidget *FrmMovementQuery::buildButtons()
{
    auto *column = new QWidget(this);
    CmdPrint = namedButton("CmdPrint", QStringLiteral("打印(&P)"), column);
    CmdDH = namedButton("CmdDH", QStringLiteral("导"), column);
    CmdDH->setToolTip(QStringLiteral("导出为HTML格式文档"));
    CmdHelp = namedButton("CmdHelp", QStringLiteral("？"), column);
    auto *layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(CmdPrint);
    layout->addWidget(CmdDH);
    layout->addWidget(CmdHelp);
    layout->addStretch();
    return column;
}

void FrmMovementQuery::connectLists()
{
    const QVariantList recent{ModBase::SysDate.addDays(-1200), m_kind.flag};
    fillAtFirstDropDown(CmbDH,
                        QStringLiteral("SELECT DISTINCT 单号 FROM shijibiandongdengji WHERE 登记日期>? AND 变动标志=? "
                                       "ORDER BY 单号 DESC"),
                        recent);
    if (CmbFPH)
        fillAtFirstDropDown(CmbFPH,
                            QStringLiteral("SELECT DISTINCT 发票号 FROM shijibiandongdengji WHERE 登记日期>? AND "
                                           "变动标志=? ORDER BY 发票号"),
                            recent);
    for (int i = 0; i < m_filters.size(); ++i)
        fillAtFirstDropDown(m_filters.at(i), m_kind.filters.at(i).listSql, m_kind.filters.at(i).listParams, true);
}

void FrmMovementQuery::DoQuery(const queries::Statement &statement)
{
    showResult(statement, m_kind.detailWidths, stock::ReportAmountColumn, m_kind.detailKind);
}

void FrmMovementQuery::DoQueryHZ(const queries::Statement &statement)
{
    showResult(statement, queries::SummaryWidths, stock::SummaryAmountColumn, m_kind.summaryKind);
}

void FrmMovementQuery::showResult(const queries::Statement &statement, const QList<int> &widths, int amountColumn,
                                  const QString &kind)
{
    try {
        Busy busy(QStringLiteral("正在检索数据"));
        ModBase::SQL = statement.query.sql + statement.tail;
        GridQ->setRedraw(false);
        const platform::convert::Currency total = stock::fillMovementLines(
            *GridQ, ModData::database(), statement.query, statement.tail, statement.params, amountColumn,
            statement.order);
        for (int c = 0; c < GridQ->Cols() && c < widths.size(); ++c)
            GridQ->setColWidth(c, widths.at(c));
        GridQ->setRedraw(true);
        m_report.kind = kind;
        m_report.total = total;
        LabTip->setText(m_report.title + QStringLiteral("－共 %1 条记录，总金额：").arg(GridQ->Rows() - 1) +
                        platform::convert::standard(m_report.total.toDouble()));
    } catch (...) {
        GridQ->setRedraw(true);
        ModBase::ShowErr();
    }
}

void FrmMovementQuery::CmdQ_Click()
{
    if (!DateRange->checkRange(this))
        return;
    QStringList texts;
    for (DropDownCombo *c : m_filters)
        texts << c->currentText();
    const queries::Search search = queries::periodSearch(m_kind, DateRange->title(), DateRange->condition(), texts);
    m_report.title = search.title;
    if (OptKind[1]->isChecked() && m_kind.summary) {
        DoQueryHZ(queries::summaryStatement(m_kind, search));
    } else {
        DoQuery(queries::detailStatement(m_kind, search, ModBase::OrderBy));
    }
}

void FrmMovementQuery::CmbDH_Change()
{
    const auto search = queries::documentSearch(m_kind, CmbDH->currentText());
    if (!search)
        return;
    m_report.title = search->title;
    DoQuery(queries::detailStatement(m_kind, *search, ModBase::OrderBy));
}

void FrmMovementQuery::CmbFPH_Change()
{
    const auto search = queries::invoiceSearch(m_kind, CmbFPH->currentText());
    if (!search)
        return;
    m_report.title = search->title;
    DoQuery(queries::detailStatement(m_kind, *search, ModBase::OrderBy));
}

void FrmMovementQuery::Chorder_Click()
{
    qint16 order = Chorder->isChecked() ? 1 : 0;
    ModData::SetQueryOrder(order);
}

void FrmMovementQuery::CmdPrint_Click()
{
    if (GridQ->Rows() < 2 || GridQ->Cols() < 2)
        return;
    {
        const Busy busy(QStringLiteral("正在准备打印输出"));
        handOff();
    }
    reports::ShowPreview(this);
    ModBase::SetStatus(QString());
}

void FrmMovementQuery::CmdDH_Click()
{
    if (GridQ->Rows() < 2 || GridQ->Cols() < 2)
        return;
    handOff();
    ModData::ExportGrid(this, m_report.grid, m_report.title, 1, true);
}

void FrmMovementQuery::handOff()
{
    m_report.grid = GridQ->snapshot();
    handOffReport(m_report);
}
