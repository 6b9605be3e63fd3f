#include "bank/dedup.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#include "bank/table_file.h"
#include "text/files.h"

namespace wy {

namespace {

// Deletes the table files it was given when the run ends, however it ends.
class TableFiles {
public:
    TableFiles() = default;
    TableFiles(const TableFiles&) = delete;
    TableFiles& operator=(const TableFiles&) = delete;
    ~TableFiles() {
        for (const auto& name : names_) DeleteFile(name);
    }

    // Creates a new table under a fresh name TempFileName(TempDirectory()) +
    // ".edb". A name that turns out to be taken is skipped; any other failure
    // (no temporary directory, no permission) ends the attempt.
    bool create(TableWriter& writer, std::uint64_t recordCount, std::string& name) {
        for (int attempt = 0; attempt < 64; ++attempt) {
            std::string dir = TempDirectory();
            if (dir.empty()) return false;
            name = TempFileName(dir) + ".edb";
            if (writer.create(name, kDedupFieldName, recordCount)) {
                names_.push_back(name);
                return true;
            }
            if (!FileExists(name)) return false;
        }
        return false;
    }

private:
    std::vector<std::string> names_;
};

// A record to sort: its first eight bytes as a big-endian number (zero-padded),
// so that most comparisons are one integer comparison with no memory access.
struct SortKey {
    std::uint64_t prefix;
    const char* data;
    std::size_t length;
};

std::uint64_t Prefix(std::string_view s) {
    unsigned char bytes[8] = {};
    std::memcpy(bytes, s.data(), std::min<std::size_t>(8, s.size()));
    std::uint64_t value = 0;
    for (unsigned char b : bytes) value = (value << 8) | b;
    return value;
}

// Unsigned byte order, a prefix before the longer text.
bool ByteLess(const SortKey& a, const SortKey& b) {
    if (a.prefix != b.prefix) return a.prefix < b.prefix;
    std::size_t common = std::min(a.length, b.length);
    if (common > 8) {
        // memcmp compares as unsigned char.
        int order = std::memcmp(a.data + 8, b.data + 8, common - 8);
        if (order != 0) return order < 0;
    }
    return a.length < b.length;
}

constexpr std::size_t kStopCheckEvery = 1 << 16;

}  // namespace

std::optional<std::string> DedupLines(const TextArray& lines, const std::atomic<bool>* stop) {
    auto stopped = [stop] { return stop && stop->load(std::memory_order_relaxed); };
    TableFiles files;

    // 1. The unsorted table: one record per line, in order.
    std::string unsortedName;
    {
        TableWriter unsorted;
        if (!files.create(unsorted, lines.size(), unsortedName)) return std::nullopt;
        for (std::size_t i = 0; i < lines.size(); ++i) {
            if (i % kStopCheckEvery == 0 && stopped()) return std::nullopt;
            unsorted.append(lines[i]);
        }
        if (!unsorted.finish()) return std::nullopt;
    }

    // 2. Read it back and sort its records by their bytes.
    std::string records;
    std::vector<SortKey> keys;
    {
        TableReader reader;
        if (!reader.open(unsortedName, kDedupFieldName) || reader.recordCount() != lines.size()) {
            return std::nullopt;
        }
        records.reserve(reader.fileSize());  // more than the records' bytes: no reallocation below
        keys.reserve(lines.size());
        std::string_view record;
        while (reader.next(record)) {
            if (keys.size() % kStopCheckEvery == 0 && stopped()) return std::nullopt;
            const char* data = records.data() + records.size();
            records.append(record);
            keys.push_back({Prefix(record), data, record.size()});
        }
        if (!reader.complete()) return std::nullopt;
    }
    if (stopped()) return std::nullopt;
    std::sort(keys.begin(), keys.end(), ByteLess);
    if (stopped()) return std::nullopt;

    // 3. The sorted table.
    std::string sortedName;
    {
        TableWriter sorted;
        if (!files.create(sorted, keys.size(), sortedName)) return std::nullopt;
        for (std::size_t i = 0; i < keys.size(); ++i) {
            if (i % kStopCheckEvery == 0 && stopped()) return std::nullopt;
            sorted.append({keys[i].data, keys[i].length});
        }
        if (!sorted.finish()) return std::nullopt;
    }
    std::vector<SortKey>().swap(keys);
    std::string().swap(records);

    // 4. Walk the sorted table. Equal records stand together, so each run of
    // them gives its text once; the run of empty records, which sorts first,
    // gives nothing.
    TableReader reader;
    if (!reader.open(sortedName, kDedupFieldName) || reader.recordCount() != lines.size()) {
        return std::nullopt;
    }
    std::string result;
    result.reserve(reader.fileSize());  // each record's 4-byte length outweighs its CR LF
    std::size_t lastStart = 0, lastLength = 0;
    bool any = false;
    std::string_view record;
    for (std::uint64_t n = 0; reader.next(record); ++n) {
        if (n % kStopCheckEvery == 0 && stopped()) return std::nullopt;
        if (record.empty()) continue;
        if (any && std::string_view(result).substr(lastStart, lastLength) == record) continue;
        lastStart = result.size();
        lastLength = record.size();
        any = true;
        result.append(record).append("\r\n");
    }
    if (!reader.complete()) return std::nullopt;
    return result;
}

}  // namespace wy
