#include "FrmCancelScrap.h"

namespace {

const OutReversalKind kScrap{
    stock::Scrap,
    "FrmCancelScrap",
    QStringLiteral("撤销报损"),
    QStringLiteral("按报损单号检索"),
    QStringLiteral("报损单号:"),
    QStringLiteral("检索"),
    QStringLiteral("报损数据维护"),
    QStringLiteral("撤消报损(&C)"),
    QStringLiteral("提示：\n1、检索报损数据；\n2、点击选择欲维护的记录；\n3、修改报损数据，请先“撤消报损”，然后重新报损。"),
    QStringLiteral("::/4.htm#47"),
    QStringLiteral("/Demo/43.htm"),
};

} // namespace

FrmCancelScrap::FrmCancelScrap(QWidget *parent) : OutReversalWindow(kScrap, parent) {}
