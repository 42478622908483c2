#include "LineReversal.h"

namespace stock {

std::optional<ReversalResult> ownershipRefusal(const Actor &actor, const QString &owner)
{
    if (actor.super || owner == actor.name)
        return std::nullopt;
    return ReversalResult::refused(QStringLiteral("当前用户“") + actor.name + QStringLiteral("”，不能撤销用户“") + owner +
                                       QStringLiteral("”登记的数据\n\n只有登记本条数据的用户本身，或超级用户才能作撤销操作。"),
                                   QStringLiteral("没有权限！"));
}

} // namespace stock
