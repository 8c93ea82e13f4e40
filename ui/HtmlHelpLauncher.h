// The HTML Help viewer, loaded on first use and kept for the life of the
// process. Once loading has failed it is never tried again.
#pragma once

#include <windows.h>

// Path of the HTML Help control as the system registry records it (the
// InprocServer32 entry of its class). False when it cannot be read.
bool FindHtmlHelpModule(char* path, DWORD size);

class HtmlHelpLauncher {
public:
    // `moduleName`: the library loaded by name when the registry gives none
    // that loads; `useRegistry` false skips the registry (tests).
    explicit HtmlHelpLauncher(const char* moduleName = "hhctrl.ocx", bool useRegistry = true);

    // The HtmlHelpA call with the arguments unchanged; returns the viewer's
    // result, or null when the viewer is not available.
    HWND Call(HWND caller, const char* file, UINT command, DWORD_PTR data);

    bool Failed() const { return failed_; }
    int LoadAttempts() const { return loadAttempts_; }

private:
    typedef HWND(WINAPI* HtmlHelpFn)(HWND, LPCSTR, UINT, DWORD_PTR);

    const char* moduleName_;
    bool useRegistry_;
    HMODULE module_ = nullptr;
    bool failed_ = false;
    HtmlHelpFn entry_ = nullptr;
    int loadAttempts_ = 0;
};

// The process-wide launcher that the Help menu uses.
HtmlHelpLauncher& ProcessHtmlHelp();

// ProcessHtmlHelp().Call(...).
HWND CallHtmlHelp(HWND caller, const char* file, UINT command, DWORD_PTR data);
