// The run's signals on the real system: ITaskbarList3 for the taskbar button
// (nothing when the interface is missing), SetThreadExecutionState to keep
// the system awake, FlashWindowEx at the end. Tests put a port of their own
// in its place to see the calls.
#pragma once

#include <windows.h>

#include "engine/core/RunSignals.h"

// The signals of the running conversion (one run at a time).
extern RunSignals g_runSignals;

// Begins the signals of a run whose main window is `window`, through the
// system's port or the one a test installed.
void BeginRunSignals(HWND window);

// Null: the system's port again.
void SetRunSignalPortForTests(RunSignalPort* port);
