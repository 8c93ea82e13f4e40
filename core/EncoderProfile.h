// Numbers resolved from the settings for one encoder job, and their tables.
#pragma once

#include <cstddef>
#include <cstdint>

#include "core/ConversionSettings.h"

constexpr size_t kAspectTextCapacity = 64; // at most 63 characters + terminator

struct EncoderProfile {
    int32_t videoKbps = 0;
    int32_t audioKbps = 0;
    int32_t targetWidth = 0;  // 0: keep the source size
    int32_t targetHeight = 0; // 0: keep the source size
    double outputFrameRate = 0.0;
    char aspectText[kAspectTextCapacity] = "";
    // MP4, MKV and WebM only (engine/core/ConstantQualityProfile.h).
    int32_t constantQuality = 0; // the encoder's CRF
    int32_t encodingSpeed = 0;   // position in kConstantQualitySpeeds
    // Fit to a size: the output's target in bytes (0: none); videoKbps then
    // comes from it instead of the quality.
    int64_t targetBytes = 0;
    bool targetCapped = false; // the format's maximum rate made it smaller
};

// ---- Tables (shared with the Output Settings dialog, which lists them) ----

struct QualityLevel {
    const char* name; // "Lowest", "Normal", ...
    int32_t videoKbps;
    int32_t audioKbps;
};

struct QualityTable {
    const QualityLevel* levels; // nullptr when count is 0
    int count;
};

// Quality table of the format's family; {nullptr, 0} outside 0..9.
QualityTable QualityTableFor(OutputFormat format);

// The quality position that the format's family uses; nullptr outside 0..9.
const int32_t* QualityFieldFor(const ConversionSettings& settings, OutputFormat format);

struct PictureSize {
    int32_t width;
    int32_t height;
};

// Resolution tables; position 0 ("Original") is 0 x 0.
constexpr int kAviResolutionCount = 20;
constexpr int kMpegResolutionCount = 18;
extern const PictureSize kAviResolutions[kAviResolutionCount];
extern const PictureSize kMpegResolutions[kMpegResolutionCount];

// Frame-rate tables; position 0 ("Original") has rate 0 and is derived from
// the source.
struct FrameRateChoice {
    const char* label; // "Original", "14.985 fps", ...
    double fps;
};
constexpr int kAviFrameRateCount = 8;
constexpr int kMpegFrameRateCount = 6;
extern const FrameRateChoice kAviFrameRates[kAviFrameRateCount];
extern const FrameRateChoice kMpegFrameRates[kMpegFrameRateCount];

// Rate given to WMV and ASF, and to a format outside 0..9.
constexpr double kWmvFrameRate = 1000.0;
// Rate of a frame-rate position outside its table.
constexpr double kFallbackFrameRate = 30.0;

// Aspect texts handed to the encoder.
constexpr int kMpegAspectCount = 4;
constexpr int kDvdAspectCount = 2;
extern const char* const kMpegAspectTexts[kMpegAspectCount]; // "1/1" "4/3" "16/9" "2.21/1"
extern const char* const kDvdAspectTexts[kDvdAspectCount];   // "4/3" "16/9"

// ---- Resolution on explicit records (pure) ----

// Sets both bitrates from the format's quality table. A quality position
// outside its table falls back to the family's default position; a format
// outside 0..9 leaves the bitrates as they were.
void ResolveBitrates(const ConversionSettings& settings, EncoderProfile& profile);

// Sets aspectText for formats 1, 2, 5, 6 and 7; other formats leave it as it
// was. A position outside its table gives the default "16/9".
void ResolveAspectText(const ConversionSettings& settings, EncoderProfile& profile);

// Sets outputFrameRate; sourceFrameRate is used only by position 0 ("Original").
void ResolveFrameRate(const ConversionSettings& settings, double sourceFrameRate,
                      EncoderProfile& profile);

// Sets targetWidth and targetHeight.
void ResolveTargetSize(const ConversionSettings& settings, EncoderProfile& profile);

struct LetterboxPadding {
    int32_t padWidth;  // room left across when scaled to the full target height
    int32_t padHeight; // room left down when scaled to the full target width
};

// Resolves the target size first, then the padding for a source of the given
// size. A source of unknown size (width or height 0 or less) gets no padding.
LetterboxPadding ComputeLetterboxPadding(const ConversionSettings& settings, int32_t sourceWidth,
                                         int32_t sourceHeight, EncoderProfile& profile);
