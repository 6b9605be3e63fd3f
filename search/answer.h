// The answer part of a bank line: the text between the answer markers.
//
// ShowAnswer puts ExtractBetween(item, kOpenMarker, kCloseMarker) into the
// caption after "答案:"; the terminal front end prints the same text.
#pragma once

#include <string>
#include <string_view>

namespace wy {

// The text between the first `open` and the first `close` after it, both found
// at character boundaries (so the bytes of 【 that straddle two characters are
// not a marker):
//   open ... close ...   -> the text between them; the rest is ignored
//   open close           -> ""
//   open, no close after -> ""
//   no open              -> the text before the first close, or "" without one
//   ""                   -> ""
std::string ExtractBetween(std::string_view text, std::string_view open, std::string_view close);

}  // namespace wy
