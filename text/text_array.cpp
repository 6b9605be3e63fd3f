#include "text/text_array.h"

#include <algorithm>

namespace wy {

TextArray::TextArray(std::initializer_list<std::string_view> lines) {
    for (auto line : lines) add(line);
}

void TextArray::add(std::string_view line) {
    bytes_.append(line);
    starts_.push_back(bytes_.size());
}

void TextArray::add(std::string_view prefix, std::string_view rest) {
    bytes_.append(prefix).append(rest);
    starts_.push_back(bytes_.size());
}

void TextArray::addAll(const TextArray& other) {
    std::size_t base = bytes_.size();
    bytes_.append(other.bytes_);
    // Grow by at least half, so that many additions in a row stay linear.
    std::size_t needed = starts_.size() + other.size();
    if (starts_.capacity() < needed) starts_.reserve(std::max(needed, starts_.capacity() * 3 / 2));
    for (std::size_t i = 1; i < other.starts_.size(); ++i) starts_.push_back(base + other.starts_[i]);
}

void TextArray::removeAt(std::size_t i) {
    replaceAt(i, {});  // line i becomes empty, so its two offsets are equal
    starts_.erase(starts_.begin() + static_cast<std::ptrdiff_t>(i) + 1);
}

void TextArray::replaceAt(std::size_t i, std::string_view line) {
    std::size_t from = starts_[i], oldLength = starts_[i + 1] - from;
    bytes_.replace(from, oldLength, line);
    if (line.size() == oldLength) return;
    for (std::size_t k = i + 1; k < starts_.size(); ++k) starts_[k] = starts_[k] - oldLength + line.size();
}

void TextArray::truncate(std::size_t n) {
    if (n >= size()) return;
    bytes_.resize(starts_[n]);
    starts_.resize(n + 1);
}

void TextArray::clear() {
    bytes_.clear();
    bytes_.shrink_to_fit();
    starts_.assign(1, 0);
    starts_.shrink_to_fit();
}

void TextArray::reserve(std::size_t lines, std::size_t bytes) {
    // Grow by at least half, so that many reservations in a row stay linear.
    if (starts_.capacity() < lines + 1) starts_.reserve(std::max(lines + 1, starts_.capacity() * 3 / 2));
    if (bytes_.capacity() < bytes) bytes_.reserve(std::max(bytes, bytes_.capacity() * 3 / 2));
}

std::vector<std::string> TextArray::toVector() const { return {begin(), end()}; }

}  // namespace wy
