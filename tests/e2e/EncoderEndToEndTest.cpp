// The real quenforenc.exe with the shipped ffmpeg.exe, on the sample clips:
// argument texts composed by the engine as the program composes them, reports
// received by a window, outputs checked with the host's ffprobe.
#include <gtest/gtest.h>

#include <windows.h>

#include <cmath>
#include <string>

#include "protocol/EncoderEvents.h"
#include "protocol/ExitCodes.h"
#include "core/OutputFormat.h"
#include "encoder/HeaderProbe.h"
#include "tests/e2e/EncoderHarness.h"
#include "tests/native/encoder/EngineJobs.h"

namespace {

using e2e::ReportWindow;

struct Probed {
    e2e::RunResult run;
    std::vector<ReportWindow::Event> events;
    SourceRow row; // what the program would store from the reports
};

Probed Probe(const std::string& path, const ConversionSettings& settings = ConversionSettings()) {
    ReportWindow window;
    Probed p;
    std::string text = ComposeJobText(settings, SourceRow{}, path, path + ".out", kEncoderModeProbe,
                                      window.HandleValue());
    p.run = e2e::RunProgram(e2e::EncoderPath(), text);
    p.events = window.Events();
    for (const ReportWindow::Event& e : p.events) {
        if (e.code == kEventDuration)
            p.row.duration = e.value;
        if (e.code == kEventWidth)
            p.row.width = e.value;
        if (e.code == kEventHeight)
            p.row.height = e.value;
        if (e.code == kEventFrameRate)
            p.row.frameRate = e.value * 0.0000001;
    }
    return p;
}

TEST(EncoderProbe, ReportsEachClip) {
    struct Case {
        const char* clip;
        int32_t duration, width, height, frameRateUnits;
    };
    const Case cases[] = {
        {"clip-640x480-25fps.avi", 3, 640, 480, 250000000},
        {"clip-640x480-2997fps-xvid.avi", 3, 640, 480, 299700300},
        {"clip-720x400-25fps.avi", 2, 720, 400, 250000000},
        {"clip-320x240-noaudio.avi", 2, 320, 240, 250000000},
        {"clip-matroska.divx", 2, 320, 240, 150000000}, // not an AVI: FFmpeg is asked
    };
    for (const Case& c : cases) {
        Probed p = Probe(e2e::ClipPath(c.clip));
        ASSERT_TRUE(p.run.finished) << c.clip;
        EXPECT_EQ(kExitSuccess, static_cast<int>(p.run.exitCode))
            << c.clip << ": " << p.run.errorText;
        ASSERT_EQ(4u, p.events.size()) << c.clip;
        const uint32_t codes[] = {kEventDuration, kEventWidth, kEventHeight, kEventFrameRate};
        const int32_t values[] = {c.duration, c.width, c.height, c.frameRateUnits};
        for (int i = 0; i < 4; ++i) {
            EXPECT_EQ(codes[i], p.events[i].code) << c.clip;
            EXPECT_EQ(values[i], p.events[i].value) << c.clip << " code " << codes[i];
        }
    }
}

TEST(EncoderProbe, UnusableFilesReportDurationZero) {
    const std::string missing = e2e::ClipPath("no-such-clip.avi");
    for (const std::string& path :
         {e2e::ClipPath("empty.avi"), e2e::ClipPath("text.avi"), missing}) {
        Probed p = Probe(path);
        ASSERT_TRUE(p.run.finished) << path;
        EXPECT_EQ(kExitUnusableSource, static_cast<int>(p.run.exitCode)) << path;
        ASSERT_FALSE(p.events.empty()) << path;
        EXPECT_EQ(kEventDuration, p.events[0].code) << path;
        EXPECT_EQ(0, p.events[0].value) << path;
        EXPECT_FALSE(p.run.errorText.empty()) << path;
    }
    // The probe never creates anything at the output path.
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA((missing + ".out").c_str()));
}

struct FormatJob {
    const char* name;
    ConversionSettings settings;
    const char* clip;
    const char* container; // ffprobe's format name
    const char* videoCodec;
    const char* tag;        // "" when not checked
    const char* audioCodec; // "" when the output has no audio
    int channels;
    int sampleRate; // 0: the source's
};

ConversionSettings Tweak(int format, int tvMode = 0) {
    ConversionSettings s = WithFormat(format);
    s.tvMode = tvMode;
    return s;
}

std::vector<FormatJob> Jobs() {
    ConversionSettings xvidAc3 = Tweak(kFormatXvid);
    xvidAc3.xvidAudioCodec = 1;
    ConversionSettings asfMsmpeg4 = Tweak(kFormatAsf);
    asfMsmpeg4.asfVideoCodec = 0;
    ConversionSettings loud = Tweak(kFormatMpeg2);
    loud.volume = 40;
    return {
        {"avi", Tweak(kFormatAvi), "clip-640x480-25fps.avi", "avi", "mpeg4", "DX50", "mp3", 1, 0},
        {"mpeg1", Tweak(kFormatMpeg1), "clip-320x240-noaudio.avi", "mpeg", "mpeg1video", "", "", 0,
         0},
        {"mpeg2", loud, "clip-640x480-25fps.avi", "mpeg", "mpeg2video", "", "mp2", 2, 44100},
        {"divx", Tweak(kFormatDivx), "clip-720x400-25fps.avi", "avi", "mpeg4", "DX50", "mp3", 1, 0},
        {"xvid", xvidAc3, "clip-640x480-2997fps-xvid.avi", "avi", "mpeg4", "XVID", "ac3", 2, 44100},
        {"vcd", Tweak(kFormatVcd, 0), "clip-640x480-2997fps-xvid.avi", "mpeg", "mpeg1video", "",
         "mp2", 2, 44100},
        {"svcd", Tweak(kFormatSvcd, 1), "clip-640x480-25fps.avi", "mpeg", "mpeg2video", "", "mp2",
         2, 44100},
        {"dvd", Tweak(kFormatDvd, 1), "clip-720x400-25fps.avi", "mpeg", "mpeg2video", "", "ac3", 2,
         48000},
        {"wmv", Tweak(kFormatWmv), "clip-640x480-25fps.avi", "asf", "wmv2", "", "wmav2", 2, 44100},
        {"asf", asfMsmpeg4, "clip-640x480-2997fps-xvid.avi", "asf", "msmpeg4v3", "", "wmav2", 2,
         44100},
    };
}

TEST(EncoderConversion, EveryFormatFromTheProgramsArgumentText) {
    const std::string folder = e2e::FreshFolder("formats");
    for (const FormatJob& job : Jobs()) {
        SCOPED_TRACE(job.name);
        const std::string source = e2e::ClipPath(job.clip);
        Probed probe = Probe(source);
        ASSERT_EQ(kExitSuccess, static_cast<int>(probe.run.exitCode)) << probe.run.errorText;

        const OutputFormatInfo* info = FindOutputFormat(job.settings.outputFormat);
        ASSERT_NE(nullptr, info);
        const std::string output = folder + job.name + "." + info->extension;
        ReportWindow window;
        const std::string text = ComposeJobText(job.settings, probe.row, source, output,
                                                kEncoderModeConvert, window.HandleValue());
        const EncoderProfile profile =
            PlanJob(job.settings, probe.row, kEncoderModeConvert).profile;
        e2e::RunResult run = e2e::RunProgram(e2e::EncoderPath(), text);
        ASSERT_TRUE(run.finished);
        EXPECT_EQ(kExitSuccess, static_cast<int>(run.exitCode)) << text << "\n" << run.errorText;

        // Positions arrive, never go back, and stay within the source.
        std::vector<int32_t> positions = window.Values(kEventPosition);
        EXPECT_FALSE(positions.empty());
        for (size_t i = 1; i < positions.size(); ++i) {
            EXPECT_LE(positions[i - 1], positions[i]);
        }
        if (!positions.empty()) {
            EXPECT_LE(positions.back(), probe.row.duration + 1);
        }
        EXPECT_TRUE(e2e::FilesMatching(folder, "*.~enc*").empty());

        std::map<std::string, std::string> facts = e2e::DescribeMedia(output);
        ASSERT_EQ("1", facts["end"]) << "ffprobe gave no description of " << output;
        EXPECT_EQ(job.container, facts["format"]);
        EXPECT_EQ(job.videoCodec, facts["v.codec_name"]);
        if (*job.tag != '\0') {
            EXPECT_EQ(job.tag, facts["v.codec_tag_string"]);
        }
        const int width = profile.targetWidth > 0 ? profile.targetWidth : probe.row.width;
        const int height = profile.targetHeight > 0 ? profile.targetHeight : probe.row.height;
        EXPECT_EQ(std::to_string(width), facts["v.width"]);
        EXPECT_EQ(std::to_string(height), facts["v.height"]);
        // 1000 fps means "keep the source timing".
        const double fps =
            profile.outputFrameRate == 1000.0 ? probe.row.frameRate : profile.outputFrameRate;
        EXPECT_NEAR(fps, e2e::ParseRate(facts["v.r_frame_rate"]), 0.01) << facts["v.r_frame_rate"];
        EXPECT_EQ(job.audioCodec, facts["a.codec_name"]);
        if (*job.audioCodec != '\0') {
            EXPECT_EQ(std::to_string(job.channels), facts["a.channels"]);
            const int rate =
                job.sampleRate > 0
                    ? job.sampleRate
                    : (std::string(job.clip).find("2997") != std::string::npos ? 48000 : 44100);
            EXPECT_EQ(std::to_string(rate), facts["a.sample_rate"]);
        }
        // One or two extra frames at the end are accepted.
        EXPECT_NEAR(probe.row.duration, std::atof(facts["duration"].c_str()), 0.6)
            << facts["duration"];
    }
}

// A job long enough to be stopped: DVD of the 120-second clip. A shorter one
// could end in the same look at FFmpeg as its first report.
std::string StoppableJob(const std::string& folder, ReportWindow& window, std::string& output) {
    const std::string source = e2e::ClipPath("long-120s-640x480.avi");
    output = folder + "stopped.vob";
    return ComposeJobText(Tweak(kFormatDvd, 1), SourceRow{120.0, 640, 480, 25.0}, source, output,
                          kEncoderModeConvert, window.HandleValue());
}

TEST(EncoderConversion, AnswerOneStopsEncoderAndFfmpeg) {
    const std::string folder = e2e::FreshFolder("stop");
    ReportWindow window;
    window.StopAtPosition(1);
    std::string output;
    e2e::RunResult run = e2e::RunProgram(e2e::EncoderPath(), StoppableJob(folder, window, output));
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(kExitStoppedByUser, static_cast<int>(run.exitCode)) << run.errorText;
    EXPECT_EQ(1u, window.Values(kEventPosition).size()); // nothing after the answer
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(output.c_str()));
    EXPECT_TRUE(e2e::FilesMatching(folder, "*").empty());
    EXPECT_FALSE(e2e::ChildRunning(run.processId, "ffmpeg.exe"));
}

TEST(EncoderConversion, DestroyedWindowStopsEncoderAndFfmpeg) {
    const std::string folder = e2e::FreshFolder("window-gone");
    ReportWindow window;
    window.DestroyAtPosition(1);
    std::string output;
    e2e::RunResult run = e2e::RunProgram(e2e::EncoderPath(), StoppableJob(folder, window, output));
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(kExitWindowGone, static_cast<int>(run.exitCode)) << run.errorText;
    EXPECT_TRUE(e2e::FilesMatching(folder, "*").empty());
    EXPECT_FALSE(e2e::ChildRunning(run.processId, "ffmpeg.exe"));
}

TEST(EncoderConversion, KilledEncoderLeavesNothingUnderTheFinalNameAndTakesFfmpeg) {
    const std::string folder = e2e::FreshFolder("killed");
    ReportWindow window;
    std::string output;
    e2e::RunResult run =
        e2e::RunProgram(e2e::EncoderPath(), StoppableJob(folder, window, output), 180000,
                        [&] { return !window.Values(kEventPosition).empty(); });
    ASSERT_TRUE(run.killed);
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(output.c_str()));
    // Only the temporary can be left (the program removes it).
    for (const std::string& name : e2e::FilesMatching(folder, "*")) {
        EXPECT_NE(std::string::npos, name.find(".~enc")) << name;
    }
    // The job object ends FFmpeg with its encoder (a safety bound, not a timing check).
    bool ffmpegRunning = true;
    for (int i = 0; i < 200 && ffmpegRunning; ++i) {
        ffmpegRunning = e2e::ChildRunning(run.processId, "ffmpeg.exe");
        if (ffmpegRunning)
            Sleep(50);
    }
    EXPECT_FALSE(ffmpegRunning);
}

TEST(EncoderConversion, FailuresHaveTheirOwnExitCodes) {
    const std::string folder = e2e::FreshFolder("failures");
    const std::string source = e2e::ClipPath("clip-320x240-noaudio.avi");
    const ConversionSettings avi = Tweak(kFormatAvi);
    const SourceRow row{2.0, 320, 240, 25.0};

    // No such output folder: FFmpeg fails and its last error line is passed on.
    std::string text = ComposeJobText(avi, row, source, folder + "missing\\out.avi", 0, 0);
    e2e::RunResult run = e2e::RunProgram(e2e::EncoderPath(), text);
    EXPECT_EQ(kExitFfmpegFailed, static_cast<int>(run.exitCode)) << run.errorText;
    EXPECT_NE(std::string::npos, run.errorText.find("FFmpeg failed: ")) << run.errorText;

    // The output named as the source: refused, the source untouched.
    WIN32_FILE_ATTRIBUTE_DATA before = {};
    WIN32_FILE_ATTRIBUTE_DATA after = {};
    GetFileAttributesExA(source.c_str(), GetFileExInfoStandard, &before);
    run = e2e::RunProgram(e2e::EncoderPath(), ComposeJobText(avi, row, source, source, 0, 0));
    EXPECT_EQ(kExitBadArguments, static_cast<int>(run.exitCode)) << run.errorText;
    GetFileAttributesExA(source.c_str(), GetFileExInfoStandard, &after);
    EXPECT_EQ(before.nFileSizeLow, after.nFileSizeLow);
    EXPECT_EQ(0, CompareFileTime(&before.ftLastWriteTime, &after.ftLastWriteTime));

    // Unknown option: its own code; a probe still answers with duration 0.
    ReportWindow window;
    const std::string bad = "\"" + source + "\" -o \"" + folder + "x.avi\" -turbo 1 1 " +
                            std::to_string(window.HandleValue());
    run = e2e::RunProgram(e2e::EncoderPath(), bad);
    EXPECT_EQ(kExitBadArguments, static_cast<int>(run.exitCode));
    EXPECT_NE(std::string::npos, run.errorText.find("unknown option '-turbo'")) << run.errorText;
    ASSERT_EQ(1u, window.Events().size());
    EXPECT_EQ(0, window.Events()[0].value);
    EXPECT_TRUE(e2e::FilesMatching(folder, "*").empty());
}

TEST(EncoderConversion, MissingFfmpegIsReportedAtOnce) {
    // A copy of the encoder alone in a folder of its own.
    const std::string folder = e2e::FreshFolder("no-ffmpeg");
    const std::string lonely = folder + "quenforenc.exe";
    ASSERT_TRUE(CopyFileA(e2e::EncoderPath().c_str(), lonely.c_str(), FALSE));
    const std::string source = e2e::ClipPath("clip-640x480-25fps.avi");

    std::string text = ComposeJobText(Tweak(kFormatAvi), SourceRow{3.0, 640, 480, 25.0}, source,
                                      folder + "out.avi", 0, 0);
    e2e::RunResult run = e2e::RunProgram(lonely, text);
    EXPECT_EQ(kExitFfmpegMissing, static_cast<int>(run.exitCode)) << run.errorText;
    EXPECT_NE(std::string::npos, run.errorText.find("ffmpeg.exe")) << run.errorText;

    // An AVI is still probed from its header; anything else needs FFmpeg.
    ReportWindow window;
    text = ComposeJobText(ConversionSettings(), SourceRow{}, source, folder + "p.avi", 1,
                          window.HandleValue());
    EXPECT_EQ(kExitSuccess, static_cast<int>(e2e::RunProgram(lonely, text).exitCode));
    EXPECT_EQ(std::vector<int32_t>{3}, window.Values(kEventDuration));
    window.Clear();
    text = ComposeJobText(ConversionSettings(), SourceRow{}, e2e::ClipPath("clip-matroska.divx"),
                          folder + "p.avi", 1, window.HandleValue());
    EXPECT_EQ(kExitFfmpegMissing, static_cast<int>(e2e::RunProgram(lonely, text).exitCode));
    EXPECT_EQ(std::vector<int32_t>{0}, window.Values(kEventDuration));
}

} // namespace

namespace {

TEST(EncoderConversion, NonAsciiNamesCrossIntact) {
    // Both executables carry the UTF-8 code page manifest.
    if (GetACP() != CP_UTF8)
        GTEST_SKIP() << "no UTF-8 code page (manifest not honoured)";
    const std::string folder = e2e::FreshFolder("names");
    const std::string source =
        folder + "clip caf\xc3\xa9 \xe6\x97\xa5\xe6\x9c\xac.avi";       // "clip café 日本.avi"
    const std::string output = folder + "sortie \xc3\xa9t\xc3\xa9.avi"; // "sortie été.avi"
    ASSERT_TRUE(
        CopyFileA(e2e::ClipPath("clip-320x240-noaudio.avi").c_str(), source.c_str(), FALSE));

    Probed probe = Probe(source);
    EXPECT_EQ(kExitSuccess, static_cast<int>(probe.run.exitCode)) << probe.run.errorText;
    EXPECT_EQ(2.0, probe.row.duration);

    const std::string text =
        ComposeJobText(Tweak(kFormatAvi), probe.row, source, output, kEncoderModeConvert, 0);
    e2e::RunResult run = e2e::RunProgram(e2e::EncoderPath(), text);
    EXPECT_EQ(kExitSuccess, static_cast<int>(run.exitCode)) << run.errorText;
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(output.c_str()));
    EXPECT_EQ(2u,
              e2e::FilesMatching(folder, "*").size()); // the source and the output, nothing else
}

} // namespace

namespace {

// The program reads AVI and ISO media headers itself: whatever it reads must
// be exactly what the encoder's probe reports, and the rest is left to it.
TEST(EncoderProbe, HeadersReadByTheProgramGiveTheEncodersReports) {
    const struct {
        const char* clip;
        bool readHere;
    } cases[] = {
        {"clip-640x480-25fps.avi", true},    {"clip-640x480-2997fps-xvid.avi", true},
        {"clip-321x241-25fps.avi", true},    {"long-120s-640x480.avi", true},
        {"corrupt-body.avi", true},          {"phone-rotated.mp4", true},
        {"camera.mov", true},                {"truncated-header.avi", false},
        {"fragmented.mp4", false},           {"clip-matroska.divx", false},
        {"text.avi", false},                 {"empty.avi", false},
    };
    for (const auto& c : cases) {
        const std::string path = e2e::ClipPath(c.clip);
        VideoInfo info;
        const bool read = ProbeKnownHeader(path, info) == HeaderProbe::kRead;
        EXPECT_EQ(c.readHere, read) << c.clip;
        if (!read)
            continue;
        const ProbeReport here = MakeProbeReport(info);
        const Probed p = Probe(path);
        ASSERT_EQ(4u, p.events.size()) << c.clip;
        const int32_t values[] = {here.durationSeconds, here.width, here.height,
                                  here.frameRateUnits};
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(values[i], p.events[i].value) << c.clip << " code " << p.events[i].code;
    }
}

} // namespace
