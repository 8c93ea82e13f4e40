#include "core/SourceTable.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

SourceRow RowFor(int i) {
    return SourceRow{10.0 * i, 100 + i, 200 + i, 20.0 + i};
}
std::string PathFor(int i) {
    return "C:\\clips\\" + std::to_string(i) + ".avi";
}

void ExpectRow(const SourceTable& table, int row, int from) {
    const SourceRow* r = table.At(row);
    ASSERT_NE(nullptr, r);
    const SourceRow want = RowFor(from);
    EXPECT_DOUBLE_EQ(want.duration, r->duration) << row;
    EXPECT_EQ(want.width, r->width) << row;
    EXPECT_EQ(want.height, r->height) << row;
    EXPECT_DOUBLE_EQ(want.frameRate, r->frameRate) << row;
    EXPECT_EQ(PathFor(from), table.Path(row)) << row;
}

SourceTable FiveRows() {
    SourceTable table;
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(i, table.Append(PathFor(i).c_str(), RowFor(i)));
    return table;
}

TEST(SourceTable, BoundsOfTheNinetyNineRows) {
    SourceTable table;
    EXPECT_NE(nullptr, table.At(0));
    EXPECT_NE(nullptr, table.At(98));
    EXPECT_EQ(nullptr, table.At(99));
    EXPECT_EQ(nullptr, table.At(-1));
    EXPECT_EQ(nullptr, table.At(INT32_MIN));
}

TEST(SourceTable, AppendCountsRowsAndSecondsUntilTheListIsFull) {
    SourceTable table;
    for (int i = 0; i < kSourceTableRows; ++i) {
        ASSERT_TRUE(table.HasRoom());
        ASSERT_EQ(i, table.Append(PathFor(1).c_str(), RowFor(1)));
    }
    EXPECT_FALSE(table.HasRoom());
    EXPECT_EQ(-1, table.Append(PathFor(2).c_str(), RowFor(2)));
    EXPECT_EQ(kSourceTableRows, table.Count());
    EXPECT_DOUBLE_EQ(990.0, table.TotalSeconds());
    table.Clear();
    EXPECT_EQ(0, table.Count());
    EXPECT_EQ(0.0, table.TotalSeconds());
}

TEST(SourceTable, RemoveMovesAllFourColumnsUpAndTakesTheSecondsOut) {
    SourceTable table = FiveRows();
    ASSERT_TRUE(table.Remove(2));
    ExpectRow(table, 0, 0);
    ExpectRow(table, 1, 1);
    ExpectRow(table, 2, 3);
    ExpectRow(table, 3, 4);
    EXPECT_EQ(4, table.Count());
    EXPECT_DOUBLE_EQ(80.0, table.TotalSeconds());
    for (int32_t row : {-1, 4, 99, INT32_MAX})
        EXPECT_FALSE(table.Remove(row)) << row;
    EXPECT_EQ(4, table.Count());
    EXPECT_STREQ("", table.Path(4)); // the freed row holds no path
}

TEST(SourceTable, TheLastRemovalLeavesNoRoundingRemainder) {
    SourceTable table;
    for (double d : {0.1, 0.2, 0.3})
        table.Append("C:\\a.avi", SourceRow{d, 1, 1, 1.0});
    while (table.Count() > 0)
        ASSERT_TRUE(table.Remove(0));
    EXPECT_EQ(0.0, table.TotalSeconds());
}

TEST(SourceTable, SwapExchangesWholeRows) {
    SourceTable table = FiveRows();
    table.SwapRows(0, 1);
    ExpectRow(table, 0, 1);
    ExpectRow(table, 1, 0);
    table.SwapRows(1, 99);
    table.SwapRows(-1, 0);
    ExpectRow(table, 0, 1);
    ExpectRow(table, 1, 0);
}

TEST(SourceTable, StatesMoveWithTheirRowsAndANewRowHasNone) {
    SourceTable table = FiveRows();
    for (int32_t row = 0; row < 5; ++row)
        table.State(row)->percent = row;
    table.State(1)->reason = "one";
    table.SwapRows(0, 1);
    EXPECT_EQ("one", table.State(0)->reason);
    table.Remove(0);
    EXPECT_EQ(0, table.State(0)->percent);
    EXPECT_EQ(2, table.State(1)->percent);
    EXPECT_EQ(0, table.State(4)->percent) << "the freed row";
    EXPECT_EQ("", table.State(4)->reason);
    table.State(3)->status = RowStatus::kDone;
    table.Remove(3);
    table.Append("x.avi", SourceRow{});
    EXPECT_EQ(RowStatus::kNone, table.State(3)->status);
    EXPECT_EQ(nullptr, table.State(99));
}

TEST(SourceTable, APathIsCopiedWholeOrNotAtAll) {
    SourceTable table = FiveRows();
    const std::string path = PathFor(3);
    char fits[64];
    EXPECT_TRUE(table.CopyPath(3, fits, sizeof fits));
    EXPECT_EQ(path, fits);
    std::vector<char> exact(path.size() + 1);
    EXPECT_TRUE(table.CopyPath(3, exact.data(), exact.size()));
    char cut[8] = "x";
    EXPECT_FALSE(table.CopyPath(3, cut, sizeof cut)); // a cut path would name another file
    EXPECT_STREQ("", cut);
    char none[8] = "x";
    EXPECT_FALSE(table.CopyPath(5, none, sizeof none));
    EXPECT_STREQ("", none);
}

} // namespace
