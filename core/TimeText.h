// Whole seconds as "hh:mm:ss" text; hours are not limited to two digits.
#pragma once

#include <cstddef>
#include <cstdint>

constexpr size_t kHmsCapacity = 32;

// Writes the text into out (bounded by size). Negative seconds show as 00:00:00.
void FormatHmsTo(int32_t seconds, char* out, size_t size);

// Returns the text in one shared buffer that the next call overwrites.
const char* FormatHms(int32_t seconds);
