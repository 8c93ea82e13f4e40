#include "core/RowOutcome.h"

#include <cstdio>

#include "core/TimeText.h"
#include "protocol/EncoderEvents.h"
#include "protocol/ExitCodes.h"

RowOutcome DecideRowOutcome(const EncoderRunFacts& facts) {
    // One file at a time: a stop request that still stands when the encoder
    // ends cancels the run, whatever the encoder managed to write.
    if (facts.cancelRequested && !facts.simultaneous)
        return RowOutcome::kCancelled;
    if (!facts.started)
        return RowOutcome::kFailed;
    if (facts.exitCode == static_cast<uint32_t>(kExitStoppedByUser) && facts.cancelRequested) {
        return RowOutcome::kCancelled;
    }
    if (facts.exitCode != static_cast<uint32_t>(kExitSuccess))
        return RowOutcome::kFailed;
    // An encoder that claims success without writing anything has not converted.
    if (facts.outputBytes <= 0)
        return RowOutcome::kFailed;
    return RowOutcome::kSucceeded;
}

namespace {

void DescribeOutputFault(const EncoderRunFacts& facts, char* out, size_t size) {
    switch (facts.outputFault) {
    case kOutputWrongDuration: {
        char ends[32];
        char of[32];
        FormatHmsTo(facts.outputEnds, ends, sizeof ends);
        FormatHmsTo(facts.outputOf, of, sizeof of);
        std::snprintf(out, size, "The output ends at %s of %s.", ends, of);
        return;
    }
    case kOutputUnreadable:
        std::snprintf(out, size, "The output cannot be opened.");
        return;
    case kOutputNoVideo:
        std::snprintf(out, size, "The output has no video stream.");
        return;
    case kOutputNoAudio:
        std::snprintf(out, size, "The output has no audio stream.");
        return;
    case kOutputEndDoesNotDecode:
        std::snprintf(out, size, "The last seconds of the output do not decode.");
        return;
    default:
        std::snprintf(out, size, "The output failed its check.");
        return;
    }
}

} // namespace

void DescribeRowFailure(const EncoderRunFacts& facts, char* out, size_t size) {
    if (out == nullptr || size == 0)
        return;
    if (!facts.started) {
        std::snprintf(out, size, "the encoder could not be started");
    } else if (facts.exitCode == static_cast<uint32_t>(kExitSuccess)) {
        std::snprintf(out, size, "no output was written");
    } else if (facts.exitCode == static_cast<uint32_t>(kExitBadArguments)) {
        // Only out-of-range settings (a hand-edited option.ini) make the
        // program compose options the encoder refuses.
        std::snprintf(
            out, size,
            "the encoder did not accept the options of the current settings; check them in "
            "Output Settings (exit code %lu)",
            static_cast<unsigned long>(facts.exitCode));
    } else if (facts.exitCode == static_cast<uint32_t>(kExitNoSound)) {
        std::snprintf(out, size, "The file holds no sound.");
    } else if (facts.exitCode == static_cast<uint32_t>(kExitDolbyVisionOnly)) {
        std::snprintf(out, size,
                      "Its Dolby Vision video has no HDR10, HLG or SDR base layer to convert.");
    } else if (facts.exitCode == static_cast<uint32_t>(kExitVideoNotCarried)) {
        const int32_t codec = facts.videoNotCarried;
        const bool named = codec >= 0 && codec < kVideoCodecNameCount;
        std::snprintf(out, size,
                      "MP4 cannot carry the source's %s%svideo as it is: choose \"MKV, streams "
                      "kept as they are (*.mkv)\".",
                      named ? kVideoCodecNames[codec].shown : "", named ? " " : "");
    } else if (facts.exitCode == static_cast<uint32_t>(kExitOutputDefective)) {
        DescribeOutputFault(facts, out, size);
    } else {
        // A code the encoder never gives means it crashed or was ended from outside.
        const int code = static_cast<int>(facts.exitCode);
        const bool known = code >= kExitBadArguments && code <= kExitInternalError;
        std::snprintf(out, size, "%s (exit code %lu)",
                      known ? DescribeEncoderExitCode(code) : "the encoder ended unexpectedly",
                      static_cast<unsigned long>(facts.exitCode));
    }
}
