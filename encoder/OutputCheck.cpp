#include "encoder/OutputCheck.h"

#include <windows.h>

#include <cstdio>
#include <vector>

#include "encoder/ConversionLog.h"
#include "encoder/FfmpegProcess.h"
#include "encoder/OutputVerdict.h"
#include "encoder/StepTimes.h"
#include "protocol/ExitCodes.h"

namespace {

// Decoding the last seconds takes a fraction of the conversion; an FFmpeg
// still busy after this long has met a file it cannot read.
constexpr DWORD kCheckTimeoutMs = 120000;
constexpr const char* kTailSeconds = "-3";

const char* FaultText(OutputFault fault) {
    switch (fault) {
    case kOutputUnreadable:
        return "FFmpeg cannot open it";
    case kOutputNoVideo:
        return "its video stream is missing";
    case kOutputNoAudio:
        return "its audio stream is missing";
    case kOutputWrongDuration:
        return "its duration is not the one converted";
    case kOutputEndDoesNotDecode:
        return "its last seconds do not decode";
    default:
        return "sound";
    }
}

} // namespace

int CheckOutput(const EncoderCommand& command, const std::string& ffmpegPath,
                const std::string& temporaryPath, const std::string& conversionText,
                double headerSeconds, const EventReporter& reporter) {
    FfmpegProcess ffmpeg;
    DWORD error = 0;
    const std::vector<std::string> args = {"-hide_banner", "-nostdin", "-sseof", kTailSeconds, "-i",
                                           temporaryPath,  "-f",       "null",   "-"};
    if (!ffmpeg.Start(ffmpegPath, args, &error)) {
        // FFmpeg made the file a moment ago; a check that cannot start says
        // nothing against it, so the output is kept.
        std::fprintf(stderr, "quenforenc: the output check could not start FFmpeg (error %lu)\n",
                     static_cast<unsigned long>(error));
        return kExitSuccess;
    }
    const bool ended = ffmpeg.WaitForEnd(kCheckTimeoutMs);
    if (!ended)
        ffmpeg.Terminate();
    const bool heard = ffmpeg.FinishOutput();
    // FFmpeg always says something of a file it opens or cannot open. No
    // word at all, or words not read to their end, mean the check itself did
    // not run (the process failed, or its messages were not taken in time on
    // a machine under load): that says nothing against the file.
    if (!heard || ffmpeg.ErrorText().empty()) {
        const char* why = heard ? "the output check heard nothing from FFmpeg; the output is kept"
                                : "the output check could not read FFmpeg's messages; the output "
                                  "is kept";
        std::fprintf(stderr, "quenforenc: %s\n", why);
        LogNote(why);
        return kExitSuccess;
    }
    const bool tailDecoded = ended && ffmpeg.ExitCode() == 0;
    MarkStep("output checked");
    const FfmpegSection asked = ReadFfmpegSection(conversionText, "Output #0");
    const FfmpegSection source = ReadFfmpegSection(conversionText, "Input #0");
    const FfmpegSection found = ReadFfmpegSection(ffmpeg.ErrorText(), "Input #0");
    // FFmpeg gives a cut AVI the length of its frames; the header tells what
    // the file should hold.
    const double sourceSeconds = headerSeconds > 0.0 ? headerSeconds : source.durationSeconds;
    const double converted = ConvertedSeconds(sourceSeconds, command.endSeconds);
    const OutputFault fault = JudgeOutput(asked, converted, found, tailDecoded);
    if (fault == kOutputSound)
        return kExitSuccess;
    reporter.Send(kEventOutputFault, fault);
    if (fault == kOutputWrongDuration) {
        reporter.Send(
            kEventOutputEnds,
            static_cast<int32_t>(found.durationSeconds > 0.0 ? found.durationSeconds : 0));
        reporter.Send(kEventOutputOf, static_cast<int32_t>(converted));
    }
    char verdict[256];
    std::snprintf(verdict, sizeof verdict, "the output failed its check: %s (%.2f s of %.2f s)",
                  FaultText(fault), found.durationSeconds, converted);
    std::fprintf(stderr, "quenforenc: %s\n", verdict);
    LogFfmpegRun(ffmpegPath, args, ffmpeg.ErrorText(), ffmpeg.LastErrorLine());
    LogNote(verdict);
    return kExitOutputDefective;
}
