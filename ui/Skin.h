// The skinning layer. This build carries no skinning library: windows keep
// the platform's own (themed) look, so initialising, loading and applying a
// skin and releasing the library change nothing visible and report success;
// the popup tracking shows the menu with the platform's TrackPopupMenu. No
// caller examines these results.
#pragma once

#include <windows.h>

// Readies skinning for this process. `key` is the licence text ("Demo");
// the two further values are reserved (pass 0). Returns TRUE.
BOOL SkinInitialize(HINSTANCE instance, const char* key, INT_PTR reserved1, INT_PTR reserved2);

// Loads the skin from resource `name` of type `type` in `instance`
// ("BRISKAL_SKIN", "SKINMAGIC"). Returns TRUE.
BOOL SkinLoadFromResource(HINSTANCE instance, const char* name, const char* type);

// Draws windows of the given kind ("Dialog") in the loaded skin from now on.
// Returns TRUE.
BOOL SkinApplyToWindows(const char* kind);

// Shows `popup` at screen point (x, y) with the TPM_* flags (2: right-button
// tracking) for `owner`; the chosen command arrives later as WM_COMMAND to
// the owner. Returns TrackPopupMenu's result.
BOOL SkinTrackPopupMenu(HMENU popup, UINT flags, int x, int y, HWND owner);

// Releases the skinning library at exit.
void SkinRelease();
