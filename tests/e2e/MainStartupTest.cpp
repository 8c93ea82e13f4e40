// Start-up: the Tip of the Day as its "StartUp" setting says, never with the
// Embedding or Automation switch, and nothing opened from the command line.
#include <gtest/gtest.h>

#include <string>

#include "res/resource.h"
#include "tests/e2e/EncoderHarness.h"
#include "tests/e2e/MainDriver.h"
#include "tests/win/support/WinTestSupport.h"

namespace {

using e2e::Tarvello;

TEST(MainStartup, TipComesFirstWhenItsSettingSaysSo) {
    e2e::ProgramCopy copy("startup_tip");
    ASSERT_TRUE(copy.ok());
    Tarvello app;
    ASSERT_TRUE(app.Start(copy));
    HWND tip = app.WaitDialog("Tip of the Day");
    ASSERT_NE(nullptr, tip);
    EXPECT_EQ(nullptr, app.WaitMainWindow(300)) << "the main window waits for the tip";
    e2e::Answer(tip, IDOK);
    ASSERT_NE(nullptr, app.WaitMainWindow());
    app.Post(IDCANCEL);
    ASSERT_TRUE(app.WaitExit());
}

TEST(MainStartup, NoTipWhenSwitchedOffOrStartedForAutomation) {
    struct Case {
        const char* name;
        const char* startUp; // "StartUp" of section "Tip"; null: absent (shown)
        std::string arguments;
    } cases[] = {
        {"startup_off", "1", ""},
        {"startup_embedding", nullptr, "/Embedding"},
        {"startup_automation", nullptr, "-AUTOMATION"},
        {"startup_embedding_lower", nullptr, "-embedding"},
    };
    for (const Case& c : cases) {
        e2e::ProgramCopy copy(c.name);
        ASSERT_TRUE(copy.ok());
        if (c.startUp != nullptr)
            copy.SetProfile("Tip", "StartUp", c.startUp);
        Tarvello app;
        ASSERT_TRUE(app.Start(copy, c.arguments));
        ASSERT_NE(nullptr, app.WaitMainWindow()) << c.name;
        EXPECT_EQ(nullptr, app.WaitDialog("Tip of the Day", 300)) << c.name;
        app.Post(IDCANCEL);
        EXPECT_TRUE(app.WaitExit()) << c.name;
    }
}

TEST(MainStartup, FileOnTheCommandLineIsNotImported) {
    e2e::ProgramCopy copy("startup_file");
    ASSERT_TRUE(copy.ok());
    copy.SuppressStartupTip();
    Tarvello app;
    ASSERT_TRUE(app.Start(copy, "\"" + e2e::ClipPath("clip-640x480-25fps.avi") + "\""));
    ASSERT_NE(nullptr, app.WaitMainWindow());
    wintest::PumpMessagesFor(500);
    EXPECT_EQ(0, app.RowCount());
    app.Post(IDCANCEL);
    ASSERT_TRUE(app.WaitExit());
    // The settings are written at exit even when nothing changed.
    EXPECT_EQ("2", copy.Option("Output format"));
}

} // namespace
