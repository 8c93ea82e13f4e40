// The window message through which the encoder reports to the program, its
// event codes and the program's answers.
#pragma once

#include <cstdint>

constexpr unsigned kEncoderEventMessage = 0x0400 + 800; // WM_USER + 800

enum EncoderEventCode : uint32_t {
    kEventDuration = 1,  // whole seconds; 0 marks the source unusable
    kEventWidth = 2,     // pixels
    kEventHeight = 3,    // pixels
    kEventFrameRate = 4, // frames per second x 10,000,000
    kEventPosition = 6,  // whole seconds converted so far; answered with kEventStop to stop
    // Why the finished output failed its check (OutputFault), sent before
    // the encoder ends with kExitOutputDefective; a duration fault is
    // followed by the seconds found and the seconds converted.
    kEventOutputFault = 7,
    kEventOutputEnds = 8,
    kEventOutputOf = 9,
    // The video codec an MP4 with the streams kept cannot carry, as its
    // position in kVideoCodecNames (-1 for one not named there), sent before
    // the encoder ends with kExitVideoNotCarried.
    kEventVideoNotCarried = 10,
};

// Video codecs by FFmpeg's decoder name, with the name a user knows.
struct VideoCodecName {
    const char* ffmpeg;
    const char* shown;
};
constexpr VideoCodecName kVideoCodecNames[] = {
    {"h264", "H.264"},       {"hevc", "HEVC"},          {"mpeg4", "MPEG-4"},
    {"av1", "AV1"},          {"vp8", "VP8"},            {"vp9", "VP9"},
    {"mpeg1video", "MPEG-1"}, {"mpeg2video", "MPEG-2"}, {"theora", "Theora"},
    {"wmv1", "WMV 7"},       {"wmv2", "WMV 8"},         {"wmv3", "WMV 9"},
    {"vc1", "VC-1"},         {"msmpeg4v2", "MS MPEG-4 v2"}, {"msmpeg4v3", "MS MPEG-4 v3"},
    {"mjpeg", "Motion JPEG"}, {"prores", "ProRes"},     {"dvvideo", "DV"},
    {"flv1", "Sorenson Spark"}, {"h263", "H.263"},      {"rawvideo", "uncompressed"},
};
constexpr int kVideoCodecNameCount =
    static_cast<int>(sizeof kVideoCodecNames / sizeof kVideoCodecNames[0]);

enum OutputFault : int32_t {
    kOutputSound = 0,
    kOutputUnreadable = 1,      // FFmpeg cannot open what it wrote
    kOutputNoVideo = 2,         // a video stream it was asked for is missing
    kOutputNoAudio = 3,         // an audio stream it was asked for is missing
    kOutputWrongDuration = 4,   // it lasts more than max(0.5 s, 2 %) less or more
    kOutputEndDoesNotDecode = 5 // its last seconds cannot be decoded
};

// The answer to a report: go on, or (to a position report) stop.
constexpr int32_t kEventGoOn = 0;
constexpr int32_t kEventStop = 1;
