#include <windows.h>

#include <cstdio>
#include <vector>

#include "media/AviHeaderReader.h"
#include "protocol/ExitCodes.h"
#include "encoder/ConversionLog.h"
#include "encoder/FfmpegArguments.h"
#include "encoder/FfmpegBannerReader.h"
#include "encoder/FfmpegProcess.h"
#include "encoder/FfmpegWatch.h"
#include "encoder/IsoMediaFile.h"
#include "encoder/TargetSizeRun.h"
#include "encoder/OutputCheck.h"
#include "encoder/Runners.h"
#include "encoder/SourceFile.h"
#include "encoder/StreamsKept.h"
#include "encoder/StepTimes.h"
#include "protocol/TemporaryName.h"

namespace {

// FFmpeg reads a header in well under a second.
constexpr DWORD kBannerTimeoutMs = 30000;

// A single encode shows the position FFmpeg reached.
int32_t AsReached(int32_t position, const void*) {
    return position;
}

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
    char text[1024];
    std::snprintf(text, sizeof text, format, detail.c_str());
    std::fprintf(stderr, "quenforenc: %s\n", text);
    LogNote(text);
    return exitCode;
}

// What FFmpeg reads of the source's picture (its colour, range and fields),
// its date and its streams; unknown when FFmpeg says nothing in time.
void ReadSource(const std::string& ffmpegPath, const std::string& source, FfmpegTarget& target) {
    FfmpegProcess ffmpeg;
    DWORD error = 0;
    if (!ffmpeg.Start(ffmpegPath, {"-hide_banner", "-nostdin", "-i", source}, &error))
        return;
    if (!ffmpeg.WaitForEnd(kBannerTimeoutMs))
        ffmpeg.Terminate();
    ffmpeg.FinishOutput();
    target.picture = ReadPictureFacts(ffmpeg.ErrorText());
    target.streams = ReadStreamList(ffmpeg.ErrorText());
}

// The output carries the source's modification time, so that a library
// sorted by date keeps its order.
void CopyModificationTime(const std::string& source, const std::string& output) {
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    if (!GetFileAttributesExA(source.c_str(), GetFileExInfoStandard, &data))
        return;
    HANDLE file = CreateFileA(output.c_str(), FILE_WRITE_ATTRIBUTES,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    SetFileTime(file, nullptr, nullptr, &data.ftLastWriteTime);
    CloseHandle(file);
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

    // Decoded without Dolby's processing its colours would be wrong.
    VideoInfo iso;
    if (LooksLikeIsoMedia(head.data(), head.size()) &&
        ReadIsoMediaFile(command.source, iso) == IsoMediaResult::kDolbyVisionOnly) {
        return Fail(kExitDolbyVisionOnly, "%s: Dolby Vision without a compatible base layer",
                    command.source);
    }
    // Xvid's key interval follows the frame rate, which the AVI header knows.
    VideoInfo source;
    ReadAviHeader(head.data(), head.size(), source);
    FfmpegTarget target;
    target.outputPath = TemporaryOutputName(command.output, GetCurrentProcessId());
    target.sourceFrameRate = source.framesPerSecond;
    ReadSource(ffmpegPath, command.source, target);
    MarkStep("source picture read");
    // A video MP4 cannot carry as it is fails the row with its codec named.
    if (const SourceStream* video = VideoMp4CannotCarry(command, target.streams)) {
        reporter.Send(kEventVideoNotCarried, VideoCodecPosition(video->codec));
        return Fail(kExitVideoNotCarried, "%s", VideoNotCarriedReason(video->codec));
    }
    std::vector<std::string> args;
    std::string error;
    if (!TranslateToFfmpeg(command, target, args, error))
        return Fail(kExitBadArguments, "%s", error);

    MarkStep("source read, arguments translated");
    const FfmpegRunResult run =
        command.targetBytes > 0
            ? RunTargetPasses(ffmpegPath, args, target.outputPath, command.targetBytes, reporter)
            : WatchFfmpeg(ffmpegPath, args, reporter, AsReached, nullptr);
    if (run.outcome == kExitFfmpegMissing)
        return Fail(kExitFfmpegMissing, "%s", run.lastError);
    if (run.outcome == kExitStoppedByUser || run.outcome == kExitWindowGone) {
        RemoveTemporary(target.outputPath);
        return Fail(run.outcome, "%s",
                    run.outcome == kExitStoppedByUser ? "stopped by the user"
                                                      : "the window is gone");
    }
    if (run.outcome != kExitSuccess || run.exitCode != 0 ||
        GetFileAttributesA(target.outputPath.c_str()) == INVALID_FILE_ATTRIBUTES) {
        RemoveTemporary(target.outputPath);
        const std::string& last = run.lastError;
        // The sound track the output consists of is missing from the source.
        if (command.noVideo && run.outcome == kExitSuccess &&
            (last.find("matches no streams") != std::string::npos ||
             last.find("trailing '?' to the map") != std::string::npos))
            return Fail(kExitNoSound, "%s holds no sound", command.source);
        return Fail(kExitFfmpegFailed, "FFmpeg failed: %s",
                    last.empty() ? "exit code " + std::to_string(run.exitCode) : last);
    }
    const int checked = CheckOutput(command, ffmpegPath, target.outputPath, run.description,
                                    source.durationSeconds, reporter);
    if (checked != kExitSuccess) {
        RemoveTemporary(target.outputPath);
        return checked;
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
    CopyModificationTime(command.source, command.output);
    MarkStep("output renamed");
    return kExitSuccess;
}
