#include "core/OutputSettingsModel.h"
#include "core/WhenDone.h"

#include <cstdio>
#include <cstring>

#include "core/ConversionSettings.h"
#include "core/EncoderProfile.h"
#include "core/ConstantQualityProfile.h"
#include "core/OutputFormat.h"
#include "core/SoundFormats.h"

namespace {

// Fixed entry lists. Their positions are the stored values; the lists
// built from the engine's tables (quality, resolution, frame rate) stay in
// step with the profile by construction.
const char* const kVcdSizes[] = {"352 x 240", "352 x 288"};
const char* const kSvcdSizes[] = {"480 x 480", "480 x 576"};
const char* const kDvdSizes[] = {"720 x 480", "720 x 576"};

const char* const kVcdFrameRates[] = {"23.976 fps", "25.0 fps"};
const char* const kSvcdDvdFrameRates[] = {"29.97 fps", "25.0 fps"};
const char* const kAutoFrameRate[] = {"Auto"};

const char* const kTvModes[] = {"NTSC", "PAL"};
const char* const kNone[] = {"None"};

const char* const kMpegAspects[] = {
    "1:1    (PC VAG)",
    "4:3    (Standard TV)",
    "16:9   (Wide screen TV)",
    "2.21:1 (CinemaScope movie)",
};
const char* const kDiscAspects[] = {
    "4:3    (Standard TV)",
    "16:9   (Wide screen TV)",
};

const char* const kAviVideoCodecs[] = {"Divx", "Xvid"};
const char* const kAsfVideoCodecs[] = {"msmpeg4", "msmpeg4v2", "WMV8"};
const char* const kMpeg1Codec[] = {"MPEG1"};
const char* const kMpeg2Codec[] = {"MPEG2"};
const char* const kDivxCodec[] = {"Divx"};
const char* const kXvidCodec[] = {"Xvid"};
const char* const kWmv8Codec[] = {"WMV8"};
const char* const kMp2Codec[] = {"MP2"};
const char* const kMp3Ac3[] = {"MP3", "AC3"};
const char* const kAc3Mp2[] = {"AC3", "MP2"};
const char* const kWmaCodecs[] = {"WMAv1", "WMAv2"};
const char* const kH264Codec[] = {"H.264"};
const char* const kH265Codec[] = {"H.265"};
const char* const kVp9Codec[] = {"VP9"};
const char* const kAacCodec[] = {"AAC"};
const char* const kOpusCodec[] = {"Opus"};
const char* const kMp3Codec[] = {"MP3"};
const char* const kFlacCodec[] = {"FLAC"};
const char* const kLossless[] = {"Lossless"};
const char* const kKept[] = {"Kept"};
const char* const kAsInTheSource[] = {"As in the source"};
const char* const kOriginal[] = {"Original"};
const char* const kFormatsOwn[] = {"Format's own"};

// Why a list, the volume or the letter box does not apply, in its tooltip.
const char* const kNoPictureReason =
    "An audio format keeps the sound alone: there is no picture to set.";
const char* const kKeptPictureReason =
    "Streams kept as they are: the picture is not converted, so this does not apply.";
const char* const kKeptQualityReason =
    "Streams kept as they are are not encoded again: there is no quality to choose.";
const char* const kKeptSoundReason =
    "Streams kept as they are: the sound is copied (a track MP4 cannot carry becomes AAC).";
const char* const kFlacQualityReason = "FLAC is lossless: there is no quality to choose.";
const char* const kSampleRateReason =
    "MP3, M4A and FLAC take this choice; the other formats set their own rate.";

void Clear(ListState* state) {
    state->count = 0;
    state->selection = -1;
    state->enabled = true;
    state->reason = nullptr;
}

// Selects `position` when it is one of the entries: a list shows no
// selection for a position it does not have.
void SelectAt(ListState* state, int32_t position, bool enabled) {
    state->selection = (position >= 0 && position < state->count) ? position : -1;
    state->enabled = enabled;
}

// Empties the list, adds `entries`, selects `position` when it is one of them.
template <size_t N>
void Set(ListState* state, const char* const (&entries)[N], int32_t position, bool enabled) {
    static_assert(N <= static_cast<size_t>(ListState::kMaxEntries), "list too long");
    Clear(state);
    for (size_t i = 0; i < N; ++i) {
        snprintf(state->entries[i], sizeof state->entries[i], "%s", entries[i]);
    }
    state->count = static_cast<int>(N);
    SelectAt(state, position, enabled);
}

// A list with one entry, selected and disabled: a choice the format fixes.
template <size_t N> void SetFixed(ListState* state, const char* const (&entries)[N]) {
    Set(state, entries, 0, false);
}

// A fixed list that does not apply to the format, with the reason.
template <size_t N>
void SetInapplicable(ListState* state, const char* const (&entries)[N], const char* reason) {
    SetFixed(state, entries);
    state->reason = reason;
}

// Why the picture settings do not apply to `format`; null when they do.
const char* NoPictureReason(int32_t format) {
    if (IsAudioFormat(format))
        return kNoPictureReason;
    return IsStreamCopyFormat(format) ? kKeptPictureReason : nullptr;
}

// The picture lists of the formats without a picture to set: "None" for
// the sound-only formats, the source's own for the streams kept. False for
// the other formats.
bool SetNoPicture(ListState* state, int32_t format) {
    const char* reason = NoPictureReason(format);
    if (reason == nullptr)
        return false;
    if (IsAudioFormat(format))
        SetInapplicable(state, kNone, reason);
    else
        SetInapplicable(state, kKept, reason);
    return true;
}

void SetSizes(ListState* state, const PictureSize* sizes, int count, int32_t position) {
    Clear(state);
    for (int i = 0; i < count && i < ListState::kMaxEntries; ++i) {
        char* text = state->entries[i];
        if (sizes[i].width == 0 && sizes[i].height == 0) {
            snprintf(text, ListState::kTextSize, "Original");
        } else {
            snprintf(text, ListState::kTextSize, "%ld x %ld", static_cast<long>(sizes[i].width),
                     static_cast<long>(sizes[i].height));
        }
        state->count = i + 1;
    }
    SelectAt(state, position, true);
}

void SetRates(ListState* state, const FrameRateChoice* rates, int count, int32_t position) {
    Clear(state);
    for (int i = 0; i < count && i < ListState::kMaxEntries; ++i) {
        snprintf(state->entries[i], ListState::kTextSize, "%s", rates[i].label);
        state->count = i + 1;
    }
    SelectAt(state, position, true);
}

bool IsAviFamily(int32_t format) {
    return format == kFormatAvi || format == kFormatDivx || format == kFormatXvid;
}

bool IsWmvFamily(int32_t format) {
    return format == kFormatWmv || format == kFormatAsf;
}

} // namespace

OutputSettingsModel::OutputSettingsModel(int logicalProcessors)
    : copy_(), logicalProcessors_(logicalProcessors) {}

void OutputSettingsModel::Load(const ConversionSettings& s) {
    copy_.outputFormat = s.outputFormat;
    copy_.aviQuality = s.aviQuality;
    copy_.mpeg1Quality = s.mpeg1Quality;
    copy_.mpeg2Quality = s.mpeg2Quality;
    copy_.svcdQuality = s.svcdQuality;
    copy_.dvdQuality = s.dvdQuality;
    copy_.wmvQuality = s.wmvQuality;
    copy_.aviVideoCodec = s.aviVideoCodec;
    copy_.asfVideoCodec = s.asfVideoCodec;
    copy_.aviAudioCodec = s.aviAudioCodec;
    copy_.divxAudioCodec = s.divxAudioCodec;
    copy_.xvidAudioCodec = s.xvidAudioCodec;
    copy_.dvdAudioCodec = s.dvdAudioCodec;
    copy_.wmvAudioCodec = s.wmvAudioCodec;
    copy_.asfAudioCodec = s.asfAudioCodec;
    copy_.tvMode = s.tvMode;
    copy_.aviResolution = s.aviResolution;
    copy_.mpegResolution = s.mpegResolution;
    copy_.aviFrameRate = s.aviFrameRate;
    copy_.mpegFrameRate = s.mpegFrameRate;
    copy_.mpegAspect = s.mpegAspect;
    copy_.dvdAspect = s.dvdAspect;
    copy_.volume = s.volume;
    copy_.mp4Quality = s.mp4Quality;
    copy_.mp4Resolution = s.mp4Resolution;
    copy_.mp4FrameRate = s.mp4FrameRate;
    copy_.mp4Speed = s.mp4Speed;
    copy_.mp3Quality = s.mp3Quality;
    copy_.m4aBitrate = s.m4aBitrate;
    copy_.audioSampleRate = s.audioSampleRate;
    copy_.simultaneousConversions = JobSlotCount(s);
    copy_.whenDone = s.whenDone;
}

void OutputSettingsModel::Commit(ConversionSettings& s, bool letterbox) const {
    s.outputFormat = copy_.outputFormat;
    s.aviQuality = copy_.aviQuality;
    s.mpeg1Quality = copy_.mpeg1Quality;
    s.mpeg2Quality = copy_.mpeg2Quality;
    s.svcdQuality = copy_.svcdQuality;
    s.dvdQuality = copy_.dvdQuality;
    s.wmvQuality = copy_.wmvQuality;
    s.aviVideoCodec = copy_.aviVideoCodec;
    s.asfVideoCodec = copy_.asfVideoCodec;
    s.aviAudioCodec = copy_.aviAudioCodec;
    s.divxAudioCodec = copy_.divxAudioCodec;
    s.xvidAudioCodec = copy_.xvidAudioCodec;
    s.dvdAudioCodec = copy_.dvdAudioCodec;
    s.wmvAudioCodec = copy_.wmvAudioCodec;
    s.asfAudioCodec = copy_.asfAudioCodec;
    s.tvMode = copy_.tvMode;
    s.aviResolution = copy_.aviResolution;
    s.mpegResolution = copy_.mpegResolution;
    s.aviFrameRate = copy_.aviFrameRate;
    s.mpegFrameRate = copy_.mpegFrameRate;
    s.mpegAspect = copy_.mpegAspect;
    s.dvdAspect = copy_.dvdAspect;
    s.volume = copy_.volume;
    s.mp4Quality = copy_.mp4Quality;
    s.mp4Resolution = copy_.mp4Resolution;
    s.mp4FrameRate = copy_.mp4FrameRate;
    s.mp4Speed = copy_.mp4Speed;
    s.mp3Quality = copy_.mp3Quality;
    s.m4aBitrate = copy_.m4aBitrate;
    s.audioSampleRate = copy_.audioSampleRate;
    s.simultaneousConversions = copy_.simultaneousConversions;
    s.whenDone = copy_.whenDone;
    s.letterbox = letterbox ? 1 : 0;
}

void OutputSettingsModel::Fill(SettingsList list, ListState* state) const {
    switch (list) {
    case SettingsList::Format:
        FillFormat(state);
        break;
    case SettingsList::Quality:
        FillQuality(state);
        break;
    case SettingsList::VideoCodec:
        FillVideoCodec(state);
        break;
    case SettingsList::AudioCodec:
        FillAudioCodec(state);
        break;
    case SettingsList::Resolution:
        FillResolution(state);
        break;
    case SettingsList::FrameRate:
        FillFrameRate(state);
        break;
    case SettingsList::TvMode:
        FillTvMode(state);
        break;
    case SettingsList::Aspect:
        FillAspect(state);
        break;
    case SettingsList::Speed:
        FillSpeed(state);
        break;
    case SettingsList::Simultaneous:
        FillSimultaneous(state);
        break;
    case SettingsList::WhenDone:
        FillWhenDone(state);
        break;
    case SettingsList::SampleRate:
        FillSampleRate(state);
        break;
    }
}

void OutputSettingsModel::FillFormat(ListState* state) const {
    Clear(state);
    for (int i = 0; i < kOutputFormatCount; ++i) {
        snprintf(state->entries[i], sizeof state->entries[i], "%s", OutputFormatLabel(i));
    }
    state->count = kOutputFormatCount;
    const int32_t f = copy_.outputFormat;
    state->selection = (f >= 0 && f < kOutputFormatCount) ? f : -1;
}

void OutputSettingsModel::FillQuality(ListState* state) const {
    Clear(state);
    switch (copy_.outputFormat) {
    case kFormatMp3:
        Set(state, kMp3Qualities, copy_.mp3Quality, true);
        return;
    case kFormatM4a:
        for (int i = 0; i < kM4aBitrateCount; ++i) {
            snprintf(state->entries[i], ListState::kTextSize, "%ld kbit/s",
                     static_cast<long>(kM4aBitrates[i]));
        }
        state->count = kM4aBitrateCount;
        SelectAt(state, copy_.m4aBitrate, true);
        return;
    case kFormatFlac:
        SetInapplicable(state, kLossless, kFlacQualityReason);
        return;
    case kFormatMp4Copy:
    case kFormatMkvCopy:
        SetInapplicable(state, kAsInTheSource, kKeptQualityReason);
        return;
    default:
        break;
    }
    const int32_t* field = QualityField();
    if (field == nullptr)
        return; // unknown format: empty, still enabled
    if (IsConstantQualityFormat(copy_.outputFormat)) {
        for (int i = 0; i < kConstantQualityQualityCount; ++i) {
            ConstantQualityQualityEntryText(i, kConstantQualityQualities[i], copy_.outputFormat,
                                            state->entries[i], ListState::kTextSize);
        }
        state->count = kConstantQualityQualityCount;
        SelectAt(state, *field, true);
        return;
    }
    const QualityTable table = QualityTableFor(copy_.outputFormat);
    for (int i = 0; i < table.count && i < ListState::kMaxEntries; ++i) {
        QualityEntryText(i, table.levels[i], state->entries[i], ListState::kTextSize);
        state->count = i + 1;
    }
    SelectAt(state, *field, true);
}

void OutputSettingsModel::FillVideoCodec(ListState* state) const {
    switch (copy_.outputFormat) {
    case kFormatAvi:
        Set(state, kAviVideoCodecs, copy_.aviVideoCodec, true);
        break;
    case kFormatMpeg1:
    case kFormatVcd:
        SetFixed(state, kMpeg1Codec);
        break;
    case kFormatMpeg2:
    case kFormatSvcd:
    case kFormatDvd:
        SetFixed(state, kMpeg2Codec);
        break;
    case kFormatDivx:
        SetFixed(state, kDivxCodec);
        break;
    case kFormatXvid:
        SetFixed(state, kXvidCodec);
        break;
    case kFormatWmv:
        SetFixed(state, kWmv8Codec);
        break;
    case kFormatAsf:
        Set(state, kAsfVideoCodecs, copy_.asfVideoCodec, true);
        break;
    case kFormatMp4:
        SetFixed(state, kH264Codec);
        break;
    case kFormatMkv:
        SetFixed(state, kH265Codec);
        break;
    case kFormatWebm:
        SetFixed(state, kVp9Codec);
        break;
    case kFormatMp3:
    case kFormatM4a:
    case kFormatFlac:
    case kFormatMp4Copy:
    case kFormatMkvCopy:
        SetNoPicture(state, copy_.outputFormat);
        break;
    default:
        // No codec for an unknown format: nothing to choose.
        Clear(state);
        state->enabled = false;
        break;
    }
}

void OutputSettingsModel::FillAudioCodec(ListState* state) const {
    switch (copy_.outputFormat) {
    case kFormatAvi:
        Set(state, kMp3Ac3, copy_.aviAudioCodec, true);
        break;
    case kFormatDivx:
        Set(state, kMp3Ac3, copy_.divxAudioCodec, true);
        break;
    case kFormatXvid:
        Set(state, kMp3Ac3, copy_.xvidAudioCodec, true);
        break;
    case kFormatMpeg1:
    case kFormatMpeg2:
    case kFormatVcd:
    case kFormatSvcd:
        SetFixed(state, kMp2Codec);
        break;
    case kFormatDvd:
        Set(state, kAc3Mp2, copy_.dvdAudioCodec, true);
        break;
    case kFormatWmv:
        Set(state, kWmaCodecs, copy_.wmvAudioCodec, true);
        break;
    case kFormatAsf:
        Set(state, kWmaCodecs, copy_.asfAudioCodec, true);
        break;
    case kFormatMp4:
    case kFormatMkv:
        SetFixed(state, kAacCodec);
        break;
    case kFormatWebm:
        SetFixed(state, kOpusCodec);
        break;
    case kFormatMp3:
        SetFixed(state, kMp3Codec);
        break;
    case kFormatM4a:
        SetFixed(state, kAacCodec);
        break;
    case kFormatFlac:
        SetFixed(state, kFlacCodec);
        break;
    case kFormatMp4Copy:
    case kFormatMkvCopy:
        SetInapplicable(state, kKept, kKeptSoundReason);
        break;
    default:
        Clear(state);
        state->enabled = false;
        break;
    }
}

void OutputSettingsModel::FillResolution(ListState* state) const {
    if (SetNoPicture(state, copy_.outputFormat))
        return;
    switch (copy_.outputFormat) {
    case kFormatMpeg1:
    case kFormatMpeg2:
        SetSizes(state, kMpegResolutions, kMpegResolutionCount, copy_.mpegResolution);
        break;
    case kFormatVcd:
        Set(state, kVcdSizes, copy_.tvMode, false);
        break;
    case kFormatSvcd:
        Set(state, kSvcdSizes, copy_.tvMode, false);
        break;
    case kFormatDvd:
        Set(state, kDvdSizes, copy_.tvMode, false);
        break;
    case kFormatMp4:
    case kFormatMkv:
    case kFormatWebm:
        SetSizes(state, kConstantQualityResolutions, kConstantQualityResolutionCount,
                 copy_.mp4Resolution);
        break;
    default:
        // The AVI family, WMV, ASF and any unknown format use the AVI sizes,
        // as the profile does.
        SetSizes(state, kAviResolutions, kAviResolutionCount, copy_.aviResolution);
        break;
    }
}

void OutputSettingsModel::FillFrameRate(ListState* state) const {
    const int32_t f = copy_.outputFormat;
    if (SetNoPicture(state, f))
        return;
    if (IsAviFamily(f)) {
        SetRates(state, kAviFrameRates, kAviFrameRateCount, copy_.aviFrameRate);
    } else if (IsMpegFormat(f)) {
        SetRates(state, kMpegFrameRates, kMpegFrameRateCount, copy_.mpegFrameRate);
    } else if (f == kFormatVcd) {
        Set(state, kVcdFrameRates, copy_.tvMode, false);
    } else if (f == kFormatSvcd || f == kFormatDvd) {
        Set(state, kSvcdDvdFrameRates, copy_.tvMode, false);
    } else if (IsWmvFamily(f)) {
        SetFixed(state, kAutoFrameRate);
    } else if (IsConstantQualityFormat(f)) {
        SetRates(state, kConstantQualityFrameRates, kConstantQualityFrameRateCount,
                 copy_.mp4FrameRate);
    } else {
        Clear(state);
        state->enabled = false;
    }
}

void OutputSettingsModel::FillTvMode(ListState* state) const {
    if (const char* reason = NoPictureReason(copy_.outputFormat)) {
        SetInapplicable(state, kNone, reason);
    } else if (IsDiscFormat(copy_.outputFormat)) {
        Set(state, kTvModes, copy_.tvMode, true);
    } else {
        SetFixed(state, kNone);
    }
}

void OutputSettingsModel::FillAspect(ListState* state) const {
    const int32_t f = copy_.outputFormat;
    if (const char* reason = NoPictureReason(f)) {
        SetInapplicable(state, kNone, reason);
    } else if (IsMpegFormat(f)) {
        Set(state, kMpegAspects, copy_.mpegAspect, true);
    } else if (IsDiscFormat(f)) {
        Set(state, kDiscAspects, copy_.dvdAspect, true);
    } else {
        SetFixed(state, kNone);
    }
}

void OutputSettingsModel::FillSpeed(ListState* state) const {
    if (!IsConstantQualityFormat(copy_.outputFormat)) {
        SetFixed(state, kNone);
        return;
    }
    Clear(state);
    for (int i = 0; i < kConstantQualitySpeedCount; ++i) {
        snprintf(state->entries[i], ListState::kTextSize, "%s", kConstantQualitySpeeds[i].label);
    }
    state->count = kConstantQualitySpeedCount;
    SelectAt(state, copy_.mp4Speed, true);
}

void OutputSettingsModel::FillSimultaneous(ListState* state) const {
    static_assert(kMaxSimultaneousConversions <= ListState::kMaxEntries, "list too long");
    Clear(state);
    for (int count = 1; count <= kMaxSimultaneousConversions; ++count) {
        // The machine's own count is marked as a guide: about one encoder per
        // core keeps every core busy. A machine with more cores than the
        // list offers gets no mark, since no entry is its count.
        const char* mark = count == logicalProcessors_ ? " (this computer's cores)" : "";
        snprintf(state->entries[count - 1], ListState::kTextSize, "%d%s", count, mark);
    }
    state->count = kMaxSimultaneousConversions;
    const int32_t chosen = copy_.simultaneousConversions;
    SelectAt(state, chosen >= 1 ? chosen - 1 : -1, true);
}

void OutputSettingsModel::FillWhenDone(ListState* state) const {
    Clear(state);
    for (int i = 0; i < kWhenDoneChoiceCount; ++i)
        snprintf(state->entries[i], ListState::kTextSize, "%s", kWhenDoneChoices[i]);
    state->count = kWhenDoneChoiceCount;
    // A hand-edited value outside the list shows no selection and is kept.
    SelectAt(state, copy_.whenDone, true);
}

void OutputSettingsModel::FillSampleRate(ListState* state) const {
    const int32_t f = copy_.outputFormat;
    if (IsAudioFormat(f)) {
        Set(state, kAudioSampleRateLabels, copy_.audioSampleRate, true);
    } else if (IsStreamCopyFormat(f)) {
        SetInapplicable(state, kOriginal, kKeptSoundReason);
    } else {
        SetInapplicable(state, kFormatsOwn, kSampleRateReason);
    }
}

const char* OutputSettingsModel::VolumeDisabledReason() const {
    return IsStreamCopyFormat(copy_.outputFormat) ? kKeptSoundReason : nullptr;
}

const char* OutputSettingsModel::LetterboxDisabledReason() const {
    return NoPictureReason(copy_.outputFormat);
}

const int32_t* OutputSettingsModel::QualityField() const {
    switch (copy_.outputFormat) {
    case kFormatAvi:
    case kFormatDivx:
    case kFormatXvid:
        return &copy_.aviQuality;
    case kFormatMpeg1:
    case kFormatVcd:
        return &copy_.mpeg1Quality;
    case kFormatMpeg2:
        return &copy_.mpeg2Quality;
    case kFormatSvcd:
        return &copy_.svcdQuality;
    case kFormatDvd:
        return &copy_.dvdQuality;
    case kFormatWmv:
    case kFormatAsf:
        return &copy_.wmvQuality;
    case kFormatMp4:
    case kFormatMkv:
    case kFormatWebm:
        return &copy_.mp4Quality;
    case kFormatMp3:
        return &copy_.mp3Quality;
    case kFormatM4a:
        return &copy_.m4aBitrate;
    default:
        return nullptr; // FLAC and the streams kept have no quality
    }
}

unsigned OutputSettingsModel::Select(SettingsList list, int position) {
    OutputSettingsCopy& c = copy_;
    const int32_t f = c.outputFormat;
    // The picture lists of a format without a picture store nothing.
    const bool picture = list == SettingsList::Resolution || list == SettingsList::FrameRate ||
                         list == SettingsList::Aspect || list == SettingsList::TvMode;
    if (picture && NoPictureReason(f) != nullptr)
        return 0;
    switch (list) {
    case SettingsList::Format:
        c.outputFormat = position;
        return kRefillQuality | kRefillCodecs | kRefillTvMode | kRefillResolution |
               kRefillFrameRate | kRefillAspect | kRefillSpeed | kRefillSampleRate;
    case SettingsList::Quality:
        if (const int32_t* field = QualityField()) {
            *const_cast<int32_t*>(field) = position;
        }
        return 0;
    case SettingsList::VideoCodec:
        // Only AVI and ASF offer a choice; the other lists are fixed.
        if (f == kFormatAvi)
            c.aviVideoCodec = position;
        else if (f == kFormatAsf)
            c.asfVideoCodec = position;
        return 0;
    case SettingsList::AudioCodec:
        switch (f) {
        case kFormatAvi:
            c.aviAudioCodec = position;
            break;
        case kFormatDivx:
            c.divxAudioCodec = position;
            break;
        case kFormatXvid:
            c.xvidAudioCodec = position;
            break;
        case kFormatDvd:
            c.dvdAudioCodec = position;
            break;
        case kFormatWmv:
            c.wmvAudioCodec = position;
            break;
        case kFormatAsf:
            c.asfAudioCodec = position;
            break;
        default:
            break; // MP2 is fixed
        }
        return 0;
    case SettingsList::TvMode:
        c.tvMode = position;
        // The disc sizes and rates follow the TV mode at once.
        return kRefillResolution | kRefillFrameRate;
    case SettingsList::Resolution:
        if (IsMpegFormat(f))
            c.mpegResolution = position;
        else if (IsConstantQualityFormat(f))
            c.mp4Resolution = position;
        else
            c.aviResolution = position;
        return 0;
    case SettingsList::FrameRate:
        if (IsMpegFormat(f))
            c.mpegFrameRate = position;
        else if (IsConstantQualityFormat(f))
            c.mp4FrameRate = position;
        else
            c.aviFrameRate = position;
        return 0;
    case SettingsList::Speed:
        if (IsConstantQualityFormat(f))
            c.mp4Speed = position; // fixed "None" elsewhere
        return 0;
    case SettingsList::Aspect:
        if (IsMpegFormat(f))
            c.mpegAspect = position;
        else
            c.dvdAspect = position;
        return 0;
    case SettingsList::SampleRate:
        if (IsAudioFormat(f))
            c.audioSampleRate = position; // fixed elsewhere
        return 0;
    case SettingsList::Simultaneous:
        // Entry n holds the count n + 1; a stray position stores nothing.
        if (position >= 0 && position < kMaxSimultaneousConversions) {
            c.simultaneousConversions = position + 1;
        }
        return 0;
    case SettingsList::WhenDone:
        if (position >= 0 && position < kWhenDoneChoiceCount)
            c.whenDone = position;
        return 0;
    }
    return 0;
}

void OutputSettingsModel::QualityEntryText(int position, const QualityLevel& level, char* text,
                                           size_t size) {
    // "1.Lowest (video bitrate: 384kbps; audio bitrate: 64kbps)": the name
    // padded to 7 and the bitrates right-aligned, so the entries line up.
    snprintf(text, size, "%d.%-7s(video bitrate:%4ldkbps; audio bitrate:%3ldkbps)", position + 1,
             level.name, static_cast<long>(level.videoKbps), static_cast<long>(level.audioKbps));
}

void OutputSettingsModel::ConstantQualityQualityEntryText(int position,
                                                          const ConstantQualityQuality& level,
                                                          int32_t format, char* text, size_t size) {
    // "4.Good     (quality: CRF 23; audio bitrate:128kbps)"
    snprintf(text, size, "%d.%-9s(quality: CRF %2ld; audio bitrate:%3ldkbps)", position + 1,
             level.name, static_cast<long>(ConstantQualityCrf(level, format)),
             static_cast<long>(level.audioKbps));
}

void OutputSettingsModel::VolumeText(int position, char* text, size_t size) {
    // A hand-edited volume outside the slider is used as its nearest end, so
    // the text shows the gain that a conversion gets.
    if (position < kVolumeMin)
        position = kVolumeMin;
    if (position > kVolumeMax)
        position = kVolumeMax;
    const long long gain = static_cast<long long>(position) - 20;
    if (gain < 0) {
        snprintf(text, size, "-%llddb", -gain);
    } else {
        snprintf(text, size, "+%llddb", gain);
    }
}
