#include "core/TargetSize.h"

#include <cmath>
#include <cstdio>

namespace {

// Measured on 10 s clips of fine detail: file size less the sum of the
// streams' packets. MP4 12.8 KB for 722 packets, Matroska 8.3 KB for 721,
// WebM 6.0 KB for 753, AVI 26.2 KB for 669 (idx1 entry and chunk header per
// packet), DVD 2.3 % (pack and PES headers, navigation packs), MPEG program
// streams 0.8 %, ASF 2.9 %.
struct ContainerCost {
    double fixedBytes;
    double bytesPerPacket;
    double shareOfPayload;
};

ContainerCost CostOf(OutputFormat format) {
    switch (OutputFormatFamily(format)) {
    case FormatFamily::Avi:
        return {10000, 24, 0.0};
    case FormatFamily::Mpeg:
    case FormatFamily::Svcd:
    case FormatFamily::Vcd:
        return {4096, 0, 0.012};
    case FormatFamily::Dvd:
        return {4096, 0, 0.03};
    case FormatFamily::Wmv:
        return {6000, 0, 0.035};
    default:
        break;
    }
    return format == kFormatMp4 ? ContainerCost{2000, 16, 0.0} : ContainerCost{4000, 12, 0.0};
}

// Audio packets a second, at most, of the formats' audio encoders.
constexpr double kAudioPacketsPerSecond = 50.0;
// A rate no format's encoder is asked for, whatever the target.
constexpr int32_t kHighestVideoKbps = 50000;

// The format's own ceiling for the video rate given the audio beside it:
// DVD 9,400 kbit/s of video in a 10,080 kbit/s mux, SVCD 2,500 kbit/s in
// 2,788.8 kbit/s (the muxer wants 2 % room).
int32_t VideoCeiling(OutputFormat format, int32_t audioKbps) {
    double ceiling = kHighestVideoKbps;
    if (format == kFormatDvd)
        ceiling = std::fmin(9400.0, 10080.0 / 1.02 - audioKbps);
    else if (format == kFormatSvcd)
        ceiling = std::fmin(2500.0, 2788.8 / 1.02 - audioKbps);
    return static_cast<int32_t>(ceiling);
}

double UsableRate(double framesPerSecond) {
    return framesPerSecond > 0.0 && framesPerSecond < 1000.0 ? framesPerSecond : 30.0;
}

} // namespace

int64_t TargetBytes(const ConversionSettings& settings) {
    if (settings.targetSizeKb <= 0)
        return 0;
    const int32_t kb =
        settings.targetSizeKb > kLargestTargetKb ? kLargestTargetKb : settings.targetSizeKb;
    return int64_t{kb} * kBytesPerTargetKb;
}

bool TargetForWholeList(const ConversionSettings& settings) {
    return settings.targetAppliesTo == 1;
}

bool FormatTakesTarget(OutputFormat format) {
    const FormatFamily family = OutputFormatFamily(format);
    // VCD's rates are fixed; sound-only outputs and copied streams have no
    // picture bitrate to choose.
    return family != FormatFamily::Vcd && family != FormatFamily::Unknown &&
           family != FormatFamily::Audio && family != FormatFamily::StreamCopy;
}

int64_t ContainerOverheadBytes(OutputFormat format, double durationSeconds,
                               double framesPerSecond) {
    const ContainerCost cost = CostOf(format);
    const double packets = durationSeconds * (UsableRate(framesPerSecond) + kAudioPacketsPerSecond);
    return static_cast<int64_t>(std::ceil(cost.fixedBytes + cost.bytesPerPacket * packets));
}

TargetBitrate VideoBitrateForTarget(const TargetInput& in) {
    TargetBitrate result;
    if (!(in.durationSeconds > 0.0) || in.targetBytes <= 0 || !FormatTakesTarget(in.format))
        return result;
    const ContainerCost cost = CostOf(in.format);
    // What the streams may take: the aimed budget less the fixed and per
    // packet costs, then less the share the container takes of the payload.
    const double streams =
        (in.targetBytes * kTargetAim -
         ContainerOverheadBytes(in.format, in.durationSeconds, in.framesPerSecond)) /
        (1.0 + cost.shareOfPayload);
    const double videoKbps = streams * 8.0 / 1000.0 / in.durationSeconds - in.audioKbps;
    if (!(videoKbps >= kLowestTargetVideoKbps))
        return result;
    result.fits = true;
    const int32_t ceiling = VideoCeiling(in.format, in.audioKbps);
    result.capped = videoKbps > ceiling;
    result.videoKbps = result.capped ? ceiling : static_cast<int32_t>(videoKbps);
    return result;
}

int64_t SmallestTargetBytes(OutputFormat format, double durationSeconds, double framesPerSecond,
                            int32_t audioKbps) {
    const ContainerCost cost = CostOf(format);
    const double streams = (kLowestTargetVideoKbps + audioKbps) * 1000.0 / 8.0 * durationSeconds;
    const double bytes = (streams * (1.0 + cost.shareOfPayload) +
                          ContainerOverheadBytes(format, durationSeconds, framesPerSecond)) /
                         kTargetAim;
    return static_cast<int64_t>(std::ceil(bytes));
}

int64_t ListShareBytes(int64_t totalBytes, double durationSeconds, double listSeconds) {
    if (!(listSeconds > 0.0) || !(durationSeconds > 0.0))
        return 0;
    const double share = static_cast<double>(totalBytes) * (durationSeconds / listSeconds);
    return static_cast<int64_t>(std::floor(share));
}

int64_t SmallestListTargetBytes(const int64_t* smallestBytes, const double* durations, int count) {
    double listSeconds = 0.0;
    for (int i = 0; i < count; ++i)
        listSeconds += durations[i] > 0.0 ? durations[i] : 0.0;
    double needed = 0.0;
    for (int i = 0; i < count; ++i) {
        if (durations[i] > 0.0)
            needed = std::fmax(needed, smallestBytes[i] * listSeconds / durations[i]);
    }
    return static_cast<int64_t>(std::ceil(needed));
}

void FormatTargetMegabytes(int64_t bytes, char* out, int size) {
    if (out == nullptr || size <= 0)
        return;
    // At most 10^7 tenths from the settings' largest target: an int holds it.
    const int tenths = static_cast<int>((bytes + 99999) / 100000);
    if (tenths % 10 == 0)
        std::snprintf(out, static_cast<size_t>(size), "%d MB", tenths / 10);
    else
        std::snprintf(out, static_cast<size_t>(size), "%d.%d MB", tenths / 10, tenths % 10);
}
