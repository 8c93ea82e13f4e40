#include "run/EncoderLaunch.h"

#include <windows.h>

#include <cstdio>
#include <cstring>

#include "framework/ProgramFolder.h"

bool EncoderExePath(const char* programFolder, char* out, size_t size) {
    const int written = std::snprintf(
        out, size, "%s%s", programFolder != nullptr ? programFolder : "", kEncoderFileName);
    return written > 0 && static_cast<size_t>(written) < size;
}

void ComposeNotStartedText(const char* programFolder, uint32_t error, char* out, size_t size) {
    if (out == nullptr || size == 0)
        return;
    char exePath[kPathCapacity];
    EncoderExePath(programFolder, exePath, sizeof exePath);
    char reason[256] = "";
    if (FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error,
                       0, reason, sizeof reason, nullptr) == 0) {
        std::snprintf(reason, sizeof reason, "Error %lu.", static_cast<unsigned long>(error));
    }
    // System texts end with a line break.
    for (size_t n = std::strlen(reason); n > 0 && (reason[n - 1] == '\n' || reason[n - 1] == '\r');
         --n) {
        reason[n - 1] = '\0';
    }
    std::snprintf(out, size, "The encoder could not be started.\n\nIt was looked for at:\n%s\n\n%s",
                  exePath, reason);
}
