// Pinyin initials of GB2312 Chinese characters.
//
// The reading table covers the GB2312 Chinese area (first byte B0..F7, second
// byte A1..FE) and is looked up directly by row and column. Polyphonic
// characters list their customary reading first, and the key uses that one.
#pragma once

#include <string>
#include <string_view>

namespace wy {

// The initial consonant of reading n (1-based; 0 and below mean 1) of the
// character in the first two bytes of text, or the whole final for a reading
// without one, in lower case; "" when there is no such reading.
std::string PinyinOf(std::string_view text, int n);

// One upper-case letter per GB2312 Chinese character of the text: the first
// letter of its first reading. Every other character adds nothing.
std::string PinyinInitials(std::string_view text);
// Appends the key to out, in lower case when asked (for callers that build
// many keys into one buffer).
void AppendPinyinInitials(std::string& out, std::string_view text, bool lowerCase);

}  // namespace wy
