// The name a conversion writes to before its output is complete.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// "C:\out\holiday.vob" -> "C:\out\holiday.~enc1234.vob": same folder, same
// extension (so a muxer chosen by extension still matches), marked with the
// process id so two encoders never share one.
// The most characters the temporary name adds to the output's: ".~enc" and a
// process id of up to ten digits.
constexpr size_t kTemporaryNameExtra = 15;

std::string TemporaryOutputName(const std::string& output, uint32_t processId);
