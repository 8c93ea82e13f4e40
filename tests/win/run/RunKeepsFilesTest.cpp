// What a run must never lose: a finished output when the user stops the run,
// a source or an earlier output reached under another spelling of its path,
// a name shared by two outputs, a file whose temporary name would be too
// long, the folder a relative output folder is taken from, and the end box
// when a quit request comes meanwhile.
#include <direct.h>

#include <string>
#include <vector>

#include "core/OutputFormat.h"
#include "run/BatchRun.h"
#include "run/FileIdentity.h"
#include "tests/win/run/RunTestFixture.h"

namespace runtest {
namespace {

bool Logged(const std::string& line) {
    for (const std::string& logged : ReadLog()) {
        if (logged == line)
            return true;
    }
    return false;
}

bool NoTemporaryIn(const std::string& folder) {
    WIN32_FIND_DATAA found;
    HANDLE left = FindFirstFileA((folder + "*.~enc*").c_str(), &found);
    if (left == INVALID_HANDLE_VALUE)
        return true;
    FindClose(left);
    return false;
}

std::string CurrentFolder() {
    char folder[MAX_PATH] = "";
    _getcwd(folder, sizeof folder);
    return folder;
}

// A second drive letter for the root of drive Z: (made by the Wine fixture).
constexpr char kSecondDrive = 'Y';

using RunKeepsFilesTest = RunTest;

TEST_F(RunKeepsFilesTest, AFileThatFinishesWhileTheStopQuestionIsOpenKeepsItsOutput) {
    const std::string work = FreshFolder("finish-during-question");
    std::vector<std::string> paths;
    for (const char* folder : {"a", "b", "c", "d"}) {
        CreateDirectoryA((work + folder).c_str(), nullptr);
        paths.push_back(Sources(work + folder + "\\", "clip.avi"));
    }
    host.outputFolder = work + "out\\";
    SetSources(paths, 100);
    session.settings.outputFormat = kFormatAvi;
    session.settings.simultaneousConversions = 3;
    // b presses Cancel once a and c have written; a ends with success and c
    // fails before the question is answered.
    WriteScript("[a\\clip.avi]\nwrite 10\nmark 1\nawait 8\nexit 0\n"
                "[c\\clip.avi]\nwrite 10\nmark 3\nawait 8\nexit 13\n"
                "[b\\clip.avi]\nwrite 10\nawait 1\nawait 3\nsend 99 0\nmark 8\nsend 6 1\n" +
                KeepsReporting(500) + "[d\\clip.avi]\nwrite 10\n");
    BoxAnswers boxes(Caption(), {IDYES, IDOK});
    boxes.Hold(0, [] { return Logged("exit 0") && Logged("exit 13"); });
    ConvertAllRows(host, session);

    EXPECT_EQ(
        (std::vector<std::string>{
            "Do you really want to stop?",
            "The conversion was stopped.\n\nBefore that, 1 of 4 files could not be converted:\n" +
                work + "c\\clip.avi - FFmpeg failed (exit code 13)"}),
        boxes.Texts());
    EXPECT_EQ(10, FileSize(work + "out\\clip.avi")); // a's, complete
    EXPECT_TRUE(Targets("\\d\\").empty());           // never started
    const std::vector<std::string> stopped = Targets("\\b\\");
    ASSERT_EQ(1u, stopped.size());
    EXPECT_FALSE(FileExists(stopped[0]));
    EXPECT_TRUE(NoTemporaryIn(work + "out\\"));
    EXPECT_TRUE(host.IsWindowEnabled());
}

TEST_F(RunKeepsFilesTest, SourcesReachedThroughAnotherDriveLetterAreNeverReplaced) {
    const std::string work = FreshFolder("other-letter");
    ASSERT_EQ('Z', work[0]) << work;
    // The output folder is the sources' own folder, written with another
    // drive letter; the suffixed name of clip.avi is the source Clip_AVI.avi.
    const std::string sameFolder = std::string(1, kSecondDrive) + work.substr(1);
    WriteFile(work + "probe.txt", "seen");
    ASSERT_EQ("seen", ReadFile(sameFolder + "probe.txt"))
        << kSecondDrive << ": must lead to the root of Z:";
    host.outputFolder = sameFolder;
    SetSources({Sources(work, "clip.avi"), Sources(work, "Clip_AVI.avi")}, 60);
    session.settings.outputFormat = kFormatAvi;
    WriteScript("[*]\nwrite 10\n");
    BoxAnswers boxes(Caption(), {IDOK});
    ConvertAllRows(host, session);

    EXPECT_EQ(
        (std::vector<std::string>{sameFolder + "clip_avi_2.avi", sameFolder + "Clip_AVI_avi.avi"}),
        Targets());
    EXPECT_EQ("source video", ReadFile(work + "clip.avi"));
    EXPECT_EQ("source video", ReadFile(work + "Clip_AVI.avi"));
    EXPECT_EQ(std::vector<std::string>{"Mission accomplished! Total Time:00:00:00"}, boxes.Texts());
}

TEST_F(RunKeepsFilesTest, AnEarlierOutputStaysWhenItsReplacementFailsOrIsStopped) {
    const struct {
        const char* script;
        int answer;
    } cases[] = {{"[*]\nwrite 10\nexit 13\n", IDOK},
                 {"[*]\nwrite 10\nsend 99 0\nsend 6 1\n", IDYES}};
    for (const auto& c : cases) {
        const std::string work = FreshFolder("earlier-output");
        const std::string out = work + "out\\";
        CreateDirectoryA(out.c_str(), nullptr);
        WriteFile(out + "name.avi", "first run");
        WriteFile(out + "name_avi.avi", "second run");
        host.outputFolder = out;
        SetSources({Sources(work, "name.avi")}, 60);
        session.settings.outputFormat = kFormatAvi;
        WriteScript(c.script);
        BoxAnswers boxes(Caption(), {c.answer});
        ConvertAllRows(host, session);

        EXPECT_EQ(std::vector<std::string>{out + "name_avi.avi"}, Targets()) << c.script;
        EXPECT_EQ("first run", ReadFile(out + "name.avi")) << c.script;
        EXPECT_EQ("second run", ReadFile(out + "name_avi.avi")) << c.script;
        EXPECT_TRUE(NoTemporaryIn(out)) << c.script;
    }
}

TEST_F(RunKeepsFilesTest, NamesThatDifferOnlyInTheCaseOfAccentedLettersGiveTwoOutputs) {
    const std::string work = FreshFolder("accented");
    CreateDirectoryA((work + "a").c_str(), nullptr);
    CreateDirectoryA((work + "b").c_str(), nullptr);
    // "Été.avi" and "été.avi", converted at the same time.
    SetSources({Sources(work + "a\\", "\xC3\x89t\xC3\xA9.avi"),
                Sources(work + "b\\", "\xC3\xA9t\xC3\xA9.avi")},
               60);
    host.outputFolder = work + "out\\";
    session.settings.outputFormat = kFormatAvi;
    session.settings.simultaneousConversions = 2;
    WriteScript("[a\\\xC3\x89t\xC3\xA9.avi]\nwrite 10\nmark 1\nawait 2\n"
                "[b\\\xC3\xA9t\xC3\xA9.avi]\nwrite 20\nmark 2\nawait 1\n");
    BoxAnswers boxes(Caption(), {IDOK});
    ConvertAllRows(host, session);

    const std::vector<std::string> targets = Targets();
    ASSERT_EQ(2u, targets.size());
    EXPECT_FALSE(SameFileName(targets[0].c_str(), targets[1].c_str()))
        << targets[0] << " " << targets[1];
    EXPECT_EQ(30, FileSize(targets[0]) + FileSize(targets[1]));
    EXPECT_EQ(std::vector<std::string>{"Mission accomplished! Total Time:00:00:00"}, boxes.Texts());
}

TEST_F(RunKeepsFilesTest,
       AnOutputWhoseTemporaryNameWouldPassThePathLimitIsRefusedBeforeItsEncoderStarts) {
    const std::string work = FreshFolder("long-names");
    const std::string out = work + "out\\";
    ASSERT_LT(out.size() + 10, 240u) << out;
    // Output paths of 240 characters (their temporary fits) and of 255.
    const std::string fits(240 - out.size() - 4, 's');
    const std::string tooLong(255 - out.size() - 4, 'l');
    SetSources({Sources(work, (fits + ".avi").c_str()), Sources(work, (tooLong + ".avi").c_str())},
               60);
    host.outputFolder = out;
    session.settings.outputFormat = kFormatAvi;
    WriteScript("[*]\nwrite 10\n");
    BoxAnswers boxes(Caption(), {IDOK});
    ConvertAllRows(host, session);

    EXPECT_EQ(
        std::vector<std::string>{"Finished with errors. Total Time:00:00:00\n\n"
                                 "1 of 2 files could not be converted:\n" +
                                 work + tooLong +
                                 ".avi - the output path would be longer than 255 characters"},
        boxes.Texts());
    EXPECT_EQ(std::vector<std::string>{out + fits + ".avi"}, Targets());
    EXPECT_EQ(10, FileSize(out + fits + ".avi"));
}

TEST_F(RunKeepsFilesTest, ARelativeOutputFolderIsTakenFromTheStartFolderInEveryRun) {
    const std::string start = FreshFolder("start-folder");
    // A file dialog may have moved the current directory since the start.
    const std::string elsewhere = FreshFolder("moved-by-a-dialog");
    ASSERT_EQ(0, _chdir(elsewhere.c_str()));
    host.startFolder = start;
    host.outputFolder = "out";
    SetSources({Sources(elsewhere, "a.avi")}, 60);
    WriteScript("[*]\nwrite 10\n");
    BoxAnswers boxes(Caption(), {IDOK});
    for (int run = 1; run <= 2; ++run) {
        ConvertAllRows(host, session);
        // The run gives the current directory back as it found it.
        EXPECT_EQ(elsewhere.substr(0, elsewhere.size() - 1), CurrentFolder()) << run;
    }
    EXPECT_EQ(10, FileSize(start + "out\\a.mpeg"));
    EXPECT_EQ(10, FileSize(start + "out\\a_avi.mpeg"));
    EXPECT_FALSE(FileExists(elsewhere + "out"));
    EXPECT_FALSE(FileExists(start + "out\\out"));
    EXPECT_STREQ("out", session.settings.outputFolder);
}

TEST_F(RunKeepsFilesTest, AQuitRequestDuringTheRunWaitsUntilTheEndBoxIsRead) {
    const std::string work = FreshFolder("quit-during-run");
    host.outputFolder = work + "out\\";
    SetSources({Sources(work, "a.avi"), Sources(work, "b.avi")}, 60);
    WriteScript("[a.avi]\nsend 100 7\nwrite 10\nexit 13\n[b.avi]\nwrite 10\n");
    BoxAnswers boxes(Caption(), {IDOK});
    ConvertAllRows(host, session);

    EXPECT_EQ(std::vector<std::string>{"Finished with errors. Total Time:00:00:00\n\n"
                                       "1 of 2 files could not be converted:\n" +
                                       work + "a.avi - FFmpeg failed (exit code 13)"},
              boxes.Texts());
    EXPECT_EQ(10, FileSize(work + "out\\b.mpeg"));
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(7u, msg.wParam);
}

} // namespace
} // namespace runtest
