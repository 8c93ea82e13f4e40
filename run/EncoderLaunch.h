// Where the encoder is, and what the user is told when it cannot be started.
#pragma once

#include <cstddef>
#include <cstdint>

#include "protocol/EncoderFile.h"

// "<programFolder>quenforenc.exe"; false when it does not fit.
bool EncoderExePath(const char* programFolder, char* out, size_t size);

// The box text for an encoder that could not be started: what was looked for
// where, and the system's reason for `error`.
void ComposeNotStartedText(const char* programFolder, uint32_t error, char* out, size_t size);
