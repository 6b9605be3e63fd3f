#include "bank/editing.h"

#include <gtest/gtest.h>

#include <random>

#include "support/gbk.h"
#include "text/gbk_text.h"

using namespace wy;

namespace {

std::optional<std::size_t> NaiveFirstLineContaining(const TextArray& lines, std::string_view text) {
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (FindText(lines[i], text) != -1) return i;
    }
    return std::nullopt;
}

TEST(FirstLineContaining, MatchesWholeCharactersWithinOneLine) {
    TextArray bank{"", G("五角大楼是美国哪个机构的代称?【国防部】"), "abc", "\xB0\x41", "A", G("国防部长")};
    struct Case {
        std::string text;
        std::optional<std::size_t> line;
    } cases[] = {
        {G("国防部"), 1},      // answer part counts
        {"", 1},               // the empty text: first non-empty line
        {"A", 4},              // not the second byte of 癆 (B0 41) in line 3
        {"\xB0\x41", 3},
        {"bc", 2},
        {"cB", std::nullopt},  // never across the end of one line into the next
        {"abcd", std::nullopt},
        {G("部长"), 5},
        {G("台湾"), std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FirstLineContaining(bank, c.text), c.line) << c.text;
    }
    EXPECT_EQ(FirstLineContaining(TextArray{}, ""), std::nullopt);
    EXPECT_EQ(FirstLineContaining(TextArray{"", ""}, ""), std::nullopt);
}

TEST(FirstLineContaining, AgreesWithFindTextOnEveryLine) {
    // Short random lines over a few bytes that make boundary cases common:
    // lead bytes, letters that are also second bytes, and repeats.
    const char alphabet[] = {'A', 'a', '\xB0', '\xC4', '\xA1', '\xBE'};
    std::mt19937 rng(7);
    auto randomText = [&](int maxLength) {
        std::string s;
        for (int n = static_cast<int>(rng() % (maxLength + 1)); n > 0; --n) s += alphabet[rng() % 6];
        return s;
    };
    for (int round = 0; round < 2000; ++round) {
        TextArray lines;
        for (int n = static_cast<int>(rng() % 8); n > 0; --n) lines.add(randomText(6));
        std::string text = randomText(3);
        ASSERT_EQ(FirstLineContaining(lines, text), NaiveFirstLineContaining(lines, text))
            << "round " << round;
    }
}

TEST(IsNewQuestion, RefusedWhenAnyLineContainsIt) {
    TextArray bank{G("五角大楼是美国哪个机构的代称?【国防部】")};
    EXPECT_FALSE(IsNewQuestion(bank, G("国防部")));
    EXPECT_TRUE(IsNewQuestion(bank, "ABC?"));
    EXPECT_FALSE(IsNewQuestion(bank, ""));          // a non-empty line contains the empty text
    EXPECT_TRUE(IsNewQuestion(TextArray{}, ""));    // an empty bank takes an empty line
    EXPECT_TRUE(IsNewQuestion(TextArray{""}, ""));
}

TEST(LineToModify, FindsTheSelectedItemsLineOrRefuses) {
    TextArray bank{"A", G("问题一【甲】"), G("问题二【乙】"), ""};
    std::string item = G("问题二【乙】");
    EXPECT_EQ(LineToModify(bank, G("问题二【丙】"), item), 2u);
    EXPECT_EQ(LineToModify(bank, "", item), std::nullopt);                       // empty search box
    EXPECT_EQ(LineToModify(bank, G("新"), std::nullopt), std::nullopt);          // nothing selected
    EXPECT_EQ(LineToModify(bank, G("新"), G("(自定义)问题二【乙】")), std::nullopt);  // custom item
    // An empty item would match the first non-empty line, an unrelated question.
    EXPECT_EQ(LineToModify(bank, G("新"), std::string_view{}), std::nullopt);
}

TEST(LineToDelete, FindsTheSearchTextsLineOrFails) {
    TextArray bank{"", G("问题一【甲】"), G("问题二【乙】")};
    EXPECT_EQ(LineToDelete(bank, G("问题二【乙】"), true), 2u);
    EXPECT_EQ(LineToDelete(bank, G("【"), true), 1u);             // the first line containing it
    EXPECT_EQ(LineToDelete(bank, G("问题二【乙】"), false), std::nullopt);
    EXPECT_EQ(LineToDelete(bank, G("问题三"), true), std::nullopt);
    // An emptied search box must not delete the first non-empty line.
    EXPECT_EQ(LineToDelete(bank, "", true), std::nullopt);
}

}  // namespace
