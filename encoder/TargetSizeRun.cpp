#include "encoder/TargetSizeRun.h"

#include <windows.h>

#include "encoder/StepTimes.h"
#include "encoder/TwoPassArguments.h"
#include "protocol/ExitCodes.h"

namespace {

struct PassView {
    int pass;
    int32_t durationSeconds;
};

int32_t ShowPass(int32_t position, const void* context) {
    const PassView* view = static_cast<const PassView*>(context);
    return PassPosition(view->pass, position, view->durationSeconds);
}

int32_t AsReached(int32_t position, const void*) {
    return position;
}

// Beside the temporary output, same extension: "a.~enc12.mp4" -> "a.~enc12.again.mp4".
std::string RetryName(const std::string& temporaryOutput) {
    const size_t dot = temporaryOutput.find_last_of(".\\");
    if (dot == std::string::npos || temporaryOutput[dot] != '.')
        return temporaryOutput + ".again";
    return temporaryOutput.substr(0, dot) + ".again" + temporaryOutput.substr(dot);
}

bool Succeeded(const FfmpegRunResult& run) {
    return run.outcome == kExitSuccess && run.exitCode == 0;
}

long long FileBytes(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data))
        return -1;
    return (static_cast<long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

} // namespace

FfmpegRunResult RunTargetPasses(const std::string& ffmpegPath,
                                const std::vector<std::string>& single,
                                const std::string& temporaryOutput, long long targetBytes,
                                const EventReporter& reporter) {
    const std::string log = PassLogBase(temporaryOutput);
    int videoKbps = VideoKbpsOf(single);
    // Without two passes (Xvid): one encode at the rate, shown as it goes.
    const bool twoPasses = HasTwoPasses(single);
    const int secondPass = twoPasses ? 2 : 0;
    PassView view{2, 0};
    FfmpegRunResult run;
    if (twoPasses) {
        view.pass = 1;
        run = WatchFfmpeg(ffmpegPath, PassArguments(single, 1, log, videoKbps), reporter, ShowPass,
                          &view);
        MarkStep("first pass done");
        view = PassView{2, run.lastPosition};
    }
    if (!twoPasses || Succeeded(run)) {
        run = WatchFfmpeg(ffmpegPath, PassArguments(single, secondPass, log, videoKbps), reporter,
                          twoPasses ? ShowPass : AsReached, &view);
        MarkStep("second pass done");
    }
    long long bytes = FileBytes(temporaryOutput);
    const bool over = bytes > targetBytes;
    // Under 90 % from the encoder's own shortfall (not from a rate that
    // cannot fill the target): worth one more encode, kept only if better.
    const bool under = !over && ReEncodeRaises(bytes, targetBytes);
    if (Succeeded(run) && (over || under)) {
        // Once more from the same first pass, at the rate corrected by the
        // measured difference; a raised one goes to a name of its own.
        videoKbps = ReEncodeVideoKbps(videoKbps, bytes, targetBytes);
        const std::string into = over ? temporaryOutput : RetryName(temporaryOutput);
        std::vector<std::string> args = PassArguments(single, secondPass, log, videoKbps);
        args.back() = into;
        view = PassView{3, run.lastPosition};
        run = WatchFfmpeg(ffmpegPath, args, reporter, ShowPass, &view);
        MarkStep("encoded again");
        const long long again = FileBytes(into);
        if (under) {
            const bool better =
                Succeeded(run) && again > bytes && again <= targetBytes &&
                MoveFileExA(into.c_str(), temporaryOutput.c_str(), MOVEFILE_REPLACE_EXISTING);
            if (!better)
                DeleteFileA(into.c_str());
            // The first result stands when the second is no better or
            // FFmpeg failed on it; a stop still stops.
            if (run.outcome == kExitSuccess)
                run.exitCode = 0;
            bytes = better ? again : bytes;
        } else {
            bytes = again;
        }
    }
    if (Succeeded(run) && bytes > targetBytes) {
        run.outcome = kExitFfmpegFailed;
        run.lastError = "the output has " + std::to_string(bytes) + " bytes, over its target of " +
                        std::to_string(targetBytes);
    }
    for (const std::string& file : PassLogFiles(log))
        DeleteFileA(file.c_str());
    return run;
}
