// The program folder: where the program's own executable and the encoder live.
#pragma once

#include <cstddef>

constexpr size_t kPathCapacity = 256; // at most 255 characters + terminator

// Writes the folder of the running executable, with its final backslash.
// The module's own full path is used, so a program started by a bare or
// relative name still finds its encoder. "" when it does not fit.
void ProgramFolder(char* buffer, size_t size = kPathCapacity);
