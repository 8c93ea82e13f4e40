// What the Output Settings dialog shows and how its choices change the
// settings: a working copy of every editable choice, the contents, selection
// and enabled state of each list for the copy's output format, and the
// update of the copy when the user picks an entry. No window system here; the
// dialog class renders these states and forwards its notifications.
#pragma once

#include <cstddef>
#include <cstdint>

struct ConversionSettings;
struct QualityLevel;
struct ConstantQualityQuality;

// The 32 choices the dialog edits, in the order the dialog keeps them. The
// letter-box switch lives in the check box and the output folder is not
// edited here.
struct OutputSettingsCopy {
    int32_t outputFormat;
    int32_t aviQuality;
    int32_t mpeg1Quality;
    int32_t mpeg2Quality;
    int32_t svcdQuality;
    int32_t dvdQuality;
    int32_t wmvQuality;
    int32_t aviVideoCodec;
    int32_t asfVideoCodec;
    int32_t aviAudioCodec;
    int32_t divxAudioCodec;
    int32_t xvidAudioCodec;
    int32_t dvdAudioCodec;
    int32_t wmvAudioCodec;
    int32_t asfAudioCodec;
    int32_t tvMode;
    int32_t aviResolution;
    int32_t mpegResolution;
    int32_t aviFrameRate;
    int32_t mpegFrameRate;
    int32_t mpegAspect;
    int32_t dvdAspect;
    int32_t volume;
    // MP4, MKV and WebM.
    int32_t mp4Quality;
    int32_t mp4Resolution;
    int32_t mp4FrameRate;
    int32_t mp4Speed;
    // MP3, M4A and FLAC.
    int32_t mp3Quality;
    int32_t m4aBitrate;
    int32_t audioSampleRate;
    // Every format: how many files a batch converts at once, 1 to 8 (a
    // count, not a list position).
    int32_t simultaneousConversions;
    // What follows a finished run (kWhenDoneChoices).
    int32_t whenDone;
};

// The drop-down lists of the dialog.
enum class SettingsList {
    Format,
    Quality,
    VideoCodec,
    AudioCodec,
    Resolution,
    FrameRate,
    TvMode,
    Aspect,
    Speed,        // encoding speed of MP4, MKV and WebM
    Simultaneous, // files converted at once; the same for every format
    WhenDone,     // what follows a finished run; the same for every format
    SampleRate,   // the sound's rate of MP3, M4A and FLAC
};

// Bits naming the lists a dialog must refill after a selection change, in
// the order it must refill them (lowest bit first).
enum : unsigned {
    kRefillQuality = 1u << 0,
    kRefillCodecs = 1u << 1,
    kRefillTvMode = 1u << 2,
    kRefillResolution = 1u << 3,
    kRefillFrameRate = 1u << 4,
    kRefillAspect = 1u << 5,
    kRefillSpeed = 1u << 6,
    kRefillSampleRate = 1u << 7,
};

// One list as the dialog must show it.
struct ListState {
    static constexpr int kMaxEntries = 20;
    static constexpr int kTextSize = 64;

    int count = 0;
    char entries[kMaxEntries][kTextSize] = {};
    // The stored position; -1 when the position is not one of the entries,
    // so the list shows no selection (the stored value itself is kept).
    int selection = -1;
    bool enabled = true;
    // Why a disabled list does not apply to the format, for its tooltip;
    // null when it needs no word (enabled, or a choice the format fixes).
    const char* reason = nullptr;

    const char* Entry(int index) const { return entries[index]; }
};

class OutputSettingsModel {
public:
    // `logicalProcessors` is the machine's count, for marking the matching
    // entry of the Simultaneous list; 0 when unknown (nothing is marked).
    explicit OutputSettingsModel(int logicalProcessors = 0);

    // Loads the working copy from the settings (every choice but the folder
    // and the letter box). A simultaneous count outside 1..8 is loaded as
    // the count a run would use.
    void Load(const ConversionSettings& settings);
    // Writes the whole working copy back, and the letter-box state (1 on, 0 off).
    void Commit(ConversionSettings& settings, bool letterbox) const;

    const OutputSettingsCopy& Copy() const { return copy_; }
    OutputSettingsCopy& Copy() { return copy_; }

    // The state of one list for the copy's current output format.
    void Fill(SettingsList list, ListState* state) const;

    // The user picked `position` in `list`; stores it in the field the
    // current format uses (or nowhere, for fixed lists) and returns the
    // kRefill* bits of the lists that now show something else.
    unsigned Select(SettingsList list, int position);

    // Why the volume or the letter box does not apply to the copy's format;
    // null when it does.
    const char* VolumeDisabledReason() const;
    const char* LetterboxDisabledReason() const;

    // The track bar moved to `position`.
    void SetVolume(int position) { copy_.volume = position; }

    // The quality list entry at `position` (0-based) for `level`.
    static void QualityEntryText(int position, const QualityLevel& level, char* text, size_t size);
    // The same for a constant-quality level of MP4, MKV or WebM: its quality
    // value for that format's encoder and its audio bitrate.
    static void ConstantQualityQualityEntryText(int position, const ConstantQualityQuality& level,
                                                int32_t format, char* text, size_t size);

    // "-%ddb" below 20, "+%ddb" from 20 on: the gain in decibels.
    static void VolumeText(int position, char* text, size_t size);

    // Track bar range.
    static constexpr int kVolumeMin = 0;
    static constexpr int kVolumeMax = 40;

private:
    void FillFormat(ListState* state) const;
    void FillQuality(ListState* state) const;
    void FillVideoCodec(ListState* state) const;
    void FillAudioCodec(ListState* state) const;
    void FillResolution(ListState* state) const;
    void FillFrameRate(ListState* state) const;
    void FillTvMode(ListState* state) const;
    void FillAspect(ListState* state) const;
    void FillSpeed(ListState* state) const;
    void FillSimultaneous(ListState* state) const;
    void FillWhenDone(ListState* state) const;
    void FillSampleRate(ListState* state) const;

    // The quality field of the current format's family; null for a format
    // outside the known ones.
    const int32_t* QualityField() const;

    OutputSettingsCopy copy_;
    int logicalProcessors_;
};
