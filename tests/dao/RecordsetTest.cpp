#include "TempFolder.h"
#include "dao/Recordset.h"

#include <gtest/gtest.h>

using namespace dao;

namespace {
class RecordsetTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        db = Database::create(dir.file(QStringLiteral("t.dat")), QStringLiteral("k"));
        db->execScript(QStringLiteral(
            "CREATE TABLE zubie(组别ID INTEGER PRIMARY KEY AUTOINCREMENT, 拼音码 TEXT, 组别 TEXT NOT NULL);"
            "INSERT INTO zubie(拼音码, 组别) VALUES('SH', '生化'), ('MY', '免疫');"));
    }
    TempFolder dir;
    std::unique_ptr<Database> db;
};
} // namespace

TEST_F(RecordsetTest, TableRecordsetAddsEditsAndDeletesByKey)
{
    Recordset rs(*db, QStringLiteral("zubie"));
    ASSERT_EQ(rs.recordCount(), 2);
    EXPECT_EQ(rs.fieldNames(), (QStringList{QStringLiteral("组别ID"), QStringLiteral("拼音码"), QStringLiteral("组别")}));
    rs.addNew();
    rs.setField(1, QStringLiteral("JY"));
    rs.setField(QStringLiteral("组别"), QStringLiteral("检验"));
    EXPECT_EQ(rs.update(), 3);
    rs.moveFirst();
    rs.edit();
    rs.setField(2, QStringLiteral("生化组"));
    rs.update();
    rs.moveNext();
    rs.deleteCurrent();
    const Result r = db->select(QStringLiteral("SELECT 组别ID, 组别 FROM zubie ORDER BY 组别ID"));
    ASSERT_EQ(r.size(), 2);
    EXPECT_EQ(r[0].text(1), QStringLiteral("生化组"));
    EXPECT_EQ(r[1].text(1), QStringLiteral("检验"));
}

TEST_F(RecordsetTest, SelectOfOneTableIsUpdatableAndJoinsAreNot)
{
    Recordset rs(*db, QStringLiteral("SELECT 组别 FROM zubie WHERE 拼音码 = ?"), {QStringLiteral("MY")});
    ASSERT_TRUE(rs.updatable());
    ASSERT_EQ(rs.recordCount(), 1);
    rs.edit();
    rs.setField(0, QStringLiteral("免疫组"));
    rs.update();
    EXPECT_EQ(rs.field(0).toString(), QStringLiteral("免疫组"));
    EXPECT_EQ(db->scalar(QStringLiteral("SELECT 组别 FROM zubie WHERE 组别ID=2")).toString(), QStringLiteral("免疫组"));

    Recordset joined(*db, QStringLiteral("SELECT a.组别 FROM zubie a JOIN zubie b ON a.组别ID=b.组别ID"));
    EXPECT_FALSE(joined.updatable());
}

TEST_F(RecordsetTest, NoCurrentRecordIs3021)
{
    Recordset rs(*db, QStringLiteral("SELECT * FROM zubie WHERE 组别ID > 10"));
    EXPECT_TRUE(rs.eof());
    try {
        rs.field(0);
        FAIL();
    } catch (const DaoError &e) {
        EXPECT_EQ(e.number(), ErrNoCurrentRecord);
    }
}
