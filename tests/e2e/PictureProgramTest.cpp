// Phone, camera (HDR10, Dolby Vision, 576i), AV1 and movie clips through the real Tarvello.exe:
// imported with the file dialog (a Dolby Vision clip without a compatible base layer refused with
// its reason), converted to MP4 from the list, and the outputs judged by the host's ffprobe and
// ffmpeg.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "res/resource.h"
#include "tests/e2e/EncoderHarness.h"
#include "tests/e2e/FailureSupport.h"
#include "tests/e2e/MainDriver.h"

namespace {

struct Case {
    const char* clip;
    const char* trc;                 // the output's color_transfer
    double minPsnr;                  // dB against picture-sdr.mp4; 0 when not judged
    bool fields;                     // interlaced source: the output must not comb
    std::vector<std::string> tracks; // the streams after the video; empty: not judged
};

TEST(PictureProgram, PhoneCameraAndMovieClipsConvertFromTheList) {
    e2e::ProgramCopy copy("picture_program");
    copy.SetOption("Output format", "10"); // MP4
    for (const std::string& name : e2e::FilesMatching(copy.OutFolder(), "*"))
        DeleteFileA((copy.OutFolder() + name).c_str());
    // 20 dB: see PictureEndToEndTest; the grey picture of an HDR clip not
    // tone-mapped measures 13.6.
    const Case cases[] = {
        {"picture-pq.mp4", "bt709", 20, false, {}},
        {"picture-dv81.mp4", "bt709", 20, false, {}},
        {"picture-576i.mpg", "", 0, true, {}},
        {"picture-av1.mp4", "bt709", 30, false, {}},
        {"picture-av1-matroska.mkv", "bt709", 30, false, {}},
        {"picture-tracks.mkv", "", 0, false,
         {"audio aac@48000 eng -", "audio aac@48000 ger default", "subtitle mov_text eng default",
          "subtitle mov_text fre -", "data bin_data eng -"}},
    };
    std::vector<std::pair<std::string, std::string>> clips = {{"picture-dv5.mp4", ""}};
    std::vector<std::string> names = {"picture-dv5.mp4"};
    std::vector<std::string> listed;
    for (const Case& c : cases) {
        clips.push_back({c.clip, ""});
        names.push_back(c.clip);
    }
    const std::string folder = failure::CopyClips(copy, "clips", clips);
    for (const Case& c : cases)
        listed.push_back(folder + c.clip);
    failure::FolderGuard untouched(folder);

    e2e::Tarvello app;
    ASSERT_TRUE(failure::StartReady(app, copy));
    ASSERT_TRUE(app.ImportThroughDialog(folder, names));
    ASSERT_TRUE(app.WaitRowCount(static_cast<int>(listed.size())));
    EXPECT_EQ(std::vector<std::string>{"Load file " + folder +
                                       "picture-dv5.mp4 failed.\nIts Dolby Vision video has no "
                                       "HDR10, HLG or SDR base layer to convert."},
              failure::AnswerAllBoxes(app, 60000));
    EXPECT_EQ(listed, app.Column(1));

    app.Post(IDC_CONVERT);
    HWND summary = app.WaitDialog("Tarvello", 600000);
    ASSERT_NE(nullptr, summary);
    EXPECT_EQ(0u, e2e::BoxText(summary).find("Mission accomplished!")) << e2e::BoxText(summary);
    e2e::Answer(summary, IDOK);

    for (const Case& c : cases) {
        SCOPED_TRACE(c.clip);
        const std::string clip = c.clip;
        const std::string output = copy.OutFolder() + clip.substr(0, clip.rfind('.')) + ".mp4";
        std::map<std::string, std::string> facts = e2e::HostFacts(
            "picture-summary.sh", {output, e2e::ClipPath("picture-sdr.mp4")}, output + ".txt");
        ASSERT_EQ("1", facts["end"]);
        EXPECT_EQ("yuv420p", facts["pix_fmt"]);
        if (*c.trc != '\0') {
            EXPECT_EQ(c.trc, facts["color_transfer"]);
        }
        if (c.minPsnr > 0) {
            EXPECT_GE(std::atof(facts["psnr"].c_str()), c.minPsnr);
        }
        // Deinterlaced: idet calls few frames combed.
        if (c.fields) {
            EXPECT_LE(std::atoi(facts["idet.interlaced"].c_str()) * 4,
                      std::atoi(facts["idet.progressive"].c_str()));
        }
        if (c.tracks.empty())
            continue;
        facts = e2e::HostFacts("tracks-summary.sh", {output}, output + ".tracks.txt");
        std::vector<std::string> tracks;
        for (size_t i = 1; facts.count("stream." + std::to_string(i)) != 0; ++i)
            tracks.push_back(facts["stream." + std::to_string(i)]);
        EXPECT_EQ(c.tracks, tracks);
        EXPECT_EQ("2", facts["chapters"]);
    }
    app.Post(IDCANCEL);
    EXPECT_TRUE(app.WaitExit());
    EXPECT_EQ(std::vector<std::string>(), untouched.Changed());
}

} // namespace
