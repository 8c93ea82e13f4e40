// The Output Settings model: where each choice is stored, the refills it asks
// for, and what a commit writes.
#include "core/OutputSettingsModel.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "core/ConversionSettings.h"
#include "core/EncoderProfile.h"
#include "core/ConstantQualityProfile.h"

#include "tests/native/core/OutputSettingsModelSupport.h"

namespace {

using namespace settingsmodeltest;

using Field = int32_t OutputSettingsCopy::*;
struct RouteRow {
    int32_t format;
    Field quality, video, audio, resolution, frameRate, aspect;
};
const RouteRow kRoutes[] = {
    {kFormatAvi, &OutputSettingsCopy::aviQuality, &OutputSettingsCopy::aviVideoCodec,
     &OutputSettingsCopy::aviAudioCodec, &OutputSettingsCopy::aviResolution,
     &OutputSettingsCopy::aviFrameRate, &OutputSettingsCopy::dvdAspect},
    {kFormatMpeg1, &OutputSettingsCopy::mpeg1Quality, nullptr, nullptr,
     &OutputSettingsCopy::mpegResolution, &OutputSettingsCopy::mpegFrameRate,
     &OutputSettingsCopy::mpegAspect},
    {kFormatMpeg2, &OutputSettingsCopy::mpeg2Quality, nullptr, nullptr,
     &OutputSettingsCopy::mpegResolution, &OutputSettingsCopy::mpegFrameRate,
     &OutputSettingsCopy::mpegAspect},
    {kFormatDivx, &OutputSettingsCopy::aviQuality, nullptr, &OutputSettingsCopy::divxAudioCodec,
     &OutputSettingsCopy::aviResolution, &OutputSettingsCopy::aviFrameRate,
     &OutputSettingsCopy::dvdAspect},
    {kFormatXvid, &OutputSettingsCopy::aviQuality, nullptr, &OutputSettingsCopy::xvidAudioCodec,
     &OutputSettingsCopy::aviResolution, &OutputSettingsCopy::aviFrameRate,
     &OutputSettingsCopy::dvdAspect},
    {kFormatVcd, &OutputSettingsCopy::mpeg1Quality, nullptr, nullptr,
     &OutputSettingsCopy::aviResolution, &OutputSettingsCopy::aviFrameRate,
     &OutputSettingsCopy::dvdAspect},
    {kFormatSvcd, &OutputSettingsCopy::svcdQuality, nullptr, nullptr,
     &OutputSettingsCopy::aviResolution, &OutputSettingsCopy::aviFrameRate,
     &OutputSettingsCopy::dvdAspect},
    {kFormatDvd, &OutputSettingsCopy::dvdQuality, nullptr, &OutputSettingsCopy::dvdAudioCodec,
     &OutputSettingsCopy::aviResolution, &OutputSettingsCopy::aviFrameRate,
     &OutputSettingsCopy::dvdAspect},
    {kFormatWmv, &OutputSettingsCopy::wmvQuality, nullptr, &OutputSettingsCopy::wmvAudioCodec,
     &OutputSettingsCopy::aviResolution, &OutputSettingsCopy::aviFrameRate,
     &OutputSettingsCopy::dvdAspect},
    {kFormatAsf, &OutputSettingsCopy::wmvQuality, &OutputSettingsCopy::asfVideoCodec,
     &OutputSettingsCopy::asfAudioCodec, &OutputSettingsCopy::aviResolution,
     &OutputSettingsCopy::aviFrameRate, &OutputSettingsCopy::dvdAspect},
    {kFormatMp4, &OutputSettingsCopy::mp4Quality, nullptr, nullptr,
     &OutputSettingsCopy::mp4Resolution, &OutputSettingsCopy::mp4FrameRate,
     &OutputSettingsCopy::dvdAspect},
    {kFormatMkv, &OutputSettingsCopy::mp4Quality, nullptr, nullptr,
     &OutputSettingsCopy::mp4Resolution, &OutputSettingsCopy::mp4FrameRate,
     &OutputSettingsCopy::dvdAspect},
    {kFormatWebm, &OutputSettingsCopy::mp4Quality, nullptr, nullptr,
     &OutputSettingsCopy::mp4Resolution, &OutputSettingsCopy::mp4FrameRate,
     &OutputSettingsCopy::dvdAspect},
    // No picture to set: the picture lists store nothing.
    {kFormatMp3, &OutputSettingsCopy::mp3Quality, nullptr, nullptr, nullptr, nullptr, nullptr},
    {kFormatM4a, &OutputSettingsCopy::m4aBitrate, nullptr, nullptr, nullptr, nullptr, nullptr},
    {kFormatFlac, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr},
    {kFormatMp4Copy, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr},
    {kFormatMkvCopy, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr},
};

bool SameCopy(const OutputSettingsCopy& a, const OutputSettingsCopy& b) {
    return memcmp(&a, &b, sizeof a) == 0;
}

// The MP4, MKV and WebM lists must promise what the encoder gets: the CRF of
// that format's encoder and the audio bitrate the profile resolves.
TEST(OutputSettingsModel, ConstantQualityQualityEntriesNameTheResolvedValues) {
    for (int32_t format : {int32_t{kFormatMp4}, int32_t{kFormatMkv}, int32_t{kFormatWebm}}) {
        const ListState list = Fill(ModelFor(format), SettingsList::Quality);
        ASSERT_EQ(kConstantQualityQualityCount, list.count);
        for (int i = 0; i < list.count; ++i) {
            ConversionSettings s = DistinctSettings();
            s.outputFormat = format;
            s.mp4Quality = i;
            EncoderProfile profile;
            ResolveBitrates(s, profile);
            char tail[64];
            snprintf(tail, sizeof tail, "(quality: CRF %2ld; audio bitrate:%3ldkbps)",
                     static_cast<long>(profile.constantQuality),
                     static_cast<long>(profile.audioKbps));
            EXPECT_NE(nullptr, strstr(list.Entry(i), tail)) << format << ": " << list.Entry(i);
            EXPECT_EQ(i + 1, atoi(list.Entry(i)));
        }
    }
}

TEST(OutputSettingsModel, SpeedIsStoredOnlyForItsFamily) {
    for (int32_t format = 0; format < kOutputFormatCount; ++format) {
        OutputSettingsModel model = ModelFor(format);
        OutputSettingsCopy expected = model.Copy();
        if (IsConstantQualityFormat(format))
            expected.mp4Speed = 0;
        EXPECT_EQ(0u, model.Select(SettingsList::Speed, 0));
        EXPECT_TRUE(SameCopy(expected, model.Copy())) << format;
    }
}

TEST(OutputSettingsModel, SelectionsReachTheFieldOfTheFormat) {
    const struct {
        SettingsList list;
        Field RouteRow::*route;
    } lists[] = {
        {SettingsList::Quality, &RouteRow::quality},
        {SettingsList::VideoCodec, &RouteRow::video},
        {SettingsList::AudioCodec, &RouteRow::audio},
        {SettingsList::Resolution, &RouteRow::resolution},
        {SettingsList::FrameRate, &RouteRow::frameRate},
        {SettingsList::Aspect, &RouteRow::aspect},
    };
    for (const RouteRow& row : kRoutes) {
        for (const auto& list : lists) {
            SCOPED_TRACE(testing::Message()
                         << "format " << row.format << " list " << static_cast<int>(list.list));
            OutputSettingsModel model = ModelFor(row.format);
            OutputSettingsCopy expected = model.Copy();
            const Field field = row.*(list.route);
            if (field != nullptr)
                expected.*field = 77;
            EXPECT_EQ(0u, model.Select(list.list, 77));
            EXPECT_TRUE(SameCopy(expected, model.Copy()));
        }
    }
}

TEST(OutputSettingsModel, SimultaneousListMarksThisComputersCores) {
    const struct {
        int cores;
        const char* entries;
    } rows[] = {
        {1, "1 (this computer's cores)|2|3|4|5|6|7|8"},
        {2, "1|2 (this computer's cores)|3|4|5|6|7|8"},
        {8, "1|2|3|4|5|6|7|8 (this computer's cores)"},
        // More cores than the list offers, or none known: no entry is the count.
        {16, "1|2|3|4|5|6|7|8"},
        {0, "1|2|3|4|5|6|7|8"},
    };
    for (const auto& row : rows) {
        OutputSettingsModel model(row.cores);
        model.Load(DistinctSettings());
        EXPECT_EQ(row.entries, Joined(Fill(model, SettingsList::Simultaneous))) << row.cores;
    }
}

// A hand-edited count shows, and is written back, as the count a run uses;
// a pick stores the entry's count, whatever the format.
TEST(OutputSettingsModel, SimultaneousCountIsTheRunsCount) {
    const struct {
        int32_t stored;
        int32_t shown;
    } rows[] = {{1, 1}, {8, 8}, {0, 1}, {-4, 1}, {9, 8}, {INT_MIN, 1}, {INT_MAX, 8}};
    for (const auto& row : rows) {
        ConversionSettings s = DistinctSettings();
        s.simultaneousConversions = row.stored;
        const OutputSettingsModel model = ModelFor(kFormatDvd, s);
        EXPECT_EQ(row.shown - 1, Fill(model, SettingsList::Simultaneous).selection) << row.stored;
        model.Commit(s, false);
        EXPECT_EQ(row.shown, s.simultaneousConversions) << row.stored;
    }

    OutputSettingsModel model = ModelFor(kFormatMp4);
    EXPECT_EQ(0u, model.Select(SettingsList::Simultaneous, 4));
    EXPECT_EQ(5, model.Copy().simultaneousConversions);
    model.Select(SettingsList::Format, kFormatAvi);
    EXPECT_EQ(4, Fill(model, SettingsList::Simultaneous).selection);
    // No entry there: nothing stored.
    model.Select(SettingsList::Simultaneous, -1);
    model.Select(SettingsList::Simultaneous, 8);
    EXPECT_EQ(5, model.Copy().simultaneousConversions);
}

TEST(OutputSettingsModel, FormatAndTvModeAskForTheirRefills) {
    OutputSettingsModel model = ModelFor(kFormatAvi);
    EXPECT_EQ(kRefillQuality | kRefillCodecs | kRefillTvMode | kRefillResolution |
                  kRefillFrameRate | kRefillAspect | kRefillSpeed | kRefillSampleRate,
              model.Select(SettingsList::Format, kFormatVcd));
    EXPECT_EQ(kFormatVcd, model.Copy().outputFormat);
    EXPECT_EQ(kRefillResolution | kRefillFrameRate, model.Select(SettingsList::TvMode, 0));
    EXPECT_EQ(0, model.Copy().tvMode);
    EXPECT_EQ(25, model.Copy().volume); // a format change leaves the volume alone
}

TEST(OutputSettingsModel, TvModeMovesTheFixedDiscSizeAndRate) {
    const struct {
        int32_t format;
        const char* ntscSize;
        const char* ntscRate;
        const char* palSize;
        const char* palRate;
    } rows[] = {
        {kFormatVcd, "352 x 240", "23.976 fps", "352 x 288", "25.0 fps"},
        {kFormatSvcd, "480 x 480", "29.97 fps", "480 x 576", "25.0 fps"},
        {kFormatDvd, "720 x 480", "29.97 fps", "720 x 576", "25.0 fps"},
    };
    for (const auto& row : rows) {
        OutputSettingsModel model = ModelFor(row.format);
        model.Select(SettingsList::TvMode, 1);
        EXPECT_EQ(row.palSize, Selected(Fill(model, SettingsList::Resolution)));
        EXPECT_EQ(row.palRate, Selected(Fill(model, SettingsList::FrameRate)));
        model.Select(SettingsList::TvMode, 0);
        EXPECT_EQ(row.ntscSize, Selected(Fill(model, SettingsList::Resolution)));
        EXPECT_EQ(row.ntscRate, Selected(Fill(model, SettingsList::FrameRate)));
        EXPECT_EQ(13, model.Copy().aviResolution); // the shared sizes are not touched
    }
}

TEST(OutputSettingsModel, FamiliesShareTheirChoices) {
    OutputSettingsModel model = ModelFor(kFormatAvi);
    model.Select(SettingsList::Quality, 2);
    model.Select(SettingsList::Resolution, 16);
    model.Select(SettingsList::FrameRate, 3);
    model.Select(SettingsList::Format, kFormatDivx);
    EXPECT_EQ(2, Fill(model, SettingsList::Quality).selection);
    EXPECT_EQ("624 x 352", Selected(Fill(model, SettingsList::Resolution)));
    EXPECT_EQ("23.976 fps", Selected(Fill(model, SettingsList::FrameRate)));
    EXPECT_EQ("MP3", Selected(Fill(model, SettingsList::AudioCodec))); // the DivX choice
    model.Select(SettingsList::AudioCodec, 1);
    EXPECT_EQ(1, model.Copy().aviAudioCodec); // AVI's own choice untouched
    EXPECT_EQ(1, model.Copy().aviVideoCodec);

    // MPEG1 and VCD share a quality; MPEG2 and SVCD do not.
    model.Select(SettingsList::Format, kFormatMpeg1);
    model.Select(SettingsList::Quality, 4);
    model.Select(SettingsList::Format, kFormatVcd);
    EXPECT_EQ(4, Fill(model, SettingsList::Quality).selection);
    model.Select(SettingsList::Format, kFormatMpeg2);
    model.Select(SettingsList::Quality, 0);
    model.Select(SettingsList::Format, kFormatSvcd);
    EXPECT_EQ(3, Fill(model, SettingsList::Quality).selection);

    // WMV and ASF share quality and size but not the audio codec.
    model.Select(SettingsList::Format, kFormatWmv);
    model.Select(SettingsList::Quality, 1);
    model.Select(SettingsList::Resolution, 4);
    model.Select(SettingsList::AudioCodec, 1);
    model.Select(SettingsList::Format, kFormatAsf);
    EXPECT_EQ(1, Fill(model, SettingsList::Quality).selection);
    EXPECT_EQ(4, Fill(model, SettingsList::Resolution).selection);
    model.Select(SettingsList::AudioCodec, 0);
    model.Select(SettingsList::Format, kFormatWmv);
    EXPECT_EQ("WMAv2", Selected(Fill(model, SettingsList::AudioCodec)));
}

TEST(OutputSettingsModel, PositionsOutsideAListShowNoSelectionAndSurvive) {
    ConversionSettings s = DistinctSettings();
    s.aviQuality = 9;
    s.aviResolution = -1;
    s.aviAudioCodec = 2;
    s.tvMode = 7; // PAL for the profile, but no entry of the list
    OutputSettingsModel model = ModelFor(kFormatAvi, s);
    EXPECT_EQ(-1, Fill(model, SettingsList::Quality).selection);
    EXPECT_EQ(-1, Fill(model, SettingsList::Resolution).selection);
    EXPECT_EQ(-1, Fill(model, SettingsList::AudioCodec).selection);
    model.Select(SettingsList::Format, kFormatDvd);
    EXPECT_EQ(-1, Fill(model, SettingsList::TvMode).selection);
    EXPECT_EQ(-1, Fill(model, SettingsList::Resolution).selection);
    model.Select(SettingsList::Format, kFormatAvi);

    ConversionSettings out = s;
    model.Commit(out, true);
    EXPECT_EQ(9, out.aviQuality);
    EXPECT_EQ(-1, out.aviResolution);
    EXPECT_EQ(2, out.aviAudioCodec);
    EXPECT_EQ(7, out.tvMode);
}

TEST(OutputSettingsModel, UnknownFormatOpensEmptyAndRecovers) {
    for (int32_t format : {18, 99, -1, INT_MIN}) {
        SCOPED_TRACE(format);
        OutputSettingsModel model = ModelFor(format);
        EXPECT_EQ(-1, Fill(model, SettingsList::Format).selection);
        const ListState quality = Fill(model, SettingsList::Quality);
        EXPECT_EQ(0, quality.count);
        EXPECT_TRUE(quality.enabled);
        EXPECT_EQ(0, Fill(model, SettingsList::VideoCodec).count);
        EXPECT_EQ(0, Fill(model, SettingsList::AudioCodec).count);
        EXPECT_EQ(0, Fill(model, SettingsList::FrameRate).count);
        ExpectShown(Fill(model, SettingsList::TvMode), {1, "None", false}, "tv mode");
        ExpectShown(Fill(model, SettingsList::Aspect), {1, "None", false}, "aspect");
        ExpectShown(Fill(model, SettingsList::Resolution), {20, "480 x 272", true}, "resolution");
        // Nothing to pick in the empty lists; a stray notification stores nothing.
        const OutputSettingsCopy before = model.Copy();
        model.Select(SettingsList::Quality, 0);
        model.Select(SettingsList::VideoCodec, 0);
        model.Select(SettingsList::AudioCodec, 0);
        EXPECT_TRUE(SameCopy(before, model.Copy()));

        model.Select(SettingsList::Format, kFormatWmv);
        ExpectShown(Fill(model, SettingsList::Quality),
                    {9, "8.High   (video bitrate:1500kbps; audio bitrate:192kbps)", true}, "q");
        ExpectShown(Fill(model, SettingsList::FrameRate), {1, "Auto", false}, "frame rate");
    }
}

TEST(OutputSettingsModel, CommitWritesTheWholeCopyAndTheLetterbox) {
    const ConversionSettings original = DistinctSettings();
    OutputSettingsModel model;
    model.Load(original);

    ConversionSettings target; // defaults everywhere
    SetOutputFolder(target, "D:\\keep\\");
    target.letterbox = 1;
    model.Commit(target, false);
    ConversionSettings expected = original;
    SetOutputFolder(expected, "D:\\keep\\");
    expected.letterbox = 0;
    EXPECT_EQ(0, memcmp(&expected, &target, sizeof target));

    model.Commit(target, true);
    EXPECT_EQ(1, target.letterbox);
}

TEST(OutputSettingsModel, VolumeTextIsTheGainInDecibels) {
    const struct {
        int position;
        const char* text;
    } rows[] = {
        {0, "-20db"},
        {19, "-1db"},
        {20, "+0db"},
        {21, "+1db"},
        // A hand-edited position outside the slider shows its nearest end.
        {40, "+20db"},
        {100, "+20db"},
        {-5, "-20db"},
        {INT_MIN, "-20db"},
        {INT_MAX, "+20db"},
    };
    for (const auto& row : rows) {
        char text[32];
        OutputSettingsModel::VolumeText(row.position, text, sizeof text);
        EXPECT_STREQ(row.text, text) << row.position;
    }
    OutputSettingsModel model = ModelFor(kFormatAvi);
    model.SetVolume(3);
    EXPECT_EQ(3, model.Copy().volume);
}

// The same four entries for every format; a hand-edited value shows no
// selection and is kept until the user picks one; a stray position stores
// nothing.
TEST(OutputSettingsModel, WhenDoneListKeepsItsChoiceAcrossFormats) {
    const struct {
        int32_t stored;
        int pick;
        int selection;
        int32_t committed;
    } rows[] = {
        {0, -2, 0, 0}, {3, -2, 3, 3}, {7, -2, -1, 7}, {-1, 1, -1, 1}, {2, 4, 2, 2}, {2, -1, 2, 2},
    };
    for (const auto& row : rows) {
        ConversionSettings s = DistinctSettings();
        s.whenDone = row.stored;
        OutputSettingsModel model = ModelFor(kFormatMp4, s);
        const ListState list = Fill(model, SettingsList::WhenDone);
        ASSERT_EQ(4, list.count);
        EXPECT_STREQ("Open the output folder", list.Entry(1));
        EXPECT_STREQ("Shut down", list.Entry(3));
        EXPECT_EQ(row.selection, list.selection) << row.stored;
        if (row.pick != -2) {
            EXPECT_EQ(0u, model.Select(SettingsList::WhenDone, row.pick));
        }
        model.Select(SettingsList::Format, kFormatDvd);
        model.Commit(s, false);
        EXPECT_EQ(row.committed, s.whenDone) << row.stored << " " << row.pick;
    }
}

} // namespace
