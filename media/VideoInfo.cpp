#include "media/VideoInfo.h"

#include <cmath>

namespace {

int32_t Saturate(double value) {
    if (!(value > 0.0))
        return 0;
    if (value >= 2147483647.0)
        return 2147483647;
    return static_cast<int32_t>(value);
}

} // namespace

ProbeReport MakeProbeReport(const VideoInfo& info) {
    ProbeReport report;
    if (!info.IsUsable())
        return report;
    report.durationSeconds = Saturate(std::floor(info.durationSeconds));
    if (report.durationSeconds == 0)
        report.durationSeconds = 1;
    report.width = info.width;
    report.height = info.height;
    report.frameRateUnits = Saturate(std::floor(info.framesPerSecond * 10000000.0 + 0.5));
    return report;
}
