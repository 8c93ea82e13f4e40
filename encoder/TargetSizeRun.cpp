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
    if (Succeeded(run) && bytes > targetBytes) {
        // Once more from the same first pass, lowered by the measured excess.
        videoKbps = LoweredVideoKbps(videoKbps, bytes, targetBytes);
        view = PassView{3, run.lastPosition};
        run = WatchFfmpeg(ffmpegPath, PassArguments(single, 2, log, videoKbps), reporter, ShowPass,
                          &view);
        MarkStep("re-encoded under the target");
        bytes = FileBytes(temporaryOutput);
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
