#include "stock/LineChecks.h"

#include <gtest/gtest.h>

namespace {

using namespace stock;

struct CheckCase {
    const char *name;
    std::optional<Refusal> refusal;
    int step; // 0: passes
    const char *message;
    bool emptied;
};

TEST(LineChecks, RefusalsInOrder)
{
    const CheckCase cases[] = {
        {"blank quantity", quantityRefusal(6, QStringLiteral("  "), 5, Receipt), 6, "数量不能为空！", false},
        {"text quantity", quantityRefusal(6, QStringLiteral("12a"), 5, Receipt), 7, "请输入阿拉伯数字！", true},
        {"zero quantity", quantityRefusal(6, QStringLiteral("0"), 5, Issue), 8, "出库数量必须大于零！", true},
        {"shows as 0.00", quantityRefusal(6, QStringLiteral("0.004"), 5, Scrap), 8, "报损数量必须大于零！", true},
        {"separators", quantityRefusal(6, QStringLiteral("1,234.5"), 5, Receipt), 0, "", false},
        {"more than the lot", stockRefusal(8, 2.5, QStringLiteral("3"), 4, Issue), 8,
         "当前库存数量为：2.5，出库数量不能大于库存数量！", true},
        {"the whole lot", stockRefusal(8, 2.5, QStringLiteral("2.50"), 4, Scrap), 0, "", false},
        {"blank price", priceRefusal(9, QString(), 6, QStringLiteral("单价不能为空！")), 9, "单价不能为空！", false},
        {"text price", priceRefusal(9, QStringLiteral("x"), 6, QStringLiteral("单价不能为空！")), 10, "请输入阿拉伯数字！", true},
        {"negative price", priceRefusal(9, QStringLiteral("-1"), 6, QStringLiteral("单价不能为空！")), 0, "", false},
        {"blank field", requiredRefusal(2, QStringLiteral(" "), 1, QStringLiteral("认领部门不能为空！")), 2, "认领部门不能为空！",
         false},
        {"short number", documentNumberQuestion(13, QStringLiteral("2026011500"), 0, Issue), 13,
         "检测到不标准的出库单号！\n\n标准出库单号是4位年＋2位月＋2位日＋3位编号，共11位，修改？", false},
        {"eleven digits", documentNumberQuestion(13, QStringLiteral("20260115001"), 0, Issue), 0, "", false},
    };
    for (const CheckCase &c : cases) {
        SCOPED_TRACE(c.name);
        if (c.step == 0) {
            EXPECT_FALSE(c.refusal);
            continue;
        }
        ASSERT_TRUE(c.refusal);
        EXPECT_EQ(c.refusal->step, c.step);
        EXPECT_EQ(c.refusal->message, QString::fromUtf8(c.message));
        EXPECT_EQ(c.refusal->emptied.contains(c.refusal->focus), c.emptied);
    }
    EXPECT_TRUE(documentNumberQuestion(13, QStringLiteral("x"), 0, Receipt)->question);
    EXPECT_EQ(stockRefusal(8, 1, QStringLiteral("2"), 4, Issue)->icon, platform::Icon::Exclamation);
    EXPECT_EQ(standardText(QStringLiteral(" 1234.5 ")), QStringLiteral("1,234.50"));
}

} // namespace
