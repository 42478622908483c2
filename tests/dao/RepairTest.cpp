#include "TempFolder.h"
#include "dao/Database.h"
#include "dao/Repair.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>

#include <gtest/gtest.h>

using namespace dao;

namespace {

const QString kKey = QStringLiteral("桐汐砾苇岫澄");
constexpr int kLots = 3000;
constexpr int kPage = 1024;

enum class Damage { Truncated, PagesInTheMiddle, RandomBytes, AnotherPassword };

struct RepairCase {
    const char *name;
    Damage damage;
    bool recoverable;
};

// A store of two tables: a small one written first, on the first pages, and a large one
// whose pages the damage hits.
class RepairTest : public ::testing::TestWithParam<RepairCase> {
protected:
    void SetUp() override
    {
        path = dir.file(QStringLiteral("MarloSJGL.dat"));
        const bool otherKey = GetParam().damage == Damage::AnotherPassword;
        auto db = Database::create(path, otherKey ? QStringLiteral("another") : kKey);
        db->execScript(QStringLiteral(
            "CREATE TABLE danwei(单位ID INTEGER PRIMARY KEY AUTOINCREMENT, 单位 TEXT NOT NULL);"
            "CREATE TABLE shijikucun(库存ID INTEGER PRIMARY KEY AUTOINCREMENT, 批号 TEXT NOT NULL, 数量 REAL);"
            "CREATE INDEX shijikucun_批号 ON shijikucun(批号);"
            "CREATE VIEW 库存批号 AS SELECT 批号 FROM shijikucun;"));
        Transaction t(*db);
        for (const char *unit : {"盒", "瓶", "支"})
            db->exec(QStringLiteral("INSERT INTO danwei(单位) VALUES(?)"), {QString::fromUtf8(unit)});
        for (int i = 1; i <= kLots; ++i)
            db->exec(QStringLiteral("INSERT INTO shijikucun(批号, 数量) VALUES(?, ?)"),
                     {QStringLiteral("批号-%1-").arg(i) + QString(40, u'x'), i});
        // The highest key handed out stays handed out after the repair.
        db->exec(QStringLiteral("DELETE FROM shijikucun WHERE 库存ID = ?"), {kLots});
        t.commit();
    }

    void damage()
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        const qint64 size = f.size();
        switch (GetParam().damage) {
        case Damage::Truncated: ASSERT_TRUE(f.resize(size - 5 * kPage - 100)); break; // a copy cut short
        case Damage::PagesInTheMiddle:
            f.seek(size / 2 / kPage * kPage);
            f.write(QByteArray(3 * kPage, '\x5a'));
            break;
        case Damage::RandomBytes: {
            QByteArray noise(static_cast<int>(size), '\0');
            QRandomGenerator gen(18);
            for (char &c : noise)
                c = static_cast<char>(gen.bounded(256));
            f.write(noise);
            break;
        }
        case Damage::AnotherPassword: break;
        }
    }

    QStringList otherFiles() const
    {
        QStringList names = QDir(dir.path()).entryList(QDir::Files);
        names.removeAll(QStringLiteral("MarloSJGL.dat"));
        names.removeAll(QStringLiteral("MarloSJGL.lck"));
        return names;
    }

    TempFolder dir;
    QString path;
};

TEST_P(RepairTest, KeepsEveryReadableRowAndTheOriginal)
{
    damage();
    const QByteArray original = dir.read(QStringLiteral("MarloSJGL.dat"));

    if (!GetParam().recoverable) {
        try {
            repairDatabase(path, kKey);
            FAIL() << "an unreadable file was repaired";
        } catch (const DaoError &e) {
            EXPECT_EQ(e.number(), ErrUnrecognized);
        }
        EXPECT_EQ(dir.read(QStringLiteral("MarloSJGL.dat")), original);
        EXPECT_EQ(otherFiles(), QStringList());
        return;
    }

    const RepairResult repair = repairDatabase(path, kKey);
    EXPECT_EQ(QFileInfo(repair.damagedCopy).fileName(), QStringLiteral("MarloSJGL.dat.damaged"));
    EXPECT_EQ(dir.read(QStringLiteral("MarloSJGL.dat.damaged")), original);
    EXPECT_EQ(otherFiles(), QStringList{QStringLiteral("MarloSJGL.dat.damaged")});

    auto db = Database::open(path, kKey);
    EXPECT_EQ(db->scalar(QStringLiteral("PRAGMA integrity_check")).toString(), QStringLiteral("ok"));
    ASSERT_EQ(repair.keptRows.size(), 2);
    EXPECT_EQ(repair.keptRows[0], std::make_pair(QStringLiteral("danwei"), qint64{3}));
    EXPECT_EQ(repair.keptRows[1].first, QStringLiteral("shijikucun"));
    const qint64 kept = repair.keptRows[1].second;
    EXPECT_EQ(db->scalar(QStringLiteral("SELECT count(*) FROM shijikucun")).toLongLong(), kept);
    // The damage costs the rows of its own pages, not the table.
    EXPECT_GT(kept, kLots / 2);
    EXPECT_LT(kept, kLots - 1);
    const dao::Result rows = db->select(QStringLiteral("SELECT 库存ID, 批号, 数量 FROM shijikucun ORDER BY 库存ID"));
    for (const Row &r : rows.rows) {
        ASSERT_EQ(r.text(1), QStringLiteral("批号-%1-").arg(r[0].toInt()) + QString(40, u'x'));
        ASSERT_EQ(r[2].toInt(), r[0].toInt());
    }
    EXPECT_EQ(rows[0][0].toInt(), 1);
    if (GetParam().damage == Damage::PagesInTheMiddle) {
        EXPECT_EQ(rows[rows.size() - 1][0].toInt(), kLots - 1);
    }
    EXPECT_TRUE(db->hasView(QStringLiteral("库存批号")));
    db->exec(QStringLiteral("INSERT INTO shijikucun(批号) VALUES('新')"));
    EXPECT_GT(db->lastInsertId(), kLots);
}

INSTANTIATE_TEST_SUITE_P(Damages, RepairTest,
                         ::testing::Values(RepairCase{"Truncated", Damage::Truncated, true},
                                           RepairCase{"PagesInTheMiddle", Damage::PagesInTheMiddle, true},
                                           RepairCase{"RandomBytes", Damage::RandomBytes, false},
                                           RepairCase{"AnotherPassword", Damage::AnotherPassword, false}),
                         [](const auto &info) { return std::string(info.param.name); });

} // namespace
