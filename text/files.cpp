#include "text/files.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>
#include <mutex>
#include <system_error>
#include <unordered_map>
#include <vector>

#include "text/gbk_text.h"
#include "text/os.h"

namespace wy {

namespace {

struct OpenHandle {
    std::FILE* file = nullptr;  // null for a memory file
    std::string memory;
    std::size_t position = 0;
    ~OpenHandle() {
        if (file) std::fclose(file);
    }
};

std::mutex tableMutex;
std::unordered_map<int, std::shared_ptr<OpenHandle>> handles;
int nextHandle = 1;

int Register(std::shared_ptr<OpenHandle> h) {
    std::lock_guard lock(tableMutex);
    while (nextHandle <= 0 || handles.count(nextHandle)) nextHandle = nextHandle <= 0 ? 1 : nextHandle + 1;
    int id = nextHandle++;
    handles.emplace(id, std::move(h));
    return id;
}

std::shared_ptr<OpenHandle> Lookup(int id) {
    std::lock_guard lock(tableMutex);
    auto it = handles.find(id);
    return it == handles.end() ? nullptr : it->second;
}

// The text of a disk file from the current position, read a piece at a time
// and scanned as it comes, so reading stops at the first stop byte: a large
// file that is not text costs one piece, not its whole size in memory.
// Returns the text and how many bytes the position moves on.
std::pair<std::string, std::size_t> ReadDiskText(std::FILE* file, std::size_t position) {
    constexpr std::size_t kPiece = 1 << 20;
    std::string bytes;
    std::size_t scan = 0;  // the next character boundary to look at
    // Room for the whole rest of an ordinary file at once (a huge one grows
    // as it is read, and usually stops early).
    if (std::fseek(file, 0, SEEK_END) == 0) {
        long end = std::ftell(file);
        if (end > 0 && static_cast<std::size_t>(end) > position) {
            bytes.reserve(std::min<std::size_t>(static_cast<std::size_t>(end) - position, std::size_t{256} << 20));
        }
    }
    if (std::fseek(file, static_cast<long>(position), SEEK_SET) != 0) return {};
    std::vector<char> piece(kPiece);
    for (;;) {
        std::size_t had = bytes.size();
        bytes.append(piece.data(), std::fread(piece.data(), 1, kPiece, file));
        bool atEnd = bytes.size() == had;
        std::string_view fresh = std::string_view(bytes).substr(scan);
        if (!atEnd && fresh.find('\0') == std::string_view::npos && fresh.find('\x1A') == std::string_view::npos) {
            // No stop byte in the piece: skip to its last character boundary.
            // The place after a byte below 0x80 is a boundary, and from there
            // high bytes pair up, so an odd run at the end leaves a lead byte
            // waiting for its second byte.
            std::size_t boundary = bytes.size();
            while (boundary > scan && IsLeadByte(bytes[boundary - 1])) --boundary;
            scan = (bytes.size() - boundary) % 2 == 0 ? bytes.size() : bytes.size() - 1;
            continue;
        }
        while (scan < bytes.size()) {
            char c = bytes[scan];
            if (c == '\0' || c == '\x1A') {
                bytes.resize(scan);
                return {std::move(bytes), scan};
            }
            if (!IsLeadByte(c)) {
                ++scan;
                continue;
            }
            if (scan + 1 == bytes.size() && !atEnd) break;  // its second byte comes with the next piece
            if (scan + 1 < bytes.size() && bytes[scan + 1] == '\0') {
                bytes.resize(scan);  // a lead byte before NUL is left out; the position stops at the NUL
                return {std::move(bytes), scan + 1};
            }
            scan += 2;
        }
        if (atEnd) break;
    }
    std::size_t length = bytes.size();
    return {std::move(bytes), length};
}

// Length of the text before the first 0x00 or 0x1A that starts a character,
// and where the position stops (the stopping byte is not consumed).
std::pair<std::size_t, std::size_t> TextExtent(std::string_view bytes) {
    if (std::memchr(bytes.data(), 0x00, bytes.size()) == nullptr &&
        std::memchr(bytes.data(), 0x1A, bytes.size()) == nullptr) {
        return {bytes.size(), bytes.size()};
    }
    for (std::size_t i = 0; i < bytes.size(); i += CharWidth(bytes, i)) {
        if (bytes[i] == '\0' || bytes[i] == '\x1A') return {i, i};
        if (IsLeadByte(bytes[i]) && i + 1 < bytes.size() && bytes[i + 1] == '\0') return {i, i + 1};
    }
    return {bytes.size(), bytes.size()};
}

bool Write(int id, std::string_view a, std::string_view b = {}) {
    auto h = Lookup(id);
    if (!h) return false;
    std::string bytes = Concat(a, b);
    if (!h->file) {
        if (h->memory.size() < h->position + bytes.size()) h->memory.resize(h->position + bytes.size());
        h->memory.replace(h->position, bytes.size(), bytes);
        h->position += bytes.size();
        return true;
    }
    if (std::fseek(h->file, static_cast<long>(h->position), SEEK_SET) != 0) return false;
    std::size_t written = std::fwrite(bytes.data(), 1, bytes.size(), h->file);
    h->position += written;
    return written == bytes.size() && std::fflush(h->file) == 0;
}

std::string SkipLeadingControls(std::string_view s) {
    while (!s.empty() && s.front() >= 0x01 && s.front() <= 0x20) s.remove_prefix(1);
    return std::string(s);
}

// Matches a file name against '*' and '?' by characters.
bool MatchesPattern(std::string_view name, std::string_view pattern) {
    if (pattern.empty()) return name.empty();
    if (pattern.front() == '*') {
        for (std::size_t i = 0;; i += CharWidth(name, i)) {
            if (MatchesPattern(name.substr(std::min(i, name.size())), pattern.substr(1))) return true;
            if (i >= name.size()) return false;
        }
    }
    if (name.empty()) return false;
    std::size_t nw = std::min(CharWidth(name, 0), name.size());
    if (pattern.front() == '?') return MatchesPattern(name.substr(nw), pattern.substr(1));
    std::size_t pw = std::min(CharWidth(pattern, 0), pattern.size());
    return name.substr(0, nw) == pattern.substr(0, pw) && MatchesPattern(name.substr(nw), pattern.substr(pw));
}

std::atomic<std::uint32_t> tempCounter{0};

}  // namespace

int OpenFile(std::string_view path) {
    if (path.empty()) return 0;
    std::FILE* f = os::OpenExistingForUpdate(path);
    if (!f) return 0;
    auto h = std::make_shared<OpenHandle>();
    h->file = f;
    return Register(std::move(h));
}

int OpenMemoryFile() { return Register(std::make_shared<OpenHandle>()); }

std::string ReadText(int id) {
    auto h = Lookup(id);
    if (!h) return {};
    if (h->file) {
        auto [text, advance] = ReadDiskText(h->file, h->position);
        h->position += advance;
        return text;
    }
    if (h->position >= h->memory.size()) return {};
    std::string_view rest = std::string_view(h->memory).substr(h->position);
    auto [length, stop] = TextExtent(rest);
    h->position += stop;
    return std::string(rest.substr(0, length));
}

std::string_view TextUpToStop(std::string_view bytes) { return bytes.substr(0, TextExtent(bytes).first); }

bool WriteText(int id, std::string_view text) { return Write(id, text); }

bool WriteLine(int id, std::string_view text) { return Write(id, text, "\r\n"); }

bool SeekToStart(int id) {
    auto h = Lookup(id);
    if (!h) return false;
    h->position = 0;
    return true;
}

void CloseFile(int id) {
    std::lock_guard lock(tableMutex);
    handles.erase(id);
}

bool WriteWholeFile(std::string_view path, std::string_view bytes) {
    if (path.empty()) return false;
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::path target = os::NativePath(path);
    auto status = fs::status(target, ec);
    bool exists = fs::exists(status);
    constexpr auto kWrite = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    if (exists && (fs::is_directory(status) || (status.permissions() & kWrite) == fs::perms::none)) {
        return false;
    }
    std::string temp;
    std::FILE* f = nullptr;
    for (int attempt = 0; !f && attempt < 100; ++attempt) {
        temp = Concat(path, ".", ToHex(static_cast<std::int32_t>(TickCount() + tempCounter++)), ".part");
        f = os::CreateExclusive(temp);
    }
    if (!f) return false;
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size() && os::SyncToDisk(f);
    ok = std::fclose(f) == 0 && ok;
    fs::path tempPath = os::NativePath(temp);
    if (ok && exists) fs::permissions(tempPath, status.permissions(), ec);
    if (ok) {
        fs::rename(tempPath, target, ec);
        ok = !ec;
    }
    if (!ok) fs::remove(tempPath, ec);
    return ok;
}

std::optional<Bytes> ReadWholeFile(std::string_view path) {
    if (path.empty()) return std::nullopt;
    std::ifstream in(os::NativePath(path), std::ios::binary);
    if (!in) return std::nullopt;
    Bytes out((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) return std::nullopt;
    return out;
}

bool FileExists(std::string_view path) {
    if (path.empty()) return false;
    namespace fs = std::filesystem;
    std::error_code ec;
    std::size_t cut = path.find_last_of("/\\");
    std::string_view name = cut == std::string_view::npos ? path : path.substr(cut + 1);
    if (name.find_first_of("*?") == std::string_view::npos) return fs::exists(os::NativePath(path), ec);
    fs::path dir = cut == std::string_view::npos ? fs::path(".") : os::NativePath(path.substr(0, cut + 1));
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        if (MatchesPattern(os::FromNativePath(it->path().filename()), name)) return true;
    }
    return false;
}

bool DeleteFile(std::string_view path) {
    if (path.empty()) return false;
    std::error_code ec;
    auto native = os::NativePath(path);
    if (std::filesystem::is_directory(native, ec)) return false;
    return std::filesystem::remove(native, ec);
}

std::string ReadConfig(std::string_view file, std::string_view section, std::string_view key) {
    std::string f = SkipLeadingControls(file), s = SkipLeadingControls(section), k = SkipLeadingControls(key);
    if (f.empty() || s.empty() || k.empty()) return {};
    return os::ReadProfileValue(f, s, k).substr(0, 10239);
}

bool WriteConfig(std::string_view file, std::string_view section, std::string_view key,
                 std::string_view value) {
    if (file.empty() || section.empty() || key.empty()) return false;
    return os::WriteProfileValue(file, section, key, value);
}

std::string ProgramDirectory() { return os::ProgramDirectory(); }

std::string TempDirectory() { return os::TempDirectory(); }

std::string TempFileName(std::string_view dir) {
    std::string prefix(dir);
    if (!prefix.empty() && prefix.back() != os::kDirSeparator[0]) prefix += os::kDirSeparator;
    std::uint32_t n = TickCount() + tempCounter++;
    auto name = [&] {
        char hex[16];
        std::snprintf(hex, sizeof hex, "%x", n);
        return Concat(prefix, hex, ".tmp");
    };
    while (FileExists(name())) ++n;
    return name();
}

Bytes TextToBytes(std::string_view text) { return Bytes(text); }

std::string BytesToText(std::string_view bytes) { return std::string(bytes.substr(0, bytes.find('\0'))); }

std::size_t BytesLength(std::string_view bytes) { return bytes.size(); }

}  // namespace wy
