// Fuzzes the readers of FFmpeg's output streams: the "-progress" blocks on
// stdout and the last-line tracker on stderr. The first byte chooses how the
// text is cut into pieces, since pipes deliver it in pieces of any size.
#include <cstddef>
#include <cstdint>
#include <string>

#include "encoder/LastLineTracker.h"
#include "encoder/FfmpegProgressReader.h"
#include "tests/fuzz/FuzzCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0)
        return 0;
    size_t piece = static_cast<size_t>(data[0] % 64) + 1;
    const char* text = reinterpret_cast<const char*>(data + 1);
    size_t length = size - 1;

    ProgressReader pieces;
    ProgressReader whole;
    LastLineTracker lastPieces;
    LastLineTracker lastWhole;
    for (size_t at = 0; at < length; at += piece) {
        size_t n = length - at < piece ? length - at : piece;
        pieces.Feed(text + at, n);
        lastPieces.Feed(text + at, n);
    }
    whole.Feed(text, length);
    lastWhole.Feed(text, length);

    // Cutting the stream differently must not change what was read.
    FUZZ_CHECK(pieces.PositionMicroseconds() == whole.PositionMicroseconds());
    FUZZ_CHECK(pieces.Ended() == whole.Ended());
    FUZZ_CHECK(lastPieces.LastLine() == lastWhole.LastLine());

    FUZZ_CHECK(whole.PositionMicroseconds() >= -1);
    FUZZ_CHECK(whole.PositionSeconds() >= 0);
    FUZZ_CHECK(lastWhole.LastLine().size() <= 1024);
    FUZZ_CHECK(lastWhole.LastLine().find_first_of("\r\n") == std::string::npos);
    return 0;
}
