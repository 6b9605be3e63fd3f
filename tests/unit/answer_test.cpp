#include "search/answer.h"

#include <gtest/gtest.h>

#include "bank/question_line.h"
#include "support/gbk.h"

using namespace wy;

namespace {

std::string Answer(std::string_view utf8) { return ExtractBetween(G(utf8), kOpenMarker, kCloseMarker); }

TEST(ExtractBetween, EveryShapeOfLine) {
    struct Case {
        const char* line;
        const char* answer;
    } cases[] = {
        {"泸定桥在我国哪个省境内?【四川】", "四川"},
        {"\"四羊方尊\"是哪个朝代的文物?【商】(正确)", "商"},   // after the close: ignored
        {"问【甲】又【乙】", "甲"},                            // first pair only
        {"问【】", ""},                                        // close right after open
        {"问【没有结尾", ""},                                  // open, no close after it
        {"问】前【后", ""},                                    // the only close stands before the open
        {"\"有板有眼\"的\"板\"是我国传统音乐节奏中的:强拍】", "\"有板有眼\"的\"板\"是我国传统音乐节奏中的:强拍"},
        {"没有任何标记", ""},
        {"", ""},
        {"【四川】", "四川"},
        {"【【嵌套】】", "【嵌套"},
    };
    for (const auto& c : cases) EXPECT_EQ(Answer(c.line), G(c.answer)) << c.line;
}

TEST(ExtractBetween, FindsMarkersOnlyAtCharacterBoundaries) {
    // 省境 is CA A1 BE B3: its middle bytes A1 BE are the bytes of 【.
    std::string line = G("泸定桥在我国哪个省境内?【四川】");
    ASSERT_LT(line.find(kOpenMarker), line.find(G("?【")));  // a byte match inside 省境
    EXPECT_EQ(ExtractBetween(line, kOpenMarker, kCloseMarker), G("四川"));
    // Likewise a close marker inside a two-byte character is not one.
    EXPECT_EQ(ExtractBetween("\x80\xA1\xBF" "x" "\xA1\xBF", kOpenMarker, kCloseMarker), "\x80\xA1\xBF" "x");
}

TEST(ExtractBetween, OtherMarkers) {
    EXPECT_EQ(ExtractBetween("a(b)c", "(", ")"), "b");
    EXPECT_EQ(ExtractBetween("ab)c", "(", ")"), "ab");
    EXPECT_EQ(ExtractBetween("abc", "", ")"), "");
    EXPECT_EQ(ExtractBetween("a(bc", "(", ""), "");
}

}  // namespace
