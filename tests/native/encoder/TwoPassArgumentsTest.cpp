#include "encoder/TwoPassArguments.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "encoder/CommandLine.h"
#include "encoder/EncoderCommand.h"
#include "encoder/FfmpegArguments.h"

namespace {

std::string Joined(const std::vector<std::string>& args) {
    std::string text;
    for (const std::string& a : args)
        text += (text.empty() ? "" : " ") + a;
    return text;
}

std::vector<std::string> Single(const std::string& pieces) {
    EncoderCommand command;
    std::string error;
    const std::string text =
        "\"C:\\in.avi\" -o \"C:\\o.x\" " + pieces + " -targetsize 10000000 0 0";
    std::vector<std::string> words;
    EXPECT_TRUE(SplitCommandLine(text.c_str(), words));
    EXPECT_TRUE(ParseEncoderCommand(words, command, error)) << error;
    EXPECT_EQ(command.targetBytes, 10000000);
    FfmpegTarget target;
    target.outputPath = "C:\\dir\\o.~enc7.x";
    std::vector<std::string> args;
    EXPECT_TRUE(TranslateToFfmpeg(command, target, args, error)) << error;
    return args;
}

TEST(TwoPass, EachCodecGetsItsPassAndLog) {
    struct {
        const char* pieces;
        const char* pass2; // what the second pass carries
    } const cases[] = {
        {"-ovc x264 -x264encopts bitrate=900:preset=fast", "-b:v 700k -preset fast"},
        {"-ovc vp9 -vp9encopts bitrate=900:cpu-used=4", "-b:v 700k -deadline good"},
        {"-ovc lavc -lavcopts vcodec=mpeg2video:vbitrate=900", "-b:v 700k"},
        {"-ovc xvid -xvidencopts bitrate=900", "-b:v 700k"},
    };
    for (const auto& c : cases) {
        const std::vector<std::string> single = Single(c.pieces);
        EXPECT_EQ(VideoKbpsOf(single), 900);
        const std::string pass2 = Joined(PassArguments(single, 2, "C:\\dir\\o.~enc7.x.pass", 700));
        SCOPED_TRACE(pass2);
        EXPECT_NE(pass2.find(c.pass2), std::string::npos);
        EXPECT_NE(pass2.find("-pass 2 -passlogfile C:\\dir\\o.~enc7.x.pass C:\\dir\\o.~enc7.x"),
                  std::string::npos);
        EXPECT_EQ(pass2.find("-crf"), std::string::npos);
    }
    // x265 takes pass and statistics as its own parameters, the path escaped.
    const std::string x265 =
        Joined(PassArguments(Single("-ovc x265 -x265encopts bitrate=900"), 1, "C:\\o.pass", 900));
    EXPECT_NE(x265.find("log-level=none:pass=1:stats=C\\:\\\\o.pass-0.log"), std::string::npos);
    EXPECT_EQ(x265.find("-passlogfile"), std::string::npos);
}

TEST(TwoPass, ReEncodeAndPositions) {
    EXPECT_EQ(ReEncodeVideoKbps(1000, 10500000, 10000000), 923);
    EXPECT_EQ(ReEncodeVideoKbps(1000, 8500000, 10000000), 1141);
    EXPECT_EQ(ReEncodeVideoKbps(1, 100, 10), 1);
    EXPECT_TRUE(ReEncodeRaises(8999999, 10000000));
    EXPECT_FALSE(ReEncodeRaises(9000000, 10000000));
    EXPECT_FALSE(ReEncodeRaises(4999999, 10000000)); // a rate that cannot fill it
    // Both passes count; the bar never goes back.
    int32_t last = 0;
    for (int pass : {1, 2, 3}) {
        for (int32_t position : {0, 7, 40}) {
            const int32_t shown = PassPosition(pass, position, 40);
            EXPECT_GE(shown, last);
            EXPECT_LE(shown, 40);
            last = shown;
        }
    }
    EXPECT_EQ(PassLogFiles("C:\\o.pass").front(), "C:\\o.pass-0.log");
}

} // namespace
