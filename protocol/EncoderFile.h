// The encoder's file name, beside the program.
#pragma once

constexpr char kEncoderFileName[] = "quenforenc.exe";

// The environment variable through which the program names the file a
// conversion writes its log to (the encoder's argument text and FFmpeg's
// messages); without it the encoder keeps no log.
constexpr char kEncoderLogVariable[] = "QUENFORENC_LOG";
