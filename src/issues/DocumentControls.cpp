#include "DocumentControls.h"

#include "shell/DocumentLayout.h"
#include "widgets/DatePicker.h"
#include "widgets/FlexGrid.h"
#include "widgets/NamedButton.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace issues {

void makeDocumentControls(QWidget *parent, std::span<QComboBox *> fields, DatePicker *&date,
                          QPushButton *&newNumber, std::array<QPushButton *, 2> &pickers)
{
    for (std::size_t i = 0; i < fields.size(); ++i) {
        auto *c = new QComboBox(parent);
        c->setEditable(true);
        c->setObjectName(QStringLiteral("CmbField_%1").arg(i));
        c->setInsertPolicy(QComboBox::NoInsert);
        c->setMinimumWidth(200);
        fields[i] = c;
    }
    date = new DatePicker(parent);
    date->setObjectName(QStringLiteral("DTPrq"));
    newNumber = namedButton("CmdNewDH", QStringLiteral("新单号(&N)"), parent);
    const QString tips[] = {QStringLiteral("选择、添加、修改认领部门"), QStringLiteral("选择、添加、修改认领人")};
    for (std::size_t i = 0; i < pickers.size(); ++i) {
        pickers[i] = namedButton(QStringLiteral("CmdAdd_%1").arg(i), QStringLiteral("..."), parent);
        pickers[i]->setFixedWidth(32);
        pickers[i]->setToolTip(tips[i]);
    }
}

QSpinBox *quantitySpinner(QWidget *frame)
{
    auto *spinner = new QSpinBox(frame);
    spinner->setObjectName(QStringLiteral("UpDownSL"));
    spinner->setFocusPolicy(Qt::NoFocus);
    spinner->setFixedWidth(70);
    return spinner;
}

void addDocumentRows(QGridLayout *grid, std::span<const DocumentRow> rows, std::span<QLabel *> captions,
                     std::span<QLabel *> markers)
{
    QWidget *frame = grid->parentWidget();
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const int row = static_cast<int>(i);
        captions[i] = new QLabel(QString::fromUtf8(rows[i].caption), frame);
        captions[i]->setObjectName(QStringLiteral("lblLabels_%1").arg(row));
        markers[i] = new QLabel(QStringLiteral("*"), frame);
        markers[i]->setObjectName(QStringLiteral("Label1_%1").arg(row));
        markers[i]->setStyleSheet(QStringLiteral("color: red;"));
        grid->addWidget(captions[i], row, 0);
        grid->addWidget(rows[i].control, row, 1);
        grid->addWidget(markers[i], row, 2);
        if (rows[i].beside)
            grid->addWidget(rows[i].beside, row, 3, Qt::AlignLeft);
    }
}

void fillLotFrame(QGroupBox *frame, std::initializer_list<QPushButton *> shortcuts, FlexGrid *&pickList,
                  QLabel *&tip)
{
    pickList = new FlexGrid(frame);
    pickList->setObjectName(QStringLiteral("GridTip"));
    tip = new QLabel(frame);
    tip->setObjectName(QStringLiteral("lblTipLKC"));
    tip->setStyleSheet(QStringLiteral("color: red;"));
    // One line of its text high, its room kept while it is hidden, and its text never
    // widening the frame: showing it moves none of the entry fields.
    tip->setText(QStringLiteral("提示："));
    tip->setFixedHeight(tip->sizeHint().height());
    tip->clear();
    QSizePolicy policy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    policy.setRetainSizeWhenHidden(true);
    tip->setSizePolicy(policy);
    auto *column = new QVBoxLayout(frame);
    column->addLayout(documentlayout::shortcutRow(shortcuts));
    column->addWidget(pickList, 1);
    column->addWidget(tip);
}

} // namespace issues
