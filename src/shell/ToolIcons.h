#pragma once

#include <QIcon>
#include <QString>

// The pictures of the main toolbar's buttons, drawn here so the program needs no image
// files: a coloured tile with the button's sign. key is the button's name.
QIcon toolIcon(const QString &key);
