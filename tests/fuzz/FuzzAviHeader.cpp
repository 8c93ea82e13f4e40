// Fuzzes the AVI header reader with arbitrary file starts: what it reads, the
// numbers a probe reports from that, and whether the data list follows.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "media/AviHeaderReader.h"
#include "media/VideoInfo.h"
#include "tests/fuzz/FuzzCheck.h"

namespace {
const uint8_t kMovi[4] = {'m', 'o', 'v', 'i'};
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // A copy of exactly `size` bytes, so AddressSanitizer sees any read past it.
    std::vector<uint8_t> bytes(data, data + size);
    VideoInfo info;
    bool ok = ReadAviHeader(bytes.empty() ? nullptr : bytes.data(), bytes.size(), info);
    FUZZ_CHECK(ok == info.HasPicture());
    FUZZ_CHECK(info.width >= 0 && info.width <= 32768);
    FUZZ_CHECK(info.height >= 0 && info.height <= 32768);
    FUZZ_CHECK(info.framesPerSecond >= 0.0 && info.framesPerSecond <= 10000.0);
    FUZZ_CHECK(info.durationSeconds >= 0.0);

    // The data list can only follow a header that the bytes hold.
    if (AviDataFollowsHeader(bytes.empty() ? nullptr : bytes.data(), bytes.size())) {
        FUZZ_CHECK(std::search(bytes.begin(), bytes.end(), kMovi, kMovi + 4) != bytes.end());
    }

    ProbeReport report = MakeProbeReport(info);
    if (info.IsUsable()) {
        FUZZ_CHECK(report.durationSeconds >= 1);
        FUZZ_CHECK(report.width == info.width && report.height == info.height);
        FUZZ_CHECK(report.frameRateUnits > 0);
    } else {
        FUZZ_CHECK(report.durationSeconds == 0);
    }
    return 0;
}
