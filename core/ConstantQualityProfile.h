// Tables and resolution of the MP4 (H.264), MKV (H.265) and WebM (VP9)
// formats, which share one family of settings: a constant-quality level, a
// picture size, a frame rate and an encoding speed. Pure code.
#pragma once

#include <cstdint>

#include "core/EncoderProfile.h"

// One constant-quality level. Each encoder has its own quality scale, so
// each gets its own value for the same visible quality.
struct ConstantQualityQuality {
    const char* name;  // "Smallest" .. "Best"
    int32_t h264Crf;   // libx264 -crf
    int32_t h265Crf;   // libx265 -crf
    int32_t vp9Crf;    // libvpx-vp9 -crf
    int32_t audioKbps; // AAC or Opus
};
constexpr int kConstantQualityQualityCount = 6;
extern const ConstantQualityQuality kConstantQualityQualities[kConstantQualityQualityCount];

// One encoding speed and the encoder presets it stands for.
struct ConstantQualitySpeed {
    const char* label; // "Faster", "Balanced", "Smaller file"
    const char* x264Preset;
    const char* x265Preset;
    int32_t vp9CpuUsed; // libvpx: higher is faster
};
constexpr int kConstantQualitySpeedCount = 3;
extern const ConstantQualitySpeed kConstantQualitySpeeds[kConstantQualitySpeedCount];

// Today's screens; position 0 ("Original") is 0 x 0.
constexpr int kConstantQualityResolutionCount = 8;
extern const PictureSize kConstantQualityResolutions[kConstantQualityResolutionCount];

// Position 0 ("Original") keeps the source timing.
constexpr int kConstantQualityFrameRateCount = 9;
extern const FrameRateChoice kConstantQualityFrameRates[kConstantQualityFrameRateCount];

// The encoder reads 1000 fps as "keep the source timing", as for WMV.
constexpr double kKeepSourceTimingRate = kWmvFrameRate;

// The family's defaults, which out-of-list positions fall back to.
constexpr int32_t kDefaultConstantQualityQuality = 3; // "4.Good"
constexpr int32_t kDefaultConstantQualitySpeed = 1;   // "Balanced"

// The quality value of `level` for the encoder of `format` (10, 11 or 12).
int32_t ConstantQualityCrf(const ConstantQualityQuality& level, OutputFormat format);

// Sets audioKbps, constantQuality and encodingSpeed; videoKbps becomes 0.
void ResolveConstantQuality(const ConversionSettings& settings, EncoderProfile& profile);

// The output rate: a fixed rate from the list, or kKeepSourceTimingRate for
// "Original" and for a position outside the list.
double ConstantQualityFrameRate(const ConversionSettings& settings);

// The target size; 0 x 0 ("Original") for a position outside the list.
PictureSize ConstantQualityTargetSize(const ConversionSettings& settings);
