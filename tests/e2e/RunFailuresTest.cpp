// Conversions that cannot go as planned: the encoder or FFmpeg missing from
// the program folder, an output folder that cannot be made or written, and
// sources whose frames are damaged. Each ends with one clear box, the program
// enabled again, no half-written output and the sources as they were.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "res/resource.h"
#include "tests/e2e/EncoderHarness.h"
#include "tests/e2e/MainDriver.h"
#include "tests/e2e/FailureSupport.h"
#include "tests/win/support/WinTestSupport.h"

namespace {

using e2e::Tarvello;

const char kGood[] = "clip-320x240-noaudio.avi"; // 2 s
const char kGoodB[] = "clip-640x480-25fps.avi";  // 3 s

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

// No temporary or empty outputs are left in the folder.
std::vector<std::string> Leftovers(const std::string& folder) {
    std::vector<std::string> left = e2e::FilesMatching(folder, "*~enc*");
    for (const std::string& name : e2e::FilesMatching(folder, "*")) {
        if (failure::FingerprintOf(folder + name).size == 0)
            left.push_back(name);
    }
    return left;
}

TEST(RunFailures, MissingEncoderIsToldOnceAtImportAndAtConversion) {
    e2e::ProgramCopy copy("failure_no_encoder");
    const std::string folder = failure::CopyClips(copy, "clips", {{kGood, ""}, {kGoodB, ""}});
    failure::FolderGuard sources(folder);
    const std::string encoder = copy.Folder() + "quenforenc.exe";
    const std::string aside = copy.Root() + "quenforenc.exe";
    ASSERT_TRUE(MoveFileA(encoder.c_str(), aside.c_str()));

    Tarvello app;
    ASSERT_TRUE(failure::StartReady(app, copy));
    ASSERT_TRUE(app.ImportThroughDialog(folder, {kGood, kGoodB}));
    std::vector<std::string> texts = failure::AnswerAllBoxes(app, 60000);
    ASSERT_EQ(1u, texts.size()) << "one box for the whole import";
    EXPECT_EQ(
        0u, texts[0].find("The encoder could not be started.\n\nIt was looked for at:\n" + encoder))
        << texts[0];
    EXPECT_EQ(0, app.RowCount());

    // With the encoder back the files come in; gone again, the run stops at once.
    ASSERT_TRUE(MoveFileA(aside.c_str(), encoder.c_str()));
    ASSERT_TRUE(app.ImportThroughDialog(folder, {kGood, kGoodB}));
    ASSERT_TRUE(app.WaitRowCount(2));
    EXPECT_EQ(std::vector<std::string>(), failure::AnswerAllBoxes(app, 500));
    ASSERT_TRUE(MoveFileA(encoder.c_str(), aside.c_str()));
    app.Post(IDC_CONVERT);
    texts = failure::AnswerAllBoxes(app, 60000);
    ASSERT_EQ(1u, texts.size()) << testing::PrintToString(texts);
    EXPECT_EQ(0u, texts[0].find("The encoder could not be started.")) << texts[0];
    EXPECT_TRUE(IsWindowEnabled(app.Main()));
    EXPECT_EQ(std::vector<std::string>(), e2e::FilesMatching(copy.OutFolder(), "*"));
    app.Post(IDCANCEL);
    EXPECT_TRUE(app.WaitExit());
    EXPECT_EQ(std::vector<std::string>(), sources.Changed());
}

TEST(RunFailures, MissingFfmpegFailsEachFileWithItsReason) {
    e2e::ProgramCopy copy("failure_no_ffmpeg");
    const std::string folder =
        failure::CopyClips(copy, "clips", {{kGood, ""}, {kGoodB, ""}, {"clip-matroska.divx", ""}});
    failure::FolderGuard sources(folder);
    ASSERT_TRUE(DeleteFileA((copy.Folder() + "ffmpeg.exe").c_str()));
    copy.SetOption("Output format", "0");

    Tarvello app;
    ASSERT_TRUE(failure::StartReady(app, copy));
    // AVI headers are read without FFmpeg; the Matroska file needs it.
    ASSERT_TRUE(app.ImportThroughDialog(folder, {kGood, "clip-matroska.divx", kGoodB}));
    std::vector<std::string> texts = failure::AnswerAllBoxes(app, 60000);
    EXPECT_EQ((std::vector<std::string>{"Load file " + folder + "clip-matroska.divx failed."}),
              texts);
    ASSERT_EQ(2, app.RowCount());

    app.Post(IDC_CONVERT);
    texts = failure::AnswerAllBoxes(app, 120000);
    ASSERT_EQ(1u, texts.size()) << testing::PrintToString(texts);
    EXPECT_EQ(0u, texts[0].find("Finished with errors.")) << texts[0];
    EXPECT_TRUE(Contains(texts[0], "2 of 2 files could not be converted")) << texts[0];
    EXPECT_TRUE(Contains(texts[0], folder + kGood + " - ffmpeg.exe missing")) << texts[0];
    EXPECT_TRUE(Contains(texts[0], folder + kGoodB + " - ffmpeg.exe missing")) << texts[0];
    EXPECT_EQ(std::vector<std::string>(), e2e::FilesMatching(copy.OutFolder(), "*"));
    EXPECT_TRUE(IsWindowEnabled(app.Main()));
    app.Post(IDCANCEL);
    EXPECT_TRUE(app.WaitExit());
    EXPECT_EQ(std::vector<std::string>(), sources.Changed());
}

TEST(RunFailures, OutputFolderThatCannotBeMadeOrWritten) {
    e2e::ProgramCopy copy("failure_bad_folder");
    const std::string folder = failure::CopyClips(copy, "clips", {{kGood, ""}});
    failure::FolderGuard sources(folder);
    // A plain file where a folder of the path should be.
    const std::string blocker = copy.Root() + "plain.txt";
    HANDLE file =
        CreateFileA(blocker.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, file);
    CloseHandle(file);
    copy.SetOption("Output format", "0");

    Tarvello app;
    ASSERT_TRUE(failure::StartReady(app, copy));
    ASSERT_TRUE(app.ImportThroughDialog(folder, {kGood}));
    ASSERT_TRUE(app.WaitRowCount(1));

    const std::string underFile = blocker + "\\sub\\";
    SendMessageA(app.Item(IDC_OUTPUT_FOLDER), WM_SETTEXT, 0,
                 reinterpret_cast<LPARAM>(underFile.c_str()));
    app.Post(IDC_CONVERT);
    std::vector<std::string> texts = failure::AnswerAllBoxes(app, 60000);
    EXPECT_EQ((std::vector<std::string>{"Fail to create tmp folder " + underFile}), texts);
    EXPECT_EQ(nullptr, app.WaitProgressDialog(300)) << "no run without a folder";
    EXPECT_TRUE(IsWindowEnabled(app.Main()));
    EXPECT_EQ(0, failure::FingerprintOf(blocker).size);

    // A folder that exists but takes no files (the kernel's /proc under Wine).
    const std::string readOnly = "Z:\\proc\\";
    SendMessageA(app.Item(IDC_OUTPUT_FOLDER), WM_SETTEXT, 0,
                 reinterpret_cast<LPARAM>(readOnly.c_str()));
    app.Post(IDC_CONVERT);
    texts = failure::AnswerAllBoxes(app, 120000);
    ASSERT_EQ(1u, texts.size()) << testing::PrintToString(texts);
    EXPECT_EQ(0u, texts[0].find("Finished with errors.")) << texts[0];
    EXPECT_TRUE(
        Contains(texts[0], "1 of 1 files could not be converted:\n" + folder + kGood + " - "))
        << texts[0];
    EXPECT_TRUE(IsWindowEnabled(app.Main()));

    // The same list converts once the folder is fine.
    SendMessageA(app.Item(IDC_OUTPUT_FOLDER), WM_SETTEXT, 0,
                 reinterpret_cast<LPARAM>(copy.OutFolder().c_str()));
    app.Post(IDC_CONVERT);
    texts = failure::AnswerAllBoxes(app, 120000);
    ASSERT_EQ(1u, texts.size());
    EXPECT_EQ(0u, texts[0].find("Mission accomplished!")) << texts[0];
    EXPECT_GT(failure::FingerprintOf(copy.OutFolder() + "clip-320x240-noaudio.avi").size, 0);
    app.Post(IDCANCEL);
    EXPECT_TRUE(app.WaitExit());
    EXPECT_EQ(std::vector<std::string>(), sources.Changed());
}

TEST(RunFailures, DamagedFramesConvertOrAreReportedAndGoodFilesStillConvert) {
    e2e::ProgramCopy copy("failure_damaged");
    const std::string folder = failure::CopyClips(
        copy, "clips", {{"truncated-body.avi", ""}, {"corrupt-body.avi", ""}, {kGood, ""}});
    failure::FolderGuard sources(folder);
    copy.SetOption("Output format", "0");

    Tarvello app;
    ASSERT_TRUE(failure::StartReady(app, copy));
    ASSERT_TRUE(app.ImportThroughDialog(folder, {"truncated-body.avi", "corrupt-body.avi", kGood}));
    // Their headers are whole, so they may be listed; a refusal must say so.
    std::vector<std::string> refused = failure::FinishImport(app, 0, 3);
    for (const std::string& text : refused)
        EXPECT_EQ(0u, text.find("Load file ")) << text;
    ASSERT_EQ(3 - static_cast<int>(refused.size()), app.RowCount());
    ASSERT_EQ(folder + kGood, app.Cell(app.RowCount() - 1, 1));

    app.Post(IDC_CONVERT);
    std::vector<std::string> texts = failure::AnswerAllBoxes(app, 180000);
    ASSERT_EQ(1u, texts.size()) << testing::PrintToString(texts);
    EXPECT_TRUE(texts[0].find("Mission accomplished!") == 0 ||
                texts[0].find("Finished with errors.") == 0)
        << texts[0];
    EXPECT_FALSE(Contains(texts[0], kGood))
        << "the good file is not among the failures: " << texts[0];
    auto facts = e2e::DescribeMedia(copy.OutFolder() + "clip-320x240-noaudio.avi");
    EXPECT_EQ("avi", facts["format"]);
    EXPECT_EQ("320", facts["v.width"]);
    // A damaged file either has an output or is named in the box, never both.
    const std::vector<std::string> rows = app.Column(1);
    for (const std::string name : {"truncated-body", "corrupt-body"}) {
        if (std::find(rows.begin(), rows.end(), folder + name + ".avi") == rows.end())
            continue;
        const bool written = failure::FingerprintOf(copy.OutFolder() + name + ".avi").size > 0;
        const bool reported = Contains(texts[0], folder + name + ".avi - ");
        EXPECT_NE(written, reported) << name << ": " << texts[0];
    }
    EXPECT_EQ(std::vector<std::string>(), Leftovers(copy.OutFolder()));
    app.Post(IDCANCEL);
    EXPECT_TRUE(app.WaitExit());
    EXPECT_EQ(std::vector<std::string>(), sources.Changed());
}

TEST(RunFailures, ARelativeOutputFolderIsTakenFromTheStartFolderAfterAnImportAndInEveryRun) {
    e2e::ProgramCopy copy("failure_relative_folder");
    const std::string folder = failure::CopyClips(copy, "clips", {{kGood, ""}});
    failure::FolderGuard sources(folder);
    const std::string start = copy.Root() + "start\\";
    ASSERT_TRUE(CreateDirectoryA(start.c_str(), nullptr));
    copy.SuppressStartupTip();
    copy.SetOption("Output format", "0");
    copy.SetOption("Temporary folder", "out");

    Tarvello app;
    ASSERT_TRUE(app.StartExe(copy.Exe(), start));
    ASSERT_NE(nullptr, app.WaitMainWindow());
    // The file dialog shows the sources' folder; the outputs still go under
    // the folder the program was started in, run after run.
    ASSERT_TRUE(app.ImportThroughDialog(folder, {kGood}));
    ASSERT_TRUE(app.WaitRowCount(1));
    for (int run = 1; run <= 2; ++run) {
        app.Post(IDC_CONVERT);
        const std::vector<std::string> texts = failure::AnswerAllBoxes(app, 120000);
        ASSERT_EQ(1u, texts.size()) << testing::PrintToString(texts);
        EXPECT_EQ(0u, texts[0].find("Mission accomplished!")) << texts[0];
    }
    EXPECT_EQ(
        (std::vector<std::string>{"clip-320x240-noaudio.avi", "clip-320x240-noaudio_avi.avi"}),
        e2e::FilesMatching(start + "out\\", "*"));
    EXPECT_EQ(std::vector<std::string>(), e2e::FilesMatching(start + "out\\out\\", "*"));
    EXPECT_EQ(std::vector<std::string>(), e2e::FilesMatching(folder + "out\\", "*"));
    EXPECT_EQ("out", wintest::WindowText(app.Item(IDC_OUTPUT_FOLDER)));
    app.Post(IDCANCEL);
    EXPECT_TRUE(app.WaitExit());
    EXPECT_EQ("out", copy.Option("Temporary folder"));
    EXPECT_EQ(std::vector<std::string>(), sources.Changed());
}

TEST(RunFailures, SourcesReachedThroughAnotherDriveLetterAreNeverReplaced) {
    e2e::ProgramCopy copy("failure_other_letter");
    // clip.avi's suffixed output name is the source Clip_AVI.avi, once the
    // sources' folder is written with the second drive letter of the test
    // prefix (Y: leads to the root that Z: shows).
    const std::string folder =
        failure::CopyClips(copy, "clips", {{kGood, "clip.avi"}, {kGoodB, "Clip_AVI.avi"}});
    failure::FolderGuard sources(folder);
    ASSERT_EQ('Z', folder[0]) << folder;
    const std::string sameFolder = "Y" + folder.substr(1);
    copy.SetOption("Output format", "0");
    copy.SetOption("Temporary folder", sameFolder);

    Tarvello app;
    ASSERT_TRUE(failure::StartReady(app, copy));
    ASSERT_TRUE(app.ImportThroughDialog(folder, {"clip.avi", "Clip_AVI.avi"}));
    ASSERT_TRUE(app.WaitRowCount(2));
    app.Post(IDC_CONVERT);
    const std::vector<std::string> texts = failure::AnswerAllBoxes(app, 120000);
    ASSERT_EQ(1u, texts.size()) << testing::PrintToString(texts);
    EXPECT_EQ(0u, texts[0].find("Mission accomplished!")) << texts[0];
    EXPECT_EQ(std::vector<std::string>(), sources.Changed());
    // Each output under a name of its own beside the sources, a real AVI.
    EXPECT_EQ("320", e2e::DescribeMedia(folder + "clip_avi_2.avi")["v.width"]);
    EXPECT_EQ("640", e2e::DescribeMedia(folder + "Clip_AVI_avi.avi")["v.width"]);
    app.Post(IDCANCEL);
    EXPECT_TRUE(app.WaitExit());
}

} // namespace
