// The built-in banks as embedded in the program: their byte form, and that
// the searches the usage message and everyday use rely on find their lines.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "bank/question_line.h"
#include "data/embedded_data.h"
#include "search/search_list.h"
#include "support/gbk.h"
#include "text/gbk_text.h"

using namespace wy;

namespace {

int Count(std::string_view t, std::string_view s) {
    int n = 0;
    for (std::size_t at = FindAtBoundary(t, s); at != std::string_view::npos; at = FindAtBoundary(t, s, at + s.size())) ++n;
    return n;
}

struct Form {
    const char* name;
    std::string_view bytes;
    std::size_t lines;
    bool finalLineEnd;
    std::size_t longest;
};

class BuiltInBankForm : public ::testing::TestWithParam<Form> {};

TEST_P(BuiltInBankForm, HasTheExactBankForm) {
    const Form& f = GetParam();
    std::string_view bytes = f.bytes;
    TextArray lines = Split(bytes, "\r\n");
    ASSERT_EQ(lines.size(), f.lines);
    EXPECT_EQ(bytes.substr(bytes.size() - 2) == "\r\n", f.finalLineEnd);
    EXPECT_EQ(Count(bytes, "\r\n"), static_cast<int>(f.finalLineEnd ? f.lines : f.lines - 1));
    EXPECT_NE(bytes.substr(0, 3), "\xEF\xBB\xBF");
    EXPECT_EQ(GbkToUtf8(bytes).find("\xEF\xBF\xBD"), std::string::npos) << "bytes that are not GBK";
    for (char bad : {'\0', '\x1A', '\t'}) EXPECT_EQ(bytes.find(bad), std::string_view::npos);

    std::set<std::string_view> seen;
    std::size_t longest = 0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        std::string_view line = lines[i];
        SCOPED_TRACE(::testing::Message() << f.name << " line " << i + 1 << ": " << GbkToUtf8(line));
        EXPECT_FALSE(line.empty());
        EXPECT_EQ(line.find_first_of("\r\n"), std::string_view::npos);
        EXPECT_EQ(NormalizeQuestion(line), line);
        EXPECT_EQ(ImportBankLine(line), line);
        EXPECT_TRUE(seen.insert(line).second) << "repeated line";
        longest = std::max(longest, line.size());
    }
    EXPECT_LE(longest, f.longest);
}

INSTANTIATE_TEST_SUITE_P(Banks, BuiltInBankForm,
                         ::testing::Values(Form{"main", BuiltInBank(), 3399, true, 385},
                                           Form{"custom", BuiltInCustomBank(), 938, false, 141}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(BuiltInBanks, LinesHaveTheQuestionAnswerShape) {
    std::string correct = G("】(正确)");
    int mainCorrect = 0, mainNoOpen = 0;
    for (std::string_view line : Split(BuiltInBank(), "\r\n")) {
        int open = Count(line, kOpenMarker), close = Count(line, kCloseMarker);
        if (open == 0 && close == 1 && line.ends_with(kCloseMarker)) {
            ++mainNoOpen;
        } else if (open == 1 && close == 1 && line.ends_with(correct)) {
            ++mainCorrect;
        } else {
            EXPECT_TRUE(open == 1 && close == 1 && line.ends_with(kCloseMarker)) << GbkToUtf8(line);
        }
    }
    EXPECT_EQ(mainCorrect, 2);
    EXPECT_EQ(mainNoOpen, 2);
    for (std::string_view line : Split(BuiltInCustomBank(), "\r\n")) {
        EXPECT_TRUE(Count(line, kOpenMarker) == 1 && Count(line, kCloseMarker) == 1 && line.ends_with(kCloseMarker))
            << GbkToUtf8(line);
    }
}

TEST(BuiltInBanks, CarryTheLinesTheProgramReliesOn) {
    TextArray main = Split(BuiltInBank(), "\r\n"), custom = Split(BuiltInCustomBank(), "\r\n");
    EXPECT_EQ(main[0], G("据<不列颠百科全书>所载,迄今为止世界上最大的百科全书是?【永乐大典】"));
    EXPECT_EQ(custom[0], G("猫无论以什么姿势从空中落下,总是:【四脚先着地】"));
    auto has = [](const TextArray& lines, const char* utf8) {
        std::string line = G(utf8);
        return std::find(lines.begin(), lines.end(), line) != lines.end();
    };
    for (const char* line : {"泸定桥在我国哪个省境内?【四川】", "\"善提本无树,明镜亦非台,本来无一物,何处惹尘埃\"出自【明澈】"}) {
        EXPECT_TRUE(has(main, line)) << line;
        EXPECT_TRUE(has(custom, line)) << line;
    }
    for (const char* line : {"\"菩提本无树,明镜亦非台,本来无一物,何处惹尘埃\"出自【六祖坛经】", "螟蛉子可以婉指:【养子(义子)】",
                             "纳米(NM)作单位,1NM等于?【10的负9次方】", "\"WHO\"代表什么世界组织【世界卫生组织】",
                             "UFO的具体含义是:【不明飞行物】", "DNA分子的结构是:【双螺旋结构】",
                             "红军二万五千里长征开始于何年?【1934年10月】", "\"四羊方尊\"是哪个朝代的文物?【商】(正确)",
                             "\"有板有眼\"的\"板\"是我国传统音乐节奏中的:强拍】"}) {
        EXPECT_TRUE(has(main, line)) << line;
    }
}

TEST(BuiltInBanks, TheUsageExampleAndTellingSearchesFindTheirLines) {
    SearchList custom, main;
    custom.assign(Split(BuiltInCustomBank(), "\r\n"));
    main.assign(ImportBankText(BuiltInBank()));
    std::string tag(kCustomTag), luding = G("泸定桥在我国哪个省境内?【四川】"),
                shanti = G("\"善提本无树,明镜亦非台,本来无一物,何处惹尘埃\"出自【明澈】"),
                puti = G("\"菩提本无树,明镜亦非台,本来无一物,何处惹尘埃\"出自【六祖坛经】");
    using V = std::vector<std::string>;
    EXPECT_EQ(Lines(HitList(custom, main, G("泸定桥"))), (V{tag + luding, luding}));
    EXPECT_EQ(Lines(HitList(custom, main, "STBWS")), (V{tag + shanti, shanti}));
    EXPECT_EQ(Lines(HitList(custom, main, G("善提本无树"))), (V{tag + shanti, shanti}));
    EXPECT_EQ(Lines(HitList(custom, main, "PTBWS")), V{puti});
    EXPECT_EQ(Lines(HitList(custom, main, "ptbws")), V{puti});

    V nm = Lines(HitList(custom, main, "NM"));
    std::string nano = G("纳米(NM)作单位,1NM等于?【10的负9次方】");
    auto first = std::find(nm.begin(), nm.end(), nano);
    ASSERT_NE(first, nm.end());
    ASSERT_NE(first + 1, nm.end());
    EXPECT_EQ(first[1], nano) << "listed twice in a row: by its key and by its text";
    EXPECT_EQ(std::count(nm.begin(), nm.end(), nano), 2);
}

}  // namespace
