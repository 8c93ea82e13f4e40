// Process-wide values that describe the source list and a batch run in progress.
#pragma once

#include <cstdint>

#include "engine/SourceTable.h"

struct RunState {
    int32_t rowCount = 0;         // rows in the source list; the next probe row
    int32_t probeFailed = 0;      // 1 when the probe reported an invalid value
    int32_t cancelRequested = 0;  // 1 when the user asked to stop
    uint32_t startTick = 0;       // tick count (ms) at the start of the batch
    double doneSeconds = 0.0;     // summed duration of the rows finished this batch
    double totalSeconds = 0.0;    // summed duration of all rows in the list
    int32_t currentRow = 0;       // row being converted
    double lastPosition = 999.0;  // last position shown
    int32_t eventCounter = 0;     // position reports since the last extra pump, 0..99

    // True while the list has room for one more source (the probe row must be
    // a row of the SourceTable).
    bool HasRoomForSource() const { return rowCount >= 0 && rowCount < kSourceTableRows; }
};

extern RunState g_runState;
