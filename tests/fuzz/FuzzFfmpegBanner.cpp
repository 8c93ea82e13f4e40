// Fuzzes the reader of what "ffmpeg -i" prints about its input, and the
// numbers a probe reports from it.
#include <cstddef>
#include <cstdint>
#include <string>

#include "encoder/FfmpegBannerReader.h"
#include "media/VideoInfo.h"
#include "tests/fuzz/FuzzCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);
    VideoInfo info;
    bool ok = ReadFfmpegBanner(text, info);
    FUZZ_CHECK(ok == info.HasPicture());
    if (!ok) {
        FUZZ_CHECK(info.width == 0 && info.height == 0 && info.framesPerSecond == 0.0 &&
                   info.durationSeconds == 0.0);
    }
    FUZZ_CHECK(info.durationSeconds >= 0.0);

    ProbeReport report = MakeProbeReport(info);
    if (info.IsUsable()) {
        FUZZ_CHECK(report.durationSeconds >= 1 && report.width > 0 && report.height > 0);
        FUZZ_CHECK(report.frameRateUnits > 0);
    } else {
        FUZZ_CHECK(report.durationSeconds == 0);
    }
    return 0;
}
