// Shared set-up of the Output Settings model tests: settings whose every
// field differs, a model for a format, and its lists as text.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "core/ConversionSettings.h"
#include "core/OutputSettingsModel.h"

namespace settingsmodeltest {

// Every list-edited field at a distinct position, so a test can tell which
// field a list shows.
inline ConversionSettings DistinctSettings() {
    ConversionSettings s;
    s.outputFormat = kFormatAvi;
    s.aviQuality = 6;
    s.mpeg1Quality = 1;
    s.mpeg2Quality = 2;
    s.svcdQuality = 3;
    s.dvdQuality = 4;
    s.wmvQuality = 7;
    s.aviVideoCodec = 1;
    s.asfVideoCodec = 0;
    s.aviAudioCodec = 1;
    s.divxAudioCodec = 0;
    s.xvidAudioCodec = 1;
    s.dvdAudioCodec = 1;
    s.wmvAudioCodec = 0;
    s.asfAudioCodec = 1;
    s.tvMode = 1;
    s.aviResolution = 13;
    s.mpegResolution = 13;
    s.aviFrameRate = 6;
    s.mpegFrameRate = 2;
    s.mpegAspect = 3;
    s.dvdAspect = 0;
    s.volume = 25;
    s.mp4Quality = 4;
    s.mp4Resolution = 5;
    s.mp4FrameRate = 7;
    s.mp4Speed = 2;
    s.mp3Quality = 5;
    s.m4aBitrate = 1;
    s.audioSampleRate = 2;
    s.simultaneousConversions = 3;
    s.whenDone = 2;
    return s;
}

inline OutputSettingsModel ModelFor(int32_t format, ConversionSettings s = DistinctSettings()) {
    s.outputFormat = format;
    OutputSettingsModel model;
    model.Load(s);
    return model;
}

inline ListState Fill(const OutputSettingsModel& model, SettingsList list) {
    ListState state;
    model.Fill(list, &state);
    return state;
}

inline std::string Joined(const ListState& state) {
    std::string text;
    for (int i = 0; i < state.count; ++i) {
        if (i > 0)
            text += "|";
        text += state.Entry(i);
    }
    return text;
}

inline std::string Selected(const ListState& state) {
    return state.selection < 0 ? "(none)" : state.Entry(state.selection);
}

// What one list shows: its entries (or only their count), the selected entry
// and whether it is enabled.
struct Shown {
    int count;
    const char* selected;
    bool enabled;
};

inline void ExpectShown(const ListState& state, const Shown& expected, const char* what) {
    SCOPED_TRACE(what);
    EXPECT_EQ(expected.count, state.count);
    EXPECT_EQ(std::string(expected.selected), Selected(state));
    EXPECT_EQ(expected.enabled, state.enabled);
}

} // namespace settingsmodeltest
