// One run of ffmpeg.exe: hidden, in a job object that kills it when the
// encoder ends for any reason, stdin from NUL, stdout and stderr drained by
// two threads (stdout carries "-progress pipe:1", stderr the messages).
// Destroying it ends FFmpeg and then both threads, in that order.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

class PipeDrain;

class FfmpegProcess {
public:
    FfmpegProcess();
    ~FfmpegProcess();
    FfmpegProcess(const FfmpegProcess&) = delete;
    FfmpegProcess& operator=(const FfmpegProcess&) = delete;

    // Starts `exePath` with `args`. Returns false, with the system error code
    // in *error, when the process could not be started.
    bool Start(const std::string& exePath, const std::vector<std::string>& args, DWORD* error);

    // Waits up to `milliseconds` for the process to end; true once it has.
    bool WaitForEnd(DWORD milliseconds);
    // Ends the process at once and waits for it to be gone.
    void Terminate();
    // After the end: the pipe threads take what FFmpeg left in the pipes and
    // end. The end is judged by the process handle alone, because helper
    // processes may keep the pipes open. False when a thread could not be
    // stopped: then the texts may lack their end.
    bool FinishOutput();

    DWORD ExitCode() const;
    int32_t PositionSeconds() const;
    std::string LastErrorLine() const;
    // The start of everything written to stderr (at most 256 KB).
    std::string ErrorText() const;

private:
    HANDLE process_ = nullptr;
    HANDLE job_ = nullptr;
    PipeDrain* out_ = nullptr;
    PipeDrain* err_ = nullptr;
};

// The folder of the running executable, with its final backslash.
std::string ExecutableFolder();
