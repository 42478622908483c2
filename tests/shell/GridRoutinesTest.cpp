#include "ScriptedDialogs.h"
#include "TempFolder.h"
#include "dao/Database.h"
#include "shell/ModBase.h"
#include "shell/ModData.h"
#include "shell/ModDataGrid.h"
#include "widgets/FlexGrid.h"

#include <QComboBox>
#include <QHeaderView>
#include <QTest>

#include <gtest/gtest.h>

using namespace ModData;

namespace {

class SortGridTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        grid.Fill({QStringLiteral("品名"), QStringLiteral("数量"), QStringLiteral("单价"), QStringLiteral("金额")},
                  {{QStringLiteral("乙"), QStringLiteral("10"), QStringLiteral("2.00"), QStringLiteral("1,234.50")},
                   {QStringLiteral("甲"), QStringLiteral("9"), QStringLiteral("3.00"), QStringLiteral("99.00")},
                   {QStringLiteral("丙"), QStringLiteral("100"), QStringLiteral("1.00"), QStringLiteral("5.00")}});
    }
    double headerY() const { return grid.RowPos(0) + 10; }
    QStringList column(int col) const
    {
        QStringList out;
        for (int r = 1; r < grid.Rows(); ++r)
            out.append(grid.TextMatrix(r, col));
        return out;
    }
    FlexGrid grid;
};

} // namespace

TEST_F(SortGridTest, FirstClickSortsDescendingThenAlternates)
{
    grid.setCol(1);
    SortGrid(&grid, headerY());
    EXPECT_EQ(column(1), (QStringList{QStringLiteral("100"), QStringLiteral("10"), QStringLiteral("9")}));
    EXPECT_EQ(grid.TextMatrix(0, 1), QStringLiteral("数量↑"));
    EXPECT_EQ(grid.Tag(), QStringLiteral("1"));
    SortGrid(&grid, headerY());
    EXPECT_EQ(column(1), (QStringList{QStringLiteral("9"), QStringLiteral("10"), QStringLiteral("100")}));
    EXPECT_EQ(grid.TextMatrix(0, 1), QStringLiteral("数量↓"));
    SortGrid(&grid, headerY());
    EXPECT_EQ(grid.TextMatrix(0, 1), QStringLiteral("数量↑"));
}

TEST_F(SortGridTest, AnotherColumnTakesTheArrowAndGroupedNumbersSortAsNumbers)
{
    grid.setCol(2);
    SortGrid(&grid, headerY());
    grid.setCol(3);
    SortGrid(&grid, headerY());
    EXPECT_EQ(grid.TextMatrix(0, 2), QStringLiteral("单价"));
    EXPECT_EQ(grid.TextMatrix(0, 3), QStringLiteral("金额↑"));
    EXPECT_EQ(column(3), (QStringList{QStringLiteral("1,234.50"), QStringLiteral("99.00"), QStringLiteral("5.00")}));
}

TEST_F(SortGridTest, ACaptionEndingInDownSortsDescendingAndAClickOnDataNever)
{
    grid.Sort(0, Qt::AscendingOrder);
    grid.setTextMatrix(0, 0, QStringLiteral("品名↓"));
    grid.setCol(0);
    SortGrid(&grid, grid.RowPos(1) + 10);
    // Pinyin order: bing < jia < yi.
    EXPECT_EQ(column(0), (QStringList{QStringLiteral("丙"), QStringLiteral("甲"), QStringLiteral("乙")}));
    EXPECT_EQ(grid.TextMatrix(0, 0), QStringLiteral("品名↓"));
    SortGrid(&grid, headerY());
    EXPECT_EQ(column(0), (QStringList{QStringLiteral("乙"), QStringLiteral("甲"), QStringLiteral("丙")}));
    EXPECT_EQ(grid.TextMatrix(0, 0), QStringLiteral("品名↑"));
}

TEST_F(SortGridTest, AHeaderClickByMouseSortsItsColumn)
{
    grid.resize(600, 300);
    grid.show();
    QObject::connect(&grid, &FlexGrid::MouseUp, &grid,
                     [this](Qt::MouseButton, int, int, double y) { SortGrid(&grid, y); });
    QHeaderView *header = grid.horizontalHeader();
    const QPoint at(header->sectionViewportPosition(1) + 5, header->height() / 2);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
    EXPECT_EQ(grid.TextMatrix(0, 1), QStringLiteral("数量↑"));
    EXPECT_EQ(column(1).first(), QStringLiteral("100"));
}

TEST(GridRoutines, ResetGridForgetsTheSortedColumn)
{
    FlexGrid grid;
    grid.Fill({QStringLiteral("a"), QStringLiteral("b")}, {{QStringLiteral("1"), QStringLiteral("2")}});
    grid.setTag(QStringLiteral("1"));
    ResetGrid(&grid);
    EXPECT_EQ(grid.Cols(), 1);
    EXPECT_EQ(grid.Rows(), 2);
    EXPECT_EQ(grid.ColWidth(0), 1080);
    EXPECT_EQ(grid.TextMatrix(0, 0), QString());
    EXPECT_EQ(grid.TextMatrix(1, 0), QString());
    EXPECT_EQ(grid.Tag(), QString());
}

TEST(GridRoutines, FillComboSkipsEmptyValuesAndReportsFailures)
{
    TempFolder dir;
    ModBase::ResetState();
    ModBase::DBFile = dir.file(QStringLiteral("MarloSJGL.dat"));
    dao::Database::create(ModBase::DBFile, ModBase::DBPassword)
        ->execScript(QStringLiteral("CREATE TABLE zubie(id INTEGER PRIMARY KEY, 组别 TEXT);"
                                    "INSERT INTO zubie(组别) VALUES('生化'), (''), (NULL), ('免疫');"));
    QComboBox combo;
    FillCombo(&combo, QStringLiteral("SELECT 组别 FROM zubie ORDER BY id"), true);
    ASSERT_EQ(combo.count(), 3);
    EXPECT_EQ(combo.itemText(0), QString());
    EXPECT_EQ(combo.itemText(1), QStringLiteral("生化"));
    EXPECT_EQ(combo.itemText(2), QStringLiteral("免疫"));

    FillCombo(&combo, QStringLiteral("SELECT 组别 FROM zubie WHERE id > 9"), true);
    EXPECT_EQ(combo.count(), 1);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    ScriptedDialogs dialogs;
    dialogs.expect(QStringLiteral("Dr. Watson 发现您的操作有误。"));
    FillCombo(&combo, QStringLiteral("SELECT nothing FROM nowhere"), false);
    EXPECT_EQ(combo.count(), 0);
    ModData::CloseAll();
}
