#include "core/EncoderProfile.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <limits>

#include "core/SourceTable.h"

namespace {

struct Kbps {
    int32_t video;
    int32_t audio;
};

// Every quality position of every format against the published bitrates.
TEST(ResolveBitrates, EveryFormatAndPosition) {
    const Kbps avi[] = {{384, 64},   {512, 80},   {640, 96},   {768, 96},  {1000, 128},
                        {1200, 128}, {1500, 160}, {2000, 192}, {2500, 224}};
    const Kbps mpeg1[] = {{512, 96}, {640, 128}, {800, 128}, {1000, 192}, {1152, 192}};
    const Kbps mpeg2[] = {{800, 96},   {1200, 112}, {1600, 128},
                          {2000, 160}, {3000, 224}, {5000, 224}};
    const Kbps svcd[] = {{800, 128}, {1200, 192}, {1600, 224}, {2000, 224}, {2500, 224}};
    const Kbps dvd[] = {{800, 112},  {1200, 112}, {1600, 128},
                        {2000, 160}, {3000, 224}, {5000, 224}};
    const Kbps wmv[] = {{192, 64},   {256, 64},   {384, 80},   {640, 96},  {768, 128},
                        {1000, 128}, {1250, 160}, {1500, 192}, {2000, 224}};
    const struct {
        int32_t format;
        const Kbps* rows;
        int count;
        int32_t ConversionSettings::*field;
    } cases[] = {
        {kFormatAvi, avi, 9, &ConversionSettings::aviQuality},
        {kFormatDivx, avi, 9, &ConversionSettings::aviQuality},
        {kFormatXvid, avi, 9, &ConversionSettings::aviQuality},
        {kFormatMpeg1, mpeg1, 5, &ConversionSettings::mpeg1Quality},
        {kFormatVcd, mpeg1, 5, &ConversionSettings::mpeg1Quality},
        {kFormatMpeg2, mpeg2, 6, &ConversionSettings::mpeg2Quality},
        {kFormatSvcd, svcd, 5, &ConversionSettings::svcdQuality},
        {kFormatDvd, dvd, 6, &ConversionSettings::dvdQuality},
        {kFormatWmv, wmv, 9, &ConversionSettings::wmvQuality},
        {kFormatAsf, wmv, 9, &ConversionSettings::wmvQuality},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.count, QualityTableFor(c.format).count) << c.format;
        for (int i = 0; i < c.count; ++i) {
            ConversionSettings s;
            s.outputFormat = c.format;
            s.*c.field = i;
            EncoderProfile p;
            ResolveBitrates(s, p);
            EXPECT_EQ(c.rows[i].video, p.videoKbps) << c.format << " position " << i;
            EXPECT_EQ(c.rows[i].audio, p.audioKbps) << c.format << " position " << i;
        }
    }
}

TEST(ResolveBitrates, OutOfRangeQualityFallsBackToTheDefaultPosition) {
    const struct {
        int32_t format;
        int32_t ConversionSettings::*field;
        Kbps expected;
    } cases[] = {
        {kFormatAvi, &ConversionSettings::aviQuality, {1000, 128}},
        {kFormatMpeg1, &ConversionSettings::mpeg1Quality, {1000, 192}},
        {kFormatMpeg2, &ConversionSettings::mpeg2Quality, {2000, 160}},
        {kFormatSvcd, &ConversionSettings::svcdQuality, {2500, 224}},
        {kFormatDvd, &ConversionSettings::dvdQuality, {5000, 224}},
        {kFormatWmv, &ConversionSettings::wmvQuality, {1000, 128}},
    };
    for (const auto& c : cases) {
        for (int32_t bad : {-1, 9, 6, INT32_MIN, INT32_MAX}) {
            ConversionSettings s;
            s.outputFormat = c.format;
            if (bad >= 0 && bad < QualityTableFor(c.format).count)
                continue;
            s.*c.field = bad;
            EncoderProfile p;
            p.videoKbps = 192; // left over from an earlier job
            ResolveBitrates(s, p);
            EXPECT_EQ(c.expected.video, p.videoKbps) << c.format << " " << bad;
            EXPECT_EQ(c.expected.audio, p.audioKbps) << c.format << " " << bad;
        }
    }
}

TEST(ResolveBitrates, UnknownFormatLeavesBitratesAlone) {
    for (int32_t format : {-1, 13, INT32_MAX}) {
        ConversionSettings s;
        s.outputFormat = format;
        EncoderProfile p;
        p.videoKbps = 111;
        p.audioKbps = 22;
        ResolveBitrates(s, p);
        EXPECT_EQ(111, p.videoKbps);
        EXPECT_EQ(22, p.audioKbps);
    }
}

TEST(ResolveTargetSize, TablesDisagreeFromPosition13) {
    ConversionSettings s;
    EncoderProfile p;
    const struct {
        int32_t format;
        int32_t position;
        int32_t w;
        int32_t h;
    } rows[] = {
        {kFormatAvi, 13, 480, 272},     {kFormatMpeg1, 13, 480, 480}, {kFormatAvi, 16, 624, 352},
        {kFormatMpeg2, 16, 720, 480},   {kFormatAvi, 19, 720, 576},   {kFormatMpeg2, 17, 720, 576},
        {kFormatWmv, 1, 80, 60},        {kFormatAsf, 9, 320, 200},    {kFormatAvi, 0, 0, 0},
        {kFormatMpeg2, 18, 0, 0},       {kFormatAvi, 20, 0, 0},       {kFormatAvi, -1, 0, 0},
        {kFormatDivx, INT32_MIN, 0, 0}, {42, 17, 640, 480}, // unknown format: AVI table
    };
    for (const auto& r : rows) {
        s.outputFormat = r.format;
        s.aviResolution = r.position;
        s.mpegResolution = r.position;
        ResolveTargetSize(s, p);
        EXPECT_EQ(r.w, p.targetWidth) << r.format << " " << r.position;
        EXPECT_EQ(r.h, p.targetHeight) << r.format << " " << r.position;
    }
}

TEST(ResolveProfile, DiscFormatsIgnoreTheFreeChoices) {
    const struct {
        int32_t format;
        int32_t tv;
        int32_t w;
        int32_t h;
        double fps;
    } rows[] = {
        {kFormatVcd, 0, 352, 240, 23.976}, {kFormatVcd, 1, 352, 288, 25.0},
        {kFormatSvcd, 0, 480, 480, 29.97}, {kFormatSvcd, 1, 480, 576, 25.0},
        {kFormatDvd, 0, 720, 480, 29.97},  {kFormatDvd, 1, 720, 576, 25.0},
        {kFormatDvd, -3, 720, 576, 25.0}, // any nonzero TV mode is PAL
    };
    for (const auto& r : rows) {
        ConversionSettings s;
        s.outputFormat = r.format;
        s.tvMode = r.tv;
        s.mpegResolution = 3;
        s.mpegFrameRate = 2;
        s.aviResolution = 5;
        EncoderProfile p;
        ResolveTargetSize(s, p);
        ResolveFrameRate(s, 12.0, p);
        EXPECT_EQ(r.w, p.targetWidth) << r.format << " " << r.tv;
        EXPECT_EQ(r.h, p.targetHeight) << r.format << " " << r.tv;
        EXPECT_DOUBLE_EQ(r.fps, p.outputFrameRate) << r.format << " " << r.tv;
    }
}

TEST(ResolveFrameRate, OriginalDerivesFromTheSource) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const struct {
        int32_t format;
        double source;
        double expected;
    } rows[] = {
        {kFormatAvi, 10.0, 14.985},     {kFormatAvi, 14.985, 14.985},  {kFormatAvi, 59.94, 59.94},
        {kFormatAvi, 60.0, 60.0},       {kFormatAvi, 60.0001, 30.0},   {kFormatXvid, 120.0, 30.0},
        {kFormatAvi, 0.0, 14.985},      {kFormatAvi, nan, 14.985},     {kFormatAvi, inf, 30.0},
        {kFormatMpeg2, 23.976, 23.976}, {kFormatMpeg2, 23.99, 23.976}, {kFormatMpeg2, 24.0, 24.0},
        {kFormatMpeg2, 25.0, 25.0},     {kFormatMpeg1, 27.9, 25.0},    {kFormatMpeg1, 28.0, 29.97},
        {kFormatMpeg1, 29.97, 29.97},   {kFormatMpeg1, 30.0, 30.0},    {kFormatMpeg2, 0.0, 23.976},
        {kFormatMpeg2, nan, 23.976},
    };
    for (const auto& r : rows) {
        ConversionSettings s;
        s.outputFormat = r.format;
        EncoderProfile p;
        ResolveFrameRate(s, r.source, p);
        EXPECT_DOUBLE_EQ(r.expected, p.outputFrameRate) << r.format << " " << r.source;
    }
}

TEST(ResolveFrameRate, FixedPositionsAndFallback) {
    const double avi[] = {14.985, 20.0, 23.976, 24.0, 25.0, 29.97, 30.0};
    const double mpeg[] = {23.976, 24.0, 25.0, 29.97, 30.0};
    ConversionSettings s;
    EncoderProfile p;
    s.outputFormat = kFormatDivx;
    for (int i = 1; i <= 7; ++i) {
        s.aviFrameRate = i;
        ResolveFrameRate(s, 50.0, p);
        EXPECT_DOUBLE_EQ(avi[i - 1], p.outputFrameRate) << i;
    }
    s.outputFormat = kFormatMpeg1;
    for (int i = 1; i <= 5; ++i) {
        s.mpegFrameRate = i;
        ResolveFrameRate(s, 50.0, p);
        EXPECT_DOUBLE_EQ(mpeg[i - 1], p.outputFrameRate) << i;
    }
    for (int32_t bad : {6, -1, INT32_MIN, INT32_MAX}) {
        s.mpegFrameRate = bad;
        ResolveFrameRate(s, 25.0, p);
        EXPECT_DOUBLE_EQ(30.0, p.outputFrameRate) << bad;
    }
    s.outputFormat = kFormatAvi;
    s.aviFrameRate = 8;
    ResolveFrameRate(s, 25.0, p);
    EXPECT_DOUBLE_EQ(30.0, p.outputFrameRate);
    for (int32_t format : {int32_t{kFormatWmv}, int32_t{kFormatAsf}, 13, -1}) {
        s.outputFormat = format;
        ResolveFrameRate(s, 25.0, p);
        EXPECT_DOUBLE_EQ(1000.0, p.outputFrameRate) << format;
    }
}

TEST(ResolveAspectText, TablesFallbacksAndUntouchedFormats) {
    const struct {
        int32_t format;
        int32_t mpeg;
        int32_t dvd;
        const char* text;
    } rows[] = {
        {kFormatMpeg1, 0, 0, "1/1"},        {kFormatMpeg2, 1, 0, "4/3"},
        {kFormatMpeg2, 2, 0, "16/9"},       {kFormatMpeg2, 3, 0, "2.21/1"},
        {kFormatVcd, 3, 0, "4/3"},          {kFormatSvcd, 0, 1, "16/9"},
        {kFormatDvd, 0, 1, "16/9"},         {kFormatMpeg2, 4, 0, "16/9"},
        {kFormatMpeg1, -1, 0, "16/9"},      {kFormatDvd, 0, 2, "16/9"},
        {kFormatDvd, 0, INT32_MIN, "16/9"}, {kFormatAvi, 1, 0, "keep"},
        {kFormatWmv, 1, 0, "keep"},         {15, 1, 0, "keep"},
    };
    for (const auto& r : rows) {
        ConversionSettings s;
        s.outputFormat = r.format;
        s.mpegAspect = r.mpeg;
        s.dvdAspect = r.dvd;
        EncoderProfile p;
        std::snprintf(p.aspectText, sizeof p.aspectText, "keep");
        ResolveAspectText(s, p);
        EXPECT_STREQ(r.text, p.aspectText) << r.format << " " << r.mpeg << " " << r.dvd;
    }
}

TEST(ResolveProfile, DefaultSettings) {
    ConversionSettings s;
    EncoderProfile p;
    ComputeLetterboxPadding(s, 640, 480, p);
    ResolveBitrates(s, p);
    ResolveAspectText(s, p);
    ResolveFrameRate(s, 25.0, p);
    EXPECT_EQ(2000, p.videoKbps);
    EXPECT_EQ(160, p.audioKbps);
    EXPECT_EQ(0, p.targetWidth);
    EXPECT_EQ(0, p.targetHeight);
    EXPECT_STREQ("16/9", p.aspectText);
    EXPECT_DOUBLE_EQ(25.0, p.outputFrameRate);
}

TEST(ComputeLetterboxPadding, Cases) {
    const struct {
        int32_t format;
        int32_t tv;
        int32_t res;
        int32_t letterbox;
        int32_t w;
        int32_t h;
        int32_t padW;
        int32_t padH;
    } rows[] = {
        {kFormatDvd, 1, 0, 1, 640, 480, -48, 36},            // 4:3 into 720 x 576
        {kFormatDvd, 0, 0, 1, 640, 480, 80, -60},            // 4:3 into 720 x 480
        {kFormatDvd, 0, 0, 1, 720, 480, 0, 0},               // same shape
        {kFormatAvi, 0, 17, 1, 1280, 720, -213, 120},        // 16:9 into 640 x 480
        {kFormatAvi, 0, 17, 1, 1, 1, 160, -160},             // truncation toward zero
        {kFormatAvi, 0, 17, 0, 1280, 720, 0, 0},             // letter box off
        {kFormatAvi, 0, 0, 1, 1280, 720, 0, 0},              // "Original": no target size
        {kFormatMpeg2, 0, 18, 1, 1280, 720, 0, 0},           // position outside the table
        {kFormatDvd, 1, 0, 1, 0, 480, 0, 0},                 // unknown width
        {kFormatDvd, 1, 0, 1, 640, 0, 0, 0},                 // unknown height
        {kFormatDvd, 1, 0, 1, -640, 480, 0, 0},              // nonsense size
        {kFormatDvd, 1, 0, 5, 640, 480, -48, 36},            // any nonzero switch is on
        {kFormatDvd, 1, 0, 1, INT32_MAX, 1, INT32_MIN, 576}, // no overflow
    };
    for (const auto& r : rows) {
        ConversionSettings s;
        s.outputFormat = r.format;
        s.tvMode = r.tv;
        s.aviResolution = r.res;
        s.mpegResolution = r.res;
        s.letterbox = r.letterbox;
        EncoderProfile p;
        const LetterboxPadding pad = ComputeLetterboxPadding(s, r.w, r.h, p);
        EXPECT_EQ(r.padW, pad.padWidth) << r.format << " " << r.w << "x" << r.h;
        EXPECT_EQ(r.padH, pad.padHeight) << r.format << " " << r.w << "x" << r.h;
    }
}

} // namespace
