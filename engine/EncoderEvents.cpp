#include "engine/EncoderEvents.h"

#include "engine/ProgressText.h"

namespace {

// Every this many position reports one extra message is dispatched, so a
// fast stream of reports cannot starve the window.
constexpr int32_t kReportsPerExtraPump = 100;

// A negative frame-rate value is read as the largest one.
constexpr int32_t kLargestFrameRateUnits = 2147483647;
constexpr double kFrameRateUnit = 0.0000001;

}  // namespace

int32_t ApplyProbeReport(uint32_t code, int32_t value, SourceTable& table, RunState& state) {
    SourceRow* row = table.At(state.rowCount);
    const bool valid = (code == kEventFrameRate) ? value != 0 : value > 0;
    if (row == nullptr || !valid) {
        state.probeFailed = 1;
        return kEventGoOn;
    }
    switch (code) {
    case kEventDuration: row->duration = value; break;
    case kEventWidth: row->width = value; break;
    case kEventHeight: row->height = value; break;
    case kEventFrameRate:
        row->frameRate = (value < 0 ? kLargestFrameRateUnits : value) * kFrameRateUnit;
        break;
    default: break;
    }
    return kEventGoOn;
}

int32_t ReportProgress(double position, RunState& state, ProgressPort& port) {
    if (++state.eventCounter >= kReportsPerExtraPump) {
        port.PumpOneMessage();
        state.eventCounter = 0;
    }

    if (state.cancelRequested != 0) {
        if (port.AskStop()) return kEventStop;
        state.cancelRequested = 0;
    }

    port.PumpOneMessage();

    if (position == state.lastPosition) return kEventGoOn;
    state.lastPosition = position;

    ProgressDisplay display;
    const uint32_t elapsedMs = port.TickCount() - state.startTick;
    if (!ComputeProgressDisplay(position, state.doneSeconds, state.totalSeconds, elapsedMs,
                                display)) {
        return kEventGoOn;
    }
    port.ShowProgress(display.text, display.thousandths);
    port.PumpOneMessage();
    return kEventGoOn;
}

int32_t HandleEncoderEvent(uint32_t code, int32_t value, SourceTable& table, RunState& state,
                           ProgressPort& port) {
    switch (code) {
    case kEventDuration:
    case kEventWidth:
    case kEventHeight:
    case kEventFrameRate:
        return ApplyProbeReport(code, value, table, state);
    case kEventPosition:
        return ReportProgress(value, state, port);
    default:
        return kEventGoOn;
    }
}
