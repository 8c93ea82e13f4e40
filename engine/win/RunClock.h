// The millisecond clock of a conversion run. Tests put in their own source so
// that no real time has to pass.
#pragma once

#include <cstdint>

typedef uint32_t (*RunTickSource)();

// Milliseconds since some fixed point; wraps after 49.7 days like the tick count.
uint32_t RunTickCount();

// Replaces the clock; nullptr goes back to the system tick count.
void SetRunTickSource(RunTickSource source);
