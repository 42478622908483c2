#include "FrmSetGDXLimits.h"

#include "dao/Database.h"
#include "platform/Convert.h"

#include <cmath>
#include <limits>

namespace registers {

std::optional<QString> limitRefusal(const QString &text)
{
    const QString t = text.trimmed();
    if (t.isEmpty())
        return std::nullopt;
    const std::optional<double> value = platform::convert::parseNumber(t);
    if (!value)
        return QStringLiteral("请输入阿拉伯数字！");
    if (*value < 0)
        return QStringLiteral("请输入大于零的数字！");
    if (!std::isfinite(*value) || *value > std::numeric_limits<float>::max())
        return QStringLiteral("数字太大，请重新输入！");
    return std::nullopt;
}

QVariant limitValue(const QString &text)
{
    const std::optional<double> value = platform::convert::parseNumber(text.trimmed());
    if (!value)
        return QVariant();
    return static_cast<double>(static_cast<float>(*value));
}

float limitNumber(const QString &text)
{
    return static_cast<float>(platform::convert::parseNumber(text.trimmed()).value_or(0));
}

void setAllLimits(dao::Database &db, float low, float high)
{
    dao::Transaction t(db);
    db.exec(QStringLiteral("UPDATE shijijibenxinxi SET 库存低限 = ?, 库存高限 = ?"),
            {static_cast<double>(low), static_cast<double>(high)});
    t.commit();
}

void clearAllLimits(dao::Database &db)
{
    db.exec(QStringLiteral("UPDATE shijijibenxinxi SET 库存低限 = NULL, 库存高限 = NULL"));
}

} // namespace registers
