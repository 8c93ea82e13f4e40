#include "encoder/EncoderCommand.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "encoder/CommandLine.h"

namespace {

bool Parse(const std::string& text, EncoderCommand& command, std::string& error) {
    std::vector<std::string> args;
    if (!SplitCommandLine(text.c_str(), args)) {
        error = "unbalanced quote";
        return false;
    }
    return ParseEncoderCommand(args, command, error);
}

// A DVD job as the program composes it.
const char kDvdText[] =
    "\"C:\\clips\\holiday.avi\" -o \"C:\\output video\\holiday.vob\" -oac lavc -ovc lavc -of mpeg "
    "-lavcopts vcodec=mpeg2video:keyint=15:vrc_buf_size=1835:vrc_maxrate=9400:vbitrate=5000:"
    "acodec=ac3:abitrate=224:autoaspect=1:aspect=16/9 -mpegopts format=dvd "
    "-af volume=+0db:0:lavcresample=48000 -srate 48000 -ofps 25.000000 "
    "-vf scale=720:-3,harddup,expand=720:576 -endpos 9:0:0 0 918";

TEST(ParseEncoderCommand, ReadsEveryPieceOfADvdJob) {
    EncoderCommand c;
    std::string error;
    ASSERT_TRUE(Parse(kDvdText, c, error)) << error;
    EXPECT_EQ("C:\\clips\\holiday.avi", c.source);
    EXPECT_EQ("C:\\output video\\holiday.vob", c.output);
    EXPECT_EQ(0, c.mode);
    EXPECT_EQ(918, c.windowHandle);
    EXPECT_EQ(VideoEncoder::kLavc, c.videoEncoder);
    EXPECT_EQ(AudioEncoder::kLavc, c.audioEncoder);
    EXPECT_EQ(Muxer::kMpeg, c.muxer);
    EXPECT_EQ("dvd", c.mpeg.format);
    EXPECT_EQ("mpeg2video", c.lavc.vcodec);
    EXPECT_EQ("ac3", c.lavc.acodec);
    EXPECT_EQ(15, c.lavc.keyint);
    EXPECT_EQ(1835, c.lavc.vrcBufSize);
    EXPECT_EQ(9400, c.lavc.vrcMaxRate);
    EXPECT_EQ(-1, c.lavc.vrcMinRate);
    EXPECT_EQ(5000, c.lavc.vbitrate);
    EXPECT_EQ(224, c.lavc.abitrate);
    EXPECT_EQ(1, c.lavc.autoaspect);
    EXPECT_EQ("16/9", c.lavc.aspect);
    EXPECT_TRUE(c.volumeSet);
    EXPECT_EQ(0.0, c.volumeDb);
    EXPECT_EQ(48000, c.sampleRate);
    EXPECT_TRUE(c.frameRate.set);
    EXPECT_EQ("25.000000", c.frameRate.text);
    EXPECT_DOUBLE_EQ(25.0, c.frameRate.fps);
    ASSERT_EQ(3u, c.videoFilters.size());
    EXPECT_EQ(VideoFilter::kScale, c.videoFilters[0].kind);
    EXPECT_EQ(720, c.videoFilters[0].width);
    EXPECT_EQ(-3, c.videoFilters[0].height);
    EXPECT_EQ(VideoFilter::kHarddup, c.videoFilters[1].kind);
    EXPECT_EQ(VideoFilter::kExpand, c.videoFilters[2].kind);
    EXPECT_EQ(576, c.videoFilters[2].height);
    EXPECT_DOUBLE_EQ(9 * 3600.0, c.endSeconds);
}

TEST(ParseEncoderCommand, ModeAndWindowAreTheLastTwoArguments) {
    struct Case {
        const char* tail;
        int mode;
        int64_t window;
    };
    const Case cases[] = {
        {" 1 0", 1, 0},
        {" 0 -2147483648", 0, -2147483648LL},
        {" 1 2147483647", 1, 2147483647},
        {" 0 4294967296", 0, 4294967296LL},
    };
    for (const Case& k : cases) {
        EncoderCommand c;
        std::string error;
        ASSERT_TRUE(Parse(std::string("\"a.avi\" -o \"b.avi\"") + k.tail, c, error)) << error;
        EXPECT_EQ(k.mode, c.mode) << k.tail;
        EXPECT_EQ(k.window, c.windowHandle) << k.tail;
    }
}

TEST(ParseEncoderCommand, ReadsVolumesAndFrameRates) {
    struct Case {
        const char* pieces;
        double volumeDb;
        const char* rateText;
        double fps;
    };
    const Case cases[] = {
        {"-af volume=-20db:0:channels=2 -ofps 24000/1001", -20.0, "24000/1001", 24000.0 / 1001},
        {"-af volume=+0db:0:channels=6:lavcresample=44100 -ofps 15000/1001", 0.0, "15000/1001",
         15000.0 / 1001},
        {"-af volume=+20db:0 -ofps 1000.000000", 20.0, "1000.000000", 1000.0},
        {"-af volume=+6db:0:channels=2:lavcresample=44100 -ofps 23.976100", 6.0, "23.976100",
         23.9761},
    };
    for (const Case& k : cases) {
        EncoderCommand c;
        std::string error;
        ASSERT_TRUE(Parse(std::string("\"a.avi\" -o \"b.avi\" ") + k.pieces + " 0 1", c, error))
            << error;
        EXPECT_DOUBLE_EQ(k.volumeDb, c.volumeDb) << k.pieces;
        EXPECT_EQ(k.rateText, c.frameRate.text) << k.pieces;
        EXPECT_DOUBLE_EQ(k.fps, c.frameRate.fps) << k.pieces;
        EXPECT_EQ(k.fps == 1000.0, c.frameRate.KeepsSourceTiming()) << k.pieces;
    }
}

TEST(ParseEncoderCommand, ProbeNeedsNoOutput) {
    EncoderCommand c;
    std::string error;
    EXPECT_TRUE(Parse("\"C:\\clips\\a.avi\" 1 77", c, error)) << error;
    EXPECT_FALSE(Parse("\"C:\\clips\\a.avi\" 0 77", c, error));
    EXPECT_NE(std::string::npos, error.find("output")) << error;
}

TEST(ParseEncoderCommand, ProbeIsNotFailedByConversionPieces) {
    // A probe reads only its source; a conversion with the same pieces is refused.
    const char* const pieces[] = {
        "-lavcopts vcodec=wmv2:vqscale=-1",
        "-af volume=+180db:0:channels=2",
        "-ofps 0 -vf scale=-3:-3",
        "-lavcopts vcodec=wmv2:vqscale=-1 -af volume=-200.5db:0 -srate 44k",
    };
    for (const char* p : pieces) {
        const std::string text = std::string("\"C:\\clips\\a.avi\" -o \"b.wmv\" ") + p;
        EncoderCommand c;
        std::string error;
        EXPECT_TRUE(Parse(text + " 1 77", c, error)) << p << " -> " << error;
        EXPECT_EQ("C:\\clips\\a.avi", c.source) << p;
        EXPECT_EQ(1, c.mode) << p;
        EXPECT_EQ(77, c.windowHandle) << p;
        EXPECT_FALSE(Parse(text + " 0 77", c, error)) << p;
    }
    // What is not a conversion choice still makes a probe fail.
    EncoderCommand c;
    std::string error;
    EXPECT_FALSE(Parse("\"a.avi\" -quiet 1 77", c, error));
    EXPECT_FALSE(Parse("\"a.avi\" \"b.avi\" 1 77", c, error));
    EXPECT_FALSE(Parse("\"a.avi\" -af 1 77", c, error));
}

TEST(ParseEncoderCommand, RejectsWhatItCannotHonour) {
    struct Case {
        const char* text;
        const char* inMessage; // part of the message that names the fault
    };
    const Case cases[] = {
        {"", "expected"},
        {"\"a.avi\" 0", "expected"},
        {"\"a.avi\" -o \"b.avi\" 2 918", "mode"},
        {"\"a.avi\" -o \"b.avi\" 0 x918", "window"},
        {"\"a.avi\" -o \"b.avi\" 0 99999999999999999999", "window"},
        {"\"a.avi\" -o \"b.avi\" -ovc lavc -lavcopts 0 918", "needs a value"},
        {"\"a.avi\" -o \"b.avi\" -quiet 0 918", "unknown option '-quiet'"},
        {"\"a.avi\" -o \"b.avi\" -lavcopts vcodec=mpeg4:turbo 0 918",
         "unknown sub-option 'turbo' of -lavcopts"},
        {"\"a.avi\" -o \"b.avi\" -lavcopts vcodec=h264 0 918", "vcodec"},
        {"\"a.avi\" -o \"b.avi\" -lavcopts vbitrate=fast 0 918", "vbitrate"},
        {"\"a.avi\" -o \"b.avi\" -lavcopts vbitrate=-5 0 918", "vbitrate"},
        {"\"a.avi\" -o \"b.avi\" -lavcopts vhq=1 0 918", "vhq"},
        {"\"a.avi\" -o \"b.avi\" -lavcopts aspect=0/9 0 918", "aspect"},
        {"\"a.avi\" -o \"b.avi\" -lameopts vbr=3:preset=x 0 918", "preset"},
        {"\"a.avi\" -o \"b.avi\" -lameopts mode=4 0 918", "-lameopts"},
        {"\"a.avi\" -o \"b.avi\" -xvidencopts bitrate=800:qpel 0 918", "qpel"},
        {"\"a.avi\" -o \"b.avi\" -lavfopts format=mkv 0 918", "format"},
        {"\"a.avi\" -o \"b.avi\" -mpegopts format=pes1 0 918", "format"},
        {"\"a.avi\" -o \"b.avi\" -ovc theora 0 918", "-ovc"},
        {"\"a.avi\" -o \"b.avi\" -oac faac 0 918", "-oac"},
        {"\"a.avi\" -o \"b.avi\" -of rawvideo 0 918", "-of"},
        {"\"a.avi\" -o \"b.avi\" -ffourcc DX5 0 918", "-ffourcc"},
        {"\"a.avi\" -o \"b.avi\" -sws 11 0 918", "-sws"},
        {"\"a.avi\" -o \"b.avi\" -srate 44k 0 918", "-srate"},
        {"\"a.avi\" -o \"b.avi\" -ofps 0 0 918", "-ofps"},
        {"\"a.avi\" -o \"b.avi\" -ofps 25/0 0 918", "-ofps"},
        {"\"a.avi\" -o \"b.avi\" -ofps fast 0 918", "-ofps"},
        {"\"a.avi\" -o \"b.avi\" -af volume=+80db:0 0 918", "volume"},
        {"\"a.avi\" -o \"b.avi\" -af volume=loud 0 918", "volume"},
        {"\"a.avi\" -o \"b.avi\" -af volume=+6db:0:bass=3 0 918", "bass"},
        {"\"a.avi\" -o \"b.avi\" -af pan=1:1 0 918", "audio filter"},
        {"\"a.avi\" -o \"b.avi\" -vf crop=100:100 0 918", "video filter"},
        {"\"a.avi\" -o \"b.avi\" -vf scale=-3:-3 0 918", "scale=-3:-3"},
        {"\"a.avi\" -o \"b.avi\" -vf scale=720 0 918", "scale=720"},
        {"\"a.avi\" -o \"b.avi\" -vf expand=-3:480 0 918", "expand"},
        {"\"a.avi\" -o \"b.avi\" -endpos 9:0:0:0 0 918", "-endpos"},
        {"\"a.avi\" -o \"b.avi\" -endpos 100mb 0 918", "-endpos"},
        {"\"a.avi\" \"b.avi\" -o \"c.avi\" 0 918", "unexpected argument"},
        {"-o \"c.avi\" 0 918", "no source"},
        {"\"a.avi -o \"c.avi\" 0 918", "unbalanced"},
    };
    for (const Case& k : cases) {
        EncoderCommand c;
        std::string error;
        EXPECT_FALSE(Parse(k.text, c, error)) << k.text;
        EXPECT_NE(std::string::npos, error.find(k.inMessage)) << k.text << " -> " << error;
    }
}

} // namespace
