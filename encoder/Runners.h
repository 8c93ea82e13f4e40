// The encoder's two jobs. Each returns the process exit code (ExitCodes.h).
#pragma once

#include <string>

#include "encoder/EncoderCommand.h"
#include "encoder/EventReporter.h"

// Mode 1: reports duration, width, height and frame rate of the source
// (duration 0 when it cannot be used).
int RunProbe(const EncoderCommand& command, const std::string& ffmpegPath,
             const EventReporter& reporter);

// Mode 0: converts the source into the output, reporting the position at
// least once a second, and stops when the window answers 1 or disappears.
int RunConversion(const EncoderCommand& command, const std::string& ffmpegPath,
                  const EventReporter& reporter);
