// A batch of six clips converted to AVI with two encoders at once: the real
// Tarvello.exe, quenforenc.exe and ffmpeg.exe. Sources from two folders share
// a stem, so the outputs must still get six names of their own; each output is
// checked with ffprobe, and the encoders the program starts are counted.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "res/resource.h"
#include "tests/e2e/EncoderHarness.h"
#include "tests/e2e/MainDriver.h"
#include "tests/e2e/FailureSupport.h"
#include "tests/win/support/WinTestSupport.h"

namespace {

// What ffprobe must tell of one output of the AVI format (default settings:
// the source's picture size is kept).
struct Expected {
    const char* clip;   // sample clip copied in as the source
    const char* folder; // subfolder the source is imported from
    const char* source; // its name there
    const char* output; // name of its output in the output folder
    const char* width;
    const char* height;
    const char* audio; // audio codec, "" without audio
    int seconds;
};

// Rows in the order they are imported: folder "a" first, then folder "b".
// "clip.avi" of a, "clip.divx" of a and "clip.avi" of b all have the stem "clip".
const Expected kRows[] = {
    {"clip-640x480-25fps.avi", "a", "clip.avi", "clip.avi", "640", "480", "mp3", 3},
    {"clip-matroska.divx", "a", "clip.divx", "clip_divx.avi", "320", "240", "mp3", 2},
    {"clip-640x480-2997fps-xvid.avi", "a", "xvid.avi", "xvid.avi", "640", "480", "mp3", 3},
    {"clip-320x240-noaudio.avi", "a", "quiet.avi", "quiet.avi", "320", "240", "", 2},
    {"clip-720x400-25fps.avi", "b", "clip.avi", "clip_avi.avi", "720", "400", "mp3", 2},
    {"clip-321x241-25fps.avi", "b", "odd.avi", "odd.avi", "321", "241", "mp3", 2},
};

std::vector<std::string> Import(const e2e::Tarvello& app, const std::string& folder,
                                const char* subfolder) {
    std::vector<std::string> names;
    for (const Expected& row : kRows) {
        if (std::string(row.folder) == subfolder)
            names.push_back(row.source);
    }
    const int before = app.RowCount();
    EXPECT_TRUE(app.ImportThroughDialog(folder, names));
    return failure::FinishImport(app, before, static_cast<int>(names.size()));
}

TEST(SimultaneousRun, SixClipsToAviWithTwoEncodersAtOnce) {
    e2e::ProgramCopy copy("simultaneous_avi");
    std::map<std::string, std::vector<std::pair<std::string, std::string>>> clips;
    for (const Expected& row : kRows)
        clips[row.folder].push_back({row.clip, row.source});
    const std::string folderA = failure::CopyClips(copy, "a", clips["a"]);
    const std::string folderB = failure::CopyClips(copy, "b", clips["b"]);
    failure::FolderGuard sourcesA(folderA);
    failure::FolderGuard sourcesB(folderB);
    copy.SetOption("Output format", "0");
    copy.SetOption("Simultaneous conversions", "2");

    e2e::Tarvello app;
    ASSERT_TRUE(failure::StartReady(app, copy));
    EXPECT_EQ(std::vector<std::string>(), Import(app, folderA, "a"));
    EXPECT_EQ(std::vector<std::string>(), Import(app, folderB, "b"));
    // Probes that run side by side still give the rows in the order picked.
    std::vector<std::string> picked;
    for (const Expected& row : kRows)
        picked.push_back((row.folder == std::string("a") ? folderA : folderB) + row.source);
    ASSERT_EQ(picked, app.Column(1));

    // Until the end box, count the encoders the program has running.
    app.Post(IDC_CONVERT);
    size_t most = 0;
    HWND summary = nullptr;
    const DWORD start = GetTickCount();
    while (summary == nullptr && GetTickCount() - start < 300000) {
        most = std::max(most, failure::ChildrenNamed(app.Pid(), "quenforenc.exe").size());
        summary = app.WaitDialog("Tarvello", 20);
    }
    ASSERT_NE(nullptr, summary) << "no end box";
    const std::string text = failure::AnswerBox(summary);
    EXPECT_EQ(0u, text.find("Mission accomplished! Total Time:")) << text;
    EXPECT_EQ(2u, most) << "encoders running at once";
    EXPECT_TRUE(IsWindowEnabled(app.Main()));

    std::vector<std::string> outputs;
    for (const Expected& row : kRows)
        outputs.push_back(row.output);
    std::vector<std::string> files = e2e::FilesMatching(copy.OutFolder(), "*");
    std::sort(outputs.begin(), outputs.end());
    std::sort(files.begin(), files.end());
    EXPECT_EQ(outputs, files) << "six outputs, nothing else";
    for (const Expected& row : kRows) {
        SCOPED_TRACE(row.output);
        std::map<std::string, std::string> facts =
            e2e::DescribeMedia(copy.OutFolder() + row.output);
        ASSERT_EQ("1", facts["end"]) << "ffprobe gave no description";
        EXPECT_EQ("avi", facts["format"]);
        EXPECT_EQ("mpeg4", facts["v.codec_name"]);
        EXPECT_EQ("DX50", facts["v.codec_tag_string"]);
        EXPECT_EQ(row.width, facts["v.width"]);
        EXPECT_EQ(row.height, facts["v.height"]);
        EXPECT_EQ(row.audio, facts["a.codec_name"]);
        EXPECT_NEAR(row.seconds, std::atof(facts["duration"].c_str()), 0.6) << facts["duration"];
    }

    app.Post(IDCANCEL);
    EXPECT_TRUE(app.WaitExit());
    EXPECT_EQ(std::vector<std::string>(), sourcesA.Changed());
    EXPECT_EQ(std::vector<std::string>(), sourcesB.Changed());
}

} // namespace
