#include "search/web_address.h"

#include <gtest/gtest.h>

#include "support/gbk.h"

using namespace wy;

namespace {

TEST(WebSearchAddress, EncodesEveryByteInUpperCaseHex) {
    struct Case {
        std::string text, query;
    } cases[] = {
        {G("四川"), "%CB%C4%B4%A8"},
        {"ABC", "%41%42%43"},
        {"\t", "%09"},
        {"a b&c=%", "%61%20%62%26%63%3D%25"},
        {"\xFF\x80\x01", "%FF%80%01"},
        {"", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(WebSearchAddress("search.example", c.text), "search.example/baidu?word=" + c.query);
    }
}

}  // namespace
