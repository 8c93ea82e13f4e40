#include "encoder/OutputVerdict.h"

#include <gtest/gtest.h>

namespace {

// A conversion's own text: the source (21:00 with video and sound), what it
// was asked to write, then the check's description of a finished output.
const char kConversion[] =
    "Input #0, avi, from 'C:\\clips\\a.avi':\n"
    "  Duration: 00:21:00.00, start: 0.000000, bitrate: 658 kb/s\n"
    "    Stream #0:0: Video: mpeg4 (DX50 / 0x30355844), yuv420p, 640x480, 25 fps, 25 tbr\n"
    "    Stream #0:1: Audio: mp3 (U[0][0][0] / 0x0055), 44100 Hz, stereo, fltp, 129 kb/s\n"
    "Stream mapping:\n"
    "  Stream #0:0 -> #0:0 (mpeg4 (native) -> mpeg4 (native))\n"
    "Output #0, avi, to 'C:\\out\\a.~enc12.avi':\n"
    "    Stream #0:0: Video: mpeg4 (DX50 / 0x30355844), yuv420p, 640x480, q=2-31, 25 fps\n"
    "    Stream #0:1: Audio: mp3 (U[0][0][0] / 0x0055), 44100 Hz, stereo, fltp\n"
    "frame=  100 fps=0.0 q=2.0 size=     256kB time=00:00:04.00\n";

TEST(OutputVerdict, SectionsOfFfmpegsText) {
    const FfmpegSection input = ReadFfmpegSection(kConversion, "Input #0");
    EXPECT_TRUE(input.found);
    EXPECT_DOUBLE_EQ(1260.0, input.durationSeconds);
    EXPECT_EQ(1, input.videoStreams);
    EXPECT_EQ(1, input.audioStreams);
    const FfmpegSection output = ReadFfmpegSection(kConversion, "Output #0");
    EXPECT_TRUE(output.found);
    EXPECT_DOUBLE_EQ(-1.0, output.durationSeconds);
    EXPECT_EQ(1, output.videoStreams);
    EXPECT_EQ(1, output.audioStreams) << "the mapping lines are not streams of the output";
    EXPECT_FALSE(ReadFfmpegSection("C:\\out\\x.avi: Invalid data found", "Input #0").found);
}

TEST(OutputVerdict, RulesOfAFinishedOutput) {
    FfmpegSection both;
    both.found = true;
    both.videoStreams = 1;
    both.audioStreams = 1;
    FfmpegSection videoOnly = both;
    videoOnly.audioStreams = 0;
    FfmpegSection audioOnly = both;
    audioOnly.videoStreams = 0;
    struct Case {
        const FfmpegSection& asked;
        double converted;
        const FfmpegSection& found;
        double foundSeconds;
        bool tail;
        OutputFault fault;
    } cases[] = {
        {both, 1260.0, both, 1260.0, true, kOutputSound},
        {both, 1260.0, both, 723.0, true, kOutputWrongDuration}, // ends at 00:12:03 of 00:21:00
        {both, 1260.0, both, 1235.0, true, kOutputSound},        // 2 % of 21 minutes is 25.2 s
        {both, 1260.0, both, 1234.0, true, kOutputWrongDuration},
        {both, 1260.0, both, 1286.0, true, kOutputWrongDuration}, // longer counts too
        {both, 3.0, both, 2.5, true, kOutputSound},               // at least half a second
        {both, 3.0, both, 2.4, true, kOutputWrongDuration},
        {both, 3.0, both, -1.0, true, kOutputWrongDuration}, // no duration at all
        {both, -1.0, both, -1.0, true, kOutputSound},        // the source's was unknown
        {both, 3.0, videoOnly, 3.0, true, kOutputNoAudio},
        {both, 3.0, audioOnly, 3.0, true, kOutputNoVideo},
        {videoOnly, 3.0, videoOnly, 3.0, true, kOutputSound},
        {both, 3.0, both, 3.0, false, kOutputEndDoesNotDecode},
        {both, 3.0, FfmpegSection(), 3.0, true, kOutputUnreadable},
    };
    int index = 0;
    for (const Case& c : cases) {
        FfmpegSection found = c.found;
        found.durationSeconds = c.foundSeconds;
        EXPECT_EQ(c.fault, JudgeOutput(c.asked, c.converted, found, c.tail)) << index++;
    }
}

TEST(OutputVerdict, WhatWasConvertedIsCutAtTheEndPosition) {
    EXPECT_DOUBLE_EQ(60.0, ConvertedSeconds(60.0, -1.0));
    EXPECT_DOUBLE_EQ(10.0, ConvertedSeconds(60.0, 10.0));
    EXPECT_DOUBLE_EQ(60.0, ConvertedSeconds(60.0, 90.0));
    EXPECT_DOUBLE_EQ(-1.0, ConvertedSeconds(-1.0, 10.0));
}

} // namespace
