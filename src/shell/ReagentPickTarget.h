#pragma once

#include <QString>

// A window that takes the reagent the catalogue picks for it: the receipt window, open as
// the business window "FrmProductIn". The catalogue finds it through the main window and
// calls this, then ends pick mode and closes itself.
class ReagentPickTarget {
public:
    virtual ~ReagentPickTarget() = default;
    // Makes the reagent the one of the line being entered (CurSJID, its name and unit),
    // clears the pick list and moves on to the field after the reagent.
    virtual void PickReagent(qint32 reagentId, const QString &name, const QString &unit) = 0;
};
