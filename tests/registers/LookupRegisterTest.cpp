#include "RegisterFixture.h"

#include "registers/FrmSetCategory.h"
#include "registers/FrmSetDepartment.h"
#include "registers/FrmSetHandling.h"
#include "registers/FrmSetLocation.h"
#include "registers/FrmSetUnit.h"

#include <QGroupBox>

namespace {

using platform::Answer;

struct Lookup {
    const char *window;
    QDialog *(*make)();
    const char *table;
    const char *key;
    const char *name;
    int nameIndex;
    const char *caption;
    const char *emptyMessage;
};

template <typename W>
QDialog *make()
{
    return new W;
}

const Lookup kLookups[] = {
    {"FrmSetDepartment", make<FrmSetDepartment>, "renlingbumen", "认领部门ID", "认领部门", 1, "认领部门设置",
     "认领部门不能为空"},
    {"FrmSetLocation", make<FrmSetLocation>, "cunfangdidian", "存放地点ID", "存放地点", 1, "存放地点设置",
     "存放地点不能为空"},
    {"FrmSetUnit", make<FrmSetUnit>, "danwei", "单位ID", "单位", 0, "试剂包装单位设置", "包装单位不能为空"},
    {"FrmSetHandling", make<FrmSetHandling>, "renlingren", "认领人ID", "认领人", 1, "认领人设置", "认领人不能为空"},
    {"FrmSetCategory", make<FrmSetCategory>, "zubie", "组别ID", "组别", 1, "组别设置", "组别不能为空"},
};

QString u8(const char *s)
{
    return QString::fromUtf8(s);
}

class LookupRegister : public RegisterFixture, public ::testing::WithParamInterface<Lookup> {
protected:
    void openRegister()
    {
        window.reset(GetParam().make());
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }
    QComboBox *nameField() const { return combo(QStringLiteral("CmbField_%1").arg(GetParam().nameIndex)); }
    QComboBox *pinyinField() const { return combo(QStringLiteral("CmbField_%1").arg(1 - GetParam().nameIndex)); }
    QString frame() const { return child<QGroupBox>(QStringLiteral("FamSet"))->title(); }
    QPushButton *save() const { return button(QStringLiteral("CmdSet_1")); }
    QPushButton *remove() const { return button(QStringLiteral("CmdSet_2")); }

    void insert(const QString &pinyin, const QString &name)
    {
        db().exec(QStringLiteral("INSERT INTO %1(拼音码, %2) VALUES(?, ?)").arg(u8(GetParam().table), u8(GetParam().name)),
                  {pinyin, name});
    }
    // The rows as "pinyin name", in key order.
    QStringList stored()
    {
        QStringList rows;
        const dao::Result r = db().select(QStringLiteral("SELECT 拼音码, %1 FROM %2 ORDER BY %3")
                                              .arg(u8(GetParam().name), u8(GetParam().table), u8(GetParam().key)));
        for (const dao::Row &row : r.rows)
            rows.append(row.text(0) + u' ' + row.text(1));
        return rows;
    }
    QStringList listed() const
    {
        QStringList names;
        for (int r = 1; r < grid()->Rows(); ++r)
            names.append(grid()->TextMatrix(r, 2));
        return names;
    }
};

} // namespace

TEST_P(LookupRegister, AddsTheTrimmedNameWithItsPinyinCode)
{
    openRegister();
    const Lookup &l = GetParam();
    EXPECT_EQ(window->windowTitle(), u8(l.caption));
    EXPECT_EQ(frame(), u8(l.caption) + u8("（添加模式）"));
    EXPECT_EQ(grid()->ColWidth(0), 0);

    dialogs.expectExact(u8(l.emptyMessage)).expectExact(u8("拼音码不能为空"));
    typeInto(nameField(), QStringLiteral("   "));
    save()->click();
    EXPECT_TRUE(nameField()->hasFocus());
    typeInto(nameField(), u8(" 试剂盒 "));
    EXPECT_EQ(pinyinField()->currentText(), QStringLiteral("SJH"));
    pinyinField()->setEditText(QStringLiteral(" "));
    save()->click();
    EXPECT_TRUE(pinyinField()->hasFocus());
    EXPECT_EQ(stored(), QStringList());

    pinyinField()->setEditText(QStringLiteral(" SJH "));
    save()->click();
    EXPECT_EQ(stored(), QStringList({u8("SJH 试剂盒")}));
    EXPECT_EQ(listed(), QStringList({u8("试剂盒")}));
    EXPECT_EQ(nameField()->currentText(), QString());
    EXPECT_EQ(frame(), u8(l.caption) + u8("（添加模式）"));
    EXPECT_TRUE(dialogs.done());
}

TEST_P(LookupRegister, SearchesThePinyinCodeOrTheNameForTheLiteralText)
{
    insert(QStringLiteral("BXYC"), u8("冰箱一层"));
    insert(QStringLiteral("LCS"), u8("冷藏室"));
    insert(QStringLiteral("CW50"), u8("常温50%"));
    insert(QStringLiteral("CW5Q"), u8("常温5_区"));
    insert(QStringLiteral("CWQ"), u8("常温5区"));
    openRegister();
    QComboBox *search = combo(QStringLiteral("CmbJS"));

    const struct {
        const char *key;
        QStringList names;
    } cases[] = {
        {"bx", {u8("冰箱一层")}},                    // Latin: the pinyin code, any letter case
        {"5Q", {u8("常温5_区")}},                    // a digit searches the pinyin code too
        {"冷", {u8("冷藏室")}},                      // Chinese: the name
        {"温5_", {u8("常温5_区")}},                  // _ is no wildcard
        {"温50%", {u8("常温50%")}},                  // nor is %
        {"'", {}},                                   // a quote finds nothing and fails nothing
        {"*", {}},
    };
    for (const auto &c : cases) {
        typeInto(search, u8(c.key));
        EXPECT_EQ(listed(), c.names) << c.key;
    }
    typeInto(search, QStringLiteral("  "));
    EXPECT_EQ(search->currentText(), QString());
    EXPECT_EQ(listed().size(), 5);
}

TEST_P(LookupRegister, ARowClickEditsThatRowAndKeepsItsStoredCode)
{
    insert(QStringLiteral("BX1"), u8("冰箱一层"));
    insert(QStringLiteral("LCS"), u8("冷藏室"));
    openRegister();
    const Lookup &l = GetParam();

    clickRow(rowOf(2, u8("冰箱一层")));
    EXPECT_EQ(frame(), u8(l.caption) + u8("（修改模式）"));
    EXPECT_EQ(nameField()->currentText(), u8("冰箱一层"));
    EXPECT_EQ(pinyinField()->currentText(), QStringLiteral("BX1"));
    EXPECT_TRUE(nameField()->hasFocus());

    typeInto(nameField(), u8("冰箱二层"));
    EXPECT_EQ(pinyinField()->currentText(), QStringLiteral("BXEC"));
    save()->click();
    EXPECT_EQ(stored(), QStringList({u8("BXEC 冰箱二层"), u8("LCS 冷藏室")}));
    EXPECT_EQ(frame(), u8(l.caption) + u8("（添加模式）"));

    // Typing a search while editing drops the edit.
    clickRow(rowOf(2, u8("冷藏室")));
    typeInto(combo(QStringLiteral("CmbJS")), QStringLiteral("L"));
    EXPECT_EQ(frame(), u8(l.caption) + u8("（添加模式）"));
    EXPECT_EQ(nameField()->currentText(), QString());
}

TEST_P(LookupRegister, DeletesOnlyRightAfterARowClick)
{
    insert(QStringLiteral("BXYC"), u8("冰箱一层"));
    insert(QStringLiteral("LCS"), u8("冷藏室"));
    openRegister();
    EXPECT_FALSE(remove()->isEnabled());

    clickRow(rowOf(2, u8("冷藏室")));
    EXPECT_TRUE(remove()->isEnabled());
    typeInto(pinyinField(), QStringLiteral("LC"));
    EXPECT_FALSE(remove()->isEnabled());
    clickRow(rowOf(2, u8("冷藏室")));
    ASSERT_TRUE(remove()->isEnabled());

    dialogs.expectExact(u8("确实要删除一个记录？"), Answer::No).expectExact(u8("确实要删除一个记录？"), Answer::Yes);
    remove()->click();
    EXPECT_EQ(stored().size(), 2);
    remove()->click();
    EXPECT_EQ(dialogs.shown().last().title, u8("删除记录"));
    EXPECT_EQ(stored(), QStringList({u8("BXYC 冰箱一层")}));
    EXPECT_EQ(listed(), QStringList({u8("冰箱一层")}));
    EXPECT_FALSE(remove()->isEnabled());
}

TEST_P(LookupRegister, AsksAboutANameWiderThanFourChineseCharacters)
{
    openRegister();
    const struct {
        const char *name;
        bool asks;
    } cases[] = {{"四个汉字", false}, {"ABCDEFGH", false}, {"五个汉字呀", true}, {"另外四字 ", true}};
    const QString question = u8("字段内容设置过长，报表将无法正常打印。\n\n请缩减字段内容，4个中文字符宽度以内为最佳");
    for (const auto &c : cases) {
        const QString name = u8(c.name);
        const qsizetype before = stored().size();
        if (c.asks)
            dialogs.expectExact(question, Answer::Yes);
        typeInto(nameField(), name);
        save()->click();
        EXPECT_TRUE(dialogs.done()) << c.name;
        if (c.asks) {
            EXPECT_TRUE(nameField()->hasFocus()) << c.name;
            EXPECT_EQ(nameField()->currentText(), name);
            EXPECT_EQ(stored().size(), before);
            dialogs.expectExact(question, Answer::No);
            save()->click();
        }
        EXPECT_TRUE(stored().last().endsWith(u' ' + name.trimmed())) << c.name;
    }
    EXPECT_EQ(stored().size(), 4);
}

INSTANTIATE_TEST_SUITE_P(All, LookupRegister, ::testing::ValuesIn(kLookups),
                         [](const auto &info) { return std::string(info.param.window); });

TEST_F(RegisterFixture, TwoStoragePlacesCannotShareAPinyinCode)
{
    store.place(u8("冰箱"));
    open<FrmSetLocation>();
    dialogs.expect(u8("重复"));
    typeInto(combo(QStringLiteral("CmbField_1")), u8("冰箱"));
    button(QStringLiteral("CmdSet_1"))->click();
    EXPECT_TRUE(dialogs.done());
    EXPECT_EQ(db().scalar(u8("SELECT COUNT(*) FROM cunfangdidian")).toInt(), 1);
    EXPECT_EQ(combo(QStringLiteral("CmbField_1"))->currentText(), u8("冰箱"));
}
