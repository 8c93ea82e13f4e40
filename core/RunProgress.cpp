#include "core/RunProgress.h"

namespace {

bool IsSlot(int32_t slot) {
    return slot >= 0 && slot < kMaxJobs;
}

} // namespace

RunProgress::RunProgress() {
    for (double& last : lastPosition)
        last = kNoPositionShown;
}

void RunProgress::StartJob(int32_t slot) {
    if (!IsSlot(slot))
        return;
    position[slot] = 0.0;
    lastPosition[slot] = kNoPositionShown;
}

void RunProgress::FinishJob(int32_t slot, double rowSeconds) {
    doneSeconds += rowSeconds;
    if (IsSlot(slot))
        position[slot] = 0.0;
}

double RunProgress::RunningSeconds() const {
    double sum = 0.0;
    for (double p : position)
        sum += p;
    return sum;
}
