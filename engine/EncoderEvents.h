// What the encoder's reports do: probe values into the SourceTable, position
// reports into the progress display and the stop question. Pure: the window
// system is reached through a ProgressPort.
#pragma once

#include <cstdint>

#include "encoder/EncoderEvents.h"  // the event codes, shared with the encoder
#include "engine/RunState.h"
#include "engine/SourceTable.h"

// Answer to a report; kEventStop tells the encoder to stop.
constexpr int32_t kEventGoOn = 0;
constexpr int32_t kEventStop = 1;

// What a position report needs from the window system.
class ProgressPort {
public:
    // Dispatches at most one waiting window message; never waits.
    virtual void PumpOneMessage() = 0;
    // Asks "Do you really want to stop?"; true on Yes.
    virtual bool AskStop() = 0;
    // Milliseconds of the run clock (wraps like the system tick count).
    virtual uint32_t TickCount() = 0;
    // Puts the status text and the bar position on screen.
    virtual void ShowProgress(const char* text, int32_t thousandths) = 0;

protected:
    ~ProgressPort() = default;
};

// Stores a probe value (codes 1 to 4) into the probe row, the row `rowCount`.
// An invalid value, or a probe row outside the table, stores nothing and sets
// probeFailed. Always returns kEventGoOn.
int32_t ApplyProbeReport(uint32_t code, int32_t value, SourceTable& table, RunState& state);

// Handles one position report: asks the stop question when Cancel is pending
// (kEventStop on Yes), then shows the progress unless the position repeats
// the last one shown or lies outside the list.
int32_t ReportProgress(double position, RunState& state, ProgressPort& port);

// Routes one encoder message by its code; other codes are ignored (kEventGoOn).
int32_t HandleEncoderEvent(uint32_t code, int32_t value, SourceTable& table, RunState& state,
                           ProgressPort& port);
