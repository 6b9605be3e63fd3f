#include "text/gbk_unicode.h"

#include <array>
#include <cstdint>
#include <memory>

namespace wy {

namespace {

#include "text/cp936_table.inc"

constexpr int kTrailCount = 191;  // trail bytes 0x40..0xFE

char16_t DecodePair(unsigned char lead, unsigned char trail) {
    if (lead < 0x81 || lead > 0xFE || trail < 0x40 || trail > 0xFE) return 0;
    return kCp936ToUnicode[(lead - 0x81) * kTrailCount + (trail - 0x40)];
}

// Reverse table, built once: UTF-16 unit -> GBK pair (0 = none).
const std::array<std::uint16_t, 0x10000>& EncodeTable() {
    static const auto table = [] {
        auto t = std::make_unique<std::array<std::uint16_t, 0x10000>>();
        t->fill(0);
        for (int lead = 0x81; lead <= 0xFE; ++lead) {
            for (int trail = 0x40; trail <= 0xFE; ++trail) {
                char16_t u = DecodePair(static_cast<unsigned char>(lead), static_cast<unsigned char>(trail));
                if (u != 0 && (*t)[u] == 0) (*t)[u] = static_cast<std::uint16_t>(lead << 8 | trail);
            }
        }
        return t;
    }();
    return *table;
}

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (c >> 6)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (c >> 12)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (c >> 18)));
        out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

constexpr char32_t kBroken = 0xFFFFFFFF;

// Decodes one UTF-8 character at i and moves i past it; a broken sequence
// gives kBroken and moves one byte on.
char32_t NextUtf8(std::string_view s, std::size_t& i) {
    unsigned char b = static_cast<unsigned char>(s[i]);
    if (b < 0x80) {
        ++i;
        return b;
    }
    std::size_t extra = (b >> 5) == 6 ? 1 : (b >> 4) == 14 ? 2 : (b >> 3) == 30 ? 3 : 0;
    if (extra == 0 || i + extra >= s.size()) {
        ++i;
        return kBroken;
    }
    char32_t c = b & (0x3F >> extra);
    for (std::size_t k = 1; k <= extra; ++k) {
        unsigned char cont = static_cast<unsigned char>(s[i + k]);
        if ((cont & 0xC0) != 0x80) {
            ++i;
            return kBroken;
        }
        c = c << 6 | (cont & 0x3F);
    }
    i += extra + 1;
    return c;
}

}  // namespace

std::string GbkToUtf8(std::string_view gbk) {
    std::string out;
    out.reserve(gbk.size() * 3 / 2);
    for (std::size_t i = 0; i < gbk.size();) {
        unsigned char b = static_cast<unsigned char>(gbk[i]);
        if (b < 0x80) {
            out.push_back(static_cast<char>(b));
            ++i;
            continue;
        }
        char16_t u = i + 1 < gbk.size() ? DecodePair(b, static_cast<unsigned char>(gbk[i + 1])) : 0;
        if (u != 0) {
            AppendUtf8(out, u);
            i += 2;
        } else {
            AppendUtf8(out, 0xFFFD);
            // Keep an ASCII byte after a broken lead byte visible as itself.
            i += (i + 1 < gbk.size() && static_cast<unsigned char>(gbk[i + 1]) >= 0x80) ? 2 : 1;
        }
    }
    return out;
}

Utf8ToGbkResult Utf8ToGbk(std::string_view utf8) {
    Utf8ToGbkResult r;
    r.text.reserve(utf8.size());
    const auto& table = EncodeTable();
    for (std::size_t i = 0; i < utf8.size();) {
        std::size_t start = i;
        char32_t c = NextUtf8(utf8, i);
        if (c < 0x80) {
            r.text.push_back(static_cast<char>(c));
            continue;
        }
        std::uint16_t pair = c < 0x10000 ? table[c] : 0;
        if (pair == 0) {
            r.ok = false;
            r.unmappable = c == kBroken ? 0xFFFD : c;
            if (c != kBroken) r.unmappableUtf8 = std::string(utf8.substr(start, i - start));
            return r;
        }
        r.text.push_back(static_cast<char>(pair >> 8));
        r.text.push_back(static_cast<char>(pair & 0xFF));
    }
    return r;
}

std::string Utf8ToGbkLossy(std::string_view utf8) {
    std::string out;
    const auto& table = EncodeTable();
    for (std::size_t i = 0; i < utf8.size();) {
        char32_t c = NextUtf8(utf8, i);
        std::uint16_t pair = c < 0x80 ? 0 : c < 0x10000 ? table[c] : 0;
        if (c < 0x80) {
            out.push_back(static_cast<char>(c));
        } else if (pair == 0) {
            out.push_back('?');
        } else {
            out.push_back(static_cast<char>(pair >> 8));
            out.push_back(static_cast<char>(pair & 0xFF));
        }
    }
    return out;
}

}  // namespace wy
