// The progress display of a conversion run: the status text and the bar
// position (thousandths) computed from a position report. Pure.
#pragma once

#include <cstddef>
#include <cstdint>

constexpr size_t kProgressTextCapacity = 256;
constexpr int32_t kProgressBarEnd = 1000; // the bar counts thousandths

// Shown when a run starts, before the first report.
extern const char kProgressStartText[]; // "Total time:00:00:00,Elapsed time:00:00:00;Finished 0.0%"
// Shown when the user presses Cancel.
extern const char kProgressCancelText[]; // "Cancel processing..."

struct ProgressDisplay {
    int32_t thousandths = 0; // bar position 0..1000
    char text[kProgressTextCapacity] = "";
};

// Computes the display for `position` seconds into the current file, with
// `doneSeconds` of finished files, `totalSeconds` of the whole list and
// `elapsedMs` since the run started. The estimated total assumes the rest goes
// at the pace so far; before anything is done it is the list's media time.
// Returns false when the report lies outside the list (beyond 1000
// thousandths, or negative): nothing is to be shown. A list of unknown length
// (totalSeconds 0 or less) shows the elapsed time, an unknown total
// ("--:--:--") and 0.0%.
bool ComputeProgressDisplay(double position, double doneSeconds, double totalSeconds,
                            uint32_t elapsedMs, ProgressDisplay& display);
