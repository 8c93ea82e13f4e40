#include "core/EncoderArguments.h"

#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "core/ConstantQualityProfile.h"
#include "core/SoundFormats.h"
#include "core/TargetSize.h"

namespace {

constexpr size_t kMaxArgumentChars = kEncoderArgumentsCapacity - 1;

// Appends printf-style pieces into a bounded buffer. Once a piece does not fit
// the whole text is marked failed: the encoder must never get a cut command.
class ArgumentText {
public:
    ArgumentText(char* out, size_t maxChars) : out_(out), max_(maxChars) { out_[0] = '\0'; }

    __attribute__((format(gnu_printf, 2, 3))) void Append(const char* format, ...) {
        if (failed_)
            return;
        const size_t room = max_ - length_ + 1; // includes the terminator
        va_list args;
        va_start(args, format);
        const int written = std::vsnprintf(out_ + length_, room, format, args);
        va_end(args);
        // Some C runtimes return -1 instead of the needed length on overflow.
        if (written < 0 || static_cast<size_t>(written) >= room) {
            failed_ = true;
            return;
        }
        length_ += static_cast<size_t>(written);
    }

    bool Finish() {
        if (failed_)
            out_[0] = '\0';
        return !failed_;
    }

private:
    char* out_;
    size_t max_;
    size_t length_ = 0;
    bool failed_ = false;
};

// Six decimals, as "%f" prints them, but rounded the same way by every C
// runtime (they differ on exact halves such as 23.9765625).
void FormatRate(double f, char* out, size_t size) {
    if (std::isfinite(f) && std::fabs(f) < 2.0e9) {
        const long long micro = std::llround(f * 1e6);
        const long long whole = micro / 1000000;
        const long long fraction = micro % 1000000;
        std::snprintf(out, size, "%s%d.%06d", micro < 0 ? "-" : "",
                      static_cast<int>(whole < 0 ? -whole : whole),
                      static_cast<int>(fraction < 0 ? -fraction : fraction));
    } else {
        std::snprintf(out, size, "%f", f);
    }
}

// Signed decimal of a 64-bit value without relying on the runtime's "%lld".
void FormatInt64(int64_t value, char* out, size_t size) {
    char digits[24];
    size_t n = 0;
    uint64_t magnitude =
        value < 0 ? 0 - static_cast<uint64_t>(value) : static_cast<uint64_t>(value);
    do {
        digits[n++] = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    if (value < 0)
        digits[n++] = '-';
    size_t i = 0;
    for (; i < n && i + 1 < size; ++i)
        out[i] = digits[n - 1 - i];
    if (size > 0)
        out[i] = '\0';
}

void AppendAviFamily(ArgumentText& text, int32_t videoCodec, int32_t audioCodec, int32_t V,
                     int32_t A, const char* volume) {
    if (videoCodec == 0 && audioCodec == 0) {
        text.Append(" -oac mp3lame -ovc lavc");
        text.Append(" -lameopts vbr=3:br=%d:mode=3", A);
        text.Append(" -lavcopts vcodec=mpeg4:vbitrate=%d:vhq:vqmin=1:vqmax=31:autoaspect=1", V);
        text.Append(" -ffourcc DX50");
    } else if (videoCodec == 0 && audioCodec == 1) {
        text.Append(" -oac lavc -ovc lavc");
        text.Append(
            " -lavcopts "
            "acodec=ac3:abitrate=%d:vcodec=mpeg4:vbitrate=%d:vhq:vqmin=1:vqmax=31:autoaspect=1",
            A, V);
        text.Append(" -ffourcc DX50");
    } else if (videoCodec == 1 && audioCodec == 0) {
        text.Append(" -oac mp3lame -ovc xvid");
        text.Append(" -lameopts vbr=3:br=%d:mode=3", A);
        text.Append(" -xvidencopts bitrate=%d:autoaspect=1", V);
    } else if (videoCodec == 1 && audioCodec == 1) {
        text.Append(" -oac lavc -ovc xvid");
        text.Append(" -lavcopts acodec=ac3:abitrate=%d", A);
        text.Append(" -xvidencopts bitrate=%d:autoaspect=1", V);
    }
    text.Append(
        " -of lavf -lavfopts i_certify_that_my_video_stream_does_not_use_b_frames:format=avi");
    text.Append(" -sws 2");
    if (audioCodec == 1) {
        text.Append(" -af volume=%s:channels=6:lavcresample=44100", volume);
        text.Append(" -srate 44100");
    } else {
        text.Append(" -af volume=%s:channels=2", volume);
    }
}

// MP4, MKV and WebM: a constant-quality video encoder, AAC or Opus, and a
// picture the encoder keeps at even sizes.
void AppendConstantQualityFamily(ArgumentText& text, OutputFormat format, const EncoderProfile& p,
                                 const char* volume) {
    const ConstantQualitySpeed& speed =
        kConstantQualitySpeeds[p.encodingSpeed >= 0 && p.encodingSpeed < kConstantQualitySpeedCount
                                   ? p.encodingSpeed
                                   : kDefaultConstantQualitySpeed];
    // A target size sets the rate; otherwise the quality does.
    const char* rateKey = p.targetBytes > 0 ? "bitrate" : "crf";
    const int32_t rate = p.targetBytes > 0 ? p.videoKbps : p.constantQuality;
    switch (format) {
    case kFormatMp4:
        text.Append(" -ovc x264 -x264encopts %s=%d:preset=%s:profile=high", rateKey, rate,
                    speed.x264Preset);
        text.Append(" -oac lavc -lavcopts acodec=aac:abitrate=%d", p.audioKbps);
        // The index before the media data, so playback starts while loading.
        text.Append(" -of lavf -lavfopts format=mp4:o=movflags=+faststart");
        break;
    case kFormatMkv:
        text.Append(" -ovc x265 -x265encopts %s=%d:preset=%s:profile=main", rateKey, rate,
                    speed.x265Preset);
        text.Append(" -oac lavc -lavcopts acodec=aac:abitrate=%d", p.audioKbps);
        text.Append(" -of lavf -lavfopts format=matroska");
        break;
    default:
        text.Append(" -ovc vp9 -vp9encopts %s=%d:cpu-used=%d", rateKey, rate,
                    static_cast<int>(speed.vp9CpuUsed));
        text.Append(" -oac lavc -lavcopts acodec=libopus:abitrate=%d", p.audioKbps);
        text.Append(" -of lavf -lavfopts format=webm");
        break;
    }
    text.Append(" -sws 2");
    text.Append(" -af volume=%s:channels=2", volume);
    text.Append(" -srate 48000");
}

void AppendFormatPieces(ArgumentText& text, const ConversionSettings& s, const EncoderProfile& p,
                        const char* volume) {
    const int32_t V = p.videoKbps;
    const int32_t A = p.audioKbps;
    const char* R = p.aspectText;
    const bool pal = s.tvMode != 0;
    switch (s.outputFormat) {
    case kFormatAvi:
        AppendAviFamily(text, s.aviVideoCodec, s.aviAudioCodec, V, A, volume);
        break;
    case kFormatDivx:
        AppendAviFamily(text, 0, s.divxAudioCodec, V, A, volume);
        break;
    case kFormatXvid:
        AppendAviFamily(text, 1, s.xvidAudioCodec, V, A, volume);
        break;
    case kFormatMpeg1:
        text.Append(" -af volume=%s:channels=2:lavcresample=44100", volume);
        text.Append(" -srate 44100");
        text.Append(" -oac lavc -ovc lavc");
        text.Append(
            " -lavcopts vcodec=mpeg1video:keyint=18:vrc_buf_size=327:vrc_minrate=%d:vbitrate=%d"
            ":vrc_maxrate=%d:acodec=mp2:abitrate=%d:autoaspect=1:aspect=%s",
            V, V, V, A, R);
        text.Append(
            " -of lavf -lavfopts format=mpg:i_certify_that_my_video_stream_does_not_use_b_frames");
        break;
    case kFormatMpeg2:
        text.Append(" -oac lavc -ovc lavc");
        text.Append(
            " -lavcopts vcodec=mpeg2video:keyint=18:vrc_buf_size=1835:vrc_maxrate=9400:vbitrate=%d"
            ":acodec=mp2:abitrate=%d:autoaspect=1:aspect=%s",
            V, A, R);
        text.Append(
            " -of lavf -lavfopts format=mpg:i_certify_that_my_video_stream_does_not_use_b_frames");
        text.Append(" -af volume=%s:channels=2:lavcresample=44100", volume);
        text.Append(" -srate 44100");
        break;
    case kFormatVcd:
        text.Append(" -oac lavc -ovc lavc -of mpeg");
        text.Append(
            " -lavcopts vcodec=mpeg1video:keyint=%d:vrc_buf_size=327:vrc_minrate=%d:vbitrate=%d"
            ":vrc_maxrate=%d:acodec=mp2:abitrate=%d:autoaspect=1:aspect=%s",
            pal ? 15 : 18, V, V, V, A, R);
        text.Append(" -mpegopts format=xvcd");
        text.Append(" -af volume=%s:channels=2:lavcresample=44100", volume);
        text.Append(" -srate 44100");
        break;
    case kFormatSvcd: {
        // Peak rate halfway between the average and the SVCD ceiling.
        const int64_t maxRate = int64_t{V} + (2500 - int64_t{V}) / 2;
        text.Append(" -oac lavc -ovc lavc -of mpeg");
        text.Append(
            " -lavcopts vcodec=mpeg2video:keyint=%d:vrc_buf_size=917:vrc_minrate=600:vrc_maxrate=%d"
            ":vbitrate=%d:acodec=mp2:abitrate=%d:autoaspect=1:aspect=%s",
            pal ? 15 : 18, static_cast<int>(maxRate), V, A, R);
        text.Append(" -mpegopts format=xsvcd");
        text.Append(" -af volume=%s:channels=2:lavcresample=44100", volume);
        text.Append(" -srate 44100");
        break;
    }
    case kFormatDvd:
        text.Append(" -oac lavc -ovc lavc -of mpeg");
        text.Append(
            " -lavcopts vcodec=mpeg2video:keyint=%d:vrc_buf_size=1835:vrc_maxrate=9400:vbitrate=%d"
            ":acodec=%s:abitrate=%d:autoaspect=1:aspect=%s",
            pal ? 15 : 18, V, s.dvdAudioCodec == 0 ? "ac3" : "mp2", A, R);
        text.Append(" -mpegopts format=dvd");
        text.Append(" -af volume=%s:lavcresample=48000", volume);
        text.Append(" -srate 48000");
        break;
    case kFormatWmv:
    case kFormatAsf: {
        const bool asf = s.outputFormat == kFormatAsf;
        const char* videoCodec = "wmv2";
        if (asf && s.asfVideoCodec == 0)
            videoCodec = "msmpeg4";
        if (asf && s.asfVideoCodec == 1)
            videoCodec = "msmpeg4v2";
        const int32_t audioChoice = asf ? s.asfAudioCodec : s.wmvAudioCodec;
        text.Append(" -oac lavc -ovc lavc");
        // A target size sets the rate; otherwise the quantiser of the quality.
        text.Append(" -lavcopts vcodec=%s:acodec=%s:%s=%d:abitrate=%d:autoaspect=1", videoCodec,
                    audioChoice == 0 ? "wmav1" : "wmav2",
                    p.targetBytes > 0 ? "vbitrate" : "vqscale",
                    p.targetBytes > 0 ? V : WmvQuantiser(s.wmvQuality), A);
        text.Append(
            " -of lavf -lavfopts i_certify_that_my_video_stream_does_not_use_b_frames:format=%s",
            asf ? "asf" : "wmv");
        text.Append(" -sws 2");
        text.Append(" -af volume=%s:channels=2", volume);
        text.Append(" -srate 44100");
        break;
    }
    case kFormatMp4:
    case kFormatMkv:
    case kFormatWebm:
        AppendConstantQualityFamily(text, s.outputFormat, p, volume);
        break;
    default:
        break;
    }
}

void AppendFrameRate(ArgumentText& text, OutputFormat format, double f) {
    // The NTSC rates go as exact fractions; 59.94 only for the formats whose
    // list offers it, so the older formats keep their texts.
    if (IsConstantQualityFormat(format) && std::fabs(f - 59.94) <= 0.00001) {
        text.Append(" -ofps %s", "60000/1001");
    } else if (std::fabs(f - 14.985) <= 0.00001) {
        text.Append(" -ofps %s", "15000/1001");
    } else if (std::fabs(f - 23.976) <= 0.00001) {
        text.Append(" -ofps %s", "24000/1001");
    } else if (std::fabs(f - 29.97) <= 0.00001) {
        text.Append(" -ofps %s", "30000/1001");
    } else {
        char rate[64];
        FormatRate(f, rate, sizeof rate);
        text.Append(" -ofps %s", rate);
    }
}

void AppendPictureFilter(ArgumentText& text, const EncoderProfile& p, int32_t padWidth,
                         int32_t padHeight) {
    const int32_t W = p.targetWidth;
    const int32_t H = p.targetHeight;
    if (padWidth >= 1) {
        text.Append(" -vf scale=-3:%d,harddup,expand=%d:%d", H, W, H);
    } else if (padHeight >= 1) {
        text.Append(" -vf scale=%d:-3,harddup,expand=%d:%d", W, W, H);
    } else if (W != 0 && H != 0) {
        text.Append(" -vf scale=%d:%d,harddup", W, H);
    }
}

} // namespace

void FormatVolumeText(int32_t volume, char* out, size_t size) {
    if (out == nullptr || size == 0)
        return;
    // A hand-edited value outside the slider counts as its nearest end; the
    // encoder refuses gains beyond what the slider offers.
    if (volume < kVolumeSliderMin)
        volume = kVolumeSliderMin;
    if (volume > kVolumeSliderMax)
        volume = kVolumeSliderMax;
    const int64_t gain = int64_t{volume} - 20;
    char number[24];
    FormatInt64(gain < 0 ? -gain : gain, number, sizeof number);
    std::snprintf(out, size, "%c%sdb:0", gain < 0 ? '-' : '+', number);
}

int32_t WmvQuantiser(int32_t wmvQuality) {
    // A hand-edited position outside the list takes the family's default
    // position, as the bitrates do; its quantiser would be out of range.
    if (wmvQuality < 0 || wmvQuality >= QualityTableFor(kFormatWmv).count) {
        wmvQuality = ConversionSettings().wmvQuality;
    }
    return static_cast<int32_t>(std::trunc(29.0 - 2.5 * wmvQuality));
}

bool ComposeEncoderArguments(const ConversionSettings& settings, const EncoderProfile& profile,
                             const EncoderJob& job, char* out, size_t size) {
    if (out == nullptr || size == 0)
        return false;
    ArgumentText text(out, size - 1 < kMaxArgumentChars ? size - 1 : kMaxArgumentChars);
    if (job.sourcePath == nullptr || job.outputPath == nullptr) {
        text.Finish();
        return false;
    }
    char volume[kVolumeTextCapacity];
    FormatVolumeText(settings.volume, volume, sizeof volume);

    text.Append("\"%s\" -o \"%s\"", job.sourcePath, job.outputPath);
    if (IsAudioFormat(settings.outputFormat)) {
        // The sound alone: no picture, so no frame rate and no picture filter.
        char sound[256];
        FormatSoundPieces(settings, volume, sound, sizeof sound);
        text.Append("%s", sound);
    } else if (IsStreamCopyFormat(settings.outputFormat)) {
        char kept[96];
        FormatStreamsKeptPieces(settings.outputFormat, kept, sizeof kept);
        text.Append("%s", kept);
    } else {
        AppendFormatPieces(text, settings, profile, volume);
        AppendFrameRate(text, settings.outputFormat, profile.outputFrameRate);
        AppendPictureFilter(text, profile, job.padWidth, job.padHeight);
    }
    if (profile.targetBytes > 0) {
        char bytes[24];
        FormatInt64(profile.targetBytes, bytes, sizeof bytes);
        text.Append(" -targetsize %s", bytes);
    }
    text.Append(" -endpos");
    text.Append(" 9:0:0");
    char handle[24];
    FormatInt64(job.windowHandle, handle, sizeof handle);
    text.Append(" %d %s", static_cast<int>(job.mode), handle);
    return text.Finish();
}

void ResolveTargetBitrate(const ConversionSettings& settings, const SourceRow& source,
                          EncoderProfile& profile) {
    const int64_t target = TargetBytes(settings);
    if (target <= 0 || !FormatTakesTarget(settings.outputFormat))
        return;
    const double fps = profile.outputFrameRate > 0.0 && profile.outputFrameRate < 1000.0
                           ? profile.outputFrameRate
                           : source.frameRate;
    const TargetBitrate bitrate = VideoBitrateForTarget(
        {settings.outputFormat, source.duration, fps, profile.audioKbps, target});
    // A target that does not fit was refused before the run; a job started
    // anyway keeps its quality rather than an impossible rate.
    if (!bitrate.fits)
        return;
    profile.videoKbps = bitrate.videoKbps;
    profile.targetBytes = target;
    profile.targetCapped = bitrate.capped;
}

JobPlan PlanJob(const ConversionSettings& settings, const SourceRow& source, int32_t mode) {
    JobPlan plan;
    const LetterboxPadding padding =
        ComputeLetterboxPadding(settings, source.width, source.height, plan.profile);
    if (mode == kEncoderModeConvert)
        plan.padding = padding;
    ResolveBitrates(settings, plan.profile);
    ResolveAspectText(settings, plan.profile);
    ResolveFrameRate(settings, source.frameRate, plan.profile);
    if (mode == kEncoderModeConvert)
        ResolveTargetBitrate(settings, source, plan.profile);
    return plan;
}

bool BuildJobArguments(const ConversionSettings& settings, const SourceRow& source,
                       const char* sourcePath, const char* outputPath, int32_t mode,
                       int64_t windowHandle, char* out, size_t size) {
    const JobPlan plan = PlanJob(settings, source, mode);
    const EncoderJob job{sourcePath, outputPath,  plan.padding.padWidth, plan.padding.padHeight,
                         mode,       windowHandle};
    return ComposeEncoderArguments(settings, plan.profile, job, out, size);
}
