// The mode of an encoder run, the next-to-last argument of its command line.
#pragma once

#include <cstdint>

enum EncoderMode : int32_t {
    kEncoderModeConvert = 0, // convert the source into the output
    kEncoderModeProbe = 1,   // report the source's duration, size and frame rate
};
