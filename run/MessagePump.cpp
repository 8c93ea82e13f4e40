#include "run/MessagePump.h"

#include <windows.h>

#include "framework/Wnd.h"

void PumpOneMessage() {
    MSG msg;
    if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        return;
    if (msg.message == WM_QUIT) {
        // Leave the quit request for the loop that owns it.
        PostQuitMessage(static_cast<int>(msg.wParam));
        return;
    }
    if (CWnd::PreTranslateMessageChain(&msg))
        return;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
}
