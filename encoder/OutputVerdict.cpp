#include "encoder/OutputVerdict.h"

#include <algorithm>
#include <cmath>

double DurationTolerance(double seconds) {
    return std::max(0.5, 0.02 * seconds);
}

OutputFault JudgeOutput(const FfmpegSection& asked, double convertedSeconds,
                        const FfmpegSection& found, bool tailDecoded) {
    if (!found.found)
        return kOutputUnreadable;
    if (found.videoStreams < asked.videoStreams)
        return kOutputNoVideo;
    if (found.audioStreams < asked.audioStreams)
        return kOutputNoAudio;
    if (convertedSeconds >= 0.0 && !(std::fabs(found.durationSeconds - convertedSeconds) <=
                                     DurationTolerance(convertedSeconds))) {
        return kOutputWrongDuration;
    }
    return tailDecoded ? kOutputSound : kOutputEndDoesNotDecode;
}

double ConvertedSeconds(double sourceSeconds, double endSeconds) {
    if (!(sourceSeconds >= 0.0))
        return -1.0;
    return endSeconds >= 0.0 ? std::min(sourceSeconds, endSeconds) : sourceSeconds;
}
