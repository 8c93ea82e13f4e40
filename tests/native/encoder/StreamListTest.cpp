#include "encoder/StreamList.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

namespace {

std::string Fixture(const char* name) {
    std::ifstream in(std::string(ENCODER_FIXTURE_DIR) + name, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// One stream as a line: kind letter, index, order, codec, language, flags.
std::string Describe(const SourceStream& s) {
    const char kinds[] = "vastdo";
    std::string d = std::string(1, kinds[s.kind]) + std::to_string(s.index) + "/" +
                    std::to_string(s.kindOrder) + " " + s.codec;
    if (!s.language.empty())
        d += " " + s.language;
    if (!s.title.empty())
        d += " '" + s.title + "'";
    if (s.isDefault)
        d += " default";
    if (s.forced)
        d += " forced";
    if (s.coverPicture)
        d += " cover";
    if (s.textSubtitle)
        d += " text";
    if (s.bitmapSubtitle)
        d += " bitmap";
    if (s.kind == SourceStream::kAudio)
        d += " " + std::to_string(s.channels) + "ch " + std::to_string(s.sampleRate);
    return d;
}

// Banners of FFmpeg 4.1 under Wine (CRLF), and lines it prints for streams
// the host cannot make.
TEST(StreamList, ReadsEveryStreamAndTheDefaultSound) {
    const std::string head = "Input #0, matroska,webm, from 'in.mkv':\n"
                             "  Duration: 00:00:02.00, start: 0.000000, bitrate: 500 kb/s\n";
    struct Case {
        const char* name;
        std::string text;
        std::vector<std::string> streams;
        int chapters;
        int defaultAudio; // index, -1 without sound
    } cases[] = {
        {"MKV: second sound track default, two text subtitles, a font",
         Fixture("banner-tracks.mkv.txt"),
         {"v0/0 h264", "a1/0 aac eng 1ch 48000", "a2/1 vorbis ger default 1ch 44100",
          "s3/0 subrip eng default text", "s4/1 ass fre text", "t5/0 ttf"},
         2,
         2},
        {"MP4: mov_text, a text track FFmpeg calls data",
         Fixture("banner-tracks.mp4.txt"),
         {"v0/0 h264 default", "a1/0 aac eng 1ch 48000", "a2/1 aac ger default 1ch 44100",
          "s3/0 mov_text eng default text", "d4/0 bin_data eng"},
         2,
         2},
        {"TS: ids before the language, no default: the first",
         Fixture("banner-tracks.ts.txt"),
         {"v0/0 mpeg2video", "a1/0 mp2 eng 1ch 48000", "a2/1 mp2 ger 1ch 44100"},
         0,
         1},
        {"bitmap subtitles, cover, surround, titles, the output's streams ignored",
         head +
             "    Stream #0:0(und): Video: mjpeg, yuvj420p(pc), 600x600, 90k tbr (attached pic)\n"
             "    Stream #0:1(jpn): Audio: ac3, 48000 Hz, 5.1(side), fltp, 448 kb/s\n"
             "    Metadata:\n      title           : Commentary, director\n"
             "    Stream #0:2: Audio: pcm_s24le, 96000 Hz, 3 channels, s32 (default)\n"
             "    Stream #0:3(eng): Subtitle: hdmv_pgs_subtitle, 1920x1080 (forced)\n"
             "    Stream #0:4: Subtitle: dvd_subtitle, 720x576\n"
             "    Stream #0:5: Unknown: none\n"
             "Output #0, matroska, to 'out.mkv':\n"
             "    Stream #0:0: Audio: flac, 48000 Hz, stereo\n",
         {"v0/0 mjpeg cover", "a1/0 ac3 jpn 'Commentary, director' 6ch 48000",
          "a2/1 pcm_s24le default 3ch 96000", "s3/0 hdmv_pgs_subtitle eng forced bitmap",
          "s4/1 dvd_subtitle bitmap", "o5/0 "},
         0,
         2},
        {"no input", "At least one output file must be specified\n", {}, 0, -1},
    };
    for (const Case& c : cases) {
        const StreamList list = ReadStreamList(c.text);
        std::vector<std::string> streams;
        for (const SourceStream& s : list.streams)
            streams.push_back(Describe(s));
        EXPECT_EQ(c.streams, streams) << c.name;
        EXPECT_EQ(c.chapters, list.chapters) << c.name;
        const SourceStream* sound = list.DefaultAudio();
        EXPECT_EQ(c.defaultAudio, sound ? sound->index : -1) << c.name;
    }
}

} // namespace
