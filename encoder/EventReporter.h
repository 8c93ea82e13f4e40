// Sends the encoder's reports to the program's window.
#pragma once

#include <windows.h>

#include <cstdint>

#include "encoder/EncoderEvents.h"

class EventReporter {
public:
    // A handle of 0 means nobody listens: nothing is sent.
    explicit EventReporter(int64_t windowHandle);

    bool Listening() const { return window_ != nullptr; }
    // False once the window is gone; always true when nobody listens.
    bool WindowExists() const;
    // Delivers one report synchronously and returns the window's answer (0
    // when nobody listens). A window busy with a modal question is not hung:
    // this simply waits until it answers.
    LRESULT Send(EncoderEventCode code, int32_t value) const;

private:
    HWND window_;
};
