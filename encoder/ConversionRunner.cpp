#include <windows.h>

#include <cstdio>
#include <vector>

#include "media/AviHeaderReader.h"
#include "protocol/ExitCodes.h"
#include "encoder/FfmpegArguments.h"
#include "encoder/FfmpegProcess.h"
#include "encoder/Runners.h"
#include "encoder/SourceFile.h"
#include "encoder/StepTimes.h"
#include "protocol/TemporaryName.h"

namespace {

constexpr DWORD kPollMs = 200;
constexpr DWORD kReportEveryMs = 1000;

// Removes the unfinished output; FFmpeg's handle may outlive its process by
// a moment, so try a few times.
void RemoveTemporary(const std::string& path) {
    for (int attempt = 0; attempt < 20; ++attempt) {
        if (DeleteFileA(path.c_str()) || GetLastError() == ERROR_FILE_NOT_FOUND)
            return;
        Sleep(50);
    }
}

int Fail(int exitCode, const char* format, const std::string& detail) {
    std::fprintf(stderr, "quenforenc: ");
    std::fprintf(stderr, format, detail.c_str());
    std::fprintf(stderr, "\n");
    return exitCode;
}

} // namespace

int RunConversion(const EncoderCommand& command, const std::string& ffmpegPath,
                  const EventReporter& reporter) {
    std::vector<uint8_t> head;
    SourceState state =
        ReadSourceHead(command.source, kAviHeaderReadSize, head, AviDataFollowsHeader);
    if (state == SourceState::kMissing)
        return Fail(kExitUnusableSource, "%s: no such file", command.source);
    if (state != SourceState::kReadable)
        return Fail(kExitUnusableSource, "%s: empty or unreadable", command.source);
    // Writing over the source would lose it.
    if (IsSameFile(command.source, command.output)) {
        return Fail(kExitBadArguments, "the output %s is the source itself", command.output);
    }
    if (GetFileAttributesA(ffmpegPath.c_str()) == INVALID_FILE_ATTRIBUTES) {
        return Fail(kExitFfmpegMissing, "%s is missing", ffmpegPath);
    }

    // Xvid's key interval follows the frame rate, which the AVI header knows.
    VideoInfo source;
    ReadAviHeader(head.data(), head.size(), source);
    FfmpegTarget target;
    target.outputPath = TemporaryOutputName(command.output, GetCurrentProcessId());
    target.sourceFrameRate = source.framesPerSecond;
    std::vector<std::string> args;
    std::string error;
    if (!TranslateToFfmpeg(command, target, args, error))
        return Fail(kExitBadArguments, "%s", error);

    MarkStep("source read, arguments translated");
    FfmpegProcess ffmpeg;
    DWORD startError = 0;
    if (!ffmpeg.Start(ffmpegPath, args, &startError)) {
        return Fail(kExitFfmpegMissing, "cannot start %s",
                    ffmpegPath + " (error " + std::to_string(startError) + ")");
    }

    MarkStep("FFmpeg started");
    int32_t reported = -1;
    DWORD reportedAt = GetTickCount();
    bool ended = false;
    int outcome = kExitSuccess;
    for (;;) {
        ended = ffmpeg.WaitForEnd(kPollMs);
        if (!reporter.Listening()) {
            if (ended)
                break;
            continue;
        }
        if (!reporter.WindowExists()) {
            outcome = kExitWindowGone;
            break;
        }
        int32_t position = ffmpeg.PositionSeconds();
        DWORD now = GetTickCount();
        if (position != reported || now - reportedAt >= kReportEveryMs) {
            reported = position;
            reportedAt = now;
            if (reporter.Send(kEventPosition, position) == kEventStop) {
                outcome = kExitStoppedByUser;
                break;
            }
        }
        if (ended)
            break;
    }

    MarkStep(ended ? "FFmpeg ended" : "stop asked");
    if (outcome != kExitSuccess) {
        ffmpeg.Terminate();
        ffmpeg.FinishOutput();
        RemoveTemporary(target.outputPath);
        return Fail(outcome, "%s",
                    outcome == kExitStoppedByUser ? "stopped by the user" : "the window is gone");
    }

    ffmpeg.FinishOutput();
    MarkStep("pipes drained");
    DWORD exitCode = ffmpeg.ExitCode();
    if (exitCode != 0 || GetFileAttributesA(target.outputPath.c_str()) == INVALID_FILE_ATTRIBUTES) {
        RemoveTemporary(target.outputPath);
        std::string last = ffmpeg.LastErrorLine();
        return Fail(kExitFfmpegFailed, "FFmpeg failed: %s",
                    last.empty() ? "exit code " + std::to_string(exitCode) : last);
    }
    // A rename within the folder: the name changes at once, complete file
    // and all, and nothing needs flushing first.
    if (!MoveFileExA(target.outputPath.c_str(), command.output.c_str(),
                     MOVEFILE_REPLACE_EXISTING)) {
        DWORD moveError = GetLastError();
        RemoveTemporary(target.outputPath);
        return Fail(kExitOutputFailed, "cannot write %s",
                    command.output + " (error " + std::to_string(moveError) + ")");
    }
    MarkStep("output renamed");
    return kExitSuccess;
}
