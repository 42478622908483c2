#include "DropDownFill.h"

#include "ModBase.h"
#include "ModData.h"
#include "dao/Database.h"
#include "widgets/DropDownCombo.h"

#include <QLineEdit>
#include <QSignalBlocker>

namespace {

void fillOnce(DropDownCombo *combo, const QString &sql, const QVariantList &params, bool addBlank)
{
    if (combo->count() > 0)
        return;
    const QString typed = combo->currentText();
    const QSignalBlocker blocker(combo);
    const QSignalBlocker editBlocker(combo->lineEdit());
    try {
        const dao::Result rows = ModData::database().select(sql, params);
        if (addBlank)
            combo->addItem(QString());
        for (const dao::Row &row : rows.rows)
            if (!row.text(0).isEmpty())
                combo->addItem(row.text(0));
    } catch (...) {
        ModBase::ShowErr();
    }
    combo->setEditText(typed);
}

} // namespace

void fillAtFirstDropDown(DropDownCombo *combo, const QString &sql, const QVariantList &params, bool addBlank)
{
    QObject::connect(combo, &DropDownCombo::DropDown, combo,
                     [combo, sql, params, addBlank] { fillOnce(combo, sql, params, addBlank); });
}
