// The batch run with the real encoder and FFmpeg: two clips probed and then
// converted to DVD (PAL) in one run; the outputs checked with ffprobe.
#include <cstdlib>
#include <map>
#include <string>

#include "protocol/ExitCodes.h"
#include "core/EncoderArguments.h"
#include "core/EncoderReports.h"
#include "run/EncoderJobs.h"
#include "run/EncoderLaunch.h"
#include "core/OutputFormat.h"
#include "tests/e2e/EncoderHarness.h"
#include "tests/win/run/RunTestFixture.h"

namespace runtest {
namespace {

using RunEndToEnd = RunTest;

// One probe through the encoder, as the import makes it.
ProbeResult ProbeClip(const std::string& program, const std::string& clip,
                      const std::string& output, uint32_t* exitCode) {
    struct Sink : JobReportSink {
        ProbeResult probe;
        LRESULT OnJobReport(int32_t, uint32_t code, int32_t value) override {
            return ApplyProbeReport(code, value, probe);
        }
    } sink;
    EncoderJobs jobs(sink);
    DWORD error = 0;
    EXPECT_EQ(EncoderJobs::Launch::kStarted,
              jobs.StartJob(jobs.FreeSlot(), program.c_str(), ConversionSettings(), SourceRow{},
                            clip.c_str(), output.c_str(), kEncoderModeProbe, &error))
        << error;
    EXPECT_EQ(0, jobs.WaitForOne(exitCode));
    return sink.probe;
}

TEST_F(RunEndToEnd, TwoClipsToDvdInOneBatch) {
    host.fakeClock = false; // real time: the summary's figure is not checked
    const std::string program = wintest::ToWindowsPath(RUN_E2E_PROGRAM_DIR);
    const std::string clips[] = {e2e::ClipPath("clip-640x480-25fps.avi"),
                                 e2e::ClipPath("clip-720x400-25fps.avi")};
    const std::string out = FreshFolder("e2e-dvd");
    host.encoderFolder = program;
    host.outputFolder = out;
    session.settings.outputFormat = kFormatDvd;
    session.settings.tvMode = 1; // PAL: 720 x 576 at 25 fps

    // Import: each clip probed into the row it will take.
    for (const std::string& clip : clips) {
        uint32_t exitCode = 0;
        const ProbeResult probe = ProbeClip(program, clip, out + "probe.vob", &exitCode);
        ASSERT_EQ(kExitSuccess, static_cast<int>(exitCode));
        ASSERT_TRUE(probe.Usable()) << clip;
        session.sources.Append(clip.c_str(), probe.facts);
    }
    EXPECT_EQ(5.0, session.sources.TotalSeconds());

    BoxAnswers boxes(Caption(), {IDOK});
    ConvertAllRows(host, session);
    const std::vector<std::string> texts = boxes.Texts();
    ASSERT_EQ(1u, texts.size());
    EXPECT_EQ(0u, texts[0].find("Mission accomplished! Total Time:")) << texts[0];
    // The progress the encoder reported reached the bar (hidden now, still set).
    EXPECT_GT(progress->m_progress.GetPos(), 0);
    EXPECT_LE(progress->m_progress.GetPos(), 1000);
    EXPECT_TRUE(host.IsWindowEnabled());

    const char* names[] = {"clip-640x480-25fps.vob", "clip-720x400-25fps.vob"};
    for (const char* name : names) {
        SCOPED_TRACE(name);
        std::map<std::string, std::string> facts = e2e::DescribeMedia(out + name);
        ASSERT_EQ("1", facts["end"]) << "ffprobe gave no description";
        EXPECT_EQ("mpeg", facts["format"]);
        EXPECT_EQ("mpeg2video", facts["v.codec_name"]);
        EXPECT_EQ("720", facts["v.width"]);
        EXPECT_EQ("576", facts["v.height"]);
        EXPECT_NEAR(25.0, e2e::ParseRate(facts["v.r_frame_rate"]), 0.01);
        EXPECT_EQ("ac3", facts["a.codec_name"]);
        EXPECT_EQ("48000", facts["a.sample_rate"]);
    }
}

} // namespace
} // namespace runtest
