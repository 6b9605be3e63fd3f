#include "search/search_list.h"

#include <gtest/gtest.h>

#include "bank/question_line.h"
#include "search/pinyin.h"
#include "support/gbk.h"
#include "text/gbk_text.h"

using namespace wy;

namespace {

// The hit list computed the plain way: every form afresh, line by line.
std::vector<std::string> ReferenceHits(const TextArray& custom, const TextArray& bank, std::string_view text) {
    std::vector<std::string> hits;
    if (text.empty()) return bank.toVector();
    std::string s = ToLower(ToHalfWidth(text));
    auto scan = [&](const TextArray& lines, const std::string& tag) {
        for (std::string_view line : lines) {
            if (FindText(ToLower(ToHalfWidth(PinyinInitials(line))), s) != -1) hits.push_back(tag + std::string(line));
            if (FindText(ToLower(ToHalfWidth(line)), s) != -1) hits.push_back(tag + std::string(line));
        }
    };
    scan(custom, std::string(kCustomTag));
    scan(bank, "");
    return hits;
}

TextArray Bank(std::initializer_list<const char*> utf8) {
    TextArray lines;
    for (const char* line : utf8) lines.add(G(line));
    return lines;
}

SearchList Listed(const TextArray& lines) {
    SearchList list;
    list.assign(lines);
    return list;
}

const TextArray kMain = Bank({
    "据<不列颠百科全书>所载,迄今为止世界上最大的百科全书是?【永乐大典】",
    "泸定桥在我国哪个省境内?【四川】",
    "\"善提本无树,明镜亦非台,本来无一物,何处惹尘埃\"出自【明澈】",
    "\"菩提本无树,明镜亦非台,本来无一物,何处惹尘埃\"出自【六祖坛经】",
    "纳米(NM)作单位,1NM等于?【10的负9次方】",
    "\"四羊方尊\"是哪个朝代的文物?【商】(正确)",
    "",
    "省境",
});
const TextArray kCustom = Bank({
    "猫无论以什么姿势从空中落下,总是:【四脚先着地】",
    "泸定桥在我国哪个省境内?【四川】",
    "\"善提本无树,明镜亦非台,本来无一物,何处惹尘埃\"出自【明澈】",
    "custom line with lower case and 。",
});

TEST(HitList, ListsCustomHitsFirstTaggedAndPinyinBeforeText) {
    SearchList custom = Listed(kCustom), bank = Listed(kMain);
    std::string tag(kCustomTag);
    struct Case {
        const char* search;
        std::vector<std::string> expected;
    } cases[] = {
        {"泸定桥", {tag + std::string(kCustom[1]), std::string(kMain[1])}},
        {"STBWS", {tag + std::string(kCustom[2]), std::string(kMain[2])}},
        {"PTBWS", {std::string(kMain[3])}},
        {"ptbws", {std::string(kMain[3])}},
        {"ｐｔｂｗｓ", {std::string(kMain[3])}},
        {"NM", {std::string(kMain[4]), std::string(kMain[4])}},
        {"没有这一句", {}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Lines(HitList(custom, bank, G(c.search))), c.expected) << c.search;
    }
}

TEST(HitList, MatchesOnlyAtCharacterBoundaries) {
    // The bytes of 【 (A1 BE) stand across 省境 (CA A1 BE B3).
    SearchList bank = Listed(Bank({"省境", "A省境"}));
    EXPECT_TRUE(HitList({}, bank, G("【")).empty());
    EXPECT_EQ(HitList({}, bank, G("境")).size(), 2u);
}

TEST(HitList, EmptyTextListsTheWholeMainBankOnly) {
    EXPECT_EQ(Lines(HitList(Listed(kCustom), Listed(kMain), "")), kMain.toVector());
}

TEST(HitList, AgreesWithThePlainComputation) {
    SearchList custom = Listed(kCustom), bank = Listed(kMain);
    for (const char* text : {"A", "a", "1", "S", "SJ", "?", "\"", "【四川】", "省", "境", "E", "CUSTOM", ".", "。"}) {
        std::string s = G(text);
        EXPECT_EQ(Lines(HitList(custom, bank, s)), ReferenceHits(kCustom, kMain, s)) << text;
    }
}

TEST(SearchList, StaysTrueThroughEveryChange) {
    SearchList list = Listed(kMain);
    TextArray mirror = kMain;
    auto check = [&](const char* step) {
        SearchList fresh = Listed(mirror);
        for (const char* text : {"SJ", "STBWS", "四川", "NM", "E"}) {
            std::string s = G(text);
            EXPECT_EQ(Lines(HitList({}, list, s)), Lines(HitList({}, fresh, s))) << step << " " << text;
        }
    };
    list.add(G("四川的省会是?【成都】"));
    mirror.add(G("四川的省会是?【成都】"));
    check("add");
    list.removeAt(1);
    mirror.removeAt(1);
    check("remove");
    list.replaceAt(0, G("NM四川"));
    mirror.replaceAt(0, G("NM四川"));
    check("replace");
    list.addAll(kCustom);
    mirror.addAll(kCustom);
    check("addAll");
    list.clear();
    mirror.clear();
    check("clear");
}

}  // namespace
