#include "FrmCancelOut.h"

namespace {

const OutReversalKind kIssue{
    stock::Issue,
    "FrmCancelOut",
    QStringLiteral("撤销出库"),
    QStringLiteral("按出库单号检索"),
    QStringLiteral("出库单号:"),
    QStringLiteral("自定义检索"),
    QStringLiteral("出库数据维护"),
    QStringLiteral("撤消出库(&C)"),
    QStringLiteral("提示：\n1、检索出库数据；\n2、点击选择欲维护的记录；\n3、修改出库数据，请先“撤消出库”，然后重新出库。"),
    QStringLiteral("::/4.htm#46"),
    QStringLiteral("/Demo/42.htm"),
};

} // namespace

FrmCancelOut::FrmCancelOut(QWidget *parent) : OutReversalWindow(kIssue, parent) {}
