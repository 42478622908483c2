#include "StoreFixture.h"

#include "stock/DocumentNumber.h"

#include <vector>

namespace {

using stock::documentNumber;

struct NumberCase {
    std::vector<std::pair<int, qint64>> stored; // flag, number
    bool newNumber;
    qint64 expected;
};

class DocumentNumberTest : public StoreFixture {};

TEST_F(DocumentNumberTest, FollowsTheDaysHighestNumber)
{
    const QDate today(2026, 1, 15);
    const NumberCase cases[] = {
        {{}, false, 20260115001},
        {{}, true, 20260115001},
        {{{1, 20260115001}, {1, 20260115003}}, false, 20260115003},
        {{{1, 20260115001}, {1, 20260115003}}, true, 20260115004},
        {{{1, 20260114007}}, false, 20260115001},
        {{{1, 20260114007}}, true, 20260115001},
        // Other series do not count.
        {{{2, 20260115005}, {3, 20260115009}}, false, 20260115001},
        // A number saved in another form never takes over the series.
        {{{1, 99999}}, false, 20260115001},
        {{{1, 99999}}, true, 20260115001},
        {{{1, 20260115002}, {1, 2026011500012}}, false, 20260115002},
        {{{1, 20260115002}, {1, 2026011500012}}, true, 20260115003},
        {{{1, 20260116001}}, false, 20260115001},
    };
    for (const NumberCase &c : cases) {
        db().exec(QStringLiteral("DELETE FROM shijibiandongdengji"));
        for (const auto &[flag, number] : c.stored)
            store.line({.flag = flag, .number = number});
        EXPECT_EQ(documentNumber(db(), stock::Receipt, today, c.newNumber), c.expected)
            << "case " << (&c - cases);
    }
}

} // namespace
