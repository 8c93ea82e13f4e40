// Where a source row stands in the last run: nothing before any run, then
// waiting, converting (with its percentage), done, failed (with the reason
// the end box gives) or stopped. Pure.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

enum class RowStatus { kNone, kWaiting, kConverting, kDone, kFailed, kStopped };

struct RowState {
    RowStatus status = RowStatus::kNone;
    int32_t percent = 0; // kConverting only, 0..99
    std::string reason;  // kFailed only
    std::string log;     // the path of the row's log in this run; "" for none
};

// The Status column's text: "", "Waiting", "Converting 42 %", "Done",
// "Failed", "Stopped".
void FormatRowStatus(const RowState& state, char* out, size_t size);

// The whole percent of a file converted up to `position` of `duration`
// seconds, 0..99: a row shows 100 only as "Done".
int32_t ConvertingPercent(double position, double duration);
