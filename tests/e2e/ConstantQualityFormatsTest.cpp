// MP4 (H.264), MKV (H.265) and WebM (VP9) made by the real quenforenc.exe and
// the shipped ffmpeg.exe from the program's own argument texts: containers,
// codecs, sizes, rates and durations by the host's ffprobe, the MP4 index
// ahead of the media data, and the quality steps measured by SSIM.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "protocol/EncoderEvents.h"
#include "protocol/ExitCodes.h"
#include "core/ConstantQualityProfile.h"
#include "core/OutputFormat.h"
#include "tests/e2e/EncoderHarness.h"
#include "tests/e2e/EncoderJobs.h"
#include "tests/native/encoder/EngineJobs.h"

namespace {

using e2e::Convert;
using e2e::Converted;
using e2e::ProbeRow;
using e2e::ReportWindow;

// The four-letter types of the file's top-level ISO boxes, in order.
std::vector<std::string> TopLevelBoxes(const std::string& path) {
    std::vector<std::string> types;
    FILE* f = fopen(path.c_str(), "rb");
    if (f == nullptr)
        return types;
    for (;;) {
        unsigned char header[16];
        if (fread(header, 1, 8, f) != 8)
            break;
        unsigned long long size = (static_cast<unsigned long long>(header[0]) << 24) |
                                  (header[1] << 16) | (header[2] << 8) | header[3];
        types.push_back(std::string(reinterpret_cast<char*>(header) + 4, 4));
        unsigned long long headerSize = 8;
        if (size == 1) {
            if (fread(header + 8, 1, 8, f) != 8)
                break;
            size = 0;
            for (int i = 8; i < 16; ++i)
                size = (size << 8) | header[i];
            headerSize = 16;
        }
        if (size == 0 || size < headerSize)
            break; // to the end of the file, or broken
        if (_fseeki64(f, static_cast<long long>(size - headerSize), SEEK_CUR) != 0)
            break;
    }
    fclose(f);
    return types;
}

struct Format {
    int32_t index;
    const char* container; // ffprobe's format name
    const char* video;
    const char* audio;
};
const Format kFormats[] = {
    {kFormatMp4, "mov,mp4,m4a,3gp,3g2,mj2", "h264", "aac"},
    {kFormatMkv, "matroska,webm", "hevc", "aac"},
    {kFormatWebm, "matroska,webm", "vp9", "opus"},
};

struct Job {
    const char* clip;
    int32_t resolution; // position in the resolution list
    int32_t frameRate;  // position in the frame-rate list
    int width;          // expected picture
    int height;
};
const Job kJobs[] = {
    {"clip-640x480-25fps.avi", 0, 0, 640, 480},        // original size and timing
    {"clip-640x480-2997fps-xvid.avi", 7, 3, 640, 360}, // 29.97 to 25 fps, letter box across
    {"clip-720x400-25fps.avi", 6, 0, 854, 480},        // wide, letter box down
    {"clip-320x240-noaudio.avi", 7, 5, 640, 360},      // no audio; 30 fps
    {"clip-321x241-25fps.avi", 0, 0, 320, 240},        // odd size becomes even
};

TEST(ConstantQualityFormats, ConvertEveryClip) {
    const std::string folder = e2e::FreshFolder("modern");
    for (const Job& job : kJobs) {
        const std::string source = e2e::ClipPath(job.clip);
        const SourceRow row = ProbeRow(source);
        ASSERT_GT(row.duration, 0) << job.clip;
        for (const Format& format : kFormats) {
            SCOPED_TRACE(testing::Message() << job.clip << " as " << OutputExtension(format.index));
            ConversionSettings s = WithFormat(format.index);
            s.mp4Resolution = job.resolution;
            s.mp4FrameRate = job.frameRate;
            s.mp4Speed = 0; // "Faster": the checks do not depend on it
            const std::string output =
                folder + std::string(job.clip) + "." + OutputExtension(format.index);
            const Converted c = Convert(s, source, row, output);
            if (!c.ok)
                continue;

            std::map<std::string, std::string> facts = e2e::DescribeMedia(output);
            ASSERT_EQ("1", facts["end"]) << "ffprobe gave no description of " << output;
            EXPECT_EQ(format.container, facts["format"]);
            EXPECT_EQ(format.video, facts["v.codec_name"]);
            EXPECT_EQ(std::to_string(job.width), facts["v.width"]);
            EXPECT_EQ(std::to_string(job.height), facts["v.height"]);
            const double fps =
                job.frameRate == 0 ? row.frameRate : kConstantQualityFrameRates[job.frameRate].fps;
            EXPECT_NEAR(fps, e2e::ParseRate(facts["v.r_frame_rate"]), 0.01)
                << facts["v.r_frame_rate"];
            if (std::string(job.clip).find("noaudio") != std::string::npos) {
                EXPECT_EQ("", facts["a.codec_name"]);
            } else {
                EXPECT_EQ(format.audio, facts["a.codec_name"]);
                EXPECT_EQ("2", facts["a.channels"]);
                EXPECT_EQ("48000", facts["a.sample_rate"]);
            }
            EXPECT_NEAR(row.duration, std::atof(facts["duration"].c_str()), 0.5)
                << facts["duration"];
            if (format.index == kFormatMp4) {
                const std::vector<std::string> boxes = TopLevelBoxes(output);
                const auto moov = std::find(boxes.begin(), boxes.end(), "moov");
                const auto mdat = std::find(boxes.begin(), boxes.end(), "mdat");
                ASSERT_TRUE(moov != boxes.end() && mdat != boxes.end());
                EXPECT_LT(moov - boxes.begin(), mdat - boxes.begin())
                    << "the index must come first";
            }
        }
    }
    EXPECT_TRUE(e2e::FilesMatching(folder, "*.~enc*").empty());
}

// Each quality step must give a larger file than the one below it, and the
// default step a picture close to the source. Prints the table that
// docs/performance.md shows.
TEST(ConstantQualityFormats, QualityStepsOnANaturalPicture) {
    const std::string folder = e2e::FreshFolder("modern-quality");
    const std::string source = e2e::ClipPath("clip-mandelbrot-320x240.avi");
    const SourceRow row = ProbeRow(source);
    ASSERT_GT(row.duration, 0);
    for (const Format& format : kFormats) {
        long long previousBytes = 0;
        for (int32_t step = 0; step < kConstantQualityQualityCount; ++step) {
            SCOPED_TRACE(testing::Message()
                         << OutputExtension(format.index) << " step " << step + 1);
            ConversionSettings s = WithFormat(format.index);
            s.mp4Quality = step;
            const std::string output =
                folder + "q" + std::to_string(step + 1) + "." + OutputExtension(format.index);
            if (!Convert(s, source, row, output).ok)
                continue;
            std::map<std::string, std::string> facts =
                e2e::HostFacts("ssim-summary.sh", {output, source}, output + ".ssim.txt");
            ASSERT_EQ("1", facts["end"]);
            const double ssim = std::atof(facts["ssim"].c_str());
            const long long bytes = std::atoll(facts["bytes"].c_str());
            std::printf(
                "quality %s step %d (%s, CRF %d): %lld bytes, SSIM %.4f\n",
                OutputExtension(format.index), step + 1, kConstantQualityQualities[step].name,
                ConstantQualityCrf(kConstantQualityQualities[step], format.index), bytes, ssim);
            EXPECT_GT(bytes, previousBytes);
            previousBytes = bytes;
            if (step == kDefaultConstantQualityQuality) {
                EXPECT_GE(ssim, 0.97);
            }
        }
    }
}

} // namespace
