// The bookkeeping behind the source list: the texts of a list row, and the
// SourceTable rows and run-state totals that must stay in step with the list
// when a file is added, removed or moved. Pure: the list control itself is
// driven by CSourceList.
#pragma once

#include <cstddef>
#include <cstdint>

#include "engine/RunState.h"
#include "engine/SourceTable.h"

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

// Readies the probe row (the row `rowCount`) for a probe: clears all four
// columns, so that a file without reports never shows the values of an earlier
// probe, and resets probeFailed. False, with nothing changed, when the list is
// full (no SourceTable row is left for the probe).
bool BeginProbe(SourceTable& table, RunState& state);

// True when the probe of the probe row gave a usable file: no report was
// rejected, and duration, width, height and frame rate were all reported (a
// probe whose encoder ended without reporting leaves them cleared).
bool ProbeSucceeded(const SourceTable& table, const RunState& state);

// Counts the probed row into the list: adds its duration to totalSeconds and
// rowCount by one. Returns the new row's index, or -1 when the list was full.
int32_t CommitProbedRow(SourceTable& table, RunState& state);

// Takes row `row` out of the list: subtracts its duration from totalSeconds,
// moves the later SourceTable rows up and decrements rowCount. False when the
// row is not in the list.
bool RemoveListRow(int32_t row, SourceTable& table, RunState& state);

// What MoveUp / MoveDown do for the selected row.
enum class MoveAction {
    kNothing,    // fewer than two rows: nothing at all
    kWarnNoSelection,  // no row selected: tell the user
    kFocusOnly,  // already at the end it moves towards: only focus the list
    kSwap,       // exchange with `target`
};

struct MovePlan {
    MoveAction action = MoveAction::kNothing;
    int32_t target = -1;  // the neighbour (kSwap only)
};

// `selected` is -1 without a selection; `step` is -1 (up) or +1 (down).
MovePlan PlanMove(int32_t selected, int32_t rowCount, int32_t step);

// Where the selection goes after row `removed` was taken out of a list that
// now has `rowCount` rows: the row that moved into its place, or -1 when the
// last row was removed.
int32_t SelectionAfterRemove(int32_t removed, int32_t rowCount);
