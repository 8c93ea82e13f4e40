// The encoder's pieces for H.264, H.265 and VP9 outputs: what it accepts,
// what it refuses, and the FFmpeg arguments it makes of them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "encoder/CommandLine.h"
#include "encoder/EncoderCommand.h"
#include "encoder/FfmpegArguments.h"

namespace {

bool Parse(const std::string& text, EncoderCommand& command, std::string& error) {
    std::vector<std::string> args;
    if (!SplitCommandLine(text.c_str(), args))
        return false;
    return ParseEncoderCommand(args, command, error);
}

// FFmpeg's arguments joined with spaces, framed by spaces; "" when refused.
std::string Translate(const std::string& pieces) {
    EncoderCommand command;
    std::string error;
    if (!Parse("\"in.avi\" -o \"out.x\"" + pieces + " 0 918", command, error))
        return "";
    FfmpegTarget target;
    target.outputPath = "out.tmp";
    target.progress = false;
    std::vector<std::string> args;
    if (!TranslateToFfmpeg(command, target, args, error))
        return "";
    std::string joined;
    for (const std::string& a : args)
        joined += " " + a;
    return joined + " ";
}

TEST(ConstantQualityTranslation, Mp4JobTranslatesExactly) {
    EXPECT_EQ(" -hide_banner -nostdin -y -i in.avi -map 0:v:0 -map 0:a:0? -sn -dn"
              " -c:v libx264 -crf 20 -preset slow -profile:v high -pix_fmt yuv420p"
              " -c:a aac -b:a 160k -ac 2 -af volume=-3dB -ar 48000"
              " -vf scale=w=trunc((trunc(720*iw/ih)+1)/2)*2:h=720:flags=bicubic,"
              "pad=w=max(iw\\,1280):h=max(ih\\,720):x=(ow-iw)/2:y=(oh-ih)/2,"
              "crop=w=trunc(iw/2)*2:h=trunc(ih/2)*2"
              " -sws_flags bicubic -r 60000/1001 -vsync cfr -f mp4 -movflags +faststart -t 32400 "
              "out.tmp ",
              Translate(" -ovc x264 -x264encopts crf=20:preset=slow:profile=high"
                        " -oac lavc -lavcopts acodec=aac:abitrate=160"
                        " -of lavf -lavfopts format=mp4:o=movflags=+faststart -sws 2"
                        " -af volume=-3db:0:channels=2 -srate 48000 -ofps 60000/1001"
                        " -vf scale=-3:720,harddup,expand=1280:720 -endpos 9:0:0"));
}

TEST(ConstantQualityTranslation, EachEncodersPieces) {
    const struct {
        const char* pieces;
        const char* expected;
    } rows[] = {
        {" -ovc x265 -x265encopts crf=34:preset=veryfast:profile=main",
         " -c:v libx265 -crf 34 -preset veryfast -profile:v main -pix_fmt yuv420p -x265-params "
         "log-level=none "},
        {" -ovc vp9 -vp9encopts crf=44:cpu-used=4",
         " -c:v libvpx-vp9 -crf 44 -b:v 0 -deadline good -cpu-used 4 -row-mt 1 -pix_fmt yuv420p "},
        {" -ovc vp9 -oac lavc -lavcopts acodec=libopus:abitrate=64",
         " -c:a libopus -b:a 64k -ac 2 "},
        {" -ovc x264 -of lavf -lavfopts format=matroska", " -f matroska "},
        {" -ovc vp9 -of lavf -lavfopts format=webm", " -f webm "},
        // Left out, each encoder's own default.
        {" -ovc x264", " -c:v libx264 -crf 23 -preset medium -profile:v high -pix_fmt yuv420p "},
        {" -ovc x265 -x265encopts preset=slow",
         " -c:v libx265 -crf 28 -preset slow -profile:v main "},
        {" -ovc vp9 -vp9encopts crf=10", " -crf 10 -b:v 0 -deadline good -cpu-used 1 "},
    };
    for (const auto& row : rows) {
        const std::string args = Translate(row.pieces);
        EXPECT_NE(std::string::npos, args.find(row.expected)) << row.pieces << "\n" << args;
    }
}

// H.264 and H.265 need even sizes: whatever the source, the last filter
// crops an odd row or column; the older encoders keep their chains.
TEST(ConstantQualityTranslation, EvenSizesForTheNewEncodersOnly) {
    const char* const crop = "crop=w=trunc(iw/2)*2:h=trunc(ih/2)*2 ";
    for (const char* encoder : {" -ovc x264", " -ovc x265", " -ovc vp9"}) {
        EXPECT_NE(std::string::npos, Translate(encoder).find(" -vf " + std::string(crop)))
            << encoder;
        const std::string scaled = Translate(std::string(encoder) + " -vf scale=641:-3,harddup");
        EXPECT_NE(std::string::npos, scaled.find(":flags=bicubic," + std::string(crop))) << scaled;
    }
    EXPECT_EQ(std::string::npos, Translate(" -ovc lavc").find("crop"));
    EXPECT_EQ(std::string::npos, Translate(" -ovc xvid -vf scale=320:240").find("crop"));
}

TEST(ConstantQualityTranslation, RefusesWhatItCannotHonour) {
    const struct {
        const char* pieces;
        const char* inMessage;
    } rows[] = {
        {" -ovc x264 -x264encopts crf=52", "-x264encopts"},
        {" -ovc x264 -x264encopts preset=turbo", "preset"},
        {" -ovc x264 -x264encopts profile=high10", "profile"},
        {" -ovc x264 -x264encopts crf", "crf"},
        {" -ovc x264 -x264encopts bframes=3", "bframes"},
        {" -ovc x265 -x265encopts profile=main10", "profile"},
        {" -ovc x265 -x265encopts crf=-1", "crf"},
        {" -ovc vp9 -vp9encopts crf=64", "-vp9encopts"},
        {" -ovc vp9 -vp9encopts cpu-used=9", "-vp9encopts"},
        {" -ovc vp9 -vp9encopts lossless", "lossless"},
        {" -ovc vp8", "-ovc"},
        {" -ovc x264 -lavfopts o=movflags=+frag_keyframe", "o"},
        {" -ovc x264 -lavfopts format=mov", "format"},
        {" -ovc x264 -lavcopts acodec=opus", "acodec"},
    };
    for (const auto& row : rows) {
        EncoderCommand command;
        std::string error;
        EXPECT_FALSE(
            Parse(std::string("\"a.avi\" -o \"b.mp4\"") + row.pieces + " 0 918", command, error))
            << row.pieces;
        EXPECT_NE(std::string::npos, error.find(row.inMessage)) << row.pieces << " -> " << error;
    }
}

} // namespace
