// Every conversion choice of the user, with its settings-file keys and defaults.
#pragma once

#include <cstddef>
#include <cstdint>

#include "core/OutputFormat.h"

constexpr size_t kOutputFolderCapacity = 256; // at most 255 characters + terminator

// All numbers but `letterbox` and `volume` are zero-based positions in the list
// that edits them; they are never range-tested, so every reader must cope with
// any value.
struct ConversionSettings {
    int32_t letterbox = 1;
    char outputFolder[kOutputFolderCapacity] = "C:\\output video\\";
    int32_t outputFormat = kFormatMpeg2;
    int32_t tvMode = 0; // 0 NTSC, anything else PAL
    int32_t mpegAspect = 2;
    int32_t dvdAspect = 1;
    int32_t aviQuality = 4;
    int32_t mpeg1Quality = 3;
    int32_t mpeg2Quality = 3;
    int32_t svcdQuality = 4;
    int32_t dvdQuality = 5;
    int32_t wmvQuality = 5;
    int32_t aviVideoCodec = 0;
    int32_t asfVideoCodec = 2;
    int32_t aviAudioCodec = 0;
    int32_t divxAudioCodec = 0;
    int32_t xvidAudioCodec = 0;
    int32_t dvdAudioCodec = 0;
    int32_t wmvAudioCodec = 1;
    int32_t asfAudioCodec = 1;
    int32_t aviResolution = 0;
    int32_t mpegResolution = 0;
    int32_t aviFrameRate = 0;
    int32_t mpegFrameRate = 0;
    int32_t volume = 20; // slider 0..40, gain in dB is volume - 20
    // MP4, MKV and WebM share these; their keys follow the 25 older ones so
    // that a file of an earlier version keeps its meaning.
    int32_t mp4Quality = 3;    // constant-quality level, "4.Good"
    int32_t mp4Resolution = 0; // "Original"
    int32_t mp4FrameRate = 0;  // "Original"
    int32_t mp4Speed = 1;      // encoding speed, "Balanced"
    // How many files a batch converts at once (1 to 8; see JobSlotCount).
    int32_t simultaneousConversions = 1;
    // Fit to a size: the target in kilobytes of 1,000 bytes (0: no target),
    // and whether it holds for each file (0) or for the whole list (1).
    int32_t targetSizeKb = 0;
    int32_t targetAppliesTo = 0;
    // The sound-only formats' own choices: the MP3 VBR level (position 2 is
    // "V2"), the M4A bitrate's position and the sample rate (0 "Original").
    int32_t mp3Quality = 2;
    int32_t m4aBitrate = 3;
    int32_t audioSampleRate = 0;
    // What happens when a list is done (0 nothing, 1 open the output folder,
    // 2 sleep, 3 shut down), and whether outputs go next to their sources.
    int32_t whenDone = 0;
    int32_t outputBesideSource = 0;
};

constexpr int32_t kMaxSimultaneousConversions = 8;

// The number of encoders a run keeps going: the setting taken into 1..8.
int32_t JobSlotCount(const ConversionSettings& settings);

// Section of option.ini that holds the keys below.
extern const char kSettingsSection[]; // "Destinate"

// One key of option.ini. Exactly one entry (the output folder) is text: its
// `number` is nullptr and the value lives in ConversionSettings::outputFolder.
struct SettingField {
    const char* key;
    const char* defaultText; // default as the file would hold it
    int32_t ConversionSettings::*number;

    bool IsText() const { return number == nullptr; }
};

constexpr int kSettingFieldCount = 37;

// Keys in file order (the order in which they are read and written).
extern const SettingField kSettingFields[kSettingFieldCount];

// Finds a key by its exact text; nullptr when there is none.
const SettingField* FindSettingField(const char* key);

// Converts a value text the way atoi does (leading blanks, one sign, digits up
// to the first other character, 0 without digits), but saturates at the
// 32-bit limits instead of overflowing.
int32_t ParseSettingNumber(const char* text);

// Stores text into outputFolder, cut to 255 characters; nullptr stores "".
void SetOutputFolder(ConversionSettings& settings, const char* folder);
