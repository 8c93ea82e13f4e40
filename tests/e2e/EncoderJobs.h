// A job of the real quenforenc.exe as the program would start it: the probe
// that fills a source row, and a conversion with given settings.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "protocol/EncoderEvents.h"
#include "protocol/ExitCodes.h"
#include "tests/e2e/EncoderHarness.h"
#include "tests/native/encoder/EngineJobs.h"

namespace e2e {

// What the program would store for a clip: the encoder's own probe reports.
inline SourceRow ProbeRow(const std::string& source) {
    ReportWindow window;
    const std::string text =
        ComposeJobText(ConversionSettings(), SourceRow{}, source, source + ".out",
                       kEncoderModeProbe, window.HandleValue());
    e2e::RunResult run = e2e::RunProgram(e2e::EncoderPath(), text);
    EXPECT_EQ(kExitSuccess, static_cast<int>(run.exitCode)) << run.errorText;
    SourceRow row{};
    for (const ReportWindow::Event& e : window.Events()) {
        if (e.code == kEventDuration)
            row.duration = e.value;
        if (e.code == kEventWidth)
            row.width = e.value;
        if (e.code == kEventHeight)
            row.height = e.value;
        if (e.code == kEventFrameRate)
            row.frameRate = e.value * 0.0000001;
    }
    return row;
}

struct Converted {
    bool ok = false;
    std::string output;
    EncoderProfile profile;
};

inline Converted Convert(const ConversionSettings& settings, const std::string& source,
                         const SourceRow& row, const std::string& output) {
    Converted c;
    c.output = output;
    ReportWindow window;
    const std::string text =
        ComposeJobText(settings, row, source, output, kEncoderModeConvert, window.HandleValue());
    c.profile = PlanJob(settings, row, kEncoderModeConvert).profile;
    e2e::RunResult run = e2e::RunProgram(e2e::EncoderPath(), text);
    EXPECT_TRUE(run.finished);
    EXPECT_EQ(kExitSuccess, static_cast<int>(run.exitCode)) << text << "\n" << run.errorText;
    EXPECT_FALSE(window.Values(kEventPosition).empty());
    c.ok = run.finished && run.exitCode == kExitSuccess;
    return c;
}

} // namespace e2e
