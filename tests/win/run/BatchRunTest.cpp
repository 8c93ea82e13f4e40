// The batch conversion with the scripted encoder: progress display, Cancel,
// output names, failures, and what the user is told.
#include <direct.h>

#include <algorithm>
#include <map>

#include <string>
#include <vector>

#include "run/BatchRun.h"
#include "run/WindowProgressPort.h"
#include "run/EncoderJobs.h"
#include "core/OutputFormat.h"
#include "core/ProgressDisplay.h"
#include "tests/win/run/RunTestFixture.h"

namespace runtest {
namespace {

class BatchTest : public RunTest {
protected:
    // A fresh work folder holding a.avi, b.avi and c.avi of a minute each, in
    // the list in that order, converted into its "out\"; returns the folder.
    std::string ThreeSourcesIn(const std::string& name) {
        const std::string work = FreshFolder(name);
        host.outputFolder = work + "out\\";
        SetSources({Sources(work, "a.avi"), Sources(work, "b.avi"), Sources(work, "c.avi")}, 60);
        return work;
    }
};

TEST_F(BatchTest, ProgressTextsAndBarFollowThePositionReports) {
    const std::string work = FreshFolder("progress");
    host.outputFolder = work + "out\\";
    host.screenshotPath = BuildFolder() + "run-screenshots\\progress.bmp";
    SetSources({Sources(work, "film.avi")}, 1000);
    session.settings.outputFormat = kFormatAvi;
    WriteScript("[*]\nwrite 10\n"
                "send 6 999\n" // equals the initial last position: not shown
                "send 98 0\nsend 6 0\n"
                "send 98 300\nsend 6 250\n"              // 5 minutes
                "send 97 0\n"                            // screenshot
                "send 98 4800\nsend 6 500\nsend 6 500\n" // 80 minutes; repeated position
                "send 98 5400\nsend 6 1000\n"
                "write 10\n");
    BoxAnswers boxes(Caption(), {IDOK});
    ConvertAllRows(host, session);

    const char* start = kProgressStartText;
    const std::vector<Shown> expected = {
        {6, 999, start, 0},
        {6, 0, "Total time:00:16:40;Elapsed time:00:00:00;Finished 0.0%", 0},
        {6, 250, "Total time:00:20:00;Elapsed time:00:05:00;Finished 25.0%", 250},
        {6, 500, "Total time:02:40:00;Elapsed time:01:20:00;Finished 50.0%", 500},
        {6, 500, "Total time:02:40:00;Elapsed time:01:20:00;Finished 50.0%", 500},
        {6, 1000, "Total time:01:30:00;Elapsed time:01:30:00;Finished 100.0%", 1000},
    };
    ASSERT_EQ(expected.size(), host.shown.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(expected[i].value, host.shown[i].value);
        EXPECT_EQ(expected[i].text, host.shown[i].text) << i;
        EXPECT_EQ(expected[i].bar, host.shown[i].bar) << i;
    }
    EXPECT_EQ(std::vector<std::string>{"Mission accomplished! Total Time:01:30:00"}, boxes.Texts());
    EXPECT_EQ(20, FileSize(work + "out\\film.avi"));
    EXPECT_EQ((std::vector<bool>{false, true}), host.enableCalls);
    EXPECT_TRUE(host.IsWindowEnabled());
    EXPECT_FALSE(progress->IsWindowVisible());
    EXPECT_TRUE(host.screenshotSaved);
}

TEST_F(BatchTest, CancelAnsweredNoGoesOn) {
    const std::string work = FreshFolder("cancel-no");
    host.outputFolder = work;
    SetSources({Sources(work, "a.divx")}, 100);
    WriteScript("[*]\nwrite 10\nsend 6 10\nsend 99 0\nsend 6 10\nsend 6 20\nwrite 10\n");
    BoxAnswers boxes(Caption(), {IDNO, IDOK});
    ConvertAllRows(host, session);

    const std::vector<std::string> texts = boxes.Texts();
    ASSERT_EQ(2u, texts.size());
    EXPECT_EQ("Do you really want to stop?", texts[0]);
    EXPECT_EQ(0u, texts[1].find("Mission accomplished! Total Time:"));
    // The repeated position keeps the cancel text; the next one replaces it.
    ASSERT_EQ(3u, host.shown.size());
    EXPECT_EQ("Cancel processing...", host.shown[1].text);
    EXPECT_EQ("Total time:00:00:00;Elapsed time:00:00:00;Finished 20.0%", host.shown[2].text);
    EXPECT_EQ((std::vector<std::string>{"sent 6 10 -> 0", "sent 99 0 -> 0", "sent 6 10 -> 0",
                                        "sent 6 20 -> 0"}),
              LogLines("sent "));
    EXPECT_EQ(20, FileSize(work + "a.mpeg"));
}

TEST_F(BatchTest, CancelAnsweredYesStopsTheEncoderAndRemovesOnlyTheUnfinishedOutput) {
    const std::string work = FreshFolder("cancel-yes");
    host.outputFolder = work + "out";
    SetSources({Sources(work, "a.avi"), Sources(work, "b.avi"), Sources(work, "c.avi")}, 60);
    session.settings.outputFormat = kFormatAvi;
    WriteScript("[a.avi]\nwrite 100\nsend 6 30\n"
                "[b.avi]\nwrite 50\nsend 6 5\nsend 99 0\nsend 6 6\nwrite 50\n"
                "[c.avi]\nwrite 100\n");
    BoxAnswers boxes(Caption(), {IDYES});
    ConvertAllRows(host, session);

    EXPECT_EQ(std::vector<std::string>{"Do you really want to stop?"}, boxes.Texts());
    EXPECT_EQ(100, FileSize(work + "out\\a.avi"));
    EXPECT_FALSE(FileExists(work + "out\\b.avi"));
    EXPECT_FALSE(FileExists(work + "out\\c.avi"));
    EXPECT_EQ(2u, LogLines("args ").size()); // c.avi never started
    EXPECT_EQ(std::vector<std::string>{"sent 6 6 -> 1"}, LogLines("sent 6 6"));
    EXPECT_EQ((std::vector<std::string>{"exit 0", "exit 14"}), LogLines("exit "));
    EXPECT_TRUE(host.IsWindowEnabled());
    EXPECT_FALSE(progress->IsWindowVisible());
    for (const char* name : {"a.avi", "b.avi", "c.avi"}) {
        EXPECT_EQ("source video", ReadFile(work + name));
    }
}

TEST_F(BatchTest, EscapeInTheProgressDialogCancelsThroughTheWaitLoop) {
    const std::string work = FreshFolder("escape");
    host.outputFolder = work;
    SetSources({Sources(work, "a.avi")}, 100);
    WriteScript("[*]\nwrite 10\nsend 96 0\nsend 6 1\nsend 6 2\nsend 6 3\nsend 6 4\nwrite 10\n");
    BoxAnswers boxes(Caption(), {IDYES});
    ConvertAllRows(host, session);

    EXPECT_EQ(std::vector<std::string>{"Do you really want to stop?"}, boxes.Texts());
    EXPECT_EQ(std::vector<std::string>{"sent 6 1 -> 1"}, LogLines("sent 6 "));
    EXPECT_EQ(std::vector<std::string>{"exit 14"}, LogLines("exit "));
    EXPECT_FALSE(FileExists(work + "a.mpeg"));
}

TEST_F(BatchTest, CancelWithoutFurtherReportsStopsAfterThatFileWithoutAQuestion) {
    const std::string work = FreshFolder("cancel-quiet");
    host.outputFolder = work;
    SetSources({Sources(work, "a.avi"), Sources(work, "b.avi")}, 60);
    WriteScript("[*]\nwrite 100\nsend 99 0\nsleep 20\nwrite 100\n");
    BoxAnswers boxes(Caption(), {IDOK});
    ConvertAllRows(host, session);

    EXPECT_TRUE(boxes.Texts().empty());
    EXPECT_FALSE(FileExists(work + "a.mpeg"));
    EXPECT_EQ(1u, LogLines("args ").size());
    EXPECT_TRUE(host.IsWindowEnabled());
    EXPECT_FALSE(progress->IsWindowVisible());
}

TEST_F(BatchTest, EmptyListAndUncreatableFolderTellTheUserAndChangeNothing) {
    BoxAnswers boxes(Caption(), {IDOK});
    ConvertAllRows(host, session);

    const std::string work = FreshFolder("bad-folder");
    SetSources({Sources(work, "a.avi")}, 60);
    ASSERT_FALSE(MissingDrive().empty());
    const std::string blocked = MissingDrive() + "\\output video";
    host.outputFolder = blocked;
    WriteScript("[*]\nwrite 100\n");
    ConvertAllRows(host, session);

    EXPECT_EQ(
        (std::vector<std::string>{"No file in the list", "Fail to create tmp folder " + blocked}),
        boxes.Texts());
    EXPECT_TRUE(host.enableCalls.empty());
    EXPECT_TRUE(host.IsWindowEnabled());
    EXPECT_FALSE(progress->IsWindowVisible());
    EXPECT_TRUE(LogLines("args ").empty());
}

TEST_F(BatchTest, OutputNamesAcrossThreeRuns) {
    const std::string work = FreshFolder("names");
    const std::string out = work + "out"; // typed without the final backslash
    host.outputFolder = out;
    SetSources({Sources(work, "name.avi")}, 60);
    session.settings.outputFormat = kFormatAvi;
    BoxAnswers boxes(Caption(), {IDOK});
    for (int run = 1; run <= 3; ++run) {
        WriteScript("[*]\nwrite " + std::to_string(run * 10) + "\n");
        ConvertAllRows(host, session);
        const std::vector<std::string> args = LogLines("args ");
        ASSERT_EQ(1u, args.size());
        const std::string target = run == 1 ? out + "\\name.avi" : out + "\\name_avi.avi";
        EXPECT_NE(std::string::npos, args[0].find("-o \"" + target + "\"")) << run;
    }
    EXPECT_EQ(10, FileSize(out + "\\name.avi"));
    EXPECT_EQ(30, FileSize(out + "\\name_avi.avi")); // replaced by the third run
    EXPECT_EQ(3u, boxes.Texts().size());
}

TEST_F(BatchTest, RelativeOutputFolderIsTakenFromTheFolderTheRunStartsIn) {
    const struct {
        const char* typed;
        const char* folder; // under the start folder
        bool exists;
    } cases[] = {{"out", "out\\", true},
                 {"out", "out\\", false},
                 {"made\\deeper\\", "made\\deeper\\", false},
                 {".\\here", "here\\", false}};
    for (const auto& c : cases) {
        const std::string work = FreshFolder("relative");
        if (c.exists)
            CreateDirectoryA((work + c.folder).c_str(), nullptr);
        ASSERT_EQ(0, _chdir(work.c_str()));
        host.outputFolder = c.typed;
        SetSources({Sources(work, "a.avi"), Sources(work, "b.avi")}, 60);
        WriteScript("[*]\nwrite 10\n");
        BoxAnswers boxes(Caption(), {IDOK});
        ConvertAllRows(host, session);

        EXPECT_EQ(std::vector<std::string>{"Mission accomplished! Total Time:00:00:00"},
                  boxes.Texts())
            << c.typed;
        const std::vector<std::string> args = LogLines("args ");
        ASSERT_EQ(2u, args.size()) << c.typed;
        EXPECT_NE(std::string::npos, args[1].find("-o \"" + work + c.folder + "b.mpeg\""))
            << args[1];
        EXPECT_EQ(10, FileSize(work + c.folder + "a.mpeg")) << c.typed;
        EXPECT_EQ(10, FileSize(work + c.folder + "b.mpeg")) << c.typed;
        // The setting keeps what was typed.
        EXPECT_STREQ(c.typed, session.settings.outputFolder);
    }
}

TEST_F(BatchTest, SourcesAndEarlierOutputsAreNeverOverwritten) {
    const std::string out = FreshFolder("inside");
    const std::string other = FreshFolder("inside-other");
    host.outputFolder = out;
    // clip.avi lies in the output folder, and its suffixed output name is
    // another source (Clip_AVI.avi); CLIP.AVI from elsewhere meets both.
    SetSources({Sources(out, "clip.avi"), Sources(out, "Clip_AVI.avi"), Sources(other, "CLIP.AVI")},
               60);
    session.settings.outputFormat = kFormatAvi;
    WriteScript("[*]\nwrite 10\n");
    BoxAnswers boxes(Caption(), {IDOK});
    ConvertAllRows(host, session);

    std::vector<std::string> targets;
    for (const std::string& line : LogLines("args ")) {
        const size_t at = line.find("-o \"") + 4;
        targets.push_back(line.substr(at, line.find('"', at) - at));
    }
    EXPECT_EQ((std::vector<std::string>{out + "clip_avi_2.avi", out + "Clip_AVI_avi.avi",
                                        out + "CLIP_AVI_3.avi"}),
              targets);
    EXPECT_EQ("source video", ReadFile(out + "clip.avi"));
    EXPECT_EQ("source video", ReadFile(out + "Clip_AVI.avi"));
    EXPECT_EQ(std::vector<std::string>{"Mission accomplished! Total Time:00:00:00"}, boxes.Texts());
}

TEST_F(BatchTest, FailedFilesAreListedAndTheirOutputsRemoved) {
    const std::string work = ThreeSourcesIn("failures");
    WriteScript("[a.avi]\nwrite 100\n"
                "[b.avi]\nwrite 50\nexit 13\n"
                "[c.avi]\nexit 0\n");
    BoxAnswers boxes(Caption(), {IDOK});
    ConvertAllRows(host, session);

    EXPECT_EQ(std::vector<std::string>{"Finished with errors. Total Time:00:00:00\n\n"
                                       "2 of 3 files could not be converted:\n" +
                                       work + "b.avi - FFmpeg failed (exit code 13)\n" + work +
                                       "c.avi - no output was written"},
              boxes.Texts());
    EXPECT_EQ(100, FileSize(work + "out\\a.mpeg"));
    EXPECT_FALSE(FileExists(work + "out\\b.mpeg"));
    EXPECT_FALSE(FileExists(work + "out\\c.mpeg"));
    EXPECT_TRUE(host.IsWindowEnabled());
}

// What a run that stops early says about the rows that failed before.
TEST_F(BatchTest, CancelAfterFailedFilesListsThemInOneBox) {
    const std::string work = ThreeSourcesIn("cancel-after-failures");
    WriteScript("[a.avi]\nwrite 50\nexit 13\n"
                "[b.avi]\nwrite 50\nsend 6 5\nsend 99 0\nsend 6 6\nwrite 50\n"
                "[c.avi]\nwrite 100\n");
    BoxAnswers boxes(Caption(), {IDYES, IDOK});
    ConvertAllRows(host, session);

    EXPECT_EQ(
        (std::vector<std::string>{
            "Do you really want to stop?",
            "The conversion was stopped.\n\nBefore that, 1 of 3 files could not be converted:\n" +
                work + "a.avi - FFmpeg failed (exit code 13)"}),
        boxes.Texts());
    EXPECT_FALSE(FileExists(work + "out\\a.mpeg"));
    EXPECT_FALSE(FileExists(work + "out\\b.mpeg"));
    EXPECT_EQ(2u, LogLines("args ").size());
    EXPECT_TRUE(host.IsWindowEnabled());
    EXPECT_FALSE(progress->IsWindowVisible());
}

TEST_F(BatchTest, EncoderThatCannotBeStartedAfterFailedFilesListsThemInTheSameBox) {
    // A copy of the scripted encoder that removes itself after the second file.
    const std::string program = FreshFolder("start-fails-program");
    ASSERT_TRUE(CopyFileA((FakeEncoderFolder() + "quenforenc.exe").c_str(),
                          (program + "quenforenc.exe").c_str(), FALSE));
    WriteFile(program + "fake_encoder_script.txt",
              "[a.avi]\nexit 13\n[b.avi]\nwrite 100\nvanish\n[c.avi]\nwrite 100\n");
    host.encoderFolder = program;
    const std::string work = ThreeSourcesIn("start-fails");
    BoxAnswers boxes(Caption(), {IDOK});
    ConvertAllRows(host, session);

    const std::vector<std::string> texts = boxes.Texts();
    ASSERT_EQ(1u, texts.size());
    EXPECT_EQ(0u, texts[0].find("The encoder could not be started.")) << texts[0];
    const std::string list = "\n\nBefore that, 1 of 3 files could not be converted:\n" + work +
                             "a.avi - FFmpeg failed (exit code 13)";
    ASSERT_GE(texts[0].size(), list.size());
    EXPECT_EQ(list, texts[0].substr(texts[0].size() - list.size())) << texts[0];
    EXPECT_EQ(100, FileSize(work + "out\\b.mpeg"));
    EXPECT_FALSE(FileExists(work + "out\\c.mpeg"));
    EXPECT_TRUE(host.IsWindowEnabled());
    EXPECT_FALSE(progress->IsWindowVisible());
}

TEST_F(BatchTest, MissingEncoderEndsTheRunWithOneBox) {
    const std::string work = FreshFolder("missing");
    host.outputFolder = work + "out\\";
    host.encoderFolder = FreshFolder("missing-program");
    SetSources({Sources(work, "a.avi"), Sources(work, "b.avi")}, 60);
    BoxAnswers boxes(Caption(), {IDOK});
    ConvertAllRows(host, session);

    const std::vector<std::string> texts = boxes.Texts();
    ASSERT_EQ(1u, texts.size());
    EXPECT_EQ(0u, texts[0].find("The encoder could not be started."));
    EXPECT_TRUE(host.IsWindowEnabled());
    EXPECT_FALSE(progress->IsWindowVisible());
}

// ---- several encoders at once ----

// The most encoders that ran at once, from the order of their log lines.
int MostAtOnce() {
    int running = 0;
    int most = 0;
    for (const std::string& line : ReadLog()) {
        if (line.rfind("args ", 0) == 0)
            most = std::max(most, ++running);
        if (line.rfind("exit ", 0) == 0)
            --running;
    }
    return most;
}

class SeveralJobsTest : public RunTest {
protected:
    // clip.avi in the folders a, b, c and d of a fresh work folder, with the
    // given lengths, converted to AVI into its "out\", three at once.
    std::string FourClipsIn(const std::string& name, const std::vector<double>& seconds) {
        const std::string work = FreshFolder(name);
        std::vector<std::string> paths;
        for (const char* folder : {"a", "b", "c", "d"}) {
            CreateDirectoryA((work + folder).c_str(), nullptr);
            paths.push_back(Sources(work + folder + "\\", "clip.avi"));
        }
        host.outputFolder = work + "out\\";
        SetSources(paths, seconds);
        session.settings.outputFormat = kFormatAvi;
        session.settings.simultaneousConversions = 3;
        return work;
    }
};

TEST_F(SeveralJobsTest, ReportsAddUpByJobNamesNeverMeetAndAFailureWaitsForTheEnd) {
    const std::string work = FourClipsIn("three-at-once", {200, 400, 100, 300});
    WriteScript("[a\\clip.avi]\nwrite 10\nsend 6 50\nmark 1\nawait 4\nsend 6 200\nwrite 10\n"
                "[b\\clip.avi]\nwrite 5\nawait 1\nsend 6 100\nmark 2\nawait 3\nexit 13\n"
                "[c\\clip.avi]\nawait 2\nsend 6 25\nwrite 10\nmark 3\n"
                "[d\\clip.avi]\nsend 6 150\nwrite 10\nmark 4\n");
    BoxAnswers boxes(Caption(), {IDOK});
    ConvertAllRows(host, session);

    // a, b and c ran at once; d took the first slot that came free (b's
    // name too, when b had failed by then: its output was gone).
    EXPECT_EQ(3, MostAtOnce());
    std::map<char, std::string> target;
    for (char folder : {'a', 'b', 'c', 'd'}) {
        const std::vector<std::string> found = Targets(std::string("\\") + folder + "\\");
        ASSERT_EQ(1u, found.size()) << folder;
        target[folder] = found[0];
        EXPECT_EQ(0u, found[0].find(work + "out\\clip")) << found[0];
    }
    EXPECT_NE(target['a'], target['b']);
    EXPECT_NE(target['a'], target['c']);
    EXPECT_NE(target['b'], target['c']);
    EXPECT_NE(target['a'], target['d']);
    EXPECT_NE(target['c'], target['d']);
    EXPECT_EQ(20, FileSize(target['a']));
    EXPECT_EQ(10, FileSize(target['c']));
    EXPECT_EQ(10, FileSize(target['d']));
    if (target['b'] != target['d']) {
        EXPECT_FALSE(FileExists(target['b']));
    }
    // Each job's position counts once: 50, then 50 + 100, then + 25.
    ASSERT_GE(host.shown.size(), 5u);
    EXPECT_EQ(50, host.shown[0].bar);
    EXPECT_EQ(150, host.shown[1].bar);
    EXPECT_EQ(175, host.shown[2].bar);
    for (size_t i = 1; i < host.shown.size(); ++i)
        EXPECT_GE(host.shown[i].bar, host.shown[i - 1].bar) << i;
    EXPECT_LE(host.shown.back().bar, 1000);

    EXPECT_EQ(std::vector<std::string>{"Finished with errors. Total Time:00:00:00\n\n"
                                       "1 of 4 files could not be converted:\n" +
                                       work + "b\\clip.avi - FFmpeg failed (exit code 13)"},
              boxes.Texts());
    EXPECT_TRUE(host.IsWindowEnabled());
    EXPECT_FALSE(progress->IsWindowVisible());
}

TEST_F(SeveralJobsTest, AReportThatComesWhileTheEncoderStartsCounts) {
    const std::string work = FreshFolder("early-report");
    host.outputFolder = work + "out\\";
    SetSources({Sources(work, "a.avi"), Sources(work, "b.avi")}, 100);
    session.settings.outputFormat = kFormatAvi;
    session.settings.simultaneousConversions = 2;
    // a's position 40 comes while a's encoder starts, from inside the making
    // of its report window; then b reports 20: 60 of 200 seconds.
    wintest::SendOnCreate early(kReportWindowClass, {{{WM_ENCODER_EVENT, 6, 40}}});
    WriteScript("[a.avi]\nawait 1\nwrite 10\n[b.avi]\nsend 6 20\nmark 1\nwrite 10\n");
    BoxAnswers boxes(Caption(), {IDOK});
    ConvertAllRows(host, session);

    EXPECT_EQ(2, early.Created());
    ASSERT_EQ(1u, host.shown.size());
    EXPECT_EQ(300, host.shown[0].bar);
    const std::string& text = host.shown[0].text;
    EXPECT_EQ("Finished 30.0%", text.substr(text.rfind(';') + 1)) << text;
    EXPECT_EQ(1u, boxes.Texts().size());
}

TEST_F(SeveralJobsTest, CancelAsksOnceNoGoesOnYesStopsEveryEncoderAndKeepsOnlyFinishedFiles) {
    const std::string work = FourClipsIn("cancel-three", {100, 100, 100, 100});
    WriteScript(
        "[a\\clip.avi]\nwrite 10\n"
        "[b\\clip.avi]\nwrite 10\nmark 2\nawait 7\n" +
        KeepsReporting(500) + "[c\\clip.avi]\nwrite 10\nmark 3\nawait 7\n" + KeepsReporting(500) +
        // d starts once a has finished, and presses Cancel twice while b,
        // c and d run: its own report asks first (No), then any job's (Yes).
        "[d\\clip.avi]\nwrite 10\nawait 2\nawait 3\nsend 99 0\nsend 6 1\nsend 99 0\nmark 7\n" +
        KeepsReporting(500));
    BoxAnswers boxes(Caption(), {IDNO, IDYES, IDOK});
    ConvertAllRows(host, session);

    EXPECT_EQ(
        (std::vector<std::string>{"Do you really want to stop?", "Do you really want to stop?"}),
        boxes.Texts());
    const std::vector<std::string> first = LogLines("sent 6 1 ");
    ASSERT_FALSE(first.empty());
    EXPECT_EQ("sent 6 1 -> 0", first[0]); // d's own report, answered No
    EXPECT_EQ((std::vector<std::string>{"exit 0", "exit 14", "exit 14", "exit 14"}),
              LogLines("exit "));
    ASSERT_EQ(4u, Targets().size());
    for (const char* folder : {"\\a\\", "\\b\\", "\\c\\", "\\d\\"}) {
        const std::vector<std::string> target = Targets(folder);
        ASSERT_EQ(1u, target.size()) << folder;
        EXPECT_EQ(folder[1] == 'a' ? 10 : -1, FileSize(target[0])) << target[0];
    }
    WIN32_FIND_DATAA found;
    HANDLE left = FindFirstFileA((work + "out\\*.~enc*").c_str(), &found);
    EXPECT_EQ(INVALID_HANDLE_VALUE, left);
    if (left != INVALID_HANDLE_VALUE)
        FindClose(left);
    EXPECT_TRUE(host.IsWindowEnabled());
    EXPECT_FALSE(progress->IsWindowVisible());
}

} // namespace
} // namespace runtest
