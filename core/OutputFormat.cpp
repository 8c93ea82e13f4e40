#include "core/OutputFormat.h"

namespace {

const OutputFormatInfo kFormats[kOutputFormatCount] = {
    {"AVI Format (*.avi)", FormatFamily::Avi, "avi"},
    {"MPEG1 Format (*.mpg)", FormatFamily::Mpeg, "mpeg"},
    {"MPEG2 Format (*.mpg)", FormatFamily::Mpeg, "mpeg"},
    {"DivX Format (*.avi)", FormatFamily::Avi, "avi"},
    {"Xvid Format (*.avi)", FormatFamily::Avi, "avi"},
    {"VCD compatible MPEG1 Format (*.mpg)", FormatFamily::Vcd, "mpeg"},
    {"SVCD compatible MPEG2 Format (*.mpg)", FormatFamily::Svcd, "mpeg"},
    {"DVD compatible MPEG2 Format (*.vob)", FormatFamily::Dvd, "vob"},
    {"WMV Format (*.wmv)", FormatFamily::Wmv, "wmv"},
    {"ASF Format (*.ASF)", FormatFamily::Wmv, "asf"},
    {"MP4 H.264 Format (*.mp4)", FormatFamily::ConstantQuality, "mp4"},
    {"MKV H.265 Format (*.mkv)", FormatFamily::ConstantQuality, "mkv"},
    {"WebM VP9 Format (*.webm)", FormatFamily::ConstantQuality, "webm"},
    {"MP3 audio (*.mp3)", FormatFamily::Audio, "mp3"},
    {"M4A audio, AAC (*.m4a)", FormatFamily::Audio, "m4a"},
    {"FLAC audio, lossless (*.flac)", FormatFamily::Audio, "flac"},
    {"MP4, streams kept as they are (*.mp4)", FormatFamily::StreamCopy, "mp4"},
    {"MKV, streams kept as they are (*.mkv)", FormatFamily::StreamCopy, "mkv"},
};

} // namespace

bool IsValidOutputFormat(OutputFormat format) {
    return format >= 0 && format < kOutputFormatCount;
}

const OutputFormatInfo* FindOutputFormat(OutputFormat format) {
    return IsValidOutputFormat(format) ? &kFormats[format] : nullptr;
}

const char* OutputFormatLabel(OutputFormat format) {
    const OutputFormatInfo* info = FindOutputFormat(format);
    return info ? info->label : "";
}

FormatFamily OutputFormatFamily(OutputFormat format) {
    const OutputFormatInfo* info = FindOutputFormat(format);
    return info ? info->family : FormatFamily::Unknown;
}

bool IsConstantQualityFormat(OutputFormat format) {
    return OutputFormatFamily(format) == FormatFamily::ConstantQuality;
}

bool IsAudioFormat(OutputFormat format) {
    return OutputFormatFamily(format) == FormatFamily::Audio;
}

bool IsStreamCopyFormat(OutputFormat format) {
    return OutputFormatFamily(format) == FormatFamily::StreamCopy;
}

bool IsMpegFormat(OutputFormat format) {
    return format == kFormatMpeg1 || format == kFormatMpeg2;
}

bool IsDiscFormat(OutputFormat format) {
    return format == kFormatVcd || format == kFormatSvcd || format == kFormatDvd;
}

const char* OutputExtension(OutputFormat format) {
    const OutputFormatInfo* info = FindOutputFormat(format);
    return info ? info->extension : "avi";
}
