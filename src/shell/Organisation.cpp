#include "Organisation.h"

#include "FrmWelcome.h"
#include "ModBase.h"
#include "ModData.h"
#include "dao/Recordset.h"
#include "platform/Dialogs.h"

namespace ModBase {

void LoadOrganisation()
{
    try {
        SQL = QStringLiteral("danweixinxi");
        ModData::OpenRS();
        if (dao::Recordset *rs = RS(); rs && rs->recordCount() > 0) {
            rs->moveFirst();
            // A blank name is no name: the first-start dialog asks again.
            const QString name = rs->field(0).toString().trimmed();
            if (!name.isEmpty()) {
                UnitName = name;
                return;
            }
        }
    } catch (...) {
        ShowErr();
        return;
    }
    FrmWelcome welcome;
    platform::execModal(&welcome);
}

} // namespace ModBase
