// The Status column through the real Tarvello.exe: two encoders at once, a
// long clip, a source that vanished after the import and two short clips.
// Every row's status is watched from the start of the run to its end box; an
// output that the encoder's check refuses is a failed row with its reason.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include "res/resource.h"
#include "tests/e2e/EncoderHarness.h"
#include "tests/e2e/FailureSupport.h"
#include "tests/e2e/MainDriver.h"

namespace {

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

TEST(RowStatus, EveryRowShowsItsStatusLiveAndAFailedRowItsReason) {
    e2e::ProgramCopy copy("row_status");
    const std::string folder = failure::CopyClips(copy, "clips",
                                                  {{"long-120s-640x480.avi", "long.avi"},
                                                   {"clip-320x240-noaudio.avi", "gone.avi"},
                                                   {"clip-320x240-noaudio.avi", "short1.avi"},
                                                   {"clip-320x240-noaudio.avi", "short2.avi"}});
    copy.SetOption("Output format", "0");
    copy.SetOption("Simultaneous conversions", "2");

    e2e::Tarvello app;
    ASSERT_TRUE(failure::StartReady(app, copy));
    ASSERT_TRUE(
        app.ImportThroughDialog(folder, {"long.avi", "gone.avi", "short1.avi", "short2.avi"}));
    ASSERT_EQ(std::vector<std::string>(), failure::FinishImport(app, 0, 4));
    EXPECT_EQ(std::vector<std::string>(4, ""), app.Column(3)) << "no status before a run";
    ASSERT_TRUE(DeleteFileA((folder + "gone.avi").c_str()));

    app.Post(IDC_CONVERT);
    std::vector<std::set<std::string>> seen(4);
    std::set<int> percents; // of the long row
    HWND box = nullptr;
    const DWORD start = GetTickCount();
    while (box == nullptr && GetTickCount() - start < 600000) {
        const std::vector<std::string> statuses = app.Column(3);
        for (size_t row = 0; row < statuses.size() && row < seen.size(); ++row) {
            const std::string& text = statuses[row];
            seen[row].insert(text.compare(0, 11, "Converting ") == 0 ? "Converting" : text);
            if (row == 0 && text.compare(0, 11, "Converting ") == 0)
                percents.insert(std::atoi(text.c_str() + 11));
        }
        box = app.WaitDialog("Tarvello", 20);
    }
    ASSERT_NE(nullptr, box) << "no end box";
    const std::vector<std::string> end = app.Column(3);
    const std::string text = failure::AnswerBox(box);
    EXPECT_EQ(0u, text.find("Finished with errors.")) << text;

    EXPECT_EQ((std::vector<std::string>{"Done", "Failed", "Done", "Done"}), end);
    EXPECT_TRUE(seen[0].count("Converting"));
    EXPECT_GE(percents.size(), 2u) << "the long row's percentage moves";
    EXPECT_TRUE(seen[3].count("Waiting")) << "the last row waits for a free encoder";
    EXPECT_TRUE(seen[3].count("Converting") || seen[3].count("Done"));
    for (size_t row = 0; row < seen.size(); ++row) {
        for (const std::string& status : seen[row]) {
            EXPECT_TRUE(status == "Waiting" || status == "Converting" || status == "Done" ||
                        status == "Failed" || status == "")
                << row << ": " << status;
        }
    }
    // The row's tip (its reason, checked in the dialog's own tests) cannot
    // be asked for from another process: WM_NOTIFY does not cross them.
    EXPECT_TRUE(Contains(text, folder + "gone.avi - ")) << text;
    EXPECT_EQ(end, app.Column(3)) << "statuses stay after the end box";

    app.Post(IDCANCEL);
    EXPECT_TRUE(app.WaitExit());
}

// A source whose frames stop at 40 % of what its header promises: FFmpeg
// stops early, and the output that lasts a second of three must not pass.
TEST(RowStatus, AnOutputCutShortIsAFailureAndIsRemoved) {
    e2e::ProgramCopy copy("row_status_short");
    const std::string folder = failure::CopyClips(
        copy, "clips",
        {{"truncated-body.avi", "cut.avi"}, {"clip-320x240-noaudio.avi", "good.avi"}});
    copy.SetOption("Output format", "0");

    e2e::Tarvello app;
    ASSERT_TRUE(failure::StartReady(app, copy));
    ASSERT_TRUE(app.ImportThroughDialog(folder, {"cut.avi", "good.avi"}));
    ASSERT_EQ(std::vector<std::string>(), failure::FinishImport(app, 0, 2));
    app.Post(IDC_CONVERT);
    const std::vector<std::string> texts = failure::AnswerAllBoxes(app, 180000);
    ASSERT_EQ(1u, texts.size());
    EXPECT_EQ(0u, texts[0].find("Finished with errors.")) << texts[0];
    EXPECT_TRUE(Contains(texts[0], folder + "cut.avi - The output ends at 00:00:0")) << texts[0];
    EXPECT_TRUE(Contains(texts[0], " of 00:00:03.")) << texts[0];
    EXPECT_FALSE(Contains(texts[0], "good.avi")) << texts[0];
    EXPECT_EQ((std::vector<std::string>{"Failed", "Done"}), app.Column(3));
    EXPECT_EQ(std::vector<std::string>{"good.avi"}, e2e::FilesMatching(copy.OutFolder(), "*"))
        << "the cut output is removed";
    app.Post(IDCANCEL);
    EXPECT_TRUE(app.WaitExit());
}

// "Next to each source": each output in its source's folder, under a name
// that never replaces the source; the output folder is not even made.
TEST(BesideSources, EachOutputGoesNextToItsSource) {
    e2e::ProgramCopy copy("beside_sources");
    const std::string a = failure::CopyClips(copy, "a", {{"clip-320x240-noaudio.avi", "clip.avi"}});
    const std::string b = failure::CopyClips(copy, "b", {{"clip-matroska.divx", "other.divx"}});
    failure::FolderGuard sourcesA(a);
    failure::FolderGuard sourcesB(b);
    copy.SetOption("Output format", "0");
    copy.SetOption("Output beside source", "1");
    copy.SetOption("Temporary folder", copy.Root() + "never\\made");

    e2e::Tarvello app;
    ASSERT_TRUE(failure::StartReady(app, copy));
    EXPECT_EQ(BST_CHECKED, SendMessageA(app.Item(IDC_OUTPUT_BESIDE_SOURCE), BM_GETCHECK, 0, 0));
    ASSERT_TRUE(app.ImportThroughDialog(a, {"clip.avi"}));
    ASSERT_EQ(std::vector<std::string>(), failure::FinishImport(app, 0, 1));
    ASSERT_TRUE(app.ImportThroughDialog(b, {"other.divx"}));
    ASSERT_EQ(std::vector<std::string>(), failure::FinishImport(app, 1, 1));
    app.Post(IDC_CONVERT);
    const std::vector<std::string> texts = failure::AnswerAllBoxes(app, 180000);
    ASSERT_EQ(1u, texts.size());
    EXPECT_EQ(0u, texts[0].find("Mission accomplished!")) << texts[0];
    EXPECT_EQ((std::vector<std::string>{"clip.avi", "clip_avi.avi"}), e2e::FilesMatching(a, "*"));
    EXPECT_EQ((std::vector<std::string>{"other.avi", "other.divx"}), e2e::FilesMatching(b, "*"));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA((copy.Root() + "never").c_str()));
    EXPECT_EQ(std::vector<std::string>(), sourcesA.Changed());
    EXPECT_EQ(std::vector<std::string>(), sourcesB.Changed());

    // Unticked, it is saved as 0.
    SendMessageA(app.Item(IDC_OUTPUT_BESIDE_SOURCE), BM_CLICK, 0, 0);
    app.Post(IDCANCEL);
    EXPECT_TRUE(app.WaitExit());
    EXPECT_EQ("0", copy.Option("Output beside source"));
}

} // namespace
