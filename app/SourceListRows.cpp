#include "app/SourceListRows.h"

#include <cstdio>

#include "engine/TimeText.h"

void FormatRowNumber(int32_t row, char* out, size_t size) {
    if (out == nullptr || size == 0) return;
    std::snprintf(out, size, "          %d", static_cast<int>(row) + 1);
}

void FormatRowDuration(double duration, char* out, size_t size) {
    // Truncated toward zero, and kept inside the 32-bit range of the time text.
    int32_t seconds = 0;
    if (duration >= 2147483647.0) {
        seconds = 2147483647;
    } else if (duration > 0.0) {
        seconds = static_cast<int32_t>(duration);
    }
    FormatHmsTo(seconds, out, size);
}

bool BeginProbe(SourceTable& table, RunState& state) {
    if (!state.HasRoomForSource()) return false;
    SourceRow* row = table.At(state.rowCount);
    if (row == nullptr) return false;
    *row = SourceRow{};
    state.probeFailed = 0;
    return true;
}

bool ProbeSucceeded(const SourceTable& table, const RunState& state) {
    const SourceRow* row = table.At(state.rowCount);
    if (row == nullptr || state.probeFailed != 0) return false;
    return row->duration > 0.0 && row->width > 0 && row->height > 0 && row->frameRate != 0.0;
}

int32_t CommitProbedRow(SourceTable& table, RunState& state) {
    const SourceRow* row = table.At(state.rowCount);
    if (row == nullptr) return -1;
    state.totalSeconds += row->duration;
    return state.rowCount++;
}

bool RemoveListRow(int32_t row, SourceTable& table, RunState& state) {
    const SourceRow* removed = table.At(row);
    if (removed == nullptr || row >= state.rowCount) return false;
    state.totalSeconds -= removed->duration;
    // Rounding can leave a tiny remainder once every row is gone.
    if (state.rowCount == 1 || state.totalSeconds < 0.0) state.totalSeconds = 0.0;
    table.RemoveRow(row, state.rowCount);
    --state.rowCount;
    return true;
}

MovePlan PlanMove(int32_t selected, int32_t rowCount, int32_t step) {
    MovePlan plan;
    if (rowCount < 2) return plan;
    if (selected < 0 || selected >= rowCount) {
        plan.action = MoveAction::kWarnNoSelection;
        return plan;
    }
    int32_t target = selected + (step < 0 ? -1 : 1);
    if (target < 0 || target >= rowCount) {
        plan.action = MoveAction::kFocusOnly;
        return plan;
    }
    plan.action = MoveAction::kSwap;
    plan.target = target;
    return plan;
}

int32_t SelectionAfterRemove(int32_t removed, int32_t rowCount) {
    return (removed >= 0 && removed < rowCount) ? removed : -1;
}
