#include "core/SourceListRows.h"

#include <cstdio>

#include "core/TimeText.h"

void FormatRowNumber(int32_t row, char* out, size_t size) {
    if (out == nullptr || size == 0)
        return;
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

MovePlan PlanMove(int32_t selected, int32_t rowCount, int32_t step) {
    MovePlan plan;
    if (rowCount < 2)
        return plan;
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
