#include "ui/Skin.h"

// Without a skinning library the platform's themed look stays; these calls
// only keep the start-up and exit sequence in one place.

BOOL SkinInitialize(HINSTANCE, const char*, INT_PTR, INT_PTR) {
    return TRUE;
}

BOOL SkinLoadFromResource(HINSTANCE, const char*, const char*) {
    return TRUE;
}

BOOL SkinApplyToWindows(const char*) {
    return TRUE;
}

BOOL SkinTrackPopupMenu(HMENU popup, UINT flags, int x, int y, HWND owner) {
    return TrackPopupMenu(popup, flags, x, y, 0, owner, nullptr);
}

void SkinRelease() {}
