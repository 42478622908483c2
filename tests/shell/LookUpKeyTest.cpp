#include "shell/LookUp.h"

#include <gtest/gtest.h>

namespace {

struct KeyCase {
    const char *text;
    bool barcodes;
    LookUpSearch search;
    const char *key;
};

TEST(LookUpKey, FollowsTheTypedText)
{
    const KeyCase cases[] = {
        {"", true, LookUpSearch::None, ""},
        {" ", true, LookUpSearch::All, ""},
        {"  ", true, LookUpSearch::None, ""},
        {"a", true, LookUpSearch::Pinyin, "A"},
        {" xj ", false, LookUpSearch::Pinyin, "XJ"},
        {"试", true, LookUpSearch::Name, "试"},
        {"试a", true, LookUpSearch::Name, "试A"},
        {"ａ", true, LookUpSearch::Name, "Ａ"},
        {"1234", true, LookUpSearch::Pinyin, "1234"},
        {"12345", true, LookUpSearch::Barcode, "12345"},
        {"12345", false, LookUpSearch::Pinyin, "12345"},
        {"6901234567890", true, LookUpSearch::Barcode, "6901234567890"},
        {"o'b", true, LookUpSearch::Pinyin, "O'B"},
        {"'", true, LookUpSearch::Pinyin, "'"},
    };
    for (const KeyCase &c : cases) {
        const LookUpKey k = lookUpKey(QString::fromUtf8(c.text), c.barcodes);
        EXPECT_EQ(k.search, c.search) << c.text;
        EXPECT_EQ(k.key, QString::fromUtf8(c.key)) << c.text;
    }
}

} // namespace
