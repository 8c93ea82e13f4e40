// Fit to a size: the video bitrate that makes an output meet a target size,
// the shares of a target for a whole list, and the smallest target that works.
#pragma once

#include <cstdint>

#include "core/ConversionSettings.h"
#include "core/OutputFormat.h"

// 1 MB is 1,000,000 bytes throughout; the settings hold kilobytes of 1,000 bytes.
constexpr int64_t kBytesPerTargetKb = 1000;
// The largest target taken from the settings file: 1,000 GB.
constexpr int32_t kLargestTargetKb = 1000000000;
// Below this video rate a picture is no longer worth watching: a target that
// leaves less is refused.
constexpr int32_t kLowestTargetVideoKbps = 100;
// The part of a budget the rate control is aimed at: two-pass encoders land
// within a few percent, and the encoder re-encodes once when still over.
constexpr double kTargetAim = 0.96;

// The target in bytes; 0 when there is none. A hand-edited value below 0 means
// no target, one above kLargestTargetKb is taken as kLargestTargetKb.
int64_t TargetBytes(const ConversionSettings& settings);

// True when the target is shared by the whole list (the setting is 1); any
// other value means each file.
bool TargetForWholeList(const ConversionSettings& settings);

// Whether a target can steer the format's size: not VCD (its rates are fixed
// by its standard), nor a format outside the video tables.
bool FormatTakesTarget(OutputFormat format);

// What one output is made of, for the arithmetic.
struct TargetInput {
    OutputFormat format;
    double durationSeconds;
    double framesPerSecond; // of the output; 0 or 1000 (keep the timing) counts as 30
    int32_t audioKbps;
    int64_t targetBytes;
};

struct TargetBitrate {
    int32_t videoKbps = 0; // 0 when the target cannot be met (see fits)
    bool fits = false;     // the target leaves at least kLowestTargetVideoKbps
    bool capped = false;   // the format's own maximum made the rate lower than asked
};

// Bytes the container adds to the streams' payload over the duration,
// measured per format (headers, index entries and packet headers).
int64_t ContainerOverheadBytes(OutputFormat format, double durationSeconds, double framesPerSecond);

// Video bitrate = (target x aim - audio - container overhead) / duration,
// capped by the format's maximum video rate.
TargetBitrate VideoBitrateForTarget(const TargetInput& input);

// The smallest target, in bytes, for which VideoBitrateForTarget fits.
int64_t SmallestTargetBytes(OutputFormat format, double durationSeconds, double framesPerSecond,
                            int32_t audioKbps);

// The share of a whole-list target that a file of the given duration gets:
// in proportion to duration, rounded down so the shares never add up to more.
int64_t ListShareBytes(int64_t totalBytes, double durationSeconds, double listSeconds);

// The smallest whole-list target whose shares all fit, given each file's own
// smallest target and duration.
int64_t SmallestListTargetBytes(const int64_t* smallestBytes, const double* durations, int count);

// "12.5 MB": bytes rounded up to a tenth of a megabyte, for messages (so a
// smallest target named this way works).
void FormatTargetMegabytes(int64_t bytes, char* out, int size);
