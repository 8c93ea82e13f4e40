#include "core/ConversionSettings.h"

#include <cstring>

const char kSettingsSection[] = "Destinate";

using CS = ConversionSettings;

const SettingField kSettingFields[kSettingFieldCount] = {
    {"Letterbox", "1", &CS::letterbox},
    {"Temporary folder", "C:\\output video\\", nullptr},
    {"Output format", "2", &CS::outputFormat},
    {"TV mode", "0", &CS::tvMode},
    {"MPEG aspect ratio", "2", &CS::mpegAspect},
    {"DVD aspect ratio", "1", &CS::dvdAspect},
    {"AVI quality", "4", &CS::aviQuality},
    {"MPEG1 quality", "3", &CS::mpeg1Quality},
    {"MPEG2 quality", "3", &CS::mpeg2Quality},
    {"SVCD quality", "4", &CS::svcdQuality},
    {"DVD quality", "5", &CS::dvdQuality},
    {"WMV quality", "5", &CS::wmvQuality},
    {"AVI video codec", "0", &CS::aviVideoCodec},
    {"ASF video codec", "2", &CS::asfVideoCodec},
    {"AVI audio codec", "0", &CS::aviAudioCodec},
    {"Divx audio codec", "0", &CS::divxAudioCodec},
    {"Xvid audio codec", "0", &CS::xvidAudioCodec},
    {"DVD audio codec", "0", &CS::dvdAudioCodec},
    {"WMV audio codec", "1", &CS::wmvAudioCodec},
    {"ASF audio codec", "1", &CS::asfAudioCodec},
    {"AVI resolution", "0", &CS::aviResolution},
    {"MPEG resolution", "0", &CS::mpegResolution},
    {"AVI frame rate", "0", &CS::aviFrameRate},
    {"MPEG frame rate", "0", &CS::mpegFrameRate},
    {"Volume", "20", &CS::volume},
    {"MP4 quality", "3", &CS::mp4Quality},
    {"MP4 resolution", "0", &CS::mp4Resolution},
    {"MP4 frame rate", "0", &CS::mp4FrameRate},
    {"MP4 encoding speed", "1", &CS::mp4Speed},
    {"Simultaneous conversions", "1", &CS::simultaneousConversions},
    {"Target size", "0", &CS::targetSizeKb},
    {"Target applies to", "0", &CS::targetAppliesTo},
    {"MP3 quality", "2", &CS::mp3Quality},
    {"M4A bitrate", "3", &CS::m4aBitrate},
    {"Audio sample rate", "0", &CS::audioSampleRate},
    {"When done", "0", &CS::whenDone},
    {"Output beside source", "0", &CS::outputBesideSource},
};

int32_t JobSlotCount(const ConversionSettings& settings) {
    const int32_t wanted = settings.simultaneousConversions;
    if (wanted < 1)
        return 1;
    return wanted > kMaxSimultaneousConversions ? kMaxSimultaneousConversions : wanted;
}

const SettingField* FindSettingField(const char* key) {
    if (key == nullptr)
        return nullptr;
    for (const SettingField& field : kSettingFields) {
        if (std::strcmp(field.key, key) == 0)
            return &field;
    }
    return nullptr;
}

int32_t ParseSettingNumber(const char* text) {
    if (text == nullptr)
        return 0;
    const char* p = text;
    // atoi skips the C locale's white space.
    while (*p == ' ' || *p == '\t' || *p == '\n' || *p == '\v' || *p == '\f' || *p == '\r')
        ++p;
    bool negative = false;
    if (*p == '+' || *p == '-') {
        negative = (*p == '-');
        ++p;
    }
    // Accumulate as a negative number so that INT32_MIN is reachable.
    int64_t value = 0;
    const int64_t limit = negative ? -int64_t{INT32_MIN} : int64_t{INT32_MAX};
    for (; *p >= '0' && *p <= '9'; ++p) {
        value = value * 10 + (*p - '0');
        if (value > limit) {
            value = limit; // saturate, keep consuming digits
        }
    }
    return static_cast<int32_t>(negative ? -value : value);
}

void SetOutputFolder(ConversionSettings& settings, const char* folder) {
    size_t n = folder ? std::strlen(folder) : 0;
    if (n > kOutputFolderCapacity - 1)
        n = kOutputFolderCapacity - 1;
    if (n > 0)
        std::memcpy(settings.outputFolder, folder, n);
    settings.outputFolder[n] = '\0';
}
