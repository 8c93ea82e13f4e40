// The list as a queue through the real Tarvello.exe: the program killed in
// the middle of a run and started again asks once and converts only the
// rest; a damaged list file is told and loads what it can; the popup's
// "Convert the rows not done"; and what follows a finished run: the
// countdown before a sleep, stopped, and the output folder opened. The
// program logs those requests to the file TARVELLO_WHEN_DONE_LOG names
// instead of carrying them out.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "res/resource.h"
#include "tests/e2e/EncoderHarness.h"
#include "tests/e2e/FailureSupport.h"
#include "tests/e2e/MainDriver.h"
#include "tests/win/support/WinTestSupport.h"

namespace {

using Rows = std::vector<std::string>;

const char kShort[] = "clip-320x240-noaudio.avi"; // 2 s
const char kLong[] = "long-120s-640x480.avi";     // 120 s

std::string ReadText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// The countdown box's text.
std::string CountdownText(HWND box) {
    char text[256] = "";
    GetDlgItemTextA(box, IDC_COUNTDOWN_TEXT, text, sizeof text);
    return text;
}

TEST(ListQueue, AKilledRunIsOfferedOnceAndConvertsOnlyTheRest) {
    e2e::ProgramCopy copy("list_resume");
    const std::string folder = failure::CopyClips(
        copy, "clips", {{kShort, "first.avi"}, {kLong, "long.avi"}, {kShort, "last.avi"}});
    copy.SetOption("Output format", "0");
    {
        e2e::Tarvello app;
        ASSERT_TRUE(failure::StartReady(app, copy));
        ASSERT_TRUE(app.ImportThroughDialog(folder, {"first.avi", "long.avi", "last.avi"}));
        ASSERT_EQ(Rows(), failure::FinishImport(app, 0, 3));
        app.Post(IDC_CONVERT);
        const DWORD start = GetTickCount();
        while (app.Cell(1, 3).compare(0, 11, "Converting ") != 0 && GetTickCount() - start < 120000)
            wintest::PumpMessagesFor(25);
        ASSERT_EQ("Done", app.Cell(0, 3));
        const std::vector<DWORD> encoders = failure::ChildrenNamed(app.Pid(), "quenforenc.exe");
        ASSERT_TRUE(TerminateProcess(app.Process(), 1));
        ASSERT_TRUE(app.WaitExit());
        ASSERT_TRUE(failure::WaitGone(encoders)) << "the encoder stops with its window";
    }
    const failure::Fingerprint first = failure::FingerprintOf(copy.OutFolder() + "first.avi");
    ASSERT_GT(first.size, 0);

    e2e::Tarvello app;
    ASSERT_TRUE(failure::StartReady(app, copy));
    HWND question = failure::WaitBox(app);
    ASSERT_NE(nullptr, question);
    EXPECT_EQ(Rows({folder + "first.avi", folder + "long.avi", folder + "last.avi"}),
              app.Column(1));
    EXPECT_EQ(Rows({"Done", "Stopped", "Stopped"}), app.Column(3));
    e2e::SaveShot(question, "resume-question");
    EXPECT_EQ("The last conversion stopped after 1 of 3 files. Convert the remaining files now?",
              failure::AnswerBox(question, IDYES));
    const Rows texts = failure::AnswerAllBoxes(app, 300000);
    ASSERT_EQ(1u, texts.size());
    EXPECT_EQ(0u, texts[0].find("Mission accomplished!")) << texts[0];
    EXPECT_EQ(Rows({"Done", "Done", "Done"}), app.Column(3));
    EXPECT_EQ(Rows({"first.avi", "last.avi", "long.avi"}), e2e::FilesMatching(copy.OutFolder(), "*"))
        << "the done row is not converted again, nothing unfinished is left";
    EXPECT_TRUE(first == failure::FingerprintOf(copy.OutFolder() + "first.avi"));
    app.Post(IDCANCEL);
    EXPECT_TRUE(app.WaitExit());
}

// A hand-edited list: the good row loads, the junk is told once and kept
// aside; a run it shows as unfinished is asked about once, and No keeps it.
TEST(ListQueue, ADamagedListLoadsWhatItCanAndNoKeepsTheStatuses) {
    e2e::ProgramCopy copy("list_damaged");
    const std::string folder = failure::CopyClips(copy, "clips", {{kShort, "a.avi"}});
    const std::string list = copy.Folder() + "sources.txt";
    {
        std::ofstream out(list, std::ios::binary);
        out << "Tarvello list 1\r\nConverting\t2\t320\t240\t25\t" << folder
            << "a.avi\r\nnot a row at all\r\nDone\tlots\t1\t1\t1\tC:\\x.avi\r\n";
    }
    for (int start = 0; start < 2; ++start) {
        e2e::Tarvello app;
        ASSERT_TRUE(failure::StartReady(app, copy));
        if (start == 0) {
            HWND box = failure::WaitBox(app);
            ASSERT_NE(nullptr, box);
            EXPECT_EQ("The saved list " + list + " could not be read in full: 2 of its lines "
                      "were left out, 1 file is listed.\nThe file as it was is kept as " +
                          list + ".bad",
                      failure::AnswerBox(box));
            box = failure::WaitBox(app);
            ASSERT_NE(nullptr, box);
            EXPECT_EQ(0u, failure::AnswerBox(box, IDNO)
                              .find("The last conversion stopped after 0 of 1 files."));
        } else {
            // A command posted now is handled after anything start-up
            // queued: a question would be open before the About box.
            app.Post(ID_HELP_ABOUT);
            HWND about = app.WaitDialog("About Tarvello");
            ASSERT_NE(nullptr, about);
            e2e::Answer(about, IDOK);
            EXPECT_TRUE(IsWindowEnabled(app.Main())) << "no question is open: asked once only";
            EXPECT_EQ(nullptr, failure::WaitBox(app, 0));
        }
        EXPECT_EQ(Rows({folder + "a.avi"}), app.Column(1));
        EXPECT_EQ(Rows({"Stopped"}), app.Column(3));
        app.Post(IDCANCEL);
        EXPECT_TRUE(app.WaitExit());
    }
    EXPECT_NE(std::string::npos, ReadText(list + ".bad").find("not a row at all"));
}

// "Convert the rows not done" converts only those; with "Sleep" the
// countdown comes and Stop keeps the computer up; "Open the output folder",
// chosen in Output Settings, asks the shell for the run's folder.
TEST(ListQueue, PopupConvertsTheRowsNotDoneAndWhenDoneFollows) {
    e2e::ProgramCopy copy("list_when_done");
    const std::string folder =
        failure::CopyClips(copy, "clips", {{kShort, "a.avi"}, {kShort, "b.avi"}, {kShort, "c.avi"}});
    copy.SetOption("Output format", "0");
    copy.SetOption("When done", "2");
    const std::string log = copy.Root() + "when-done.log";
    SetEnvironmentVariableA("TARVELLO_WHEN_DONE_LOG", log.c_str());

    e2e::Tarvello app;
    ASSERT_TRUE(failure::StartReady(app, copy));
    ASSERT_TRUE(app.ImportThroughDialog(folder, {"a.avi", "b.avi"}));
    ASSERT_EQ(Rows(), failure::FinishImport(app, 0, 2));
    app.Post(ID_LIST_CONVERT_NOT_DONE);
    HWND countdown = failure::WaitBox(app, 180000);
    ASSERT_NE(nullptr, countdown);
    const std::string text = CountdownText(countdown);
    EXPECT_EQ(0u, text.find("Every file is converted. The computer goes to sleep in ")) << text;
    e2e::SaveShot(countdown, "countdown");
    e2e::Answer(countdown, IDCANCEL);
    Rows texts = failure::AnswerAllBoxes(app, 20000);
    ASSERT_EQ(1u, texts.size());
    EXPECT_EQ(0u, texts[0].find("Mission accomplished!")) << texts[0];
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(log.c_str())) << "no sleep asked for";

    app.Post(ID_LIST_CONVERT_NOT_DONE);
    EXPECT_EQ(Rows({"Every file in the list is done."}), failure::AnswerAllBoxes(app, 20000));

    app.Post(IDC_SETTINGS);
    HWND settings = app.WaitDialog("Output Settings");
    ASSERT_NE(nullptr, settings);
    HWND whenDone = GetDlgItem(settings, IDC_SET_WHEN_DONE);
    EXPECT_EQ(2, SendMessageA(whenDone, CB_GETCURSEL, 0, 0));
    SendMessageA(whenDone, CB_SETCURSEL, 1, 0);
    SendMessageA(settings, WM_COMMAND, MAKEWPARAM(IDC_SET_WHEN_DONE, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(whenDone));
    e2e::SaveShot(settings, "output-settings-when-done");
    e2e::Answer(settings, IDOK);

    ASSERT_TRUE(app.ImportThroughDialog(folder, {"c.avi"}));
    ASSERT_EQ(Rows(), failure::FinishImport(app, 2, 1));
    app.Post(ID_LIST_CONVERT_NOT_DONE);
    texts = failure::AnswerAllBoxes(app, 180000);
    ASSERT_EQ(1u, texts.size());
    EXPECT_EQ(0u, texts[0].find("Mission accomplished!")) << texts[0];
    EXPECT_EQ(Rows({"Done", "Done", "Done"}), app.Column(3));
    EXPECT_EQ(Rows({"a.avi", "b.avi", "c.avi"}), e2e::FilesMatching(copy.OutFolder(), "*"));
    EXPECT_EQ("open " + copy.OutFolder() + "\r\n", ReadText(log));
    app.Post(IDCANCEL);
    EXPECT_TRUE(app.WaitExit());
    EXPECT_EQ("1", copy.Option("When done"));
    SetEnvironmentVariableA("TARVELLO_WHEN_DONE_LOG", nullptr);
}

} // namespace
