// Fuzzes the ISO base media header reader with whole files: the top-level
// walk through a ByteSource, the movie box's contents alone, and the numbers
// a probe reports from what it read.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "media/IsoMediaReader.h"
#include "media/VideoInfo.h"
#include "tests/fuzz/FuzzCheck.h"

namespace {

void CheckInfo(IsoMediaResult result, const VideoInfo& info) {
    if (result != IsoMediaResult::kRead) {
        FUZZ_CHECK(info.width == 0 && info.height == 0 && info.durationSeconds == 0.0);
        return;
    }
    FUZZ_CHECK(info.IsUsable());
    FUZZ_CHECK(info.width <= 32768 && info.height <= 32768);
    FUZZ_CHECK(info.framesPerSecond <= 10000.0);
    ProbeReport report = MakeProbeReport(info);
    FUZZ_CHECK(report.durationSeconds >= 1 && report.frameRateUnits > 0);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // A copy of exactly `size` bytes, so AddressSanitizer sees any read past it.
    std::vector<uint8_t> bytes(data, data + size);
    const uint8_t* p = bytes.empty() ? nullptr : bytes.data();
    MemoryByteSource source(p, bytes.size());
    VideoInfo info;
    CheckInfo(ReadIsoMedia(source, info), info);
    CheckInfo(ReadIsoMovie(p, bytes.size(), info), info);
    LooksLikeIsoMedia(p, bytes.size());
    return 0;
}
