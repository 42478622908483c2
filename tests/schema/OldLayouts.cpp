#include "OldLayouts.h"

#include "dao/Database.h"

namespace oldlayouts {
namespace {

const QString kKey = QStringLiteral("桐汐砾苇岫澄");

QString u8(const char *s)
{
    return QString::fromUtf8(s);
}

} // namespace

int rightsLength(schema::Version v)
{
    if (v <= schema::V34)
        return 23;
    if (v == schema::V37)
        return 24;
    return v <= schema::V50 ? 25 : 26;
}

QList<Sample> samples(schema::Version v)
{
    const QString rights(rightsLength(v), u'1');
    return {
        {u8("yonghu"), {{u8("用户ID"), 1}, {u8("代码"), u8("01")}, {u8("用户名"), u8("管理员")}, {u8("密码"), u8("a'b")},
                        {u8("超级用户"), -1}, {u8("权限"), rights}, {u8("在职显示"), -1}, {u8("预留"), u8("旧")}}},
        {u8("yonghu"), {{u8("用户ID"), 2}, {u8("代码"), u8("02")}, {u8("用户名"), u8("李明")}, {u8("密码"), u8("")},
                        {u8("超级用户"), 0}, {u8("权限"), rights}, {u8("在职显示"), 0}}},
        {u8("shijijibenxinxi"),
         {{u8("试剂ID"), 1}, {u8("拼音码"), u8("XQXSY")}, {u8("品名"), u8("血球稀释液")}, {u8("规格"), u8("20L")},
          {u8("单位"), u8("桶")}, {u8("组别"), u8("血液")}, {u8("厂商ID"), 1}, {u8("批准文号"), u8("国械注准001")},
          {u8("预留1"), u8("r1")}, {u8("预留2"), u8("r2")}, {u8("停用"), -1}, {u8("条形码"), u8("6901234")},
          {u8("库存低限"), 2.5}, {u8("库存高限"), 10.0}, {u8("储存条件"), u8("2-8℃")}, {u8("开封有效日"), u8("30天")}}},
        {u8("shijijibenxinxi"),
         {{u8("试剂ID"), 2}, {u8("拼音码"), u8("SHZK")}, {u8("品名"), u8("生化质控")}, {u8("规格"), u8("5ml")},
          {u8("单位"), u8("盒")}, {u8("组别"), u8("生化")}, {u8("厂商ID"), 1}, {u8("停用"), 0},
          {u8("库存低限"), QVariant()}, {u8("库存高限"), QVariant()}}},
        {u8("changshang"),
         {{u8("厂商ID"), 1}, {u8("拼音码"), u8("MR")}, {u8("厂商"), u8("迈瑞")}, {u8("地址"), u8("深圳")},
          {u8("电话"), u8("0755-1")}, {u8("厂商全称"), u8("深圳迈瑞生物医疗电子股份有限公司")}}},
        {u8("gongyingshang"),
         {{u8("供应商ID"), 1}, {u8("拼音码"), u8("HK")}, {u8("供应商"), u8("华康")}, {u8("联系人"), u8("王五")},
          {u8("供应商全称"), u8("华康医药有限公司")}}},
        {u8("renlingbumen"), {{u8("认领部门ID"), 5}, {u8("拼音码"), u8("JYK")}, {u8("认领部门"), u8("检验科")},
                              {u8("预留"), u8("旧")}}},
        {u8("renlingren"), {{u8("认领人ID"), 1}, {u8("拼音码"), u8("ZS")}, {u8("认领人"), u8("张三")}}},
        {u8("zubie"), {{u8("组别ID"), 1}, {u8("拼音码"), u8("XY")}, {u8("组别"), u8("血液")}}},
        {u8("danweixinxi"), {{u8("单位名称"), u8("市第一人民医院")}, {u8("预留"), u8("旧")}, {u8("其他"), u8("旧")}}},
        {u8("danwei"), {{u8("单位ID"), 1}, {u8("数字码"), u8("01")}, {u8("拼音码"), u8("H")}, {u8("单位"), u8("盒")}}},
        {u8("cunfangdidian"), {{u8("存放地点ID"), 1}, {u8("拼音码"), u8("LK")}, {u8("存放地点"), u8("冷库")},
                               {u8("预留"), u8("旧")}}},
        {u8("shijibiandongdengji"),
         {{u8("登记ID"), 1}, {u8("变动标志"), 1}, {u8("单号"), Q_INT64_C(20240105001)}, {u8("发票号"), u8("F001")},
          {u8("登记日期"), u8("2024-01-05")}, {u8("试剂ID"), 1}, {u8("批号"), u8("B1")}, {u8("有效期"), u8("2025-01-31")},
          {u8("数量"), 10.0}, {u8("单价"), 12.5}, {u8("供应商ID"), 1}, {u8("操作者ID"), 1}, {u8("存放地点"), u8("冷库")},
          {u8("预留1"), u8("r1")}, {u8("入库ID"), u8("")}}},
        {u8("shijibiandongdengji"),
         {{u8("登记ID"), 2}, {u8("变动标志"), 2}, {u8("单号"), Q_INT64_C(20240106001)}, {u8("登记日期"), u8("2024-01-06")},
          {u8("试剂ID"), 1}, {u8("批号"), u8("B1")}, {u8("有效期"), u8("2025-01-31")}, {u8("数量"), 2.75},
          {u8("单价"), 12.5}, {u8("认领部门"), u8("检验科")}, {u8("认领人"), u8("张三")}, {u8("供应商ID"), 1},
          {u8("操作者ID"), 2}, {u8("存放地点"), u8("冷库")}, {u8("入库ID"), u8("1")}}},
        {u8("shijikucun"),
         {{u8("库存ID"), 1}, {u8("试剂ID"), 1}, {u8("批号"), u8("B1")}, {u8("有效期"), u8("2025-01-31")},
          {u8("数量"), 7.25}, {u8("单价"), 12.5}, {u8("存放地点"), u8("冷库")}, {u8("供应商ID"), 1},
          {u8("预留2"), u8("r2")}, {u8("入库ID"), u8("1")}}},
        {u8("dingdanjiben"), {{u8("订单基本ID"), 1}, {u8("订单号"), u8("20240105120000")},
                              {u8("生成日期"), u8("2024-01-05")}, {u8("生成时间"), u8("12:00:00")}, {u8("操作者ID"), 1}}},
        {u8("dingdanmingxi"),
         {{u8("订单明细ID"), 1}, {u8("订单基本ID"), 1}, {u8("品名"), u8("血球稀释液")}, {u8("规格"), u8("20L")},
          {u8("厂商"), u8("迈瑞")}, {u8("供应商"), u8("华康")}, {u8("数量"), u8("3")}, {u8("单位"), u8("桶")},
          {u8("单价"), u8("12.50")}, {u8("金额"), u8("37.50")}, {u8("出库数/天数"), u8("6/30")}, {u8("现库存"), u8("7")}}},
        {u8("jishiben"), {{u8("记事本ID"), 1}, {u8("日期"), u8("2024-01-05")}, {u8("标题"), u8("盘点")},
                          {u8("内容"), u8("月底盘点冷库")}, {u8("用户ID"), 1}}},
    };
}

void insertAt(dao::Database &db, schema::Version v, const QString &table, const Values &values)
{
    const std::optional<schema::Layout> layout = schema::layoutAt(table, v);
    if (!layout)
        return;
    QStringList columns, marks;
    QVariantList params;
    for (const auto &[field, value] : values) {
        const QString name = schema::fieldNameAt(table, field, v);
        if (!layout->hasField(name))
            continue;
        columns.append(schema::quoted(name));
        marks.append(QStringLiteral("?"));
        params.append(value);
    }
    db.exec(QStringLiteral("INSERT INTO ") + schema::quoted(layout->name) + QStringLiteral(" (") + columns.join(u',')
                + QStringLiteral(") VALUES (") + marks.join(u',') + u')',
            params);
}

std::unique_ptr<dao::Database> create(const QString &path, schema::Version v)
{
    auto db = dao::Database::create(path, kKey);
    schema::createTables(*db, v);
    for (const Sample &s : samples(v))
        insertAt(*db, v, s.table, s.values);
    const QString movements = schema::quoted(schema::tableNameAt(QStringLiteral("shijibiandongdengji"), v));
    db->exec(QStringLiteral("INSERT INTO ") + movements + QStringLiteral(" (登记ID, 变动标志) VALUES (3, 3)"));
    db->exec(QStringLiteral("DELETE FROM ") + movements + QStringLiteral(" WHERE 登记ID = 3"));
    return db;
}

} // namespace oldlayouts
