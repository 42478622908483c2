#include "MovementFlag.h"

namespace stock {

QString kindWord(MovementFlag flag)
{
    switch (flag) {
    case Receipt:
        return QStringLiteral("入库");
    case Issue:
        return QStringLiteral("出库");
    case Scrap:
        return QStringLiteral("报损");
    }
    return QString();
}

} // namespace stock
