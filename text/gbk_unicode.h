// GBK <-> UTF-8 conversion, used only where a person or the OS sees a text:
// widgets, the terminal and file names. Stored texts stay GBK bytes.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace wy {

// Bytes that are not valid GBK become U+FFFD; this is for display only.
std::string GbkToUtf8(std::string_view gbk);

struct Utf8ToGbkResult {
    std::string text;              // the GBK bytes, valid when ok
    bool ok = true;
    char32_t unmappable = 0;       // the first character GBK cannot hold
    std::string unmappableUtf8;    // the same character, as UTF-8 (empty for broken UTF-8)
};
Utf8ToGbkResult Utf8ToGbk(std::string_view utf8);

// Lossy form for places that must produce some path or text: characters GBK
// cannot hold become '?'.
std::string Utf8ToGbkLossy(std::string_view utf8);

}  // namespace wy
