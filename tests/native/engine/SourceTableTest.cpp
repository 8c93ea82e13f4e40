#include "engine/SourceTable.h"

#include <gtest/gtest.h>

#include "engine/RunState.h"

namespace {

SourceRow RowFor(int i) { return SourceRow{10.0 * i, 100 + i, 200 + i, 20.0 + i}; }

void ExpectRow(const SourceTable& table, int row, int from) {
    const SourceRow* r = table.At(row);
    ASSERT_NE(nullptr, r);
    const SourceRow want = RowFor(from);
    EXPECT_DOUBLE_EQ(want.duration, r->duration) << row;
    EXPECT_EQ(want.width, r->width) << row;
    EXPECT_EQ(want.height, r->height) << row;
    EXPECT_DOUBLE_EQ(want.frameRate, r->frameRate) << row;
}

SourceTable FiveRows() {
    SourceTable table;
    for (int i = 0; i < 5; ++i) *table.At(i) = RowFor(i);
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

TEST(SourceTable, RemoveMovesAllFourColumnsUp) {
    SourceTable table = FiveRows();
    table.RemoveRow(2, 5);
    ExpectRow(table, 0, 0);
    ExpectRow(table, 1, 1);
    ExpectRow(table, 2, 3);
    ExpectRow(table, 3, 4);
    ExpectRow(table, 4, 4);  // the old last row keeps its values
}

TEST(SourceTable, RemoveOutsideTheListChangesNothing) {
    for (int32_t row : {-1, 5, 99, INT32_MAX}) {
        SourceTable table = FiveRows();
        table.RemoveRow(row, 5);
        for (int i = 0; i < 5; ++i) ExpectRow(table, i, i);
    }
    SourceTable full;
    for (int i = 0; i < kSourceTableRows; ++i) *full.At(i) = RowFor(i);
    full.RemoveRow(97, 500);  // a row count past the table is bounded by it
    ExpectRow(full, 97, 98);
    ExpectRow(full, 98, 98);
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

TEST(RunState, StartValuesAndRoomForSources) {
    RunState state;
    EXPECT_DOUBLE_EQ(999.0, state.lastPosition);
    EXPECT_EQ(0, state.rowCount);
    EXPECT_TRUE(state.HasRoomForSource());
    state.rowCount = 98;
    EXPECT_TRUE(state.HasRoomForSource());
    state.rowCount = 99;
    EXPECT_FALSE(state.HasRoomForSource());
    state.rowCount = -1;
    EXPECT_FALSE(state.HasRoomForSource());
}

}  // namespace
