// Import of files the encoder cannot use, odd file names, the 100th file and
// paths over 255 characters, through the real program, encoder and FFmpeg.
// Every case: one clear box per problem (one box for them all when there are
// more than three), the good files still listed, the program still running,
// and no source file touched.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
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

const char kGood[] = "clip-320x240-noaudio.avi"; // 2 s

std::string LoadFailed(const std::string& path) {
    return "Load file " + path + " failed.";
}

TEST(ImportFailures, UnusableFilesAreRefusedInOneBoxAndGoodOnesListed) {
    e2e::ProgramCopy copy("failure_import_bad");
    // Each kind of file that is no usable video, under an .avi name.
    const std::vector<std::string> bad = {
        "empty.avi",            // 0 bytes
        "text.avi",             // text
        "random.avi",           // random bytes
        "truncated-header.avi", // header cut short
        "audio-only.avi",       // AVI without a video stream
        "tone-wave.avi",        // RIFF WAVE, not AVI: FFmpeg finds no video
    };
    // The files that FFmpeg reads but that hold no picture say so on a second line.
    const std::string noVideo = "\nThe file holds no video stream.";
    const std::vector<std::string> reasons = {"", "", "", "", noVideo, noVideo};
    std::vector<std::pair<std::string, std::string>> clips = {{kGood, ""},
                                                              {"clip-matroska.divx", ""}};
    for (const std::string& name : bad)
        clips.push_back({name, ""});
    const std::string folder = failure::CopyClips(copy, "clips", clips);
    failure::FolderGuard sources(folder);

    Tarvello app;
    ASSERT_TRUE(failure::StartReady(app, copy));
    // Bad files around the good ones, so every position in the order is seen.
    std::vector<std::string> selection = {
        bad[0], bad[1], kGood, bad[2], bad[3], "clip-matroska.divx", bad[4], bad[5]};
    ASSERT_TRUE(app.ImportThroughDialog(folder, selection));
    std::vector<std::string> texts = failure::AnswerAllBoxes(app, 120000);
    // Six problems: one box, each file's line (and reason) in the order chosen.
    std::string expected;
    for (size_t i = 0; i < bad.size(); ++i) {
        expected += (i > 0 ? "\n" : "") + LoadFailed(folder + bad[i]) + reasons[i];
    }
    EXPECT_EQ(std::vector<std::string>{expected}, texts);
    EXPECT_EQ((std::vector<std::string>{folder + kGood, folder + "clip-matroska.divx"}),
              app.Column(1));
    EXPECT_EQ((std::vector<std::string>{"00:00:02", "00:00:02"}), app.Column(2));
    EXPECT_TRUE(IsWindowEnabled(app.Main()));
    // No probe left an output behind.
    EXPECT_EQ(std::vector<std::string>(), e2e::FilesMatching(copy.OutFolder(), "*"));

    app.Post(IDCANCEL);
    EXPECT_TRUE(app.WaitExit());
    EXPECT_EQ(std::vector<std::string>(), sources.Changed());
}

TEST(ImportFailures, NamesWithPunctuationAndNonAsciiLettersConvert) {
    e2e::ProgramCopy copy("failure_names");
    const std::vector<std::string> names = {
        "a b, c; d [e] (f) {g} & h.avi",
        "caf\xC3\xA9 \xE6\x97\xA5\xE6\x9C\xAC \xC3\xB1 \xD0\x96.avi", // café 日本 ñ Ж
        "100% done #1 'q' ^!$ %s %n.avi",                             // format characters
    };
    std::vector<std::pair<std::string, std::string>> clips;
    for (const std::string& name : names)
        clips.push_back({kGood, name});
    const std::string folder = failure::CopyClips(copy, "sources, [1]; \xC3\xA9t\xC3\xA9", clips);
    failure::FolderGuard sources(folder);
    const std::string out = copy.Root() + "out; [x], \xC3\xBC\xC3\xB1\xC3\xAF \xE2\x84\x96\\";
    copy.SetOption("Output format", "0"); // AVI
    copy.SetOption("Temporary folder", out);

    Tarvello app;
    ASSERT_TRUE(failure::StartReady(app, copy));
    ASSERT_TRUE(app.ImportThroughDialog(folder, names));
    ASSERT_TRUE(app.WaitRowCount(3, 60000))
        << "boxes: " << testing::PrintToString(failure::AnswerAllBoxes(app, 100));
    std::vector<std::string> listed;
    for (const std::string& name : names)
        listed.push_back(folder + name);
    EXPECT_EQ(listed, app.Column(1));

    app.Post(IDC_CONVERT);
    HWND summary = failure::WaitBox(app);
    ASSERT_NE(nullptr, summary);
    const std::string text = failure::AnswerBox(summary);
    EXPECT_EQ(0u, text.find("Mission accomplished! Total Time:")) << text;

    for (const std::string& name : names) {
        SCOPED_TRACE(name);
        const std::string output = out + name; // same name, .avi
        failure::Fingerprint print = failure::FingerprintOf(output);
        ASSERT_GT(print.size, 0);
        // ffprobe is handed a plain name: its command line is split at blanks.
        const std::string plain = copy.Root() + "probe-copy.avi";
        ASSERT_TRUE(CopyFileA(output.c_str(), plain.c_str(), FALSE));
        auto facts = e2e::DescribeMedia(plain);
        EXPECT_EQ("avi", facts["format"]);
        EXPECT_EQ("320", facts["v.width"]);
        EXPECT_EQ("240", facts["v.height"]);
    }
    app.Post(IDCANCEL);
    EXPECT_TRUE(app.WaitExit());
    EXPECT_EQ(out, copy.Option("Temporary folder"));
    EXPECT_EQ(std::vector<std::string>(), sources.Changed());
}

TEST(ImportFailures, TheHundredthFileIsLeftOutWithAMessage) {
    e2e::ProgramCopy copy("failure_hundred");
    std::vector<std::pair<std::string, std::string>> clips;
    std::vector<std::string> names;
    for (int i = 0; i < 101; ++i) {
        char name[16];
        std::snprintf(name, sizeof name, "c%03d.avi", i);
        clips.push_back({kGood, name});
        names.push_back(name);
    }
    const std::string folder = failure::CopyClips(copy, "many", clips);

    Tarvello app;
    ASSERT_TRUE(failure::StartReady(app, copy));
    ASSERT_TRUE(app.ImportThroughDialog(
        folder, std::vector<std::string>(names.begin(), names.begin() + 100)));
    std::vector<std::string> texts = failure::AnswerAllBoxes(app, 180000);
    EXPECT_EQ((std::vector<std::string>{
                  "The list holds at most 99 video files. 1 selected file was not added."}),
              texts);
    ASSERT_EQ(99, app.RowCount());
    EXPECT_EQ("          99", app.Cell(98, 0));
    EXPECT_EQ(folder + "c098.avi", app.Cell(98, 1));

    // One more into the full list: the same message, nothing added.
    ASSERT_TRUE(app.ImportThroughDialog(folder, {names[100]}));
    texts = failure::AnswerAllBoxes(app, 60000);
    EXPECT_EQ((std::vector<std::string>{
                  "The list holds at most 99 video files. 1 selected file was not added."}),
              texts);
    EXPECT_EQ(99, app.RowCount());

    // Room again after a removal.
    app.SelectRow(0);
    app.Send(IDC_LIST_REMOVE);
    ASSERT_TRUE(app.ImportThroughDialog(folder, {names[100]}));
    ASSERT_TRUE(app.WaitRowCount(99));
    EXPECT_EQ(folder + names[100], app.Cell(98, 1));
    EXPECT_EQ(nullptr, failure::WaitBox(app, 1000));
    app.Post(IDCANCEL);
    EXPECT_TRUE(app.WaitExit());
}

TEST(ImportFailures, PathsOver255CharactersAreRefusedOrReported) {
    e2e::ProgramCopy copy("failure_long");
    // A source folder of about 225 characters: "a.avi" fits, the long name does not.
    std::string folder = copy.Root();
    while (folder.size() < 224) {
        folder += failure::Repeat('d', std::min<size_t>(50, 224 - folder.size())) + "\\";
        CreateDirectoryA(folder.c_str(), nullptr);
    }
    const std::string shortName = "a.avi";
    const std::string longName =
        "a-long-file-name-" + failure::Repeat('n', 300 - folder.size()) + ".avi";
    ASSERT_GT(folder.size() + longName.size(), 255u);
    ASSERT_LT(folder.size() + shortName.size(), 255u);
    for (const std::string& name : {shortName, longName}) {
        ASSERT_TRUE(CopyFileA(e2e::ClipPath(kGood).c_str(), (folder + name).c_str(), FALSE))
            << name;
    }
    failure::FolderGuard sources(folder);

    Tarvello app;
    ASSERT_TRUE(failure::StartReady(app, copy));
    ASSERT_TRUE(app.ImportThroughDialog(folder, {longName, shortName}));
    std::vector<std::string> texts = failure::AnswerAllBoxes(app, 60000);
    ASSERT_EQ(1u, texts.size());
    EXPECT_EQ("The path of this file is longer than 255 characters, so it cannot be converted. "
              "Move or rename it and add it again:\n" +
                  folder + longName,
              texts[0]);
    EXPECT_EQ((std::vector<std::string>{folder + shortName}), app.Column(1));

    // An output folder so long that the output path passes 255 characters:
    // the file is reported, nothing is written, the program goes on.
    std::string out = copy.Root() + "o\\";
    out += failure::Repeat('o', 252 - out.size()) + "\\";
    SendMessageA(app.Item(IDC_OUTPUT_FOLDER), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(out.c_str()));
    app.Post(IDC_CONVERT);
    texts = failure::AnswerAllBoxes(app, 120000);
    ASSERT_EQ(1u, texts.size());
    EXPECT_NE(std::string::npos, texts[0].find("1 of 1 files could not be converted")) << texts[0];
    EXPECT_NE(std::string::npos, texts[0].find(folder + shortName)) << texts[0];
    EXPECT_NE(std::string::npos, texts[0].find("longer than 255 characters")) << texts[0];
    EXPECT_TRUE(IsWindowEnabled(app.Main()));
    app.Post(IDCANCEL);
    EXPECT_TRUE(app.WaitExit());
    EXPECT_EQ(std::vector<std::string>(), sources.Changed());
}

} // namespace
