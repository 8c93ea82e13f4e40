// Fuzzes the readers of what "ffmpeg -i" prints about its input (its
// picture, its streams), and the numbers a probe reports from it.
#include <cstddef>
#include <cstdint>
#include <string>

#include "encoder/FfmpegBannerReader.h"
#include "encoder/PictureFilters.h"
#include "encoder/StreamList.h"
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

    // Every stream is numbered in its kind's order; the default sound is one of them.
    const StreamList streams = ReadStreamList(text);
    int orders[SourceStream::kOther + 1] = {};
    for (const SourceStream& s : streams.streams)
        FUZZ_CHECK(s.kindOrder == orders[s.kind]++);
    const SourceStream* sound = streams.DefaultAudio();
    FUZZ_CHECK((sound != nullptr) == (streams.Count(SourceStream::kAudio) > 0));
    const double steady = ReadPictureFacts(text).SteadyRate();
    FUZZ_CHECK(steady == 0.0 || (steady > 0.0 && steady <= 120.0));
    return 0;
}
