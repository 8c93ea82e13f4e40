// The check of a finished output before the rename: FFmpeg opens the
// temporary file and decodes its last seconds; the rules are OutputVerdict's.
#pragma once

#include <string>

#include "encoder/EncoderCommand.h"
#include "encoder/EventReporter.h"

// `conversionText`: what the conversion's FFmpeg wrote to stderr (its input
// and output descriptions); `headerSeconds`: the source's duration as its
// AVI header gives it, the one the program lists (0: FFmpeg's is taken). Returns kExitSuccess when
// the output is sound; else reports the fault to the window and returns kExitOutputDefective. The
// caller removes a defective output.
int CheckOutput(const EncoderCommand& command, const std::string& ffmpegPath,
                const std::string& temporaryPath, const std::string& conversionText,
                double headerSeconds, const EventReporter& reporter);
