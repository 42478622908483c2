#include "DocumentLayout.h"

#include "widgets/FlexGrid.h"
#include "widgets/NamedButton.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QResizeEvent>

namespace {

// Keeps the unit box at the right end of the quantity field's editor.
class UnitBoxPlacer : public QObject {
public:
    UnitBoxPlacer(QLineEdit *editor, QLineEdit *unit)
        : QObject(editor)
        , m_unit(unit)
    {
        editor->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Resize) {
            const QSize size = static_cast<QResizeEvent *>(event)->size();
            m_unit->setGeometry(size.width() - m_unit->width(), 0, m_unit->width(), size.height());
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QLineEdit *m_unit;
};

} // namespace

namespace documentlayout {

QLabel *documentTip(QWidget *window)
{
    auto *tip = new QLabel(window);
    tip->setObjectName(QStringLiteral("LabTip"));
    return tip;
}

FlexGrid *printGrid(QWidget *window)
{
    auto *grid = new FlexGrid(window);
    grid->setObjectName(QStringLiteral("GridP"));
    grid->hide();
    return grid;
}

QPushButton *helpButton(QWidget *parent)
{
    QPushButton *help = namedButton("CmdHelp", QStringLiteral("？"), parent);
    help->setToolTip(QStringLiteral("打开帮助系统"));
    return help;
}

void chainTabs(std::initializer_list<QWidget *> widgets)
{
    QWidget *previous = nullptr;
    for (QWidget *w : widgets) {
        if (previous)
            QWidget::setTabOrder(previous, w);
        previous = w;
    }
}

void clickFocusOnly(std::initializer_list<QPushButton *> buttons)
{
    for (QPushButton *b : buttons)
        b->setFocusPolicy(Qt::ClickFocus);
}

QHBoxLayout *lowerBar(QLabel *tip, std::initializer_list<QPushButton *> buttons)
{
    clickFocusOnly(buttons);
    auto *bar = new QHBoxLayout;
    bar->addWidget(tip, 1);
    for (QPushButton *b : buttons)
        bar->addWidget(b);
    return bar;
}

QLineEdit *addUnitBox(QComboBox *quantity)
{
    auto *unit = new QLineEdit(quantity->lineEdit());
    unit->setObjectName(QStringLiteral("TxtDW"));
    unit->setReadOnly(true);
    unit->setFocusPolicy(Qt::NoFocus);
    unit->setFrame(false);
    unit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    unit->setFixedWidth(60);
    quantity->lineEdit()->setTextMargins(0, 0, 64, 0);
    new UnitBoxPlacer(quantity->lineEdit(), unit);
    return unit;
}

QHBoxLayout *shortcutRow(std::initializer_list<QPushButton *> buttons)
{
    clickFocusOnly(buttons);
    auto *row = new QHBoxLayout;
    for (QPushButton *b : buttons)
        row->addWidget(b);
    row->addStretch();
    return row;
}

} // namespace documentlayout
