#include "core/ConstantQualityProfile.h"

namespace {

int32_t InRange(int32_t position, int count, int32_t fallback) {
    return (position >= 0 && position < count) ? position : fallback;
}

} // namespace

// The default level gives an SSIM of at least 0.97 on natural pictures with
// each encoder (docs/performance.md); the scales differ, H.265 needs a few
// steps less than H.264 for the same picture and VP9 runs from 0 to 63.
const ConstantQualityQuality kConstantQualityQualities[kConstantQualityQualityCount] = {
    {"Smallest", 32, 33, 44, 64}, {"Small", 28, 29, 40, 96}, {"Normal", 25, 27, 36, 112},
    {"Good", 23, 24, 32, 128},    {"High", 20, 22, 28, 160}, {"Best", 18, 20, 24, 192},
};

const ConstantQualitySpeed kConstantQualitySpeeds[kConstantQualitySpeedCount] = {
    {"Faster", "veryfast", "veryfast", 4},
    {"Balanced", "medium", "fast", 2},
    {"Smaller file", "slow", "medium", 1},
};

const PictureSize kConstantQualityResolutions[kConstantQualityResolutionCount] = {
    {0, 0},      {3840, 2160}, {2560, 1440}, {1920, 1080},
    {1280, 720}, {960, 540},   {854, 480},   {640, 360},
};

const FrameRateChoice kConstantQualityFrameRates[kConstantQualityFrameRateCount] = {
    {"Original", 0.0},  {"23.976 fps", 23.976}, {"24.0 fps", 24.0},
    {"25.0 fps", 25.0}, {"29.97 fps", 29.97},   {"30.0 fps", 30.0},
    {"50.0 fps", 50.0}, {"59.94 fps", 59.94},   {"60.0 fps", 60.0},
};

int32_t ConstantQualityCrf(const ConstantQualityQuality& level, OutputFormat format) {
    switch (format) {
    case kFormatMkv:
        return level.h265Crf;
    case kFormatWebm:
        return level.vp9Crf;
    default:
        return level.h264Crf;
    }
}

void ResolveConstantQuality(const ConversionSettings& settings, EncoderProfile& profile) {
    const ConstantQualityQuality& level = kConstantQualityQualities[InRange(
        settings.mp4Quality, kConstantQualityQualityCount, kDefaultConstantQualityQuality)];
    profile.videoKbps = 0; // constant quality: no target bitrate
    profile.audioKbps = level.audioKbps;
    profile.constantQuality = ConstantQualityCrf(level, settings.outputFormat);
    profile.encodingSpeed =
        InRange(settings.mp4Speed, kConstantQualitySpeedCount, kDefaultConstantQualitySpeed);
}

double ConstantQualityFrameRate(const ConversionSettings& settings) {
    const int32_t position = InRange(settings.mp4FrameRate, kConstantQualityFrameRateCount, 0);
    return position == 0 ? kKeepSourceTimingRate : kConstantQualityFrameRates[position].fps;
}

PictureSize ConstantQualityTargetSize(const ConversionSettings& settings) {
    return kConstantQualityResolutions[InRange(settings.mp4Resolution,
                                               kConstantQualityResolutionCount, 0)];
}
