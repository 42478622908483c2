#include "OldLayouts.h"
#include "ScriptedDialogs.h"
#include "TempFolder.h"

#include "dao/Database.h"
#include "schema/ModDBtoNEW.h"
#include "schema/Schema.h"

#include <gtest/gtest.h>

using schema::Version;

void PrintTo(const QVariant &v, std::ostream *os)
{
    *os << (v.isNull() ? std::string("Null") : v.toString().toStdString()) << " (" << (v.typeName() ? v.typeName() : "invalid") << ")";
}

namespace {

const QString kKey = QStringLiteral("桐汐砾苇岫澄");

QString u8(const char *s)
{
    return QString::fromUtf8(s);
}

float asFloat(Version v)
{
    return static_cast<float>(static_cast<int>(v)) / 10.0f;
}

QString stampOf(dao::Database &db)
{
    return db.scalar(QStringLiteral("SELECT DBVer FROM DBVersion")).toString();
}

struct UpgradeCase {
    Version version;
    QString clerkRights; // the not super user's all-"1" string after the upgrade
};

void PrintTo(const UpgradeCase &c, std::ostream *os)
{
    *os << schema::versionText(c.version).toStdString();
}

class UpgradeFromEveryLayout : public ::testing::TestWithParam<UpgradeCase> {
protected:
    TempFolder dir;
};

} // namespace

TEST_P(UpgradeFromEveryLayout, EndsIdenticalToTheCurrentLayoutWithEveryRowKept)
{
    const Version v = GetParam().version;
    auto db = oldlayouts::create(dir.file(QStringLiteral("MarloSJGL.dat")), v);
    EXPECT_EQ(ModDBtoNEW::DetectDBVersion(*db), asFloat(v));

    ScriptedDialogs dialogs; // no box may appear
    ASSERT_TRUE(ModDBtoNEW::UpgradeDB(*db));
    EXPECT_FALSE(db->inTransaction());
    EXPECT_EQ(schema::differences(*db), QStringList());
    EXPECT_EQ(stampOf(*db), QStringLiteral("5.3"));
    EXPECT_EQ(db->scalar(QStringLiteral("SELECT count(*) FROM DBVersion")).toInt(), 1);

    // Every sample row, field by field at its current position; a field the layout did not
    // have yet reads Null, a Yes/No field No; the rights string has its 26 characters.
    QHash<QString, int> rowOf;
    for (const oldlayouts::Sample &s : oldlayouts::samples(v)) {
        const std::optional<schema::Layout> then = schema::layoutAt(s.table, v);
        if (!then)
            continue;
        const schema::Layout &now = schema::current(s.table);
        const dao::Result rows = db->select(QStringLiteral("SELECT * FROM ") + schema::quoted(s.table)
                                            + QStringLiteral(" ORDER BY rowid"));
        const int r = rowOf[s.table]++;
        ASSERT_LT(r, rows.size()) << s.table.toStdString();
        const dao::Row &row = rows[r];
        ASSERT_EQ(row.size(), now.fields.size());
        for (int pos = 0; pos < now.fields.size(); ++pos) {
            const schema::Field &f = now.fields.at(pos);
            QVariant expected = f.type == schema::Type::YesNo ? QVariant(0) : QVariant();
            for (const auto &[name, value] : s.values)
                if (name == f.name && then->hasField(schema::fieldNameAt(s.table, name, v)))
                    expected = value;
            if (f.name == u8("权限"))
                expected = row[2] == u8("管理员") ? QString(26, u'1') : GetParam().clerkRights;
            EXPECT_EQ(row[pos], expected) << s.table.toStdString() << "." << f.name.toStdString();
        }
    }
    for (auto it = rowOf.cbegin(); it != rowOf.cend(); ++it)
        EXPECT_EQ(db->scalar(QStringLiteral("SELECT count(*) FROM ") + schema::quoted(it.key())).toInt(), it.value())
            << it.key().toStdString();

    // The key of the deleted line is not handed out again.
    db->exec(QStringLiteral("INSERT INTO shijibiandongdengji (变动标志) VALUES (1)"));
    EXPECT_EQ(db->lastInsertId(), 4);

    // A second start finds nothing to do.
    EXPECT_EQ(ModDBtoNEW::DetectDBVersion(*db), 5.3f);
}

INSTANTIATE_TEST_SUITE_P(
    Versions, UpgradeFromEveryLayout,
    ::testing::Values(UpgradeCase{schema::V30, u8("11011111111111111100111111")},
                      UpgradeCase{schema::V34, u8("11011111111111111100111111")},
                      UpgradeCase{schema::V37, u8("11011111111111111110111111")},
                      UpgradeCase{schema::V40, QString(26, u'1')}, UpgradeCase{schema::V41, QString(26, u'1')},
                      UpgradeCase{schema::V42, QString(26, u'1')}, UpgradeCase{schema::V43, QString(26, u'1')},
                      UpgradeCase{schema::V50, QString(26, u'1')}, UpgradeCase{schema::V51, QString(26, u'1')},
                      UpgradeCase{schema::V52, QString(26, u'1')}, UpgradeCase{schema::V53, QString(26, u'1')}),
    [](const ::testing::TestParamInfo<UpgradeCase> &info) {
        return "V" + std::to_string(static_cast<int>(info.param.version));
    });

TEST(RightsRewrite, ThreeStepsGiveTheCurrentTwentySixCharacters)
{
    struct Case {
        QString at34;
        bool superUser;
        QString at51;
    } cases[] = {
        // All rights but not a super user: restore, packing units and storage places stay off.
        {u8("11111111111111111111111"), false, u8("11011111111111111100111111")},
        {u8("11111111111111111111111"), true, u8("11111111111111111111111111")},
        {u8("00000000000000000000000"), true, u8("00100000000000010011000000")},
        // Positions: p17 goes, the inserted ones land at 3, 16, 19 and 20.
        {u8("ABCDEFGHIJKLMNOPQRSTUVW"), false, u8("AB0CDEFGHIJKLMN1OP00RSTUVW")},
        // Short or empty strings are filled up with "0" first, so nothing moves into a right.
        {u8("1111"), false, u8("11011000000000010000000000")},
        {QString(), true, u8("00100000000000010011000000")},
    };
    for (const Case &c : cases) {
        const QString at37 = ModDBtoNEW::RightsAt37(c.at34, c.superUser);
        EXPECT_EQ(at37.size(), 24);
        const QString at40 = ModDBtoNEW::RightsAt40(at37, c.superUser);
        EXPECT_EQ(ModDBtoNEW::RightsAt51(at40), c.at51) << c.at34.toStdString();
    }
    EXPECT_EQ(ModDBtoNEW::RightsAt40(u8("1"), false), u8("1000000000000000000000000"));
    EXPECT_EQ(ModDBtoNEW::RightsAt51(u8("11")), u8("11000000000000010000000000"));
}

TEST(RightsRewrite, AFileWithoutUsersUpgradesAllTheSame)
{
    TempFolder dir;
    auto db = dao::Database::create(dir.file(QStringLiteral("MarloSJGL.dat")), kKey);
    schema::createTables(*db, schema::V34);
    ASSERT_TRUE(ModDBtoNEW::UpgradeDB(*db));
    EXPECT_EQ(schema::differences(*db), QStringList());
    EXPECT_EQ(db->scalar(QStringLiteral("SELECT count(*) FROM yonghu")).toInt(), 0);
}

TEST(VersionStamp, IsReadTrimmedAndAnythingButANumberCountsAsFivePointTwo)
{
    struct Case {
        QVariant stamp;
        float detected;
        QString after; // DBVer after the upgrade
    } cases[] = {
        {u8("5.3"), 5.3f, u8("5.3")},
        {u8(" 5.3 "), 5.3f, u8(" 5.3 ")},
        {u8("5.30"), 5.3f, u8("5.30")},
        {u8("6.0"), 6.0f, u8("6.0")},
        {u8("5.25"), 5.25f, u8("5.25")},
        {u8("5.2"), 5.2f, u8("5.3")},
        {u8("五点二"), 5.2f, u8("5.3")},
        {u8("5,3"), 5.2f, u8("5.3")},
        {u8(""), 5.2f, u8("5.3")},
        {QVariant(), 5.2f, u8("5.3")},
    };
    for (const Case &c : cases) {
        TempFolder dir;
        auto db = oldlayouts::create(dir.file(QStringLiteral("MarloSJGL.dat")), schema::V52);
        db->exec(QStringLiteral("UPDATE DBVersion SET DBVer = ?"), {c.stamp});
        const QString label = c.stamp.isNull() ? QStringLiteral("Null") : c.stamp.toString();
        EXPECT_EQ(ModDBtoNEW::DetectDBVersion(*db), c.detected) << label.toStdString();
        ASSERT_TRUE(ModDBtoNEW::UpgradeDB(*db));
        EXPECT_EQ(stampOf(*db), c.after) << label.toStdString();
    }
    EXPECT_EQ(ModDBtoNEW::ParseStamp(u8("  4.1  ")), 4.1f);
    EXPECT_EQ(ModDBtoNEW::ParseStamp(u8("1e99")), std::nullopt);
}

TEST(VersionStamp, AStampTableWithoutItsRowGetsTheCurrentOne)
{
    TempFolder dir;
    auto db = oldlayouts::create(dir.file(QStringLiteral("MarloSJGL.dat")), schema::V52);
    db->exec(QStringLiteral("DELETE FROM DBVersion"));
    EXPECT_EQ(ModDBtoNEW::DetectDBVersion(*db), 5.2f);
    ASSERT_TRUE(ModDBtoNEW::UpgradeDB(*db));
    EXPECT_EQ(stampOf(*db), QStringLiteral("5.3"));
    EXPECT_EQ(ModDBtoNEW::DetectDBVersion(*db), 5.3f);
}

TEST(VersionMarkers, TheLastMarkerFoundDecidesAndNamesCompareExactly)
{
    struct Case {
        const char *sql;
        float version;
    } cases[] = {
        {"", 3.0f},
        {"CREATE TABLE 单位表(x);", 3.4f},
        {"CREATE TABLE 单位表(x); CREATE TABLE 订单基本表(x);", 3.7f},
        {"CREATE TABLE 存放地点表(x);", 4.0f},
        // Markers are tested one by one: a notebook without packing units is 4.1.
        {"CREATE TABLE 记事本表(x);", 4.1f},
        {"CREATE TABLE 订单基本表(x); CREATE TABLE 试剂基本信息表(条形码);", 4.2f},
        {"CREATE TABLE 试剂基本信息表(拼音码); CREATE TABLE 试剂变动登记表(入库ID);", 4.3f},
        {"CREATE TABLE 试剂变动登记表(入库id);", 3.0f},
        {"CREATE TABLE ShiJiJiBenXinXi(x);", 3.0f},
        {"CREATE VIEW 单位表 AS SELECT 1;", 3.0f},
        {"CREATE TABLE t(x); ANALYZE; CREATE TABLE shijijibenxinxi(库存低限);", 5.1f},
        {"CREATE TABLE shijijibenxinxi(x);", 5.0f},
        {"CREATE TABLE shijijibenxinxi(x); CREATE TABLE dbversion(DBVer); INSERT INTO dbversion VALUES('5.3');", 5.0f},
        {"CREATE TABLE shijijibenxinxi(x); CREATE TABLE DBVersion(DBVer);", 5.2f},
        {"CREATE TABLE shijijibenxinxi(x); CREATE TABLE DBVersion(DBVer); INSERT INTO DBVersion VALUES('5.3');", 5.3f},
    };
    for (const Case &c : cases) {
        TempFolder dir;
        auto db = dao::Database::create(dir.file(QStringLiteral("MarloSJGL.dat")), kKey);
        db->execScript(QString::fromUtf8(c.sql));
        EXPECT_EQ(ModDBtoNEW::DetectDBVersion(*db), c.version) << c.sql;
    }
}

TEST(FailingStep, IsRolledBackAndLeavesTheFileAtTheVersionBeforeIt)
{
    struct Case {
        Version version;
        const char *damage;
        float leftAt;
        const char *message;
        const char *untouched; // a table that the failing step would have replaced
    } cases[] = {
        // The steps to 4.2 and 4.3 are kept; the renaming to 5.0 fails at its last table.
        {schema::V41, "DROP TABLE 组别表", 4.3f, "组别表", "厂商表"},
        // A column the next layout has no place for stops the step before anything is lost.
        {schema::V42, "ALTER TABLE 试剂库存表 ADD COLUMN 备注 TEXT", 4.2f, "备注", "试剂变动登记表"},
    };
    for (const Case &c : cases) {
        TempFolder dir;
        auto db = oldlayouts::create(dir.file(QStringLiteral("MarloSJGL.dat")), c.version);
        db->exec(QString::fromUtf8(c.damage));
        const QStringList columnsBefore = db->columns(QString::fromUtf8(c.untouched));
        {
            ScriptedDialogs dialogs;
            dialogs.expect(u8("实时错误"));
            EXPECT_FALSE(ModDBtoNEW::UpgradeDB(*db));
            EXPECT_TRUE(dialogs.lastText().contains(QString::fromUtf8(c.message))) << dialogs.lastText().toStdString();
        }
        EXPECT_FALSE(db->inTransaction());
        EXPECT_EQ(ModDBtoNEW::DetectDBVersion(*db), c.leftAt);
        EXPECT_EQ(db->columns(QString::fromUtf8(c.untouched)), columnsBefore);
        EXPECT_FALSE(db->hasTable(QStringLiteral("shijijibenxinxi")));
        EXPECT_EQ(db->scalar(QStringLiteral("SELECT count(*) FROM sqlite_master WHERE name = 'vd_rebuild_old'")).toInt(), 0);
    }
}

TEST(LedgerIndex, AFileOfTheCurrentVersionGetsItInPlaceOfTheDateIndexOnceWithItsRowsKept)
{
    const QString index = u8("shijibiandongdengji_登记日期_变动标志_试剂ID_数量_单价");
    // The date index it takes the place of.
    const QString dateIndex = u8("shijibiandongdengji_登记日期");
    const QString drop = u8("DROP INDEX ") + schema::quoted(index) + u8("; CREATE INDEX ") + schema::quoted(dateIndex)
                         + u8(" ON shijibiandongdengji (登记日期);");
    struct Case {
        const char *what;
        QString damage;
        bool indexed;
    } cases[] = {
        {"stamped 5.3 before the index came", drop, true},
        {"of a later program", drop + u8("UPDATE DBVersion SET DBVer = '6.0';"), false},
        // Passed over without a box: the program works without the index.
        {"where the index cannot be made", drop + u8("CREATE TABLE ") + schema::quoted(index) + u8(" (x);"), false},
    };
    for (const Case &c : cases) {
        TempFolder dir;
        auto db = oldlayouts::create(dir.file(QStringLiteral("MarloSJGL.dat")), schema::V53);
        db->execScript(c.damage);
        const auto lines = [&] {
            QList<QVariantList> values;
            for (const dao::Row &r : db->select(QStringLiteral("SELECT * FROM shijibiandongdengji ORDER BY rowid")).rows)
                values.append(r.values());
            return values;
        };
        const auto schemaVersion = [&] { return db->scalar(QStringLiteral("PRAGMA schema_version")).toInt(); };
        const auto before = lines();
        const int versionBefore = schemaVersion();

        ScriptedDialogs dialogs; // no box may appear
        ASSERT_TRUE(ModDBtoNEW::UpgradeDB(*db)) << c.what;
        const auto has = [&](const QString &name) {
            return db->scalar(QStringLiteral("SELECT count(*) FROM sqlite_master WHERE type = 'index' AND name = ?"),
                              {name})
                       .toInt()
                   == 1;
        };
        EXPECT_EQ(has(index), c.indexed) << c.what;
        EXPECT_EQ(has(dateIndex), !c.indexed) << c.what;
        EXPECT_EQ(schemaVersion() != versionBefore, c.indexed) << c.what;
        if (c.indexed) {
            EXPECT_EQ(schema::differences(*db), QStringList());
        }
        EXPECT_EQ(lines(), before) << c.what;
        EXPECT_FALSE(db->inTransaction());

        // The next start finds it there and writes nothing.
        const int versionAfter = schemaVersion();
        ASSERT_TRUE(ModDBtoNEW::UpgradeDB(*db));
        EXPECT_EQ(schemaVersion(), versionAfter) << c.what;
    }
}
