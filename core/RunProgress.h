// What a batch run knows of its progress: the run clock's start, the seconds
// of the rows finished, the position of every running job, and where the
// user's stop request stands. Each run owns one. Pure.
#pragma once

#include <cstdint>

#include "core/ConversionSettings.h"

constexpr int32_t kMaxJobs = kMaxSimultaneousConversions;

// The last position of a job that has shown none yet.
constexpr double kNoPositionShown = 999.0;

struct RunProgress {
    uint32_t startTick = 0;         // run clock (ms) at the start of the batch
    double doneSeconds = 0.0;       // summed duration of the rows finished
    double totalSeconds = 0.0;      // summed duration of all rows in the list
    int32_t cancelRequested = 0;    // 1 when the user asked to stop
    bool asking = false;            // the stop question is on screen
    bool stopping = false;          // answered Yes: every job stops at its next report
    int32_t eventCounter = 0;       // position reports since the last extra pump, 0..99
    int32_t shownThousandths = 0;   // the bar as shown; it never goes back
    double position[kMaxJobs] = {}; // seconds into the file of each job slot
    double lastPosition[kMaxJobs];  // last position shown per job slot

    RunProgress();

    // A job starts in `slot` (0..kMaxJobs-1; others are ignored): no position
    // yet, nothing shown.
    void StartJob(int32_t slot);
    // The job in `slot` ended: its row's seconds count as done, its position
    // no more.
    void FinishJob(int32_t slot, double rowSeconds);
    // Summed positions of the running jobs.
    double RunningSeconds() const;
    // The stop request stands: the rows ending now count as cancelled.
    bool StopRequested() const { return cancelRequested != 0 || stopping; }
};
