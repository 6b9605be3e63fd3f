#include "text/gbk_text.h"

#include <gtest/gtest.h>

#include <set>

#include "support/gbk.h"

using namespace wy;

namespace {

const std::string kLuding = G("泸定桥在我国哪个省境内?【四川】");
const std::string kCut = "ab\xB0";  // ends in a cut character

TEST(FindText, MatchesOnlyAtCharacterBoundaries) {
    struct Case {
        std::string t, s;
        int expected;
    } cases[] = {
        {"abc", "", 1},
        {"", "", -1},
        {"", "a", -1},
        {"abcabc", "ca", 3},
        {"abc", "abcd", -1},
        {"\xB0\x41", "A", -1},           // 癆: the A is a second byte
        {"\xB0\x41", "\xB0\x41", 1},
        {"\xB0\x41" "A", "A", 3},
        {kLuding, G("【"), 24},          // not 18, inside 省境
        {kLuding, G("】"), 30},
        {kCut, "\xB0", 3},               // a cut character is compared too
        {"Ab", "ab", -1},                // exact bytes
    };
    for (const auto& c : cases) EXPECT_EQ(FindText(c.t, c.s), c.expected) << c.t << " / " << c.s;
}

TEST(ByteOperations, FollowTheirRangeRules) {
    EXPECT_EQ(Left(G("啊"), 1), "\xB0");
    EXPECT_EQ(Left("abc", 0), "");
    EXPECT_EQ(Left("abc", 9), "abc");
    EXPECT_EQ(Mid("abcdef", 3, 10), "cdef");
    EXPECT_EQ(Mid("abc", 4, 1), "");
    EXPECT_EQ(Mid("abc", 0, 2), "");
    EXPECT_EQ(Mid("abc", 1, 0), "");
    EXPECT_EQ(CharCode(G("啊"), 1), -80);
    EXPECT_EQ(CharCode("A", 1), 65);
    EXPECT_EQ(CharCode("A", 2), 0);
    EXPECT_EQ(CharCode("A", 0), 0);
    EXPECT_EQ(Length(G("啊a")), 3);
}

TEST(ReplaceAt, ClampsPositionAndLength) {
    EXPECT_EQ(ReplaceAt("abc", 1, 1), "bc");
    EXPECT_EQ(ReplaceAt("abc", 3, 1, "X"), "abX");
    EXPECT_EQ(ReplaceAt("abc", 9, 1, "X"), "abcX");
    EXPECT_EQ(ReplaceAt("abc", 2, 5), "a");
    EXPECT_EQ(ReplaceAt("abc", 2, 0, "X"), "aXbc");
    EXPECT_EQ(ReplaceAt("abc", -4, 1, "X"), "Xbc");
}

TEST(ReplaceAll, ReplacesAtBoundariesAndHandlesCutCharacters) {
    EXPECT_EQ(ReplaceAll("\xB0\x41" "A", "A", "B"), "\xB0\x41" "B");
    EXPECT_EQ(ReplaceAll("aaa", "aa", "b"), "ba");
    EXPECT_EQ(ReplaceAll("abc", "", "x"), "abc");
    EXPECT_EQ(ReplaceAll("", "a", "x"), "");
    EXPECT_EQ(ReplaceAll(kCut, "a", "x"), "xb");          // one-byte find: cut character dropped
    EXPECT_EQ(ReplaceAll(kCut, "ab", "x"), "x\xB0");      // longer find: rest kept
    EXPECT_EQ(ReplaceAll(G("，，"), G("，"), ","), ",,");  // replacement not searched again
}

TEST(CaseAndWidth, FoldOnlyWholeCharacters) {
    EXPECT_EQ(ToLower("\xB0\x41"), "\xB0\x41");
    EXPECT_EQ(ToUpper("abc\xB0\x61"), "ABC\xB0\x61");  // 癮 keeps its second byte
    EXPECT_EQ(ToUpper(kCut), "AB\xB0");
    EXPECT_EQ(ToLower("ABC" "\xB0"), "abc\xB0");
    EXPECT_EQ(ToUpper(G("ａ")), G("ａ"));
    EXPECT_EQ(ToHalfWidth(G("ＡＢＣ１２３，？")), "ABC123,?");
    EXPECT_EQ(ToHalfWidth(G("　")), " ");
    EXPECT_EQ(ToHalfWidth(G("【答案】。")), G("【答案】。"));
    EXPECT_EQ(ToHalfWidth(G("￥")), "$");
    EXPECT_EQ(ToHalfWidth(G("★☆～")), "**~");
    EXPECT_EQ(ToHalfWidth(G("ａ")), "a");
    EXPECT_EQ(ToHalfWidth(G("（）＝￣")), "()=~");
    EXPECT_EQ(ToHalfWidth(kCut), "ab");
    EXPECT_EQ(RemoveAllSpaces(G(" a b　c\t")), "abc\t");
    EXPECT_EQ(RemoveAllSpaces(kCut), "ab");
}

TEST(Split, KeepsEmptyPiecesButNoTrailingOne) {
    using V = std::vector<std::string>;
    struct Case {
        std::string t;
        V expected;
    } cases[] = {
        {"a\r\nb\r\n", {"a", "b"}},
        {"a\r\n\r\nb", {"a", "", "b"}},
        {"\r\na", {"", "a"}},
        {"a\r\n", {"a"}},
        {"\r\n", {""}},
        {"a\rb", {"a\rb"}},
        {"a\nb", {"a\nb"}},
        {"", {}},
        {"\r", {"\r"}},
        {"\xB0\r\n", {"\xB0\r\n"}},      // \r is the second byte of a character
        {"a\r\nb\xB0", {"a", "b\xB0"}},  // a cut character ends the walk
    };
    for (const auto& c : cases) EXPECT_EQ(Lines(Split(c.t, "\r\n")), c.expected) << c.t;
    EXPECT_EQ(Lines(Split("abc", "")), V{"abc"});
}

TEST(Numbers, FormatAsDecimalAndHex) {
    EXPECT_EQ(NumberToText(-5), "-5");
    EXPECT_EQ(NumberToText(0), "0");
    EXPECT_EQ(NumberToText(3399), "3399");
    EXPECT_EQ(ToHex(0), "0");
    EXPECT_EQ(ToHex(10), "A");
    EXPECT_EQ(ToHex(176), "B0");
    EXPECT_EQ(ToHex(255), "FF");
    EXPECT_EQ(ToHex(-1), "FFFFFFFF");
    EXPECT_EQ(Concat("a", std::string("b"), std::string_view("c")), "abc");
}

TEST(RandomNumber, StaysInRangeWithFifteenBitDraws) {
    SeedRandom();
    EXPECT_EQ(RandomNumber(5, 5), 5);
    std::set<int> seen;
    for (int i = 0; i < 5000; ++i) {
        int r = RandomNumber(9, 3);
        EXPECT_GE(r, 3);
        EXPECT_LE(r, 9);
        int wide = RandomNumber(10000, 99999);
        EXPECT_GE(wide, 10000);
        EXPECT_LE(wide, 42767);
        int three = RandomNumber(100, 999);
        EXPECT_TRUE(three >= 100 && three <= 999);
        seen.insert(three);
    }
    EXPECT_GT(seen.size(), 800u);
    EXPECT_GE(RandomNumber(-5, -1), 0);
}

TEST(RandomNumber, SeedingsInTheSameMillisecondDiffer) {
    SeedRandom();
    int a = RandomNumber(0, 32767);
    SeedRandom();
    int b = RandomNumber(0, 32767);
    EXPECT_NE(a, b);
}

}  // namespace
