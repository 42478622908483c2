#pragma once

#include <QAnyStringView>
#include <QString>

class QPushButton;
class QWidget;

// A push button under the object name the window's code and tests find it by.
QPushButton *namedButton(QAnyStringView name, const QString &caption, QWidget *parent);

// The same, never auto-default: in a dialog, Enter does not press it for having the focus.
QPushButton *namedPlainButton(QAnyStringView name, const QString &caption, QWidget *parent);
