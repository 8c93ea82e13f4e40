// What a probe learns about a source file.
#pragma once

#include <cstdint>

struct VideoInfo {
    double durationSeconds = 0.0; // 0 when unknown
    int32_t width = 0;
    int32_t height = 0;
    double framesPerSecond = 0.0; // 0 when unknown

    bool HasPicture() const { return width > 0 && height > 0 && framesPerSecond > 0.0; }
    bool IsUsable() const { return HasPicture() && durationSeconds > 0.0; }
};

// The values reported to the window (codes 1 to 4).
struct ProbeReport {
    int32_t durationSeconds = 0; // whole seconds; 0 marks the file unusable
    int32_t width = 0;
    int32_t height = 0;
    int32_t frameRateUnits = 0; // frames per second x 10,000,000
};

// Turns probe results into the reported numbers. An unusable source reports
// duration 0. A usable clip shorter than a second reports 1 so that it is not
// mistaken for an unusable file; numbers beyond 32 bits saturate.
ProbeReport MakeProbeReport(const VideoInfo& info);
