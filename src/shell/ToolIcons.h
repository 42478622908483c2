#pragma once

#include <QIcon>
#include <QString>

// The pictures of the main toolbar's buttons, drawn here so the program needs no image
// files: a coloured tile with the button's sign. key is the button's name.
QIcon toolIcon(const QString &key);

// The program's own icon: the title bars, the task bar and the menu bar of a maximised
// child window show it.
QIcon programIcon();
