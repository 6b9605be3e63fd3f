#include "text/gbk_text.h"

#include <algorithm>
#include <atomic>
#include <bit>
#include <chrono>
#include <cstring>

namespace wy {

namespace {

// The two-byte characters ToHalfWidth folds outside the full-width ASCII row.
char HalfWidthOf(unsigned char lead, unsigned char trail) {
    if (lead == 0xA3 && trail >= 0xA1 && trail <= 0xFE) return static_cast<char>(trail - 0x80);
    if (lead == 0xA1) {
        switch (trail) {
            case 0xA1: return ' ';
            case 0xAB: return '~';
            case 0xEE:
            case 0xEF: return '*';
        }
    }
    return 0;
}

std::string MapAscii(std::string_view t, char from, char to, int shift) {
    std::string out(t);
    for (std::size_t i = 0; i < out.size(); i += CharWidth(out, i)) {
        if (out[i] >= from && out[i] <= to) out[i] = static_cast<char>(out[i] + shift);
    }
    return out;
}

}  // namespace

int Length(std::string_view t) { return static_cast<int>(t.size()); }

std::string Left(std::string_view t, int n) {
    if (n <= 0) return {};
    return std::string(t.substr(0, static_cast<std::size_t>(n)));
}

std::string Mid(std::string_view t, int position, int n) {
    if (position < 1 || position > Length(t) || n < 1) return {};
    return std::string(t.substr(static_cast<std::size_t>(position - 1), static_cast<std::size_t>(n)));
}

int CharCode(std::string_view t, int position) {
    if (position < 1 || position > Length(t)) return 0;
    return static_cast<signed char>(t[static_cast<std::size_t>(position - 1)]);
}

std::size_t FindBytes(std::string_view t, std::string_view s, std::size_t from) {
    const std::size_t n = s.size();
    if (n < 2 || from >= t.size()) return t.find(s, from);
    // Sixteen positions at a time: a position is a candidate only when both
    // the first and the last byte of s stand there, which leaves few
    // candidates to compare in full, even for short texts of common letters.
    using Bytes16 = unsigned char __attribute__((vector_size(16)));
    Bytes16 first, last;
    for (int k = 0; k < 16; ++k) {
        first[k] = static_cast<unsigned char>(s.front());
        last[k] = static_cast<unsigned char>(s.back());
    }
    std::size_t i = from;
    for (; i + n - 1 + 16 <= t.size(); i += 16) {
        Bytes16 a, b;
        std::memcpy(&a, t.data() + i, 16);
        std::memcpy(&b, t.data() + i + n - 1, 16);
        auto both = (a == first) & (b == last);
        std::uint64_t half[2];
        std::memcpy(half, &both, 16);
        if ((half[0] | half[1]) == 0) continue;
        for (std::size_t h = 0; h < 2; ++h) {
            for (std::uint64_t bits = half[h]; bits != 0;) {
                int bit = std::countr_zero(bits);  // lanes are all ones or all zeros
                bits &= ~(std::uint64_t{0xFF} << bit);
                std::size_t at = i + 8 * h + static_cast<std::size_t>(bit) / 8, k = 1;
                while (k + 1 < n && t[at + k] == s[k]) ++k;  // first and last byte match already
                if (k + 1 >= n) return at;
            }
        }
    }
    return t.find(s, i);
}

std::size_t FindAtBoundary(std::string_view t, std::string_view s, std::size_t from) {
    // A byte below 0x80 always ends a character (a one-byte character or the
    // second byte of a pair), so the position after it is a boundary, and from
    // there every byte of 0x80 or above starts a pair with the next one. A
    // candidate is therefore a boundary when the run of such bytes right before
    // it, back to a known boundary, has even length. Looking back over that run
    // alone, instead of walking from the start, keeps long lines cheap.
    std::size_t boundary = from;  // a known boundary at or before every later candidate
    for (std::size_t pos = from;;) {
        std::size_t candidate = FindBytes(t, s, pos);
        if (candidate == std::string_view::npos) return candidate;
        std::size_t k = candidate;
        while (k > boundary && IsLeadByte(t[k - 1])) --k;
        if ((candidate - k) % 2 == 0) return candidate;
        boundary = candidate - 1;  // the candidate is the second byte of the pair starting there
        pos = candidate + 1;
    }
}

int FindText(std::string_view t, std::string_view s) {
    if (s.empty()) return t.empty() ? -1 : 1;
    std::size_t at = FindAtBoundary(t, s);
    return at == std::string_view::npos ? -1 : static_cast<int>(at + 1);
}

std::string ReplaceAll(std::string_view t, std::string_view find, std::string_view replacement) {
    if (t.empty() || find.empty()) return std::string(t);
    std::string out;
    out.reserve(t.size());
    std::size_t i = 0;
    while (i < t.size()) {
        if (t.size() - i < find.size()) {
            out.append(t.substr(i));
            break;
        }
        if (t.compare(i, find.size(), find) == 0) {
            out.append(replacement);
            i += find.size();
        } else if (IsLeadByte(t[i])) {
            if (i + 1 < t.size()) out.append(t.substr(i, 2));  // a cut character is dropped
            i += 2;
        } else {
            out.push_back(t[i++]);
        }
    }
    return out;
}

std::string ReplaceAt(std::string_view t, int position, int n, std::string_view replacement) {
    std::size_t start = static_cast<std::size_t>(std::clamp(position - 1, 0, Length(t)));
    std::size_t count = std::min(static_cast<std::size_t>(std::max(n, 0)), t.size() - start);
    std::string out(t);
    out.replace(start, count, replacement);
    return out;
}

std::string ToUpper(std::string_view t) { return MapAscii(t, 'a', 'z', -0x20); }
std::string ToLower(std::string_view t) { return MapAscii(t, 'A', 'Z', 0x20); }

std::string ToHalfWidth(std::string_view t) {
    std::string out;
    out.reserve(t.size());
    for (std::size_t i = 0; i < t.size();) {
        if (!IsLeadByte(t[i])) {
            out.push_back(t[i++]);
            continue;
        }
        if (i + 1 == t.size()) break;  // cut character: dropped
        char half = HalfWidthOf(static_cast<unsigned char>(t[i]), static_cast<unsigned char>(t[i + 1]));
        if (half) {
            out.push_back(half);
        } else {
            out.append(t.substr(i, 2));
        }
        i += 2;
    }
    return out;
}

void AppendFoldedForSearch(std::string& out, std::string_view t) {
    // Bytes that stay as they are are copied in runs; only upper-case letters
    // and the foldable two-byte characters (lead byte A1 or A3) are rewritten.
    std::size_t run = 0, i = 0;
    auto flushRun = [&] { out.append(t.data() + run, i - run); };
    while (i < t.size()) {
        auto c = static_cast<unsigned char>(t[i]);
        if (c < 0x80) {
            if (c >= 'A' && c <= 'Z') {
                flushRun();
                out.push_back(static_cast<char>(c + 0x20));
                run = i + 1;
            }
            ++i;
            continue;
        }
        if (i + 1 == t.size()) {  // cut character: dropped
            flushRun();
            run = i = t.size();
            break;
        }
        if (char half = (c == 0xA1 || c == 0xA3) ? HalfWidthOf(c, static_cast<unsigned char>(t[i + 1])) : 0) {
            flushRun();
            out.push_back(half >= 'A' && half <= 'Z' ? static_cast<char>(half + 0x20) : half);
            run = i + 2;
        }
        i += 2;
    }
    flushRun();
}

std::string RemoveAllSpaces(std::string_view t) {
    std::string out;
    out.reserve(t.size());
    for (std::size_t i = 0; i < t.size();) {
        if (!IsLeadByte(t[i])) {
            if (t[i] != ' ') out.push_back(t[i]);
            ++i;
            continue;
        }
        if (i + 1 == t.size()) break;  // cut character: dropped
        if (!(t[i] == '\xA1' && t[i + 1] == '\xA1')) out.append(t.substr(i, 2));
        i += 2;
    }
    return out;
}

TextArray Split(std::string_view t, std::string_view delimiter) {
    TextArray pieces;
    if (t.empty()) return pieces;
    if (delimiter.empty() || t.size() < delimiter.size()) {
        pieces.add(t);
        return pieces;
    }
    pieces.reserve(0, t.size());
    // Each piece starts on a character boundary, so FindAtBoundary from there
    // finds the next delimiter the character walk would find.
    std::size_t pieceStart = 0;
    for (;;) {
        std::size_t at = FindAtBoundary(t, delimiter, pieceStart);
        if (at == std::string_view::npos) break;
        if (at + 1 == t.size() && IsLeadByte(t[at])) break;  // a cut character ends the walk
        pieces.add(t.substr(pieceStart, at - pieceStart));
        pieceStart = at + delimiter.size();
    }
    if (pieceStart < t.size()) pieces.add(t.substr(pieceStart));
    return pieces;
}

std::string NumberToText(std::int32_t i) { return std::to_string(i); }

std::string ToHex(std::int32_t i) {
    static const char kDigits[] = "0123456789ABCDEF";
    std::uint32_t v = static_cast<std::uint32_t>(i);
    std::string out;
    do {
        out.insert(out.begin(), kDigits[v & 0xF]);
        v >>= 4;
    } while (v != 0);
    return out;
}

namespace {
thread_local std::uint32_t randomState = 1;
std::atomic<std::uint32_t> seedCounter{0};

int NextRandom() {
    randomState = randomState * 214013u + 2531011u;
    return static_cast<int>((randomState >> 16) & 0x7FFF);
}
}  // namespace

std::uint32_t TickCount() {
    auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now().time_since_epoch());
    return static_cast<std::uint32_t>(ms.count());
}

void SeedRandom() { randomState = TickCount() + seedCounter.fetch_add(1); }

int RandomNumber(int low, int high) {
    low = std::max(low, 0);
    high = std::max(high, 0);
    if (low > high) std::swap(low, high);
    if (low == high) return low;
    std::int64_t span = std::min<std::int64_t>(std::int64_t{high} - low, 2147483646);
    return static_cast<int>(low + NextRandom() % (span + 1));
}

}  // namespace wy
