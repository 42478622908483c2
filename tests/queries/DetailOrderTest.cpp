#include "QueriesFixture.h"

#include "queries/FrmQIn.h"
#include "queries/FrmQOut.h"
#include "queries/FrmQScrap.h"
#include "shell/ModData.h"
#include "stock/MovementLines.h"
#include "widgets/DateRangeSelector.h"

#include <QCheckBox>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

// The detail grid orders its lines itself; the engine running the statement with its
// ORDER BY, ties taken in the order of entry, is what it must show, line for line.
class DetailOrderTest : public QueriesFixture {
protected:
    void SetUp() override
    {
        QueriesFixture::SetUp();
        const qint32 maker = store.maker(u"兰州生物"_s);
        // 阿 sorts before 血 in pinyin and after it in UTF-8; a second 血清样本 of the same
        // group ties with the first; Latin before Chinese; no group as null and as ''.
        const qint32 reagents[] = {
            serum, alt, quoted,
            store.reagent({.name = u"阿莫西林"_s, .maker = maker}),
            store.reagent({.name = u"血清样本"_s, .spec = u"20ml"_s, .maker = maker}),
            store.reagent({.name = u"葡萄糖"_s, .group = u"免疫"_s, .maker = maker, .disabled = true}),
            store.reagent({.name = u"ALT试剂"_s, .maker = maker}),
            store.reagent({.name = u"尿素"_s, .maker = maker}),
            store.reagent({.name = u"Albumin"_s, .maker = maker}),
        };
        db().exec(u"UPDATE shijijibenxinxi SET 组别 = NULL WHERE 品名 = '尿素'"_s);
        db().exec(u"UPDATE shijijibenxinxi SET 组别 = '' WHERE 品名 = 'ALT试剂'"_s);
        int n = 0;
        for (int flag = 1; flag <= 3; ++flag)
            for (qint32 r : reagents)
                for (int day : {9, 3, 9, 1}) {
                    ++n;
                    store.line({.flag = flag, .number = 20260100000 + n, .date = {2026, 1, day}, .reagent = r,
                                .batch = u"B%1"_s.arg(n), .quantity = double(n % 7 + 1), .price = 1.5,
                                .department = u"检验科"_s, .supplier = n % 2 ? beijing : shanghai});
                }
    }

    // The lines the engine gives for the window's search under its own ORDER BY.
    static void expectEngineOrder(FrmMovementQuery *w)
    {
        const queries::Search search = queries::periodSearch(w->kind(), QString(), w->DateRange->condition(),
                                                             QStringList(4, QString()));
        const stock::LineQuery lines = stock::reportLines(w->kind().flag);
        FlexGrid expected;
        stock::fillMovementLines(expected, db(), lines,
                                 search.conditions + ModBase::OrderBy + u", shijibiandongdengji.登记ID"_s,
                                 search.params, stock::ReportAmountColumn);
        ASSERT_GT(expected.Rows(), 30);
        ASSERT_EQ(w->GridQ->Rows(), expected.Rows());
        for (int r = 0; r < expected.Rows(); ++r)
            for (int c = 0; c < expected.Cols(); ++c)
                ASSERT_EQ(w->GridQ->TextMatrix(r, c), expected.TextMatrix(r, c)) << "row " << r << " col " << c;
    }
};

TEST_F(DetailOrderTest, EveryQueryInBothOrdersShowsTheStatementsOrder)
{
    for (const qint16 order : {0, 1}) {
        ModBase::QueryOrder = order;
        const std::unique_ptr<FrmMovementQuery> windows[] = {std::make_unique<FrmQIn>(), std::make_unique<FrmQOut>(),
                                                             std::make_unique<FrmQScrap>()};
        for (const auto &w : windows) {
            SCOPED_TRACE(w->objectName().toStdString() + " order " + std::to_string(order));
            w->DateRange->selectOption(daterange::Unlimited);
            QTest::mouseClick(w->CmdQ, Qt::LeftButton);
            expectEngineOrder(w.get());
        }
    }
}

} // namespace
