// Test helpers: source files are UTF-8, the program's texts are GBK.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "text/gbk_unicode.h"
#include "text/text_array.h"

// The GBK bytes of a UTF-8 literal.
inline std::string G(std::string_view utf8) { return wy::Utf8ToGbk(utf8).text; }

inline std::vector<std::string> Lines(const wy::TextArray& a) { return a.toVector(); }
