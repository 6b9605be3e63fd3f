#include "cli/cli_io.h"

#include <gtest/gtest.h>

#include <random>

#include "support/temp_dir.h"
#include "text/files.h"
#include "text/gbk_text.h"

namespace {

// The lines of a file read a few bytes at a time must be those of the whole
// text, however the pieces are cut: CR LF only at character boundaries, and
// the text ending at the first 0x00 or 0x1A that starts a character.
TEST(TextReader, PiecesSplitLikeTheWholeText) {
    TempDir dir;
    std::mt19937 rng(3);
    const char alphabet[] = {'a', '\xB0', '\r', '\n', '\r', '\n', '\x1A', '\0'};
    for (int round = 0; round < 400; ++round) {
        std::string bytes;
        for (int n = static_cast<int>(rng() % 40); n > 0; --n) bytes += alphabet[rng() % (round % 2 ? 6 : 8)];
        dir.write("t.txt", bytes);
        for (std::size_t chunk : {1u, 2u, 3u, 7u}) {
            wy::cli::TextReader reader((dir.path() / "t.txt").string(), chunk);
            std::vector<std::string> lines;
            while (auto piece = reader.next()) {
                for (std::string_view line : wy::Split(*piece, "\r\n")) lines.emplace_back(line);
            }
            ASSERT_EQ(lines, wy::Split(wy::TextUpToStop(bytes), "\r\n").toVector())
                << ::testing::PrintToString(bytes) << " in pieces of " << chunk;
        }
    }
}

TEST(TextReader, NamesTheFileItCannotOpen) {
    try {
        wy::cli::TextReader reader("/no/such/file.txt");
        FAIL() << "opened a missing file";
    } catch (const wy::cli::CliError& e) {
        EXPECT_STREQ(e.what(), "cannot open /no/such/file.txt: No such file or directory");
    }
}

}  // namespace
