#include "ReversalLayout.h"

#include "BusyStatus.h"
#include "DocumentLayout.h"
#include "ModBase.h"
#include "dao/Collation.h"
#include "widgets/DateRangeSelector.h"
#include "widgets/DropDownCombo.h"
#include "widgets/FlexGrid.h"
#include "widgets/NamedButton.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

namespace reversallayout {

namespace {

DropDownCombo *combo(const char *name, QWidget *parent)
{
    auto *c = new DropDownCombo(parent);
    c->setObjectName(QString::fromLatin1(name));
    c->setMinimumWidth(160);
    return c;
}

} // namespace

QString lineOrder()
{
    return QStringLiteral(
        " ORDER BY shijijibenxinxi.组别 COLLATE ZH, shijijibenxinxi.品名 COLLATE ZH, shijibiandongdengji.登记日期");
}

ComboFrame lookUpFrame(const QString &title, const QString &label, const char *name, QWidget *window)
{
    auto *frame = new QGroupBox(title, window);
    DropDownCombo *c = combo(name, frame);
    auto *row = new QHBoxLayout(frame);
    row->addWidget(new QLabel(label, frame));
    row->addWidget(c, 1);
    return {frame, c};
}

ComboFrame numberFrame(const QString &title, const QString &label, QWidget *window)
{
    const ComboFrame number = lookUpFrame(title, label, "CmbDH", window);
    // Document numbers are whole numbers: nothing else can be typed.
    number.combo->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("\\s*\\d{0,15}\\s*")), number.combo));
    return number;
}

void searchAsTyped(DropDownCombo *combo, QWidget *window, const std::function<void()> &search)
{
    QObject::connect(combo->lineEdit(), &QLineEdit::textEdited, window, search);
    QObject::connect(combo, &QComboBox::activated, window, search);
}

Search searchFrame(const QString &title, std::initializer_list<Filter> filters, QWidget *window)
{
    auto *frame = new QGroupBox(title, window);
    auto *range = new DateRangeSelector(ModBase::SysDate, ModBase::QueryDate, frame);
    range->setObjectName(QStringLiteral("DateRange"));
    QList<DropDownCombo *> combos;
    for (const Filter &f : filters)
        combos << combo(f.name, frame);
    QPushButton *button = namedButton("CmdQ", QStringLiteral("检索(&A)"), frame);
    auto *grid = new QGridLayout;
    int row = 0;
    for (const Filter &f : filters) {
        grid->addWidget(new QLabel(f.label, frame), row, 0);
        grid->addWidget(combos.at(row), row, 1);
        ++row;
    }
    grid->addWidget(button, row, 1, Qt::AlignRight);
    auto *searchRow = new QHBoxLayout(frame);
    searchRow->addWidget(range);
    searchRow->addSpacing(12);
    searchRow->addLayout(grid);
    return {frame, range, combos, button};
}

Upkeep upkeepFrame(const QString &title, const QString &reverseCaption, const QString &hints, QWidget *window)
{
    auto *frame = new QGroupBox(title, window);
    QPushButton *reverse = namedButton("CmdChData", reverseCaption, frame);
    QPushButton *help = documentlayout::helpButton(frame);
    auto *hint = new QLabel(hints, frame);
    hint->setWordWrap(true);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(reverse);
    buttons->addWidget(help);
    buttons->addStretch();
    auto *column = new QVBoxLayout(frame);
    column->addLayout(buttons);
    column->addWidget(hint);
    column->addStretch();
    return {frame, reverse, help};
}

FlexGrid *arrange(QWidget *window, std::initializer_list<QGroupBox *> lookUps, const Search &search,
                  const Upkeep &upkeep)
{
    auto *left = new QVBoxLayout;
    for (QGroupBox *frame : lookUps)
        left->addWidget(frame);
    left->addStretch();

    auto *top = new QHBoxLayout;
    top->addLayout(left);
    top->addWidget(search.frame);
    top->addWidget(upkeep.frame, 1);

    auto *grid = new FlexGrid(window);
    grid->setObjectName(QStringLiteral("GridQ"));

    auto *layout = new QVBoxLayout(window);
    layout->addLayout(top);
    layout->addWidget(grid, 1);

    QPushButton *reverse = upkeep.reverse;
    QObject::connect(grid, &FlexGrid::Click, window, [grid, reverse] {
        if (grid->Rows() >= 2)
            reverse->setEnabled(true);
    });
    return grid;
}

void addEqual(QString &tail, QVariantList &params, const QString &column, const QComboBox *filter)
{
    if (filter->currentText().isEmpty())
        return;
    tail += QStringLiteral("AND ") + column + QStringLiteral(" = ? ");
    params << filter->currentText().trimmed();
}

void addNameContains(QString &tail, QVariantList &params, const QComboBox *filter)
{
    if (filter->currentText().isEmpty())
        return;
    tail += QStringLiteral("AND shijijibenxinxi.品名 LIKE ? ESCAPE '\\' ");
    params << dao::likeContains(filter->currentText());
}

void showLines(FlexGrid *grid, QPushButton *reverse, const std::function<dao::Result()> &read,
               const QList<int> &widths)
{
    try {
        const BusyStatus wait(QStringLiteral("正在检索数据"));
        const dao::Result lines = read();
        grid->setRedraw(false);
        grid->Fill(lines);
        grid->setColWidths(widths);
        grid->setRedraw(true);
        reverse->setEnabled(false);
    } catch (...) {
        grid->setRedraw(true);
        ModBase::ShowErr();
    }
}

} // namespace reversallayout
