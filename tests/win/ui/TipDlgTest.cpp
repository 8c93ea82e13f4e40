#include "ui/TipDlg.h"

#include <gtest/gtest.h>

#include <string>

#include "framework/WinApp.h"
#include "ui/HelpCommands.h"
#include "res/resource.h"
#include "tests/win/ui/HelpTestSupport.h"
#include "tests/win/support/WinTestSupport.h"

namespace {

using helptest::ItemText;
using helptest::RemoveTipsFile;
using helptest::RunDriven;
using helptest::SetTipProfileValue;
using helptest::TipProfileValue;
using helptest::WriteTipsFile;

const char kTips[] = "; tips for the tests\r\nTip A\r\n\r\n  indented\r\nTip B\r\nTip C\r\n";
const char kAfterTipA[] = "29"; // byte offset just after "Tip A\r\n"

class TipDlgTest : public ::testing::Test {
protected:
    void SetUp() override {
        helptest::ResetProfile();
        WriteTipsFile(kTips);
    }
    void TearDown() override { RemoveTipsFile(); }

    // Constructs and destroys a dialog without showing it, as a start-up with
    // tips switched off does; returns the tip it read.
    static std::string ConstructOnly(int* startup = nullptr) {
        CTipDlg tip;
        if (startup != nullptr)
            *startup = tip.m_bStartup;
        return tip.m_strTip;
    }
};

TEST_F(TipDlgTest, EachConstructionReadsTheNextTipAndSavesThePosition) {
    EXPECT_EQ(ConstructOnly(), "Tip A\n");
    EXPECT_EQ(TipProfileValue("FilePos"), kAfterTipA);
    EXPECT_NE(TipProfileValue("TimeStamp"), "<absent>");
    EXPECT_EQ(ConstructOnly(), "Tip B\n");
    EXPECT_EQ(ConstructOnly(), "Tip C\n");
    EXPECT_EQ(ConstructOnly(), "Tip A\n"); // wrapped round
}

TEST_F(TipDlgTest, ChangedTimeStampStartsAgainAtTheFirstTip) {
    ConstructOnly();
    std::string stamp = TipProfileValue("TimeStamp");
    SetTipProfileValue("TimeStamp", "Thu Jan 01 00:00:00 1970");
    EXPECT_EQ(ConstructOnly(), "Tip A\n"); // FilePos said: after tip A
    EXPECT_EQ(TipProfileValue("TimeStamp"), stamp);
    EXPECT_EQ(ConstructOnly(), "Tip B\n");
}

TEST_F(TipDlgTest, StartUpOffStillMovesThePositionOn) {
    SetTipProfileValue("StartUp", "1");
    int startup = -1;
    EXPECT_EQ(ConstructOnly(&startup), "Tip A\n");
    EXPECT_EQ(startup, 0);
    EXPECT_EQ(ConstructOnly(&startup), "Tip B\n");
    EXPECT_EQ(TipProfileValue("StartUp"), "1");
}

TEST_F(TipDlgTest, PositionBeyondTheEndWrapsToTheFirstTip) {
    ConstructOnly();
    SetTipProfileValue("FilePos", "100000");
    EXPECT_EQ(ConstructOnly(), "Tip A\n");
}

TEST_F(TipDlgTest, UnusablePositionIsReportedAndReadingStartsOver) {
    ConstructOnly();                     // saves the file's time stamp
    SetTipProfileValue("FilePos", "-7"); // a hand-edited profile
    wintest::MessageBoxAnswerer answer(AfxGetAppName(), IDOK);
    EXPECT_EQ(ConstructOnly(), "");
    ASSERT_TRUE(answer.Wait());
    EXPECT_EQ(answer.Text(0), "Trouble reading the tips file");
    EXPECT_EQ(ConstructOnly(), "Tip A\n");
}

TEST_F(TipDlgTest, FileWithoutTipsShowsAnEmptyTip) {
    WriteTipsFile("; nothing but comments\r\n\r\n   \r\n");
    EXPECT_EQ(ConstructOnly(), "");
}

// Runs the dialog modally; `drive` acts on it and then presses `endId`.
void RunTip(int endId, const std::function<void(HWND)>& drive) {
    bool shown = RunDriven(
        "Tip of the Day", [] { HelpShowTipOfTheDay(); },
        [&](HWND dialog) {
            drive(dialog);
            PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(endId, BN_CLICKED),
                         reinterpret_cast<LPARAM>(GetDlgItem(dialog, endId)));
        });
    ASSERT_TRUE(shown);
}

void SetStartUpBox(HWND dialog, bool checked) {
    SendMessageA(GetDlgItem(dialog, IDC_TIP_STARTUP), BM_SETCHECK,
                 checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

TEST_F(TipDlgTest, CloseWritesTheStartUpChoice) {
    RunTip(IDOK, [](HWND dialog) {
        EXPECT_EQ(SendMessageA(GetDlgItem(dialog, IDC_TIP_STARTUP), BM_GETCHECK, 0, 0),
                  BST_CHECKED);
        SetStartUpBox(dialog, false);
    });
    EXPECT_EQ(TipProfileValue("StartUp"), "1");
    int startup = -1;
    ConstructOnly(&startup);
    EXPECT_EQ(startup, 0);

    RunTip(IDOK, [](HWND dialog) {
        EXPECT_EQ(SendMessageA(GetDlgItem(dialog, IDC_TIP_STARTUP), BM_GETCHECK, 0, 0),
                  BST_UNCHECKED);
        SetStartUpBox(dialog, true);
    });
    EXPECT_EQ(TipProfileValue("StartUp"), "0");
}

TEST_F(TipDlgTest, EscapeWritesNothingButThePosition) {
    RunTip(IDCANCEL, [](HWND dialog) { SetStartUpBox(dialog, false); });
    EXPECT_EQ(TipProfileValue("StartUp"), "<absent>");
    EXPECT_EQ(TipProfileValue("FilePos"), kAfterTipA);
}

TEST_F(TipDlgTest, NextTipShowsTheFollowingTips) {
    RunTip(IDOK, [](HWND dialog) {
        EXPECT_EQ(ItemText(dialog, IDC_TIP_TEXT), "Tip A\n");
        EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog, IDC_TIP_NEXT)));
        helptest::Screenshot(dialog, "tip_of_the_day");
        const char* expected[] = {"Tip B\n", "Tip C\n", "Tip A\n"};
        for (const char* tip : expected) {
            SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_TIP_NEXT, BN_CLICKED),
                         reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDC_TIP_NEXT)));
            EXPECT_EQ(ItemText(dialog, IDC_TIP_TEXT), tip);
        }
    });
    EXPECT_EQ(TipProfileValue("FilePos"), kAfterTipA); // after the last tip shown
}

TEST_F(TipDlgTest, MissingFileDisablesNextTipAndKeepsThePosition) {
    RemoveTipsFile();
    SetTipProfileValue("FilePos", "12");
    RunTip(IDOK, [](HWND dialog) {
        EXPECT_EQ(ItemText(dialog, IDC_TIP_TEXT),
                  "Tips file does not exist in the prescribed directory");
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, IDC_TIP_NEXT)));
        helptest::Screenshot(dialog, "tip_of_the_day_no_file");
    });
    EXPECT_EQ(TipProfileValue("FilePos"), "12");
    EXPECT_EQ(TipProfileValue("TimeStamp"), "<absent>");
    EXPECT_EQ(TipProfileValue("StartUp"), "0"); // Close still saves the choice
}

} // namespace

namespace {

TEST(ShippedTips, FirstTipOfTheProgramFolderFileFillsThePanel) {
    helptest::ResetProfile();
    std::string shipped = wintest::EnvPath("TARVELLO_PROGRAM_DIR", "tips.txt");
    ASSERT_TRUE(CopyFileA(shipped.c_str(), (helptest::ExeFolder() + "tips.txt").c_str(), FALSE))
        << shipped;
    RunTip(IDCANCEL, [](HWND dialog) {
        EXPECT_EQ(ItemText(dialog, IDC_TIP_TEXT).rfind("Add several files at once", 0), 0u);
        helptest::Screenshot(dialog, "tip_of_the_day_shipped");
    });
    RemoveTipsFile();
}

} // namespace
