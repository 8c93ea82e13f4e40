// CStatic: a static control.
#ifndef TARVELLO_FRAMEWORK_STATIC_H
#define TARVELLO_FRAMEWORK_STATIC_H

#include <windows.h>

#include "framework/Wnd.h"

class CStatic : public CWnd {
public:
    HICON SetIcon(HICON icon) { return (HICON)SendMessage(STM_SETICON, (WPARAM)icon); }
    HBITMAP SetBitmap(HBITMAP bitmap) {
        return (HBITMAP)SendMessage(STM_SETIMAGE, IMAGE_BITMAP, (LPARAM)bitmap);
    }
};

#endif
