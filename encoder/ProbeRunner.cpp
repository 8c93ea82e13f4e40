#include <windows.h>

#include <cstdio>
#include <vector>

#include "media/AviHeaderReader.h"
#include "protocol/ExitCodes.h"
#include "encoder/FfmpegBannerReader.h"
#include "encoder/FfmpegProcess.h"
#include "encoder/IsoMediaFile.h"
#include "encoder/Runners.h"
#include "encoder/SourceFile.h"
#include "encoder/StepTimes.h"

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
    std::vector<uint8_t> head;
    switch (ReadSourceHead(command.source, kAviHeaderReadSize, head, AviDataFollowsHeader)) {
    case SourceState::kMissing:
        return Unusable(reporter, command.source, "no such file", kExitUnusableSource);
    case SourceState::kUnreadable:
        return Unusable(reporter, command.source, "cannot be read", kExitUnusableSource);
    case SourceState::kEmpty:
        return Unusable(reporter, command.source, "the file is empty", kExitUnusableSource);
    case SourceState::kReadable:
        break;
    }

    MarkStep("source head read");
    // An AVI header answers at once, without starting FFmpeg, when the data
    // follows it; FFmpeg judges a file cut short inside its header.
    VideoInfo info;
    if (ReadAviHeader(head.data(), head.size(), info) && info.IsUsable() &&
        AviDataFollowsHeader(head.data(), head.size())) {
        Report(reporter, info);
        return kExitSuccess;
    }

    // So does an MP4 or MOV whose movie box tells everything; fragmented
    // files and those without a video track are left to FFmpeg.
    if (LooksLikeIsoMedia(head.data(), head.size())) {
        const IsoMediaResult iso = ReadIsoMediaFile(command.source, info);
        if (iso == IsoMediaResult::kRead) {
            Report(reporter, info);
            return kExitSuccess;
        }
        // FFmpeg would decode its picture in wrong colours.
        if (iso == IsoMediaResult::kDolbyVisionOnly) {
            return Unusable(reporter, command.source,
                            "Dolby Vision without a compatible base layer", kExitDolbyVisionOnly);
        }
    }

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
