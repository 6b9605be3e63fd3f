// TextArray: an ordered list of GBK texts stored in one buffer.
//
// Banks can hold millions of lines; keeping them in one contiguous buffer with
// an offset table costs a fraction of the memory of one heap string per line
// and lets scans run over memory that is laid out in order.
#pragma once

#include <cstddef>
#include <initializer_list>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

namespace wy {

class TextArray {
public:
    TextArray() = default;
    TextArray(std::initializer_list<std::string_view> lines);

    std::size_t size() const { return starts_.size() - 1; }
    bool empty() const { return size() == 0; }
    std::string_view operator[](std::size_t i) const {
        return {bytes_.data() + starts_[i], starts_[i + 1] - starts_[i]};
    }
    // Offset of line i within bytes(); start(size()) is the total length.
    std::size_t start(std::size_t i) const { return starts_[i]; }
    // Every line joined without separators.
    const std::string& bytes() const { return bytes_; }

    void add(std::string_view line);
    // Adds one line made of two parts, without building it first.
    void add(std::string_view prefix, std::string_view rest);
    // Adds one line that `write` appends to the buffer it is given, so a line
    // can be built in place without a temporary string.
    template <typename Write>
    void addWritten(Write&& write) {
        write(bytes_);
        starts_.push_back(bytes_.size());
    }
    void addAll(const TextArray& other);
    void removeAt(std::size_t i);
    void replaceAt(std::size_t i, std::string_view line);
    void clear();
    // Keeps the first n lines.
    void truncate(std::size_t n);
    void reserve(std::size_t lines, std::size_t bytes);

    std::vector<std::string> toVector() const;

    friend bool operator==(const TextArray& a, const TextArray& b) {
        return a.bytes_ == b.bytes_ && a.starts_ == b.starts_;
    }

    class const_iterator {
    public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = std::string_view;
        using difference_type = std::ptrdiff_t;
        using pointer = void;
        using reference = std::string_view;
        const_iterator() = default;
        const_iterator(const TextArray* a, std::size_t i) : a_(a), i_(i) {}
        std::string_view operator*() const { return (*a_)[i_]; }
        const_iterator& operator++() { ++i_; return *this; }
        const_iterator operator++(int) { auto t = *this; ++i_; return t; }
        bool operator==(const const_iterator& o) const { return i_ == o.i_; }
    private:
        const TextArray* a_ = nullptr;
        std::size_t i_ = 0;
    };
    const_iterator begin() const { return {this, 0}; }
    const_iterator end() const { return {this, size()}; }

private:
    std::string bytes_;
    std::vector<std::size_t> starts_{0};
};

}  // namespace wy
