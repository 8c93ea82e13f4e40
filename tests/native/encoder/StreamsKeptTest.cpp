// MP4 and MKV with the streams kept: the program's argument text, the
// encoder's parse of it and its translation for sources FFmpeg describes.
#include "encoder/StreamsKept.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "core/OutputFormat.h"
#include "encoder/CommandLine.h"
#include "encoder/FfmpegArguments.h"
#include "tests/native/encoder/EngineJobs.h"

namespace {

std::string Fixture(const char* name) {
    std::ifstream in(std::string(ENCODER_FIXTURE_DIR) + name, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

struct Translation {
    std::string text;   // the program's pieces after the output name
    std::string ffmpeg; // FFmpeg's arguments after the input; "" when refused
    std::string error;
};

Translation Translate(int32_t format, const std::string& banner) {
    Translation t;
    t.text = ComposeJobText(WithFormat(format), SourceRow{2.0, 320, 240, 25.0}, "C:\\in",
                            "C:\\out.x", 0, 918);
    std::vector<std::string> args;
    EncoderCommand command;
    if (!SplitCommandLine(t.text.c_str(), args) || !ParseEncoderCommand(args, command, t.error))
        return t;
    FfmpegTarget target;
    target.outputPath = "C:\\out.tmp";
    target.progress = false;
    target.streams = ReadStreamList(banner);
    if (!TranslateToFfmpeg(command, target, args, t.error))
        return t;
    // -hide_banner -nostdin -y -fflags +genpts -i C:\in, then what is judged.
    const std::vector<std::string> head = {"-hide_banner", "-nostdin", "-y", "-fflags",
                                           "+genpts",      "-i",       "C:\\in"};
    EXPECT_EQ(head, std::vector<std::string>(args.begin(), args.begin() + head.size()));
    for (size_t i = head.size(); i < args.size(); ++i)
        t.ffmpeg += (t.ffmpeg.empty() ? "" : " ") + args[i];
    return t;
}

const char kTail[] = " -map_metadata 0 -map_chapters 0 -movflags +faststart -f mp4 -t 32400 "
                     "C:\\out.tmp";

TEST(StreamsKept, EachContainerTakesWhatItCarries) {
    const std::string hevc = "Input #0, matroska,webm, from 'in.mkv':\n"
                             "    Stream #0:0: Video: mjpeg, yuvj420p(pc), 600x600 (attached pic)\n"
                             "    Stream #0:1: Video: hevc (Main), yuv420p(tv), 1920x1080, 25 fps\n"
                             "    Stream #0:2(eng): Audio: flac, 48000 Hz, 5.1(side), s32\n"
                             "    Stream #0:3: Subtitle: hdmv_pgs_subtitle, 1920x1080\n"
                             "    Stream #0:4: Data: bin_data\n";
    const struct {
        int32_t format;
        std::string banner;
        const char* ffmpeg;
    } rows[] = {
        // Vorbis becomes AAC, SubRip and ASS mov_text; the font stays behind.
        {kFormatMp4Copy, Fixture("banner-tracks.mkv.txt"),
         "-map 0:0 -map 0:1 -map 0:2 -map 0:3 -map 0:4 -c copy -c:a:1 aac -b:a:1 192k "
         "-c:s:0 mov_text -c:s:1 mov_text"},
        {kFormatMkvCopy, Fixture("banner-tracks.mkv.txt"),
         "-map 0:0 -map 0:1 -map 0:2 -map 0:3 -map 0:4 -map 0:5 -c copy"},
        // The cover, the bitmap subtitle and the data stay out of MP4.
        {kFormatMp4Copy, hevc, "-map 0:1 -map 0:2 -c copy -tag:v:0 hvc1 -c:a:0 aac -b:a:0 384k"},
        {kFormatMkvCopy, hevc, "-map 0:0 -map 0:1 -map 0:2 -map 0:3 -c copy"},
        // FFmpeg said nothing in time: every video and sound stream.
        {kFormatMp4Copy, "", "-map 0:v? -map 0:a? -c copy"},
        {kFormatMkvCopy, "", "-map 0:v? -map 0:a? -map 0:s? -c copy"},
    };
    for (const auto& row : rows) {
        const Translation t = Translate(row.format, row.banner);
        SCOPED_TRACE(t.text);
        EXPECT_NE(std::string::npos, t.text.find(row.format == kFormatMp4Copy
                                                     ? " -ovc copy -oac copy -of lavf -lavfopts "
                                                       "format=mp4 -endpos 9:0:0 0 918"
                                                     : " -ovc copy -oac copy -of lavf -lavfopts "
                                                       "format=matroska -endpos 9:0:0 0 918"));
        std::string expected = row.ffmpeg;
        expected += row.format == kFormatMp4Copy
                        ? kTail
                        : " -map_metadata 0 -map_chapters 0 -f matroska -t 32400 C:\\out.tmp";
        EXPECT_EQ(expected, t.ffmpeg) << t.error;
    }
}

TEST(StreamsKept, VideoMp4CannotCarryIsRefusedNamingItsCodec) {
    const std::string vp8 = "Input #0, matroska,webm, from 'in.webm':\n"
                            "    Stream #0:0: Video: vp8, yuv420p(progressive), 320x240, 25 fps\n"
                            "    Stream #0:1: Audio: vorbis, 44100 Hz, mono, fltp\n";
    const Translation mp4 = Translate(kFormatMp4Copy, vp8);
    EXPECT_EQ("", mp4.ffmpeg);
    EXPECT_EQ("MP4 cannot carry the source's VP8 video as it is: choose \"MKV, streams kept as "
              "they are (*.mkv)\".",
              mp4.error);
    EXPECT_NE("", Translate(kFormatMkvCopy, vp8).ffmpeg);
    // A codec without a known name is named as FFmpeg names it.
    EXPECT_NE(std::string::npos, VideoNotCarriedReason("cinepak").find(" cinepak video "));
}

TEST(StreamsKept, CopyNeedsBothStreamsCopiedIntoMp4OrMkv) {
    for (const char* text : {"in -o out.mp4 -ovc copy -oac lavc -of lavf -lavfopts format=mp4 0 0",
                             "in -o out.mp4 -ovc lavc -oac copy -of lavf -lavfopts format=mp4 0 0",
                             "in -o out.avi -ovc copy -oac copy -of lavf -lavfopts format=avi 0 0"}) {
        std::vector<std::string> args;
        EncoderCommand command;
        std::string error;
        ASSERT_TRUE(SplitCommandLine(text, args) && ParseEncoderCommand(args, command, error));
        FfmpegTarget target;
        EXPECT_FALSE(TranslateToFfmpeg(command, target, args, error)) << text;
        EXPECT_TRUE(args.empty());
    }
}

} // namespace
