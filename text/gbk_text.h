// Operations on GBK texts (byte strings without NUL bytes).
//
// Positions and lengths count bytes, positions from 1. The scanning operations
// (FindText, ReplaceAll, ToUpper, ToLower, ToHalfWidth, RemoveAllSpaces, Split)
// walk a text by characters: a byte of 0x80 or above starts a two-byte
// character and takes the next byte with it, so a match never starts on the
// second byte of a Chinese character. A final byte of 0x80 or above with
// nothing after it is a "cut character"; each operation says what it does
// with one. Left, Mid, ReplaceAt and CharCode work on raw bytes.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "text/text_array.h"

namespace wy {

inline bool IsLeadByte(char c) { return static_cast<unsigned char>(c) >= 0x80; }
// Width of the character starting at byte i (2 for a lead byte, else 1).
inline std::size_t CharWidth(std::string_view t, std::size_t i) { return IsLeadByte(t[i]) ? 2 : 1; }

int Length(std::string_view t);
std::string Left(std::string_view t, int n);
std::string Mid(std::string_view t, int position, int n);
int CharCode(std::string_view t, int position);

// 1-based position of the first occurrence of s that starts on a character
// boundary, or -1. An empty s is found at 1 in any non-empty text.
int FindText(std::string_view t, std::string_view s);
// The first occurrence of s in t at or after from, at any byte (npos when
// absent): the raw search under FindAtBoundary, fast on long buffers.
std::size_t FindBytes(std::string_view t, std::string_view s, std::size_t from = 0);
// Byte offset form of FindText used by hot loops: npos when absent, s non-empty.
std::size_t FindAtBoundary(std::string_view t, std::string_view s, std::size_t from = 0);

std::string ReplaceAll(std::string_view t, std::string_view find, std::string_view replacement);
std::string ReplaceAt(std::string_view t, int position, int n, std::string_view replacement = {});

std::string ToUpper(std::string_view t);
std::string ToLower(std::string_view t);
// Folds the full-width ASCII row (A3A1..A3FE), the ideographic space, ～, ☆ and ★.
std::string ToHalfWidth(std::string_view t);
std::string RemoveAllSpaces(std::string_view t);
// Appends ToLower(ToHalfWidth(t)) to out in one pass: the form searches compare.
void AppendFoldedForSearch(std::string& out, std::string_view t);

TextArray Split(std::string_view t, std::string_view delimiter);

template <typename... Parts>
std::string Concat(const Parts&... parts) {
    std::string out;
    (out.append(std::string_view(parts)), ...);
    return out;
}

std::string NumberToText(std::int32_t i);
std::string ToHex(std::int32_t i);

// Milliseconds on a monotonic clock; seeds the generator and temporary names.
std::uint32_t TickCount();

// Per-thread 15-bit generator; seeding mixes the millisecond tick count with a
// program-wide counter so two seedings in the same millisecond still differ.
void SeedRandom();
int RandomNumber(int low, int high);

}  // namespace wy
