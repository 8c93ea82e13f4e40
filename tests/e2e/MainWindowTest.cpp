// The real Tarvello.exe with the real encoder and FFmpeg, driven from outside:
// import (with a file that cannot be read), reordering, removal, conversion to
// DVD PAL checked by ffprobe, and what option.ini holds after Escape.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "res/resource.h"
#include "tests/e2e/EncoderHarness.h"
#include "tests/e2e/MainDriver.h"
#include "tests/win/support/WinTestSupport.h"

namespace {

using e2e::Tarvello;

const char kClipA[] = "clip-640x480-25fps.avi";   // 3 s
const char kClipB[] = "clip-720x400-25fps.avi";   // 2 s
const char kClipC[] = "clip-320x240-noaudio.avi"; // 2 s, no audio
const char kNotVideo[] = "text.avi";

std::string CopyClips(const e2e::ProgramCopy& copy) {
    std::string folder = copy.Root() + "clips\\";
    CreateDirectoryA(folder.c_str(), nullptr);
    for (const char* name : {kClipA, kClipB, kClipC, kNotVideo}) {
        CopyFileA(e2e::ClipPath(name).c_str(), (folder + name).c_str(), FALSE);
    }
    return folder;
}

std::vector<std::string> Numbers(int count) {
    std::vector<std::string> numbers;
    for (int i = 1; i <= count; ++i)
        numbers.push_back("          " + std::to_string(i));
    return numbers;
}

TEST(MainWindow, ImportReorderRemoveConvertAndClose) {
    e2e::ProgramCopy copy("import_convert");
    ASSERT_TRUE(copy.ok());
    copy.SuppressStartupTip();
    copy.SetOption("Output format", "7"); // DVD
    copy.SetOption("TV mode", "1");       // PAL
    copy.SetOption("Temporary folder", copy.OutFolder());
    const std::string clips = CopyClips(copy);

    Tarvello app;
    ASSERT_TRUE(app.Start(copy));
    ASSERT_NE(nullptr, app.WaitMainWindow());
    wintest::PumpMessagesFor(300);
    e2e::SaveShot(app.Main(), "main-empty");
    EXPECT_EQ(0, app.RowCount());

    // Three files, the second not a video: two rows and one box afterwards.
    ASSERT_TRUE(app.ImportThroughDialog(clips, {kClipA, kNotVideo, kClipB}));
    HWND box = app.WaitDialog("Tarvello", 60000);
    ASSERT_NE(nullptr, box);
    EXPECT_EQ("Load file " + clips + kNotVideo + " failed.", e2e::BoxText(box));
    EXPECT_EQ(2, app.RowCount()); // the rows are in before the report
    e2e::Answer(box, IDOK);
    EXPECT_EQ(nullptr, app.WaitDialog("Tarvello", 500)) << "only one failure box";
    EXPECT_EQ(Numbers(2), app.Column(0));
    EXPECT_EQ((std::vector<std::string>{clips + kClipA, clips + kClipB}), app.Column(1));
    EXPECT_EQ((std::vector<std::string>{"00:00:03", "00:00:02"}), app.Column(2));

    ASSERT_TRUE(app.ImportThroughDialog(clips, {kClipC}));
    ASSERT_TRUE(app.WaitRowCount(3));
    EXPECT_EQ(Numbers(3), app.Column(0));
    wintest::PumpMessagesFor(200);
    e2e::SaveShot(app.Main(), "main-with-files");

    // Down from the first row, then up from the last: numbers stay, files move.
    app.SelectRow(0);
    app.Send(IDC_LIST_DOWN);
    EXPECT_EQ((std::vector<std::string>{clips + kClipB, clips + kClipA, clips + kClipC}),
              app.Column(1));
    EXPECT_EQ((std::vector<std::string>{"00:00:02", "00:00:03", "00:00:02"}), app.Column(2));
    EXPECT_EQ(1, app.SelectedRow());
    app.SelectRow(2);
    app.Send(ID_LIST_MOVE_UP);
    EXPECT_EQ((std::vector<std::string>{clips + kClipB, clips + kClipC, clips + kClipA}),
              app.Column(1));
    EXPECT_EQ(1, app.SelectedRow());
    EXPECT_EQ(Numbers(3), app.Column(0));

    // Moving without a selection warns.
    app.SelectRow(-1);
    app.Post(IDC_LIST_UP);
    HWND warning = app.WaitDialog("Warning");
    ASSERT_NE(nullptr, warning);
    EXPECT_EQ("No item was selected!", e2e::BoxText(warning));
    e2e::Answer(warning, IDOK);

    // Removing the first row renumbers and selects the row that took its place.
    app.SelectRow(0);
    app.Send(IDC_LIST_REMOVE);
    EXPECT_EQ(Numbers(2), app.Column(0));
    EXPECT_EQ((std::vector<std::string>{clips + kClipC, clips + kClipA}), app.Column(1));
    EXPECT_EQ((std::vector<std::string>{"00:00:02", "00:00:03"}), app.Column(2));
    EXPECT_EQ(0, app.SelectedRow());

    // Convert: the progress dialog shows, then the summary.
    app.Post(IDC_CONVERT);
    HWND progress = app.WaitProgressDialog();
    ASSERT_NE(nullptr, progress);
    // A picture with some progress on it, when the run lasts long enough.
    HWND bar = GetDlgItem(progress, IDC_PROGRESS_BAR);
    for (int i = 0;
         i < 200 && IsWindowVisible(progress) && SendMessageA(bar, PBM_GETPOS, 0, 0) == 0; ++i) {
        wintest::PumpMessagesFor(25);
    }
    e2e::SaveShot(progress, "progress");
    HWND summary = app.WaitDialog("Tarvello", 180000);
    ASSERT_NE(nullptr, summary);
    EXPECT_EQ(0u, e2e::BoxText(summary).find("Mission accomplished! Total Time:"))
        << e2e::BoxText(summary);
    EXPECT_FALSE(IsWindowEnabled(app.Main()));
    e2e::Answer(summary, IDOK);
    EXPECT_TRUE(IsWindowEnabled(app.Main()));

    const std::string outC = copy.OutFolder() + "clip-320x240-noaudio.vob";
    const std::string outA = copy.OutFolder() + "clip-640x480-25fps.vob";
    for (const std::string& out : {outC, outA}) {
        auto facts = e2e::DescribeMedia(out);
        EXPECT_EQ("mpeg", facts["format"]) << out;
        EXPECT_EQ("mpeg2video", facts["v.codec_name"]) << out;
        EXPECT_EQ("720", facts["v.width"]) << out;
        EXPECT_EQ("576", facts["v.height"]) << out;
        EXPECT_EQ(25.0, e2e::ParseRate(facts["v.r_frame_rate"])) << out;
    }
    auto withAudio = e2e::DescribeMedia(outA);
    EXPECT_EQ("ac3", withAudio["a.codec_name"]);
    EXPECT_EQ("48000", withAudio["a.sample_rate"]);
    // The sources are untouched.
    EXPECT_EQ("720", e2e::DescribeMedia(clips + kClipB)["v.width"]);

    // Escape ends the program; option.ini holds the values of that moment.
    app.Post(IDCANCEL);
    ASSERT_TRUE(app.WaitExit());
    EXPECT_EQ("7", copy.Option("Output format"));
    EXPECT_EQ("1", copy.Option("TV mode"));
    EXPECT_EQ(copy.OutFolder(), copy.Option("Temporary folder"));
}

} // namespace
