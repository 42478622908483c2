#include "MovementQueryKind.h"

#include "shell/ReportHandOff.h"

namespace queries {
namespace {

QueryFilter supplier(int slot)
{
    return {QStringLiteral("CmbGYS"), QStringLiteral("供 应 商:"), QStringLiteral("gongyingshang.供应商"),
            FilterText::Trimmed, TitleWord::Supplier,
            QStringLiteral("SELECT 供应商 FROM gongyingshang ORDER BY 供应商ID"), {}, slot};
}

QueryFilter group(int slot)
{
    return {QStringLiteral("CmbZB"), QStringLiteral("组    别:"), QStringLiteral("shijijibenxinxi.组别"),
            FilterText::Trimmed, TitleWord::Plain,
            QStringLiteral("SELECT DISTINCT 组别 FROM shijijibenxinxi ORDER BY 组别 COLLATE ZH"), {}, slot};
}

QueryFilter name(FilterText text, int slot)
{
    return {QStringLiteral("CmbSJDM"), QStringLiteral("试剂名称:"), QStringLiteral("shijijibenxinxi.品名"), text,
            TitleWord::Plain, QStringLiteral("SELECT DISTINCT 品名 FROM shijijibenxinxi ORDER BY 品名 COLLATE ZH"), {},
            slot};
}

// The departments of issue lines: scrap lines name departments too, but the list of
// both windows is read from the issues.
QueryFilter department(int slot)
{
    return {QStringLiteral("CmbRLBM"), QStringLiteral("认领部门:"), QStringLiteral("shijibiandongdengji.认领部门"),
            FilterText::Trimmed, TitleWord::Plain,
            QStringLiteral("SELECT DISTINCT 认领部门 FROM shijibiandongdengji WHERE 变动标志=2 "
                           "ORDER BY 认领部门 COLLATE ZH"),
            {}, slot};
}

QueryFilter maker(int slot)
{
    return {QStringLiteral("CmbCS"), QStringLiteral("厂    商:"), QStringLiteral("changshang.厂商"),
            FilterText::AsTyped, TitleWord::Maker,
            QStringLiteral("SELECT 厂商 FROM changshang ORDER BY 厂商 COLLATE ZH"), {}, slot};
}

} // namespace

const MovementQueryKind &receiptQuery()
{
    static const MovementQueryKind kind{
        QStringLiteral("FrmQIn"),
        QStringLiteral("入库查询"),
        stock::Receipt,
        QStringLiteral("按入库单号查询"),
        QStringLiteral("入库单号:"),
        true,
        {supplier(0), group(1), name(FilterText::AsTyped, 3), maker(2)},
        QStringLiteral("试剂入库报表"),
        {0, 1300, 2500, 1400, 1100, 1000, 700, 600, 800, 1100, 1300, 800, 2000, 1000, 1400, 2000, 1000, 1000},
        ReportKind::RegIn,
        true,
        ReportKind::RegInHZ,
        QStringLiteral("::/5.htm#52"),
        QStringLiteral("/Demo/32.htm"),
    };
    return kind;
}

const MovementQueryKind &issueQuery()
{
    static const MovementQueryKind kind{
        QStringLiteral("FrmQOut"),
        QStringLiteral("出库查询"),
        stock::Issue,
        QStringLiteral("按出库单号查询"),
        QStringLiteral("出库单号:"),
        false,
        {department(2), group(1), name(FilterText::Trimmed, 3), supplier(0)},
        QStringLiteral("试剂出库报表"),
        {0, 1300, 2500, 1400, 1100, 1000, 700, 600, 800, 1100, 1300, 800, 2000, 1000, 1000, 1400, 2000, 1000, 1000,
         1000},
        ReportKind::RegOut,
        true,
        ReportKind::RegOutHZ,
        QStringLiteral("::/5.htm#53"),
        QStringLiteral("/Demo/33.htm"),
    };
    return kind;
}

const MovementQueryKind &scrapQuery()
{
    static const MovementQueryKind kind{
        QStringLiteral("FrmQScrap"),
        QStringLiteral("报损查询"),
        stock::Scrap,
        QStringLiteral("按报损单号查询"),
        QStringLiteral("报损单号:"),
        false,
        {department(2), group(1), name(FilterText::AsTyped, 3), supplier(0)},
        QStringLiteral("试剂报损报表"),
        {0, 1300, 2500, 1400, 1100, 1000, 700, 600, 800, 1100, 1300, 800, 2000, 1000, 1000, 1400, 2000, 1000, 1000,
         1000, 1000},
        ReportKind::RegBS,
        false,
        QString(),
        QStringLiteral("::/5.htm#54"),
        QStringLiteral("/Demo/34.htm"),
    };
    return kind;
}

} // namespace queries
