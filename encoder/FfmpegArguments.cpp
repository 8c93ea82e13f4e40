#include "encoder/FfmpegArguments.h"

#include "encoder/StreamsKept.h"

#include <cmath>
#include <cstdio>

#include "encoder/TrackMaps.h"

namespace {

// MEncoder's defaults where an option piece leaves a value out.
constexpr int kDefaultVideoKbps = 800;
constexpr int kDefaultXvidKbps = 687;
constexpr int kDefaultLavcAudioKbps = 224;
constexpr int kDefaultLameKbps = 128;
constexpr int kDefaultLameQuality = 4;
constexpr int kDefaultKeyInterval = 250;
// The encoders' own defaults for constant quality where a piece leaves it out.
constexpr int kDefaultX264Crf = 23;
constexpr int kDefaultX265Crf = 28;
constexpr int kDefaultVp9Crf = 32;
constexpr int kDefaultVp9CpuUsed = 1;

const char* const kScalerNames[] = {"fast_bilinear", "bilinear", "bicubic",  "experimental",
                                    "neighbor",      "area",     "bicublin", "gauss",
                                    "sinc",          "lanczos",  "spline"};

struct NamePair {
    const char* ours;
    const char* ffmpeg;
};

const NamePair kVideoCodecs[] = {
    {"mpeg4", "mpeg4"},
    {"mpeg1video", "mpeg1video"},
    {"mpeg2video", "mpeg2video"},
    {"wmv1", "wmv1"},
    {"wmv2", "wmv2"},
    {"msmpeg4", "msmpeg4"},
    {"msmpeg4v2", "msmpeg4v2"},
};
const NamePair kAudioCodecs[] = {{"ac3", "ac3"},     {"mp2", "mp2"}, {"wmav1", "wmav1"},
                                 {"wmav2", "wmav2"}, {"aac", "aac"}, {"libopus", "libopus"},
                                 {"flac", "flac"}};
const NamePair kLavfMuxers[] = {{"avi", "avi"},           {"mpg", "mpeg"},  {"mpeg", "mpeg"},
                                {"wmv", "asf"},           {"asf", "asf"},   {"mp4", "mp4"},
                                {"matroska", "matroska"}, {"webm", "webm"}, {"mp3", "mp3"},
                                {"ipod", "ipod"},         {"flac", "flac"}};

template <size_t N> const char* Lookup(const NamePair (&table)[N], const std::string& name) {
    for (const NamePair& pair : table) {
        if (name == pair.ours)
            return pair.ffmpeg;
    }
    return nullptr;
}

std::string Number(long long value) {
    return std::to_string(value);
}

// MEncoder takes a rate above 16000 as bit/s, anything else as kbit/s.
std::string Rate(int value) {
    return value > 16000 ? Number(value) : Number(value) + "k";
}
double Kbit(int value) {
    return value > 16000 ? value / 1000.0 : value;
}

std::string Decimal(double value) {
    char text[64];
    std::snprintf(text, sizeof text, "%.3f", value);
    std::string s = text;
    while (!s.empty() && s.back() == '0')
        s.pop_back();
    if (!s.empty() && s.back() == '.')
        s.pop_back();
    return s;
}

// A rate as FFmpeg prints it ("29.97"), the NTSC ones as their exact fractions.
std::string RateText(double fps) {
    for (int base : {24, 30, 60}) {
        if (std::fabs(fps - base * 1000.0 / 1001) < 0.01)
            return std::to_string(base * 1000) + "/1001";
    }
    return Decimal(fps);
}

void Add(std::vector<std::string>& args, const char* name, const std::string& value) {
    args.push_back(name);
    args.push_back(value);
}

// The size expression of one side of a scale; -3 keeps the storage shape,
// truncated and then rounded up to an even number, as MEncoder does.
std::string ScaleWidth(const VideoFilter& f) {
    if (f.width != -3)
        return Number(f.width);
    std::string h = Number(f.height);
    return "trunc((trunc(" + h + "*iw/ih)+1)/2)*2";
}
std::string ScaleHeight(const VideoFilter& f) {
    if (f.height != -3)
        return Number(f.height);
    std::string w = Number(f.width);
    return "trunc((trunc(" + w + "*ih/iw)+1)/2)*2";
}

// H.264 and H.265 in 4:2:0 need even sizes (and VP9's players expect them).
bool NeedsEvenSize(VideoEncoder v) {
    return v == VideoEncoder::kX264 || v == VideoEncoder::kX265 || v == VideoEncoder::kVp9;
}

std::string FilterChain(const EncoderCommand& c) {
    const char* flags = ScalerName(c.swsScaler < 0 ? 2 : c.swsScaler);
    std::string chain;
    for (const VideoFilter& f : c.videoFilters) {
        std::string item;
        if (f.kind == VideoFilter::kScale) {
            item = "scale=w=" + ScaleWidth(f) + ":h=" + ScaleHeight(f) + ":flags=" + flags;
        } else if (f.kind == VideoFilter::kExpand) {
            // Centred, never smaller than the picture (a plain pad fails then).
            std::string w = Number(f.width);
            std::string h = Number(f.height);
            item = "pad=w=max(iw\\," + w + "):h=max(ih\\," + h + "):x=(ow-iw)/2:y=(oh-ih)/2";
        } else {
            continue; // harddup: the constant frame rate below duplicates frames
        }
        if (!chain.empty())
            chain += ",";
        chain += item;
    }
    // Last, so that every picture size before it is covered: an odd row or
    // column is cropped away; an even picture passes untouched.
    if (NeedsEvenSize(c.videoEncoder)) {
        if (!chain.empty())
            chain += ",";
        chain += "crop=w=trunc(iw/2)*2:h=trunc(ih/2)*2";
    }
    return chain;
}

// -x264encopts / -x265encopts: the profile fixes 8-bit 4:2:0.
void AddConstantQuality(const char* codec, const CrfOptions& o, int defaultCrf, const char* profile,
                        std::vector<std::string>& args) {
    Add(args, "-c:v", codec);
    if (o.bitrate > 0)
        Add(args, "-b:v", Rate(o.bitrate));
    else
        Add(args, "-crf", Number(o.crf >= 0 ? o.crf : defaultCrf));
    Add(args, "-preset", o.preset.empty() ? "medium" : o.preset);
    Add(args, "-profile:v", o.profile.empty() ? profile : o.profile);
    Add(args, "-pix_fmt", "yuv420p");
}

bool AddVideo(const EncoderCommand& c, const FfmpegTarget& t, std::vector<std::string>& args,
              std::string& error) {
    if (c.videoEncoder == VideoEncoder::kLavc) {
        const LavcOptions& o = c.lavc;
        const char* codec =
            Lookup(kVideoCodecs, o.vcodec.empty() ? std::string("mpeg4") : o.vcodec);
        if (codec == nullptr) {
            error = "video codec '" + o.vcodec + "' is not supported";
            return false;
        }
        Add(args, "-c:v", codec);
        if (o.vqscale >= 1) {
            Add(args, "-q:v", Number(o.vqscale));
        } else {
            Add(args, "-b:v", Rate(o.vbitrate > 0 ? o.vbitrate : kDefaultVideoKbps));
        }
        if (o.vhq)
            Add(args, "-mbd", "rd");
        if (o.vqmin >= 1)
            Add(args, "-qmin", Number(o.vqmin));
        if (o.vqmax >= 1)
            Add(args, "-qmax", Number(o.vqmax));
        // FFmpeg's own key interval is 12; MEncoder's lavc default is 250.
        Add(args, "-g", Number(o.keyint >= 1 ? o.keyint : kDefaultKeyInterval));
        if (o.vrcBufSize >= 1)
            Add(args, "-bufsize", Number(o.vrcBufSize) + "k");
        if (o.vrcMinRate >= 1)
            Add(args, "-minrate", Rate(o.vrcMinRate));
        if (o.vrcMaxRate >= 1)
            Add(args, "-maxrate", Rate(o.vrcMaxRate));
        if (!o.aspect.empty())
            Add(args, "-aspect", o.aspect);
    } else if (c.videoEncoder == VideoEncoder::kXvid) {
        Add(args, "-c:v", "libxvid");
        Add(args, "-b:v", Rate(c.xvid.bitrate > 0 ? c.xvid.bitrate : kDefaultXvidKbps));
        // Xvid's key interval is ten seconds of output frames; B-frames on.
        double fps = c.frameRate.set && !c.frameRate.KeepsSourceTiming() ? c.frameRate.fps
                                                                         : t.sourceFrameRate;
        long long keyint = fps > 0 ? std::llround(10.0 * fps) : kDefaultKeyInterval;
        Add(args, "-g", Number(keyint < 1 ? 1 : keyint));
        Add(args, "-bf", "2");
    } else if (c.videoEncoder == VideoEncoder::kX264) {
        AddConstantQuality("libx264", c.x264, kDefaultX264Crf, "high", args);
    } else if (c.videoEncoder == VideoEncoder::kX265) {
        AddConstantQuality("libx265", c.x265, kDefaultX265Crf, "main", args);
        // x265 writes its settings, and under Wine a thread-affinity complaint
        // on every frame, to stderr, where a failure's last line is wanted.
        Add(args, "-x265-params", "log-level=none");
    } else if (c.videoEncoder == VideoEncoder::kVp9) {
        // Constant quality in libvpx needs the bitrate target off.
        Add(args, "-c:v", "libvpx-vp9");
        if (c.vp9.bitrate > 0) {
            Add(args, "-b:v", Rate(c.vp9.bitrate));
        } else {
            Add(args, "-crf", Number(c.vp9.crf >= 0 ? c.vp9.crf : kDefaultVp9Crf));
            Add(args, "-b:v", "0");
        }
        Add(args, "-deadline", "good");
        Add(args, "-cpu-used", Number(c.vp9.cpuUsed >= 0 ? c.vp9.cpuUsed : kDefaultVp9CpuUsed));
        Add(args, "-row-mt", "1");
        Add(args, "-pix_fmt", "yuv420p");
    } else {
        error = "no video encoder selected (-ovc)";
        return false;
    }
    // XVID is the tag players look for in an Xvid stream; lavf would write FMP4.
    if (!c.fourcc.empty()) {
        Add(args, "-vtag", c.fourcc);
    } else if (c.videoEncoder == VideoEncoder::kXvid) {
        Add(args, "-vtag", "XVID");
    }
    return true;
}

bool AddAudio(const EncoderCommand& c, std::vector<std::string>& args, std::string& error) {
    if (c.audioEncoder == AudioEncoder::kMp3Lame) {
        const LameOptions& o = c.lame;
        Add(args, "-c:a", "libmp3lame");
        int kbps = o.br > 0 ? o.br : kDefaultLameKbps;
        if (o.vbr == 3) {
            Add(args, "-b:a", Number(kbps) + "k");
            Add(args, "-abr", "1");
        } else if (o.vbr == 0) {
            Add(args, "-b:a", Number(kbps) + "k");
        } else {
            Add(args, "-q:a", Number(o.q >= 0 ? o.q : kDefaultLameQuality));
        }
        if (o.mode == 3) {
            // LAME's mono; its downmix is the plain average of the channels.
            Add(args, "-ac", "1");
            Add(args, "-rematrix_maxval", "1");
        } else {
            Add(args, "-ac", "2");
            if (o.mode == 0)
                Add(args, "-joint_stereo", "0");
        }
    } else if (c.audioEncoder == AudioEncoder::kLavc) {
        const char* codec =
            Lookup(kAudioCodecs, c.lavc.acodec.empty() ? std::string("mp2") : c.lavc.acodec);
        if (codec == nullptr) {
            error = "audio codec '" + c.lavc.acodec + "' is not supported";
            return false;
        }
        Add(args, "-c:a", codec);
        if (c.lavc.acodec != "flac") // lossless: no bitrate to aim at
            Add(args, "-b:a",
                Number(c.lavc.abitrate > 0 ? c.lavc.abitrate : kDefaultLavcAudioKbps) + "k");
        Add(args, "-ac", "2"); // MEncoder's lavc audio always comes out stereo
    } else {
        args.push_back("-an");
        return true;
    }
    if (c.volumeSet && c.volumeDb != 0.0)
        Add(args, "-af", "volume=" + Decimal(c.volumeDb) + "dB");
    if (c.sampleRate > 0)
        Add(args, "-ar", Number(c.sampleRate));
    return true;
}

void AddMuxer(const EncoderCommand& c, std::vector<std::string>& args) {
    const LavcOptions& o = c.lavc;
    double audio = o.abitrate > 0 ? Kbit(o.abitrate) : kDefaultLavcAudioKbps;
    double video = o.vbitrate > 0 ? Kbit(o.vbitrate) : kDefaultVideoKbps;
    double maxrate = o.vrcMaxRate > 0 ? Kbit(o.vrcMaxRate) : video;
    switch (c.muxer) {
    case Muxer::kLavf: {
        if (const char* format = Lookup(kLavfMuxers, c.lavf.format))
            Add(args, "-f", format);
        // o=KEY=VALUE is the muxer's own option -KEY VALUE.
        const size_t equals = c.lavf.muxerOption.find('=');
        if (equals != std::string::npos) {
            Add(args, ("-" + c.lavf.muxerOption.substr(0, equals)).c_str(),
                c.lavf.muxerOption.substr(equals + 1));
        }
        break;
    }
    case Muxer::kAvi:
        Add(args, "-f", "avi");
        break;
    case Muxer::kMpeg:
        if (c.mpeg.format == "xvcd") {
            Add(args, "-f", "vcd");
            Add(args, "-packetsize", "2324");
            // The fixed VCD rate only when the streams fit in it; above it
            // FFmpeg floods the log with buffer underflows.
            if ((video + audio) * 1.02 <= 1411.2)
                Add(args, "-muxrate", "1411200");
        } else if (c.mpeg.format == "xsvcd") {
            Add(args, "-f", "svcd");
            Add(args, "-packetsize", "2324");
            if ((maxrate + audio) * 1.02 <= 2788.8)
                Add(args, "-muxrate", "2788800");
        } else if (c.mpeg.format == "dvd") {
            Add(args, "-f", "dvd");
            Add(args, "-muxrate", "10080000");
        } else if (c.mpeg.format == "mpeg1") {
            Add(args, "-f", "mpeg");
        } else {
            Add(args, "-f", "vob"); // MEncoder's MPEG muxer writes MPEG-2 by default
        }
        break;
    case Muxer::kDefault:
        break; // FFmpeg picks the container from the output name
    }
}

void AddEnd(const EncoderCommand& c, const FfmpegTarget& t, std::vector<std::string>& args) {
    if (c.endSeconds >= 0)
        Add(args, "-t", Decimal(c.endSeconds));
    if (t.progress)
        args.insert(args.end(), {"-progress", "pipe:1", "-nostats"});
    args.push_back(t.outputPath);
}

// -ovc none: the default sound track alone, which must be there, with the
// source's tags and chapters.
bool TranslateSoundOnly(const EncoderCommand& c, const FfmpegTarget& t,
                        std::vector<std::string>& args, std::string& error) {
    args.insert(args.end(),
                {"-map", "0:a:0", "-vn", "-sn", "-dn", "-map_metadata", "0", "-map_chapters", "0"});
    if (c.audioEncoder == AudioEncoder::kNone) {
        error = "no audio encoder selected (-oac) for an output without video";
        args.clear();
        return false;
    }
    if (!AddAudio(c, args, error)) {
        args.clear();
        return false;
    }
    AddMuxer(c, args);
    AddEnd(c, t, args);
    return true;
}

} // namespace

const char* ScalerName(int sws) {
    if (sws < 0 || sws >= static_cast<int>(sizeof kScalerNames / sizeof kScalerNames[0]))
        return "bicubic";
    return kScalerNames[sws];
}

bool TranslateToFfmpeg(const EncoderCommand& c, const FfmpegTarget& t,
                       std::vector<std::string>& args, std::string& error) {
    args.clear();
    error.clear();
    args.insert(args.end(), {"-hide_banner", "-nostdin", "-y", "-i", c.source});
    if (c.noVideo)
        return TranslateSoundOnly(c, t, args, error);
    if (c.videoEncoder == VideoEncoder::kCopy || c.audioEncoder == AudioEncoder::kCopy) {
        if (!AddStreamsKept(c, t.streams, args, error)) {
            args.clear();
            return false;
        }
        AddEnd(c, t, args);
        return true;
    }
    AddTrackMaps(t.streams, c, args);
    if (!AddVideo(c, t, args, error) || !AddAudio(c, args, error)) {
        args.clear();
        return false;
    }
    std::string chain = FilterChain(c);
    AddPictureTranslation(t.picture, c, chain, args);
    // Players and editors expect a steady rate. For frames that come at a
    // varying one the fps filter repeats and drops them by their times, so
    // picture and sound stay in step and end together (FFmpeg's own
    // constant rate adds frames at the end).
    const bool varying = t.picture.SteadyRate() > 0.0;
    std::string rate;
    if (c.frameRate.KeepsSourceTiming())
        rate = varying ? RateText(t.picture.SteadyRate()) : std::string();
    else if (c.frameRate.set)
        rate = c.frameRate.text;
    if (varying && !rate.empty())
        chain += (chain.empty() ? "fps=fps=" : ",fps=fps=") + rate;
    if (!chain.empty())
        Add(args, "-vf", chain);
    if (c.swsScaler >= 0)
        Add(args, "-sws_flags", ScalerName(c.swsScaler));
    bool duplicates = false;
    for (const VideoFilter& f : c.videoFilters)
        duplicates = duplicates || f.kind == VideoFilter::kHarddup;
    if (!rate.empty()) {
        Add(args, "-r", rate);
        Add(args, "-vsync", "cfr");
    } else if (c.frameRate.KeepsSourceTiming()) {
        Add(args, "-vsync", "vfr");
    } else if (duplicates) {
        Add(args, "-vsync", "cfr");
    }
    AddMuxer(c, args);
    AddEnd(c, t, args);
    return true;
}
