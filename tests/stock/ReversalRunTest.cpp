#include "StoreFixture.h"

#include "shell/ModBase.h"
#include "stock/ReversalRun.h"
#include "widgets/FlexGrid.h"

#include <QDialog>
#include <QLineEdit>

namespace {

using namespace stock;
using platform::Answer;

// A grid of five lines "a" to "e"; the fake step reverses or refuses by the row's text.
class ReversalRunTest : public StoreFixture {
protected:
    void SetUp() override
    {
        StoreFixture::SetUp();
        fill();
    }
    void fill()
    {
        grid.Fill({QStringLiteral("line")}, {{QStringLiteral("a")}, {QStringLiteral("b")}, {QStringLiteral("c")},
                                             {QStringLiteral("d")}, {QStringLiteral("e")}});
        seen.clear();
    }
    void select(int from, int to)
    {
        grid.setRow(from);
        grid.setRowSel(to);
    }
    // Refuses the lines named in `refuse`, reverses the others; remembers what it was asked.
    RowReversal step(const QString &refuse = QString())
    {
        return [this, refuse](dao::Database &, int row, bool) {
            const QString text = grid.TextMatrix(row, 0);
            seen << text;
            return refuse.contains(text) ? ReversalResult::refused(QStringLiteral("不能撤消") + text)
                                         : ReversalResult::reversed();
        };
    }
    QStringList lines() const
    {
        QStringList out;
        for (int r = 1; r < grid.Rows(); ++r)
            out << grid.TextMatrix(r, 0);
        return out;
    }

    FlexGrid grid;
    QStringList seen;
};

TEST_F(ReversalRunTest, ReversedRowsLeaveTheGridOrStay)
{
    const struct {
        int from, to;
        const char *refuse;
        ReversedRows rows;
        const char *question;
        const char *seen;
        const char *left;
    } cases[] = {
        {2, 4, "", ReversedRows::Remove, "确定撤消2 ～ 4行出库记录？", "bcd", "ae"},
        {4, 2, "", ReversedRows::Remove, "确定撤消2 ～ 4行出库记录？", "bcd", "ae"}, // dragged upwards
        {1, 5, "c", ReversedRows::Remove, "确定撤消1 ～ 5行出库记录？", "abcde", "c"},
        {3, 3, "", ReversedRows::Remove, "确定撤消第3行出库记录？", "c", "abde"},
        {2, 4, "c", ReversedRows::Keep, "确定撤消2 ～ 4行出库记录？", "bcd", "abcde"},
    };
    for (const auto &c : cases) {
        fill();
        select(c.from, c.to);
        dialogs.expectExact(QString::fromUtf8(c.question), Answer::Yes);
        for (const QChar ch : QString::fromLatin1(c.refuse))
            dialogs.expectExact(QStringLiteral("不能撤消") + ch);
        EXPECT_TRUE(reverseSelectedRows(grid, Issue, step(QString::fromLatin1(c.refuse)), c.rows, nullptr));
        EXPECT_EQ(seen.join(QString()), QString::fromLatin1(c.seen)) << c.question;
        EXPECT_EQ(lines().join(QString()), QString::fromLatin1(c.left)) << c.question;
        EXPECT_TRUE(dialogs.done());
    }
}

TEST_F(ReversalRunTest, TheLastLineLeavesTheHeader)
{
    grid.Fill({QStringLiteral("line")}, {{QStringLiteral("a")}});
    select(1, 1);
    dialogs.expectExact(QStringLiteral("确定撤消第1行报损记录？"), Answer::Yes);
    EXPECT_TRUE(reverseSelectedRows(grid, Scrap, step(), ReversedRows::Remove, nullptr));
    EXPECT_EQ(grid.Rows(), 1);
}

TEST_F(ReversalRunTest, NoOrAWrongPasswordReversesNothing)
{
    select(1, 2);
    dialogs.expectExact(QStringLiteral("确定撤消1 ～ 2行入库记录？"), Answer::No);
    EXPECT_FALSE(reverseSelectedRows(grid, Receipt, step(), ReversedRows::Remove, nullptr));

    ModBase::PSWProtect = true;
    dialogs.expect(QStringLiteral("确定撤消"), Answer::Yes);
    dialogs.expectDialog(QStringLiteral("FrmCheckPSW"), [](QDialog *d) {
        d->findChild<QLineEdit *>()->setText(QStringLiteral("wrong"));
        return int(QDialog::Accepted);
    });
    dialogs.expectExact(QStringLiteral("密码不符！取消操作"));
    EXPECT_FALSE(reverseSelectedRows(grid, Receipt, step(), ReversedRows::Remove, nullptr));
    EXPECT_TRUE(seen.isEmpty());
    EXPECT_EQ(grid.Rows(), 6);
}

TEST_F(ReversalRunTest, AQuestionRunsTheStepAgainOnlyOnYes)
{
    QList<bool> calls;
    const RowReversal asking = [&calls](dao::Database &, int, bool confirmed) {
        calls << confirmed;
        return confirmed ? ReversalResult::reversed() : ReversalResult::ask(QStringLiteral("确实要撤消？"));
    };
    dialogs.expectExact(QStringLiteral("确实要撤消？"), Answer::No);
    EXPECT_FALSE(reverseRow(asking, 1, nullptr));
    dialogs.expectExact(QStringLiteral("确实要撤消？"), Answer::Yes);
    EXPECT_TRUE(reverseRow(asking, 1, nullptr));
    EXPECT_EQ(calls, (QList<bool>{false, false, true}));

    // A failure shows the common error box and counts as not reversed.
    dialogs.expect(QStringLiteral("Dr. Watson 发现您的操作有误。"));
    EXPECT_FALSE(reverseRow([](dao::Database &, int, bool) -> ReversalResult { throw std::runtime_error("busy"); }, 1,
                            nullptr));
}

} // namespace
