#include <windows.h>

#include <cmath>
#include <cstdio>

#include "protocol/ExitCodes.h"
#include "encoder/FfmpegBannerReader.h"
#include "encoder/FfmpegProcess.h"
#include "encoder/HeaderProbe.h"
#include "encoder/Runners.h"
#include "encoder/StepTimes.h"
#include "encoder/StreamList.h"

namespace {

// FFmpeg reads a header in well under a second; a file that keeps it busy
// longer is not one the program can use.
constexpr DWORD kBannerTimeoutMs = 30000;

void Report(const EventReporter& reporter, const VideoInfo& info) {
    ProbeReport report = MakeProbeReport(info);
    reporter.Send(kEventDuration, report.durationSeconds);
    if (report.durationSeconds <= 0)
        return; // one rejected value is enough
    reporter.Send(kEventWidth, report.width);
    reporter.Send(kEventHeight, report.height);
    reporter.Send(kEventFrameRate, report.frameRateUnits);
}

int Unusable(const EventReporter& reporter, const std::string& source, const char* why,
             int exitCode) {
    std::fprintf(stderr, "quenforenc: %s: %s\n", source.c_str(), why);
    Report(reporter, VideoInfo());
    return exitCode;
}

} // namespace

int RunProbe(const EncoderCommand& command, const std::string& ffmpegPath,
             const EventReporter& reporter) {
    // AVI and ISO media headers answer at once, without starting FFmpeg.
    VideoInfo info;
    switch (ProbeKnownHeader(command.source, info)) {
    case HeaderProbe::kMissing:
        return Unusable(reporter, command.source, "no such file", kExitUnusableSource);
    case HeaderProbe::kUnreadable:
        return Unusable(reporter, command.source, "cannot be read", kExitUnusableSource);
    case HeaderProbe::kEmpty:
        return Unusable(reporter, command.source, "the file is empty", kExitUnusableSource);
    case HeaderProbe::kRead:
        MarkStep("source head read");
        Report(reporter, info);
        return kExitSuccess;
    case HeaderProbe::kDolbyVisionOnly:
        // FFmpeg would decode its picture in wrong colours.
        return Unusable(reporter, command.source, "Dolby Vision without a compatible base layer",
                        kExitDolbyVisionOnly);
    case HeaderProbe::kNotKnown:
        break;
    }
    MarkStep("source head read");

    if (GetFileAttributesA(ffmpegPath.c_str()) == INVALID_FILE_ATTRIBUTES) {
        return Unusable(reporter, command.source,
                        ("not an AVI, and " + ffmpegPath + " is missing").c_str(),
                        kExitFfmpegMissing);
    }
    FfmpegProcess ffmpeg;
    DWORD error = 0;
    if (!ffmpeg.Start(ffmpegPath, {"-hide_banner", "-nostdin", "-i", command.source}, &error)) {
        std::fprintf(stderr, "quenforenc: cannot start %s (error %lu)\n", ffmpegPath.c_str(),
                     static_cast<unsigned long>(error));
        Report(reporter, VideoInfo());
        return kExitFfmpegMissing;
    }
    MarkStep("FFmpeg started");
    if (!ffmpeg.WaitForEnd(kBannerTimeoutMs))
        ffmpeg.Terminate();
    MarkStep("FFmpeg ended");
    ffmpeg.FinishOutput();
    MarkStep("pipes drained");
    // FFmpeg ends with an error here ("At least one output file must be
    // specified"): only its description of the input counts.
    if (!ReadFfmpegBanner(ffmpeg.ErrorText(), info) || !info.IsUsable()) {
        if (FfmpegBannerHasNoVideo(ffmpeg.ErrorText())) {
            // Sound without a picture: its length, for the sound-only
            // formats that take it; the program refuses it for the others.
            const StreamList streams = ReadStreamList(ffmpeg.ErrorText());
            const double seconds = ReadFfmpegSection(ffmpeg.ErrorText(), "Input #0").durationSeconds;
            if (streams.Count(SourceStream::kAudio) > 0 && seconds > 0.0) {
                std::fprintf(stderr, "quenforenc: %s: sound only, no video stream\n",
                             command.source.c_str());
                const double whole = std::floor(seconds);
                reporter.Send(kEventDuration,
                              whole < 1.0 ? 1 : whole > 2147483647.0 ? 2147483647
                                                                     : static_cast<int32_t>(whole));
                return kExitNoVideoStream;
            }
            return Unusable(reporter, command.source, "no video stream", kExitNoVideoStream);
        }
        std::string last = ffmpeg.LastErrorLine();
        return Unusable(reporter, command.source,
                        last.empty() ? "no usable video stream" : last.c_str(),
                        kExitUnusableSource);
    }
    Report(reporter, info);
    MarkStep("reported");
    return kExitSuccess;
}
