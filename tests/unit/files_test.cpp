#include "text/files.h"

#include <gtest/gtest.h>

#include <thread>

#include "support/gbk.h"
#include "support/temp_dir.h"

using namespace wy;
namespace fs = std::filesystem;

namespace {

class Files : public ::testing::Test {
protected:
    TempDir dir;
};

TEST_F(Files, OpenFileNeverCreatesAndRefusesWhatItCannotWrite) {
    EXPECT_EQ(OpenFile(""), 0);
    EXPECT_EQ(OpenFile(dir.gbk("missing.txt")), 0);
    EXPECT_FALSE(dir.exists("missing.txt"));
    EXPECT_EQ(OpenFile(dir.gbk()), 0);  // a directory
    dir.write("ro.txt", "x");
    fs::permissions(dir.path() / "ro.txt", fs::perms::owner_read | fs::perms::group_read);
    EXPECT_EQ(OpenFile(dir.gbk("ro.txt")), 0);  // holds for root too: no write bit at all
}

TEST_F(Files, InvalidHandlesDoNothing) {
    EXPECT_EQ(ReadText(0), "");
    EXPECT_FALSE(WriteLine(0, "x"));
    EXPECT_FALSE(SeekToStart(12345));
    CloseFile(0);
    int h = OpenMemoryFile();
    CloseFile(h);
    EXPECT_FALSE(WriteText(h, "x"));
}

TEST_F(Files, ReadTextStopsAtNulAndEofBytesThatStartACharacter) {
    struct Case {
        std::string bytes, text;
        bool stopped;
    } cases[] = {
        {std::string("ab\0cd", 5), "ab", true},
        {"a\r\nb", "a\r\nb", false},
        {"ab\x1A", "ab", true},
        {"\xB0\x1A" "c", "\xB0\x1A" "c", false},  // 0x1A as a second byte does not stop
        {std::string("a\xB0\0c", 4), "a", true},   // a lead byte before NUL is left out
        {"", "", false},
    };
    for (const auto& c : cases) {
        dir.write("t.txt", c.bytes);
        int h = OpenFile(dir.gbk("t.txt"));
        ASSERT_GT(h, 0);
        EXPECT_EQ(ReadText(h), c.text);
        EXPECT_EQ(ReadText(h), "") << "a second read starts at the stop or the end";
        EXPECT_EQ(TextUpToStop(c.bytes), c.text);
        CloseFile(h);
    }
}

TEST_F(Files, ReadTextDecidesAtPieceBoundariesAndStopsEarly) {
    const std::string before(1 << 20, 'a');  // the lead byte ends the first piece read
    struct Case {
        std::string bytes, text;
    } cases[] = {
        {before.substr(1) + std::string("\xB0\0x", 3), before.substr(1)},
        {before.substr(1) + "\xB0\x1A" "c", before.substr(1) + "\xB0\x1A" "c"},
        {before + "\xB0", before + "\xB0"},  // a cut character at the end is kept
    };
    for (const auto& c : cases) {
        dir.write("t.txt", c.bytes);
        int h = OpenFile(dir.gbk("t.txt"));
        EXPECT_EQ(ReadText(h), c.text);
        CloseFile(h);
    }
    // A huge file that is not text costs nothing: the first NUL ends it.
    dir.write("huge.bin", "ab");
    fs::resize_file(dir.path() / "huge.bin", std::uintmax_t{8} << 30);  // sparse, all NUL
    int h = OpenFile(dir.gbk("huge.bin"));
    EXPECT_EQ(ReadText(h), "ab");
    CloseFile(h);
}

TEST_F(Files, MemoryFilesWriteSeekAndRead) {
    int h = OpenMemoryFile();
    EXPECT_GT(h, 0);
    WriteText(h, "x");
    WriteLine(h, "y");
    WriteLine(h, "");
    SeekToStart(h);
    EXPECT_EQ(ReadText(h), "xy\r\n\r\n");
    SeekToStart(h);
    WriteText(h, "Z");  // overwrites in place
    SeekToStart(h);
    EXPECT_EQ(ReadText(h), "Zy\r\n\r\n");
    CloseFile(h);
}

TEST_F(Files, WritesReachTheFileWithoutAClose) {
    dir.write("log.txt", "");
    int h = OpenFile(dir.gbk("log.txt"));
    ASSERT_GT(h, 0);
    EXPECT_TRUE(WriteLine(h, "first"));
    EXPECT_EQ(dir.read("log.txt"), "first\r\n");
    WriteLine(h, "");
    EXPECT_EQ(dir.read("log.txt"), "first\r\n\r\n");
    CloseFile(h);
}

TEST_F(Files, WriteWholeFileReplacesAtomically) {
    dir.write("bank.txt", std::string(100, 'x'));
    EXPECT_TRUE(WriteWholeFile(dir.gbk("bank.txt"), ""));
    EXPECT_EQ(dir.read("bank.txt"), "");
    EXPECT_TRUE(WriteWholeFile(dir.gbk("bank.txt"), std::string("a\0b", 3)));
    EXPECT_EQ(dir.read("bank.txt"), std::string("a\0b", 3));
    EXPECT_FALSE(WriteWholeFile(dir.gbk("no/such/dir.txt"), "x"));
    EXPECT_FALSE(WriteWholeFile("", "x"));
    EXPECT_FALSE(WriteWholeFile(dir.gbk(), "x"));  // a directory is never replaced
    int files = 0;
    for (auto& e : fs::directory_iterator(dir.path())) files += e.is_regular_file();
    EXPECT_EQ(files, 1) << "no temporary file is left behind";
}

TEST_F(Files, WriteWholeFileLeavesAReadOnlyFileAlone) {
    dir.write("ro.txt", "old");
    fs::permissions(dir.path() / "ro.txt", fs::perms::owner_read);
    EXPECT_FALSE(WriteWholeFile(dir.gbk("ro.txt"), "new"));
    EXPECT_EQ(dir.read("ro.txt"), "old");
}

TEST_F(Files, WriteWholeFileKeepsTheOldFileWhenItCannotWrite) {
    if (RunningAsRoot()) GTEST_SKIP() << "root ignores directory permissions";
    // No new file can be created in the directory, as with a full disk.
    fs::create_directory(dir.path() / "sub");
    dir.write("sub/bank.txt", "old");
    fs::permissions(dir.path() / "sub", fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_FALSE(WriteWholeFile(dir.gbk("sub/bank.txt"), "new"));
    EXPECT_EQ(dir.read("sub/bank.txt"), "old");
    fs::permissions(dir.path() / "sub", fs::perms::owner_all);
}

TEST_F(Files, ChineseFileNamesAreNativeUtf8) {
    std::string name = G("修改过的题库.txt");
    EXPECT_TRUE(WriteWholeFile(dir.gbk() + "/" + name, G("行")));
    EXPECT_TRUE(dir.exists("修改过的题库.txt"));
    EXPECT_EQ(dir.read("修改过的题库.txt"), G("行"));
}

TEST_F(Files, FileExistsUnderstandsWildcardsAndDeleteFileOnlyFiles) {
    dir.write("a1.txt", "");
    EXPECT_TRUE(FileExists(dir.gbk("a1.txt")));
    EXPECT_TRUE(FileExists(dir.gbk()));
    EXPECT_TRUE(FileExists(dir.gbk("*.txt")));
    EXPECT_TRUE(FileExists(dir.gbk("a?.txt")));
    EXPECT_FALSE(FileExists(dir.gbk("b*.txt")));
    EXPECT_FALSE(FileExists(dir.gbk("nodir/a1.txt")));
    EXPECT_FALSE(FileExists(""));
    EXPECT_FALSE(DeleteFile(dir.gbk()));
    EXPECT_TRUE(DeleteFile(dir.gbk("a1.txt")));
    EXPECT_FALSE(DeleteFile(dir.gbk("a1.txt")));
}

TEST_F(Files, ProfileValuesRoundTrip) {
    std::string ini = dir.gbk() + "/" + G("搜索器配置.ini");
    std::string section = G("搜索器配置"), key = G("自定题库配置");
    EXPECT_EQ(ReadConfig(ini, section, key), "");
    EXPECT_TRUE(WriteConfig(ini, section, key, G("/home/u/题库.txt")));
    EXPECT_EQ(dir.read("搜索器配置.ini"), G("[搜索器配置]\r\n自定题库配置=/home/u/题库.txt\r\n"));
    EXPECT_EQ(ReadConfig(ini, section, key), G("/home/u/题库.txt"));
    EXPECT_EQ(ReadConfig(" \t" + ini, "\x01" + section, "  " + key), G("/home/u/题库.txt"));
    EXPECT_TRUE(WriteConfig(ini, section, key, ""));
    EXPECT_EQ(ReadConfig(ini, section, key), "");
    EXPECT_EQ(dir.read("搜索器配置.ini"), G("[搜索器配置]\r\n自定题库配置=\r\n"));
    EXPECT_EQ(ReadConfig(ini, "", key), "");
}

TEST_F(Files, ProfileFilesWrittenByHandKeepTheirOtherLines) {
    dir.write("p.ini", "; note\r\n[A]\r\nx = 1\r\n\r\n[b]\r\nK=\"quoted value\"\r\n");
    std::string ini = dir.gbk("p.ini");
    EXPECT_EQ(ReadConfig(ini, "a", "X"), "1");
    EXPECT_EQ(ReadConfig(ini, "B", "k"), "quoted value");
    WriteConfig(ini, "A", "y", "2");
    WriteConfig(ini, "C", "z", "3");
    WriteConfig(ini, "a", "x", "9");
    EXPECT_EQ(dir.read("p.ini"),
              "; note\r\n[A]\r\nx=9\r\ny=2\r\n\r\n[b]\r\nK=\"quoted value\"\r\n\r\n[C]\r\nz=3\r\n");
    dir.write("long.ini", "[s]\r\nk=" + std::string(20000, 'v') + "\r\n");
    EXPECT_EQ(ReadConfig(dir.gbk("long.ini"), "s", "k").size(), 10239u);
}

TEST_F(Files, DirectoriesAndTemporaryNames) {
    EXPECT_TRUE(FileExists(ProgramDirectory()));
    std::string temp = TempDirectory();
    ASSERT_FALSE(temp.empty());
    EXPECT_EQ(temp.back(), '/');
    std::string base = dir.gbk();
    std::string a = TempFileName(base), b = TempFileName(base + "/");
    EXPECT_EQ(a.rfind(base + "/", 0), 0u);
    EXPECT_EQ(a.substr(a.size() - 4), ".tmp");
    EXPECT_NE(a, b);
    // A name that exists is never handed out.
    for (int i = 0; i < 50; ++i) {
        std::string name = TempFileName(base);
        EXPECT_FALSE(FileExists(name));
        WriteWholeFile(name, "");
    }
}

TEST_F(Files, BytesAndTextConvert) {
    EXPECT_EQ(BytesToText(std::string("ab\0c", 4)), "ab");
    EXPECT_EQ(BytesLength(TextToBytes("")), 0u);
    EXPECT_EQ(TextToBytes(G("行")), G("行"));
}

TEST_F(Files, HandlesWorkFromSeveralThreads) {
    std::vector<std::thread> threads;
    std::atomic<int> good{0};
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&] {
            for (int i = 0; i < 200; ++i) {
                int h = OpenMemoryFile();
                WriteLine(h, "x");
                SeekToStart(h);
                good += ReadText(h) == "x\r\n";
                CloseFile(h);
            }
        });
    }
    for (auto& t : threads) t.join();
    EXPECT_EQ(good, 800);
}

}  // namespace
