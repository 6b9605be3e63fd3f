// Input and output of wenyuan-cli: reading files and standard input, turning
// arguments into GBK texts, and writing GBK texts to the terminal.
#pragma once

#include <cstdio>
#include <stdexcept>
#include <string>
#include <string_view>

namespace wy::cli {

// A failure that ends the command: one line on stderr, exit status 2.
class CliError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The whole content of a file named as on the command line (the OS's own
// encoding), or "-" for standard input. Throws CliError naming the file and
// the reason when it cannot be opened or read.
std::string ReadInput(const std::string& path);

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
