#pragma once

#include <QString>

// Who makes the program and how to reach them, as the help menu and the about box show it.
namespace Maker {

inline const QString Email = QStringLiteral("support@vialdesk.example.org");
inline const QString Web = QStringLiteral("https://vialdesk.example.org/");
inline const QString Telephone = QStringLiteral("请与本单位信息科联系");
inline const QString Contact = QStringLiteral("系统管理员");
inline const QString Address = QStringLiteral("本单位信息科");
inline const QString Notice = QStringLiteral("本软件及其文档受著作权法保护，保留一切权利。");
inline const QString Warning = QStringLiteral(
    "警告：未经许可，不得复制、修改或传播本软件的全部或部分，违者将承担相应的法律责任。");

} // namespace Maker
