// The window message through which the encoder reports to the program, its
// event codes and the program's answers.
#pragma once

#include <cstdint>

constexpr unsigned kEncoderEventMessage = 0x0400 + 800; // WM_USER + 800

enum EncoderEventCode : uint32_t {
    kEventDuration = 1,  // whole seconds; 0 marks the source unusable
    kEventWidth = 2,     // pixels
    kEventHeight = 3,    // pixels
    kEventFrameRate = 4, // frames per second x 10,000,000
    kEventPosition = 6,  // whole seconds converted so far; answered with kEventStop to stop
};

// The answer to a report: go on, or (to a position report) stop.
constexpr int32_t kEventGoOn = 0;
constexpr int32_t kEventStop = 1;
