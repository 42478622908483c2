#include "TempFolder.h"

#include "dao/Database.h"
#include "dao/Recordset.h"
#include "schema/DeliveredDatabase.h"
#include "schema/Schema.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace {

const QString kKey = QStringLiteral("桐汐砾苇岫澄");

QString u8(const char *s)
{
    return QString::fromUtf8(s);
}

class FreshFile : public ::testing::Test {
protected:
    void SetUp() override
    {
        db = dao::Database::create(dir.file(QStringLiteral("MarloSJGL.dat")), kKey);
        schema::createTables(*db);
    }

    int errorOf(const QString &sql, const QVariantList &params)
    {
        try {
            db->exec(sql, params);
        } catch (const dao::DaoError &e) {
            return e.number();
        }
        return 0;
    }

    TempFolder dir;
    std::unique_ptr<dao::Database> db;
};

} // namespace

TEST_F(FreshFile, HasTheCurrentLayoutAndStamp)
{
    EXPECT_EQ(schema::differences(*db), QStringList());
    EXPECT_EQ(db->scalar(QStringLiteral("SELECT DBVer FROM DBVersion")).toString(), QStringLiteral("5.3"));
    EXPECT_EQ(schema::layoutsAt(schema::kCurrent).size(), 16);
    EXPECT_EQ(db->columns(QStringLiteral("shijijibenxinxi")),
              QStringList({u8("试剂ID"), u8("拼音码"), u8("品名"), u8("规格"), u8("单位"), u8("组别"), u8("厂商ID"),
                           u8("批准文号"), u8("停用"), u8("条形码"), u8("库存低限"), u8("库存高限"), u8("储存条件"),
                           u8("开封有效日")}));
    EXPECT_EQ(schema::current(u8("shijikucun")).position(u8("入库ID")), 8);
    EXPECT_EQ(schema::current(u8("shijibiandongdengji")).position(u8("入库ID")), 16);

    db->exec(QStringLiteral("CREATE TABLE extra(x)"));
    db->exec(QStringLiteral("DROP INDEX cunfangdidian_拼音码"));
    EXPECT_EQ(schema::differences(*db),
              QStringList({u8("extra table extra"), u8("missing index cunfangdidian_拼音码")}));
}

TEST_F(FreshFile, RefusesWhatTheEngineRefused)
{
    const QString tooLong10(11, u'A');
    const QString tooLong20(21, u'盒');
    struct Case {
        const char *sql;
        QVariantList params;
        int error;
    } cases[] = {
        {"INSERT INTO danwei (拼音码, 单位) VALUES (?, ?)", {u8(""), u8("盒")}, dao::ErrZeroLength},
        {"INSERT INTO danwei (拼音码, 单位) VALUES (?, ?)", {u8("H"), u8("")}, dao::ErrZeroLength},
        {"INSERT INTO danwei (拼音码, 单位) VALUES (?, ?)", {u8("H"), tooLong20}, dao::ErrFieldTooSmall},
        {"INSERT INTO danwei (拼音码, 单位) VALUES (?, ?)", {u8("H"), QString(20, u'盒')}, 0},
        {"INSERT INTO cunfangdidian (拼音码, 存放地点) VALUES (?, ?)", {u8(""), u8("冷库")}, dao::ErrZeroLength},
        {"INSERT INTO cunfangdidian (拼音码, 存放地点) VALUES (?, ?)", {u8("LK"), u8("")}, dao::ErrZeroLength},
        {"INSERT INTO cunfangdidian (拼音码, 存放地点) VALUES (?, ?)", {QVariant(), u8("冷库")}, dao::ErrRequired},
        {"INSERT INTO cunfangdidian (拼音码, 存放地点) VALUES (?, ?)", {u8("LK"), QVariant()}, dao::ErrRequired},
        {"INSERT INTO cunfangdidian (拼音码, 存放地点) VALUES (?, ?)", {tooLong10, u8("冷库")}, dao::ErrFieldTooSmall},
        {"INSERT INTO cunfangdidian (拼音码, 存放地点) VALUES (?, ?)", {u8("LK"), u8("冷库")}, 0},
        {"INSERT INTO cunfangdidian (拼音码, 存放地点) VALUES (?, ?)", {u8("lk"), u8("冷藏柜")}, dao::ErrDuplicate},
        {"INSERT INTO jishiben (标题, 内容) VALUES (?, ?)", {u8(""), u8("内容")}, dao::ErrZeroLength},
        {"INSERT INTO jishiben (标题, 内容) VALUES (?, ?)", {u8("标题"), u8("")}, dao::ErrZeroLength},
        {"INSERT INTO jishiben (标题, 内容) VALUES (?, ?)", {QVariant(), u8("内容")}, dao::ErrRequired},
        {"INSERT INTO jishiben (标题, 内容) VALUES (?, ?)", {u8("标题"), QVariant()}, dao::ErrRequired},
        {"INSERT INTO jishiben (标题, 内容) VALUES (?, ?)", {QString(256, u'题'), u8("内容")}, dao::ErrFieldTooSmall},
        {"INSERT INTO dingdanjiben (订单号) VALUES (?)", {u8("")}, dao::ErrZeroLength},
        {"INSERT INTO dingdanmingxi (品名) VALUES (?)", {u8("")}, dao::ErrZeroLength},
        {"INSERT INTO dingdanmingxi (规格) VALUES (?)", {u8("")}, dao::ErrZeroLength},
        {"INSERT INTO dingdanmingxi (厂商) VALUES (?)", {u8("")}, dao::ErrZeroLength},
        {"INSERT INTO dingdanmingxi (数量) VALUES (?)", {u8("")}, dao::ErrZeroLength},
        {"INSERT INTO dingdanmingxi (单位) VALUES (?)", {u8("")}, dao::ErrZeroLength},
        {"INSERT INTO dingdanmingxi (单价) VALUES (?)", {u8("")}, dao::ErrZeroLength},
        {"INSERT INTO dingdanmingxi (金额) VALUES (?)", {u8("")}, dao::ErrZeroLength},
        {"INSERT INTO dingdanmingxi (供应商, [出库数/天数], 现库存) VALUES (?, ?, ?)", {u8(""), u8(""), u8("")}, 0},
        {"INSERT INTO shijijibenxinxi (拼音码, 条形码, 储存条件, 开封有效日) VALUES (?, ?, ?, ?)",
         {u8("XQ"), u8(""), u8(""), u8("")}, 0},
        {"INSERT INTO shijijibenxinxi (拼音码) VALUES (?)", {u8("XQ")}, 0},
        {"INSERT INTO shijijibenxinxi (拼音码, 停用) VALUES (?, ?)", {u8("XQ"), QVariant()}, dao::ErrRequired},
        {"INSERT INTO shijikucun (入库ID) VALUES (?)", {u8("")}, 0},
        {"INSERT INTO shijibiandongdengji (入库ID, 报损原因) VALUES (?, ?)", {u8(""), u8("")}, 0},
        {"INSERT INTO DBVersion (DBVer) VALUES (?)", {u8("")}, 0},
    };
    for (const Case &c : cases)
        EXPECT_EQ(errorOf(QString::fromUtf8(c.sql), c.params), c.error) << c.sql;

    // Rows added without the flags read No; stock limits left out read the default 0.
    const dao::Row r = db->select(QStringLiteral("SELECT 停用, 库存低限 FROM shijijibenxinxi")).rows.front();
    EXPECT_EQ(r[0].toInt(), 0);
    EXPECT_EQ(r[1].toDouble(), 0.0);
}

TEST_F(FreshFile, QuantitiesAndPricesAreRoundedToFourDecimalsOnEveryWrite)
{
    db->exec(QStringLiteral("INSERT INTO shijikucun (数量, 单价) VALUES (?, ?)"), {0.3, 12.345678});
    // Three issues of 0.1 empty the lot exactly, so it can be deleted when it reaches 0.
    for (int i = 0; i < 3; ++i)
        db->exec(QStringLiteral("UPDATE shijikucun SET 数量 = 数量 - 0.1"));
    dao::Row lot = db->select(QStringLiteral("SELECT 数量, 单价 FROM shijikucun")).rows.front();
    EXPECT_EQ(lot[0].toDouble(), 0.0);
    EXPECT_EQ(lot[1].toDouble(), 12.3457);

    dao::Recordset rs(*db, QStringLiteral("shijibiandongdengji"));
    rs.addNew();
    rs.setField(8, 1.0 / 3.0);
    rs.setField(9, 2.00005001);
    rs.update();
    const dao::Row line = db->select(QStringLiteral("SELECT 数量, 单价 FROM shijibiandongdengji")).rows.front();
    EXPECT_EQ(line[0].toDouble(), 0.3333);
    EXPECT_EQ(line[1].toDouble(), 2.0001);

    db->exec(QStringLiteral("INSERT INTO shijijibenxinxi (库存低限, 库存高限) VALUES (?, ?)"), {QVariant(), 5.123456});
    const dao::Row limits = db->select(QStringLiteral("SELECT 库存低限, 库存高限 FROM shijijibenxinxi")).rows.front();
    EXPECT_TRUE(limits[0].isNull());
    EXPECT_EQ(limits[1].toDouble(), 5.1235);
}

TEST(DeliveredDatabase, IsWrittenOnceAndNeverOverwritten)
{
    TempFolder dir;
    const QString path = dir.file(QStringLiteral("Data/MarloSJGL.dat"));
    ASSERT_TRUE(schema::writeDeliveredDatabase(path, kKey));
    EXPECT_EQ(QDir(dir.file(QStringLiteral("Data"))).entryList(QDir::Files), QStringList({u8("MarloSJGL.dat")}));
    {
        auto db = dao::Database::open(path, kKey);
        EXPECT_EQ(schema::differences(*db), QStringList());
        EXPECT_EQ(db->scalar(QStringLiteral("SELECT DBVer FROM DBVersion")).toString(), QStringLiteral("5.3"));
        EXPECT_EQ(db->scalar(QStringLiteral("SELECT count(*) FROM yonghu")).toInt(), 0);
        db->exec(QStringLiteral("INSERT INTO danweixinxi VALUES ('市第一人民医院')"));
    }
    const QByteArray before = dir.read(QStringLiteral("Data/MarloSJGL.dat"));
    EXPECT_FALSE(schema::writeDeliveredDatabase(path, kKey));
    EXPECT_EQ(dir.read(QStringLiteral("Data/MarloSJGL.dat")), before);

    dir.write(QStringLiteral("Other/MarloSJGL.dat"), "not a database");
    EXPECT_FALSE(schema::writeDeliveredDatabase(dir.file(QStringLiteral("Other/MarloSJGL.dat")), kKey));
    EXPECT_EQ(dir.read(QStringLiteral("Other/MarloSJGL.dat")), QByteArray("not a database"));
}
