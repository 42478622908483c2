#include "NamedButton.h"

#include <QPushButton>

QPushButton *namedButton(QAnyStringView name, const QString &caption, QWidget *parent)
{
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(name.toString());
    return b;
}

QPushButton *namedPlainButton(QAnyStringView name, const QString &caption, QWidget *parent)
{
    QPushButton *b = namedButton(name, caption, parent);
    b->setAutoDefault(false);
    return b;
}
