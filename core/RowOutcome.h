// Tells how one file of a batch ended, from what the encoder run left behind.
// Pure.
#pragma once

#include <cstddef>
#include <cstdint>

enum class RowOutcome {
    kSucceeded, // the encoder claimed success and the output has content
    kFailed,    // the file could not be converted; its output must go
    kCancelled, // the user stopped the run during this file
};

struct EncoderRunFacts {
    bool started = false;         // an encoder process ran
    uint32_t exitCode = 0;        // its exit code (when started)
    bool cancelRequested = false; // the user's stop request stood when it ended
    // Other files were converted at the same time: a stop request then takes
    // only the jobs it stopped, never one that finished.
    bool simultaneous = false;
    int64_t outputBytes = -1; // size of the output this run wrote; -1 when there is none
    // What the encoder's check found wrong with its output (OutputFault),
    // and for a wrong duration the whole seconds found and converted.
    int32_t outputFault = 0;
    int32_t outputEnds = 0;
    int32_t outputOf = 0;
    // The video codec an MP4 with the streams kept cannot carry, as its
    // position in kVideoCodecNames; -1 for one without a name there.
    int32_t videoNotCarried = -1;
};

RowOutcome DecideRowOutcome(const EncoderRunFacts& facts);

// Why a row failed, in a few words ("FFmpeg failed (exit code 13)", "The
// output ends at 00:12:03 of 00:21:00.").
void DescribeRowFailure(const EncoderRunFacts& facts, char* out, size_t size);
