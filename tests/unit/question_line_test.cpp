#include "bank/question_line.h"

#include <gtest/gtest.h>

#include "support/gbk.h"
#include "text/gbk_text.h"

using namespace wy;

namespace {

// The four folding steps composed literally, to check the one-pass version.
std::string NormalizeByParts(std::string_view t) {
    static const char* const kFolds[][2] = {{"，", ","}, {"。", "."}, {"？", "?"}, {"：", ":"},
                                            {"》", ">"}, {"《", "<"}, {"“", "\""}, {"”", "\""}};
    std::string s(t);
    for (const auto& fold : kFolds) s = ReplaceAll(s, G(fold[0]), fold[1]);
    return ToUpper(ToHalfWidth(RemoveAllSpaces(s)));
}

TEST(NormalizeQuestion, FoldsPunctuationSpacesWidthAndCase) {
    struct Case {
        const char* in;
        const char* out;
    } cases[] = {
        {"“五角大楼”是 美国哪个机构的代称？", "\"五角大楼\"是美国哪个机构的代称?"},
        {"《林海雪原》的作者是：？", "<林海雪原>的作者是:?"},
        {"ａｂｃ ｄｅ", "ABCDE"},
        {"（1）", "(1)"},
        {"　 ", ""},
        {"", ""},
        {"螟蛉子可以婉指:【养子(义子)】", "螟蛉子可以婉指:【养子(义子)】"},
        {"  ａｂｃ？ ", "ABC?"},
        {"a，b。c、d—e·f", "A,B.C、D—E·F"},
        {"★～☆＝", "*~*="},
    };
    for (const auto& c : cases) EXPECT_EQ(NormalizeQuestion(G(c.in)), G(c.out)) << c.in;
}

TEST(NormalizeQuestion, NeverTouchesSecondBytes) {
    // 癮 is B0 61: its second byte is an ASCII "a" that must stay lower case.
    EXPECT_EQ(NormalizeQuestion("a\xB0\x61 b"), "A\xB0\x61" "B");
    EXPECT_EQ(NormalizeQuestion("ab\xB0"), "AB");  // a cut character is dropped
}

TEST(NormalizeQuestion, EqualsTheStepsComposedInOrder) {
    std::string samples[] = {G("“Ａ，　ｂ”？《》：。～★☆ x y"), "\xA3\xA0\xA3\xFE\xA1\xA1\xA1",
                             "\x80\x20\xFF\xFF a", G("（ｚ）＝１")};
    for (const auto& s : samples) {
        EXPECT_EQ(NormalizeQuestion(s), NormalizeByParts(s));
        EXPECT_EQ(NormalizeQuestion(NormalizeQuestion(s)), NormalizeQuestion(s));
    }
}

TEST(ImportBankLine, ConvertsTheQuotedForm) {
    struct Case {
        const char* in;
        const char* out;
    } cases[] = {
        {"\"五角大楼是美国哪个机构的代称?\"=\"国防部\"", "五角大楼是美国哪个机构的代称?【国防部】"},
        {"“五角大楼是美国哪个机构的代称?”＝“国防部”", "五角大楼是美国哪个机构的代称?【国防部】"},
        {"\"q\" = \"a\"", "Q【A】"},
        {"\"A\"=\"B\"=\"C\"", "A【B【C】"},
        {"ab\"=\"cd", "B【C】"},
        {"泸定桥在我国哪个省境内？【四川】", "泸定桥在我国哪个省境内?【四川】"},
        {"", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(ImportBankLine(G(c.in)), G(c.out)) << c.in;
}

TEST(ImportBankText, SplitsAndNormalisesEveryLine) {
    std::string text = G("a？【b】\r\n\r\n\"q\"=\"x\"\r\n泸定桥【四川】\r\n");
    EXPECT_EQ(Lines(ImportBankText(text)),
              (std::vector<std::string>{G("A?【B】"), "", G("Q【X】"), G("泸定桥【四川】")}));
    // Dropping the first byte of a quoted line can shift the character walk;
    // the loaded line is then normalised a second time.
    std::string shifted = G("中ａ\"=\"b");
    EXPECT_EQ(ImportBankText(shifted)[0], NormalizeQuestion(ImportBankLine(shifted)));
}

TEST(BankText, EndsEveryLineWithCrLf) {
    EXPECT_EQ(BankText(TextArray{"a", "", "b"}), "a\r\n\r\nb\r\n");
    EXPECT_EQ(BankText(TextArray{}), "");
}

}  // namespace
