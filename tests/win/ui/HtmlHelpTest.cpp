#include "ui/HtmlHelpLauncher.h"

#include <gtest/gtest.h>

#include <string>

#include "ui/HelpCommands.h"
#include "tests/win/ui/HelpTestSupport.h"
#include "tests/win/support/WinTestSupport.h"

namespace {

TEST(HtmlHelpLauncher, GivesUpForGoodWhenTheViewerIsMissing) {
    HtmlHelpLauncher launcher("no-such-viewer.ocx", false);
    EXPECT_EQ(launcher.Call(nullptr, "x.chm", 0, 0), nullptr);
    EXPECT_TRUE(launcher.Failed());
    EXPECT_EQ(launcher.Call(nullptr, "x.chm", 0, 0), nullptr);
    EXPECT_EQ(launcher.LoadAttempts(), 1);
}

TEST(HtmlHelpLauncher, GivesUpWhenTheModuleHasNoEntryPoint) {
    // This test program loads as a module but exports nothing.
    std::string self = helptest::ExeFolder() + "help_dialogs_test.exe";
    HtmlHelpLauncher withoutEntry(self.c_str(), false);
    EXPECT_EQ(withoutEntry.Call(nullptr, "x.chm", 0, 0), nullptr);
    EXPECT_TRUE(withoutEntry.Failed());
    EXPECT_EQ(withoutEntry.Call(nullptr, "x.chm", 0, 0), nullptr);
    EXPECT_EQ(withoutEntry.LoadAttempts(), 1);
}

TEST(HtmlHelpLauncher, RegistryNamesTheViewer) {
    char path[MAX_PATH];
    ASSERT_TRUE(FindHtmlHelpModule(path, sizeof path));
    EXPECT_NE(std::string(path).find("hhctrl.ocx"), std::string::npos) << path;
}

TEST(HelpContent, OpensTheOverviewTopicInTheHelpWindow) {
    // The Content command looks for help.chm beside the executable.
    std::string chm = wintest::EnvPath("TARVELLO_PROGRAM_DIR", "help.chm");
    std::string local = helptest::ExeFolder() + "help.chm";
    ASSERT_TRUE(CopyFileA(chm.c_str(), local.c_str(), FALSE)) << chm;

    HelpShowContent();
    HWND help = wintest::FindWindowWait("Tarvello Help");
    ASSERT_NE(help, nullptr);
    wintest::PumpMessagesFor(300);
    helptest::Screenshot(help, "help_window");

    HelpShowContent(); // the viewer is loaded once
    EXPECT_EQ(ProcessHtmlHelp().LoadAttempts(), 1);
    EXPECT_FALSE(ProcessHtmlHelp().Failed());

    SendMessageA(help, WM_CLOSE, 0, 0);
    wintest::PumpMessagesFor(100);
    DeleteFileA(local.c_str());
}

} // namespace
