// The encoder's command line as a typed description: what to read, what to
// write, and every option piece the argument text carried.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "protocol/EncoderModes.h"

// kCopy: the source's streams as they are (-ovc copy -oac copy).
enum class VideoEncoder { kNone, kLavc, kXvid, kX264, kX265, kVp9, kCopy };
enum class AudioEncoder { kNone, kLavc, kMp3Lame, kCopy };
enum class Muxer { kDefault, kLavf, kMpeg, kAvi };

// Unset numbers are -1; every value the parser accepts is 0 or more.
struct LavcOptions {
    std::string vcodec;
    std::string acodec;
    int vbitrate = -1;
    int abitrate = -1;
    int vqscale = -1;
    int vqmin = -1;
    int vqmax = -1;
    int keyint = -1;
    int vrcBufSize = -1;
    int vrcMinRate = -1;
    int vrcMaxRate = -1;
    bool vhq = false;
    int autoaspect = -1;
    std::string aspect; // "16/9", "4/3", "2.21/1", "1.7778"
};

struct LameOptions {
    int vbr = -1;  // 0 CBR, 2 VBR by quality, 3 ABR
    int br = -1;   // kbit/s
    int mode = -1; // 0 stereo, 1 joint stereo, 2 dual channel, 3 mono
    int q = -1;    // quality of VBR, 0 best .. 9
};

struct XvidOptions {
    int bitrate = -1;
    int autoaspect = -1;
};

// -x264encopts and -x265encopts: constant quality at a speed preset.
struct CrfOptions {
    int crf = -1;        // 0..51
    int bitrate = -1;    // kbit/s: an average rate instead of constant quality
    std::string preset;  // ultrafast .. placebo
    std::string profile; // high (x264), main (x265)
};

struct Vp9Options {
    int crf = -1;     // 0..63
    int bitrate = -1; // kbit/s: an average rate instead of constant quality
    int cpuUsed = -1; // 0..8, higher is faster
};

struct LavfOptions {
    std::string format; // avi, mpg, wmv, asf, mp4, matroska, webm
    bool noBFramesCertified = false;
    std::string muxerOption; // o=KEY=VALUE, an option of the muxer
};

struct MpegOptions {
    std::string format; // mpeg1, mpeg2, xvcd, xsvcd, dvd
};

// One element of the -vf chain.
struct VideoFilter {
    enum Kind { kScale, kHarddup, kExpand } kind = kScale;
    int width = 0; // scale: a size or -3 (keep the shape); expand: the padded size
    int height = 0;
};

struct FrameRate {
    bool set = false;
    std::string text; // as written, handed on to FFmpeg
    double fps = 0.0;
    // 1000 fps is the formats' way of saying "keep the source timing".
    bool KeepsSourceTiming() const { return set && fps == 1000.0; }
};

struct EncoderCommand {
    std::string source;
    std::string output;
    int mode = kEncoderModeConvert;
    int64_t windowHandle = 0; // 0: report to nobody

    VideoEncoder videoEncoder = VideoEncoder::kNone;
    bool noVideo = false; // -ovc none: the output holds the sound alone
    AudioEncoder audioEncoder = AudioEncoder::kNone;
    LavcOptions lavc;
    LameOptions lame;
    XvidOptions xvid;
    CrfOptions x264;
    CrfOptions x265;
    Vp9Options vp9;
    std::string fourcc;
    Muxer muxer = Muxer::kDefault;
    LavfOptions lavf;
    MpegOptions mpeg;
    int swsScaler = -1;
    bool volumeSet = false;
    double volumeDb = 0.0;
    int sampleRate = -1;
    FrameRate frameRate;
    std::vector<VideoFilter> videoFilters;
    double endSeconds = -1.0; // -endpos as seconds; -1 when absent
    // -targetsize: the largest output in bytes; two passes, and one more
    // encode when still over. 0 when absent.
    long long targetBytes = 0;
};

// Parses the arguments that follow the program name. On failure returns false
// and puts a one-line English message into error. In probe mode (1) an option
// whose value cannot be honoured is left out instead: a probe needs only its
// source and window.
bool ParseEncoderCommand(const std::vector<std::string>& args, EncoderCommand& command,
                         std::string& error);
