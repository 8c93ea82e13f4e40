// Exit codes of quenforenc.exe. Values avoid 1 and 3, which the C runtime and
// FFmpeg use for their own failures, so a caller can tell each outcome apart.
#pragma once

enum EncoderExitCode : int {
    kExitSuccess = 0,          // output written (mode 0) or source reported (mode 1)
    kExitBadArguments = 10,    // argument text unreadable: unknown option, missing value, bad quote
    kExitUnusableSource = 11,  // source missing, unreadable or without a usable video stream
    kExitFfmpegMissing = 12,   // ffmpeg.exe not beside the encoder, or it could not be started
    kExitFfmpegFailed = 13,    // FFmpeg ended with an error; its last error line is on stderr
    kExitStoppedByUser = 14,   // the window answered 1 to a position report
    kExitWindowGone = 15,      // the window to report to no longer exists
    kExitOutputFailed = 16,    // the finished output could not be moved to its name
    kExitInternalError = 17,   // the platform refused a pipe, job object or thread
    kExitNoVideoStream = 18,   // the source is readable but holds no video stream (probe)
    kExitOutputDefective = 19, // FFmpeg's output failed its check and was removed
    kExitNoSound = 20,         // a sound-only output from a source without sound
    kExitDolbyVisionOnly = 21, // Dolby Vision video without a base layer other decoders show
    kExitVideoNotCarried = 22, // streams kept: the container cannot carry the source's video
};

// Short English description of an exit code, for messages and logs.
inline const char* DescribeEncoderExitCode(int code) {
    switch (code) {
    case kExitSuccess:
        return "success";
    case kExitBadArguments:
        return "bad arguments";
    case kExitUnusableSource:
        return "unusable source";
    case kExitFfmpegMissing:
        return "ffmpeg.exe missing or not startable";
    case kExitFfmpegFailed:
        return "FFmpeg failed";
    case kExitStoppedByUser:
        return "stopped by the user";
    case kExitWindowGone:
        return "window gone";
    case kExitOutputFailed:
        return "output could not be written";
    case kExitInternalError:
        return "internal error";
    case kExitNoVideoStream:
        return "no video stream";
    case kExitOutputDefective:
        return "the output failed its check";
    case kExitNoSound:
        return "no sound";
    case kExitDolbyVisionOnly:
        return "Dolby Vision without a compatible base layer";
    case kExitVideoNotCarried:
        return "the container cannot carry the video";
    default:
        return "unknown exit code";
    }
}
