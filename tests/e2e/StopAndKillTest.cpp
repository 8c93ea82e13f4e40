// Conversions stopped from outside or by the user: the program killed, the
// encoder killed, and Cancel at the first report, between two files and while
// the stop question is open. No encoder or FFmpeg may outlive the stop, the
// unfinished output goes, earlier outputs stay whole, sources stay as they were.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "res/resource.h"
#include "tests/e2e/EncoderHarness.h"
#include "tests/e2e/MainDriver.h"
#include "tests/e2e/FailureSupport.h"
#include "tests/win/support/WinTestSupport.h"

namespace {

using e2e::Tarvello;

const char kLong[] = "long-120s-640x480.avi";    // 120 s
const char kShort[] = "clip-320x240-noaudio.avi"; // 2 s
const char kShortB[] = "clip-640x480-25fps.avi";  // 3 s
const char kQuestion[] = "Do you really want to stop?";

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

// Waits until the bar has moved past `minimum` thousandths (or the run ended).
bool WaitBar(HWND progress, int minimum, DWORD safetyMs = 120000) {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < safetyMs) {
        if (!IsWindowVisible(progress))
            return false;
        if (failure::BarPosition(progress) > minimum)
            return true;
        wintest::PumpMessagesFor(25);
    }
    return false;
}

bool Kill(DWORD pid) {
    HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, pid);
    if (process == nullptr)
        return false;
    const bool killed = TerminateProcess(process, 1) != FALSE;
    WaitForSingleObject(process, 10000);
    CloseHandle(process);
    return killed;
}

// A started program with these clips listed, converting to `format`.
struct Batch {
    e2e::ProgramCopy copy;
    std::string folder;
    Tarvello app;

    Batch(const char* name, const std::vector<std::string>& clips, const char* format)
        : copy(name) {
        std::vector<std::pair<std::string, std::string>> pairs;
        for (const std::string& clip : clips)
            pairs.push_back({clip, ""});
        folder = failure::CopyClips(copy, "clips", pairs);
        copy.SetOption("Output format", format);
        copy.SetOption("TV mode", "1");
    }

    bool StartAndImport(const std::vector<std::string>& clips) {
        if (!failure::StartReady(app, copy))
            return false;
        if (!app.ImportThroughDialog(folder, clips))
            return false;
        return app.WaitRowCount(static_cast<int>(clips.size()));
    }

    std::string Out(const char* name) const { return copy.OutFolder() + name; }
};

TEST(StopAndKill, KilledProgramTakesItsEncoderAndFfmpegWithIt) {
    Batch batch("failure_kill_program", {kLong}, "7"); // DVD: slow enough to catch
    failure::FolderGuard sources(batch.folder);
    ASSERT_TRUE(batch.StartAndImport({kLong}));
    batch.app.Post(IDC_CONVERT);
    HWND progress = batch.app.WaitProgressDialog();
    ASSERT_NE(nullptr, progress);
    const failure::EncoderPair pair = failure::WaitEncoderWithFfmpeg(batch.app.Pid());
    ASSERT_NE(0u, pair.encoder);
    ASSERT_NE(0u, pair.ffmpeg);
    ASSERT_TRUE(WaitBar(progress, 0)) << "no progress before the kill";

    ASSERT_TRUE(TerminateProcess(batch.app.Process(), 1));
    ASSERT_TRUE(batch.app.WaitExit());
    EXPECT_TRUE(failure::WaitGone({pair.encoder, pair.ffmpeg}))
        << "encoder or FFmpeg still running";
    // The encoder's unfinished temporary output went with it.
    EXPECT_EQ(std::vector<std::string>(), e2e::FilesMatching(batch.copy.OutFolder(), "*~enc*"));
    EXPECT_EQ(std::vector<std::string>(), sources.Changed());
}

TEST(StopAndKill, KilledEncoderFailsItsFileAndTheBatchGoesOn) {
    Batch batch("failure_kill_encoder", {kLong, kShort}, "0"); // AVI
    failure::FolderGuard sources(batch.folder);
    ASSERT_TRUE(batch.StartAndImport({kLong, kShort}));
    batch.app.Post(IDC_CONVERT);
    HWND progress = batch.app.WaitProgressDialog();
    ASSERT_NE(nullptr, progress);
    const failure::EncoderPair pair = failure::WaitEncoderWithFfmpeg(batch.app.Pid());
    ASSERT_NE(0u, pair.encoder);
    ASSERT_TRUE(WaitBar(progress, 0));
    ASSERT_TRUE(Kill(pair.encoder));
    EXPECT_TRUE(failure::WaitGone({pair.ffmpeg})) << "FFmpeg outlived its encoder";

    std::vector<std::string> texts = failure::AnswerAllBoxes(batch.app, 180000);
    ASSERT_EQ(1u, texts.size()) << testing::PrintToString(texts);
    std::printf("run box: %s\n", texts[0].c_str());
    EXPECT_EQ(0u, texts[0].find("Finished with errors.")) << texts[0];
    EXPECT_TRUE(Contains(texts[0], "1 of 2 files could not be converted:\n" + batch.folder + kLong +
                                       " - the encoder ended unexpectedly (exit code 1)"))
        << texts[0];
    EXPECT_FALSE(Contains(texts[0], kShort)) << texts[0];
    EXPECT_EQ(-1, failure::FingerprintOf(batch.Out("long-120s-640x480.avi")).size)
        << "half output left";
    EXPECT_EQ("avi", e2e::DescribeMedia(batch.Out("clip-320x240-noaudio.avi"))["format"]);
    EXPECT_EQ(std::vector<std::string>(), e2e::FilesMatching(batch.copy.OutFolder(), "*~enc*"));
    EXPECT_TRUE(IsWindowEnabled(batch.app.Main()));
    batch.app.Post(IDCANCEL);
    EXPECT_TRUE(batch.app.WaitExit());
    EXPECT_EQ(std::vector<std::string>(), sources.Changed());
}

TEST(StopAndKill, CancelBeforeTheFirstReportStopsAtIt) {
    Batch batch("failure_cancel_first", {kLong, kShort}, "0");
    failure::FolderGuard sources(batch.folder);
    ASSERT_TRUE(batch.StartAndImport({kLong, kShort}));
    batch.app.Post(IDC_CONVERT);
    HWND progress = batch.app.WaitProgressDialog();
    ASSERT_NE(nullptr, progress);
    failure::PressCancel(progress);

    HWND question = failure::WaitBox(batch.app);
    ASSERT_NE(nullptr, question);
    EXPECT_EQ(kQuestion, failure::AnswerBox(question, IDYES));
    EXPECT_EQ(std::vector<std::string>(), failure::AnswerAllBoxes(batch.app, 3000))
        << "no summary after a cancel";
    EXPECT_TRUE(IsWindowEnabled(batch.app.Main()));
    EXPECT_FALSE(IsWindowVisible(progress));
    EXPECT_TRUE(failure::WaitGone(failure::ChildrenNamed(batch.app.Pid(), "quenforenc.exe")));
    EXPECT_EQ(std::vector<std::string>(), e2e::FilesMatching(batch.copy.OutFolder(), "*"));
    EXPECT_EQ(2, batch.app.RowCount()) << "the list stays for another run";
    batch.app.Post(IDCANCEL);
    EXPECT_TRUE(batch.app.WaitExit());
    EXPECT_EQ(std::vector<std::string>(), sources.Changed());
}

TEST(StopAndKill, CancelBetweenFilesKeepsTheFinishedOutput) {
    Batch batch("failure_cancel_between", {kShort, kLong}, "0");
    failure::FolderGuard sources(batch.folder);
    ASSERT_TRUE(batch.StartAndImport({kShort, kLong}));
    batch.app.Post(IDC_CONVERT);
    HWND progress = batch.app.WaitProgressDialog();
    ASSERT_NE(nullptr, progress);
    // The first file's encoder ends; Cancel arrives before the second reports.
    std::vector<DWORD> first;
    for (int i = 0; i < 1200 && first.empty(); ++i) {
        first = failure::ChildrenNamed(batch.app.Pid(), "quenforenc.exe");
        if (first.empty())
            wintest::PumpMessagesFor(25);
    }
    ASSERT_FALSE(first.empty());
    ASSERT_TRUE(failure::WaitGone(first, 120000));
    failure::PressCancel(progress);

    HWND question = failure::WaitBox(batch.app);
    ASSERT_NE(nullptr, question);
    EXPECT_EQ(kQuestion, failure::AnswerBox(question, IDYES));
    EXPECT_EQ(std::vector<std::string>(), failure::AnswerAllBoxes(batch.app, 3000));
    EXPECT_TRUE(IsWindowEnabled(batch.app.Main()));
    auto facts = e2e::DescribeMedia(batch.Out("clip-320x240-noaudio.avi"));
    EXPECT_EQ("avi", facts["format"]);
    EXPECT_EQ("320", facts["v.width"]);
    EXPECT_EQ(-1, failure::FingerprintOf(batch.Out("long-120s-640x480.avi")).size);
    EXPECT_EQ(std::vector<std::string>(), e2e::FilesMatching(batch.copy.OutFolder(), "*~enc*"));
    batch.app.Post(IDCANCEL);
    EXPECT_TRUE(batch.app.WaitExit());
    EXPECT_EQ(std::vector<std::string>(), sources.Changed());
}

struct BoxSearch {
    DWORD pid;
    const char* text;
    int count;
};

BOOL CALLBACK CountBox(HWND window, LPARAM param) {
    BoxSearch* search = reinterpret_cast<BoxSearch*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid == search->pid && IsWindowVisible(window) && e2e::BoxText(window) == search->text)
        ++search->count;
    return TRUE;
}

// Counts the program's open boxes with this text.
int OpenBoxes(const Tarvello& app, const char* text) {
    BoxSearch search = {app.Pid(), text, 0};
    EnumWindows(CountBox, reinterpret_cast<LPARAM>(&search));
    return search.count;
}

TEST(StopAndKill, CancelWhileTheQuestionIsOpenAsksOnceThenEscapeAndNoGoOn) {
    Batch batch("failure_cancel_question", {kShortB, kLong}, "0");
    failure::FolderGuard sources(batch.folder);
    ASSERT_TRUE(batch.StartAndImport({kShortB, kLong}));
    batch.app.Post(IDC_CONVERT);
    HWND progress = batch.app.WaitProgressDialog();
    ASSERT_NE(nullptr, progress);
    const failure::EncoderPair first = failure::WaitEncoderWithFfmpeg(batch.app.Pid());
    ASSERT_NE(0u, first.encoder);
    failure::PressCancel(progress);
    HWND question = failure::WaitBox(batch.app);
    ASSERT_NE(nullptr, question);
    ASSERT_EQ(kQuestion, e2e::BoxText(question));

    // Cancel again, twice, while the question is open: still one question.
    failure::PressCancel(progress);
    failure::PressCancel(progress);
    wintest::PumpMessagesFor(1000);
    EXPECT_TRUE(IsWindow(question));
    EXPECT_EQ(1, OpenBoxes(batch.app, kQuestion));
    // Escape closes the question without a Yes: the run goes on.
    PostMessageA(question, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    for (int i = 0; i < 200 && IsWindow(question); ++i)
        wintest::PumpMessagesFor(25);

    // During the second file, Cancel answered No: the run goes on as well.
    ASSERT_TRUE(failure::WaitGone({first.encoder}, 120000));
    ASSERT_TRUE(WaitBar(progress, failure::BarPosition(progress)));
    failure::PressCancel(progress);
    HWND again = failure::WaitBox(batch.app);
    ASSERT_NE(nullptr, again);
    EXPECT_EQ(kQuestion, failure::AnswerBox(again, IDNO));

    std::vector<std::string> texts = failure::AnswerAllBoxes(batch.app, 180000);
    ASSERT_EQ(1u, texts.size()) << testing::PrintToString(texts);
    EXPECT_EQ(0u, texts[0].find("Mission accomplished!")) << texts[0];
    EXPECT_EQ("avi", e2e::DescribeMedia(batch.Out("clip-640x480-25fps.avi"))["format"]);
    EXPECT_EQ("avi", e2e::DescribeMedia(batch.Out("long-120s-640x480.avi"))["format"]);
    EXPECT_TRUE(IsWindowEnabled(batch.app.Main()));
    batch.app.Post(IDCANCEL);
    EXPECT_TRUE(batch.app.WaitExit());
    EXPECT_EQ(std::vector<std::string>(), sources.Changed());
}

} // namespace
