// The argument texts of MP4 (H.264), MKV (H.265) and WebM (VP9) for every
// position of their lists, and the fallbacks of positions outside them.
#include <gtest/gtest.h>

#include <string>

#include "core/EncoderArguments.h"
#include "core/ConstantQualityProfile.h"

namespace {

const int32_t kConstantQualityFormats[] = {kFormatMp4, kFormatMkv, kFormatWebm};

// Resolves a job the way the batch run does, for a source of the given shape,
// and composes its text.
std::string TextFor(const ConversionSettings& s, int32_t width = 640, int32_t height = 480,
                    double rate = 25.0) {
    EncoderProfile p;
    const LetterboxPadding pad = ComputeLetterboxPadding(s, width, height, p);
    ResolveBitrates(s, p);
    ResolveAspectText(s, p);
    ResolveFrameRate(s, rate, p);
    char out[kEncoderArgumentsCapacity];
    const EncoderJob job{"C:\\in.avi",  "C:\\out.x",         pad.padWidth,
                         pad.padHeight, kEncoderModeConvert, 918};
    EXPECT_TRUE(ComposeEncoderArguments(s, p, job, out, sizeof out));
    return out;
}

ConversionSettings ConstantQuality(int32_t format) {
    ConversionSettings s;
    s.outputFormat = format;
    return s;
}

bool Contains(const std::string& text, const std::string& piece) {
    return text.find(piece) != std::string::npos;
}

TEST(ConstantQualityArguments, DefaultsOfEachFormatMatchTheReferenceTexts) {
    const struct {
        int32_t format;
        const char* pieces;
    } rows[] = {
        {kFormatMp4, " -ovc x264 -x264encopts crf=23:preset=medium:profile=high"
                     " -oac lavc -lavcopts acodec=aac:abitrate=128 -of lavf -lavfopts "
                     "format=mp4:o=movflags=+faststart"},
        {kFormatMkv,
         " -ovc x265 -x265encopts crf=24:preset=fast:profile=main"
         " -oac lavc -lavcopts acodec=aac:abitrate=128 -of lavf -lavfopts format=matroska"},
        {kFormatWebm,
         " -ovc vp9 -vp9encopts crf=32:cpu-used=2"
         " -oac lavc -lavcopts acodec=libopus:abitrate=128 -of lavf -lavfopts format=webm"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(std::string("\"C:\\in.avi\" -o \"C:\\out.x\"") + row.pieces +
                      " -sws 2 -af volume=+0db:0:channels=2 -srate 48000 -ofps 1000.000000 -endpos "
                      "9:0:0 0 918",
                  TextFor(ConstantQuality(row.format)));
    }
}

TEST(ConstantQualityArguments, EveryQualityPosition) {
    // CRF of x264, x265 and VP9, and the audio bitrate, per position.
    const struct {
        int32_t crf[3];
        int32_t audio;
    } rows[] = {
        {{32, 33, 44}, 64},  {{28, 29, 40}, 96},  {{25, 27, 36}, 112},
        {{23, 24, 32}, 128}, {{20, 22, 28}, 160}, {{18, 20, 24}, 192},
    };
    static_assert(sizeof rows / sizeof rows[0] == kConstantQualityQualityCount,
                  "one row per level");
    for (int32_t position = -1; position <= kConstantQualityQualityCount; ++position) {
        // Outside the list: the family's default, "4.Good".
        const bool inList = position >= 0 && position < kConstantQualityQualityCount;
        const auto& row = rows[inList ? position : 3];
        for (int i = 0; i < 3; ++i) {
            ConversionSettings s = ConstantQuality(kConstantQualityFormats[i]);
            s.mp4Quality = position;
            const std::string text = TextFor(s);
            const std::string crf = "encopts crf=" + std::to_string(row.crf[i]) + ":";
            EXPECT_TRUE(Contains(text, crf)) << position << " " << text;
            EXPECT_TRUE(Contains(text, ":abitrate=" + std::to_string(row.audio) + " "))
                << position << " " << text;
        }
    }
}

TEST(ConstantQualityArguments, EverySpeedPositionPicksEachEncodersPreset) {
    const struct {
        int32_t position;
        const char* pieces[3];
    } rows[] = {
        {0, {"preset=veryfast:", "preset=veryfast:", "cpu-used=4 "}},
        {1, {"preset=medium:", "preset=fast:", "cpu-used=2 "}},
        {2, {"preset=slow:", "preset=medium:", "cpu-used=1 "}},
        {3, {"preset=medium:", "preset=fast:", "cpu-used=2 "}}, // outside: "Balanced"
        {-7, {"preset=medium:", "preset=fast:", "cpu-used=2 "}},
    };
    for (const auto& row : rows) {
        for (int i = 0; i < 3; ++i) {
            ConversionSettings s = ConstantQuality(kConstantQualityFormats[i]);
            s.mp4Speed = row.position;
            EXPECT_TRUE(Contains(TextFor(s), row.pieces[i]))
                << row.position << " " << kConstantQualityFormats[i];
        }
    }
}

TEST(ConstantQualityArguments, EveryResolutionPosition) {
    const struct {
        int32_t position;
        const char* plain;
        const char* wide;
    } rows[] = {
        // plain: letter box off, 640x480 source; wide: letter box on, 720x400 source.
        {0, "", ""},
        {1, " -vf scale=3840:2160,harddup ", " -vf scale=3840:-3,harddup,expand=3840:2160 "},
        {2, " -vf scale=2560:1440,harddup ", " -vf scale=2560:-3,harddup,expand=2560:1440 "},
        {3, " -vf scale=1920:1080,harddup ", " -vf scale=1920:-3,harddup,expand=1920:1080 "},
        {4, " -vf scale=1280:720,harddup ", " -vf scale=1280:-3,harddup,expand=1280:720 "},
        {5, " -vf scale=960:540,harddup ", " -vf scale=960:-3,harddup,expand=960:540 "},
        {6, " -vf scale=854:480,harddup ", " -vf scale=854:-3,harddup,expand=854:480 "},
        {7, " -vf scale=640:360,harddup ", " -vf scale=640:-3,harddup,expand=640:360 "},
        {8, "", ""}, // outside: "Original"
        {-1, "", ""},
    };
    for (int32_t format : kConstantQualityFormats) {
        for (const auto& row : rows) {
            ConversionSettings s = ConstantQuality(format);
            s.mp4Resolution = row.position;
            s.letterbox = 0;
            const std::string plain = TextFor(s);
            s.letterbox = 1;
            const std::string wide = TextFor(s, 720, 400);
            if (*row.plain == '\0') {
                EXPECT_FALSE(Contains(plain, "-vf")) << plain;
                EXPECT_FALSE(Contains(wide, "-vf")) << wide;
            } else {
                EXPECT_TRUE(Contains(plain, row.plain)) << plain;
                EXPECT_TRUE(Contains(wide, row.wide)) << wide;
            }
        }
    }
    // A 4:3 source letter-boxed into 16:9 is padded across.
    ConversionSettings s = ConstantQuality(kFormatMp4);
    s.mp4Resolution = 4;
    EXPECT_TRUE(Contains(TextFor(s), " -vf scale=-3:720,harddup,expand=1280:720 "));
}

TEST(ConstantQualityArguments, EveryFrameRatePosition) {
    const char* const pieces[] = {
        " -ofps 1000.000000 ", // "Original": keep the source timing
        " -ofps 24000/1001 ",  " -ofps 24.000000 ", " -ofps 25.000000 ",  " -ofps 30000/1001 ",
        " -ofps 30.000000 ",   " -ofps 50.000000 ", " -ofps 60000/1001 ", " -ofps 60.000000 ",
    };
    static_assert(sizeof pieces / sizeof pieces[0] == kConstantQualityFrameRateCount,
                  "one piece per entry");
    for (int32_t format : kConstantQualityFormats) {
        for (int32_t position = -1; position <= kConstantQualityFrameRateCount; ++position) {
            ConversionSettings s = ConstantQuality(format);
            s.mp4FrameRate = position;
            const bool inList = position >= 0 && position < kConstantQualityFrameRateCount;
            // A 29.97 fps source never changes a fixed rate, and "Original" keeps it.
            EXPECT_TRUE(Contains(TextFor(s, 640, 480, 29.97), pieces[inList ? position : 0]))
                << format << " " << position;
        }
    }
}

TEST(ConstantQualityArguments, VolumeAndTheOlderSettingsPlayNoPart) {
    ConversionSettings s = ConstantQuality(kFormatWebm);
    s.volume = 0;
    s.tvMode = 1;
    s.aviResolution = 17;
    s.aviFrameRate = 5;
    s.dvdAspect = 0;
    const std::string text = TextFor(s);
    EXPECT_TRUE(
        Contains(text, " -af volume=-20db:0:channels=2 -srate 48000 -ofps 1000.000000 -endpos"));
    EXPECT_FALSE(Contains(text, "-vf"));
    EXPECT_FALSE(Contains(text, "aspect"));
}

TEST(ConstantQualityProfile, ConstantQualityLeavesNoVideoBitrate) {
    ConversionSettings s = ConstantQuality(kFormatMkv);
    EncoderProfile p;
    p.videoKbps = 999;
    ResolveBitrates(s, p);
    EXPECT_EQ(0, p.videoKbps);
    EXPECT_EQ(128, p.audioKbps);
    EXPECT_EQ(24, p.constantQuality);
    EXPECT_EQ(kDefaultConstantQualitySpeed, p.encodingSpeed);
}

} // namespace
