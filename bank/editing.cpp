#include "bank/editing.h"

#include <algorithm>
#include <functional>

#include "text/gbk_text.h"

namespace wy {

namespace {

// Index of the line holding byte offset pos of lines.bytes(): the last line
// starting at or before pos (empty lines start where the next one does).
std::size_t LineAt(const TextArray& lines, std::size_t pos) {
    std::size_t low = 0, high = lines.size();  // lines.start(low) <= pos < lines.start(high)
    while (high - low > 1) {
        std::size_t mid = low + (high - low) / 2;
        if (lines.start(mid) <= pos) low = mid; else high = mid;
    }
    return low;
}

}  // namespace

std::optional<std::size_t> FirstLineContaining(const TextArray& lines, std::string_view text) {
    if (text.empty()) {
        for (std::size_t i = 0; i < lines.size(); ++i) {
            if (!lines[i].empty()) return i;
        }
        return std::nullopt;
    }
    // One pass of a fast byte search over the whole buffer finds candidates;
    // each is then checked against its own line, where it must lie whole and
    // the line must hold the text at a character boundary.
    std::string_view all = lines.bytes();
    std::boyer_moore_horspool_searcher searcher(text.begin(), text.end());
    std::size_t from = 0;
    while (from < all.size()) {
        auto hit = std::search(all.begin() + static_cast<std::ptrdiff_t>(from), all.end(), searcher);
        if (hit == all.end()) break;
        std::size_t pos = static_cast<std::size_t>(hit - all.begin());
        std::size_t i = LineAt(lines, pos);
        if (pos + text.size() <= lines.start(i + 1) &&
            FindAtBoundary(lines[i], text) != std::string_view::npos) {
            return i;
        }
        // Any later occurrence that starts in line i runs past its end too.
        from = lines.start(i + 1);
    }
    return std::nullopt;
}

bool IsNewQuestion(const TextArray& bank, std::string_view question) {
    return !FirstLineContaining(bank, question).has_value();
}

std::optional<std::size_t> LineToModify(const TextArray& bank, std::string_view searchBoxText,
                                        std::optional<std::string_view> selectedItem) {
    if (searchBoxText.empty() || !selectedItem || selectedItem->empty()) return std::nullopt;
    return FirstLineContaining(bank, *selectedItem);
}

std::optional<std::size_t> LineToDelete(const TextArray& bank, std::string_view searchBoxText,
                                        bool itemSelected) {
    if (!itemSelected || searchBoxText.empty()) return std::nullopt;
    return FirstLineContaining(bank, searchBoxText);
}

}  // namespace wy
