#include "bank/dedup.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <set>

#include "bank/table_file.h"
#include "support/gbk.h"
#include "support/temp_dir.h"
#include "text/gbk_text.h"

using namespace wy;
namespace fs = std::filesystem;

namespace {

// Points the temporary directory at a fresh folder for the test, so that the
// table files can be watched and their absence checked afterwards.
class Dedup : public ::testing::Test {
protected:
    void SetUp() override {
        if (const char* old = std::getenv("TMPDIR")) oldTmp_ = old;
        ::setenv("TMPDIR", dir.path().c_str(), 1);
    }
    void TearDown() override {
        if (oldTmp_) ::setenv("TMPDIR", oldTmp_->c_str(), 1); else ::unsetenv("TMPDIR");
    }
    bool TempDirEmpty() const { return fs::is_empty(dir.path()); }
    TempDir dir;

private:
    std::optional<std::string> oldTmp_;
};

TEST_F(Dedup, KeepsEachDistinctNonEmptyLineOnceInByteOrder) {
    struct Case {
        std::vector<std::string> lines;
        std::string result;
    } cases[] = {
        {{"B", "A", "B", "C", "A"}, "A\r\nB\r\nC\r\n"},
        {{"a", "Z"}, "Z\r\na\r\n"},                           // upper case first
        {{G("吧"), G("啊")}, G("啊\r\n吧\r\n")},              // B0 A1 before B0 C9
        {{"abcd", "abc"}, "abc\r\nabcd\r\n"},                 // a prefix first
        {{"abc ", "abc"}, "abc\r\nabc \r\n"},                 // exact comparison
        {{"\x80", "\x7F", "\xFF", "z"}, "z\r\n\x7F\r\n\x80\r\n\xFF\r\n"},  // unsigned bytes
        {{"12345678b", "12345678a", "12345678", "1234567"}, "1234567\r\n12345678\r\n12345678a\r\n12345678b\r\n"},
        {{"", "x", "", ""}, "x\r\n"},
        {{"", ""}, ""},
        {{}, ""},
        {{G("泸定桥在我国哪个省境内?【四川】")}, G("泸定桥在我国哪个省境内?【四川】\r\n")},
    };
    for (const auto& c : cases) {
        TextArray lines;
        for (const auto& line : c.lines) lines.add(line);
        TextArray before = lines;
        EXPECT_EQ(DedupLines(lines), c.result) << ::testing::PrintToString(c.lines);
        EXPECT_EQ(lines, before);
    }
    EXPECT_TRUE(TempDirEmpty());
}

TEST_F(Dedup, LongLinesComeBackWholeAndApart) {
    // 600 Chinese characters: cut at 1,000 bytes would be fine, so shift by one
    // ASCII byte to make byte 1,000 the first half of a character.
    std::string longLine = "Q";
    for (int i = 0; i < 600; ++i) longLine += G("题");
    std::string longer = longLine + G("【答】");
    std::string huge(3 << 20, 'x');  // bigger than the tables' write buffer
    TextArray lines{longer, "A", longLine, longer, huge, "B"};
    EXPECT_EQ(DedupLines(lines), Concat("A\r\nB\r\n", longLine, "\r\n", longer, "\r\n", huge, "\r\n"));
    EXPECT_TRUE(TempDirEmpty());
}

TEST_F(Dedup, AgreesWithASortedSetOfRandomLines) {
    // Enough lines to sort on two threads; shared prefixes longer than eight
    // bytes and embedded NUL bytes make the deeper comparisons matter.
    std::mt19937 rng(11);
    const char alphabet[] = {'\0', 'a', 'b', '\x7F', '\x80', '\xB0', '\xFF', '\r', '\n'};
    const std::string prefixes[] = {"", "0123456789abcdef", std::string(8, '\0'), "\xB0\xA1\xB0\xA1\xB0\xA1\xB0"};
    TextArray lines;
    std::set<std::string> expected;  // std::string compares as unsigned char
    for (int i = 0; i < 120000; ++i) {
        std::string line = prefixes[rng() % 4];
        for (int n = static_cast<int>(rng() % 14); n > 0; --n) line += alphabet[rng() % 9];
        lines.add(line);
        if (!line.empty()) expected.insert(line);
    }
    std::string want;
    for (const auto& line : expected) want += line + "\r\n";
    EXPECT_EQ(DedupLines(lines), want);
}

TEST_F(Dedup, FailsWithoutAUsableTemporaryDirectory) {
    TextArray lines{"B", "A"};
    ::setenv("TMPDIR", (dir.path() / "missing").c_str(), 1);
    EXPECT_EQ(DedupLines(lines), std::nullopt);
    dir.write("a-file", "x");
    ::setenv("TMPDIR", (dir.path() / "a-file").c_str(), 1);
    EXPECT_EQ(DedupLines(lines), std::nullopt);
}

TEST_F(Dedup, GivesUpWhenAskedToStopAndLeavesNoTables) {
    TextArray lines{"B", "A"};
    std::atomic<bool> stop{true};
    EXPECT_EQ(DedupLines(lines, &stop), std::nullopt);
    EXPECT_TRUE(TempDirEmpty());
    stop = false;
    EXPECT_EQ(DedupLines(lines, &stop), "A\r\nB\r\n");
}

class TableFile : public ::testing::Test {
protected:
    TempDir dir;
    std::string path = dir.gbk("t.edb");
    void WriteTable(const std::vector<std::string>& records) {
        TableWriter writer;
        ASSERT_TRUE(writer.create(path, kDedupFieldName, records.size()));
        for (const auto& r : records) writer.append(r);
        ASSERT_TRUE(writer.finish());
    }
    // Every record, or nullopt when the reader finds the table damaged.
    // Read record by record, or all at once when whole is set.
    std::optional<std::vector<std::string>> ReadTable(std::string_view field = kDedupFieldName, bool whole = false) {
        TableReader reader;
        if (!reader.open(path, field)) return std::nullopt;
        std::vector<std::string> out;
        if (whole) {
            std::vector<std::string_view> records;
            if (!reader.readAll(records)) return std::nullopt;
            out.assign(records.begin(), records.end());
        } else {
            std::string_view record;
            while (reader.next(record)) out.emplace_back(record);
        }
        if (!reader.complete()) return std::nullopt;
        return out;
    }
};

TEST_F(TableFile, RoundTripsRecordsOfAnyLengthAndContent) {
    std::vector<std::string> records{"", std::string(5000, '\xB0'), std::string("a\0\r\nb", 5), G("姓名")};
    WriteTable(records);
    EXPECT_EQ(ReadTable(), records);
    EXPECT_EQ(ReadTable(kDedupFieldName, true), records);
    EXPECT_EQ(ReadTable("other"), std::nullopt);  // another field
}

TEST_F(TableFile, NeverOverwritesAnExistingFile) {
    dir.write("t.edb", "keep");
    TableWriter writer;
    EXPECT_FALSE(writer.create(path, kDedupFieldName, 0));
    EXPECT_EQ(dir.read("t.edb"), "keep");
}

TEST_F(TableFile, DetectsDamage) {
    WriteTable({"abc", "defg"});
    std::string good = dir.read("t.edb");
    struct Case {
        const char* what;
        std::string bytes;
    } cases[] = {
        {"truncated record", good.substr(0, good.size() - 1)},
        {"missing record", good.substr(0, good.size() - 8)},
        {"bytes after the last record", good + "x"},
        {"bad magic", "X" + good.substr(1)},
        {"header only half there", good.substr(0, 10)},
        {"empty file", ""},
    };
    for (const auto& c : cases) {
        fs::remove(dir.path() / "t.edb");
        dir.write("t.edb", c.bytes);
        EXPECT_EQ(ReadTable(), std::nullopt) << c.what;
        EXPECT_EQ(ReadTable(kDedupFieldName, true), std::nullopt) << c.what;
    }
    // A length that points far past the end is refused without reading it.
    std::string huge = good.substr(0, good.size() - 8) + std::string("\xFF\xFF\xFF\x7F", 4);
    dir.write("t.edb", huge);
    EXPECT_EQ(ReadTable(), std::nullopt);
    EXPECT_EQ(ReadTable(kDedupFieldName, true), std::nullopt);
}

}  // namespace
