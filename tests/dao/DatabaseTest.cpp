#include "TempFolder.h"
#include "dao/Collation.h"
#include "dao/Database.h"
#include "dao/PresenceLock.h"
#include "dao/Repair.h"

#include <QFile>

#include <gtest/gtest.h>

using namespace dao;

namespace {

const QString kKey = QStringLiteral("桐汐砾苇岫澄");

class DatabaseTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        path = dir.file(QStringLiteral("MarloSJGL.dat"));
        auto db = Database::create(path, kKey);
        db->execScript(QStringLiteral(
            "CREATE TABLE danwei(单位ID INTEGER PRIMARY KEY AUTOINCREMENT, 拼音码 TEXT, 单位 TEXT NOT NULL "
            "CONSTRAINT nonempty_单位 CHECK(单位 <> ''));"
            "CREATE UNIQUE INDEX danwei_单位 ON danwei(单位 COLLATE NOCASE);"));
    }

    int errorOf(const std::function<void()> &f)
    {
        try {
            f();
        } catch (const DaoError &e) {
            return e.number();
        }
        return 0;
    }

    TempFolder dir;
    QString path;
};

} // namespace

TEST_F(DatabaseTest, AQuoteIsStoredAndFoundAgainByParameter)
{
    auto db = Database::open(path, kKey);
    db->exec(QStringLiteral("INSERT INTO danwei(拼音码, 单位) VALUES(?, ?)"), {QStringLiteral("H"), QStringLiteral("盒'子")});
    const Result r = db->select(QStringLiteral("SELECT 单位ID, 单位 FROM danwei WHERE 单位 LIKE ? ESCAPE '\\'"),
                                {likeContains(QStringLiteral("'"))});
    ASSERT_EQ(r.size(), 1);
    EXPECT_EQ(r[0].text(QStringLiteral("单位")), QStringLiteral("盒'子"));
    EXPECT_EQ(r[0][0].toLongLong(), 1);
    EXPECT_EQ(db->select(QStringLiteral("SELECT 1 FROM danwei WHERE 单位 LIKE ? ESCAPE '\\'"),
                         {likeContains(QStringLiteral("%"))}).size(), 0);
}

TEST_F(DatabaseTest, RulesOfTheTableMapToJetNumbers)
{
    auto db = Database::open(path, kKey);
    db->exec(QStringLiteral("INSERT INTO danwei(单位) VALUES('盒')"));
    EXPECT_EQ(errorOf([&] { db->exec(QStringLiteral("INSERT INTO danwei(单位) VALUES('盒')")); }), ErrDuplicate);
    EXPECT_EQ(errorOf([&] { db->exec(QStringLiteral("INSERT INTO danwei(单位) VALUES('')")); }), ErrZeroLength);
    EXPECT_EQ(errorOf([&] { db->exec(QStringLiteral("INSERT INTO danwei(拼音码) VALUES('X')")); }), ErrRequired);
}

TEST_F(DatabaseTest, ARolledBackTransactionLeavesNothing)
{
    auto db = Database::open(path, kKey);
    {
        Transaction t(*db);
        db->exec(QStringLiteral("INSERT INTO danwei(单位) VALUES('瓶')"));
    }
    EXPECT_FALSE(db->inTransaction());
    EXPECT_EQ(db->scalar(QStringLiteral("SELECT count(*) FROM danwei")).toInt(), 0);
    {
        Transaction t(*db);
        db->exec(QStringLiteral("INSERT INTO danwei(单位) VALUES('瓶')"));
        t.commit();
    }
    EXPECT_EQ(db->scalar(QStringLiteral("SELECT count(*) FROM danwei")).toInt(), 1);
}

TEST_F(DatabaseTest, OpeningFailuresCarryTheirJetNumbers)
{
    EXPECT_EQ(errorOf([&] { Database::open(dir.file(QStringLiteral("none.dat")), kKey); }), ErrFileNotFound);
    EXPECT_FALSE(QFile::exists(dir.file(QStringLiteral("none.dat"))));
    EXPECT_EQ(errorOf([&] { Database::open(path, QStringLiteral("wrong")); }), ErrDamaged);

    PresenceLock other;
    ASSERT_TRUE(other.acquire(path, PresenceLock::Mode::Exclusive));
    EXPECT_EQ(errorOf([&] { Database::open(path, kKey); }), ErrHeldExclusively);
    other.release();

    ASSERT_TRUE(other.acquire(path, PresenceLock::Mode::Shared));
    EXPECT_EQ(errorOf([&] { Database::open(path, kKey, Database::Mode::Exclusive); }), ErrHeldExclusively);
    EXPECT_NO_THROW(Database::open(path, kKey));
}

TEST_F(DatabaseTest, ADamagedFileIsRepairedKeepingItsRowsAndTheOriginal)
{
    {
        auto db = Database::open(path, kKey);
        db->exec(QStringLiteral("INSERT INTO danwei(单位) VALUES('盒')"));
    }
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    const QByteArray original = f.readAll();
    // Garbage over the last page damages the file without touching the first.
    f.seek(original.size() - 512);
    f.write(QByteArray(512, '\x5a'));
    f.close();
    const int number = errorOf([&] {
        auto db = Database::open(path, kKey);
        db->select(QStringLiteral("SELECT * FROM danwei"));
        db->exec(QStringLiteral("PRAGMA integrity_check"));
    });
    EXPECT_EQ(number, ErrDamaged);
    const QString damaged = repairDatabase(path, kKey).damagedCopy;
    EXPECT_TRUE(QFile::exists(damaged));
    auto db = Database::open(path, kKey);
    EXPECT_EQ(db->scalar(QStringLiteral("PRAGMA integrity_check")).toString(), QStringLiteral("ok"));
    EXPECT_TRUE(db->hasTable(QStringLiteral("DANWEI")));
}

// The engine's blocks of about a page come from a pool of their own; text growing through
// those sizes and pages cached, dropped and reused by a second connection keep every byte.
TEST_F(DatabaseTest, TextAndPagesKeepTheirBytesThroughTheEnginesMemory)
{
    QString expected;
    for (int i = 1; i <= 3000; ++i)
        expected += (i > 1 ? QStringLiteral(",") : QString()) + QStringLiteral("%1").arg(i, 5, 10, QLatin1Char('0'));
    {
        auto db = Database::open(path, kKey);
        EXPECT_EQ(db->scalar(QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 3000)"
                                            " SELECT group_concat(printf('%05d', i)) FROM n")).toString(),
                  expected);
        db->exec(QStringLiteral("PRAGMA cache_size = 20"));
        db->execScript(QStringLiteral(
            "CREATE TABLE big(id INTEGER PRIMARY KEY, t TEXT);"
            "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 2000)"
            " INSERT INTO big SELECT i, printf('%05d', i) || substr(hex(zeroblob(600)), 1, 1000) FROM n;"));
    }
    auto db = Database::open(path, kKey);
    EXPECT_EQ(db->scalar(QStringLiteral("SELECT sum(length(t)) FROM big")).toLongLong(), 2000 * 1005);
    EXPECT_EQ(db->scalar(QStringLiteral("SELECT substr(t, 1, 5) FROM big WHERE id = 1999")).toString(),
              QStringLiteral("01999"));
}

TEST(Collation, ChineseNamesSortInPinyinOrder)
{
    QStringList names = {QStringLiteral("张"), QStringLiteral("阿"), QStringLiteral("ABO血型"), QStringLiteral("李"),
                         QStringLiteral("波"), QStringLiteral("安瓿"), QStringLiteral("12")};
    std::sort(names.begin(), names.end(), [](const QString &a, const QString &b) { return compareChinese(a, b) < 0; });
    // Latin and digits first, as Jet sorted them, then pinyin order.
    EXPECT_EQ(names, (QStringList{QStringLiteral("12"), QStringLiteral("ABO血型"), QStringLiteral("阿"),
                                  QStringLiteral("安瓿"), QStringLiteral("波"), QStringLiteral("李"), QStringLiteral("张")}));
}
