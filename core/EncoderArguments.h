// The argument text handed to the encoder for one job.
#pragma once

#include <cstddef>
#include <cstdint>

#include "core/ConversionSettings.h"
#include "core/EncoderProfile.h"
#include "core/SourceTable.h"
#include "protocol/EncoderModes.h"

constexpr size_t kEncoderArgumentsCapacity = 2048; // at most 2047 characters + terminator
constexpr size_t kVolumeTextCapacity = 32;

struct EncoderJob {
    const char* sourcePath;
    const char* outputPath;
    int32_t padWidth;
    int32_t padHeight;
    int32_t mode;         // kEncoderModeConvert or kEncoderModeProbe
    int64_t windowHandle; // window handle value, printed as signed decimal
};

// The volume slider's ends; gain in dB is the position minus 20.
constexpr int32_t kVolumeSliderMin = 0;
constexpr int32_t kVolumeSliderMax = 40;

// "+6db:0" for slider 26, "-20db:0" for slider 0. A value outside the slider
// is taken as its nearest end.
void FormatVolumeText(int32_t volume, char* out, size_t size);

// Quantiser of the WMV and ASF formats: 29 - 2.5 x wmvQuality, truncated. A
// position outside the quality list counts as the default position.
int32_t WmvQuantiser(int32_t wmvQuality);

// Composes the argument text from an already resolved profile. Returns false,
// with out set to "" (when size allows), if the text would not fit in
// min(size - 1, 2047) characters or a path is nullptr; a text is never cut.
bool ComposeEncoderArguments(const ConversionSettings& settings, const EncoderProfile& profile,
                             const EncoderJob& job, char* out, size_t size);

// Fit to a size: with a target in the settings (for the whole list, the run
// puts the file's share there), sets videoKbps from the target and the
// source's duration, and targetBytes. A format without targets, or a target
// too small to fit, leaves the profile as it is.
void ResolveTargetBitrate(const ConversionSettings& settings, const SourceRow& source,
                          EncoderProfile& profile);

// What one job on a source of the given facts is given: its profile resolved
// from the settings (bitrates, aspect text, target size, the frame rate from
// the source's rate) and, for a conversion, the letter-box padding of the
// source's size (none for a probe).
struct JobPlan {
    EncoderProfile profile;
    LetterboxPadding padding{0, 0};
};
JobPlan PlanJob(const ConversionSettings& settings, const SourceRow& source, int32_t mode);

// Composes the argument text of one job from PlanJob's plan. Same result
// rules as ComposeEncoderArguments.
bool BuildJobArguments(const ConversionSettings& settings, const SourceRow& source,
                       const char* sourcePath, const char* outputPath, int32_t mode,
                       int64_t windowHandle, char* out, size_t size);
