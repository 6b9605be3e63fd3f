#include "search/pinyin.h"

#include <gtest/gtest.h>

#include "support/gbk.h"

using namespace wy;

namespace {

TEST(PinyinInitials, UsesTheFirstReadingOfEachChineseCharacter) {
    struct Case {
        const char* text;
        const char* key;
    } cases[] = {
        {"善提本无树", "STBWS"},
        {"明镜亦非台", "MJYFT"},
        {"何处惹尘埃", "HCRCA"},
        {"二欧饿恩昂熬鹅", "EOEEAAE"},
        {"的了和行重乐", "DLHXZL"},
        {"UFO的具体含义是:【不明飞行物】", "DJTHYSBMFXW"},
        {"DNA分子的结构是:【双螺旋结构】", "FZDJGSSLXJG"},
        {"1934年", "N"},
        {"，。？ＡＢ１", ""},
        {"", ""},
        {"a", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(PinyinInitials(G(c.text)), c.key) << c.text;
}

TEST(PinyinInitials, SkipsExtensionCharactersAndCutBytes) {
    EXPECT_EQ(PinyinInitials("\x81\x40" + G("善")), "S");  // a GBK extension character adds nothing
    EXPECT_EQ(PinyinInitials("\xB0\x41" + G("善")), "S");  // nor does an invalid pair
    EXPECT_EQ(PinyinInitials(G("善") + "\xC9"), "S");      // a lone lead byte at the end
    EXPECT_EQ(PinyinInitials("\xD7\xFA"), "");               // unassigned code point
}

TEST(PinyinOf, ChoosesAReadingByNumber) {
    EXPECT_EQ(PinyinOf(G("长"), 1), "ch");
    EXPECT_EQ(PinyinOf(G("长"), 2), "zh");
    EXPECT_EQ(PinyinOf(G("长"), 3), "");
    EXPECT_EQ(PinyinOf(G("中"), 2), "");
    EXPECT_EQ(PinyinOf(G("中"), 0), "zh");
    EXPECT_EQ(PinyinOf(G("埃"), 1), "ai");
    EXPECT_EQ(PinyinOf(G("安"), 1), "an");
    EXPECT_EQ(PinyinOf(G("善提"), 1), "sh");
    EXPECT_EQ(PinyinOf("\xD7\xFA", 1), "");
    EXPECT_EQ(PinyinOf("\xB0", 1), "");
    EXPECT_EQ(PinyinOf("\xA1\xBE", 1), "");
}

TEST(PinyinTable, EveryAssignedCharacterHasAReading) {
    int withReading = 0;
    for (int b1 = 0xB0; b1 <= 0xF7; ++b1) {
        for (int b2 = 0xA1; b2 <= 0xFE; ++b2) {
            std::string c{static_cast<char>(b1), static_cast<char>(b2)};
            if (!PinyinOf(c, 1).empty()) ++withReading;
        }
    }
    EXPECT_EQ(withReading, 6763);
}

}  // namespace
