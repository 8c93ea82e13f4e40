// CSliderCtrl: a track bar through its messages.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "framework/Wnd.h"

class CSliderCtrl : public CWnd {
public:
    void SetRange(int minPos, int maxPos, BOOL redraw = FALSE) {
        SendMessage(TBM_SETRANGEMIN, FALSE, (LPARAM)minPos);
        SendMessage(TBM_SETRANGEMAX, (WPARAM)redraw, (LPARAM)maxPos);
    }
    void SetPos(int pos) { SendMessage(TBM_SETPOS, TRUE, (LPARAM)pos); }
    int GetPos() const { return (int)SendMessage(TBM_GETPOS); }
};
