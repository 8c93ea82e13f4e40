#include "framework/Dpi.h"

namespace {

typedef UINT(WINAPI* GetDpiForWindowFn)(HWND);

GetDpiForWindowFn LookUpGetDpiForWindow() {
    HMODULE user32 = GetModuleHandleA("user32.dll");
    if (user32 == nullptr)
        return nullptr;
    return reinterpret_cast<GetDpiForWindowFn>(
        reinterpret_cast<void (*)(void)>(GetProcAddress(user32, "GetDpiForWindow")));
}

} // namespace

UINT SystemDpi() {
    HDC screen = GetDC(nullptr);
    int dpi = screen != nullptr ? GetDeviceCaps(screen, LOGPIXELSY) : 0;
    if (screen != nullptr)
        ReleaseDC(nullptr, screen);
    return dpi > 0 ? static_cast<UINT>(dpi) : kBaseDpi;
}

namespace {

struct Broadcast {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

BOOL CALLBACK SendToChild(HWND child, LPARAM context) {
    const Broadcast* broadcast = reinterpret_cast<const Broadcast*>(context);
    SendMessageA(child, broadcast->message, broadcast->wParam, broadcast->lParam);
    return TRUE;
}

} // namespace

UINT WindowDpi(HWND window) {
    static const GetDpiForWindowFn getDpiForWindow = LookUpGetDpiForWindow();
    if (getDpiForWindow != nullptr && window != nullptr) {
        UINT dpi = getDpiForWindow(window);
        if (dpi != 0)
            return dpi;
    }
    return SystemDpi();
}

void SendToDescendants(HWND parent, UINT message, WPARAM wParam, LPARAM lParam) {
    Broadcast broadcast = {message, wParam, lParam};
    EnumChildWindows(parent, SendToChild, reinterpret_cast<LPARAM>(&broadcast));
}
