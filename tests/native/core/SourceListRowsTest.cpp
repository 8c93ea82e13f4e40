#include "core/SourceListRows.h"

#include "core/RowStatus.h"

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

TEST(SourceListRows, StatusTexts) {
    struct Case {
        RowStatus status;
        int32_t percent;
        const char* text;
    } cases[] = {
        {RowStatus::kNone, 0, ""},
        {RowStatus::kWaiting, 0, "Waiting"},
        {RowStatus::kConverting, 0, "Converting 0 %"},
        {RowStatus::kConverting, 42, "Converting 42 %"},
        {RowStatus::kDone, 0, "Done"},
        {RowStatus::kFailed, 0, "Failed"},
        {RowStatus::kStopped, 0, "Stopped"},
    };
    for (const Case& c : cases) {
        RowState state;
        state.status = c.status;
        state.percent = c.percent;
        char text[32] = "x";
        FormatRowStatus(state, text, sizeof text);
        EXPECT_STREQ(c.text, text);
    }
}

TEST(SourceListRows, ConvertingPercentIsWholeAndBelowAHundred) {
    struct Case {
        double position, duration;
        int32_t percent;
    } cases[] = {
        {0.0, 60.0, 0},  {25.2, 60.0, 42}, {59.9, 60.0, 99}, {75.0, 60.0, 99},
        {-1.0, 60.0, 0}, {5.0, 0.0, 0},    {5.0, -2.0, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.percent, ConvertingPercent(c.position, c.duration)) << c.position;
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
    } cases[] =
        {
            {0.0, "00:00:00"},      {59.999, "00:00:59"},    {75.0, "00:01:15"},
            {3725.0, "01:02:05"},   {360000.0, "100:00:00"}, {-3.0, "00:00:00"},
            {1e12, "596523:14:07"}, // clamped to the 32-bit range, never wraps negative
        };
    for (const Case& c : cases)
        EXPECT_EQ(c.text, Duration(c.seconds)) << c.seconds;
}

TEST(SourceListRows, SelectionAfterRemoveIsTheRowThatMovedUp) {
    EXPECT_EQ(1, SelectionAfterRemove(1, 3));
    EXPECT_EQ(-1, SelectionAfterRemove(2, 2)); // the last row went
    EXPECT_EQ(-1, SelectionAfterRemove(0, 0)); // the only row went
}

TEST(SourceListRows, MovePlans) {
    struct Case {
        int32_t selected, rowCount, step;
        MoveAction action;
        int32_t target;
    } cases[] = {
        {-1, 0, -1, MoveAction::kNothing, -1},
        {-1, 1, -1, MoveAction::kNothing, -1}, // one row, no selection: silent
        {0, 1, +1, MoveAction::kNothing, -1},
        {-1, 2, -1, MoveAction::kWarnNoSelection, -1},
        {-1, 2, +1, MoveAction::kWarnNoSelection, -1},
        {0, 2, -1, MoveAction::kFocusOnly, -1}, // up on the first row
        {1, 2, +1, MoveAction::kFocusOnly, -1}, // down on the last row
        {0, 2, +1, MoveAction::kSwap, 1},
        {1, 2, -1, MoveAction::kSwap, 0},
        {5, 9, -1, MoveAction::kSwap, 4},
        {5, 9, +1, MoveAction::kSwap, 6},
    };
    for (const Case& c : cases) {
        MovePlan plan = PlanMove(c.selected, c.rowCount, c.step);
        EXPECT_EQ(c.action, plan.action)
            << c.selected << " of " << c.rowCount << " step " << c.step;
        EXPECT_EQ(c.target, plan.target)
            << c.selected << " of " << c.rowCount << " step " << c.step;
    }
}

} // namespace
