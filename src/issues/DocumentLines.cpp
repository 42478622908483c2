#include "DocumentLines.h"

#include "dao/Database.h"
#include "platform/Convert.h"
#include "shell/ModBase.h"
#include "shell/ModData.h"
#include "stock/MovementLines.h"
#include "widgets/FlexGrid.h"

#include <QLabel>

namespace issues {

namespace convert = platform::convert;

void showDocumentLines(const DocumentView &view, stock::MovementFlag flag, qint64 number)
{
    try {
        ModData::OpenDB();
        dao::Database *db = ModBase::DB();
        if (!db)
            return;
        const QString tail = QStringLiteral(" AND shijibiandongdengji.单号=? ORDER BY shijibiandongdengji.登记ID DESC");
        const QVariantList params{number};
        view.lines->setRedraw(false);
        view.lines->Fill(stock::movementLines(*db, stock::documentLines(flag), tail, params));
        for (int c = 0; c < view.widths.size() && c < view.lines->Cols(); ++c)
            view.lines->setColWidth(c, view.widths.at(c));
        const int n = view.lines->Rows() - 1;
        const convert::Currency total = stock::columnTotal(*view.lines, stock::DocumentAmountColumn);
        ModBase::PrintTotal = total;
        view.count->setText(QStringLiteral("共 %1 条记录，金额：%2").arg(n).arg(convert::standard(total.toDouble())));
        view.lines->setRedraw(true);
        view.print->Fill(stock::movementLines(*db, stock::reportLines(flag), tail, params));
    } catch (...) {
        view.lines->setRedraw(true);
        ModBase::SetStatus(QString());
        ModBase::ShowErr();
    }
}

} // namespace issues
