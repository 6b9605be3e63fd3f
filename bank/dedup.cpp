#include "bank/dedup.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <new>
#include <system_error>
#include <thread>
#include <vector>

#include "bank/table_file.h"
#include "text/files.h"

namespace wy {

namespace {

// Deletes the table files it was given when the run ends, however it ends.
class TableFiles {
public:
    TableFiles() { names_.reserve(2); }
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

// A record to sort. The records are sorted eight bytes at a time: by the
// bytes at the current depth read as one big-endian number (zero-padded past
// the end) and by how many bytes are left there (up to 9, meaning "more than
// eight"). Only groups that tie on both and go on past the eight bytes are
// sorted again at the next depth, so nearly every comparison is between two
// integers and no memory beyond the keys is touched.
struct SortKey {
    std::uint64_t chunk;
    const char* data;
    std::uint32_t length;
    std::uint8_t left;  // bytes from the depth on, capped at 9
};

void LoadChunk(SortKey& key, std::size_t depth) {
    std::size_t left = key.length > depth ? key.length - depth : 0;
    unsigned char bytes[8] = {};
    std::memcpy(bytes, key.data + depth, std::min<std::size_t>(8, left));
    std::uint64_t value = 0;
    for (unsigned char b : bytes) value = (value << 8) | b;
    key.chunk = value;
    key.left = static_cast<std::uint8_t>(std::min<std::size_t>(9, left));
}

// Starts loading memory that is about to be read out of order.
inline void Prefetch(const void* p) {
#if defined(__GNUC__) || defined(__clang__)
    __builtin_prefetch(p);
#else
    (void)p;
#endif
}
constexpr std::size_t kPrefetchAhead = 16;

bool ChunkLess(const SortKey& a, const SortKey& b) {
    return a.chunk != b.chunk ? a.chunk < b.chunk : a.left < b.left;
}

// Sorts keys whose first `depth` bytes are equal, in unsigned byte order with a
// prefix before the longer text. Chunks at `depth` are loaded already.
void SortFrom(SortKey* first, SortKey* last, std::size_t depth) {
    for (;;) {
        std::sort(first, last, ChunkLess);
        // Every run that ties and goes on is sorted at the next depth; the
        // last such run is handled by the loop instead of a nested call.
        SortKey* pendingFirst = nullptr;
        SortKey* pendingLast = nullptr;
        for (SortKey* run = first; run != last;) {
            SortKey* end = run + 1;
            while (end != last && end->chunk == run->chunk && end->left == run->left) ++end;
            if (end - run > 1 && run->left == 9) {
                for (SortKey* k = run; k != end; ++k) {
                    if (end - k > static_cast<std::ptrdiff_t>(kPrefetchAhead)) Prefetch(k[kPrefetchAhead].data + depth + 8);
                    LoadChunk(*k, depth + 8);
                }
                if (pendingFirst) SortFrom(pendingFirst, pendingLast, depth + 8);
                pendingFirst = run;
                pendingLast = end;
            }
            run = end;
        }
        if (!pendingFirst) return;
        first = pendingFirst;
        last = pendingLast;
        depth += 8;
    }
}

// Sorts all keys (chunks at depth 0 loaded). With more than one core and
// enough keys, they are first split at the median chunk, and the two sides,
// which share no first chunk, are sorted at the same time.
void SortRecords(std::vector<SortKey>& keys) {
    SortKey* first = keys.data();
    SortKey* last = first + keys.size();
    if (keys.size() < 50000 || std::thread::hardware_concurrency() < 2) {
        SortFrom(first, last, 0);
        return;
    }
    SortKey* middle = first + keys.size() / 2;
    std::nth_element(first, middle, last, ChunkLess);
    SortKey pivot = *middle;
    SortKey* split = std::partition(first, last, [&](const SortKey& k) { return ChunkLess(k, pivot); });
    std::thread helper;
    try {
        helper = std::thread([=] { SortFrom(first, split, 0); });
    } catch (const std::system_error&) {
        SortFrom(first, split, 0);  // no thread to be had: one after the other
    }
    SortFrom(split, last, 0);
    if (helper.joinable()) helper.join();
}

constexpr std::size_t kStopCheckEvery = 1 << 16;

std::optional<std::string> DedupThroughTables(const TextArray& lines, const std::atomic<bool>* stop) {
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
    TableReader unsortedReader;
    std::vector<std::string_view> records;
    if (!unsortedReader.open(unsortedName, kDedupFieldName) || unsortedReader.recordCount() != lines.size() ||
        !unsortedReader.readAll(records)) {
        return std::nullopt;
    }
    if (stopped()) return std::nullopt;
    std::vector<SortKey> keys(records.size());
    for (std::size_t i = 0; i < records.size(); ++i) {
        keys[i] = {0, records[i].data(), static_cast<std::uint32_t>(records[i].size()), 0};
        LoadChunk(keys[i], 0);
    }
    std::vector<std::string_view>().swap(records);
    SortRecords(keys);
    if (stopped()) return std::nullopt;

    // 3. The sorted table.
    std::string sortedName;
    {
        TableWriter sorted;
        if (!files.create(sorted, keys.size(), sortedName)) return std::nullopt;
        for (std::size_t i = 0; i < keys.size(); ++i) {
            if (i % kStopCheckEvery == 0 && stopped()) return std::nullopt;
            if (i + kPrefetchAhead < keys.size()) Prefetch(keys[i + kPrefetchAhead].data);
            sorted.append({keys[i].data, keys[i].length});
        }
        if (!sorted.finish()) return std::nullopt;
    }
    std::vector<SortKey>().swap(keys);
    unsortedReader.close();

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

}  // namespace

std::optional<std::string> DedupLines(const TextArray& lines, const std::atomic<bool>* stop) {
    try {
        return DedupThroughTables(lines, stop);
    } catch (const std::bad_alloc&) {
        return std::nullopt;  // too big for memory: the bank stays as it was
    }
}

}  // namespace wy
