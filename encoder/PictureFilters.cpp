#include "encoder/PictureFilters.h"

#include <cmath>
#include <cstdlib>

#include "encoder/FfmpegBannerReader.h"

namespace {

// A rate above this is a time base, not a frame rate.
constexpr double kMaxSteadyRate = 120.0;

// Above this many lines a picture is HD (BT.709); at or below, SD (BT.601).
constexpr int kSdLines = 576;

// Linear light, the BT.709 primaries, then the tone curve back into SDR.
// Mobius keeps the shadows and mid-tones as they were and rolls the
// highlights off: of hable, reinhard and mobius it comes closest to the SDR
// picture an HDR clip was graded from (see docs/performance.md). The curve
// takes its peak from the mastering display and content light level side
// data when the source carries them.
std::string ToneMapping(const PictureFacts& f) {
    std::string in = "tin=" + f.transfer + ":rin=" + (f.fullRange ? "full" : "limited");
    if (f.matrix == "bt2020nc" || f.matrix == "bt709")
        in += ":min=" + f.matrix;
    if (f.primaries == "bt2020" || f.primaries == "bt709")
        in += ":pin=" + f.primaries;
    return "zscale=" + in + ":t=linear:npl=100,format=gbrpf32le,zscale=p=bt709," +
           "tonemap=tonemap=mobius:desat=0,zscale=t=bt709:m=bt709:r=limited,format=yuv420p";
}

// A source's matrix: its tag, else what its size says.
bool IsHd(const std::string& matrix, int height) {
    if (matrix == "bt709")
        return true;
    if (matrix == "bt470bg" || matrix == "smpte170m")
        return false;
    return height > kSdLines;
}

// A colour tag FFmpeg names; "unknown" and "reserved" are none.
bool Named(const std::string& tag) {
    return !tag.empty() && tag != "unknown" && tag != "reserved" &&
           tag.find(' ') == std::string::npos;
}

void Append(std::string& chain, const std::string& item) {
    if (!chain.empty())
        chain += ",";
    chain += item;
}

void Add(std::vector<std::string>& args, const char* name, const std::string& value) {
    args.push_back(name);
    args.push_back(value);
}

// The picture size after the command's size filters.
void OutputSize(const PictureFacts& f, const EncoderCommand& c, int& width, int& height) {
    width = f.width;
    height = f.height;
    for (const VideoFilter& v : c.videoFilters) {
        if (v.kind == VideoFilter::kScale && width > 0 && height > 0) {
            int w = v.width != -3 ? v.width
                                  : static_cast<int>(std::lround(1.0 * v.height * width / height));
            int h = v.height != -3 ? v.height
                                   : static_cast<int>(std::lround(1.0 * v.width * height / width));
            width = w;
            height = h;
        } else if (v.kind == VideoFilter::kExpand) {
            width = v.width > width ? v.width : width;
            height = v.height > height ? v.height : height;
        }
    }
}

} // namespace

bool PictureFacts::IsHdr() const {
    return transfer == "smpte2084" || transfer == "arib-std-b67";
}

double PictureFacts::SteadyRate() const {
    // Within 1 %: the same rate, rounded or measured over a cut-short end.
    if (!(fps > 0.0 && nominalFps > 0.0) || std::fabs(fps - nominalFps) <= 0.01 * nominalFps)
        return 0.0;
    const double high = fps > nominalFps ? fps : nominalFps;
    const double low = fps > nominalFps ? nominalFps : fps;
    return high <= kMaxSteadyRate ? high : low <= kMaxSteadyRate ? low : 0.0;
}

PictureFacts ReadPictureFacts(const std::string& bannerText) {
    PictureFacts f;
    // The input's own metadata comes first, before any stream's.
    const size_t key = bannerText.find("    creation_time   : ");
    if (key != std::string::npos) {
        const size_t value = key + 22;
        f.creationTime = bannerText.substr(value, bannerText.find_first_of("\r\n", value) - value);
    }
    std::vector<std::string> fields = FfmpegVideoFields(bannerText);
    if (fields.size() < 3)
        return f;
    f.known = true;
    // "yuv420p10le(tv, bt2020nc/bt2020/smpte2084, progressive)"
    const std::string& format = fields[1];
    f.fullRange = format.compare(0, 4, "yuvj") == 0;
    size_t open = format.find('(');
    size_t close = format.rfind(')');
    if (open != std::string::npos && close != std::string::npos && close > open) {
        const std::string details = format.substr(open + 1, close - open - 1) + ", ";
        for (size_t start = 0, end; (end = details.find(", ", start)) != std::string::npos;
             start = end + 2) {
            const std::string item = details.substr(start, end - start);
            if (item == "pc")
                f.fullRange = true;
            if (item == "top first" || item == "bottom coded first (swapped)")
                f.fields = PictureFacts::kTopFirst;
            if (item == "bottom first" || item == "top coded first (swapped)")
                f.fields = PictureFacts::kBottomFirst;
            if (item == "tv" || item == "pc" || item == "progressive" ||
                item.find(' ') != std::string::npos)
                continue;
            // "bt709" for all three, or "matrix/primaries/transfer".
            size_t first = item.find('/');
            size_t second = first == std::string::npos ? first : item.find('/', first + 1);
            if (second == std::string::npos) {
                f.matrix = f.primaries = f.transfer = item;
            } else {
                f.matrix = item.substr(0, first);
                f.primaries = item.substr(first + 1, second - first - 1);
                f.transfer = item.substr(second + 1);
            }
        }
    }
    for (const std::string& field : fields) {
        // "30 tbr", "1k tbr"
        if (field.size() > 4 && field.compare(field.size() - 4, 4, " tbr") == 0) {
            char* end = nullptr;
            f.nominalFps = std::strtod(field.c_str(), &end);
            if (end != nullptr && *end == 'k')
                f.nominalFps *= 1000.0;
        }
    }
    VideoInfo info;
    if (ReadFfmpegBanner(bannerText, info)) {
        f.width = info.width;
        f.height = info.height;
        f.fps = info.framesPerSecond;
    }
    return f;
}

void AddPictureTranslation(const PictureFacts& f, const EncoderCommand& c, std::string& chain,
                           std::vector<std::string>& args) {
    // FFmpeg drops the date when it copies the input's metadata.
    if (!f.creationTime.empty())
        Add(args, "-metadata", "creation_time=" + f.creationTime);
    if (!f.known)
        return;
    int width = 0;
    int height = 0;
    OutputSize(f, c, width, height);
    std::string before;
    if (f.fields != PictureFacts::kProgressive) {
        const bool fieldFormat =
            c.videoEncoder == VideoEncoder::kLavc && c.lavc.vcodec == "mpeg2video";
        const bool sameRate = !c.frameRate.set || c.frameRate.KeepsSourceTiming() ||
                              std::fabs(c.frameRate.fps - f.fps) < 0.01;
        const bool top = f.fields == PictureFacts::kTopFirst;
        if (fieldFormat && sameRate && width == f.width && height == f.height) {
            Add(args, "-flags", "+ilme+ildct");
            Add(args, "-top", top ? "1" : "0");
        } else {
            // One frame per frame, so the rate stays.
            before =
                std::string("bwdif=mode=send_frame:parity=") + (top ? "tff" : "bff") + ":deint=all";
        }
    }
    std::string matrix = f.matrix;
    bool fullRange = f.fullRange;
    bool converted = false;
    if (f.IsHdr()) {
        Append(before, ToneMapping(f));
        matrix = "bt709";
        fullRange = false;
        converted = true;
    }
    // Scaled between HD and SD sizes: the matrix of the new size; otherwise
    // the picture keeps its own.
    const bool fromHd = IsHd(matrix, f.height);
    const bool toHd = (f.height > kSdLines) != (height > kSdLines) ? height > kSdLines : fromHd;
    if (fromHd != toHd || fullRange) {
        // Ahead of the size filters, on the decoded picture, whose range is
        // the source's; they then resize one 4:2:0 TV-range picture.
        Append(before, std::string("scale=in_color_matrix=") + (fromHd ? "bt709" : "bt601") +
                           ":out_color_matrix=" + (toHd ? "bt709" : "bt601") + ":in_range=" +
                           (fullRange ? "full" : "tv") + ":out_range=tv,format=yuv420p");
        converted = true;
    }
    if (!before.empty())
        chain = chain.empty() ? before : before + "," + chain;
    if (!converted && !f.fullRange && Named(f.matrix) && Named(f.primaries) && Named(f.transfer)) {
        // Unchanged: the output says what the source said (not every
        // decoder hands its tags on).
        Add(args, "-colorspace", f.matrix);
        Add(args, "-color_primaries", f.primaries);
        Add(args, "-color_trc", f.transfer);
        Add(args, "-color_range", "tv");
    } else if (converted) {
        // 625-line SD has the EBU primaries, 525-line SD those of SMPTE 170M.
        const char* sd = height == 576 || height == 288 ? "bt470bg" : "smpte170m";
        Add(args, "-colorspace", toHd ? "bt709" : sd);
        Add(args, "-color_primaries", toHd ? "bt709" : sd);
        Add(args, "-color_trc", toHd ? "bt709" : "smpte170m");
        Add(args, "-color_range", "tv");
    }
}
