#include "search/batch.h"

#include <gtest/gtest.h>

#include "support/gbk.h"

using namespace wy;

namespace {

// The line and position text of a step, or "-" when the step does nothing.
std::string Forward(Batch& b) {
    auto step = StepBatchForward(b);
    return step ? step->line + " " + step->positionText : "-";
}
std::string Back(Batch& b) {
    auto step = StepBatchBack(b);
    return step ? step->line + " " + step->positionText : "-";
}

TEST(Batch, StepsBetweenTheFirstAndTheLastLine) {
    Batch b;
    EXPECT_EQ(LoadBatch(b, "a\r\nb\r\nc\r\n"), "0/3");
    EXPECT_EQ(Back(b), "-");  // nothing taken yet
    EXPECT_EQ(Forward(b), "a 1/3");
    EXPECT_EQ(Back(b), "-");  // already at line 1
    EXPECT_EQ(Forward(b), "b 2/3");
    EXPECT_EQ(Forward(b), "c 3/3");
    EXPECT_EQ(Forward(b), "-");
    EXPECT_EQ(b.index, 3);
    EXPECT_EQ(Back(b), "b 2/3");
    EXPECT_EQ(Back(b), "a 1/3");
    EXPECT_EQ(Back(b), "-");
}

TEST(Batch, ProgressTextNamesTheLineNumber) {
    Batch b;
    LoadBatch(b, "a\r\nb");
    StepBatchForward(b);
    auto step = StepBatchForward(b);
    ASSERT_TRUE(step);
    EXPECT_EQ(step->progressText, G("正在处理2个"));
    EXPECT_EQ(BatchProgressText(0), G("正在处理0个"));
}

TEST(Batch, EmptyLinesAreEntriesOfTheirOwn) {
    Batch b;
    EXPECT_EQ(LoadBatch(b, "a\r\n\r\nb"), "0/3");
    Forward(b);
    auto step = StepBatchForward(b);
    ASSERT_TRUE(step);
    EXPECT_EQ(step->line, "");
    EXPECT_EQ(step->positionText, "2/3");
}

TEST(Batch, ALoadStartsOverAndAnEmptyLoadKeepsThePositionText) {
    Batch b;
    LoadBatch(b, "1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n9\r\n10");
    for (int i = 0; i < 3; ++i) StepBatchForward(b);
    EXPECT_EQ(b.index, 3);
    EXPECT_EQ(LoadBatch(b, "x\r\ny"), "0/2");
    EXPECT_EQ(Forward(b), "x 1/2");
    // A cancelled dialog, an unreadable or an empty file: the list empties,
    // nothing is shown, and both steps do nothing.
    EXPECT_EQ(LoadBatch(b, ""), std::nullopt);
    EXPECT_EQ(b.index, 0);
    EXPECT_TRUE(b.list.empty());
    EXPECT_EQ(Forward(b), "-");
    EXPECT_EQ(Back(b), "-");
}

}  // namespace
