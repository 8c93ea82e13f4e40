// What the encoder's reports do: probe values into the probe's own result,
// position reports into the run's progress display and the stop question.
// Pure: the window system is reached through a ProgressPort.
#pragma once

#include <cstdint>

#include "protocol/EncoderEvents.h" // the event codes, shared with the encoder
#include "core/RunProgress.h"
#include "core/SourceTable.h"

// What one import probe learned about its file.
struct ProbeResult {
    SourceRow facts;
    bool rejected = false; // a report carried an invalid value

    // Nothing was rejected, and duration, width, height and frame rate were
    // all reported (a probe whose encoder ended without reporting has none).
    bool Usable() const;
};

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

// Stores a probe value (codes 1 to 4) into the probe's result. An invalid
// value stores nothing and marks the result rejected; other codes are
// ignored. Always returns kEventGoOn.
int32_t ApplyProbeReport(uint32_t code, int32_t value, ProbeResult& probe);

// Handles a position report of the job in `slot`. After a Yes to the stop
// question every job gets kEventStop. A pending Cancel asks the question once
// (kEventStop on Yes); reports that come while it is on screen only note
// their position. Otherwise shows the progress of the whole run, the finished
// rows plus the positions of the running jobs, unless the position repeats
// the job's last one shown or the sum lies outside the list. The bar never
// moves back.
int32_t ReportProgress(int32_t slot, double position, RunProgress& state, ProgressPort& port);
