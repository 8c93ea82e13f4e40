#include "encoder/PictureFilters.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/OutputFormat.h"
#include "encoder/CommandLine.h"
#include "encoder/FfmpegArguments.h"
#include "tests/native/encoder/EngineJobs.h"

namespace {

std::string Banner(const std::string& video) {
    return "Input #0, mov,mp4,m4a,3gp,3g2,mj2, from 'in.mp4':\n"
           "  Duration: 00:00:02.00, start: 0.000000, bitrate: 500 kb/s\n"
           "    Stream #0:0(und): Video: " +
           video + "\n    Stream #0:1(und): Audio: aac (LC), 48000 Hz, stereo, fltp\n";
}

TEST(PictureFilters, ReadsColourRangeAndFields) {
    struct Case {
        const char* video;
        const char* matrix;
        const char* transfer;
        bool full;
        PictureFacts::Fields fields;
    } cases[] = {
        {"hevc (Main 10), yuv420p10le(tv, bt2020nc/bt2020/smpte2084, progressive), 3840x2160, "
         "25 fps, 25 tbr",
         "bt2020nc", "smpte2084", false, PictureFacts::kProgressive},
        {"h264 (High), yuv420p(tv, bt709, top first), 1920x1080, 25 fps, 25 tbr", "bt709", "bt709",
         false, PictureFacts::kTopFirst},
        {"dvvideo, yuv420p(bottom first), 720x576, 25 fps", "", "", false,
         PictureFacts::kBottomFirst},
        {"mjpeg, yuvj420p(pc, bt470bg/unknown/unknown), 640x480, 30 fps", "bt470bg", "unknown",
         true, PictureFacts::kProgressive},
        {"mpeg2video, yuv420p(tv, top coded first (swapped)), 720x576, 25 fps", "", "", false,
         PictureFacts::kBottomFirst},
    };
    for (const Case& c : cases) {
        PictureFacts f = ReadPictureFacts(Banner(c.video));
        EXPECT_TRUE(f.known) << c.video;
        EXPECT_EQ(c.matrix, f.matrix) << c.video;
        EXPECT_EQ(c.transfer, f.transfer) << c.video;
        EXPECT_EQ(c.full, f.fullRange) << c.video;
        EXPECT_EQ(c.fields, f.fields) << c.video;
    }
    EXPECT_FALSE(ReadPictureFacts("Input #0, wav\n  Stream #0:0: Audio: pcm_s16le\n").known);
}

// The FFmpeg arguments of a format's job for a source that FFmpeg describes
// with `video`, joined with spaces.
std::string Translate(int32_t format, const std::string& video, int width, int height) {
    const SourceRow row{2.0, width, height, 25.0};
    ConversionSettings settings = WithFormat(format);
    settings.tvMode = 1; // PAL: 576 lines at 25 fps
    std::string text = ComposeJobText(settings, row, "C:\\in.mp4", "C:\\out.x", 0, 918);
    std::vector<std::string> args;
    EXPECT_TRUE(SplitCommandLine(text.c_str(), args)) << text;
    EncoderCommand command;
    std::string error;
    EXPECT_TRUE(ParseEncoderCommand(args, command, error)) << error;
    FfmpegTarget target;
    target.outputPath = "C:\\out.~enc.x";
    target.picture = ReadPictureFacts(Banner(video));
    std::vector<std::string> ffmpeg;
    EXPECT_TRUE(TranslateToFfmpeg(command, target, ffmpeg, error)) << error;
    std::string joined;
    for (const std::string& a : ffmpeg)
        joined += " " + a;
    return joined + " ";
}

TEST(PictureFilters, TranslatesWhatThePictureNeeds) {
    const char* hdr = "hevc (Main 10), yuv420p10le(tv, bt2020nc/bt2020/arib-std-b67), 1920x1080, "
                      "25 fps";
    const char* hd709 = "h264 (High), yuv420p(tv, bt709), 1920x1080, 25 fps";
    const char* sd = "mpeg4, yuv420p, 720x576, 25 fps";
    const char* sdTop = "mpeg2video, yuv420p(tv, top first), 720x576, 25 fps";
    const char* hdTop = "h264 (High), yuv420p(tv, bt709, top first), 1920x1080, 25 fps";
    struct Case {
        int32_t format;
        const char* video;
        int width;
        int height;
        const char* present; // in the arguments ("" for none)
        const char* absent;
    } cases[] = {
        {kFormatMp4, hdr, 1920, 1080, "tonemap=tonemap=mobius", "bwdif"},
        {kFormatMp4, hdr, 1920, 1080, " -color_trc bt709 ", "out_color_matrix"},
        {kFormatDvd, hdr, 1920, 1080, "out_color_matrix=bt601", "bwdif"},
        {kFormatDvd, hd709, 1920, 1080, "in_color_matrix=bt709:out_color_matrix=bt601", "tonemap"},
        // Unchanged, and tagged as the source was.
        {kFormatMp4, hd709, 1920, 1080,
         " -colorspace bt709 -color_primaries bt709 -color_trc bt709 -color_range tv ",
         "color_matrix"},
        {kFormatAvi, sd, 720, 576, " -i ", "color"},
        {kFormatDvd, sdTop, 720, 576, " -flags +ilme+ildct -top 1 ", "bwdif"},
        {kFormatMp4, sdTop, 720, 576, "bwdif=mode=send_frame:parity=tff:deint=all", "ilme"},
        {kFormatDvd, hdTop, 1920, 1080, "-vf bwdif=", "ilme"},
        // Frames at a varying rate come out at a steady one, the higher of
        // the nominal and the average; a steady source keeps its timing.
        {kFormatMp4, "h264, yuv420p, 320x240, 15.75 fps, 30 tbr", 320, 240,
         ",fps=fps=30 -sws_flags bicubic -r 30 -vsync cfr ", "vfr"},
        {kFormatAvi, "h264, yuv420p, 320x240, 15.75 fps, 30 tbr", 320, 240,
         " -vf fps=fps=25.000000 -sws_flags bicubic -r 25.000000 -vsync cfr ", "vfr"},
        {kFormatMkv, "h264, yuv420p, 320x240, 29.4 fps, 29.97 tbr", 320, 240,
         " -r 30000/1001 -vsync cfr ", "vfr"},
        {kFormatWebm, "vp9, yuv420p, 320x240, 30 fps, 1k tbr", 320, 240, " -r 30 -vsync cfr ",
         "vfr"},
        {kFormatMp4, "h264, yuv420p, 320x240, 29.98 fps, 29.97 tbr", 320, 240, " -vsync vfr ",
         "cfr"},
    };
    for (const Case& c : cases) {
        const std::string args = Translate(c.format, c.video, c.width, c.height);
        EXPECT_NE(std::string::npos, args.find(c.present)) << c.video << "\n" << args;
        EXPECT_EQ(std::string::npos, args.find(c.absent)) << c.video << "\n" << args;
    }
}

} // namespace
