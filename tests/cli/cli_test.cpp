// Runs the real wenyuan-cli on small bank files and checks its output bytes,
// its messages and its exit status.
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <random>

#include "bank/dedup.h"
#include "bank/question_line.h"
#include "data/embedded_data.h"
#include "support/gbk.h"
#include "text/files.h"
#include "text/gbk_text.h"
#include "support/temp_dir.h"

extern char** environ;

namespace {

struct Result {
    int status = -1;
    std::string out, err;
};

class Cli : public ::testing::Test {
protected:
    TempDir dir;

    void SetUp() override {
        // A main bank with a quoted line and lower-case text that the load
        // normalises, and a custom bank that is used as read.
        dir.write("bank.txt", G("泸定桥在我国哪个省境内？【四川】\r\n"
                                "\"五角大楼是美国哪个机构的代称?\"=\"国防部\"\r\n"
                                "纳米(nm)作单位,1NM等于?【10的负9次方】\r\n"
                                "没有答案标记的行\r\n"));
        dir.write("custom.txt", G("泸定桥在我国哪个省境内?【四川】\r\n自定义题目。原样保存【答】\r\n"));
    }

    // Runs wenyuan-cli with the arguments, standard input from `input`, and
    // extra environment settings ("NAME=value").
    Result Run(std::vector<std::string> args, const std::string& input = "",
               std::vector<std::string> env = {}) {
        dir.write("stdin", input);
        std::vector<std::string> argv{WENYUAN_CLI_PATH};
        argv.insert(argv.end(), args.begin(), args.end());
        std::vector<char*> cargv;
        for (auto& a : argv) cargv.push_back(a.data());
        cargv.push_back(nullptr);
        std::vector<std::string> envStrings;
        for (char** e = environ; *e; ++e) envStrings.emplace_back(*e);
        envStrings.insert(envStrings.end(), env.begin(), env.end());
        std::vector<char*> cenv;
        for (auto& e : envStrings) cenv.push_back(e.data());
        cenv.push_back(nullptr);

        std::string in = (dir.path() / "stdin").string(), out = (dir.path() / "stdout").string(),
                    err = (dir.path() / "stderr").string();
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 0, in.c_str(), O_RDONLY, 0);
        posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        posix_spawn_file_actions_addopen(&actions, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        pid_t pid;
        Result r;
        int spawned = posix_spawn(&pid, cargv[0], &actions, nullptr, cargv.data(), cenv.data());
        posix_spawn_file_actions_destroy(&actions);
        if (spawned != 0) return r;
        int status = 0;
        waitpid(pid, &status, 0);
        r.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        r.out = dir.read("stdout");
        r.err = dir.read("stderr");
        return r;
    }
    std::string Path(const std::string& name) const { return (dir.path() / name).string(); }
};

TEST_F(Cli, SearchPrintsTheHitsInUtf8) {
    Result r = Run({"search", "--bank", Path("bank.txt"), "--custom", Path("custom.txt"), "泸定桥"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "(自定义)泸定桥在我国哪个省境内?【四川】\n泸定桥在我国哪个省境内?【四川】\n");
    EXPECT_EQ(r.err, "");
}

TEST_F(Cli, SearchWithGbkIsByteExact) {
    Result r = Run({"search", "--gbk", "--bank", Path("bank.txt"), "--custom", Path("custom.txt"), "nm"});
    EXPECT_EQ(r.status, 0);
    // nm: the pinyin key of 纳米 and the text (NM) both match, so the line twice.
    EXPECT_EQ(r.out, G("纳米(NM)作单位,1NM等于?【10的负9次方】\n纳米(NM)作单位,1NM等于?【10的负9次方】\n"));

    Result gbkText = Run({"search", "--gbk", "--bank", Path("bank.txt"), G("国防部")});
    EXPECT_EQ(gbkText.out, G("五角大楼是美国哪个机构的代称?【国防部】\n"));
}

TEST_F(Cli, SearchOptionsAndExitStatus) {
    std::string bank = Path("bank.txt"), custom = Path("custom.txt");
    struct Case {
        std::vector<std::string> args;
        int status;
        std::string out;
    } cases[] = {
        {{"search", "--answers", "--bank", bank, "--custom", custom, "泸定桥"}, 0, "四川\n四川\n"},
        {{"search", "--answers", "--bank", bank, "没有答案"}, 0, "\n"},
        {{"search", "--bank", bank, "--custom", custom, "台湾"}, 1, ""},
        // An empty text, or one that normalisation empties, lists the main bank only.
        {{"search", "--bank", bank, "--custom", custom, "  "}, 0,
         "泸定桥在我国哪个省境内?【四川】\n五角大楼是美国哪个机构的代称?【国防部】\n"
         "纳米(NM)作单位,1NM等于?【10的负9次方】\n没有答案标记的行\n"},
        // Several banks are appended in order; the text is normalised first.
        {{"search", "--bank", bank, "--bank", bank, "--custom", custom, "省境内？"}, 0,
         "(自定义)泸定桥在我国哪个省境内?【四川】\n泸定桥在我国哪个省境内?【四川】\n泸定桥在我国哪个省境内?【四川】\n"},
        // The custom bank is searched as read: its 。 does not fold to ".".
        {{"search", "--bank", bank, "--custom", custom, "题目。原样"}, 1, ""},
    };
    for (const auto& c : cases) {
        Result r = Run(c.args);
        EXPECT_EQ(r.status, c.status) << ::testing::PrintToString(c.args);
        EXPECT_EQ(r.out, c.out) << ::testing::PrintToString(c.args);
    }
}

TEST_F(Cli, WithoutBankFilesTheBuiltInBanksAreSearched) {
    std::string all;
    for (std::string_view line : wy::ImportBankText(wy::BuiltInBank())) all += wy::GbkToUtf8(line) + "\n";
    Result r = Run({"search", ""});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, all);

    std::string custom = wy::GbkToUtf8(wy::Split(wy::BuiltInCustomBank(), "\r\n")[0]);
    Result tagged = Run({"search", custom});
    EXPECT_EQ(tagged.out.rfind("(自定义)" + custom + "\n", 0), 0u);
}

TEST_F(Cli, CheckReportsEveryListLine) {
    dir.write("list.txt", G("泸定桥\r\n台湾\r\n"));
    Result r = Run({"check", "--bank", Path("bank.txt"), "--custom", Path("custom.txt"), Path("list.txt")});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out,
              "1/2\t泸定桥\n"
              "  (自定义)泸定桥在我国哪个省境内?【四川】\n"
              "  泸定桥在我国哪个省境内?【四川】\n"
              "2/2\t台湾\n"
              "  (无结果)\n");

    dir.write("list.txt", G("ｎｍ\r\n"));
    r = Run({"check", "--gbk", "--bank", Path("bank.txt"), "--custom", Path("custom.txt"), Path("list.txt")});
    EXPECT_EQ(r.out, G("1/1\tNM\n  纳米(NM)作单位,1NM等于?【10的负9次方】\n  纳米(NM)作单位,1NM等于?【10的负9次方】\n"));

    dir.write("list.txt", G("台湾\r\n"));
    EXPECT_EQ(Run({"check", "--bank", Path("bank.txt"), Path("list.txt")}).status, 1);
}

TEST_F(Cli, ConvertAndDedupWriteGbkBankFiles) {
    std::string converted = G("泸定桥在我国哪个省境内?【四川】\r\n五角大楼是美国哪个机构的代称?【国防部】\r\n"
                              "纳米(NM)作单位,1NM等于?【10的负9次方】\r\n没有答案标记的行\r\n");
    Result fromFile = Run({"convert", Path("bank.txt")});
    EXPECT_EQ(fromFile.status, 0);
    EXPECT_EQ(fromFile.out, converted);
    EXPECT_EQ(Run({"convert"}, dir.read("bank.txt")).out, converted);
    EXPECT_EQ(Run({"convert", "-"}, dir.read("bank.txt")).out, converted);

    std::string longLine(1500, 'x');
    std::string lines = G("吧\r\n啊\r\n") + longLine + "\r\n\r\nZ\r\n" + G("吧\r\na");
    dir.write("dup.txt", lines);
    std::string deduped = "Z\r\na\r\n" + longLine + "\r\n" + G("啊\r\n吧\r\n");
    Result dedup = Run({"dedup", Path("dup.txt")});
    EXPECT_EQ(dedup.status, 0);
    EXPECT_EQ(dedup.out, deduped);
    EXPECT_EQ(Run({"dedup"}, lines).out, deduped);
}

TEST_F(Cli, LargeFilesAreReadAsOneText) {
    // Files are read a piece at a time; the lines must be those of the whole
    // text: CR LF at character boundaries only, and the text ending at a 0x1A
    // that starts a character, wherever the pieces happen to be cut.
    std::mt19937 rng(5);
    const char alphabet[] = {'a', 'Q', '\xB0', '\xA3', '\r', '\n', '\r', '\n', ' '};
    std::string text;
    while (text.size() < (5u << 19)) {
        text += alphabet[rng() % 9];
        if (rng() % 100000 == 0) text += std::string(300000, '\xB0');  // lines longer than a piece
    }
    std::string stopped = text + "\x1A" + G("之后\r\n");
    for (const std::string& bytes : {text, stopped}) {
        dir.write("big.txt", bytes);
        std::string_view readable = wy::TextUpToStop(bytes);
        Result convert = Run({"convert", Path("big.txt")});
        ASSERT_EQ(convert.status, 0);
        EXPECT_TRUE(convert.out == wy::BankText(wy::ImportBankText(readable)));
        Result dedup = Run({"dedup"}, bytes);
        ASSERT_EQ(dedup.status, 0);
        EXPECT_TRUE(dedup.out == wy::DedupLines(wy::Split(readable, "\r\n")));
    }
}

TEST_F(Cli, PinyinAndNormalize) {
    EXPECT_EQ(Run({"pinyin", "善提本无树"}).out, "STBWS\n");
    EXPECT_EQ(Run({"pinyin", "--gbk", G("善提本无树")}).out, "STBWS\n");
    EXPECT_EQ(Run({"normalize", "  ａｂｃ？ "}).out, "ABC?\n");
    EXPECT_EQ(Run({"normalize", "--gbk", G("“五角大楼”是？")}).out, G("\"五角大楼\"是?\n"));
    EXPECT_EQ(Run({"normalize", "--", "-x"}).out, "-X\n");
}

TEST_F(Cli, ErrorsAreOneLineOnStderrWithStatus2) {
    std::string missing = Path("missing.txt");
    std::string cannotOpen = "wenyuan-cli: cannot open " + missing + ": No such file or directory\n";
    std::vector<std::string> missingFile[] = {
        {"search", "--bank", missing, "x"},
        {"search", "--custom", missing, "x"},
        {"check", missing},
        {"convert", missing},
        {"dedup", missing},
    };
    for (const auto& args : missingFile) {
        Result r = Run(args);
        EXPECT_EQ(r.status, 2) << args[0];
        EXPECT_EQ(r.err, cannotOpen) << args[0];
        EXPECT_EQ(r.out, "") << args[0];
    }

    Result outsideGbk = Run({"search", "--bank", Path("bank.txt"), "泸定桥😀"});
    EXPECT_EQ(outsideGbk.status, 2);
    EXPECT_EQ(outsideGbk.err, "wenyuan-cli: TEXT holds \"😀\" (U+1F600), which GBK cannot hold\n");
    EXPECT_EQ(outsideGbk.out, "");
    EXPECT_EQ(Run({"normalize", "\xFF"}).status, 2);  // not UTF-8

    std::vector<std::string> misuse[] = {
        {}, {"find", "x"}, {"search"}, {"search", "a", "b"}, {"search", "--bank"},
        {"search", "--color", "x"}, {"pinyin", "--answers", "x"}, {"convert", "--gbk"},
    };
    for (const auto& args : misuse) {
        Result r = Run(args);
        EXPECT_EQ(r.status, 2) << ::testing::PrintToString(args);
        EXPECT_NE(r.err, "") << ::testing::PrintToString(args);
        EXPECT_EQ(r.out, "") << ::testing::PrintToString(args);
    }

    Result noTables = Run({"dedup", Path("bank.txt")}, "", {"TMPDIR=" + Path("no-such-dir")});
    EXPECT_EQ(noTables.status, 2);
    EXPECT_EQ(noTables.out, "");
    EXPECT_NE(noTables.err.find("cannot remove duplicates"), std::string::npos);
}

TEST_F(Cli, HelpAndVersion) {
    Result help = Run({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("wenyuan-cli search"), std::string::npos);
    Result version = Run({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out.rfind("wenyuan-cli ", 0), 0u);
}

}  // namespace
