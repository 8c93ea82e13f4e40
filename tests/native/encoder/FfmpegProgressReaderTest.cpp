#include "encoder/FfmpegProgressReader.h"

#include <gtest/gtest.h>

#include <string>

#include "encoder/LastLineTracker.h"

namespace {

const char kBlocks[] =
    "frame=0\nfps=0.00\nout_time_us=-9223372036854775807\nout_time_ms=-9223372036854775807\n"
    "out_time=-577014:32:22.775808\nprogress=continue\n"
    "frame=40\nfps=0.00\nbitrate=N/"
    "A\nout_time_us=1600000\nout_time_ms=1600000\nout_time=00:00:01.600000\n"
    "progress=continue\n"
    "frame=75\nout_time_ms=3040000\nout_time=00:00:03.040000\nspeed=1.5x\nprogress=end\n";

TEST(ProgressReader, SameResultForEverySplitOfTheStream) {
    const std::string stream = kBlocks;
    for (size_t piece = 1; piece <= 17; ++piece) {
        ProgressReader reader;
        for (size_t at = 0; at < stream.size(); at += piece) {
            reader.Feed(stream.data() + at, std::min(piece, stream.size() - at));
        }
        EXPECT_EQ(3040000, reader.PositionMicroseconds()) << piece;
        EXPECT_EQ(3, reader.PositionSeconds()) << piece;
        EXPECT_TRUE(reader.Ended()) << piece;
    }
}

TEST(ProgressReader, PositionAsItArrives) {
    ProgressReader reader;
    EXPECT_EQ(-1, reader.PositionMicroseconds());
    EXPECT_EQ(0, reader.PositionSeconds());
    reader.Feed("out_time_us=-5\nout_time=N/A\n", 28);
    EXPECT_EQ(-1, reader.PositionMicroseconds()); // nothing before the first frame
    reader.Feed("out_time_us=2999", 16);
    EXPECT_EQ(-1, reader.PositionMicroseconds()); // an unfinished line waits for its end
    reader.Feed("999\r\n", 5);
    EXPECT_EQ(2999999, reader.PositionMicroseconds());
    EXPECT_EQ(2, reader.PositionSeconds());
    reader.Feed("out_time=01:02:03.5\n", 20); // only out_time: a shorter fraction
    EXPECT_EQ(3723500000LL, reader.PositionMicroseconds());
    reader.Feed("out_time=1:2\nout_time_us=12x\n", 29); // garbage changes nothing
    EXPECT_EQ(3723500000LL, reader.PositionMicroseconds());
    EXPECT_FALSE(reader.Ended());
    std::string overlong = "out_time_us=" + std::string(5000, '7') + "\n";
    reader.Feed(overlong.data(), overlong.size());
    EXPECT_EQ(3723500000LL, reader.PositionMicroseconds());
    reader.Feed("progress=end\n", 13);
    EXPECT_TRUE(reader.Ended());
}

TEST(LastLineTracker, KeepsTheLastNonEmptyLine) {
    LastLineTracker tracker;
    EXPECT_EQ("", tracker.LastLine());
    const std::string text =
        "[mpeg4 @ 0000000000479d40] too many threads\r\n"
        "Error while opening encoder for output stream #0:0 - maybe incorrect parameters\n\n  \n";
    for (char c : text)
        tracker.Feed(&c, 1);
    EXPECT_EQ("Error while opening encoder for output stream #0:0 - maybe incorrect parameters",
              tracker.LastLine());
    tracker.Feed("Conversion failed!", 18); // no line end yet: still the last line
    EXPECT_EQ("Conversion failed!", tracker.LastLine());
}

} // namespace
