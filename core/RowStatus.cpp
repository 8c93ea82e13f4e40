#include "core/RowStatus.h"

#include <cstdio>

void FormatRowStatus(const RowState& state, char* out, size_t size) {
    if (out == nullptr || size == 0)
        return;
    const char* text = "";
    switch (state.status) {
    case RowStatus::kNone:
        break;
    case RowStatus::kWaiting:
        text = "Waiting";
        break;
    case RowStatus::kConverting:
        std::snprintf(out, size, "Converting %d %%", static_cast<int>(state.percent));
        return;
    case RowStatus::kDone:
        text = "Done";
        break;
    case RowStatus::kFailed:
        text = "Failed";
        break;
    case RowStatus::kStopped:
        text = "Stopped";
        break;
    }
    std::snprintf(out, size, "%s", text);
}

int32_t ConvertingPercent(double position, double duration) {
    // Also false for NaN.
    if (!(duration > 0.0) || !(position > 0.0))
        return 0;
    const double percent = position * 100.0 / duration;
    return percent >= 99.0 ? 99 : static_cast<int32_t>(percent);
}
