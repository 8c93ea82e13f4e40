#include "core/EncoderProfile.h"

#include <cmath>
#include <cstdio>

#include "core/ConstantQualityProfile.h"
#include "core/SourceTable.h"

namespace {

const QualityLevel kAviQualities[] = {
    {"Lowest", 384, 64},   {"Lower", 512, 80},    {"Low", 640, 96},
    {"Normal", 768, 96},   {"Medium", 1000, 128}, {"Good", 1200, 128},
    {"Better", 1500, 160}, {"High", 2000, 192},   {"Best", 2500, 224},
};
const QualityLevel kMpeg1Qualities[] = {
    {"Low", 512, 96},    {"Normal", 640, 128}, {"Medium", 800, 128},
    {"Good", 1000, 192}, {"Best", 1152, 192},
};
const QualityLevel kMpeg2Qualities[] = {
    {"Lower", 800, 96},    {"Low", 1200, 112},  {"Normal", 1600, 128},
    {"Medium", 2000, 160}, {"Good", 3000, 224}, {"Best", 5000, 224},
};
const QualityLevel kSvcdQualities[] = {
    {"Low", 800, 128},   {"Normal", 1200, 192}, {"Medium", 1600, 224},
    {"Good", 2000, 224}, {"Best", 2500, 224},
};
const QualityLevel kDvdQualities[] = {
    {"Lower", 800, 112},   {"Low", 1200, 112},  {"Normal", 1600, 128},
    {"Medium", 2000, 160}, {"Good", 3000, 224}, {"Best", 5000, 224},
};
const QualityLevel kWmvQualities[] = {
    {"Lowest", 192, 64},   {"Lower", 256, 64},   {"Low", 384, 80},
    {"Normal", 640, 96},   {"Medium", 768, 128}, {"Good", 1000, 128},
    {"Better", 1250, 160}, {"High", 1500, 192},  {"Best", 2000, 224},
};

template <size_t N> QualityTable MakeTable(const QualityLevel (&levels)[N]) {
    return QualityTable{levels, static_cast<int>(N)};
}

// Default quality position per family, the one a fresh settings file holds.
int32_t DefaultQualityPosition(OutputFormat format) {
    const ConversionSettings defaults;
    const int32_t* field = QualityFieldFor(defaults, format);
    return field ? *field : 0;
}

// Rate for frame-rate position 0 of the AVI family.
double DeriveAviFrameRate(double s) {
    if (s < 14.985)
        return 14.985;
    if (s > 60.0)
        return 30.0;
    return s;
}

// Rate for frame-rate position 0 of the MPEG family: the nearest standard rate.
double DeriveMpegFrameRate(double s) {
    if (s < 24.0)
        return 23.976;
    if (s < 25.0)
        return 24.0;
    if (s < 28.0)
        return 25.0;
    if (s < 30.0)
        return 29.97;
    return 30.0;
}

double PickFrameRate(const FrameRateChoice* table, int count, int32_t position, double source,
                     double (*derive)(double)) {
    if (position == 0)
        return derive(source);
    if (position > 0 && position < count)
        return table[position].fps;
    return kFallbackFrameRate;
}

PictureSize PickSize(const PictureSize* table, int count, int32_t position) {
    if (position >= 0 && position < count)
        return table[position];
    return PictureSize{0, 0};
}

void SetAspect(EncoderProfile& profile, const char* text) {
    std::snprintf(profile.aspectText, sizeof profile.aspectText, "%s", text);
}

// Truncating w*H/h in 64 bits, then kept inside 32 bits.
int32_t PadAcross(int32_t target, int32_t a, int32_t b, int32_t c) {
    int64_t value = int64_t{target} - (int64_t{a} * int64_t{b}) / int64_t{c};
    if (value > INT32_MAX)
        return INT32_MAX;
    if (value < INT32_MIN)
        return INT32_MIN;
    return static_cast<int32_t>(value);
}

} // namespace

const PictureSize kAviResolutions[kAviResolutionCount] = {
    {0, 0},     {80, 60},   {96, 72},   {128, 96},  {160, 120}, {176, 120}, {176, 144},
    {192, 144}, {240, 180}, {320, 200}, {320, 240}, {352, 240}, {352, 288}, {480, 272},
    {480, 480}, {480, 576}, {624, 352}, {640, 480}, {720, 480}, {720, 576},
};

const PictureSize kMpegResolutions[kMpegResolutionCount] = {
    {0, 0},     {80, 60},   {96, 72},   {128, 96},  {160, 120}, {176, 120},
    {176, 144}, {192, 144}, {240, 180}, {320, 200}, {320, 240}, {352, 240},
    {352, 288}, {480, 480}, {480, 576}, {640, 480}, {720, 480}, {720, 576},
};

const FrameRateChoice kAviFrameRates[kAviFrameRateCount] = {
    {"Original", 0.0},  {"14.985 fps", 14.985}, {"20.0 fps", 20.0},   {"23.976 fps", 23.976},
    {"24.0 fps", 24.0}, {"25.0 fps", 25.0},     {"29.97 fps", 29.97}, {"30.0 fps", 30.0},
};

const FrameRateChoice kMpegFrameRates[kMpegFrameRateCount] = {
    {"Original", 0.0},  {"23.976 fps", 23.976}, {"24.0 fps", 24.0},
    {"25.0 fps", 25.0}, {"29.97 fps", 29.97},   {"30.0 fps", 30.0},
};

const char* const kMpegAspectTexts[kMpegAspectCount] = {"1/1", "4/3", "16/9", "2.21/1"};
const char* const kDvdAspectTexts[kDvdAspectCount] = {"4/3", "16/9"};

QualityTable QualityTableFor(OutputFormat format) {
    switch (format) {
    case kFormatAvi:
    case kFormatDivx:
    case kFormatXvid:
        return MakeTable(kAviQualities);
    case kFormatMpeg1:
    case kFormatVcd:
        return MakeTable(kMpeg1Qualities);
    case kFormatMpeg2:
        return MakeTable(kMpeg2Qualities);
    case kFormatSvcd:
        return MakeTable(kSvcdQualities);
    case kFormatDvd:
        return MakeTable(kDvdQualities);
    case kFormatWmv:
    case kFormatAsf:
        return MakeTable(kWmvQualities);
    default:
        return QualityTable{nullptr, 0};
    }
}

const int32_t* QualityFieldFor(const ConversionSettings& settings, OutputFormat format) {
    switch (format) {
    case kFormatAvi:
    case kFormatDivx:
    case kFormatXvid:
        return &settings.aviQuality;
    case kFormatMpeg1:
    case kFormatVcd:
        return &settings.mpeg1Quality;
    case kFormatMpeg2:
        return &settings.mpeg2Quality;
    case kFormatSvcd:
        return &settings.svcdQuality;
    case kFormatDvd:
        return &settings.dvdQuality;
    case kFormatWmv:
    case kFormatAsf:
        return &settings.wmvQuality;
    default:
        return nullptr;
    }
}

void ResolveBitrates(const ConversionSettings& settings, EncoderProfile& profile) {
    if (IsConstantQualityFormat(settings.outputFormat)) {
        ResolveConstantQuality(settings, profile);
        return;
    }
    const QualityTable table = QualityTableFor(settings.outputFormat);
    const int32_t* field = QualityFieldFor(settings, settings.outputFormat);
    if (table.count == 0 || field == nullptr)
        return;
    int32_t position = *field;
    // A hand-edited position outside the list would otherwise keep the bitrates
    // of whatever job ran before (or 0 before the first one).
    if (position < 0 || position >= table.count)
        position = DefaultQualityPosition(settings.outputFormat);
    profile.videoKbps = table.levels[position].videoKbps;
    profile.audioKbps = table.levels[position].audioKbps;
}

void ResolveAspectText(const ConversionSettings& settings, EncoderProfile& profile) {
    switch (settings.outputFormat) {
    case kFormatMpeg1:
    case kFormatMpeg2: {
        const int32_t p = settings.mpegAspect;
        SetAspect(profile, (p >= 0 && p < kMpegAspectCount) ? kMpegAspectTexts[p] : "16/9");
        break;
    }
    case kFormatVcd:
    case kFormatSvcd:
    case kFormatDvd: {
        const int32_t p = settings.dvdAspect;
        SetAspect(profile, (p >= 0 && p < kDvdAspectCount) ? kDvdAspectTexts[p] : "16/9");
        break;
    }
    default:
        break;
    }
}

void ResolveFrameRate(const ConversionSettings& settings, double sourceFrameRate,
                      EncoderProfile& profile) {
    // An unusable source rate counts as unknown, so it never reaches the encoder.
    if (std::isnan(sourceFrameRate))
        sourceFrameRate = 0.0;
    const bool pal = settings.tvMode != 0;
    double rate = kWmvFrameRate;
    switch (settings.outputFormat) {
    case kFormatAvi:
    case kFormatDivx:
    case kFormatXvid:
        rate = PickFrameRate(kAviFrameRates, kAviFrameRateCount, settings.aviFrameRate,
                             sourceFrameRate, DeriveAviFrameRate);
        break;
    case kFormatMpeg1:
    case kFormatMpeg2:
        rate = PickFrameRate(kMpegFrameRates, kMpegFrameRateCount, settings.mpegFrameRate,
                             sourceFrameRate, DeriveMpegFrameRate);
        break;
    case kFormatVcd:
        rate = pal ? 25.0 : 23.976;
        break;
    case kFormatSvcd:
    case kFormatDvd:
        rate = pal ? 25.0 : 29.97;
        break;
    case kFormatMp4:
    case kFormatMkv:
    case kFormatWebm:
        rate = ConstantQualityFrameRate(settings);
        break;
    default:
        rate = kWmvFrameRate;
        break; // WMV, ASF and unknown formats
    }
    profile.outputFrameRate = rate;
}

void ResolveTargetSize(const ConversionSettings& settings, EncoderProfile& profile) {
    const bool pal = settings.tvMode != 0;
    PictureSize size{0, 0};
    switch (settings.outputFormat) {
    case kFormatMpeg1:
    case kFormatMpeg2:
        size = PickSize(kMpegResolutions, kMpegResolutionCount, settings.mpegResolution);
        break;
    case kFormatVcd:
        size = pal ? PictureSize{352, 288} : PictureSize{352, 240};
        break;
    case kFormatSvcd:
        size = pal ? PictureSize{480, 576} : PictureSize{480, 480};
        break;
    case kFormatDvd:
        size = pal ? PictureSize{720, 576} : PictureSize{720, 480};
        break;
    case kFormatMp4:
    case kFormatMkv:
    case kFormatWebm:
        size = ConstantQualityTargetSize(settings);
        break;
    default: // AVI family, WMV, ASF and unknown formats
        size = PickSize(kAviResolutions, kAviResolutionCount, settings.aviResolution);
        break;
    }
    profile.targetWidth = size.width;
    profile.targetHeight = size.height;
}

LetterboxPadding ComputeLetterboxPadding(const ConversionSettings& settings, int32_t sourceWidth,
                                         int32_t sourceHeight, EncoderProfile& profile) {
    ResolveTargetSize(settings, profile);
    const int32_t W = profile.targetWidth;
    const int32_t H = profile.targetHeight;
    if (settings.letterbox == 0 || W == 0 || H == 0)
        return LetterboxPadding{0, 0};
    // Without a known source shape there is nothing to keep: scale to the target.
    if (sourceWidth <= 0 || sourceHeight <= 0)
        return LetterboxPadding{0, 0};
    return LetterboxPadding{PadAcross(W, sourceWidth, H, sourceHeight),
                            PadAcross(H, sourceHeight, W, sourceWidth)};
}
