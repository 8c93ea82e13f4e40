// Tables and resolution of the MP4 (H.264), MKV (H.265) and WebM (VP9)
// formats, which share one family of settings: a constant-quality level, a
// picture size, a frame rate and an encoding speed. Pure code.
#pragma once

#include <cstdint>

#include "engine/core/EncoderProfile.h"

// One constant-quality level. Each encoder has its own quality scale, so
// each gets its own value for the same visible quality.
struct ModernQuality {
    const char* name;  // "Smallest" .. "Best"
    int32_t h264Crf;   // libx264 -crf
    int32_t h265Crf;   // libx265 -crf
    int32_t vp9Crf;    // libvpx-vp9 -crf
    int32_t audioKbps; // AAC or Opus
};
constexpr int kModernQualityCount = 6;
extern const ModernQuality kModernQualities[kModernQualityCount];

// One encoding speed and the encoder presets it stands for.
struct ModernSpeed {
    const char* label;       // "Faster", "Balanced", "Smaller file"
    const char* x264Preset;
    const char* x265Preset;
    int32_t vp9CpuUsed;      // libvpx: higher is faster
};
constexpr int kModernSpeedCount = 3;
extern const ModernSpeed kModernSpeeds[kModernSpeedCount];

// Today's screens; position 0 ("Original") is 0 x 0.
constexpr int kModernResolutionCount = 8;
extern const PictureSize kModernResolutions[kModernResolutionCount];

// Position 0 ("Original") keeps the source timing.
constexpr int kModernFrameRateCount = 9;
extern const FrameRateChoice kModernFrameRates[kModernFrameRateCount];

// The encoder reads 1000 fps as "keep the source timing", as for WMV.
constexpr double kKeepSourceTimingRate = kWmvFrameRate;

// The family's defaults, which out-of-list positions fall back to.
constexpr int32_t kDefaultModernQuality = 3;  // "4.Good"
constexpr int32_t kDefaultModernSpeed = 1;    // "Balanced"

// The quality value of `level` for the encoder of `format` (10, 11 or 12).
int32_t ModernCrf(const ModernQuality& level, OutputFormat format);

// Sets audioKbps, constantQuality and encodingSpeed; videoKbps becomes 0.
void ResolveModernQuality(const ConversionSettings& settings, EncoderProfile& profile);

// The output rate: a fixed rate from the list, or kKeepSourceTimingRate for
// "Original" and for a position outside the list.
double ModernFrameRate(const ConversionSettings& settings);

// The target size; 0 x 0 ("Original") for a position outside the list.
PictureSize ModernTargetSize(const ConversionSettings& settings);
