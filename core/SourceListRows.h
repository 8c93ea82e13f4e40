// The bookkeeping behind the source list: the texts of a list row, where a
// row moves and what is selected afterwards. Pure: the list control itself is
// driven by CSourceList.
#pragma once

#include <cstddef>
#include <cstdint>

#include "core/SourceTable.h"

// Longest source path the list accepts: the encoder's and the output naming's
// path buffers hold 255 characters.
constexpr size_t kMaxSourcePathLength = 255;
// Cells are read back with this many characters.
constexpr int kListCellCapacity = 1024;
constexpr size_t kRowNumberCapacity = 32;

// Column 0: ten spaces and the 1-based row number ("          1" for row 0).
void FormatRowNumber(int32_t row, char* out, size_t size);

// Column 2: the duration in whole seconds (truncated) as "hh:mm:ss".
void FormatRowDuration(double duration, char* out, size_t size);

// What MoveUp / MoveDown do for the selected row.
enum class MoveAction {
    kNothing,         // fewer than two rows: nothing at all
    kWarnNoSelection, // no row selected: tell the user
    kFocusOnly,       // already at the end it moves towards: only focus the list
    kSwap,            // exchange with `target`
};

struct MovePlan {
    MoveAction action = MoveAction::kNothing;
    int32_t target = -1; // the neighbour (kSwap only)
};

// `selected` is -1 without a selection; `step` is -1 (up) or +1 (down).
MovePlan PlanMove(int32_t selected, int32_t rowCount, int32_t step);

// Where the selection goes after row `removed` was taken out of a list that
// now has `rowCount` rows: the row that moved into its place, or -1 when the
// last row was removed.
int32_t SelectionAfterRemove(int32_t removed, int32_t rowCount);
