#include "search/answer.h"

#include "text/gbk_text.h"

namespace wy {

std::string ExtractBetween(std::string_view text, std::string_view open, std::string_view close) {
    std::string_view rest = text;
    if (!open.empty()) {
        std::size_t p = FindAtBoundary(text, open);
        if (p != std::string_view::npos) rest = text.substr(p + open.size());
    }
    if (close.empty()) return {};
    std::size_t q = FindAtBoundary(rest, close);
    if (q == std::string_view::npos) return {};
    return std::string(rest.substr(0, q));
}

}  // namespace wy
