// The lists a search runs over, with what the search compares cached.
//
// A search compares the lowered, half-width form of every line and of its
// pinyin key with the lowered search text. SearchList keeps both forms beside
// the lines and updates them with every change, so a search over a million
// lines is one pass over two buffers and gives exactly the result of
// computing every form afresh.
#pragma once

#include <string_view>
#include <vector>

#include "text/text_array.h"

namespace wy {

// "(自定义)": the tag in front of every hit from the custom bank.
inline constexpr std::string_view kCustomTag = "(\xD7\xD4\xB6\xA8\xD2\xE5)";

class SearchList {
public:
    const TextArray& lines() const { return lines_; }
    std::size_t size() const { return lines_.size(); }
    std::string_view operator[](std::size_t i) const { return lines_[i]; }

    void add(std::string_view line);
    void addAll(const TextArray& lines);
    void removeAt(std::size_t i);
    void replaceAt(std::size_t i, std::string_view line);
    void assign(const TextArray& lines);
    void clear();

    // Appends to hits, in line order, every line of [first, end) once if its
    // lowered pinyin key contains s and once more if its folded form
    // (ToLower(ToHalfWidth)) contains s at a character boundary, each with the
    // tag in front; s is folded already.
    void addHits(TextArray& hits, std::string_view s, std::string_view tag, std::size_t first,
                 std::size_t end) const;

private:
    TextArray lines_, folded_, keys_;
};

// The folded form a search compares: ToLower(ToHalfWidth(text)).
std::string FoldForSearch(std::string_view text);

// The items a search for the (normalised) text lists, in order: for every
// custom line and then every main line, the line once if its pinyin key
// contains the text and once more if the line itself does; custom hits carry
// kCustomTag. An empty text lists every main line and nothing else.
TextArray HitList(const SearchList& custom, const SearchList& bank, std::string_view searchText);

}  // namespace wy
