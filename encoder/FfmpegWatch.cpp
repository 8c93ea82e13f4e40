#include "encoder/FfmpegWatch.h"

#include "encoder/ConversionLog.h"
#include "encoder/FfmpegProcess.h"
#include "encoder/StepTimes.h"
#include "protocol/EncoderEvents.h"
#include "protocol/ExitCodes.h"

namespace {

constexpr DWORD kPollMs = 200;
constexpr DWORD kReportEveryMs = 1000;

} // namespace

FfmpegRunResult WatchFfmpeg(const std::string& ffmpegPath, const std::vector<std::string>& args,
                            const EventReporter& reporter, PositionShown shown,
                            const void* context) {
    FfmpegRunResult result;
    FfmpegProcess ffmpeg;
    DWORD startError = 0;
    if (!ffmpeg.Start(ffmpegPath, args, &startError)) {
        result.outcome = kExitFfmpegMissing;
        result.lastError =
            "cannot start " + ffmpegPath + " (error " + std::to_string(startError) + ")";
        return result;
    }

    MarkStep("FFmpeg started");
    int32_t reported = -1;
    DWORD reportedAt = GetTickCount();
    bool ended = false;
    for (;;) {
        ended = ffmpeg.WaitForEnd(kPollMs);
        if (!reporter.Listening()) {
            if (ended)
                break;
            continue;
        }
        if (!reporter.WindowExists()) {
            result.outcome = kExitWindowGone;
            break;
        }
        const int32_t position = shown(ffmpeg.PositionSeconds(), context);
        DWORD now = GetTickCount();
        if (position != reported || now - reportedAt >= kReportEveryMs) {
            reported = position;
            reportedAt = now;
            if (reporter.Send(kEventPosition, position) == kEventStop) {
                result.outcome = kExitStoppedByUser;
                break;
            }
        }
        if (ended)
            break;
    }

    MarkStep(ended ? "FFmpeg ended" : "stop asked");
    if (result.outcome != kExitSuccess)
        ffmpeg.Terminate();
    ffmpeg.FinishOutput();
    MarkStep("pipes drained");
    result.exitCode = ffmpeg.ExitCode();
    result.lastError = ffmpeg.LastErrorLine();
    result.description = ffmpeg.ErrorText();
    result.lastPosition = ffmpeg.PositionSeconds();
    LogFfmpegRun(ffmpegPath, args, result.description, result.lastError);
    return result;
}
