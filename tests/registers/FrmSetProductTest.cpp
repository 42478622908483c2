#include "FrmSetProductFixture.h"

#include "RecordingShell.h"

#include "platform/CodePage936.h"
#include "shell/ModINI.h"

#include <QDir>

#include <QGroupBox>
#include <QHash>
#include <QLabel>

using platform::Answer;
using registers::ProductEntry;

namespace {

QString s(const char *utf8)
{
    return QString::fromUtf8(utf8);
}

} // namespace

TEST_F(CatalogueFixture, SearchBoxesDispatchByTheirText)
{
    struct Case {
        bool groupBox;
        const char *text;
        bool hideStopped;
        QList<int> ids;
    };
    const Case cases[] = {
        {false, "", false, {4, 2, 1, 3}},      // every reagent by pinyin code
        {false, "", true, {4, 1, 3}},
        {false, "6901234567890", false, {1}},        // 13 digits: the barcode
        {false, "690123456789", false, {3}},         // 12 digits: the pinyin code
        {false, "xj", false, {2, 1}},              // Latin: the pinyin code
        {false, "xj", true, {1}},
        {false, "血", false, {2, 1}},              // Chinese: the name, in pinyin order
        {false, "血", true, {1}},
        {true, "免疫", false, {3, 4}},             // the group, by name
        {true, "生化", true, {1}},
    };
    open();
    for (const Case &c : cases) {
        SCOPED_TRACE(QStringLiteral("%1 %2").arg(s(c.text)).arg(c.hideStopped).toStdString());
        window->OptShow[c.hideStopped ? 1 : 0]->click();
        QComboBox *box = c.groupBox ? window->CmbZB : window->CmbSJDM;
        QComboBox *other = c.groupBox ? window->CmbSJDM : window->CmbZB;
        QTest::keyClicks(other, QStringLiteral("z"));
        if (*c.text) {
            typeInto(box, s(c.text));
        } else {
            QTest::keyClicks(box, QStringLiteral("z"));
            QTest::keyClick(box, Qt::Key_Backspace);
        }
        EXPECT_EQ(other->currentText(), QString()); // each search empties the other box
        EXPECT_EQ(box->currentText(), s(c.text));
        EXPECT_EQ(ids(window->GridShow), c.ids);
        EXPECT_EQ(ids(window->GridOut), c.ids); // the export follows the search
        box->setEditText(QString());
    }
}

TEST_F(CatalogueFixture, EachRequiredMarkStandsBesideItsOwnField)
{
    open();
    // A field, or the picker beside it: the group, manufacturer and unit pickers.
    QHash<const QWidget *, int> fieldOf;
    for (int i = 0; i < 10; ++i)
        fieldOf.insert(field(i), i);
    fieldOf.insert(window->CmdAdd[0], 5);
    fieldOf.insert(window->CmdAdd[1], 6);
    fieldOf.insert(window->CmdAdd[2], 4);
    const QWidget *frame = window->FamSet;
    QList<int> marked;
    for (const QLabel *star : frame->findChildren<QLabel *>()) {
        if (star->text() != u"*")
            continue;
        // The nearest control on each side of the mark, in its row.
        const QWidget *left = nullptr;
        const QWidget *right = nullptr;
        for (const QWidget *w : frame->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
            const QRect g = w->geometry();
            if (w == star || g.bottom() < star->y() || g.top() > star->geometry().bottom())
                continue;
            if (g.right() < star->x() && (!left || g.right() > left->geometry().right()))
                left = w;
            if (g.left() > star->geometry().right() && (!right || g.left() < right->geometry().left()))
                right = w;
        }
        ASSERT_TRUE(fieldOf.contains(left));
        marked << fieldOf.value(left);
        const int own = star->x() - left->geometry().right();
        EXPECT_LE(own, 6);
        if (right) {
            EXPECT_GE(right->x() - star->geometry().right(), 3 * own) << right->metaObject()->className();
        }
    }
    std::sort(marked.begin(), marked.end());
    EXPECT_EQ(marked, (QList<int>{0, 1, 3, 4, 5, 6})); // 名称 拼音码 规格 单位 组别 厂商
}

TEST_F(CatalogueFixture, DropDownListsFillOnceAndKeepTheTypedText)
{
    open();
    typeInto(window->CmbSJDM, s("血"));
    window->CmbSJDM->showPopup();
    window->CmbSJDM->hidePopup();
    QStringList items;
    for (int i = 0; i < window->CmbSJDM->count(); ++i)
        items << window->CmbSJDM->itemText(i);
    EXPECT_EQ(items, (QStringList{QString(), s("试剂甲"), s("无厂试剂"), s("血检停用"), s("血清样本")}));
    EXPECT_EQ(window->CmbSJDM->currentText(), s("血"));
    EXPECT_EQ(ids(window->GridShow), (QList<int>{2, 1}));
}

TEST_F(CatalogueFixture, ListShowsColumnsAndReagentsWithoutManufacturer)
{
    open();
    FlexGrid *grid = window->GridShow;
    EXPECT_EQ(ids(grid), (QList<int>{4, 3, 2, 1})); // by group, then pinyin code
    EXPECT_EQ(grid->ColWidth(0), 0);
    EXPECT_EQ(grid->ColWidth(6), 0);
    EXPECT_EQ(grid->ColWidth(2), 3300);
    const int r = rowOf(2);
    EXPECT_EQ(grid->TextMatrix(r, 7), s("兰州生物"));
    EXPECT_EQ(grid->TextMatrix(r, 9), QStringLiteral("-1"));
    EXPECT_EQ(grid->TextMatrix(rowOf(4), 7), QString()); // its manufacturer row is gone
    EXPECT_EQ(window->GridOut->Cols(), 12);
    EXPECT_TRUE(ids(window->GridOut).contains(4));
}

TEST_F(CatalogueFixture, DisabledFilterIsRememberedAndAStrayValueSelectsTheFirstOption)
{
    ModBase::ShowStop = 1;
    open();
    EXPECT_TRUE(window->OptShow[1]->isChecked());
    EXPECT_EQ(ids(window->GridShow), (QList<int>{4, 3, 1}));
    EXPECT_EQ(ModINI::GetINI(s("显示已停用试剂"), s("显示"), ModBase::IniFile), QStringLiteral("1"));
    window->OptShow[0]->click();
    EXPECT_EQ(ModBase::ShowStop, 0);
    EXPECT_EQ(ModINI::GetINI(s("显示已停用试剂"), s("显示"), ModBase::IniFile), QStringLiteral("0"));
    window.reset();

    ModBase::ShowStop = 7;
    open();
    EXPECT_TRUE(window->OptShow[0]->isChecked());
    EXPECT_EQ(ids(window->GridShow).size(), 4);
    EXPECT_EQ(ModINI::GetINI(s("显示已停用试剂"), s("显示"), ModBase::IniFile), QStringLiteral("0"));
}

TEST_F(CatalogueFixture, SaveChecksRunInScreenOrder)
{
    struct Step {
        std::function<void(FrmSetProduct &)> fix; // makes the previous check pass
        const char *message;
        const char *title; // empty: the program's title
        int focus;
        std::vector<int> emptied;
        Answer answer = Answer::Ok;
    };
    const auto set = [](int f, const char *text) {
        return [f, text](FrmSetProduct &w) { w.CmbField[f]->setEditText(QString::fromUtf8(text)); };
    };
    const Step steps[] = {
        {[](FrmSetProduct &) {}, "试剂名称不能为空！", "", 0, {}},
        {set(0, "一二三四五六七八九十一二三"), "试剂名称设置过长，报表将无法正常打印。\n\n"
                                              "请缩减字段内容，10个中文字符宽度以内为最佳，修改？",
         "提示", 0, {}, Answer::Yes},
        {[](FrmSetProduct &w) {
             w.CmbField[0]->setEditText(s("新试剂"));
             w.CmbField[1]->setEditText(QString());
         },
         "拼音码不能为空！", "", 1, {}},
        {set(1, "XSJ"), "条形码格式不符！\n\n请输入阿拉伯数字。", "", 2, {}},
        {set(2, "6901234567890"), "规格不能为空！", "", 3, {}},
        {set(3, "5ml"), "试剂包装单位不能为空！\n\n请输入代码检索单位，或点击“+”号按钮选定", "", 4, {}},
        {set(4, "盒"), "组别不能为空！\n\n请输入代码检索组别，或点击“+”号按钮选定", "", 5, {}},
        {set(5, "生化"), "厂商不能为空！\n\n请输入代码检索厂商，或点击“+”号按钮选定", "", 6, {}},
        // A name whose key is another manufacturer's is no choice either.
        {[](FrmSetProduct &w) {
             w.CmbField[6]->setEditText(s("上海试剂"));
             ModBase::PickCSID = 1;
         },
         "厂商不能为空！\n\n请输入代码检索厂商，或点击“+”号按钮选定", "", 6, {}},
        {[](FrmSetProduct &w) {
             ModBase::PickCSID = 2;
             w.CmbField[8]->setEditText(s("abc"));
             w.CmbField[9]->setEditText(s("x"));
         },
         "请输入阿拉伯数字！", "出错啦！", 8, {8}},
        {set(8, "-2"), "请输入大于零的数字！", "出错啦！", 8, {8}},
        {set(8, "1e39"), "数字太大，请重新输入！", "出错啦！", 8, {8}},
        {set(8, "6"), "请输入阿拉伯数字！", "出错啦！", 9, {9}},
        {[](FrmSetProduct &w) {
             w.CmbField[8]->setEditText(s("6"));
             w.CmbField[9]->setEditText(s("5"));
         },
         "库存低限必须小于库存高限！请重新设置", "出错啦！", 8, {8, 9}},
        {[](FrmSetProduct &w) {
             w.CmbField[8]->setEditText(s("5"));
             w.CmbField[9]->setEditText(s("5"));
         },
         "条形码不能重复！\n\n此条形码已被占用，请检查是否输入错误。", "", 2, {}},
    };
    open();
    field(2)->setEditText(s("12a"));
    for (const Step &step : steps) {
        SCOPED_TRACE(step.message);
        step.fix(*window);
        dialogs.expectExact(s(step.message), step.answer);
        window->CmdSet[1]->click();
        EXPECT_TRUE(dialogs.done());
        EXPECT_EQ(dialogs.shown().last().title, s(step.title));
        EXPECT_EQ(window->focusWidget(), field(step.focus));
        for (int f : step.emptied)
            EXPECT_EQ(field(f)->currentText(), QString());
        EXPECT_EQ(count(QStringLiteral("shijijibenxinxi")), 4);
    }
    field(2)->setEditText(QString());
    window->CmdSet[1]->click();
    EXPECT_EQ(count(QStringLiteral("shijijibenxinxi")), 5);
    const QVariant id = db().scalar(QStringLiteral("SELECT 试剂ID FROM shijijibenxinxi WHERE 品名 = ?"), {s("新试剂")});
    EXPECT_EQ(stored(id.toInt(), QStringLiteral("库存低限")).toDouble(), 5.0); // equal limits pass
    EXPECT_EQ(stored(id.toInt(), QStringLiteral("厂商ID")).toInt(), 2);
}

TEST_F(CatalogueFixture, AddStoresTrimmedTextsAndEmptyLimitsAsNull)
{
    open();
    field(0)->setEditText(s(" 新试剂 "));
    EXPECT_EQ(field(1)->currentText(), QStringLiteral("XSJ"));
    const std::pair<int, const char *> texts[] = {
        {2, "123"}, {3, " 5ml "}, {4, "盒"}, {5, "生化"}, {6, "兰州生物"}, {7, "国药准字1"}, {9, "20"}};
    for (const auto &[f, text] : texts)
        field(f)->setEditText(s(text));
    ModBase::PickCSID = 1;
    window->CmdSet[1]->click();
    const dao::Result r = db().select(QStringLiteral("SELECT * FROM shijijibenxinxi WHERE 品名 = ?"), {s("新试剂")});
    ASSERT_EQ(r.size(), 1);
    const dao::Row &row = r[0];
    EXPECT_EQ(row.text(1), QStringLiteral("XSJ"));
    EXPECT_EQ(row.text(3), QStringLiteral("5ml"));
    EXPECT_EQ(row.value(6).toInt(), 1);
    EXPECT_EQ(row.text(7), s("国药准字1"));
    EXPECT_EQ(row.value(8).toInt(), 0);
    EXPECT_EQ(row.text(9), QStringLiteral("123"));
    EXPECT_TRUE(row.isNull(10)); // an empty limit is no limit, not 0
    EXPECT_EQ(row.value(11).toDouble(), 20.0);
    EXPECT_TRUE(ids(window->GridShow).contains(row.value(0).toInt()));
    EXPECT_TRUE(window->AddMode);
    EXPECT_EQ(field(0)->currentText(), QString());
    EXPECT_EQ(field(4)->currentText(), s("盒")); // unit, group, maker and spec stay for the next one
}

TEST_F(CatalogueFixture, NameWidthQuestionAndPinyinCut)
{
    open();
    const auto fill = [this](const char *name) {
        field(0)->setEditText(s(name));
        const std::pair<int, const char *> texts[] = {{3, "5ml"}, {4, "盒"}, {5, "生化"}, {6, "兰州生物"}};
        for (const auto &[f, text] : texts)
            field(f)->setEditText(s(text));
        ModBase::PickCSID = 1;
    };
    fill("血清样本血清样本血清样本"); // twelve wide: no question
    EXPECT_EQ(field(1)->currentText(), QStringLiteral("XQYBXQYBXQ"));
    field(1)->setEditText(QStringLiteral("XQYBXQYBXQYB")); // typed by hand: kept whole
    window->CmdSet[1]->click();
    EXPECT_TRUE(dialogs.shown().isEmpty());
    EXPECT_EQ(stored(5, QStringLiteral("拼音码")).toString(), QStringLiteral("XQYBXQYBXQYB"));

    fill("血清样本血清样本血清样本a"); // 12.5 wide: asked, and No saves it
    dialogs.expect(s("试剂名称设置过长"), Answer::No);
    window->CmdSet[1]->click();
    EXPECT_EQ(stored(6, QStringLiteral("品名")).toString(), s("血清样本血清样本血清样本a"));
}

TEST_F(CatalogueFixture, RowClickEditsThatReagentAndUpdatesItsRow)
{
    open();
    clickRow(3);
    EXPECT_FALSE(window->AddMode);
    EXPECT_EQ(window->EditID, 3);
    EXPECT_EQ(window->FamSet->title(), s("试剂基本信息设置（修改模式）"));
    EXPECT_EQ(field(0)->currentText(), s("试剂甲"));
    EXPECT_EQ(field(1)->currentText(), QStringLiteral("Z690123456789")); // the stored code, not recomputed
    EXPECT_EQ(field(6)->currentText(), s("上海试剂"));
    EXPECT_EQ(ModBase::PickCSID, 2);
    EXPECT_EQ(field(8)->currentText(), QStringLiteral("1"));
    EXPECT_TRUE(window->CmdSet[2]->isEnabled());
    EXPECT_TRUE(window->CmdSet[4]->isEnabled());

    field(3)->setEditText(QStringLiteral("20ml"));
    EXPECT_FALSE(window->CmdSet[2]->isEnabled()); // a change ends the chance to delete
    EXPECT_FALSE(window->CmdSet[4]->isEnabled());
    window->CheTY->setChecked(true);
    window->GridShow->setRow(rowOf(1)); // the current row moved away from the record edited
    window->CmdSet[1]->click();

    EXPECT_EQ(stored(3, QStringLiteral("规格")).toString(), QStringLiteral("20ml"));
    EXPECT_EQ(stored(3, QStringLiteral("停用")).toInt(), -1);
    EXPECT_EQ(window->GridShow->TextMatrix(rowOf(3), 3), QStringLiteral("20ml"));
    EXPECT_EQ(window->GridShow->TextMatrix(rowOf(3), 9), QStringLiteral("-1"));
    EXPECT_EQ(window->GridShow->TextMatrix(rowOf(1), 3), QStringLiteral("10ml"));
    EXPECT_TRUE(window->AddMode);
    EXPECT_EQ(window->FamSet->title(), s("试剂基本信息设置（添加模式）"));
    EXPECT_EQ(field(0)->currentText(), QString());
    EXPECT_FALSE(window->CheTY->isChecked());
}

TEST_F(CatalogueFixture, BarcodeHeldByAnyOtherReagentIsRefused)
{
    open();
    clickRow(1);
    field(3)->setEditText(QStringLiteral("20ml"));
    window->CmdSet[1]->click(); // its own unchanged barcode
    EXPECT_EQ(stored(1, QStringLiteral("规格")).toString(), QStringLiteral("20ml"));

    // Two reagents already sharing a barcode: the first one found is the one edited.
    db().exec(QStringLiteral("UPDATE shijijibenxinxi SET 条形码 = '6901234567890' WHERE 试剂ID = 3"));
    window->RefreshShow();
    clickRow(1);
    dialogs.expect(s("条形码不能重复！"));
    window->CmdSet[1]->click();
    EXPECT_EQ(window->focusWidget(), field(2));
}

TEST_F(CatalogueFixture, ReagentWithoutManufacturerCanBeMended)
{
    open();
    clickRow(4);
    EXPECT_EQ(field(6)->currentText(), QString());
    dialogs.expect(s("厂商不能为空！"));
    window->CmdSet[1]->click();
    typeInto(field(6), s("兰州"));
    QTest::keyClick(field(6), Qt::Key_Tab);
    EXPECT_EQ(field(6)->currentText(), s("兰州生物"));
    window->CmdSet[1]->click();
    EXPECT_EQ(stored(4, QStringLiteral("厂商ID")).toInt(), 1);
}

TEST_F(CatalogueFixture, CopyAddsASecondRecordWithTheCopiedValues)
{
    open();
    clickRow(1);
    window->CmdSet[4]->click();
    const QString name = s("复制的 血清样本");
    EXPECT_EQ(field(0)->currentText(), name);
    EXPECT_EQ(field(1)->currentText(), ModData::GetPY(name).left(10));
    EXPECT_TRUE(window->AddMode);
    EXPECT_FALSE(window->CmdSet[2]->isEnabled());
    EXPECT_FALSE(window->CmdSet[4]->isEnabled());

    dialogs.expect(s("条形码不能重复！")); // the copied barcode
    window->CmdSet[1]->click();
    field(2)->setEditText(QString());
    window->CmdSet[1]->click();
    const dao::Result r = db().select(QStringLiteral("SELECT 规格, 单位, 组别, 厂商ID, 库存低限, 库存高限 FROM "
                                                     "shijijibenxinxi WHERE 品名 = ?"),
                                      {name});
    ASSERT_EQ(r.size(), 1);
    EXPECT_EQ(r[0].text(0), QStringLiteral("10ml"));
    EXPECT_EQ(r[0].text(2), s("生化"));
    EXPECT_EQ(r[0].value(3).toInt(), 1);
    EXPECT_EQ(r[0].value(4).toDouble(), 1.0);
    EXPECT_EQ(r[0].value(5).toDouble(), 9.0);
    EXPECT_EQ(stored(1, QStringLiteral("品名")).toString(), s("血清样本"));
}

TEST_F(CatalogueFixture, DeleteAsksAndKeepsReagentsWithStock)
{
    store.lot({.reagent = 1, .quantity = 3, .price = 10, .supplier = 1, .receiptRef = QStringLiteral("1")});
    open();
    clickRow(1);
    dialogs.expect(s("该试剂还有库存，不能删除！"));
    window->CmdSet[2]->click();
    EXPECT_EQ(stored(1, QStringLiteral("品名")).toString(), s("血清样本"));

    clickRow(3);
    dialogs.expectExact(s("确实要删除一个记录？"), Answer::No);
    window->CmdSet[2]->click();
    EXPECT_EQ(dialogs.shown().last().title, s("删除记录"));
    EXPECT_EQ(count(QStringLiteral("shijijibenxinxi")), 4);
    dialogs.expectExact(s("确实要删除一个记录？"), Answer::Yes);
    window->CmdSet[2]->click();
    EXPECT_EQ(count(QStringLiteral("shijijibenxinxi")), 3);
    EXPECT_EQ(rowOf(3), -1);
    EXPECT_TRUE(window->AddMode);
}

TEST_F(CatalogueFixture, ExportWritesTheLastSearchWithoutTheKey)
{
    RecordingShell shell;
    open();
    window->OptShow[1]->click();
    typeInto(window->CmbSJDM, s("血"));
    dialogs.expect(s("报表导出成功！"));
    window->CmdPrint->click();
    const QStringList files = QDir(dir.file(s("报表"))).entryList({QStringLiteral("*.xls")});
    ASSERT_EQ(files.size(), 1);
    EXPECT_TRUE(files.first().startsWith(s("试剂基本信息")));
    const QString doc = platform::cp936::decode(dir.read(s("报表/") + files.first()));
    EXPECT_TRUE(doc.contains(s("血清样本")));
    EXPECT_FALSE(doc.contains(s("血检停用"))); // hidden by the filter
    EXPECT_FALSE(doc.contains(s("试剂甲")));   // not in the search
    EXPECT_FALSE(doc.contains(s("试剂ID")));
    EXPECT_EQ(shell.calls, QStringList{QStringLiteral("open ") + dir.file(s("报表/") + files.first())});
}
