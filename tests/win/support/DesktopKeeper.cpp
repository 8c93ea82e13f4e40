// Keeps the test session's Wine desktop open until the session's wineserver
// is stopped.
//
// Wine starts the desktop's explorer.exe, which owns the desktop's X window,
// from the first process that needs it, and ends it shortly after the last
// process attached to the desktop has gone. When that first process is an
// FFmpeg inside an encoder's job object, explorer.exe dies with the job. A
// test process that learnt the old desktop's X window, or starts while it is
// closing, then creates its windows on an X window that no longer exists and
// dies with "BadWindow (X_CreateWindow)". With this process attached for the
// whole session, every test finds the same live desktop.
//
// Usage: desktop_keeper.exe <ready file>; the file is created once the
// desktop is held.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
    // A window (never shown) attaches this thread to the desktop.
    HWND anchor = CreateWindowExA(0, "STATIC", "desktop keeper", WS_POPUP, 0, 0, 1, 1, nullptr,
                                  nullptr, GetModuleHandleA(nullptr), nullptr);
    if (anchor == nullptr)
        return 1;
    if (commandLine != nullptr && commandLine[0] != '\0') {
        HANDLE ready =
            CreateFileA(commandLine, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        if (ready != INVALID_HANDLE_VALUE)
            CloseHandle(ready);
    }
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0)
        DispatchMessageA(&msg);
    return 0;
}
