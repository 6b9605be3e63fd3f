#include "cli/cli_io.h"

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "text/gbk_text.h"
#include "text/gbk_unicode.h"

namespace wy::cli {

namespace {

std::string ReadStream(std::FILE* f, const std::string& name) {
    std::string out;
    char chunk[1 << 16];
    for (;;) {
        std::size_t got = std::fread(chunk, 1, sizeof chunk, f);
        out.append(chunk, got);
        if (got < sizeof chunk) break;
    }
    if (std::ferror(f)) throw CliError("cannot read " + name + ": " + std::strerror(errno));
    return out;
}

std::string CodePoint(char32_t c) {
    char hex[16];
    std::snprintf(hex, sizeof hex, "U+%04X", static_cast<unsigned>(c));
    return hex;
}

}  // namespace

std::string ReadInput(const std::string& path) {
    if (path == "-") return ReadStream(stdin, "standard input");
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) throw CliError("cannot read " + path + ": Is a directory");
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) throw CliError("cannot open " + path + ": " + std::strerror(errno));
    std::string out;
    std::error_code sizeError;
    auto size = std::filesystem::file_size(path, sizeError);
    if (!sizeError) out.reserve(static_cast<std::size_t>(size));
    try {
        out += ReadStream(f, path);
    } catch (...) {
        std::fclose(f);
        throw;
    }
    std::fclose(f);
    return out;
}

std::string ArgumentText(std::string_view argument, bool gbk, std::string_view what) {
    if (gbk) return std::string(argument);
    Utf8ToGbkResult r = Utf8ToGbk(argument);
    if (r.ok) return r.text;
    if (r.unmappableUtf8.empty()) {
        throw CliError(Concat(what, " is not valid UTF-8 (use --gbk to pass GBK bytes)"));
    }
    throw CliError(Concat(what, " holds \"", r.unmappableUtf8, "\" (", CodePoint(r.unmappable),
                          "), which GBK cannot hold"));
}

LineWriter::~LineWriter() {
    // Errors are reported by finish(); here only what is left is flushed.
    if (!buffer_.empty()) std::fwrite(buffer_.data(), 1, buffer_.size(), stdout);
}

void LineWriter::line(std::string_view gbkText) { line(gbkText, {}); }

void LineWriter::line(std::string_view a, std::string_view b) {
    if (gbk_) {
        buffer_.append(a).append(b);
    } else {
        buffer_.append(GbkToUtf8(a)).append(GbkToUtf8(b));
    }
    buffer_.push_back('\n');
    drain(false);
}

void LineWriter::bytes(std::string_view raw) {
    drain(true);
    if (std::fwrite(raw.data(), 1, raw.size(), stdout) != raw.size()) {
        throw CliError(std::string("cannot write standard output: ") + std::strerror(errno));
    }
}

void LineWriter::drain(bool all) {
    if (buffer_.size() < (1u << 20) && !all) return;
    if (!buffer_.empty() && std::fwrite(buffer_.data(), 1, buffer_.size(), stdout) != buffer_.size()) {
        buffer_.clear();
        throw CliError(std::string("cannot write standard output: ") + std::strerror(errno));
    }
    buffer_.clear();
}

void LineWriter::finish() {
    drain(true);
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
        throw CliError(std::string("cannot write standard output: ") + std::strerror(errno));
    }
}

}  // namespace wy::cli
