// The DPI a window is shown at. The per-monitor functions exist from Windows
// 10 on (and not in every Wine), so they are looked up at run time; without
// them the answer is the screen's DPI, which is the system DPI there.
#pragma once

#include <windows.h>

#include "framework/DpiScale.h"

#ifndef WM_DPICHANGED
#define WM_DPICHANGED 0x02E0
#endif
#ifndef WM_DPICHANGED_AFTERPARENT
#define WM_DPICHANGED_AFTERPARENT 0x02E3
#endif

// GetDpiForWindow when the system has it, else the screen's LOGPIXELSY;
// never 0.
UINT WindowDpi(HWND window);

// The system DPI: the screen's LOGPIXELSY (what a window on the primary
// display of a system-aware program is drawn at).
UINT SystemDpi();

// Sends `message` to every descendant of `parent` (all levels).
void SendToDescendants(HWND parent, UINT message, WPARAM wParam, LPARAM lParam);
