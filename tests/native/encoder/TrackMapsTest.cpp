#include "encoder/TrackMaps.h"

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

// The arguments between the input and the video codec of a format's job
// for a source that FFmpeg describes with `banner`.
std::string Maps(int32_t format, const std::string& banner) {
    const SourceRow row{2.0, 320, 240, 25.0};
    ConversionSettings settings = WithFormat(format);
    settings.tvMode = 1;
    const std::string text = ComposeJobText(settings, row, "C:\\in", "C:\\out.x", 0, 918);
    std::vector<std::string> args;
    EXPECT_TRUE(SplitCommandLine(text.c_str(), args)) << text;
    EncoderCommand command;
    std::string error;
    EXPECT_TRUE(ParseEncoderCommand(args, command, error)) << error;
    FfmpegTarget target;
    target.outputPath = "C:\\out.~enc.x";
    target.streams = ReadStreamList(banner);
    std::vector<std::string> ffmpeg;
    EXPECT_TRUE(TranslateToFfmpeg(command, target, ffmpeg, error)) << error;
    std::string joined;
    for (const std::string& a : ffmpeg)
        joined += " " + a;
    const size_t from = joined.find(" C:\\in ") + 6;
    return joined.substr(from, joined.find(" -c:v ") - from + 1);
}

TEST(TrackMaps, KeepsTheTracksEachContainerHolds) {
    const std::string mkv = Fixture("banner-tracks.mkv.txt");
    const std::string mp4 = Fixture("banner-tracks.mp4.txt");
    const std::string bitmaps =
        "Input #0, matroska,webm, from 'in.mkv':\n"
        "    Stream #0:0: Video: mjpeg, yuvj420p(pc), 600x600, 90k tbr (attached pic)\n"
        "    Stream #0:1: Video: mpeg2video, yuv420p(tv, top first), 720x576, 25 fps\n"
        "    Stream #0:2(eng): Audio: ac3, 48000 Hz, 5.1(side), fltp, 448 kb/s\n"
        "    Stream #0:3: Subtitle: hdmv_pgs_subtitle, 1920x1080\n"
        "    Stream #0:4: Subtitle: xsub\n"
        "    Stream #0:5(eng): Subtitle: eia_608\n";
    const std::string mkvAudio = " -map 0:1 -disposition:a:0 0 -map 0:2 -disposition:a:1 default";
    struct Case {
        int32_t format;
        const std::string& banner;
        std::string maps;
    } cases[] = {
        {kFormatMkv, mkv,
         " -map 0:0" + mkvAudio +
             " -map 0:3 -c:s:0 copy -map 0:4 -c:s:1 copy -dn -map_chapters 0 "},
        {kFormatMp4, mkv,
         " -map 0:0" + mkvAudio +
             " -map 0:3 -c:s:0 mov_text -map 0:4 -c:s:1 mov_text -dn -map_chapters 0 "},
        {kFormatWebm, mp4, " -map 0:0" + mkvAudio + " -map 0:3 -c:s:0 webvtt -dn "},
        {kFormatMkv, mp4, " -map 0:0" + mkvAudio + " -map 0:3 -c:s:0 srt -dn -map_chapters 0 "},
        {kFormatAvi, mkv, " -map 0:0 -map 0:a:1? -sn -dn "},
        {kFormatDvd, mp4, " -map 0:0 -map 0:a:1? -sn -dn "},
        {kFormatMkv, bitmaps,
         " -map 0:1 -map 0:2 -disposition:a:0 default -map 0:3 -c:s:0 copy -map 0:5 -c:s:1 srt "
         "-dn -map_chapters 0 "},
        {kFormatMp4, bitmaps,
         " -map 0:1 -map 0:2 -disposition:a:0 default -map 0:5 -c:s:0 mov_text -dn "
         "-map_chapters 0 "},
        // FFmpeg said nothing: the first video and sound track, if any.
        {kFormatMkv, "", " -map 0:v:0 -map 0:a:0? -sn -dn "},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.maps, Maps(c.format, c.banner)) << OutputFormatLabel(c.format);
}

} // namespace
