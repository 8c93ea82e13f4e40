// Sends messages to windows of one class from inside their creation.
#include "tests/win/support/WinTestSupport.h"

#include <utility>

namespace wintest {

SendOnCreate* SendOnCreate::active_ = nullptr;

SendOnCreate::SendOnCreate(const char* className, std::vector<std::vector<Message>> perWindow)
    : className_(className != nullptr ? className : ""), perWindow_(std::move(perWindow)) {
    active_ = this;
    hook_ = SetWindowsHookExA(WH_CALLWNDPROC, Hook, nullptr, GetCurrentThreadId());
}

SendOnCreate::~SendOnCreate() {
    if (hook_ != nullptr)
        UnhookWindowsHookEx(hook_);
    active_ = nullptr;
}

LRESULT CALLBACK SendOnCreate::Hook(int code, WPARAM wParam, LPARAM lParam) {
    const CWPSTRUCT* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
    SendOnCreate* self = active_;
    if (code == HC_ACTION && self != nullptr && call->message == WM_CREATE) {
        char name[64] = "";
        GetClassNameA(call->hwnd, name, sizeof name);
        if (self->className_ == name) {
            const size_t n = static_cast<size_t>(self->created_++);
            if (n < self->perWindow_.size()) {
                for (const Message& m : self->perWindow_[n])
                    SendMessageA(call->hwnd, m.message, m.wParam, m.lParam);
            }
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

} // namespace wintest
