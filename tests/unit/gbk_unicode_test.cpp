#include "text/gbk_unicode.h"

#include <gtest/gtest.h>

using namespace wy;

namespace {

TEST(GbkUnicode, EveryValidPairRoundTrips) {
    int valid = 0;
    for (int lead = 0x81; lead <= 0xFE; ++lead) {
        for (int trail = 0x40; trail <= 0xFE; ++trail) {
            std::string pair{static_cast<char>(lead), static_cast<char>(trail)};
            std::string utf8 = GbkToUtf8(pair);
            if (utf8.find("\xEF\xBF\xBD") != std::string::npos) continue;  // not a GBK character
            ++valid;
            auto back = Utf8ToGbk(utf8);
            ASSERT_TRUE(back.ok) << std::hex << lead << " " << trail;
            EXPECT_EQ(back.text, pair) << std::hex << lead << " " << trail;
        }
    }
    EXPECT_GT(valid, 21000);
}

TEST(GbkUnicode, ConvertsKnownTexts) {
    EXPECT_EQ(GbkToUtf8("\xCB\xC4\xB4\xA8"), "四川");
    EXPECT_EQ(GbkToUtf8("\xA1\xBE" "A" "\xA1\xBF"), "【A】");
    EXPECT_EQ(Utf8ToGbk("泸定桥 abc").text, "\xE3\xF2\xB6\xA8\xC7\xC5 abc");
}

TEST(GbkUnicode, InvalidBytesShowAsReplacementOnly) {
    EXPECT_EQ(GbkToUtf8("a\x80"), "a\xEF\xBF\xBD");          // cut lead byte
    EXPECT_EQ(GbkToUtf8("\xFF\x41"), "\xEF\xBF\xBD" "A");     // invalid pair keeps the ASCII byte
    EXPECT_EQ(GbkToUtf8("\xA1\x7F\xB0\xA1"), "\xEF\xBF\xBD\x7F啊");
}

TEST(GbkUnicode, ReportsTheFirstCharacterGbkCannotHold) {
    auto r = Utf8ToGbk("ab😀c");
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.unmappable, U'😀');
    EXPECT_EQ(r.unmappableUtf8, "😀");
    EXPECT_FALSE(Utf8ToGbk("a\xC3").ok);  // broken UTF-8
    EXPECT_EQ(Utf8ToGbkLossy("a😀啊"), "a?\xB0\xA1");
}

}  // namespace
