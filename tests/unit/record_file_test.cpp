#include "search/record_file.h"

#include <gtest/gtest.h>

#include "support/gbk.h"
#include "support/temp_dir.h"

using namespace wy;
namespace fs = std::filesystem;

namespace {

class RecordFile : public ::testing::Test {
protected:
    TempDir dir;
    std::string path = dir.gbk("record.txt");
    RecordOutcome Record(std::string_view utf8) { return RecordInFile(path, G(utf8)); }
    std::string Content() const { return dir.read("record.txt"); }
};

TEST_F(RecordFile, CreatesTheFileThenRefusesTheSameKey) {
    EXPECT_EQ(Record("泸定桥在我国哪个省境内?【四川】"), RecordOutcome::Added);
    EXPECT_EQ(Content(), G("泸定桥在我国哪个省境内?【四川】\r\n"));
    EXPECT_EQ(Record("泸定桥在我国哪个省境内?【四川】"), RecordOutcome::AlreadyRecorded);
    // Different characters with the same initials (LDQZWGNGSJNSC) count as the same.
    EXPECT_EQ(Record("鹿定桥在我国哪个省境内?【四川】"), RecordOutcome::AlreadyRecorded);
    EXPECT_EQ(Content(), G("泸定桥在我国哪个省境内?【四川】\r\n"));
    // The custom tag adds ZDY to the front of the key.
    EXPECT_EQ(Record("(自定义)泸定桥在我国哪个省境内?【四川】"), RecordOutcome::Added);
    EXPECT_EQ(Content(), G("泸定桥在我国哪个省境内?【四川】\r\n(自定义)泸定桥在我国哪个省境内?【四川】\r\n"));
}

TEST_F(RecordFile, RecordsTheImportedFormOfTheItem) {
    EXPECT_EQ(Record("\"五角大楼是美国哪个机构的代称?\"=\"国防部\""), RecordOutcome::Added);
    EXPECT_EQ(Content(), G("五角大楼是美国哪个机构的代称?【国防部】\r\n"));
}

TEST_F(RecordFile, TheEmptyKeyEqualsTheEmptyKey) {
    dir.write("record.txt", "");
    EXPECT_EQ(Record(""), RecordOutcome::Added);  // an empty file holds no line
    EXPECT_EQ(Content(), "\r\n");
    EXPECT_EQ(Record("ABC"), RecordOutcome::AlreadyRecorded);
    EXPECT_EQ(Record(""), RecordOutcome::AlreadyRecorded);
    EXPECT_EQ(Content(), "\r\n");
}

TEST_F(RecordFile, AppendsAtTheEndWithoutJoiningOrOverwritingLines) {
    // Lines after a 0x1A byte are not compared, but stay in the file.
    std::string before = G("甲【乙】\r\n") + "\x1A" + G("泸定桥【四川】\r\n");
    dir.write("record.txt", before);
    EXPECT_EQ(Record("泸定桥【四川】"), RecordOutcome::Added);
    EXPECT_EQ(Content(), before + G("泸定桥【四川】\r\n"));

    // A last line without CR LF is closed before the new line.
    dir.write("record.txt", G("甲【乙】"));
    EXPECT_EQ(Record("丙【丁】"), RecordOutcome::Added);
    EXPECT_EQ(Content(), G("甲【乙】\r\n丙【丁】\r\n"));
}

TEST_F(RecordFile, FailsInsteadOfClaimingSuccess) {
    EXPECT_EQ(RecordInFile(dir.gbk("missing-dir/record.txt"), G("甲【乙】")), RecordOutcome::Failed);
    EXPECT_FALSE(dir.exists("missing-dir"));

    dir.write("record.txt", G("甲【乙】\r\n"));
    fs::permissions(dir.path() / "record.txt", fs::perms::owner_read);
    EXPECT_EQ(Record("丙【丁】"), RecordOutcome::Failed);
    EXPECT_EQ(Content(), G("甲【乙】\r\n"));

    fs::create_directory(dir.path() / "folder");
    EXPECT_EQ(RecordInFile(dir.gbk("folder"), G("丙【丁】")), RecordOutcome::Failed);
}

}  // namespace
