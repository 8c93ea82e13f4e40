#include "app/SourceListRows.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string Number(int32_t row) {
    char text[kRowNumberCapacity];
    FormatRowNumber(row, text, sizeof text);
    return text;
}

std::string Duration(double seconds) {
    char text[32];
    FormatRowDuration(seconds, text, sizeof text);
    return text;
}

// A list of `count` rows whose durations are 10, 20, 30, ... and whose other
// columns tell the rows apart.
void FillList(SourceTable& table, RunState& state, int count) {
    state = RunState{};
    for (int i = 0; i < count; ++i) {
        ASSERT_TRUE(BeginProbe(table, state));
        SourceRow* row = table.At(state.rowCount);
        row->duration = 10.0 * (i + 1);
        row->width = 100 + i;
        row->height = 200 + i;
        row->frameRate = 25.0 + i;
        ASSERT_EQ(i, CommitProbedRow(table, state));
    }
}

TEST(SourceListRows, RowNumberIsTenSpacesAndTheOneBasedIndex) {
    EXPECT_EQ("          1", Number(0));
    EXPECT_EQ("          2", Number(1));
    EXPECT_EQ("          99", Number(98));
}

TEST(SourceListRows, DurationTruncatesToWholeSeconds) {
    struct Case {
        double seconds;
        const char* text;
    } cases[] = {
        {0.0, "00:00:00"},      {59.999, "00:00:59"},    {75.0, "00:01:15"},
        {3725.0, "01:02:05"},   {360000.0, "100:00:00"}, {-3.0, "00:00:00"},
        {1e12, "596523:14:07"},  // clamped to the 32-bit range, never wraps negative
    };
    for (const Case& c : cases) EXPECT_EQ(c.text, Duration(c.seconds)) << c.seconds;
}

TEST(SourceListRows, ProbeRowIsClearedBeforeEachProbe) {
    SourceTable table;
    RunState state;
    // A failed probe left its values in the probe row.
    *table.At(0) = SourceRow{42.0, 640, 480, 25.0};
    state.probeFailed = 1;
    ASSERT_TRUE(BeginProbe(table, state));
    EXPECT_EQ(0, state.probeFailed);
    EXPECT_EQ(0.0, table.At(0)->duration);
    EXPECT_EQ(0, table.At(0)->width);
    EXPECT_EQ(0, table.At(0)->height);
    EXPECT_EQ(0.0, table.At(0)->frameRate);
}

TEST(SourceListRows, ProbeSucceedsOnlyWithEveryValueReported) {
    struct Case {
        SourceRow row;
        int32_t probeFailed;
        bool ok;
    } cases[] = {
        {{3725.0, 640, 480, 25.0}, 0, true},
        {{3725.0, 640, 480, 214.7483647}, 0, true},
        {{3725.0, 640, 480, 25.0}, 1, false},  // a rejected report
        {{0.0, 640, 480, 25.0}, 0, false},     // the encoder ended without reports
        {{3725.0, 0, 480, 25.0}, 0, false},
        {{3725.0, 640, 0, 25.0}, 0, false},
        {{3725.0, 640, 480, 0.0}, 0, false},
    };
    for (const Case& c : cases) {
        SourceTable table;
        RunState state;
        state.rowCount = 3;
        *table.At(3) = c.row;
        state.probeFailed = c.probeFailed;
        EXPECT_EQ(c.ok, ProbeSucceeded(table, state)) << c.row.duration << " " << c.row.width;
    }
    SourceTable table;
    RunState full;
    full.rowCount = kSourceTableRows;
    EXPECT_FALSE(ProbeSucceeded(table, full));
}

TEST(SourceListRows, FullListRefusesTheProbeAndChangesNothing) {
    SourceTable table;
    RunState state;
    FillList(table, state, kSourceTableRows);
    state.probeFailed = 1;
    EXPECT_FALSE(BeginProbe(table, state));
    EXPECT_EQ(1, state.probeFailed);
    EXPECT_EQ(-1, CommitProbedRow(table, state));
    EXPECT_EQ(kSourceTableRows, state.rowCount);
    EXPECT_EQ(10.0 * kSourceTableRows, table.At(kSourceTableRows - 1)->duration);
}

TEST(SourceListRows, CommitAddsDurationAndCountsTheRow) {
    SourceTable table;
    RunState state;
    FillList(table, state, 3);
    EXPECT_EQ(3, state.rowCount);
    EXPECT_DOUBLE_EQ(60.0, state.totalSeconds);
}

TEST(SourceListRows, RemovingRowTwoOfFourShiftsAllColumnsAndTheTotal) {
    SourceTable table;
    RunState state;
    FillList(table, state, 4);
    ASSERT_TRUE(RemoveListRow(1, table, state));
    EXPECT_EQ(3, state.rowCount);
    EXPECT_DOUBLE_EQ(80.0, state.totalSeconds);
    const int32_t expectedOldRow[] = {0, 2, 3};
    for (int32_t i = 0; i < 3; ++i) {
        int32_t old = expectedOldRow[i];
        EXPECT_EQ(10.0 * (old + 1), table.At(i)->duration) << i;
        EXPECT_EQ(100 + old, table.At(i)->width) << i;
        EXPECT_EQ(200 + old, table.At(i)->height) << i;
        EXPECT_EQ(25.0 + old, table.At(i)->frameRate) << i;
    }
    EXPECT_EQ(1, SelectionAfterRemove(1, state.rowCount));
}

TEST(SourceListRows, RemovingTheLastOrOnlyRowLeavesNoSelection) {
    SourceTable table;
    RunState state;
    FillList(table, state, 2);
    ASSERT_TRUE(RemoveListRow(1, table, state));
    EXPECT_EQ(-1, SelectionAfterRemove(1, state.rowCount));
    ASSERT_TRUE(RemoveListRow(0, table, state));
    EXPECT_EQ(-1, SelectionAfterRemove(0, state.rowCount));
    EXPECT_EQ(0, state.rowCount);
    EXPECT_EQ(0.0, state.totalSeconds);
}

TEST(SourceListRows, RemovingOutsideTheListChangesNothing) {
    SourceTable table;
    RunState state;
    FillList(table, state, 2);
    for (int32_t row : {-1, 2, 98, 99}) {
        EXPECT_FALSE(RemoveListRow(row, table, state)) << row;
        EXPECT_EQ(2, state.rowCount);
        EXPECT_DOUBLE_EQ(30.0, state.totalSeconds);
    }
}

TEST(SourceListRows, MovePlans) {
    struct Case {
        int32_t selected, rowCount, step;
        MoveAction action;
        int32_t target;
    } cases[] = {
        {-1, 0, -1, MoveAction::kNothing, -1},
        {-1, 1, -1, MoveAction::kNothing, -1},  // one row, no selection: silent
        {0, 1, +1, MoveAction::kNothing, -1},
        {-1, 2, -1, MoveAction::kWarnNoSelection, -1},
        {-1, 2, +1, MoveAction::kWarnNoSelection, -1},
        {0, 2, -1, MoveAction::kFocusOnly, -1},  // up on the first row
        {1, 2, +1, MoveAction::kFocusOnly, -1},  // down on the last row
        {0, 2, +1, MoveAction::kSwap, 1},
        {1, 2, -1, MoveAction::kSwap, 0},
        {5, 9, -1, MoveAction::kSwap, 4},
        {5, 9, +1, MoveAction::kSwap, 6},
    };
    for (const Case& c : cases) {
        MovePlan plan = PlanMove(c.selected, c.rowCount, c.step);
        EXPECT_EQ(c.action, plan.action) << c.selected << " of " << c.rowCount << " step " << c.step;
        EXPECT_EQ(c.target, plan.target) << c.selected << " of " << c.rowCount << " step " << c.step;
    }
}

}  // namespace
