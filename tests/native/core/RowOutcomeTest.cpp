#include "core/RowOutcome.h"

#include <gtest/gtest.h>

#include "protocol/EncoderEvents.h"

#include <string>

#include "protocol/ExitCodes.h"

namespace {

TEST(RowOutcome, DecidedFromExitCodeOutputAndCancel) {
    struct Case {
        bool started;
        uint32_t exitCode;
        bool cancel;
        int64_t bytes;
        bool simultaneous;
        RowOutcome outcome;
        const char* reason;
    } cases[] = {
        {true, kExitSuccess, false, 1000, false, RowOutcome::kSucceeded, nullptr},
        {true, kExitSuccess, false, 0, false, RowOutcome::kFailed, "no output was written"},
        {true, kExitSuccess, false, -1, false, RowOutcome::kFailed, "no output was written"},
        {true, kExitFfmpegFailed, false, 5000, false, RowOutcome::kFailed,
         "FFmpeg failed (exit code 13)"},
        {true, kExitUnusableSource, false, -1, false, RowOutcome::kFailed,
         "unusable source (exit code 11)"},
        {true, kExitBadArguments, false, -1, false, RowOutcome::kFailed,
         "the encoder did not accept the options of the current settings; check them in Output "
         "Settings (exit code 10)"},
        {true, 0xC0000005u, false, -1, false, RowOutcome::kFailed,
         "the encoder ended unexpectedly (exit code 3221225477)"},
        {true, 1, false, 5000, false, RowOutcome::kFailed,
         "the encoder ended unexpectedly (exit code 1)"},
        {true, kExitStoppedByUser, true, 300, false, RowOutcome::kCancelled, nullptr},
        // Cancel pressed while no reports came: the run stops after the file.
        {true, kExitSuccess, true, 1000, false, RowOutcome::kCancelled, nullptr},
        // Several files at once: a stop request takes only the jobs it
        // stopped; one that finished keeps its output, one that failed is
        // listed.
        {true, kExitSuccess, true, 1000, true, RowOutcome::kSucceeded, nullptr},
        {true, kExitStoppedByUser, true, 300, true, RowOutcome::kCancelled, nullptr},
        {true, kExitFfmpegFailed, true, -1, true, RowOutcome::kFailed,
         "FFmpeg failed (exit code 13)"},
        {true, kExitSuccess, true, 0, true, RowOutcome::kFailed, "no output was written"},
        {true, kExitStoppedByUser, false, -1, true, RowOutcome::kFailed,
         "stopped by the user (exit code 14)"},
        {false, 0, false, -1, false, RowOutcome::kFailed, "the encoder could not be started"},
    };
    for (const Case& c : cases) {
        EncoderRunFacts facts;
        facts.started = c.started;
        facts.exitCode = c.exitCode;
        facts.cancelRequested = c.cancel;
        facts.outputBytes = c.bytes;
        facts.simultaneous = c.simultaneous;
        EXPECT_EQ(c.outcome, DecideRowOutcome(facts)) << c.exitCode;
        if (c.reason != nullptr) {
            char reason[128];
            DescribeRowFailure(facts, reason, sizeof reason);
            EXPECT_STREQ(c.reason, reason);
        }
    }
}

TEST(RowOutcome, AnOutputThatFailedItsCheckIsToldWhy) {
    struct Case {
        int32_t fault, ends, of;
        const char* reason;
    } cases[] = {
        {kOutputWrongDuration, 723, 1260, "The output ends at 00:12:03 of 00:21:00."},
        {kOutputUnreadable, 0, 0, "The output cannot be opened."},
        {kOutputNoVideo, 0, 0, "The output has no video stream."},
        {kOutputNoAudio, 0, 0, "The output has no audio stream."},
        {kOutputEndDoesNotDecode, 0, 0, "The last seconds of the output do not decode."},
        {kOutputSound, 0, 0, "The output failed its check."}, // the reports were lost
    };
    for (const Case& c : cases) {
        EncoderRunFacts facts;
        facts.started = true;
        facts.exitCode = kExitOutputDefective;
        facts.outputFault = c.fault;
        facts.outputEnds = c.ends;
        facts.outputOf = c.of;
        char reason[128];
        DescribeRowFailure(facts, reason, sizeof reason);
        EXPECT_STREQ(c.reason, reason);
        EXPECT_EQ(RowOutcome::kFailed, DecideRowOutcome(facts));
    }
}

TEST(RowOutcome, AVideoMp4CannotCarryIsNamed) {
    const struct {
        int32_t codec;
        const char* reason;
    } cases[] = {
        {4, "MP4 cannot carry the source's VP8 video as it is: choose \"MKV, streams kept as "
            "they are (*.mkv)\"."},
        {-1, "MP4 cannot carry the source's video as it is: choose \"MKV, streams kept as they "
             "are (*.mkv)\"."},
        {kVideoCodecNameCount, "MP4 cannot carry the source's video as it is: choose \"MKV, "
                               "streams kept as they are (*.mkv)\"."},
    };
    for (const auto& c : cases) {
        EncoderRunFacts facts;
        facts.started = true;
        facts.exitCode = kExitVideoNotCarried;
        facts.videoNotCarried = c.codec;
        char reason[160];
        DescribeRowFailure(facts, reason, sizeof reason);
        EXPECT_STREQ(c.reason, reason);
        EXPECT_EQ(RowOutcome::kFailed, DecideRowOutcome(facts));
    }
}

} // namespace
