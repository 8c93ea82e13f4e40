// Reads duration, picture size and frame rate from the header of an AVI file
// (RIFF "AVI ": the main header "avih", the first video stream's "strh" and
// "strf", and the OpenDML "dmlh" total for files over 1 GB). Safe on any bytes:
// it never reads outside the given buffer and copes with lying sizes.
#pragma once

#include <cstddef>
#include <cstdint>

#include "media/VideoInfo.h"

// How much of a file's start the reader needs at most.
constexpr size_t kAviHeaderReadSize = 1024 * 1024;

// Returns true and fills info when the bytes begin an AVI whose header gives a
// picture size and a frame rate; the duration may still be 0 (no frame count).
bool ReadAviHeader(const uint8_t* data, size_t size, VideoInfo& info);

// True when the bytes hold the whole header and the start of the data list
// ("movi") after it: a file cut inside its header has a header that lies.
bool AviDataFollowsHeader(const uint8_t* data, size_t size);
