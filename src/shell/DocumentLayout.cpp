#include "DocumentLayout.h"

#include "widgets/FlexGrid.h"
#include "widgets/NamedButton.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QResizeEvent>
#include <QVBoxLayout>

#include <type_traits>

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

// The window's column: the entry frame with `side` beside it, the bar, the lines.
template <typename Side>
void stack(QWidget *window, QGroupBox *entry, Side *side, QHBoxLayout *bar, FlexGrid *lines, int topStretch,
           int linesStretch)
{
    auto *top = new QHBoxLayout;
    top->addWidget(entry);
    if constexpr (std::is_base_of_v<QWidget, Side>)
        top->addWidget(side, 1);
    else
        top->addLayout(side, 1);
    auto *layout = new QVBoxLayout(window);
    layout->addLayout(top, topStretch);
    layout->addLayout(bar);
    layout->addWidget(lines, linesStretch);
}

} // namespace

namespace documentlayout {

QGroupBox *entryFrame(const QString &title, QWidget *window)
{
    auto *frame = new QGroupBox(title, window);
    frame->setObjectName(QStringLiteral("Frame1"));
    return frame;
}

QPushButton *saveButton(const QString &caption, QWidget *frame)
{
    QPushButton *save = namedButton("CmdSave", caption, frame);
    save->setAutoDefault(true);
    return save;
}

FlexGrid *linesGrid(const char *name, QWidget *window)
{
    auto *grid = new FlexGrid(window);
    grid->setObjectName(QString::fromLatin1(name));
    return grid;
}

void stackWindow(QWidget *window, QGroupBox *entry, QWidget *side, QHBoxLayout *bar, FlexGrid *lines,
                 int topStretch, int linesStretch)
{
    stack(window, entry, side, bar, lines, topStretch, linesStretch);
}

void stackWindow(QWidget *window, QGroupBox *entry, QLayout *side, QHBoxLayout *bar, FlexGrid *lines,
                 int topStretch, int linesStretch)
{
    stack(window, entry, side, bar, lines, topStretch, linesStretch);
}

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
