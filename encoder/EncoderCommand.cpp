#include "encoder/EncoderCommand.h"

#include "encoder/OptionValues.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <utility>

namespace {

// ---- Sub-option tables: "-lavcopts key=value:key:key=value" ----

enum class SubKind {
    kCount,       // key=N, N a whole number 0 or more
    kFlag,        // key alone
    kFlagOrCount, // key alone (meaning 1) or key=N
    kText,        // key=word, word from `allowed` (or any ratio when allowed is nullptr)
};

template <class Options> struct SubOption {
    const char* name;
    SubKind kind;
    int Options::*count;
    bool Options::*flag;
    std::string Options::*text;
    const char* const* allowed;
};

template <class Options> SubOption<Options> Count(const char* name, int Options::*field) {
    return {name, SubKind::kCount, field, nullptr, nullptr, nullptr};
}
template <class Options> SubOption<Options> Flag(const char* name, bool Options::*field) {
    return {name, SubKind::kFlag, nullptr, field, nullptr, nullptr};
}
template <class Options> SubOption<Options> FlagOrCount(const char* name, int Options::*field) {
    return {name, SubKind::kFlagOrCount, field, nullptr, nullptr, nullptr};
}
template <class Options>
SubOption<Options> Text(const char* name, std::string Options::*field, const char* const* allowed) {
    return {name, SubKind::kText, nullptr, nullptr, field, allowed};
}

const char* const kLavcVideoCodecs[] = {"mpeg4", "mpeg1video", "mpeg2video", "wmv1",
                                        "wmv2",  "msmpeg4",    "msmpeg4v2",  nullptr};
const char* const kLavcAudioCodecs[] = {"ac3", "mp2",     "wmav1", "wmav2",
                                        "aac", "libopus", "flac",  nullptr};
const char* const kLavfFormats[] = {"avi",      "mpg",  "mpeg", "wmv",  "asf",  "mp4",
                                    "matroska", "webm", "mp3",  "ipod", "flac", nullptr};
const char* const kLavfMuxerOptions[] = {"movflags=+faststart", nullptr};
const char* const kPresets[] = {"ultrafast", "superfast", "veryfast", "faster",  "fast", "medium",
                                "slow",      "slower",    "veryslow", "placebo", nullptr};
const char* const kX264Profiles[] = {"high", nullptr};
const char* const kX265Profiles[] = {"main", nullptr};
const char* const kMpegFormats[] = {"mpeg1", "mpeg2", "xvcd", "xsvcd", "dvd", nullptr};

const SubOption<LavcOptions> kLavcTable[] = {
    Text("vcodec", &LavcOptions::vcodec, kLavcVideoCodecs),
    Text("acodec", &LavcOptions::acodec, kLavcAudioCodecs),
    Count("vbitrate", &LavcOptions::vbitrate),
    Count("abitrate", &LavcOptions::abitrate),
    Count("vqscale", &LavcOptions::vqscale),
    Count("vqmin", &LavcOptions::vqmin),
    Count("vqmax", &LavcOptions::vqmax),
    Count("keyint", &LavcOptions::keyint),
    Count("vrc_buf_size", &LavcOptions::vrcBufSize),
    Count("vrc_minrate", &LavcOptions::vrcMinRate),
    Count("vrc_maxrate", &LavcOptions::vrcMaxRate),
    Flag("vhq", &LavcOptions::vhq),
    FlagOrCount("autoaspect", &LavcOptions::autoaspect),
    Text("aspect", &LavcOptions::aspect, nullptr),
};

const SubOption<LameOptions> kLameTable[] = {
    Count("vbr", &LameOptions::vbr),
    Count("br", &LameOptions::br),
    Count("mode", &LameOptions::mode),
    Count("q", &LameOptions::q),
};

const SubOption<XvidOptions> kXvidTable[] = {
    Count("bitrate", &XvidOptions::bitrate),
    FlagOrCount("autoaspect", &XvidOptions::autoaspect),
};

const SubOption<CrfOptions> kX264Table[] = {
    Count("crf", &CrfOptions::crf),
    Count("bitrate", &CrfOptions::bitrate),
    Text("preset", &CrfOptions::preset, kPresets),
    Text("profile", &CrfOptions::profile, kX264Profiles),
};

const SubOption<CrfOptions> kX265Table[] = {
    Count("crf", &CrfOptions::crf),
    Count("bitrate", &CrfOptions::bitrate),
    Text("preset", &CrfOptions::preset, kPresets),
    Text("profile", &CrfOptions::profile, kX265Profiles),
};

const SubOption<Vp9Options> kVp9Table[] = {
    Count("crf", &Vp9Options::crf),
    Count("bitrate", &Vp9Options::bitrate),
    Count("cpu-used", &Vp9Options::cpuUsed),
};

const SubOption<LavfOptions> kLavfTable[] = {
    Text("format", &LavfOptions::format, kLavfFormats),
    Flag("i_certify_that_my_video_stream_does_not_use_b_frames", &LavfOptions::noBFramesCertified),
    Text("o", &LavfOptions::muxerOption, kLavfMuxerOptions),
};

const SubOption<MpegOptions> kMpegTable[] = {
    Text("format", &MpegOptions::format, kMpegFormats),
};

template <class Options, size_t N>
bool ParseSubOptions(const char* option, const std::string& value,
                     const SubOption<Options> (&table)[N], Options& target, std::string& error) {
    for (const std::string& piece : SplitOn(value, ':')) {
        size_t equals = piece.find('=');
        std::string key = piece.substr(0, equals);
        bool hasValue = equals != std::string::npos;
        std::string text = hasValue ? piece.substr(equals + 1) : std::string();
        const SubOption<Options>* entry = nullptr;
        for (const SubOption<Options>& candidate : table) {
            if (key == candidate.name)
                entry = &candidate;
        }
        if (entry == nullptr) {
            error = std::string("unknown sub-option '") + key + "' of " + option;
            return false;
        }
        switch (entry->kind) {
        case SubKind::kFlag:
            if (hasValue) {
                error = std::string(option) + " " + key + " takes no value";
                return false;
            }
            target.*(entry->flag) = true;
            break;
        case SubKind::kFlagOrCount:
            if (!hasValue) {
                target.*(entry->count) = 1;
                break;
            }
            // fall through
        case SubKind::kCount:
            if (!ParseCount(text, target.*(entry->count))) {
                error =
                    std::string(option) + " " + key + " needs a whole number, not '" + text + "'";
                return false;
            }
            break;
        case SubKind::kText: {
            double ratio = 0.0;
            bool ok =
                entry->allowed != nullptr ? IsOneOf(text, entry->allowed) : ParseRatio(text, ratio);
            if (!hasValue || !ok) {
                error = std::string(option) + " " + key + " does not accept '" + text + "'";
                return false;
            }
            target.*(entry->text) = text;
            break;
        }
        }
    }
    return true;
}

// ---- Option values of their own kinds ----

bool ParseVideoFilters(const std::string& value, std::vector<VideoFilter>& filters,
                       std::string& error) {
    filters.clear();
    for (const std::string& item : SplitOn(value, ',')) {
        size_t equals = item.find('=');
        std::string name = item.substr(0, equals);
        VideoFilter filter;
        if (name == "harddup" && equals == std::string::npos) {
            filter.kind = VideoFilter::kHarddup;
            filters.push_back(filter);
            continue;
        }
        if (name != "scale" && name != "expand") {
            error = "unknown video filter '" + item + "' in -vf";
            return false;
        }
        filter.kind = name == "scale" ? VideoFilter::kScale : VideoFilter::kExpand;
        std::vector<std::string> sizes = equals == std::string::npos
                                             ? std::vector<std::string>()
                                             : SplitOn(item.substr(equals + 1), ':');
        long long w = 0;
        long long h = 0;
        bool ok = sizes.size() == 2 && ParseWholeNumber(sizes[0], -3, 16384, w) &&
                  ParseWholeNumber(sizes[1], -3, 16384, h);
        // scale takes a size or -3 (keep the shape) on one side; expand only sizes.
        bool wKeeps = w == -3;
        bool hKeeps = h == -3;
        if (ok && filter.kind == VideoFilter::kScale) {
            ok = (w > 0 || wKeeps) && (h > 0 || hKeeps) && !(wKeeps && hKeeps);
        } else if (ok) {
            ok = w > 0 && h > 0;
        }
        if (!ok) {
            error = "video filter '" + item + "' needs a width and a height";
            return false;
        }
        filter.width = static_cast<int>(w);
        filter.height = static_cast<int>(h);
        filters.push_back(filter);
    }
    return true;
}

// "volume=+6db:0" with any further "channels=N" or "lavcresample=N"
// parameters, which the volume filter takes and ignores.
bool ParseAudioFilters(const std::string& value, double& gainDb, std::string& error) {
    if (value.compare(0, 7, "volume=") != 0) {
        error = "unknown audio filter '" + value + "' in -af";
        return false;
    }
    std::vector<std::string> params = SplitOn(value.substr(7), ':');
    std::string gain = params[0];
    if (gain.size() >= 2 && (gain.compare(gain.size() - 2, 2, "db") == 0 ||
                             gain.compare(gain.size() - 2, 2, "dB") == 0)) {
        gain.resize(gain.size() - 2);
    }
    if (!ParseDecimal(gain, gainDb) || gainDb < -200.0 || gainDb > 60.0) {
        error = "-af volume needs a gain from -200db to +60db, not '" + params[0] + "'";
        return false;
    }
    for (size_t i = 1; i < params.size(); ++i) {
        const std::string& p = params[i];
        long long n = 0;
        if (i == 1 && (p == "0" || p == "1"))
            continue; // soft clipping off or on
        size_t equals = p.find('=');
        std::string key = p.substr(0, equals);
        if ((key == "channels" || key == "lavcresample") && equals != std::string::npos &&
            ParseWholeNumber(p.substr(equals + 1), 1, 192000, n)) {
            continue;
        }
        error = "unknown parameter '" + p + "' of -af volume";
        return false;
    }
    return true;
}

// "24000/1001", "25.000000", "1000.000000".
bool ParseFrameRate(const std::string& value, FrameRate& rate) {
    double fps = 0.0;
    size_t slash = value.find('/');
    if (slash == std::string::npos) {
        if (!ParseDecimal(value, fps) || value[0] == '-' || value[0] == '+')
            return false;
    } else {
        long long num = 0;
        long long den = 0;
        if (!ParseWholeNumber(value.substr(0, slash), 1, kLargestNumber, num) ||
            !ParseWholeNumber(value.substr(slash + 1), 1, kLargestNumber, den) || value[0] == '+') {
            return false;
        }
        fps = static_cast<double>(num) / static_cast<double>(den);
    }
    if (!(fps > 0.0) || fps > 1000.0)
        return false;
    rate.set = true;
    rate.text = value;
    rate.fps = fps;
    return true;
}

// "[[hh:]mm:]ss[.fff]" as seconds.
bool ParseEndPosition(const std::string& value, double& seconds) {
    std::vector<std::string> parts = SplitOn(value, ':');
    if (parts.size() > 3)
        return false;
    double total = 0.0;
    for (size_t i = 0; i < parts.size(); ++i) {
        double part = 0.0;
        bool last = i + 1 == parts.size();
        if (!ParseDecimal(parts[i], part) || parts[i][0] == '-' || parts[i][0] == '+')
            return false;
        if (!last && parts[i].find('.') != std::string::npos)
            return false;
        total = total * 60.0 + part;
    }
    seconds = total;
    return true;
}

// ---- Top-level options: each takes exactly one value ----

struct TopOption {
    const char* name;
    bool (*apply)(const std::string& value, EncoderCommand& command, std::string& error);
};

bool BadValue(const char* option, const std::string& value, std::string& error) {
    error = std::string("option ") + option + " does not accept '" + value + "'";
    return false;
}

bool ApplyOutput(const std::string& v, EncoderCommand& c, std::string& e) {
    if (v.empty())
        return BadValue("-o", v, e);
    c.output = v;
    return true;
}
bool ApplyVideoEncoder(const std::string& v, EncoderCommand& c, std::string& e) {
    if (v == "lavc")
        c.videoEncoder = VideoEncoder::kLavc;
    else if (v == "xvid")
        c.videoEncoder = VideoEncoder::kXvid;
    else if (v == "x264")
        c.videoEncoder = VideoEncoder::kX264;
    else if (v == "x265")
        c.videoEncoder = VideoEncoder::kX265;
    else if (v == "vp9")
        c.videoEncoder = VideoEncoder::kVp9;
    else if (v == "copy")
        c.videoEncoder = VideoEncoder::kCopy;
    else if (v == "none")
        c.noVideo = true;
    else
        return BadValue("-ovc", v, e);
    return true;
}
bool ApplyAudioEncoder(const std::string& v, EncoderCommand& c, std::string& e) {
    if (v == "lavc")
        c.audioEncoder = AudioEncoder::kLavc;
    else if (v == "mp3lame")
        c.audioEncoder = AudioEncoder::kMp3Lame;
    else if (v == "copy")
        c.audioEncoder = AudioEncoder::kCopy;
    else
        return BadValue("-oac", v, e);
    return true;
}
bool ApplyLavcOptions(const std::string& v, EncoderCommand& c, std::string& e) {
    return ParseSubOptions("-lavcopts", v, kLavcTable, c.lavc, e);
}
bool ApplyLameOptions(const std::string& v, EncoderCommand& c, std::string& e) {
    if (!ParseSubOptions("-lameopts", v, kLameTable, c.lame, e))
        return false;
    if (c.lame.mode > 3 || c.lame.q > 9 || (c.lame.vbr > 4 || c.lame.vbr == 1)) {
        return BadValue("-lameopts", v, e);
    }
    return true;
}
bool ApplyXvidOptions(const std::string& v, EncoderCommand& c, std::string& e) {
    return ParseSubOptions("-xvidencopts", v, kXvidTable, c.xvid, e);
}
bool ApplyX264Options(const std::string& v, EncoderCommand& c, std::string& e) {
    if (!ParseSubOptions("-x264encopts", v, kX264Table, c.x264, e))
        return false;
    if (c.x264.crf > 51)
        return BadValue("-x264encopts", v, e);
    return true;
}
bool ApplyX265Options(const std::string& v, EncoderCommand& c, std::string& e) {
    if (!ParseSubOptions("-x265encopts", v, kX265Table, c.x265, e))
        return false;
    if (c.x265.crf > 51)
        return BadValue("-x265encopts", v, e);
    return true;
}
bool ApplyVp9Options(const std::string& v, EncoderCommand& c, std::string& e) {
    if (!ParseSubOptions("-vp9encopts", v, kVp9Table, c.vp9, e))
        return false;
    if (c.vp9.crf > 63 || c.vp9.cpuUsed > 8)
        return BadValue("-vp9encopts", v, e);
    return true;
}
bool ApplyFourcc(const std::string& v, EncoderCommand& c, std::string& e) {
    if (v.size() != 4)
        return BadValue("-ffourcc", v, e);
    for (char ch : v) {
        if (!((ch >= '0' && ch <= '9') || (ch >= 'A' && ch <= 'Z') || (ch >= 'a' && ch <= 'z'))) {
            return BadValue("-ffourcc", v, e);
        }
    }
    c.fourcc = v;
    return true;
}
bool ApplyMuxer(const std::string& v, EncoderCommand& c, std::string& e) {
    if (v == "lavf")
        c.muxer = Muxer::kLavf;
    else if (v == "mpeg")
        c.muxer = Muxer::kMpeg;
    else if (v == "avi")
        c.muxer = Muxer::kAvi;
    else
        return BadValue("-of", v, e);
    return true;
}
bool ApplyLavfOptions(const std::string& v, EncoderCommand& c, std::string& e) {
    return ParseSubOptions("-lavfopts", v, kLavfTable, c.lavf, e);
}
bool ApplyMpegOptions(const std::string& v, EncoderCommand& c, std::string& e) {
    return ParseSubOptions("-mpegopts", v, kMpegTable, c.mpeg, e);
}
bool ApplyScaler(const std::string& v, EncoderCommand& c, std::string& e) {
    long long n = 0;
    if (!ParseWholeNumber(v, 0, 10, n) || v[0] == '+' || v[0] == '-')
        return BadValue("-sws", v, e);
    c.swsScaler = static_cast<int>(n);
    return true;
}
bool ApplyAudioFilters(const std::string& v, EncoderCommand& c, std::string& e) {
    if (!ParseAudioFilters(v, c.volumeDb, e))
        return false;
    c.volumeSet = true;
    return true;
}
bool ApplySampleRate(const std::string& v, EncoderCommand& c, std::string& e) {
    long long n = 0;
    if (!ParseWholeNumber(v, 8000, 192000, n) || v[0] == '+')
        return BadValue("-srate", v, e);
    c.sampleRate = static_cast<int>(n);
    return true;
}
bool ApplyFrameRate(const std::string& v, EncoderCommand& c, std::string& e) {
    if (!ParseFrameRate(v, c.frameRate))
        return BadValue("-ofps", v, e);
    return true;
}
bool ApplyVideoFilters(const std::string& v, EncoderCommand& c, std::string& e) {
    return ParseVideoFilters(v, c.videoFilters, e);
}
bool ApplyEndPosition(const std::string& v, EncoderCommand& c, std::string& e) {
    if (!ParseEndPosition(v, c.endSeconds))
        return BadValue("-endpos", v, e);
    return true;
}

bool ApplyTargetSize(const std::string& v, EncoderCommand& c, std::string& e) {
    // Bytes: from 100 KB up to 1,000 GB, the program's largest target.
    long long n = 0;
    if (!ParseWholeNumber(v, 100000, 1000000000000LL, n) || v[0] == '+')
        return BadValue("-targetsize", v, e);
    c.targetBytes = n;
    return true;
}

const TopOption kTopOptions[] = {
    {"-o", ApplyOutput},
    {"-ovc", ApplyVideoEncoder},
    {"-oac", ApplyAudioEncoder},
    {"-lavcopts", ApplyLavcOptions},
    {"-lameopts", ApplyLameOptions},
    {"-xvidencopts", ApplyXvidOptions},
    {"-x264encopts", ApplyX264Options},
    {"-x265encopts", ApplyX265Options},
    {"-vp9encopts", ApplyVp9Options},
    {"-ffourcc", ApplyFourcc},
    {"-of", ApplyMuxer},
    {"-lavfopts", ApplyLavfOptions},
    {"-mpegopts", ApplyMpegOptions},
    {"-sws", ApplyScaler},
    {"-af", ApplyAudioFilters},
    {"-srate", ApplySampleRate},
    {"-ofps", ApplyFrameRate},
    {"-vf", ApplyVideoFilters},
    {"-endpos", ApplyEndPosition},
    {"-targetsize", ApplyTargetSize},
};

} // namespace

bool ParseEncoderCommand(const std::vector<std::string>& args, EncoderCommand& command,
                         std::string& error) {
    command = EncoderCommand();
    error.clear();
    if (args.size() < 3) {
        error = "expected: \"source\" -o \"output\" [options] mode window";
        return false;
    }
    const std::string& modeText = args[args.size() - 2];
    const std::string& windowText = args[args.size() - 1];
    if (modeText != std::to_string(kEncoderModeConvert) &&
        modeText != std::to_string(kEncoderModeProbe)) {
        error = "the mode (next-to-last argument) must be 0 or 1, not '" + modeText + "'";
        return false;
    }
    command.mode = modeText[0] - '0';
    long long window = 0;
    if (!ParseWholeNumber(windowText, INT64_MIN + 1, INT64_MAX, window) || windowText[0] == '+') {
        error =
            "the window (last argument) must be a signed decimal number, not '" + windowText + "'";
        return false;
    }
    command.windowHandle = window;

    size_t end = args.size() - 2;
    for (size_t i = 0; i < end; ++i) {
        const std::string& arg = args[i];
        if (arg.size() < 2 || arg[0] != '-') {
            if (!command.source.empty() || arg.empty()) {
                error = "unexpected argument '" + arg + "'";
                return false;
            }
            command.source = arg;
            continue;
        }
        const TopOption* option = nullptr;
        for (const TopOption& candidate : kTopOptions) {
            if (arg == candidate.name)
                option = &candidate;
        }
        if (option == nullptr) {
            error = "unknown option '" + arg + "'";
            return false;
        }
        if (i + 1 >= end) {
            error = "option " + arg + " needs a value";
            return false;
        }
        const std::string& value = args[++i];
        if (command.mode == kEncoderModeProbe) {
            // A probe only reads its source: a conversion choice it carries
            // that could not be honoured (a hand-edited settings file) must not
            // fail it. Such a piece is left out whole.
            EncoderCommand withPiece = command;
            if (option->apply(value, withPiece, error))
                command = std::move(withPiece);
            error.clear();
            continue;
        }
        if (!option->apply(value, command, error))
            return false;
    }
    if (command.source.empty()) {
        error = "no source file given";
        return false;
    }
    if (command.mode == kEncoderModeConvert && command.output.empty()) {
        error = "no output file given (-o)";
        return false;
    }
    return true;
}
