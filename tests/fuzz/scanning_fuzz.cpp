// Checks every scanning operation against a reference that first cuts the
// text into a vector of characters and works on that vector.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bank/question_line.h"
#include "search/pinyin.h"
#include "search/search_list.h"
#include "text/gbk_text.h"

using namespace wy;

namespace {

using Chars = std::vector<std::string>;  // each element one character (a cut one has 1 byte)

Chars CharsOf(std::string_view t) {
    Chars out;
    for (std::size_t i = 0; i < t.size();) {
        std::size_t w = (static_cast<unsigned char>(t[i]) >= 0x80 && i + 1 < t.size()) ? 2 : 1;
        out.emplace_back(t.substr(i, w));
        i += w;
    }
    return out;
}

bool IsCut(const std::string& c) { return c.size() == 1 && static_cast<unsigned char>(c[0]) >= 0x80; }

int RefFind(std::string_view t, std::string_view s) {
    if (s.empty()) return t.empty() ? -1 : 1;
    std::size_t pos = 0;
    for (const auto& c : CharsOf(t)) {
        if (t.size() - pos >= s.size() && t.substr(pos, s.size()) == s) return static_cast<int>(pos + 1);
        pos += c.size();
    }
    return -1;
}

std::string RefReplaceAll(std::string_view t, std::string_view f, std::string_view r) {
    if (t.empty() || f.empty()) return std::string(t);
    std::string out;
    std::size_t pos = 0;
    while (pos < t.size()) {
        if (t.size() - pos < f.size()) return out + std::string(t.substr(pos));
        if (t.substr(pos, f.size()) == f) {
            out += r;
            pos += f.size();
            continue;
        }
        std::string c = CharsOf(t.substr(pos))[0];
        if (!IsCut(c)) out += c;
        pos += c.size();
    }
    return out;
}

std::string RefMap(std::string_view t, bool upper) {
    std::string out;
    for (auto c : CharsOf(t)) {
        if (c.size() == 1 && upper && c[0] >= 'a' && c[0] <= 'z') c[0] = static_cast<char>(c[0] - 32);
        if (c.size() == 1 && !upper && c[0] >= 'A' && c[0] <= 'Z') c[0] = static_cast<char>(c[0] + 32);
        out += c;
    }
    return out;
}

std::string RefHalfWidth(std::string_view t) {
    std::string out;
    for (const auto& c : CharsOf(t)) {
        if (IsCut(c)) continue;
        if (c.size() == 2) {
            unsigned char a = static_cast<unsigned char>(c[0]), b = static_cast<unsigned char>(c[1]);
            if (a == 0xA3 && b >= 0xA1 && b <= 0xFE) { out += static_cast<char>(b - 0x80); continue; }
            if (c == "\xA1\xA1") { out += ' '; continue; }
            if (c == "\xA1\xAB") { out += '~'; continue; }
            if (c == "\xA1\xEE" || c == "\xA1\xEF") { out += '*'; continue; }
        }
        out += c;
    }
    return out;
}

std::string RefRemoveSpaces(std::string_view t) {
    std::string out;
    for (const auto& c : CharsOf(t)) {
        if (!IsCut(c) && c != " " && c != "\xA1\xA1") out += c;
    }
    return out;
}

std::vector<std::string> RefSplit(std::string_view t, std::string_view d) {
    std::vector<std::string> out;
    if (t.empty()) return out;
    if (d.empty() || t.size() < d.size()) return {std::string(t)};
    // After a delimiter the walk starts again right behind it, even when the
    // delimiter ended inside a character.
    std::size_t pos = 0, pieceStart = 0;
    while (pos < t.size()) {
        std::string c = CharsOf(t.substr(pos))[0];
        if (IsCut(c) || t.size() - pos < d.size()) break;
        if (t.substr(pos, d.size()) == d) {
            out.emplace_back(t.substr(pieceStart, pos - pieceStart));
            pos = pieceStart = pos + d.size();
        } else {
            pos += c.size();
        }
    }
    if (pieceStart < t.size()) out.emplace_back(t.substr(pieceStart));
    return out;
}

std::string RefNormalize(std::string_view t) {
    static const char* const kFolds[][2] = {{"\xA3\xAC", ","}, {"\xA1\xA3", "."}, {"\xA3\xBF", "?"},
                                            {"\xA3\xBA", ":"}, {"\xA1\xB7", ">"}, {"\xA1\xB6", "<"},
                                            {"\xA1\xB0", "\""}, {"\xA1\xB1", "\""}};
    std::string s(t);
    for (const auto& f : kFolds) s = RefReplaceAll(s, f[0], f[1]);
    return RefMap(RefHalfWidth(RefRemoveSpaces(s)), true);
}

void Fail(const char* what) {
    std::fprintf(stderr, "mismatch: %s\n", what);
    std::abort();
}
#define CHECK(expr) ((expr) ? (void)0 : Fail(#expr))

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // The first byte chooses where the input splits into text and pattern.
    if (size == 0) return 0;
    std::string all(reinterpret_cast<const char*>(data) + 1, size - 1);
    for (char& c : all) if (c == '\0') c = '\r';  // texts hold no NUL
    std::size_t cut = all.empty() ? 0 : data[0] % (all.size() + 1);
    std::string t = all.substr(0, cut), s = all.substr(cut, 3);

    CHECK(FindText(t, s) == RefFind(t, s));
    CHECK(ReplaceAll(t, s, "#") == RefReplaceAll(t, s, "#"));
    CHECK(ToUpper(t) == RefMap(t, true));
    CHECK(ToLower(t) == RefMap(t, false));
    CHECK(ToHalfWidth(t) == RefHalfWidth(t));
    CHECK(RemoveAllSpaces(t) == RefRemoveSpaces(t));
    CHECK(Split(t, s).toVector() == RefSplit(t, s));
    CHECK(Split(t, "\r\n").toVector() == RefSplit(t, "\r\n"));
    CHECK(NormalizeQuestion(t) == RefNormalize(t));
    CHECK(FoldForSearch(t) == RefMap(RefHalfWidth(t), false));
    TextArray imported = ImportBankText(t);
    TextArray raw = Split(t, "\r\n");
    CHECK(imported.size() == raw.size());
    for (std::size_t i = 0; i < raw.size(); ++i) CHECK(imported[i] == NormalizeQuestion(ImportBankLine(raw[i])));
    std::string key = PinyinInitials(t);
    for (char c : key) CHECK(c >= 'A' && c <= 'Z');
    CHECK(key.size() <= t.size() / 2);
    return 0;
}
