// Input and output of wenyuan-cli: reading files and standard input, turning
// arguments into GBK texts, and writing GBK texts to the terminal.
#pragma once

#include <cstdio>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace wy::cli {

// A failure that ends the command: one line on stderr, exit status 2.
class CliError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Reads a GBK text file a piece at a time, so that a large bank never has to
// be held whole: each piece is a run of whole lines, each followed by CR LF,
// except that the last piece may end without one. The pieces, split at CR LF
// one by one, give exactly the lines that splitting the whole text gives. As
// when the program reads a file, the text ends before the first 0x00 or 0x1A
// byte that starts a character.
class TextReader {
public:
    // path is as given on the command line (the OS's own encoding); "-" is
    // standard input. Throws CliError naming the file and the reason.
    explicit TextReader(const std::string& path, std::size_t chunkSize = 1 << 20);
    TextReader(const TextReader&) = delete;
    TextReader& operator=(const TextReader&) = delete;
    ~TextReader();
    // The next piece, or nullopt at the end. Throws CliError on a read error.
    std::optional<std::string> next();

private:
    std::FILE* file_ = nullptr;
    bool ownsFile_ = false;
    bool ended_ = false;
    std::size_t chunkSize_;
    std::string name_;
    std::string buffer_;
};

// An argument as a GBK text: raw bytes with --gbk, otherwise converted from
// UTF-8; a character GBK cannot hold is an error naming it.
std::string ArgumentText(std::string_view argument, bool gbk, std::string_view what);

// Writes lines to standard output, each followed by "\n": GBK bytes as they
// are with --gbk, otherwise converted to UTF-8. Output is gathered into large
// writes.
class LineWriter {
public:
    explicit LineWriter(bool gbk) : gbk_(gbk) {}
    ~LineWriter();
    void line(std::string_view gbkText);
    void line(std::string_view a, std::string_view b);
    // Raw bytes, unconverted (bank files).
    void bytes(std::string_view raw);
    // Writes what is gathered; throws CliError when standard output fails.
    void finish();

private:
    void drain(bool all);
    bool gbk_;
    std::string buffer_;
};

}  // namespace wy::cli
