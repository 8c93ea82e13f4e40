// Each conversion's log through the real Tarvello.exe: kept in the logs
// folder beside the settings, holding the encoder's argument text and
// FFmpeg's messages, and opened from the list's popup with "Show log".
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "protocol/ExitCodes.h"
#include "res/resource.h"
#include "tests/e2e/EncoderHarness.h"
#include "tests/e2e/FailureSupport.h"
#include "tests/e2e/MainDriver.h"
#include "tests/win/support/WinTestSupport.h"

namespace {

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

TEST(RunLog, AFailedRowsLogHoldsFfmpegsLastMessageAndShowLogOpensIt) {
    e2e::ProgramCopy copy("run_log");
    const std::string folder = failure::CopyClips(
        copy, "clips",
        {{"clip-320x240-noaudio.avi", "good.avi"}, {"clip-320x240-noaudio.avi", "broken.avi"}});
    copy.SetOption("Output format", "0");
    // A full folder from earlier runs: its two oldest logs make room, and
    // files that are not logs stay.
    const std::string logs = copy.Folder() + "logs\\";
    ASSERT_TRUE(CreateDirectoryA(logs.c_str(), nullptr));
    for (int i = 0; i < 100; ++i) {
        char name[64];
        std::snprintf(name, sizeof name, "2020010%d-0000%02d-000-01 old.log", 1 + i / 60, i % 60);
        std::ofstream(logs + name) << "old";
    }
    std::ofstream(logs + "notes.log") << "mine";

    e2e::Tarvello app;
    ASSERT_TRUE(failure::StartReady(app, copy));
    ASSERT_TRUE(app.ImportThroughDialog(folder, {"good.avi", "broken.avi"}));
    ASSERT_EQ(std::vector<std::string>(), failure::FinishImport(app, 0, 2));
    // Listed as a video, then no longer one: FFmpeg refuses it.
    std::ofstream(folder + "broken.avi", std::ios::binary | std::ios::trunc)
        << std::string(4096, 'x');
    app.Post(IDC_CONVERT);
    const std::vector<std::string> texts = failure::AnswerAllBoxes(app, 180000);
    ASSERT_EQ(1u, texts.size());
    EXPECT_EQ(0u, texts[0].find("Finished with errors.")) << texts[0];
    ASSERT_EQ((std::vector<std::string>{"Done", "Failed"}), app.Column(3));

    std::vector<std::string> names = e2e::FilesMatching(logs, "*.log");
    ASSERT_EQ(101u, names.size()) << "the newest 100 logs and the file that is not one";
    EXPECT_EQ(0, std::count(names.begin(), names.end(), "20200101-000000-000-01 old.log"));
    EXPECT_EQ(0, std::count(names.begin(), names.end(), "20200101-000001-000-01 old.log"));
    EXPECT_EQ(1, std::count(names.begin(), names.end(), "20200101-000002-000-01 old.log"));
    EXPECT_EQ(1, std::count(names.begin(), names.end(), "notes.log"));
    std::string failed, done;
    for (const std::string& name : names) {
        if (Contains(name, " broken.log"))
            failed = name;
        if (Contains(name, " good.log"))
            done = name;
    }
    ASSERT_FALSE(failed.empty());
    ASSERT_FALSE(done.empty());
    const std::string log = ReadAll(logs + failed);
    EXPECT_EQ(0u, log.find("quenforenc \"" + folder + "broken.avi\" -o ")) << log;
    EXPECT_TRUE(Contains(log, "Invalid data found when processing input")) << log;
    EXPECT_TRUE(Contains(log, "exit code " + std::to_string(kExitFfmpegFailed))) << log;
    EXPECT_TRUE(Contains(ReadAll(logs + done), "exit code 0"));

    // The fifth entry of the row's popup opens its log.
    const HWND menu = app.OpenRowMenu(1);
    ASSERT_NE(nullptr, menu);
    e2e::SaveShot(menu, "list-popup");
    e2e::ChooseMenuItem(menu, 4);
    const HWND viewer = e2e::WaitWindowCaptioned(failed.substr(0, failed.size() - 4));
    ASSERT_NE(nullptr, viewer) << "no viewer shows " << failed;
    PostMessageA(viewer, WM_CLOSE, 0, 0);
    for (int i = 0; i < 400 && IsWindow(viewer); ++i)
        wintest::PumpMessagesFor(50);
    EXPECT_FALSE(IsWindow(viewer)) << "the viewer stays open";

    app.Post(IDCANCEL);
    EXPECT_TRUE(app.WaitExit());
}

} // namespace
