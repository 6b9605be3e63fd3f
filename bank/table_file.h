// Table files: the temporary one-field tables that duplicate removal sorts
// through.
//
// Layout, all integers little-endian:
//   8 bytes  "WYTABLE1"
//   u32      number of fields (always 1)
//   u32 + n  the field's name (GBK) and its length before it
//   u8       the field's type (1 = text)
//   u64      number of records
//   then per record: u32 byte length, then the bytes.
// A record keeps every byte of its text, however long: nothing is cut at a
// field width, so a record never ends in half a character.
#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace wy {

class TableWriter {
public:
    TableWriter() = default;
    TableWriter(const TableWriter&) = delete;
    TableWriter& operator=(const TableWriter&) = delete;
    ~TableWriter();

    // Creates the file, which must not exist yet, and writes the header.
    bool create(std::string_view path, std::string_view fieldName, std::uint64_t recordCount);
    void append(std::string_view record);
    // Writes what is buffered and closes the file; false when any write failed
    // or the number of records differs from the one announced.
    bool finish();

private:
    void flush();
    std::FILE* file_ = nullptr;
    std::string buffer_;
    std::uint64_t announced_ = 0, written_ = 0;
    bool ok_ = false;
};

class TableReader {
public:
    TableReader() = default;
    TableReader(const TableReader&) = delete;
    TableReader& operator=(const TableReader&) = delete;
    ~TableReader();

    // Opens the file and checks its header: one text field of this name.
    bool open(std::string_view path, std::string_view fieldName);
    std::uint64_t recordCount() const { return count_; }
    std::uint64_t fileSize() const { return fileSize_; }
    // The next record; false at the end or when the file is damaged (a record
    // running past the end, missing records, bytes after the last record).
    // The view is valid until the next call.
    bool next(std::string_view& record);
    // Every remaining record at once, read in one piece: false when the file
    // is damaged as next() would find it. The views stay valid as long as the
    // reader, and next() is not to be used afterwards.
    bool readAll(std::vector<std::string_view>& records);
    // Closes the file and frees the records read.
    void close();
    // After next() returned false: true when that was the clean end, every
    // announced record read and nothing else in the file.
    bool complete() const { return complete_; }

private:
    bool fill(std::size_t needed);
    std::FILE* file_ = nullptr;
    std::unique_ptr<char[]> buffer_;  // not zero-filled: every byte used is read first
    std::size_t capacity_ = 0;
    std::size_t begin_ = 0, end_ = 0;
    std::uint64_t count_ = 0, read_ = 0;
    std::uint64_t fileSize_ = 0, fileRead_ = 0;  // bytes in the file, bytes taken into buffer_
    bool ok_ = false, complete_ = false;
};

}  // namespace wy
