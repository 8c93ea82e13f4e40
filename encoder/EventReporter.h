// Sends the encoder's reports to the program's window.
#pragma once

#include <windows.h>

#include <cstdint>

#include "protocol/EncoderEvents.h"

class EventReporter {
public:
    // A handle of 0 means nobody listens: nothing is sent, and the window
    // functions (user32) are never loaded. Otherwise they are loaded on a
    // thread of their own while the encoder goes on: under Wine that load
    // costs tens of milliseconds, which the start of FFmpeg now hides.
    explicit EventReporter(int64_t windowHandle);
    ~EventReporter();
    EventReporter(const EventReporter&) = delete;
    EventReporter& operator=(const EventReporter&) = delete;

    bool Listening() const { return window_ != nullptr; }
    // False once the window is gone (or the window functions could not be
    // loaded, so no report could reach it); always true when nobody listens.
    bool WindowExists() const;
    // Delivers one report synchronously and returns the window's answer (0
    // when nobody listens or nothing can reach the window). A window busy
    // with a modal question is not hung: this simply waits until it answers.
    LRESULT Send(EncoderEventCode code, int32_t value) const;

private:
    using IsWindowFunction = BOOL(WINAPI*)(HWND);
    using SendMessageFunction = LRESULT(WINAPI*)(HWND, UINT, WPARAM, LPARAM);
    static DWORD WINAPI LoadWindowFunctions(void* reporter);
    // Waits for the loading thread once; true when both functions are there.
    bool Ready() const;

    HWND window_;
    mutable HANDLE loader_ = nullptr;
    IsWindowFunction isWindow_ = nullptr;
    SendMessageFunction sendMessage_ = nullptr;
};
