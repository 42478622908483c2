#include "DocumentLayout.h"

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

QPushButton *helpButton(QWidget *parent)
{
    QPushButton *help = namedButton("CmdHelp", QStringLiteral("？"), parent);
    help->setToolTip(QStringLiteral("打开帮助系统"));
    return help;
}

QHBoxLayout *lowerBar(QLabel *tip, std::initializer_list<QPushButton *> buttons)
{
    auto *bar = new QHBoxLayout;
    bar->addWidget(tip, 1);
    for (QPushButton *b : buttons) {
        b->setFocusPolicy(Qt::ClickFocus);
        bar->addWidget(b);
    }
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
    auto *row = new QHBoxLayout;
    for (QPushButton *b : buttons) {
        b->setFocusPolicy(Qt::ClickFocus);
        row->addWidget(b);
    }
    row->addStretch();
    return row;
}

} // namespace documentlayout
