#include "core/EncoderReports.h"

#include "core/ProgressDisplay.h"

namespace {

// Every this many position reports one extra message is dispatched, so a
// fast stream of reports cannot starve the window.
constexpr int32_t kReportsPerExtraPump = 100;

// A negative frame-rate value is read as the largest one.
constexpr int32_t kLargestFrameRateUnits = 2147483647;
constexpr double kFrameRateUnit = 0.0000001;

} // namespace

bool ProbeResult::Usable() const {
    return !rejected && facts.duration > 0.0 && facts.width > 0 && facts.height > 0 &&
           facts.frameRate != 0.0;
}

int32_t ApplyProbeReport(uint32_t code, int32_t value, ProbeResult& probe) {
    if (code < kEventDuration || code > kEventFrameRate)
        return kEventGoOn;
    const bool valid = (code == kEventFrameRate) ? value != 0 : value > 0;
    if (!valid) {
        probe.rejected = true;
        return kEventGoOn;
    }
    SourceRow& row = probe.facts;
    switch (code) {
    case kEventDuration:
        row.duration = value;
        break;
    case kEventWidth:
        row.width = value;
        break;
    case kEventHeight:
        row.height = value;
        break;
    default:
        row.frameRate = (value < 0 ? kLargestFrameRateUnits : value) * kFrameRateUnit;
        break;
    }
    return kEventGoOn;
}

int32_t ReportProgress(int32_t slot, double position, RunProgress& state, ProgressPort& port) {
    if (slot < 0 || slot >= kMaxJobs)
        return kEventGoOn;
    if (++state.eventCounter >= kReportsPerExtraPump) {
        port.PumpOneMessage();
        state.eventCounter = 0;
    }

    if (state.stopping)
        return kEventStop;
    if (state.asking) {
        // Another job's report while the question is open: the answer decides.
        state.position[slot] = position;
        return kEventGoOn;
    }
    if (state.cancelRequested != 0) {
        state.asking = true;
        const bool stop = port.AskStop();
        state.asking = false;
        if (stop) {
            state.stopping = true;
            return kEventStop;
        }
        state.cancelRequested = 0;
    }

    port.PumpOneMessage();

    state.position[slot] = position;
    if (position == state.lastPosition[slot])
        return kEventGoOn;
    state.lastPosition[slot] = position;

    ProgressDisplay display;
    const uint32_t elapsedMs = port.TickCount() - state.startTick;
    if (!ComputeProgressDisplay(state.RunningSeconds(), state.doneSeconds, state.totalSeconds,
                                elapsedMs, display)) {
        return kEventGoOn;
    }
    if (display.thousandths < state.shownThousandths)
        display.thousandths = state.shownThousandths;
    state.shownThousandths = display.thousandths;
    port.ShowProgress(display.text, display.thousandths);
    port.PumpOneMessage();
    return kEventGoOn;
}
