#include "cli/cli_io.h"

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "text/files.h"
#include "text/gbk_text.h"
#include "text/gbk_unicode.h"

namespace wy::cli {

namespace {

std::string CodePoint(char32_t c) {
    char hex[16];
    std::snprintf(hex, sizeof hex, "U+%04X", static_cast<unsigned>(c));
    return hex;
}

}  // namespace

TextReader::TextReader(const std::string& path, std::size_t chunkSize) : chunkSize_(chunkSize) {
    if (path == "-") {
        file_ = stdin;
        name_ = "standard input";
        return;
    }
    name_ = path;
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) throw CliError("cannot read " + path + ": Is a directory");
    file_ = std::fopen(path.c_str(), "rb");
    if (!file_) throw CliError("cannot open " + path + ": " + std::strerror(errno));
    ownsFile_ = true;
}

TextReader::~TextReader() {
    if (ownsFile_) std::fclose(file_);
}

std::optional<std::string> TextReader::next() {
    const std::size_t kChunk = chunkSize_;
    while (!ended_) {
        std::size_t had = buffer_.size();
        buffer_.resize(had + kChunk);
        std::size_t got = std::fread(buffer_.data() + had, 1, kChunk, file_);
        buffer_.resize(had + got);
        if (got < kChunk) {
            if (std::ferror(file_)) throw CliError("cannot read " + name_ + ": " + std::strerror(errno));
            ended_ = true;
        }
        // The buffer starts where a line starts, which is a character
        // boundary, so the walks below agree with walks over the whole text.
        std::size_t textLength = TextUpToStop(buffer_).size();
        if (textLength < buffer_.size()) {
            buffer_.resize(textLength);
            ended_ = true;
        }
        if (ended_) break;
        std::size_t whole = 0;  // end of the last CR LF
        for (std::size_t at; (at = FindAtBoundary(buffer_, "\r\n", whole)) != std::string::npos;) whole = at + 2;
        if (whole == 0) continue;  // no line ends yet
        std::string piece = buffer_.substr(0, whole);
        buffer_.erase(0, whole);
        return piece;
    }
    if (buffer_.empty()) return std::nullopt;
    std::string rest;
    rest.swap(buffer_);
    return rest;
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
