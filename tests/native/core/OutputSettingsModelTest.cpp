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
              "MKV H.265 Format (*.mkv)|WebM VP9 Format (*.webm)|MP3 audio (*.mp3)|"
              "M4A audio, AAC (*.m4a)|FLAC audio, lossless (*.flac)|"
              "MP4, streams kept as they are (*.mp4)|MKV, streams kept as they are (*.mkv)",
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

} // namespace
