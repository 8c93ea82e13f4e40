// What a conversion run needs from the window that shows its progress; the
// user interface's progress dialog is one.
#pragma once

#include <windows.h>

#include <cstdint>

class ProgressView {
public:
    // Start of a run: the first status text, the bar at 0, shown. Cancel sets
    // *cancelRequested to 1 until EndRun.
    virtual void BeginRun(int32_t* cancelRequested) = 0;
    // End of a run: hidden.
    virtual void EndRun() = 0;
    virtual void SetStatusText(const char* text) = 0;
    virtual void SetBarPosition(int32_t thousandths) = 0;
    // The window while it is on screen (boxes of the run belong to it), else
    // nullptr.
    virtual HWND ShownWindow() = 0;

protected:
    ~ProgressView() = default;
};
