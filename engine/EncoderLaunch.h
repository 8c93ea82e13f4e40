// Starts the encoder for one job and waits for it to end, keeping the
// windows of this thread alive meanwhile.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>

constexpr char kEncoderFileName[] = "quenforenc.exe";

enum class EncoderLaunch {
    kRan,               // the encoder ran and ended; exitCode holds its exit code
    kNotStarted,        // it could not be started; the user has been told (unless the
                        // caller said it tells)
    kArgumentsTooLong,  // the argument text did not fit; nothing was started
};

struct EncoderRunResult {
    EncoderLaunch launch = EncoderLaunch::kNotStarted;
    uint32_t exitCode = 0;
    uint32_t startError = 0;  // the system's error code when kNotStarted

    bool Ran() const { return launch == EncoderLaunch::kRan; }
};

// Starts `exePath` hidden with `arguments` and waits for its end, waiting 1 ms
// on the process and dispatching at most one window message per round.
// Returns false, with *error set, when no process could be started.
bool StartAndWait(const char* exePath, const char* arguments, uint32_t* exitCode, DWORD* error);

// The box text for an encoder that could not be started: what was looked for
// where, and the system's reason for `error`.
void ComposeNotStartedText(const char* programFolder, uint32_t error, char* out, size_t size);

enum class NotStartedBox {
    kShow,           // RunEncoder tells the user itself
    kLeftToCaller,   // the caller tells, with ComposeNotStartedText
};

// One encoder job: resolves the profile for g_runState.currentRow, composes
// the argument text for `window` (the window that receives the encoder's
// reports), starts "<programFolder>quenforenc.exe" and waits for it. When the
// encoder cannot be started the user is told (with kShow), in one box owned
// by the window's active popup, what was looked for where; a caller with more
// jobs should then stop rather than ask again.
EncoderRunResult RunEncoder(HWND window, const char* programFolder, const char* sourcePath,
                            const char* outputPath, int32_t padWidth, int32_t padHeight,
                            int32_t mode, NotStartedBox box = NotStartedBox::kShow);
