#pragma once

#include <QString>
#include <QVariantList>

class DropDownCombo;

// A filter list filled once, at its first drop-down, from a query with bound values: the
// first field of every row whose text is not empty, after an empty first item when
// addBlank. What the user typed stays and no change handling runs while it fills; a
// failure shows the common error box and keeps what was added.
void fillAtFirstDropDown(DropDownCombo *combo, const QString &sql, const QVariantList &params = {},
                         bool addBlank = false);
