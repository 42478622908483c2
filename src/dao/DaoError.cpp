#include "DaoError.h"

namespace dao {

DaoError::DaoError(int number, const QString &engineMessage, int engineCode, const QString &file)
    : std::runtime_error(engineMessage.toStdString()), m_number(number), m_engineCode(engineCode),
      m_engineMessage(engineMessage), m_file(file)
{
}

QString DaoError::describe(int number, const QString &file)
{
    if (number == ErrDamaged && !file.isEmpty())
        return QStringLiteral("不能打开数据库“") + file + QStringLiteral("”：它不是可识别的数据库，或文件已损坏。");
    switch (number) {
    case ErrNoCurrentRecord: return QStringLiteral("无当前记录。");
    case ErrDuplicate: return QStringLiteral("不能保存：会在索引或主关键字中产生重复的值。");
    case ErrFileNotFound: return QStringLiteral("找不到数据库文件。");
    case ErrExclusiveUse:
    case ErrHeldExclusively: return QStringLiteral("数据库文件已被其他用户以独占方式打开。");
    case ErrDamaged: return QStringLiteral("不能打开数据库：它不是可识别的数据库，或文件已损坏。");
    case ErrFieldTooSmall: return QStringLiteral("字段太小，不能接受所要添加的数据。");
    case ErrLocked: return QStringLiteral("不能更新：数据库正被其他用户锁定。");
    case ErrUnrecognized: return QStringLiteral("不可识别的数据库格式。");
    case ErrRequired: return QStringLiteral("必填字段不能为空。");
    case ErrZeroLength: return QStringLiteral("字段不能是零长度字符串。");
    case ErrValidation: return QStringLiteral("输入的值不符合字段的有效性规则。");
    default: return QStringLiteral("数据库引擎错误。");
    }
}

QString DaoError::description() const
{
    const QString text = describe(m_number, m_file);
    return m_engineMessage.isEmpty() ? text : text + QStringLiteral("（") + m_engineMessage + QStringLiteral("）");
}

} // namespace dao
