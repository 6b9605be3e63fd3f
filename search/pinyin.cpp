#include "search/pinyin.h"

#include <array>
#include <cstdlib>
#include <vector>

#include "data/embedded_data.h"
#include "text/gbk_text.h"

namespace wy {

namespace {

constexpr int kRows = 72, kColumns = 94;

struct PinyinTable {
    std::array<std::vector<std::string>, kRows * kColumns> readings;
    std::array<char, kRows * kColumns> initial{};  // upper-case letter of the first reading, or 0
};

// Parses the embedded table: one line per code point, "B0A1 啊 a", readings
// after the character; a code point with no character is its hex alone.
const PinyinTable& Table() {
    static const PinyinTable* table = [] {
        auto* t = new PinyinTable();
        std::string_view data = PinyinData();
        while (!data.empty()) {
            std::size_t end = data.find('\n');
            std::string_view line = data.substr(0, end);
            data.remove_prefix(end == std::string_view::npos ? data.size() : end + 1);
            if (line.size() < 4) continue;
            unsigned long code = std::strtoul(std::string(line.substr(0, 4)).c_str(), nullptr, 16);
            int row = static_cast<int>(code >> 8) - 0xB0, column = static_cast<int>(code & 0xFF) - 0xA1;
            if (row < 0 || row >= kRows || column < 0 || column >= kColumns) continue;
            auto& readings = t->readings[static_cast<std::size_t>(row * kColumns + column)];
            std::size_t from = line.find(' ', 5);  // skip the hex and the character
            while (from != std::string_view::npos) {
                std::size_t next = line.find(' ', from + 1);
                std::string_view reading = line.substr(from + 1, next == std::string_view::npos ? next : next - from - 1);
                if (!reading.empty()) readings.emplace_back(reading);
                from = next;
            }
            if (!readings.empty()) {
                t->initial[static_cast<std::size_t>(row * kColumns + column)] =
                    static_cast<char>(readings[0][0] - 'a' + 'A');
            }
        }
        return t;
    }();
    return *table;
}

int Index(unsigned char b1, unsigned char b2) {
    if (b1 < 0xB0 || b1 > 0xF7 || b2 < 0xA1 || b2 > 0xFE) return -1;
    return (b1 - 0xB0) * kColumns + (b2 - 0xA1);
}

std::string InitialOf(const std::string& reading) {
    if (reading.size() >= 2 && reading[1] == 'h' && (reading[0] == 'z' || reading[0] == 'c' || reading[0] == 's')) {
        return reading.substr(0, 2);
    }
    if (std::string_view("bpmfdtnlgkhjqxrzcsyw").find(reading[0]) != std::string_view::npos) {
        return reading.substr(0, 1);
    }
    return reading;  // no initial consonant: the whole final
}

}  // namespace

std::string PinyinOf(std::string_view text, int n) {
    if (text.size() < 2) return {};
    int index = Index(static_cast<unsigned char>(text[0]), static_cast<unsigned char>(text[1]));
    if (index < 0) return {};
    const auto& readings = Table().readings[static_cast<std::size_t>(index)];
    std::size_t k = n - 1 < 0 ? 0 : static_cast<std::size_t>(n - 1);
    if (k >= readings.size()) return {};
    return InitialOf(readings[k]);
}

void AppendPinyinInitials(std::string& out, std::string_view text, bool lowerCase) {
    const auto& initial = Table().initial;
    const char shift = lowerCase ? 'a' - 'A' : 0;
    for (std::size_t p = 0; p + 1 < text.size();) {
        if (!IsLeadByte(text[p])) {
            ++p;
            continue;
        }
        int index = Index(static_cast<unsigned char>(text[p]), static_cast<unsigned char>(text[p + 1]));
        if (index >= 0 && initial[static_cast<std::size_t>(index)]) {
            out.push_back(static_cast<char>(initial[static_cast<std::size_t>(index)] + shift));
        }
        p += 2;
    }
}

std::string PinyinInitials(std::string_view text) {
    std::string key;
    AppendPinyinInitials(key, text, false);
    return key;
}

}  // namespace wy
