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

namespace {

// Every list-edited field at a distinct position, so a test can tell which
// field a list shows.
ConversionSettings DistinctSettings() {
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
    s.simultaneousConversions = 3;
    return s;
}

OutputSettingsModel ModelFor(int32_t format, ConversionSettings s = DistinctSettings()) {
    s.outputFormat = format;
    OutputSettingsModel model;
    model.Load(s);
    return model;
}

ListState Fill(const OutputSettingsModel& model, SettingsList list) {
    ListState state;
    model.Fill(list, &state);
    return state;
}

std::string Joined(const ListState& state) {
    std::string text;
    for (int i = 0; i < state.count; ++i) {
        if (i > 0)
            text += "|";
        text += state.Entry(i);
    }
    return text;
}

std::string Selected(const ListState& state) {
    return state.selection < 0 ? "(none)" : state.Entry(state.selection);
}

// What one list shows: its entries (or only their count), the selected entry
// and whether it is enabled.
struct Shown {
    int count;
    const char* selected;
    bool enabled;
};

void ExpectShown(const ListState& state, const Shown& expected, const char* what) {
    SCOPED_TRACE(what);
    EXPECT_EQ(expected.count, state.count);
    EXPECT_EQ(std::string(expected.selected), Selected(state));
    EXPECT_EQ(expected.enabled, state.enabled);
}

struct FormatRow {
    int32_t format;
    Shown quality;
    const char* videoEntries;
    Shown video;
    const char* audioEntries;
    Shown audio;
    Shown resolution;
    Shown frameRate;
    Shown tvMode;
    Shown aspect;
};

// The lists of every format, for DistinctSettings (tvMode PAL).
const FormatRow kFormatRows[] = {
    {kFormatAvi,
     {9, "7.Better (video bitrate:1500kbps; audio bitrate:160kbps)", true},
     "Divx|Xvid",
     {2, "Xvid", true},
     "MP3|AC3",
     {2, "AC3", true},
     {20, "480 x 272", true},
     {8, "29.97 fps", true},
     {1, "None", false},
     {1, "None", false}},
    {kFormatMpeg1,
     {5, "2.Normal (video bitrate: 640kbps; audio bitrate:128kbps)", true},
     "MPEG1",
     {1, "MPEG1", false},
     "MP2",
     {1, "MP2", false},
     {18, "480 x 480", true},
     {6, "24.0 fps", true},
     {1, "None", false},
     {4, "2.21:1 (CinemaScope movie)", true}},
    {kFormatMpeg2,
     {6, "3.Normal (video bitrate:1600kbps; audio bitrate:128kbps)", true},
     "MPEG2",
     {1, "MPEG2", false},
     "MP2",
     {1, "MP2", false},
     {18, "480 x 480", true},
     {6, "24.0 fps", true},
     {1, "None", false},
     {4, "2.21:1 (CinemaScope movie)", true}},
    {kFormatDivx,
     {9, "7.Better (video bitrate:1500kbps; audio bitrate:160kbps)", true},
     "Divx",
     {1, "Divx", false},
     "MP3|AC3",
     {2, "MP3", true},
     {20, "480 x 272", true},
     {8, "29.97 fps", true},
     {1, "None", false},
     {1, "None", false}},
    {kFormatXvid,
     {9, "7.Better (video bitrate:1500kbps; audio bitrate:160kbps)", true},
     "Xvid",
     {1, "Xvid", false},
     "MP3|AC3",
     {2, "AC3", true},
     {20, "480 x 272", true},
     {8, "29.97 fps", true},
     {1, "None", false},
     {1, "None", false}},
    {kFormatVcd,
     {5, "2.Normal (video bitrate: 640kbps; audio bitrate:128kbps)", true},
     "MPEG1",
     {1, "MPEG1", false},
     "MP2",
     {1, "MP2", false},
     {2, "352 x 288", false},
     {2, "25.0 fps", false},
     {2, "PAL", true},
     {2, "4:3    (Standard TV)", true}},
    {kFormatSvcd,
     {5, "4.Good   (video bitrate:2000kbps; audio bitrate:224kbps)", true},
     "MPEG2",
     {1, "MPEG2", false},
     "MP2",
     {1, "MP2", false},
     {2, "480 x 576", false},
     {2, "25.0 fps", false},
     {2, "PAL", true},
     {2, "4:3    (Standard TV)", true}},
    {kFormatDvd,
     {6, "5.Good   (video bitrate:3000kbps; audio bitrate:224kbps)", true},
     "MPEG2",
     {1, "MPEG2", false},
     "AC3|MP2",
     {2, "MP2", true},
     {2, "720 x 576", false},
     {2, "25.0 fps", false},
     {2, "PAL", true},
     {2, "4:3    (Standard TV)", true}},
    {kFormatWmv,
     {9, "8.High   (video bitrate:1500kbps; audio bitrate:192kbps)", true},
     "WMV8",
     {1, "WMV8", false},
     "WMAv1|WMAv2",
     {2, "WMAv1", true},
     {20, "480 x 272", true},
     {1, "Auto", false},
     {1, "None", false},
     {1, "None", false}},
    {kFormatAsf,
     {9, "8.High   (video bitrate:1500kbps; audio bitrate:192kbps)", true},
     "msmpeg4|msmpeg4v2|WMV8",
     {3, "msmpeg4", true},
     "WMAv1|WMAv2",
     {2, "WMAv2", true},
     {20, "480 x 272", true},
     {1, "Auto", false},
     {1, "None", false},
     {1, "None", false}},
    {kFormatMp4,
     {6, "5.High     (quality: CRF 20; audio bitrate:160kbps)", true},
     "H.264",
     {1, "H.264", false},
     "AAC",
     {1, "AAC", false},
     {8, "960 x 540", true},
     {9, "59.94 fps", true},
     {1, "None", false},
     {1, "None", false}},
    {kFormatMkv,
     {6, "5.High     (quality: CRF 22; audio bitrate:160kbps)", true},
     "H.265",
     {1, "H.265", false},
     "AAC",
     {1, "AAC", false},
     {8, "960 x 540", true},
     {9, "59.94 fps", true},
     {1, "None", false},
     {1, "None", false}},
    {kFormatWebm,
     {6, "5.High     (quality: CRF 28; audio bitrate:160kbps)", true},
     "VP9",
     {1, "VP9", false},
     "Opus",
     {1, "Opus", false},
     {8, "960 x 540", true},
     {9, "59.94 fps", true},
     {1, "None", false},
     {1, "None", false}},
};

TEST(OutputSettingsModel, EveryFormatShowsItsOwnLists) {
    for (const FormatRow& row : kFormatRows) {
        SCOPED_TRACE(testing::Message() << "format " << row.format);
        const OutputSettingsModel model = ModelFor(row.format);
        const ListState format = Fill(model, SettingsList::Format);
        EXPECT_EQ(kOutputFormatCount, format.count);
        EXPECT_EQ(row.format, format.selection);
        EXPECT_TRUE(format.enabled);
        ExpectShown(Fill(model, SettingsList::Quality), row.quality, "quality");
        const ListState video = Fill(model, SettingsList::VideoCodec);
        EXPECT_EQ(std::string(row.videoEntries), Joined(video));
        ExpectShown(video, row.video, "video codec");
        const ListState audio = Fill(model, SettingsList::AudioCodec);
        EXPECT_EQ(std::string(row.audioEntries), Joined(audio));
        ExpectShown(audio, row.audio, "audio codec");
        ExpectShown(Fill(model, SettingsList::Resolution), row.resolution, "resolution");
        ExpectShown(Fill(model, SettingsList::FrameRate), row.frameRate, "frame rate");
        ExpectShown(Fill(model, SettingsList::TvMode), row.tvMode, "tv mode");
        ExpectShown(Fill(model, SettingsList::Aspect), row.aspect, "aspect");
        // Only the MP4, MKV and WebM encoders have a speed to choose.
        const Shown speed = IsConstantQualityFormat(row.format) ? Shown{3, "Smaller file", true}
                                                                : Shown{1, "None", false};
        ExpectShown(Fill(model, SettingsList::Speed), speed, "speed");
        // The same for every format.
        ExpectShown(Fill(model, SettingsList::Simultaneous), {8, "3", true}, "simultaneous");
    }
}

TEST(OutputSettingsModel, FullListsAreTheTablesInOrder) {
    const OutputSettingsModel avi = ModelFor(kFormatAvi);
    EXPECT_EQ("Original|80 x 60|96 x 72|128 x 96|160 x 120|176 x 120|176 x 144|192 x 144|"
              "240 x 180|320 x 200|320 x 240|352 x 240|352 x 288|480 x 272|480 x 480|"
              "480 x 576|624 x 352|640 x 480|720 x 480|720 x 576",
              Joined(Fill(avi, SettingsList::Resolution)));
    EXPECT_EQ("Original|14.985 fps|20.0 fps|23.976 fps|24.0 fps|25.0 fps|29.97 fps|30.0 fps",
              Joined(Fill(avi, SettingsList::FrameRate)));

    const OutputSettingsModel mpeg = ModelFor(kFormatMpeg1);
    EXPECT_EQ("Original|80 x 60|96 x 72|128 x 96|160 x 120|176 x 120|176 x 144|192 x 144|"
              "240 x 180|320 x 200|320 x 240|352 x 240|352 x 288|480 x 480|480 x 576|"
              "640 x 480|720 x 480|720 x 576",
              Joined(Fill(mpeg, SettingsList::Resolution)));
    EXPECT_EQ("Original|23.976 fps|24.0 fps|25.0 fps|29.97 fps|30.0 fps",
              Joined(Fill(mpeg, SettingsList::FrameRate)));
    EXPECT_EQ("1:1    (PC VAG)|4:3    (Standard TV)|16:9   (Wide screen TV)|"
              "2.21:1 (CinemaScope movie)",
              Joined(Fill(mpeg, SettingsList::Aspect)));

    EXPECT_EQ("AVI Format (*.avi)|MPEG1 Format (*.mpg)|MPEG2 Format (*.mpg)|"
              "DivX Format (*.avi)|Xvid Format (*.avi)|VCD compatible MPEG1 Format (*.mpg)|"
              "SVCD compatible MPEG2 Format (*.mpg)|DVD compatible MPEG2 Format (*.vob)|"
              "WMV Format (*.wmv)|ASF Format (*.ASF)|MP4 H.264 Format (*.mp4)|"
              "MKV H.265 Format (*.mkv)|WebM VP9 Format (*.webm)",
              Joined(Fill(avi, SettingsList::Format)));

    const OutputSettingsModel mp4 = ModelFor(kFormatMp4);
    EXPECT_EQ("Original|3840 x 2160|2560 x 1440|1920 x 1080|1280 x 720|960 x 540|854 x 480|"
              "640 x 360",
              Joined(Fill(mp4, SettingsList::Resolution)));
    EXPECT_EQ("Original|23.976 fps|24.0 fps|25.0 fps|29.97 fps|30.0 fps|50.0 fps|59.94 fps|"
              "60.0 fps",
              Joined(Fill(mp4, SettingsList::FrameRate)));
    EXPECT_EQ("Faster|Balanced|Smaller file", Joined(Fill(mp4, SettingsList::Speed)));
    EXPECT_EQ("1.Smallest (quality: CRF 32; audio bitrate: 64kbps)|"
              "2.Small    (quality: CRF 28; audio bitrate: 96kbps)|"
              "3.Normal   (quality: CRF 25; audio bitrate:112kbps)|"
              "4.Good     (quality: CRF 23; audio bitrate:128kbps)|"
              "5.High     (quality: CRF 20; audio bitrate:160kbps)|"
              "6.Best     (quality: CRF 18; audio bitrate:192kbps)",
              Joined(Fill(mp4, SettingsList::Quality)));
    EXPECT_EQ("NTSC|PAL", Joined(Fill(ModelFor(kFormatDvd), SettingsList::TvMode)));
    EXPECT_EQ("29.97 fps|25.0 fps", Joined(Fill(ModelFor(kFormatSvcd), SettingsList::FrameRate)));
    EXPECT_EQ("23.976 fps|25.0 fps", Joined(Fill(ModelFor(kFormatVcd), SettingsList::FrameRate)));
}

TEST(OutputSettingsModel, QualityEntriesFollowTheLayoutRule) {
    const OutputSettingsModel avi = ModelFor(kFormatAvi);
    const ListState list = Fill(avi, SettingsList::Quality);
    EXPECT_STREQ("1.Lowest (video bitrate: 384kbps; audio bitrate: 64kbps)", list.Entry(0));
    EXPECT_STREQ("9.Best   (video bitrate:2500kbps; audio bitrate:224kbps)", list.Entry(8));
    EXPECT_STREQ("7.Better (video bitrate:1250kbps; audio bitrate:160kbps)",
                 Fill(ModelFor(kFormatWmv), SettingsList::Quality).Entry(6));
    // MPEG2 and DVD differ only in the first entry's audio bitrate.
    const ListState mpeg2 = Fill(ModelFor(kFormatMpeg2), SettingsList::Quality);
    const ListState dvd = Fill(ModelFor(kFormatDvd), SettingsList::Quality);
    EXPECT_STREQ("1.Lower  (video bitrate: 800kbps; audio bitrate: 96kbps)", mpeg2.Entry(0));
    EXPECT_STREQ("1.Lower  (video bitrate: 800kbps; audio bitrate:112kbps)", dvd.Entry(0));
    for (int i = 1; i < 6; ++i)
        EXPECT_STREQ(mpeg2.Entry(i), dvd.Entry(i));
}

// Each quality entry must name the bitrates the profile resolves for that
// position, or the list would promise one thing and the encoder get another.
TEST(OutputSettingsModel, QualityEntriesNameTheResolvedBitrates) {
    for (int32_t format = 0; format < 10; ++format) {
        const OutputSettingsModel model = ModelFor(format);
        const ListState list = Fill(model, SettingsList::Quality);
        for (int i = 0; i < list.count; ++i) {
            ConversionSettings s = DistinctSettings();
            s.outputFormat = format;
            *const_cast<int32_t*>(QualityFieldFor(s, format)) = i;
            EncoderProfile profile;
            ResolveBitrates(s, profile);
            char tail[64];
            snprintf(tail, sizeof tail, "(video bitrate:%4ldkbps; audio bitrate:%3ldkbps)",
                     static_cast<long>(profile.videoKbps), static_cast<long>(profile.audioKbps));
            EXPECT_NE(nullptr, strstr(list.Entry(i), tail))
                << "format " << format << ": " << list.Entry(i);
            EXPECT_EQ(i + 1, atoi(list.Entry(i)));
            EXPECT_EQ(56u, strlen(list.Entry(i))) << list.Entry(i);
        }
    }
}

// Which copy field a selection in each list reaches, per format; nullptr
// means the list is fixed and stores nothing.
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
                  kRefillFrameRate | kRefillAspect | kRefillSpeed,
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
    for (int32_t format : {13, 99, -1, INT_MIN}) {
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

} // namespace
