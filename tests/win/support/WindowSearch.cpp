// Finding windows, reading their text and pumping this thread's messages.
#include "tests/win/support/WinTestSupport.h"

namespace wintest {

void PumpMessagesFor(DWORD ms) {
    const DWORD start = GetTickCount();
    for (;;) {
        MSG msg;
        while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        const DWORD spent = GetTickCount() - start;
        if (spent >= ms)
            return;
        MsgWaitForMultipleObjects(0, NULL, FALSE, ms - spent, QS_ALLINPUT);
    }
}

HWND FindWindowWait(const char* caption, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    for (;;) {
        HWND found = FindWindowA(NULL, caption);
        if (found)
            return found;
        if (GetTickCount() - start >= timeoutMs)
            return NULL;
        PumpMessagesFor(20);
    }
}

std::string WindowText(HWND window) {
    char buffer[4096] = "";
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutA(window, WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer),
                             SMTO_ABORTIFHUNG, 5000, &copied)) {
        return std::string();
    }
    buffer[sizeof buffer - 1] = '\0';
    return std::string(buffer);
}

} // namespace wintest
