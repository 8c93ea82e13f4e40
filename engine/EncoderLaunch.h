// Starts the encoder for one job and waits for it to end, keeping the
// windows of this thread alive meanwhile.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>

constexpr char kEncoderFileName[] = "quenforenc.exe";

enum class EncoderLaunch {
    kRan,               // the encoder ran and ended; exitCode holds its exit code
    kNotStarted,        // it could not be started; the user has been told
    kArgumentsTooLong,  // the argument text did not fit; nothing was started
};

struct EncoderRunResult {
    EncoderLaunch launch = EncoderLaunch::kNotStarted;
    uint32_t exitCode = 0;

    bool Ran() const { return launch == EncoderLaunch::kRan; }
};

// Starts `exePath` hidden with `arguments` and waits for its end, waiting 1 ms
// on the process and dispatching at most one window message per round.
// Returns false, with *error set, when no process could be started.
bool StartAndWait(const char* exePath, const char* arguments, uint32_t* exitCode, DWORD* error);

// One encoder job: resolves the profile for g_runState.currentRow, composes
// the argument text for `window` (the window that receives the encoder's
// reports), starts "<programFolder>quenforenc.exe" and waits for it. When the
// encoder cannot be started the user is told, in one box owned by the
// window's active popup, what was looked for where; a caller with more jobs
// should then stop rather than ask again.
EncoderRunResult RunEncoder(HWND window, const char* programFolder, const char* sourcePath,
                            const char* outputPath, int32_t padWidth, int32_t padHeight,
                            int32_t mode);
