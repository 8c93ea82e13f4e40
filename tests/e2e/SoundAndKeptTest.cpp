// The sound-only formats and the streams kept through the real Tarvello.exe:
// clips imported with the file dialog (a WAV taken while MP3 is chosen,
// refused while MP4 is), converted from the list, and the outputs judged by
// the host's ffprobe against their sources.
#include <windows.h>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "res/resource.h"
#include "tests/e2e/EncoderHarness.h"
#include "tests/e2e/FailureSupport.h"
#include "tests/e2e/MainDriver.h"

namespace {

// The summary goes to `result`, never beside a source.
std::map<std::string, std::string> Facts(const std::string& file, const std::string& result) {
    std::map<std::string, std::string> facts =
        e2e::HostFacts("sound-summary.sh", {file}, result);
    EXPECT_EQ("1", facts["end"]) << "no description of " << file;
    return facts;
}

std::vector<std::string> Streams(std::map<std::string, std::string>& facts) {
    std::vector<std::string> streams;
    for (int i = 0; facts.count("stream." + std::to_string(i)) != 0; ++i)
        streams.push_back(facts["stream." + std::to_string(i)]);
    return streams;
}

std::string Stem(const std::string& name) {
    return name.substr(0, name.rfind('.'));
}

// Converts the whole list and returns the end box's text.
std::string ConvertList(e2e::Tarvello& app) {
    app.Post(IDC_CONVERT);
    HWND summary = app.WaitDialog("Tarvello", 600000);
    if (summary == nullptr)
        return "(no end box)";
    const std::string text = e2e::BoxText(summary);
    e2e::Answer(summary, IDOK);
    return text;
}

TEST(SoundAndKept, AVideosSoundAndAWavToEachSoundFormat) {
    e2e::ProgramCopy copy("sound_program");
    copy.SetOption("Output format", "10"); // MP4 first: the WAV is refused
    const std::string folder = failure::CopyClips(
        copy, "clips", {{"sound-video.mp4", ""}, {"sound-only.wav", ""}});
    failure::FolderGuard untouched(folder);
    e2e::Tarvello app;
    ASSERT_TRUE(failure::StartReady(app, copy));
    ASSERT_TRUE(app.ImportThroughDialog(folder, {"sound-only.wav"}));
    EXPECT_EQ(std::vector<std::string>{"Load file " + folder +
                                       "sound-only.wav failed.\nThe file holds no video stream."},
              failure::AnswerAllBoxes(app, 60000));
    EXPECT_EQ(0, app.RowCount());

    app.Choose(IDC_MAIN_FORMAT, 13); // MP3: the WAV is taken, the filters offer it
    ASSERT_TRUE(app.ImportThroughDialog(folder, {"sound-video.mp4", "sound-only.wav"}, 4));
    ASSERT_TRUE(app.WaitRowCount(2));
    EXPECT_EQ(std::vector<std::string>(), failure::AnswerAllBoxes(app, 2000));
    EXPECT_EQ("00:00:03", app.Cell(1, 2));

    const struct {
        int format;
        const char* extension;
        const char* codec; // with rate and channels
        const char* chapters; // null: not judged
    } formats[] = {{13, ".mp3", "mp3@44100/2", nullptr},
                   {14, ".m4a", "aac@44100/2", "2"},
                   {15, ".flac", "flac@44100/2", nullptr}};
    for (const auto& f : formats) {
        SCOPED_TRACE(f.extension);
        app.Choose(IDC_MAIN_FORMAT, f.format);
        EXPECT_EQ(0u, ConvertList(app).find("Mission accomplished!"));
        for (const char* clip : {"sound-video.mp4", "sound-only.wav"}) {
            SCOPED_TRACE(clip);
            std::map<std::string, std::string> source =
                Facts(folder + clip, copy.OutFolder() + clip + ".txt");
            const std::string output = copy.OutFolder() + Stem(clip) + f.extension;
            std::map<std::string, std::string> out = Facts(output, output + ".txt");
            const std::vector<std::string> streams = Streams(out);
            ASSERT_LE(1u, streams.size());
            EXPECT_EQ(std::string("audio ") + f.codec, streams[0].substr(0, streams[0].find(' ', 6)));
            EXPECT_NEAR(std::atof(source["duration"].c_str()), std::atof(out["duration"].c_str()),
                        0.1);
            if (std::string(clip) == "sound-video.mp4") {
                EXPECT_EQ("Lake song", out["tag.title"]);
                EXPECT_EQ("The Testers", out["tag.artist"]);
                EXPECT_EQ("2024", out["tag.date"].substr(0, 4));
                if (f.chapters != nullptr) {
                    EXPECT_EQ(f.chapters, out["chapters"]);
                }
            }
        }
    }
    app.Post(IDCANCEL);
    EXPECT_TRUE(app.WaitExit());
    EXPECT_EQ(std::vector<std::string>(), untouched.Changed());
}

TEST(SoundAndKept, TracksKeptInMp4AndMkvAndVp8RefusedByMp4) {
    e2e::ProgramCopy copy("kept_program");
    copy.SetOption("Output format", "16"); // MP4, streams kept
    const std::string folder = failure::CopyClips(
        copy, "clips", {{"kept-tracks.mkv", ""}, {"kept-vp8.webm", ""}, {"kept-divx.avi", ""}});
    failure::FolderGuard untouched(folder);
    e2e::Tarvello app;
    ASSERT_TRUE(failure::StartReady(app, copy));
    ASSERT_TRUE(
        app.ImportThroughDialog(folder, {"kept-tracks.mkv", "kept-vp8.webm", "kept-divx.avi"}));
    ASSERT_TRUE(app.WaitRowCount(3));

    const std::string mp4End = ConvertList(app);
    EXPECT_NE(std::string::npos,
              mp4End.find(folder + "kept-vp8.webm - MP4 cannot carry the source's VP8 video as "
                                   "it is: choose \"MKV, streams kept as they are (*.mkv)\"."))
        << mp4End;
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES,
              GetFileAttributesA((copy.OutFolder() + "kept-vp8.mp4").c_str()));
    app.Choose(IDC_MAIN_FORMAT, 17); // MKV, streams kept: every row
    EXPECT_EQ(0u, ConvertList(app).find("Mission accomplished!"));

    const struct {
        const char* clip;
        const char* output;
        std::vector<std::string> streams;
    } cases[] = {
        // The Vorbis track MP4 cannot carry becomes AAC, SubRip mov_text.
        {"kept-tracks.mkv",
         "kept-tracks.mp4",
         {"video h264 und default", "audio aac@44100/2 eng -", "audio aac@48000/2 fre default",
          "subtitle mov_text eng default"}},
        {"kept-tracks.mkv",
         "kept-tracks.mkv",
         {"video h264 - -", "audio aac@44100/2 eng -", "audio vorbis@48000/2 fre default",
          "subtitle subrip eng -"}},
        {"kept-vp8.webm",
         "kept-vp8.mkv",
         {"video vp8 - default", "audio vorbis@44100/1 - default"}},
        // B-frame packets without timestamps: the picture still the source's.
        {"kept-divx.avi", "kept-divx.mp4", {}},
        {"kept-divx.avi", "kept-divx.mkv", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.output);
        std::map<std::string, std::string> source =
            Facts(folder + c.clip, copy.OutFolder() + c.clip + ".txt");
        const std::string output = copy.OutFolder() + c.output;
        std::map<std::string, std::string> out = Facts(output, output + ".txt");
        if (!c.streams.empty()) {
            EXPECT_EQ(c.streams, Streams(out));
        }
        // The picture is the source's, packet for packet.
        EXPECT_EQ(source["video.packets"], out["video.packets"]);
        EXPECT_EQ(source["video.hash"], out["video.hash"]);
        EXPECT_NEAR(std::atof(source["duration"].c_str()), std::atof(out["duration"].c_str()), 0.1);
    }
    app.Post(IDCANCEL);
    EXPECT_TRUE(app.WaitExit());
    EXPECT_EQ(std::vector<std::string>(), untouched.Changed());
}

} // namespace
