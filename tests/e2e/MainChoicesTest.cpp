// The main window's format, TV mode and aspect lists, the Output Settings
// dialog's effect on them, and which values option.ini keeps at exit.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/OutputFormat.h"
#include "res/resource.h"
#include "tests/e2e/MainDriver.h"
#include "tests/win/support/WinTestSupport.h"

namespace {

using e2e::Tarvello;

std::vector<std::string> Entries(const Tarvello& app, int id) {
    std::vector<std::string> entries;
    for (int i = 0; i < app.EntryCount(id); ++i)
        entries.push_back(app.Entry(id, i));
    return entries;
}

// Opens Output Settings with `button`, picks `format` there and closes the
// dialog with `answer` (IDOK or IDCANCEL). False when the dialog did not open.
bool PickFormatInOutputSettings(const Tarvello& app, int button, int format, int answer) {
    app.Post(button);
    HWND settings = app.WaitDialog("Output Settings");
    if (settings == nullptr)
        return false;
    HWND list = GetDlgItem(settings, IDC_SET_FORMAT);
    SendMessageA(list, CB_SETCURSEL, static_cast<WPARAM>(format), 0);
    SendMessageA(settings, WM_COMMAND, MAKEWPARAM(IDC_SET_FORMAT, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(list));
    e2e::Answer(settings, answer);
    return true;
}

const std::vector<std::string> kMpegAspects = {"1:1    (PC VAG)", "4:3    (Standard TV)",
                                               "16:9   (Wide screen TV)",
                                               "2.21:1 (CinemaScope movie)"};
const std::vector<std::string> kTvAspects = {"4:3    (Standard TV)", "16:9   (Wide screen TV)"};

TEST(MainWindowChoices, ListsFollowTheFormatAndOptionIniKeepsTheChoices) {
    e2e::ProgramCopy copy("choices");
    ASSERT_TRUE(copy.ok());
    copy.SuppressStartupTip();

    Tarvello app;
    ASSERT_TRUE(app.Start(copy));
    ASSERT_NE(nullptr, app.WaitMainWindow());

    // Defaults: MPEG2, the four MPEG shapes with 16:9 chosen, no TV mode.
    EXPECT_EQ(kOutputFormatCount, app.EntryCount(IDC_MAIN_FORMAT));
    EXPECT_EQ("DVD compatible MPEG2 Format (*.vob)", app.Entry(IDC_MAIN_FORMAT, 7));
    EXPECT_EQ(2, app.Selection(IDC_MAIN_FORMAT));
    EXPECT_EQ(kMpegAspects, Entries(app, IDC_MAIN_ASPECT));
    EXPECT_EQ(2, app.Selection(IDC_MAIN_ASPECT));
    EXPECT_TRUE(IsWindowEnabled(app.Item(IDC_MAIN_ASPECT)));
    EXPECT_FALSE(IsWindowEnabled(app.Item(IDC_MAIN_TV_MODE)));
    EXPECT_EQ(0, app.Selection(IDC_MAIN_TV_MODE));

    struct Step {
        int format;
        std::vector<std::string> aspects;
        int aspect; // selection shown
        bool tvEnabled;
        bool aspectEnabled;
    };
    const Step steps[] = {
        {7, kTvAspects, 1, true, true},    // DVD: dvdAspect
        {0, kTvAspects, 1, false, false},  // AVI: both off, still showing dvdAspect
        {1, kMpegAspects, 2, false, true}, // MPEG1: mpegAspect
        {5, kTvAspects, 1, true, true},    // VCD
        {8, kTvAspects, 1, false, false},  // WMV
        {6, kTvAspects, 1, true, true},    // SVCD
    };
    for (const Step& step : steps) {
        app.Choose(IDC_MAIN_FORMAT, step.format);
        EXPECT_EQ(step.aspects, Entries(app, IDC_MAIN_ASPECT)) << step.format;
        EXPECT_EQ(step.aspect, app.Selection(IDC_MAIN_ASPECT)) << step.format;
        EXPECT_EQ(step.tvEnabled, IsWindowEnabled(app.Item(IDC_MAIN_TV_MODE)) != FALSE)
            << step.format;
        EXPECT_EQ(step.aspectEnabled, IsWindowEnabled(app.Item(IDC_MAIN_ASPECT)) != FALSE)
            << step.format;
    }

    // SVCD: 4:3 and PAL; then MPEG1 with 2.21:1 changes only the MPEG shape.
    app.Choose(IDC_MAIN_ASPECT, 0);
    app.Choose(IDC_MAIN_TV_MODE, 1);
    app.Choose(IDC_MAIN_FORMAT, 1);
    app.Choose(IDC_MAIN_ASPECT, 3);
    app.Choose(IDC_MAIN_FORMAT, 7);
    EXPECT_EQ(0, app.Selection(IDC_MAIN_ASPECT));
    EXPECT_EQ(1, app.Selection(IDC_MAIN_TV_MODE));

    // Output Settings, Ok after choosing AVI: the main lists follow.
    ASSERT_TRUE(PickFormatInOutputSettings(app, IDC_SETTINGS, 0, IDOK));
    EXPECT_EQ(0, app.Selection(IDC_MAIN_FORMAT));
    EXPECT_FALSE(IsWindowEnabled(app.Item(IDC_MAIN_TV_MODE)));
    EXPECT_FALSE(IsWindowEnabled(app.Item(IDC_MAIN_ASPECT)));

    // ... and from AVI to VCD: both lists come back.
    ASSERT_TRUE(PickFormatInOutputSettings(app, IDC_TOOL_SETTINGS, 5, IDOK));
    EXPECT_EQ(5, app.Selection(IDC_MAIN_FORMAT));
    EXPECT_TRUE(IsWindowEnabled(app.Item(IDC_MAIN_TV_MODE)));
    EXPECT_TRUE(IsWindowEnabled(app.Item(IDC_MAIN_ASPECT)));

    // Cancel changes nothing.
    ASSERT_TRUE(PickFormatInOutputSettings(app, IDC_SETTINGS, 9, IDCANCEL));
    EXPECT_EQ(5, app.Selection(IDC_MAIN_FORMAT));

    // A folder typed but never used for a conversion is not kept.
    const char typed[] = "C:\\typed but not used\\";
    SendMessageA(app.Item(IDC_OUTPUT_FOLDER), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(typed));
    EXPECT_EQ(typed, wintest::WindowText(app.Item(IDC_OUTPUT_FOLDER)));

    // The close box ends the program like Escape; the choices are saved.
    PostMessageA(app.Main(), WM_CLOSE, 0, 0);
    ASSERT_TRUE(app.WaitExit());
    EXPECT_EQ("5", copy.Option("Output format"));
    EXPECT_EQ("1", copy.Option("TV mode"));
    EXPECT_EQ("3", copy.Option("MPEG aspect ratio"));
    EXPECT_EQ("0", copy.Option("DVD aspect ratio"));
    EXPECT_EQ("C:\\output video\\", copy.Option("Temporary folder"));
}

TEST(MainWindowChoices, EmptyListConvertSaysSoAndEnterCloses) {
    e2e::ProgramCopy copy("empty_convert");
    ASSERT_TRUE(copy.ok());
    copy.SuppressStartupTip();
    copy.SetOption("Output format", "8");

    Tarvello app;
    ASSERT_TRUE(app.Start(copy));
    ASSERT_NE(nullptr, app.WaitMainWindow());
    EXPECT_EQ(8, app.Selection(IDC_MAIN_FORMAT));
    app.Post(IDC_TOOL_CONVERT);
    HWND box = app.WaitDialog("Tarvello");
    ASSERT_NE(nullptr, box);
    EXPECT_EQ("No file in the list", e2e::BoxText(box));
    e2e::Answer(box, IDOK);

    // Enter with the focus on the folder edit closes the window too.
    app.Choose(IDC_MAIN_FORMAT, 3);
    app.Post(IDOK);
    ASSERT_TRUE(app.WaitExit());
    EXPECT_EQ("3", copy.Option("Output format"));
}

} // namespace
