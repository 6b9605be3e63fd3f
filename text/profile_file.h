// A profile (ini) file: "[section]" lines and "key=value" lines, GBK text with
// CR LF line ends. Section and key names compare without regard to ASCII case;
// a value in matching quotes is read without them. Lines it does not
// understand (comments, blank lines) are kept as they are when the file is
// written back.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace wy {

class ProfileFile {
public:
    // A missing or unreadable file loads as an empty profile.
    static ProfileFile Load(std::string_view path);

    // The stored value, or "" when the section or the key is missing.
    std::string value(std::string_view section, std::string_view key) const;
    // Replaces the key's value, adding the key and the section as needed.
    void setValue(std::string_view section, std::string_view key, std::string_view value);
    // Writes the whole file at once; false when it cannot be written.
    bool save(std::string_view path) const;

    std::string text() const;

private:
    struct Place {
        std::size_t sectionLine;  // index of the "[section]" line, or npos
        std::size_t keyLine;      // index of the key line, or npos
        std::size_t insertAt;     // where a new key of the section goes
    };
    Place find(std::string_view section, std::string_view key) const;

    std::vector<std::string> lines_;
};

}  // namespace wy
