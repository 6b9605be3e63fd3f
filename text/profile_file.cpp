#include "text/profile_file.h"

#include "text/files.h"
#include "text/gbk_text.h"

namespace wy {

namespace {

constexpr std::size_t kNone = std::string::npos;

std::string_view Trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

bool SameName(std::string_view a, std::string_view b) { return ToLower(Trim(a)) == ToLower(Trim(b)); }

// The name of a "[name]" line, or nothing.
bool SectionName(std::string_view line, std::string_view& name) {
    line = Trim(line);
    if (line.empty() || line.front() != '[') return false;
    std::size_t close = line.find(']');
    name = line.substr(1, close == kNone ? kNone : close - 1);
    return true;
}

// Splits a "key=value" line; false for lines without '=' and comments.
bool KeyAndValue(std::string_view line, std::string_view& key, std::string_view& value) {
    std::string_view trimmed = Trim(line);
    if (trimmed.empty() || trimmed.front() == ';') return false;
    std::size_t eq = FindAtBoundary(line, "=");
    if (eq == kNone) return false;
    key = Trim(line.substr(0, eq));
    value = Trim(line.substr(eq + 1));
    return true;
}

}  // namespace

ProfileFile ProfileFile::Load(std::string_view path) {
    ProfileFile profile;
    std::string text = ReadWholeFile(path).value_or("");
    std::size_t from = 0;
    while (from < text.size()) {
        std::size_t end = text.find('\n', from);
        std::string line = text.substr(from, end == kNone ? kNone : end - from);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        profile.lines_.push_back(std::move(line));
        if (end == kNone) break;
        from = end + 1;
    }
    return profile;
}

ProfileFile::Place ProfileFile::find(std::string_view section, std::string_view key) const {
    Place place{kNone, kNone, kNone};
    bool inSection = false;
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        std::string_view name, k, v;
        if (SectionName(lines_[i], name)) {
            if (inSection) break;  // the wanted section ended
            inSection = SameName(name, section);
            if (inSection) place.sectionLine = place.insertAt = i;
        } else if (inSection && KeyAndValue(lines_[i], k, v)) {
            place.insertAt = i;
            if (place.keyLine == kNone && SameName(k, key)) place.keyLine = i;
        } else if (inSection && !Trim(lines_[i]).empty()) {
            place.insertAt = i;
        }
    }
    return place;
}

std::string ProfileFile::value(std::string_view section, std::string_view key) const {
    Place place = find(section, key);
    if (place.keyLine == kNone) return {};
    std::string_view k, v;
    KeyAndValue(lines_[place.keyLine], k, v);
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front()) {
        v = v.substr(1, v.size() - 2);
    }
    return std::string(v);
}

void ProfileFile::setValue(std::string_view section, std::string_view key, std::string_view value) {
    std::string line = Concat(key, "=", value);
    Place place = find(section, key);
    if (place.keyLine != kNone) {
        lines_[place.keyLine] = line;
    } else if (place.sectionLine != kNone) {
        lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(place.insertAt) + 1, line);
    } else {
        if (!lines_.empty() && !Trim(lines_.back()).empty()) lines_.emplace_back();
        lines_.push_back(Concat("[", section, "]"));
        lines_.push_back(line);
    }
}

std::string ProfileFile::text() const {
    std::string out;
    for (const auto& line : lines_) out += line + "\r\n";
    return out;
}

bool ProfileFile::save(std::string_view path) const { return WriteWholeFile(path, text()); }

}  // namespace wy
