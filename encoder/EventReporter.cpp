#include "encoder/EventReporter.h"

EventReporter::EventReporter(int64_t windowHandle)
    // The handle travels as a signed decimal of its pointer-sized value.
    : window_(reinterpret_cast<HWND>(static_cast<INT_PTR>(windowHandle))) {}

bool EventReporter::WindowExists() const { return window_ == nullptr || IsWindow(window_); }

LRESULT EventReporter::Send(EncoderEventCode code, int32_t value) const {
    if (window_ == nullptr) return 0;
    return SendMessageA(window_, kEncoderEventMessage, static_cast<WPARAM>(code),
                        static_cast<LPARAM>(value));
}
