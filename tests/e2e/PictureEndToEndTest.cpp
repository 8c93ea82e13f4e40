// HDR, interlaced, HD colour and dated sources converted by the real
// quenforenc.exe and the shipped ffmpeg.exe; the outputs judged by the
// host's ffmpeg (picture-summary.sh): colour tags, fields, idet, SSIM and
// chroma PSNR against the picture the source was made from.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "core/OutputFormat.h"
#include "tests/e2e/EncoderHarness.h"
#include "tests/e2e/EncoderJobs.h"

namespace {

struct Case {
    const char* clip;
    int32_t format;
    const char* reference; // the clip the source was made from
    const char* trc;       // expected color_transfer; "" when not judged
    const char* fields;    // expected field_order
    bool interlacedOut;    // idet: most frames interlaced (else almost none)
    double minPsnr;        // dB against the reference, all planes; 0 when not judged
    double minChromaPsnr;  // dB, U and V; 0 when not judged
};

// PSNR 20 dB: the tone-mapped HDR clips measure about 22.5 dB against their
// SDR original, the same clips made 8-bit without tone mapping 13.6 (PQ) and
// 15.7 (HLG): grey and washed out. The curve compresses the highlights, so a
// perfect match is not to be had. Chroma PSNR 42 dB: the HD bars in the
// DVD's BT.601 picture measure about 47.8 dB, kept in BT.709 numbers 33.7
// (U) and 37.6 (V).
const Case kCases[] = {
    {"picture-pq.mp4", kFormatMp4, "picture-sdr.mp4", "bt709", "progressive", false, 20, 0},
    {"picture-hlg.mp4", kFormatMp4, "picture-sdr.mp4", "bt709", "progressive", false, 20, 0},
    {"picture-pq.mp4", kFormatDvd, "picture-sdr.mp4", "", "progressive", false, 20, 0},
    {"picture-576i.mpg", kFormatMp4, nullptr, "", "progressive", false, 0, 0},
    {"picture-576i.mpg", kFormatDvd, nullptr, "", "tt", true, 0, 0},
    {"picture-1080i.mkv", kFormatAvi, nullptr, "", "", false, 0, 0},
    {"picture-1080i.mkv", kFormatDvd, nullptr, "", "progressive", false, 0, 0},
    {"picture-bars-720p.mp4", kFormatDvd, "picture-bars-720p.mp4", "", "", false, 0, 42},
};

TEST(PictureEndToEnd, ConvertsThePictureAsItWasShown) {
    const std::string folder = e2e::FreshFolder("picture");
    int n = 0;
    for (const Case& c : kCases) {
        SCOPED_TRACE(testing::Message() << c.clip << " as " << OutputExtension(c.format));
        const std::string source = e2e::ClipPath(c.clip);
        const SourceRow row = e2e::ProbeRow(source);
        ASSERT_GT(row.duration, 0);
        ConversionSettings s = WithFormat(c.format);
        s.tvMode = 1; // PAL: the 576i clip keeps its 25 frames
        s.mp4Speed = 0;
        s.letterbox = 0; // the whole frame pairs up with the reference
        const std::string output =
            folder + std::to_string(++n) + "-" + c.clip + "." + OutputExtension(c.format);
        if (!e2e::Convert(s, source, row, output).ok)
            continue;
        const std::string reference = e2e::ClipPath(c.reference ? c.reference : c.clip);
        std::map<std::string, std::string> facts =
            e2e::HostFacts("picture-summary.sh", {output, reference}, output + ".txt");
        ASSERT_EQ("1", facts["end"]);
        EXPECT_EQ("yuv420p", facts["pix_fmt"]);
        if (*c.trc != '\0') {
            EXPECT_EQ(c.trc, facts["color_transfer"]);
            EXPECT_EQ("bt709", facts["color_primaries"]);
            EXPECT_EQ("tv", facts["color_range"]);
        }
        if (*c.fields != '\0') {
            EXPECT_EQ(c.fields, facts["field_order"]);
        }
        const int interlaced = std::atoi(facts["idet.interlaced"].c_str());
        const int progressive = std::atoi(facts["idet.progressive"].c_str());
        if (c.interlacedOut) {
            EXPECT_GT(interlaced, progressive);
        } else {
            // idet calls a few frames of fine detail combed; a combed output
            // has them all.
            EXPECT_LE(interlaced * 4, progressive) << interlaced << " combed";
        }
        if (c.minPsnr > 0) {
            EXPECT_GE(std::atof(facts["psnr"].c_str()), c.minPsnr) << facts["psnr"];
        }
        if (c.minChromaPsnr > 0) {
            EXPECT_GE(std::atof(facts["psnr.u"].c_str()), c.minChromaPsnr) << facts["psnr.u"];
            EXPECT_GE(std::atof(facts["psnr.v"].c_str()), c.minChromaPsnr) << facts["psnr.v"];
        }
        std::printf("%s as %s: ssim %s, psnr %s, u %s, v %s, idet %d/%d\n", c.clip,
                    OutputExtension(c.format), facts["ssim"].c_str(), facts["psnr"].c_str(),
                    facts["psnr.u"].c_str(), facts["psnr.v"].c_str(), interlaced, progressive);
    }
}

// The recording date stays in the file and on it.
TEST(PictureEndToEnd, KeepsTheRecordingDate) {
    const std::string folder = e2e::FreshFolder("picture-dated");
    const std::string source = e2e::ClipPath("picture-dated.mp4");
    const std::string output = folder + "dated.mp4";
    ConversionSettings s = WithFormat(kFormatMp4);
    s.mp4Speed = 0;
    ASSERT_TRUE(e2e::Convert(s, source, e2e::ProbeRow(source), output).ok);
    std::map<std::string, std::string> facts =
        e2e::HostFacts("picture-summary.sh", {output, source}, output + ".txt");
    EXPECT_EQ("2021-06-05T14:30:00.000000Z", facts["TAG:creation_time"]);
    WIN32_FILE_ATTRIBUTE_DATA a = {};
    WIN32_FILE_ATTRIBUTE_DATA b = {};
    ASSERT_TRUE(GetFileAttributesExA(source.c_str(), GetFileExInfoStandard, &a));
    ASSERT_TRUE(GetFileAttributesExA(output.c_str(), GetFileExInfoStandard, &b));
    EXPECT_EQ(0, CompareFileTime(&a.ftLastWriteTime, &b.ftLastWriteTime));
}

// Every sound track, the subtitles and chapters in the formats that hold
// them; the default sound track alone in the others.
TEST(PictureEndToEnd, KeepsTheTracksEachFormatHolds) {
    const std::string folder = e2e::FreshFolder("picture-tracks");
    const std::string source = e2e::ClipPath("picture-tracks.mkv");
    const SourceRow row = e2e::ProbeRow(source);
    ASSERT_GT(row.duration, 0);
    struct Case {
        int32_t format;
        std::vector<std::string> streams; // after the video
        const char* chapters;
    } cases[] = {
        {kFormatMkv,
         {"audio aac@48000 eng -", "audio aac@48000 ger default", "subtitle subrip eng default",
          "subtitle ass fre -"},
         "2"},
        // The MP4 muxer stores the chapters as a text track of its own.
        {kFormatMp4,
         {"audio aac@48000 eng -", "audio aac@48000 ger default", "subtitle mov_text eng default",
          "subtitle mov_text fre -", "data bin_data eng -"},
         "2"},
        {kFormatWebm,
         {"audio opus@48000 eng -", "audio opus@48000 ger default", "subtitle webvtt eng default",
          "subtitle webvtt fre -"},
         "2"},
        {kFormatAvi, {"audio mp3@44100 - -"}, "0"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(OutputExtension(c.format));
        ConversionSettings s = WithFormat(c.format);
        s.mp4Speed = 0;
        const std::string output = folder + "tracks." + OutputExtension(c.format);
        if (!e2e::Convert(s, source, row, output).ok)
            continue;
        std::map<std::string, std::string> facts =
            e2e::HostFacts("tracks-summary.sh", {output}, output + ".txt");
        ASSERT_EQ("1", facts["end"]);
        std::vector<std::string> streams;
        for (size_t i = 1; facts.count("stream." + std::to_string(i)) != 0; ++i)
            streams.push_back(facts["stream." + std::to_string(i)]);
        EXPECT_EQ(c.streams, streams);
        EXPECT_EQ(c.chapters, facts["chapters"]);
    }
}

// Times in a summary's space-separated list.
std::vector<double> Times(const std::string& list) {
    std::vector<double> times;
    for (const char* p = list.c_str(); *p != '\0';) {
        char* end = nullptr;
        const double t = std::strtod(p, &end);
        if (end == p)
            break;
        times.push_back(t);
        p = end;
    }
    return times;
}

// Frames at a varying rate come out at a steady one; each white picture
// comes with its beep all through the file, and picture and sound end
// together.
TEST(PictureEndToEnd, VariableRateBecomesSteadyAndStaysInStep) {
    const std::string folder = e2e::FreshFolder("picture-vfr");
    const std::string source = e2e::ClipPath("picture-vfr-sync.mp4");
    const SourceRow row = e2e::ProbeRow(source);
    ASSERT_GT(row.duration, 0);
    for (int32_t format : {kFormatMp4, kFormatMkv, kFormatAvi}) {
        SCOPED_TRACE(OutputExtension(format));
        ConversionSettings s = WithFormat(format);
        s.mp4Speed = 0;
        const std::string output = folder + "vfr." + OutputExtension(format);
        if (!e2e::Convert(s, source, row, output).ok)
            continue;
        std::map<std::string, std::string> facts =
            e2e::HostFacts("tracks-summary.sh", {output}, output + ".txt");
        ASSERT_EQ("1", facts["end"]);
        EXPECT_EQ("1", facts["video.durations"]) << "one frame duration throughout";
        // One frame of the output: 30 fps for MP4 and MKV, the 19.25 fps
        // average for AVI, whose rate the program takes from the probe.
        const double frame = format == kFormatAvi ? 1.0 / 19.25 : 1.0 / 30;
        const double video = std::atof(facts["video.end"].c_str());
        EXPECT_NEAR(4.0, video, 0.1);
        EXPECT_NEAR(std::atof(facts["audio.end"].c_str()), video, frame) << "within a frame";
        const std::vector<double> flashes = Times(facts["flashes"]);
        const std::vector<double> beeps = Times(facts["beeps"]);
        ASSERT_EQ(4u, flashes.size()) << facts["flashes"];
        ASSERT_GE(beeps.size(), flashes.size()) << facts["beeps"];
        for (size_t i = 0; i < flashes.size(); ++i)
            EXPECT_NEAR(beeps[i], flashes[i], frame) << "flash " << i;
    }
}

} // namespace
