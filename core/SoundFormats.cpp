#include "core/SoundFormats.h"

#include <cstdio>

#include "core/OutputFormat.h"

const char* const kMp3Qualities[kMp3QualityCount] = {
    "V0 (about 245 kbit/s)", "V1 (about 225 kbit/s)", "V2 (about 190 kbit/s)",
    "V3 (about 175 kbit/s)", "V4 (about 165 kbit/s)", "V5 (about 130 kbit/s)",
    "V6 (about 115 kbit/s)", "V7 (about 100 kbit/s)", "V8 (about 85 kbit/s)",
    "V9 (about 65 kbit/s)",
};

const int32_t kM4aBitrates[kM4aBitrateCount] = {96, 128, 160, 192, 256, 320};

const int32_t kAudioSampleRates[kAudioSampleRateCount] = {0, 44100, 48000};
const char* const kAudioSampleRateLabels[kAudioSampleRateCount] = {"Original", "44.1 kHz",
                                                                   "48 kHz"};

namespace {

int32_t InList(int32_t position, int count, int32_t fallback) {
    return (position >= 0 && position < count) ? position : fallback;
}

} // namespace

int32_t Mp3VbrLevel(const ConversionSettings& s) {
    return InList(s.mp3Quality, kMp3QualityCount, ConversionSettings().mp3Quality);
}

int32_t M4aKbps(const ConversionSettings& s) {
    return kM4aBitrates[InList(s.m4aBitrate, kM4aBitrateCount, ConversionSettings().m4aBitrate)];
}

int32_t AudioSampleRateHz(const ConversionSettings& s) {
    return kAudioSampleRates[InList(s.audioSampleRate, kAudioSampleRateCount, 0)];
}

void FormatSoundPieces(const ConversionSettings& s, const char* volume, char* out, size_t size) {
    if (size == 0)
        return;
    out[0] = '\0';
    char codec[96];
    switch (s.outputFormat) {
    case kFormatMp3:
        std::snprintf(codec, sizeof codec,
                      "-oac mp3lame -lameopts vbr=2:q=%d -of lavf -lavfopts format=mp3",
                      static_cast<int>(Mp3VbrLevel(s)));
        break;
    case kFormatM4a:
        std::snprintf(codec, sizeof codec,
                      "-oac lavc -lavcopts acodec=aac:abitrate=%d -of lavf -lavfopts format=ipod",
                      static_cast<int>(M4aKbps(s)));
        break;
    case kFormatFlac:
        std::snprintf(codec, sizeof codec,
                      "-oac lavc -lavcopts acodec=flac -of lavf -lavfopts format=flac");
        break;
    default:
        return;
    }
    const int32_t rate = AudioSampleRateHz(s);
    char srate[24] = "";
    if (rate > 0)
        std::snprintf(srate, sizeof srate, " -srate %d", static_cast<int>(rate));
    std::snprintf(out, size, " -ovc none %s -af volume=%s%s", codec, volume, srate);
}

void FormatStreamsKeptPieces(int32_t format, char* out, size_t size) {
    if (size == 0)
        return;
    out[0] = '\0';
    if (format == kFormatMp4Copy || format == kFormatMkvCopy) {
        std::snprintf(out, size, " -ovc copy -oac copy -of lavf -lavfopts format=%s",
                      format == kFormatMp4Copy ? "mp4" : "matroska");
    }
}
