#include "encoder/EventReporter.h"

#include "encoder/StepTimes.h"

EventReporter::EventReporter(int64_t windowHandle)
    // The handle travels as a signed decimal of its pointer-sized value.
    : window_(reinterpret_cast<HWND>(static_cast<INT_PTR>(windowHandle))) {
    if (window_ == nullptr)
        return;
    loader_ = CreateThread(nullptr, 0, LoadWindowFunctions, this, 0, nullptr);
    // Without a thread, load them here and now.
    if (loader_ == nullptr)
        LoadWindowFunctions(this);
}

EventReporter::~EventReporter() {
    Ready();
}

DWORD WINAPI EventReporter::LoadWindowFunctions(void* reporter) {
    auto* self = static_cast<EventReporter*>(reporter);
    // Stays loaded for the life of the process, as an imported DLL would.
    HMODULE user32 = LoadLibraryA("user32.dll");
    if (user32 != nullptr) {
        self->isWindow_ = reinterpret_cast<IsWindowFunction>(
            reinterpret_cast<void*>(GetProcAddress(user32, "IsWindow")));
        self->sendMessage_ = reinterpret_cast<SendMessageFunction>(
            reinterpret_cast<void*>(GetProcAddress(user32, "SendMessageA")));
    }
    MarkSideStep("window functions loaded");
    return 0;
}

bool EventReporter::Ready() const {
    if (loader_ != nullptr) {
        // The thread's end is what makes its writes visible here.
        WaitForSingleObject(loader_, INFINITE);
        CloseHandle(loader_);
        loader_ = nullptr;
    }
    return isWindow_ != nullptr && sendMessage_ != nullptr;
}

bool EventReporter::WindowExists() const {
    if (window_ == nullptr)
        return true;
    return Ready() && isWindow_(window_);
}

LRESULT EventReporter::Send(EncoderEventCode code, int32_t value) const {
    if (window_ == nullptr || !Ready())
        return 0;
    return sendMessage_(window_, kEncoderEventMessage, static_cast<WPARAM>(code),
                        static_cast<LPARAM>(value));
}
