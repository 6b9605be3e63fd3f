#include "search/search_list.h"

#include <algorithm>
#include <thread>

#include "search/pinyin.h"
#include "text/gbk_text.h"

namespace wy {

namespace {


// Lines of a whose text contains s at a character boundary, found by
// scanning the joined buffer once and checking each candidate's line.
std::vector<std::size_t> Matches(const TextArray& a, std::string_view s) {
    std::vector<std::size_t> hits;
    if (s.empty()) {
        for (std::size_t i = 0; i < a.size(); ++i) {
            if (!a[i].empty()) hits.push_back(i);
        }
        return hits;
    }
    std::string_view bytes = a.bytes();
    std::size_t line = 0;
    for (std::size_t pos = 0;;) {
        std::size_t candidate = bytes.find(s, pos);
        if (candidate == std::string_view::npos) break;
        // The line holding the candidate: the last one starting at or before it.
        std::size_t lo = line, hi = a.size();
        while (hi - lo > 1) {
            std::size_t mid = lo + (hi - lo) / 2;
            (a.start(mid) <= candidate ? lo : hi) = mid;
        }
        line = lo;
        if (FindAtBoundary(a[line], s) != std::string_view::npos) hits.push_back(line);
        if (line + 1 >= a.size()) break;
        pos = a.start(line + 1);
        ++line;
    }
    return hits;
}

}  // namespace

std::string FoldForSearch(std::string_view text) {
    std::string folded;
    AppendFoldedForSearch(folded, text);
    return folded;
}

void SearchList::add(std::string_view line) {
    lines_.add(line);
    folded_.addWritten([line](std::string& out) { AppendFoldedForSearch(out, line); });
    keys_.addWritten([line](std::string& out) { AppendPinyinInitials(out, line, true); });
}

void SearchList::addAll(const TextArray& lines) {
    lines_.addAll(lines);
    folded_.reserve(folded_.size() + lines.size(), folded_.bytes().size() + lines.bytes().size());
    keys_.reserve(keys_.size() + lines.size(), keys_.bytes().size() + lines.bytes().size() / 3);
    auto addKeys = [this, &lines] {
        for (std::string_view line : lines) keys_.addWritten([line](std::string& out) { AppendPinyinInitials(out, line, true); });
    };
    // A large bank is folded and keyed on two threads at once; the two
    // buffers are separate, so the threads share nothing but the lines.
    std::thread keyer;
    if (lines.size() >= 65536) {
        keyer = std::thread(addKeys);
    } else {
        addKeys();
    }
    for (std::string_view line : lines) folded_.addWritten([line](std::string& out) { AppendFoldedForSearch(out, line); });
    if (keyer.joinable()) keyer.join();
}

void SearchList::removeAt(std::size_t i) {
    lines_.removeAt(i);
    folded_.removeAt(i);
    keys_.removeAt(i);
}

void SearchList::replaceAt(std::size_t i, std::string_view line) {
    lines_.replaceAt(i, line);
    folded_.replaceAt(i, FoldForSearch(line));
    std::string key;
    AppendPinyinInitials(key, line, true);
    keys_.replaceAt(i, key);
}

void SearchList::assign(const TextArray& lines) {
    clear();
    addAll(lines);
}

void SearchList::clear() {
    lines_.clear();
    folded_.clear();
    keys_.clear();
}

std::vector<std::size_t> SearchList::textMatches(std::string_view s) const { return Matches(folded_, s); }

std::vector<std::size_t> SearchList::keyMatches(std::string_view s) const {
    // Keys hold only the letters a to z: any other byte cannot match.
    bool letters = std::all_of(s.begin(), s.end(), [](char c) { return c >= 'a' && c <= 'z'; });
    return letters ? Matches(keys_, s) : std::vector<std::size_t>{};
}

TextArray HitList(const SearchList& custom, const SearchList& bank, std::string_view searchText) {
    TextArray hits;
    if (searchText.empty()) {
        hits = bank.lines();
        return hits;
    }
    std::string s = FoldForSearch(searchText);
    auto addHits = [&](const SearchList& list, std::string_view tag) {
        std::vector<std::size_t> byKey = list.keyMatches(s), byText = list.textMatches(s);
        auto k = byKey.begin(), t = byText.begin();
        while (k != byKey.end() || t != byText.end()) {
            std::size_t next = std::min(k == byKey.end() ? list.size() : *k, t == byText.end() ? list.size() : *t);
            std::string_view line = list[next];
            // A line that passes both tests is listed twice, the pinyin hit first.
            if (k != byKey.end() && *k == next) {
                hits.add(tag, line);
                ++k;
            }
            if (t != byText.end() && *t == next) {
                hits.add(tag, line);
                ++t;
            }
        }
    };
    addHits(custom, kCustomTag);
    addHits(bank, {});
    return hits;
}

}  // namespace wy
