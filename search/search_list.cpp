#include "search/search_list.h"

#include <algorithm>
#include <exception>
#include <thread>

#include "search/pinyin.h"
#include "text/gbk_text.h"

namespace wy {

namespace {


// Lines in [first, end) of a whose text contains s at a character
// boundary, found by scanning the joined buffer and checking each
// candidate's line.
std::vector<std::size_t> Matches(const TextArray& a, std::string_view s, std::size_t first, std::size_t end) {
    std::vector<std::size_t> hits;
    if (s.empty()) {
        for (std::size_t i = first; i < end; ++i) {
            if (!a[i].empty()) hits.push_back(i);
        }
        return hits;
    }
    if (first >= end) return hits;
    std::string_view bytes = std::string_view(a.bytes()).substr(0, a.start(end));
    std::size_t line = first;
    for (std::size_t pos = a.start(first);;) {
        std::size_t candidate = FindBytes(bytes, s, pos);
        if (candidate == std::string_view::npos) break;
        // The line holding the candidate: the last one starting at or before
        // it. Candidates come in order, so gallop forward from the last line
        // found, then halve.
        std::size_t lo = line, step = 1, hi = line + 1;
        while (hi < end && a.start(hi) <= candidate) {
            lo = hi;
            step *= 2;
            hi = std::min(end, hi + step);
        }
        while (hi - lo > 1) {
            std::size_t mid = lo + (hi - lo) / 2;
            (a.start(mid) <= candidate ? lo : hi) = mid;
        }
        line = lo;
        // Usually the candidate itself is the line's match; otherwise (it runs
        // past the line's end or starts on a second byte) search the line.
        std::size_t lineStart = a.start(line), lineEnd = a.start(line + 1), k = candidate;
        while (k > lineStart && IsLeadByte(bytes[k - 1])) --k;
        bool matched = (candidate + s.size() <= lineEnd && (candidate - k) % 2 == 0) ||
                       FindAtBoundary(a[line], s) != std::string_view::npos;
        if (matched) hits.push_back(line);
        if (++line >= end) break;
        pos = a.start(line);
    }
    return hits;
}

// Runs `beside` on a second thread while `here` runs on this one, or both in
// turn on this one; an exception from either is passed on once both are done.
template <typename Beside, typename Here>
void RunTogether(bool parallel, Beside&& beside, Here&& here) {
    if (!parallel) {
        beside();
        here();
        return;
    }
    std::exception_ptr besideError;
    std::thread thread([&] {
        try {
            beside();
        } catch (...) {
            besideError = std::current_exception();
        }
    });
    try {
        here();
    } catch (...) {
        thread.join();
        throw;
    }
    thread.join();
    if (besideError) std::rethrow_exception(besideError);
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
    std::size_t before = size();
    try {
        lines_.addAll(lines);
        folded_.reserve(folded_.size() + lines.size(), folded_.bytes().size() + lines.bytes().size());
        keys_.reserve(keys_.size() + lines.size(), keys_.bytes().size() + lines.bytes().size() / 3);
        // A large bank is folded and keyed on two threads at once; the two
        // buffers are separate, so the threads share nothing but the lines.
        RunTogether(
            lines.size() >= 65536,
            [&] {
                for (std::string_view line : lines) {
                    keys_.addWritten([line](std::string& out) { AppendPinyinInitials(out, line, true); });
                }
            },
            [&] {
                for (std::string_view line : lines) {
                    folded_.addWritten([line](std::string& out) { AppendFoldedForSearch(out, line); });
                }
            });
    } catch (...) {
        // Out of memory part way: the list stays as it was, forms included.
        lines_.truncate(before);
        folded_.truncate(before);
        keys_.truncate(before);
        throw;
    }
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

void SearchList::addHits(TextArray& hits, std::string_view s, std::string_view tag, std::size_t first,
                         std::size_t end) const {
    // Keys hold only the letters a to z: a text with any other byte cannot match one.
    bool letters = std::all_of(s.begin(), s.end(), [](char c) { return c >= 'a' && c <= 'z'; });
    std::vector<std::size_t> byKey = letters ? Matches(keys_, s, first, end) : std::vector<std::size_t>{};
    std::vector<std::size_t> byText = Matches(folded_, s, first, end);
    std::size_t bytes = 0;
    for (std::size_t i : byKey) bytes += tag.size() + lines_[i].size();
    for (std::size_t i : byText) bytes += tag.size() + lines_[i].size();
    hits.reserve(hits.size() + byKey.size() + byText.size(), hits.bytes().size() + bytes);
    auto k = byKey.begin(), t = byText.begin();
    while (k != byKey.end() || t != byText.end()) {
        std::size_t next = std::min(k == byKey.end() ? end : *k, t == byText.end() ? end : *t);
        // A line that passes both tests is listed twice, the pinyin hit first.
        if (k != byKey.end() && *k == next) {
            hits.add(tag, lines_[next]);
            ++k;
        }
        if (t != byText.end() && *t == next) {
            hits.add(tag, lines_[next]);
            ++t;
        }
    }
}

TextArray HitList(const SearchList& custom, const SearchList& bank, std::string_view searchText) {
    TextArray hits;
    if (searchText.empty()) {
        hits = bank.lines();
        return hits;
    }
    std::string s = FoldForSearch(searchText);
    custom.addHits(hits, s, kCustomTag, 0, custom.size());
    // A large main bank is searched in two halves at once; the second half's
    // hits follow the first's, so the order is that of one pass.
    std::size_t half = bank.size() >= 65536 ? bank.size() / 2 : bank.size();
    TextArray later;
    RunTogether(
        half < bank.size(), [&] { bank.addHits(later, s, {}, half, bank.size()); },
        [&] { bank.addHits(hits, s, {}, 0, half); });
    hits.addAll(later);
    return hits;
}

}  // namespace wy
