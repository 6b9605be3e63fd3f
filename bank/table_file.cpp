#include "bank/table_file.h"

#include <cstring>

#include "text/os.h"

namespace wy {

namespace {

constexpr std::string_view kMagic = "WYTABLE1";
constexpr unsigned char kTextType = 1;
constexpr std::size_t kChunk = 1 << 20;

void PutInteger(std::string& out, std::uint64_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

std::uint64_t GetInteger(const char* in, int bytes) {
    std::uint64_t value = 0;
    for (int i = bytes - 1; i >= 0; --i) value = (value << 8) | static_cast<unsigned char>(in[i]);
    return value;
}

}  // namespace

TableWriter::~TableWriter() {
    if (file_) std::fclose(file_);
}

bool TableWriter::create(std::string_view path, std::string_view fieldName, std::uint64_t recordCount) {
    file_ = os::CreateExclusive(path);
    if (!file_) return false;
    ok_ = true;
    announced_ = recordCount;
    buffer_.reserve(kChunk + 64);
    buffer_.append(kMagic);
    PutInteger(buffer_, 1, 4);
    PutInteger(buffer_, fieldName.size(), 4);
    buffer_.append(fieldName);
    buffer_.push_back(static_cast<char>(kTextType));
    PutInteger(buffer_, recordCount, 8);
    return true;
}

void TableWriter::append(std::string_view record) {
    if (!ok_) return;
    if (record.size() > UINT32_MAX) {
        ok_ = false;
        return;
    }
    PutInteger(buffer_, record.size(), 4);
    if (record.size() >= kChunk) {
        flush();
        ok_ = ok_ && std::fwrite(record.data(), 1, record.size(), file_) == record.size();
    } else {
        buffer_.append(record);
        if (buffer_.size() >= kChunk) flush();
    }
    ++written_;
}

void TableWriter::flush() {
    if (ok_ && !buffer_.empty()) ok_ = std::fwrite(buffer_.data(), 1, buffer_.size(), file_) == buffer_.size();
    buffer_.clear();
}

bool TableWriter::finish() {
    if (!file_) return false;
    flush();
    bool closed = std::fclose(file_) == 0;
    file_ = nullptr;
    return ok_ && closed && written_ == announced_;
}

TableReader::~TableReader() { close(); }

void TableReader::close() {
    if (file_) std::fclose(file_);
    file_ = nullptr;
    buffer_.reset();
    capacity_ = begin_ = end_ = 0;
    ok_ = false;
}

bool TableReader::fill(std::size_t needed) {
    if (end_ - begin_ >= needed) return true;
    if (capacity_ < needed) {
        auto bigger = std::make_unique_for_overwrite<char[]>(needed);
        std::memcpy(bigger.get(), buffer_.get() + begin_, end_ - begin_);
        buffer_ = std::move(bigger);
        capacity_ = needed;
    } else {
        std::memmove(buffer_.get(), buffer_.get() + begin_, end_ - begin_);
    }
    end_ -= begin_;
    begin_ = 0;
    while (end_ < needed) {
        std::size_t got = std::fread(buffer_.get() + end_, 1, capacity_ - end_, file_);
        if (got == 0) return false;
        end_ += got;
        fileRead_ += got;
    }
    return true;
}

bool TableReader::open(std::string_view path, std::string_view fieldName) {
    file_ = os::OpenExistingForUpdate(path);
    if (!file_) return false;
    if (std::fseek(file_, 0, SEEK_END) != 0) return false;
    long size = std::ftell(file_);
    if (size < 0 || std::fseek(file_, 0, SEEK_SET) != 0) return false;
    fileSize_ = static_cast<std::uint64_t>(size);
    buffer_ = std::make_unique_for_overwrite<char[]>(kChunk);
    capacity_ = kChunk;
    std::size_t header = kMagic.size() + 4 + 4 + fieldName.size() + 1 + 8;
    if (!fill(header)) return false;
    const char* p = buffer_.get();
    if (std::string_view(p, kMagic.size()) != kMagic) return false;
    p += kMagic.size();
    if (GetInteger(p, 4) != 1 || GetInteger(p + 4, 4) != fieldName.size()) return false;
    p += 8;
    if (std::string_view(p, fieldName.size()) != fieldName) return false;
    p += fieldName.size();
    if (static_cast<unsigned char>(*p++) != kTextType) return false;
    count_ = GetInteger(p, 8);
    begin_ = header;
    ok_ = true;
    return true;
}

bool TableReader::readAll(std::vector<std::string_view>& records) {
    if (!ok_) return false;
    ok_ = false;
    std::uint64_t consumed = fileRead_ - (end_ - begin_);
    if (consumed > fileSize_) return false;
    std::size_t rest = static_cast<std::size_t>(fileSize_ - consumed);
    if (!fill(rest) || end_ - begin_ != rest) return false;
    if (std::fgetc(file_) != EOF) return false;  // the file grew: not the table announced
    records.reserve(records.size() + static_cast<std::size_t>(count_ - read_));
    const char* p = buffer_.get() + begin_;
    const char* end = buffer_.get() + end_;
    for (; read_ < count_; ++read_) {
        if (end - p < 4) return false;
        std::size_t length = GetInteger(p, 4);
        p += 4;
        if (static_cast<std::size_t>(end - p) < length) return false;
        records.emplace_back(p, length);
        p += length;
    }
    complete_ = p == end;
    return complete_;
}

bool TableReader::next(std::string_view& record) {
    if (!ok_) return false;
    if (read_ == count_) {
        // Nothing may follow the last record.
        complete_ = !fill(1) && !std::ferror(file_);
        ok_ = false;
        return false;
    }
    if (!fill(4)) return ok_ = false;
    std::size_t length = GetInteger(buffer_.get() + begin_, 4);
    begin_ += 4;
    std::uint64_t consumed = fileRead_ - (end_ - begin_);
    std::uint64_t left = consumed < fileSize_ ? fileSize_ - consumed : 0;
    if (length > left || !fill(length)) return ok_ = false;
    record = std::string_view(buffer_.get() + begin_, length);
    begin_ += length;
    ++read_;
    return true;
}

}  // namespace wy
