#include "data/embedded_data.h"

#include <cstddef>

extern const char kMainBank[];
extern const std::size_t kMainBankSize;
extern const char kCustomBank[];
extern const std::size_t kCustomBankSize;
extern const char kPinyinData[];
extern const std::size_t kPinyinDataSize;

namespace wy {

std::string_view BuiltInBank() { return {kMainBank, kMainBankSize}; }
std::string_view BuiltInCustomBank() { return {kCustomBank, kCustomBankSize}; }
std::string_view PinyinData() { return {kPinyinData, kPinyinDataSize}; }

}  // namespace wy
