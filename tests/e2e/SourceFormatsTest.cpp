// Today's containers and codecs through the real program, encoder and
// FFmpeg: MP4 from a phone (turned a quarter), MOV, MKV with 10-bit HEVC and
// 5.1 Opus, WebM, MPEG-TS, WMV, a fragmented MP4 and an MP3 without video,
// picked in the file dialog or dropped on the main window, then converted to
// DVD PAL with the letter box, to AVI and to WMV; outputs checked by ffprobe.
#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <cmath>
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

using e2e::Tarvello;
using Facts = std::map<std::string, std::string>;

const char kRotated[] = "phone-rotated.mp4";
const char kMusic[] = "music.mp3";
// Every clip of make-source-clips.sh, videos first in a mixed order.
const std::vector<std::string> kVideos = {kRotated,        "camera.mov",   "hevc10-51.mkv",
                                          "vp9.webm",      "camcorder.ts", "windows.wmv",
                                          "fragmented.mp4"};

std::vector<std::pair<std::string, std::string>> AllClips() {
    std::vector<std::pair<std::string, std::string>> clips;
    for (const std::string& name : kVideos)
        clips.push_back({name, ""});
    clips.push_back({kMusic, ""});
    return clips;
}

std::string NoVideoText(const std::string& path) {
    return "Load file " + path + " failed.\nThe file holds no video stream.";
}

std::string Stem(const std::string& name) {
    return name.substr(0, name.rfind('.'));
}

// Drops `paths` on the main window the way the shell does: a DROPFILES
// block (ANSI names, double-NUL ended) in the program's memory, posted as
// WM_DROPFILES.
bool DropOnMainWindow(const Tarvello& app, const std::vector<std::string>& paths) {
    std::string names;
    for (const std::string& path : paths)
        names += path + '\0';
    names += '\0';
    DROPFILES header = {};
    header.pFiles = sizeof header;
    header.fWide = FALSE;
    std::string block(reinterpret_cast<const char*>(&header), sizeof header);
    block += names;
    void* remote = VirtualAllocEx(app.Process(), nullptr, block.size(), MEM_COMMIT | MEM_RESERVE,
                                  PAGE_READWRITE);
    if (remote == nullptr)
        return false;
    SIZE_T written = 0;
    if (!WriteProcessMemory(app.Process(), remote, block.data(), block.size(), &written) ||
        written != block.size()) {
        return false;
    }
    return PostMessageA(app.Main(), WM_DROPFILES, reinterpret_cast<WPARAM>(remote), 0) != 0;
}

// The outputs of one run, one per video clip, against their sources.
struct Expected {
    const char* extension;
    const char* container;
    const char* videoCodec;
    const char* audioCodec;
    int channels;      // 0: not checked
    int sampleRate;    // 0: the source's
    int width, height; // 0: the source's displayed size
    double fps;        // 0: the source's
};

void CheckOutputs(const std::string& sources, const std::string& outFolder, const Expected& e) {
    for (const std::string& name : kVideos) {
        SCOPED_TRACE(name + " -> " + e.extension);
        const std::string output = outFolder + Stem(name) + "." + e.extension;
        Facts source = e2e::DescribeMedia(sources + name);
        Facts out = e2e::DescribeMedia(output);
        ASSERT_EQ("1", out["end"]);
        EXPECT_NE(std::string::npos, out["format"].find(e.container)) << out["format"];
        EXPECT_EQ(e.videoCodec, out["v.codec_name"]);
        const bool turned = name == kRotated;
        const int width =
            e.width != 0 ? e.width : std::atoi(source[turned ? "v.height" : "v.width"].c_str());
        const int height =
            e.height != 0 ? e.height : std::atoi(source[turned ? "v.width" : "v.height"].c_str());
        EXPECT_EQ(std::to_string(width), out["v.width"]);
        EXPECT_EQ(std::to_string(height), out["v.height"]);
        if (e.fps >= 0) {
            const double fps = e.fps > 0 ? e.fps : e2e::ParseRate(source["v.r_frame_rate"]);
            // FFmpeg's average over a fragmented file can be a frame short (24.75).
            EXPECT_NEAR(fps, e2e::ParseRate(out["v.r_frame_rate"]), 0.3) << out["v.r_frame_rate"];
        }
        EXPECT_EQ(e.audioCodec, out["a.codec_name"]);
        if (e.channels > 0) {
            EXPECT_EQ(std::to_string(e.channels), out["a.channels"]);
        }
        EXPECT_EQ(e.sampleRate > 0 ? std::to_string(e.sampleRate) : source["a.sample_rate"],
                  out["a.sample_rate"]);
        EXPECT_NEAR(std::atof(source["duration"].c_str()), std::atof(out["duration"].c_str()), 0.5);
    }
}

// Answers the summary of the run that was started, which must be a success;
// returns once the summary is gone and the window is enabled again.
void FinishRun(const Tarvello& app) {
    HWND summary = app.WaitDialog("Tarvello", 300000);
    ASSERT_NE(nullptr, summary);
    EXPECT_EQ(0u, e2e::BoxText(summary).find("Mission accomplished!")) << e2e::BoxText(summary);
    e2e::Answer(summary, IDOK);
    ASSERT_FALSE(IsWindow(summary));
    for (int i = 0; i < 2400 && !IsWindowEnabled(app.Main()); ++i)
        wintest::PumpMessagesFor(25);
}

// A program copy whose output folder holds nothing of an earlier attempt.
void EmptyOutFolder(const e2e::ProgramCopy& copy) {
    for (const std::string& name : e2e::FilesMatching(copy.OutFolder(), "*")) {
        DeleteFileA((copy.OutFolder() + name).c_str());
    }
}

std::vector<std::string> Durations(size_t rows) {
    return std::vector<std::string>(rows, "00:00:02");
}

TEST(SourceFormats, PickedWithTheVideoFilterAndConvertedToDvdWithLetterBox) {
    e2e::ProgramCopy copy("sources_dialog_dvd");
    copy.SetOption("Output format", "7"); // DVD
    copy.SetOption("TV mode", "1");       // PAL
    copy.SetOption("Letterbox", "1");
    EmptyOutFolder(copy);
    const std::string folder = failure::CopyClips(copy, "sources", AllClips());
    failure::FolderGuard untouched(folder);

    Tarvello app;
    ASSERT_TRUE(failure::StartReady(app, copy));
    std::vector<std::string> picked = kVideos;
    picked.insert(picked.begin() + 3, kMusic);
    ASSERT_TRUE(app.ImportThroughDialog(folder, picked, 2)); // "All video files"
    ASSERT_TRUE(app.WaitRowCount(static_cast<int>(kVideos.size())));
    EXPECT_EQ(std::vector<std::string>{NoVideoText(folder + kMusic)},
              failure::AnswerAllBoxes(app, 60000));
    std::vector<std::string> paths;
    for (const std::string& name : kVideos)
        paths.push_back(folder + name);
    EXPECT_EQ(paths, app.Column(1));
    EXPECT_EQ(Durations(kVideos.size()), app.Column(2));
    wintest::PumpMessagesFor(200);
    e2e::SaveShot(app.Main(), "mixed-sources");

    app.Post(IDC_CONVERT);
    FinishRun(app);
    CheckOutputs(folder, copy.OutFolder(),
                 {"vob", "mpeg", "mpeg2video", "ac3", 2, 48000, 720, 576, 25.0});
    // The letter box works on the picture as shown: the upright phone clip
    // stands between bars left and right; the others fill the 4:3 frame.
    for (const std::string& name : kVideos) {
        Facts box = e2e::HostFacts("picture-box.sh", {copy.OutFolder() + Stem(name) + ".vob"},
                                   copy.OutFolder() + Stem(name) + ".vob.box.txt");
        const int w = std::atoi(box["box.w"].c_str());
        const int h = std::atoi(box["box.h"].c_str());
        if (name == kRotated) {
            EXPECT_LT(w, 600) << name;
            EXPECT_GE(h, 560) << name;
        } else {
            EXPECT_GE(w, 700) << name;
        }
    }

    app.Post(IDCANCEL);
    EXPECT_TRUE(app.WaitExit());
    // The filter chosen is remembered in the profile store, not in option.ini.
    char filter[16] = "";
    GetPrivateProfileStringA("Import", "Filter", "", filter, sizeof filter,
                             copy.ProfileIni().c_str());
    EXPECT_STREQ("2", filter);
    EXPECT_EQ("<absent>", copy.Option("Filter"));
    EXPECT_EQ(std::vector<std::string>(), untouched.Changed());
}

TEST(SourceFormats, DroppedFilesConvertToAviAndWmvAndDropsWaitForTheRun) {
    e2e::ProgramCopy copy("sources_drop_avi_wmv");
    copy.SetOption("Output format", "0"); // AVI
    EmptyOutFolder(copy);
    const std::string folder = failure::CopyClips(copy, "sources", AllClips());
    failure::FolderGuard untouched(folder);

    Tarvello app;
    ASSERT_TRUE(failure::StartReady(app, copy));
    // Explorer's order, whatever it is, is the list's order.
    std::vector<std::string> dropped;
    for (auto it = kVideos.rbegin(); it != kVideos.rend(); ++it)
        dropped.push_back(folder + *it);
    dropped.insert(dropped.begin() + 2, folder + kMusic);
    ASSERT_TRUE(DropOnMainWindow(app, dropped));
    ASSERT_TRUE(app.WaitRowCount(static_cast<int>(kVideos.size())));
    EXPECT_EQ(std::vector<std::string>{NoVideoText(folder + kMusic)},
              failure::AnswerAllBoxes(app, 60000));
    dropped.erase(dropped.begin() + 2);
    EXPECT_EQ(dropped, app.Column(1));
    EXPECT_EQ(Durations(kVideos.size()), app.Column(2));

    // A drop while the conversion runs is refused: the list stays as it is.
    app.Post(IDC_CONVERT);
    ASSERT_NE(nullptr, app.WaitProgressDialog());
    ASSERT_TRUE(DropOnMainWindow(app, {folder}));
    FinishRun(app);
    EXPECT_EQ(dropped, app.Column(1));
    // AVI: MPEG-4 with mono MP3 at the source's rate and size, as shown.
    CheckOutputs(folder, copy.OutFolder(), {"avi", "avi", "mpeg4", "mp3", 1, 0, 0, 0, 0.0});

    app.Choose(IDC_MAIN_FORMAT, 8); // WMV
    app.Post(IDC_CONVERT);
    FinishRun(app);
    // WMV keeps the source's timing; its frame rate is not a fixed one.
    CheckOutputs(folder, copy.OutFolder(), {"wmv", "asf", "wmv2", "wmav2", 2, 44100, 0, 0, -1.0});

    app.Post(IDCANCEL);
    EXPECT_TRUE(app.WaitExit());
    EXPECT_EQ(std::vector<std::string>(), untouched.Changed());
}

TEST(SourceFormats, DroppedFolderAddsTheVideosDirectlyInsideByName) {
    e2e::ProgramCopy copy("sources_drop_folder");
    const std::string folder = failure::CopyClips(copy, "sources", AllClips());
    // A subfolder's clips stay out.
    const std::string inner = folder + "inner\\";
    ASSERT_TRUE(CreateDirectoryA(inner.c_str(), nullptr));
    ASSERT_TRUE(CopyFileA((folder + "vp9.webm").c_str(), (inner + "a-inner.webm").c_str(), FALSE));

    Tarvello app;
    ASSERT_TRUE(failure::StartReady(app, copy));
    ASSERT_TRUE(DropOnMainWindow(app, {folder.substr(0, folder.size() - 1), folder + kRotated}));
    std::vector<std::string> expected = {"camcorder.ts",  "camera.mov", "fragmented.mp4",
                                         "hevc10-51.mkv", kRotated,     "vp9.webm",
                                         "windows.wmv"};
    for (std::string& name : expected)
        name = folder + name;
    expected.push_back(folder + kRotated); // the file dropped after the folder
    ASSERT_TRUE(app.WaitRowCount(static_cast<int>(expected.size())));
    EXPECT_EQ(expected, app.Column(1));
    EXPECT_EQ(nullptr, failure::WaitBox(app, 500)) << "the MP3 is not a video file name: no box";

    app.Post(IDCANCEL);
    EXPECT_TRUE(app.WaitExit());
}

} // namespace
