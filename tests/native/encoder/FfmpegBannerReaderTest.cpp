#include "encoder/FfmpegBannerReader.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(ReadFfmpegBanner, ReadsTheInputDescription) {
    struct Case {
        const char* name;
        const char* text;
        bool ok;
        double seconds = 0;
        int32_t width = 0, height = 0;
        double fps = 0;
    };
    const Case cases[] = {
        {"AVI with MP3",
         "Input #0, avi, from 'C:\\clips\\a.avi':\n"
         "  Metadata:\n    software        : Lavf59.27.100\n"
         "  Duration: 00:00:03.04, start: 0.000000, bitrate: 658 kb/s\n"
         "    Stream #0:0: Video: mpeg4 (Simple Profile) (DX50 / 0x30355844), yuv420p, 640x480 "
         "[SAR 1:1 DAR 4:3], "
         "499 kb/s, 25 fps, 25 tbr, 25 tbn, 25 tbc\n"
         "    Stream #0:1: Audio: mp3 (U[0][0][0] / 0x0055), 44100 Hz, stereo, fltp, 129 kb/s\n"
         "At least one output file must be specified\n",
         true, 3.04, 640, 480, 25.0},
        {"language label, colour parameters, CRLF",
         "Input #0, matroska,webm, from 'x.mkv':\r\n"
         "  Duration: 01:02:03.50, start: 0.000000, bitrate: N/A\r\n"
         "    Stream #0:0(und): Video: h264 (High), yuv420p(tv, bt709, progressive), 1920x1080, "
         "SAR 1:1 DAR 16:9, "
         "29.97 fps, 29.97 tbr, 1k tbn (default)\r\n",
         true, 3723.5, 1920, 1080, 29.97},
        {"no fps: tbr, with k",
         "  Duration: 00:00:00.10, start: 0.000000, bitrate: 3698 kb/s\n"
         "  Stream #0:0: Video: mpeg4 (Simple Profile), yuv420p(tv, progressive), 320x240 [SAR 1:1 "
         "DAR 4:3], "
         "1k tbr, 1k tbn\n",
         true, 0.1, 320, 240, 1000.0},
        {"audio before video",
         "  Duration: 00:00:10.00, start: 0.000000, bitrate: 100 kb/s\n"
         "    Stream #0:0: Audio: aac, 48000 Hz, stereo\n"
         "    Stream #0:1[0x1e0]: Video: mpeg2video (Main), yuv420p(tv, top first), 720x576 [SAR "
         "64:45 DAR 16:9], "
         "25 fps, 25 tbr, 90k tbn\n",
         true, 10.0, 720, 576, 25.0},
        {"duration unknown",
         "  Duration: N/A, start: 0.000000, bitrate: N/A\n"
         "    Stream #0:0: Video: mpeg4, yuv420p, 640x480, 25 fps, 25 tbr\n",
         true, 0.0, 640, 480, 25.0},
        {"no video",
         "  Duration: 00:00:05.00, start: 0.000000, bitrate: 128 kb/s\n"
         "    Stream #0:0: Audio: mp3, 44100 Hz, stereo, fltp, 128 kb/s\n",
         false},
        {"not a video", "C:\\clips\\text.avi: Invalid data found when processing input\n", false},
        {"missing file", "C:\\clips\\gone.avi: No such file or directory\n", false},
        {"empty", "", false},
        {"size missing", "    Stream #0:0: Video: mpeg4, yuv420p, 25 fps\n", false},
        {"rotate tag and display matrix (older FFmpeg): sides swapped",
         "  Duration: 00:00:03.00, start: 0.000000, bitrate: 300 kb/s\n"
         "    Stream #0:0(und): Video: h264 (High) (avc1 / 0x31637661), yuv420p, 320x240, 25 fps, "
         "25 tbr (default)\n"
         "    Metadata:\n      rotate          : 90\n      handler_name    : VideoHandler\n"
         "    Side data:\n      displaymatrix: rotation of -90.00 degrees\n"
         "    Stream #0:1(und): Audio: aac (LC), 44100 Hz, stereo, fltp, 69 kb/s (default)\n",
         true, 3.0, 240, 320, 25.0},
        {"display matrix alone, 270",
         "    Stream #0:0: Video: hevc (Main 10), yuv420p10le(tv), 320x240, 25 fps, 25 tbr\n"
         "    Side data:\n      displaymatrix: rotation of 270.00 degrees\n",
         true, 0.0, 240, 320, 25.0},
        {"upside down is not a quarter turn",
         "    Stream #0:0: Video: h264, yuv420p, 320x240, 25 fps\n    Metadata:\n      rotate      "
         "    : 180\n",
         true, 0.0, 320, 240, 25.0},
        {"a later stream's rotation does not count",
         "    Stream #0:0: Video: h264, yuv420p, 320x240, 25 fps\n"
         "    Stream #0:1: Video: h264, yuv420p, 64x48, 25 fps\n    Metadata:\n      rotate        "
         "  : 90\n",
         true, 0.0, 320, 240, 25.0},
        {"cover picture is not video",
         "  Duration: 00:00:05.00, start: 0.000000, bitrate: 128 kb/s\n"
         "    Stream #0:0: Audio: mp3, 44100 Hz, stereo, fltp, 128 kb/s\n"
         "    Stream #0:1: Video: mjpeg (Baseline), yuvj420p, 300x300, 90k tbr, 90k tbn (attached "
         "pic)\n",
         false},
    };
    for (const Case& c : cases) {
        VideoInfo info;
        EXPECT_EQ(c.ok, ReadFfmpegBanner(c.text, info)) << c.name;
        if (!c.ok) {
            EXPECT_EQ(0, info.width) << c.name;
            continue;
        }
        EXPECT_NEAR(c.seconds, info.durationSeconds, 1e-9) << c.name;
        EXPECT_EQ(c.width, info.width) << c.name;
        EXPECT_EQ(c.height, info.height) << c.name;
        EXPECT_NEAR(c.fps, info.framesPerSecond, 1e-9) << c.name;
    }
}

TEST(FfmpegBannerHasNoVideo, TellsAFileWithoutVideoFromOtherFailures) {
    struct Case {
        const char* name;
        const char* text;
        bool noVideo;
    };
    const Case cases[] = {
        {"audio only", "  Duration: 00:00:05.00\n    Stream #0:0: Audio: mp3, 44100 Hz, stereo\n",
         true},
        {"subtitles only", "    Stream #0:0: Subtitle: subrip\n", true},
        {"cover picture only",
         "    Stream #0:0: Audio: flac\n    Stream #0:1: Video: png, 1x1 (attached pic)\n", true},
        {"video", "    Stream #0:0: Video: h264, yuv420p, 320x240, 25 fps\n", false},
        {"unreadable", "x.mp4: Invalid data found when processing input\n", false},
        {"empty", "", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.noVideo, FfmpegBannerHasNoVideo(c.text)) << c.name;
}

} // namespace
