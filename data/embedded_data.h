// Data files embedded in the program at build time, byte for byte.
#pragma once

#include <string_view>

namespace wy {

std::string_view BuiltInBank();        // data/main_bank.txt, GBK
std::string_view BuiltInCustomBank();  // data/custom_bank.txt, GBK
std::string_view PinyinData();         // data/pinyin.txt, UTF-8

}  // namespace wy
