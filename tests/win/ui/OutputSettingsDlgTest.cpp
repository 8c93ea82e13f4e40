// The Output Settings dialog created from its template and driven by the
// notifications its controls would send.
#include "ui/OutputSettingsDlg.h"

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "core/ConversionSettings.h"
#include "core/TargetSizeChoices.h"
#include "res/resource.h"
#include "tests/win/support/WinTestSupport.h"

namespace {

const int kListIds[] = {IDC_SET_FORMAT,      IDC_SET_QUALITY,    IDC_SET_VIDEO_CODEC,
                        IDC_SET_AUDIO_CODEC, IDC_SET_RESOLUTION, IDC_SET_FRAME_RATE,
                        IDC_SET_TV_MODE,     IDC_SET_ASPECT,     IDC_SET_SPEED,
                        IDC_SET_SIMULTANEOUS, IDC_SET_SAMPLE_RATE};
const SettingsList kLists[] = {SettingsList::Format,     SettingsList::Quality,
                               SettingsList::VideoCodec, SettingsList::AudioCodec,
                               SettingsList::Resolution, SettingsList::FrameRate,
                               SettingsList::TvMode,     SettingsList::Aspect,
                               SettingsList::Speed,      SettingsList::Simultaneous,
                               SettingsList::SampleRate};

// What a combo box shows.
struct Combo {
    std::vector<std::string> entries;
    int selection;
    bool enabled;

    std::string Selected() const {
        return selection >= 0 && selection < (int)entries.size() ? entries[selection] : "(none)";
    }
};

Combo ReadCombo(HWND dlg, int id) {
    HWND combo = GetDlgItem(dlg, id);
    Combo c;
    const int count = (int)SendMessageA(combo, CB_GETCOUNT, 0, 0);
    for (int i = 0; i < count; ++i) {
        char text[256] = "";
        SendMessageA(combo, CB_GETLBTEXT, i, (LPARAM)text);
        c.entries.push_back(text);
    }
    c.selection = (int)SendMessageA(combo, CB_GETCURSEL, 0, 0);
    c.enabled = IsWindowEnabled(combo) != FALSE;
    return c;
}

// Selects entry `position` the way the user does: the list changes, then
// the dialog hears CBN_SELCHANGE.
void Choose(HWND dlg, int id, int position) {
    HWND combo = GetDlgItem(dlg, id);
    SendMessageA(combo, CB_SETCURSEL, position, 0);
    SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), (LPARAM)combo);
}

// Moves the track bar thumb and sends the scroll code the drag would send.
void Slide(HWND dlg, int position, UINT code) {
    HWND bar = GetDlgItem(dlg, IDC_SET_VOLUME);
    SendMessageA(bar, TBM_SETPOS, TRUE, position);
    SendMessageA(dlg, WM_HSCROLL, MAKEWPARAM(code, position), (LPARAM)bar);
}

std::string VolumeLabel(HWND dlg) {
    return wintest::WindowText(GetDlgItem(dlg, IDC_SET_VOLUME_TEXT));
}

bool Same(const ConversionSettings& a, const ConversionSettings& b) {
    return memcmp(&a, &b, sizeof a) == 0;
}

class OutputSettingsDlgTest : public testing::Test {
protected:
    void Open(int32_t format) {
        settings.outputFormat = format;
        Open();
    }
    void Open() {
        dialog.reset(new COutputSettingsDlg(settings));
        ASSERT_TRUE(dialog->Create(IDD_OUTPUT_SETTINGS));
        dlg = dialog->m_hWnd;
    }
    void TearDown() override { dialog.reset(); }

    // Every list of the dialog equals what the model gives for `copy`.
    void ExpectListsOf(const OutputSettingsCopy& copy) {
        OutputSettingsModel model(COutputSettingsDlg::LogicalProcessors());
        model.Copy() = copy;
        for (size_t i = 0; i < sizeof kLists / sizeof kLists[0]; ++i) {
            SCOPED_TRACE(testing::Message() << "list " << kListIds[i]);
            ListState expected;
            model.Fill(kLists[i], &expected);
            const Combo shown = ReadCombo(dlg, kListIds[i]);
            ASSERT_EQ(expected.count, (int)shown.entries.size());
            for (int e = 0; e < expected.count; ++e)
                EXPECT_EQ(expected.Entry(e), shown.entries[e]);
            EXPECT_EQ(expected.selection, shown.selection);
            if (kLists[i] != SettingsList::Format) {
                EXPECT_EQ(expected.enabled, shown.enabled);
            }
        }
    }

    ConversionSettings settings;
    std::unique_ptr<COutputSettingsDlg> dialog;
    HWND dlg = nullptr;
};

TEST_F(OutputSettingsDlgTest, EveryFormatShowsTheModelsLists) {
    settings.tvMode = 1;
    settings.aviQuality = 7;
    settings.aviResolution = 13;
    settings.mpegResolution = 13;
    settings.dvdAudioCodec = 1;
    settings.mp4Quality = 5;
    settings.mp4Speed = 0;
    for (int32_t format = 0; format < kOutputFormatCount; ++format) {
        SCOPED_TRACE(format);
        Open(format);
        EXPECT_TRUE(dialog->WorkingCopy().outputFormat == format);
        ExpectListsOf(dialog->WorkingCopy());
    }
}

TEST_F(OutputSettingsDlgTest, DvdInPalShowsItsFixedSizeAndRate) {
    settings.tvMode = 1;
    settings.dvdQuality = 2;
    Open(kFormatDvd);
    const Combo tv = ReadCombo(dlg, IDC_SET_TV_MODE);
    EXPECT_EQ("PAL", tv.Selected());
    EXPECT_TRUE(tv.enabled);
    const Combo size = ReadCombo(dlg, IDC_SET_RESOLUTION);
    EXPECT_EQ("720 x 576", size.Selected());
    EXPECT_FALSE(size.enabled);
    const Combo rate = ReadCombo(dlg, IDC_SET_FRAME_RATE);
    EXPECT_EQ("25.0 fps", rate.Selected());
    EXPECT_FALSE(rate.enabled);
    const Combo quality = ReadCombo(dlg, IDC_SET_QUALITY);
    EXPECT_EQ(6u, quality.entries.size());
    EXPECT_EQ(2, quality.selection);
    EXPECT_EQ("AC3", ReadCombo(dlg, IDC_SET_AUDIO_CODEC).entries.at(0));
}

TEST_F(OutputSettingsDlgTest, TvModeMovesTheVcdSizeAndRateAtOnce) {
    Open(kFormatVcd);
    Choose(dlg, IDC_SET_TV_MODE, 1);
    EXPECT_EQ("352 x 288", ReadCombo(dlg, IDC_SET_RESOLUTION).Selected());
    EXPECT_EQ("25.0 fps", ReadCombo(dlg, IDC_SET_FRAME_RATE).Selected());
    Choose(dlg, IDC_SET_TV_MODE, 0);
    EXPECT_EQ("352 x 240", ReadCombo(dlg, IDC_SET_RESOLUTION).Selected());
    EXPECT_EQ("23.976 fps", ReadCombo(dlg, IDC_SET_FRAME_RATE).Selected());
}

TEST_F(OutputSettingsDlgTest, FormatsOfAFamilyShareTheirChoices) {
    Open(kFormatAvi);
    Choose(dlg, IDC_SET_QUALITY, 1);
    Choose(dlg, IDC_SET_RESOLUTION, 16);
    Choose(dlg, IDC_SET_FRAME_RATE, 5);
    Choose(dlg, IDC_SET_AUDIO_CODEC, 1);
    Choose(dlg, IDC_SET_FORMAT, kFormatDivx);
    EXPECT_EQ(1, ReadCombo(dlg, IDC_SET_QUALITY).selection);
    EXPECT_EQ("624 x 352", ReadCombo(dlg, IDC_SET_RESOLUTION).Selected());
    EXPECT_EQ("25.0 fps", ReadCombo(dlg, IDC_SET_FRAME_RATE).Selected());
    EXPECT_EQ("MP3", ReadCombo(dlg, IDC_SET_AUDIO_CODEC).Selected()); // DivX's own
    const Combo video = ReadCombo(dlg, IDC_SET_VIDEO_CODEC);
    EXPECT_EQ(std::vector<std::string>{"Divx"}, video.entries);
    EXPECT_FALSE(video.enabled);

    // MPEG2 and SVCD keep separate qualities.
    Choose(dlg, IDC_SET_FORMAT, kFormatMpeg2);
    Choose(dlg, IDC_SET_QUALITY, 5);
    Choose(dlg, IDC_SET_FORMAT, kFormatSvcd);
    EXPECT_EQ(settings.svcdQuality, ReadCombo(dlg, IDC_SET_QUALITY).selection);

    // WMV and ASF share the quality, not the audio codec.
    Choose(dlg, IDC_SET_FORMAT, kFormatWmv);
    Choose(dlg, IDC_SET_QUALITY, 2);
    Choose(dlg, IDC_SET_AUDIO_CODEC, 0);
    Choose(dlg, IDC_SET_FORMAT, kFormatAsf);
    EXPECT_EQ(2, ReadCombo(dlg, IDC_SET_QUALITY).selection);
    EXPECT_EQ("WMAv2", ReadCombo(dlg, IDC_SET_AUDIO_CODEC).Selected());
    ExpectListsOf(dialog->WorkingCopy());
}

// MP4, MKV and WebM share their choices; switching to them and back leaves
// the older formats' lists as they were, and Ok commits the new keys.
TEST_F(OutputSettingsDlgTest, NewFormatsShareTheirListsAndCommitThem) {
    Open(kFormatDvd);
    const Combo dvdQuality = ReadCombo(dlg, IDC_SET_QUALITY);
    Choose(dlg, IDC_SET_FORMAT, kFormatMp4);
    EXPECT_EQ("Balanced", ReadCombo(dlg, IDC_SET_SPEED).Selected());
    EXPECT_TRUE(ReadCombo(dlg, IDC_SET_SPEED).enabled);
    EXPECT_FALSE(ReadCombo(dlg, IDC_SET_TV_MODE).enabled);
    EXPECT_FALSE(ReadCombo(dlg, IDC_SET_ASPECT).enabled);
    Choose(dlg, IDC_SET_QUALITY, 5);
    Choose(dlg, IDC_SET_RESOLUTION, 4);
    Choose(dlg, IDC_SET_FRAME_RATE, 7);
    Choose(dlg, IDC_SET_SPEED, 2);
    Choose(dlg, IDC_SET_FORMAT, kFormatWebm);
    EXPECT_EQ("6.Best     (quality: CRF 24; audio bitrate:192kbps)",
              ReadCombo(dlg, IDC_SET_QUALITY).Selected());
    EXPECT_EQ("1280 x 720", ReadCombo(dlg, IDC_SET_RESOLUTION).Selected());
    EXPECT_EQ("59.94 fps", ReadCombo(dlg, IDC_SET_FRAME_RATE).Selected());
    EXPECT_EQ("Smaller file", ReadCombo(dlg, IDC_SET_SPEED).Selected());
    EXPECT_EQ("Opus", ReadCombo(dlg, IDC_SET_AUDIO_CODEC).Selected());
    Choose(dlg, IDC_SET_FORMAT, kFormatDvd);
    const Combo back = ReadCombo(dlg, IDC_SET_QUALITY);
    EXPECT_EQ(dvdQuality.entries, back.entries);
    EXPECT_EQ(dvdQuality.selection, back.selection);
    EXPECT_EQ("None", ReadCombo(dlg, IDC_SET_SPEED).Selected());
    EXPECT_FALSE(ReadCombo(dlg, IDC_SET_SPEED).enabled);
    Choose(dlg, IDC_SET_FORMAT, kFormatMkv);
    SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), (LPARAM)GetDlgItem(dlg, IDOK));

    ConversionSettings expected = ConversionSettings();
    expected.outputFormat = kFormatMkv;
    expected.mp4Quality = 5;
    expected.mp4Resolution = 4;
    expected.mp4FrameRate = 7;
    expected.mp4Speed = 2;
    EXPECT_TRUE(Same(expected, settings));
}

// Eight counts, this machine's marked; a format change leaves the pick
// alone and Ok stores it.
TEST_F(OutputSettingsDlgTest, SimultaneousListKeepsItsPickAcrossFormats) {
    settings.simultaneousConversions = 3;
    Open(kFormatAvi);
    const Combo shown = ReadCombo(dlg, IDC_SET_SIMULTANEOUS);
    ASSERT_EQ(8u, shown.entries.size());
    EXPECT_EQ("3", shown.Selected());
    EXPECT_TRUE(shown.enabled);
    const int cores = COutputSettingsDlg::LogicalProcessors();
    if (cores >= 1 && cores <= 8) {
        EXPECT_EQ(std::to_string(cores) + " (this computer's cores)", shown.entries[cores - 1]);
    }
    Choose(dlg, IDC_SET_SIMULTANEOUS, 5);
    Choose(dlg, IDC_SET_FORMAT, kFormatMp4);
    EXPECT_EQ(5, ReadCombo(dlg, IDC_SET_SIMULTANEOUS).selection);
    EXPECT_EQ(3, settings.simultaneousConversions); // nothing before Ok
    SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), (LPARAM)GetDlgItem(dlg, IDOK));
    EXPECT_EQ(6, settings.simultaneousConversions);
}

TEST_F(OutputSettingsDlgTest, SizeListFollowsTheFormatAndOkCommitsIt) {
    settings.targetSizeKb = 12500; // a value of its own, not in the list
    Open(kFormatMp4);
    Combo size = ReadCombo(dlg, IDC_SET_TARGET_SIZE);
    ASSERT_EQ(11u, size.entries.size());
    EXPECT_EQ("12.5 MB", size.Selected());
    EXPECT_TRUE(size.enabled);
    EXPECT_TRUE(ReadCombo(dlg, IDC_SET_TARGET_APPLIES).enabled);
    EXPECT_EQ(kTargetQualityNote, wintest::WindowText(GetDlgItem(dlg, IDC_SET_TARGET_NOTE)));
    Choose(dlg, IDC_SET_FORMAT, kFormatVcd);
    EXPECT_FALSE(ReadCombo(dlg, IDC_SET_TARGET_SIZE).enabled);
    EXPECT_FALSE(ReadCombo(dlg, IDC_SET_TARGET_APPLIES).enabled);
    Choose(dlg, IDC_SET_FORMAT, kFormatDvd);
    Choose(dlg, IDC_SET_TARGET_SIZE, 7); // "4.7 GB (DVD)"
    size = ReadCombo(dlg, IDC_SET_TARGET_SIZE);
    EXPECT_EQ(10u, size.entries.size());
    EXPECT_EQ("4.7 GB (DVD)", size.Selected());
    Choose(dlg, IDC_SET_TARGET_APPLIES, 1);
    EXPECT_EQ(12500, settings.targetSizeKb); // nothing before Ok
    SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), (LPARAM)GetDlgItem(dlg, IDOK));
    EXPECT_EQ(4700000, settings.targetSizeKb);
    EXPECT_EQ(1, settings.targetAppliesTo);
}

// The tip the dialog's tooltip holds for control `id`.
std::string TipOf(HWND dlg, int id) {
    HWND tip = nullptr;
    for (HWND w = nullptr; (w = FindWindowExA(nullptr, w, TOOLTIPS_CLASSA, nullptr)) != nullptr;)
        if (GetWindow(w, GW_OWNER) == dlg)
            tip = w;
    char text[1024] = "";
    TTTOOLINFOA info = {};
    info.cbSize = TTTOOLINFOA_V2_SIZE;
    info.hwnd = dlg;
    info.uId = (UINT_PTR)id;
    info.lpszText = text;
    SendMessageA(tip, TTM_GETTEXTA, sizeof text, (LPARAM)&info);
    return text;
}

TEST_F(OutputSettingsDlgTest, ControlsThatDoNotApplyAreDisabledWithTheirReason) {
    const struct {
        int32_t format;
        bool picture, volume, sampleRate;
    } rows[] = {{kFormatMp3, false, true, true},
                {kFormatMkvCopy, false, false, false},
                {kFormatAvi, true, true, false}};
    Open(kFormatDvd);
    for (const auto& row : rows) {
        SCOPED_TRACE(row.format);
        Choose(dlg, IDC_SET_FORMAT, row.format); // the switches follow the format
        for (int id : {IDC_SET_RESOLUTION, IDC_SET_LETTERBOX}) {
            EXPECT_EQ(row.picture, IsWindowEnabled(GetDlgItem(dlg, id)) != FALSE) << id;
            EXPECT_EQ(row.picture, TipOf(dlg, id).empty()) << id;
        }
        EXPECT_EQ(row.volume, IsWindowEnabled(GetDlgItem(dlg, IDC_SET_VOLUME)) != FALSE);
        EXPECT_EQ(row.volume, TipOf(dlg, IDC_SET_VOLUME).empty());
        EXPECT_EQ(row.sampleRate, TipOf(dlg, IDC_SET_SAMPLE_RATE).empty());
    }
    Choose(dlg, IDC_SET_FORMAT, kFormatM4a);
    Choose(dlg, IDC_SET_QUALITY, 5);
    Choose(dlg, IDC_SET_SAMPLE_RATE, 2);
    SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), (LPARAM)GetDlgItem(dlg, IDOK));
    EXPECT_EQ(5, settings.m4aBitrate);
    EXPECT_EQ(2, settings.audioSampleRate);
}

TEST_F(OutputSettingsDlgTest, VolumeLabelFollowsTheThumb) {
    const struct {
        int volume;
        const char* text;
    } rows[] = {{0, "-20db"}, {19, "-1db"}, {20, "+0db"}, {40, "+20db"}};
    for (const auto& row : rows) {
        settings.volume = row.volume;
        Open(kFormatAvi);
        EXPECT_EQ(row.text, VolumeLabel(dlg));
        EXPECT_EQ(row.volume, (int)SendDlgItemMessageA(dlg, IDC_SET_VOLUME, TBM_GETPOS, 0, 0));
    }
    HWND bar = GetDlgItem(dlg, IDC_SET_VOLUME);
    EXPECT_EQ(0, (int)SendMessageA(bar, TBM_GETRANGEMIN, 0, 0));
    EXPECT_EQ(40, (int)SendMessageA(bar, TBM_GETRANGEMAX, 0, 0));

    Slide(dlg, 33, TB_THUMBTRACK); // while dragging
    EXPECT_EQ("+13db", VolumeLabel(dlg));
    Slide(dlg, 5, TB_LINEUP);
    EXPECT_EQ("-15db", VolumeLabel(dlg));
    EXPECT_EQ(5, dialog->WorkingCopy().volume);

    // Scrolling that does not come from the track bar is not the volume.
    SendMessageA(dlg, WM_HSCROLL, MAKEWPARAM(TB_THUMBTRACK, 30), 0);
    EXPECT_EQ("-15db", VolumeLabel(dlg));
    EXPECT_EQ(5, dialog->WorkingCopy().volume);
}

TEST_F(OutputSettingsDlgTest, OkCommitsEveryChangedChoice) {
    settings.letterbox = 1;
    SetOutputFolder(settings, "D:\\out\\");
    Open(kFormatAvi);
    const ConversionSettings before = settings;
    Choose(dlg, IDC_SET_QUALITY, 8);
    Choose(dlg, IDC_SET_VIDEO_CODEC, 1);
    Choose(dlg, IDC_SET_FORMAT, kFormatDvd);
    Choose(dlg, IDC_SET_QUALITY, 0);
    Choose(dlg, IDC_SET_TV_MODE, 1);
    Choose(dlg, IDC_SET_ASPECT, 0);
    Choose(dlg, IDC_SET_AUDIO_CODEC, 1);
    Choose(dlg, IDC_SET_FORMAT, kFormatAsf);
    Choose(dlg, IDC_SET_VIDEO_CODEC, 1);
    Slide(dlg, 31, TB_ENDTRACK);
    SendDlgItemMessageA(dlg, IDC_SET_LETTERBOX, BM_CLICK, 0, 0);

    ConversionSettings expected = settings;
    expected.outputFormat = kFormatAsf;
    expected.aviQuality = 8;
    expected.aviVideoCodec = 1;
    expected.dvdQuality = 0;
    expected.tvMode = 1;
    expected.dvdAspect = 0;
    expected.dvdAudioCodec = 1;
    expected.asfVideoCodec = 1;
    expected.volume = 31;
    expected.letterbox = 0;
    EXPECT_TRUE(Same(before, settings)); // nothing reaches the settings before Ok
    SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), (LPARAM)GetDlgItem(dlg, IDOK));
    EXPECT_TRUE(Same(expected, settings));
    EXPECT_STREQ("D:\\out\\", settings.outputFolder);
}

TEST_F(OutputSettingsDlgTest, OutOfRangePositionsSurviveOk) {
    settings.aviQuality = 40;
    settings.aviResolution = -2;
    settings.volume = 55;
    settings.letterbox = 0;
    Open(kFormatAvi);
    EXPECT_EQ(-1, ReadCombo(dlg, IDC_SET_QUALITY).selection);
    EXPECT_EQ(-1, ReadCombo(dlg, IDC_SET_RESOLUTION).selection);
    EXPECT_EQ("+20db", VolumeLabel(dlg)); // the slider's end, the gain a conversion gets
    const ConversionSettings before = settings;
    SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), (LPARAM)GetDlgItem(dlg, IDOK));
    EXPECT_TRUE(Same(before, settings));
}

TEST_F(OutputSettingsDlgTest, UnknownFormatOpensEmptyAndRecovers) {
    settings.aviResolution = 16;
    Open(kOutputFormatCount);
    EXPECT_EQ(-1, ReadCombo(dlg, IDC_SET_FORMAT).selection);
    EXPECT_EQ(static_cast<size_t>(kOutputFormatCount),
              ReadCombo(dlg, IDC_SET_FORMAT).entries.size());
    for (int id : {IDC_SET_QUALITY, IDC_SET_VIDEO_CODEC, IDC_SET_AUDIO_CODEC, IDC_SET_FRAME_RATE}) {
        EXPECT_TRUE(ReadCombo(dlg, id).entries.empty()) << id;
    }
    for (int id : {IDC_SET_TV_MODE, IDC_SET_ASPECT}) {
        const Combo c = ReadCombo(dlg, id);
        EXPECT_EQ("None", c.Selected()) << id;
        EXPECT_FALSE(c.enabled) << id;
    }
    const Combo size = ReadCombo(dlg, IDC_SET_RESOLUTION);
    EXPECT_EQ(20u, size.entries.size());
    EXPECT_EQ("624 x 352", size.Selected());

    Choose(dlg, IDC_SET_FORMAT, kFormatMpeg1);
    ExpectListsOf(dialog->WorkingCopy());
    EXPECT_EQ(5u, ReadCombo(dlg, IDC_SET_QUALITY).entries.size());
}

// Runs the dialog modally while `drive` works it from another thread; returns
// what DoModal returned.
INT_PTR RunModal(COutputSettingsDlg& dialog, std::function<void(HWND)> drive) {
    std::thread driver([&] {
        HWND dlg = wintest::FindWindowWait("Output Settings");
        // The window exists before its initialisation has run; the modal loop
        // shows it only afterwards. (The wait is a safety net, not a timing.)
        for (int i = 0; dlg != nullptr && !IsWindowVisible(dlg) && i < 1000; ++i)
            Sleep(10);
        if (dlg != nullptr)
            drive(dlg);
    });
    const INT_PTR result = dialog.DoModal();
    driver.join();
    return result;
}

TEST(OutputSettingsDlgModal, CancelEscapeAndCloseCommitNothing) {
    const std::function<void(HWND)> endings[] = {
        [](HWND dlg) {
            PostMessageA(dlg, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                         (LPARAM)GetDlgItem(dlg, IDCANCEL));
        },
        [](HWND dlg) { PostMessageA(GetDlgItem(dlg, IDC_SET_FORMAT), WM_KEYDOWN, VK_ESCAPE, 0); },
        [](HWND dlg) { PostMessageA(dlg, WM_CLOSE, 0, 0); },
    };
    for (const auto& end : endings) {
        ConversionSettings settings;
        settings.outputFormat = kFormatWmv;
        const ConversionSettings before = settings;
        COutputSettingsDlg dialog(settings);
        const INT_PTR result = RunModal(dialog, [&](HWND dlg) {
            Choose(dlg, IDC_SET_QUALITY, 0);
            Choose(dlg, IDC_SET_FORMAT, kFormatAvi);
            Choose(dlg, IDC_SET_AUDIO_CODEC, 1);
            Choose(dlg, IDC_SET_SIMULTANEOUS, 7);
            Slide(dlg, 2, TB_THUMBPOSITION);
            SendDlgItemMessageA(dlg, IDC_SET_LETTERBOX, BM_CLICK, 0, 0);
            end(dlg);
        });
        EXPECT_EQ(IDCANCEL, result);
        EXPECT_TRUE(Same(before, settings));
    }
}

TEST(OutputSettingsDlgModal, OkReturnsIdokWithTheChoices) {
    ConversionSettings settings;
    COutputSettingsDlg dialog(settings);
    const INT_PTR result = RunModal(dialog, [](HWND dlg) {
        Choose(dlg, IDC_SET_FORMAT, kFormatXvid);
        Choose(dlg, IDC_SET_AUDIO_CODEC, 1);
        PostMessageA(dlg, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), (LPARAM)GetDlgItem(dlg, IDOK));
    });
    EXPECT_EQ(IDOK, result);
    EXPECT_EQ(kFormatXvid, settings.outputFormat);
    EXPECT_EQ(1, settings.xvidAudioCodec);
    EXPECT_EQ(0, settings.aviAudioCodec);
}

TEST_F(OutputSettingsDlgTest, Screenshots) {
    const struct {
        int32_t format;
        const char* name;
    } shots[] = {{kFormatAvi, "avi"},   {kFormatDvd, "dvd"},
                 {kFormatWmv, "wmv"},   {kFormatMp4, "mp4"},
                 {kFormatMkv, "mkv"},   {kFormatWebm, "webm"},
                 {kFormatMp3, "mp3"},   {kFormatMp4Copy, "mp4-kept"}};
    for (const auto& shot : shots) {
        Open(shot.format);
        ShowWindow(dlg, SW_SHOW);
        wintest::PumpMessagesFor(300);
        const std::string path = wintest::EnvPath(
            "TARVELLO_BUILD_DIR",
            (std::string("screenshots\\output-settings-") + shot.name + ".bmp").c_str());
        EXPECT_TRUE(wintest::SaveWindowScreenshot(dlg, path.c_str())) << path;
    }
}

} // namespace
