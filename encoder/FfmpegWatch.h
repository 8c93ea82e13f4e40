// One FFmpeg run of a conversion watched to its end: positions reported to
// the window, a stop or a vanished window ends FFmpeg at once.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "encoder/EventReporter.h"

struct FfmpegRunResult {
    int outcome = 0;          // kExitSuccess, or why it ended early (ExitCodes.h)
    DWORD exitCode = 0;       // FFmpeg's, once it ended
    std::string lastError;    // FFmpeg's last error line
    int32_t lastPosition = 0; // the last position FFmpeg reached, in seconds
    std::string description;  // the start of FFmpeg's messages: its input and output
};

// The position shown to the window for the position FFmpeg reached.
using PositionShown = int32_t (*)(int32_t position, const void* context);

// Starts FFmpeg with args and waits for its end, reporting shown(position).
// outcome is kExitFfmpegMissing when it did not start, kExitStoppedByUser or
// kExitWindowGone when it was ended, else kExitSuccess (whatever FFmpeg's own
// exit code).
FfmpegRunResult WatchFfmpeg(const std::string& ffmpegPath, const std::vector<std::string>& args,
                            const EventReporter& reporter, PositionShown shown,
                            const void* context);
