// The Output Settings model for the sound-only formats and the streams kept:
// which lists apply, what they show, and why the others are disabled.
#include "core/OutputSettingsModel.h"

#include <gtest/gtest.h>

#include <string>

#include "core/ConversionSettings.h"
#include "core/OutputFormat.h"

#include "tests/native/core/OutputSettingsModelSupport.h"

namespace {

using namespace settingsmodeltest;

const SettingsList kPictureLists[] = {SettingsList::VideoCodec, SettingsList::Resolution,
                                      SettingsList::FrameRate, SettingsList::TvMode,
                                      SettingsList::Aspect};

TEST(OutputSettingsSound, ListsThatApplyPerFormat) {
    // DistinctSettings: MP3 quality 5, M4A bitrate 1, sample rate 2.
    const struct {
        int32_t format;
        Shown quality; // count 0: not checked here
        Shown audioCodec;
        Shown sampleRate;
        bool picture, volume;
    } rows[] = {
        {kFormatMp3, {10, "V5 (about 130 kbit/s)", true}, {1, "MP3", false}, {3, "48 kHz", true},
         false, true},
        {kFormatM4a, {6, "128 kbit/s", true}, {1, "AAC", false}, {3, "48 kHz", true}, false, true},
        {kFormatFlac, {1, "Lossless", false}, {1, "FLAC", false}, {3, "48 kHz", true}, false, true},
        {kFormatMp4Copy, {1, "As in the source", false}, {1, "Kept", false},
         {1, "Original", false}, false, false},
        {kFormatMkvCopy, {1, "As in the source", false}, {1, "Kept", false},
         {1, "Original", false}, false, false},
        {kFormatMp4, {0, "", true}, {1, "AAC", false}, {1, "Format's own", false}, true, true},
        {kFormatDvd, {0, "", true}, {2, "MP2", true}, {1, "Format's own", false}, true, true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << "format " << row.format);
        const OutputSettingsModel model = ModelFor(row.format);
        const ListState quality = Fill(model, SettingsList::Quality);
        if (row.quality.count > 0) {
            ExpectShown(quality, row.quality, "quality");
            EXPECT_EQ(row.quality.enabled, quality.reason == nullptr);
        }
        ExpectShown(Fill(model, SettingsList::AudioCodec), row.audioCodec, "audio codec");
        const ListState rate = Fill(model, SettingsList::SampleRate);
        ExpectShown(rate, row.sampleRate, "sample rate");
        EXPECT_EQ(row.sampleRate.enabled, rate.reason == nullptr);
        for (SettingsList list : kPictureLists) {
            const ListState state = Fill(model, list);
            SCOPED_TRACE(testing::Message() << "list " << static_cast<int>(list));
            // A picture list that does not apply is disabled and says why.
            if (!row.picture) {
                EXPECT_FALSE(state.enabled);
                EXPECT_NE(nullptr, state.reason);
            } else {
                EXPECT_EQ(nullptr, state.reason);
            }
        }
        EXPECT_EQ(row.picture, model.LetterboxDisabledReason() == nullptr);
        EXPECT_EQ(row.volume, model.VolumeDisabledReason() == nullptr);
    }
}

TEST(OutputSettingsSound, ChoicesAreStoredCommittedAndSurviveAFormatChange) {
    OutputSettingsModel model = ModelFor(kFormatDvd);
    // Switching to MP3 refills the sample rate with the rest.
    EXPECT_NE(0u, model.Select(SettingsList::Format, kFormatMp3) & kRefillSampleRate);
    model.Select(SettingsList::Quality, 0);
    model.Select(SettingsList::SampleRate, 1);
    model.Select(SettingsList::Format, kFormatM4a);
    model.Select(SettingsList::Quality, 5);
    // A video format's fixed sample-rate list stores nothing.
    model.Select(SettingsList::Format, kFormatAvi);
    model.Select(SettingsList::SampleRate, 0);
    ConversionSettings s = DistinctSettings();
    model.Commit(s, false);
    EXPECT_EQ(0, s.mp3Quality);
    EXPECT_EQ(5, s.m4aBitrate);
    EXPECT_EQ(1, s.audioSampleRate);
    EXPECT_EQ("44.1 kHz", Selected(Fill(ModelFor(kFormatFlac, s), SettingsList::SampleRate)));
}

TEST(OutputSettingsSound, HandEditedPositionsShowNoSelectionAndSurvive) {
    ConversionSettings s = DistinctSettings();
    s.mp3Quality = 10;
    s.m4aBitrate = -1;
    s.audioSampleRate = 3;
    for (int32_t format : {int32_t{kFormatMp3}, int32_t{kFormatM4a}}) {
        const OutputSettingsModel model = ModelFor(format, s);
        EXPECT_EQ(-1, Fill(model, SettingsList::Quality).selection) << format;
        EXPECT_EQ(-1, Fill(model, SettingsList::SampleRate).selection) << format;
        ConversionSettings out;
        model.Commit(out, false);
        EXPECT_EQ(10, out.mp3Quality);
        EXPECT_EQ(-1, out.m4aBitrate);
        EXPECT_EQ(3, out.audioSampleRate);
    }
}

} // namespace
