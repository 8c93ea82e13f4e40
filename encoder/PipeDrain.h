// Reads one pipe on a thread of its own, feeding what it reads to the
// progress reader, the last-line tracker and a bounded copy of the text.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "encoder/LastLineTracker.h"
#include "encoder/FfmpegProgressReader.h"

class PipeDrain {
public:
    // Takes ownership of the pipe's read end.
    explicit PipeDrain(HANDLE pipe);
    // Only for a drain whose thread never started or has ended (Finish).
    ~PipeDrain();
    PipeDrain(const PipeDrain&) = delete;
    PipeDrain& operator=(const PipeDrain&) = delete;

    bool Begin();
    // Once the writer has ended: takes what is still in the pipe, then ends
    // the thread, without waiting for the pipe to break (under Wine a helper
    // process can hold the write end for seconds after the writer is gone).
    // True once the thread has ended; false only if it could not be stopped.
    bool Finish();

    int32_t PositionSeconds();
    std::string LastLine();
    std::string Text();

private:
    static DWORD WINAPI ThreadMain(LPVOID self);
    void Loop();
    void Keep(const char* data, DWORD size);

    HANDLE pipe_;
    HANDLE thread_ = nullptr;
    volatile LONG finishing_ = 0;
    CRITICAL_SECTION lock_;
    ProgressReader progress_;
    LastLineTracker lastLine_;
    std::string text_;
};
