// CProgressCtrl: a progress bar through its messages.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "framework/Wnd.h"

class CProgressCtrl : public CWnd {
public:
    void SetRange(int lower, int upper) {
        SendMessage(PBM_SETRANGE32, (WPARAM)lower, (LPARAM)upper);
    }
    int SetPos(int pos) { return (int)SendMessage(PBM_SETPOS, (WPARAM)pos); }
    int GetPos() const { return (int)SendMessage(PBM_GETPOS); }
    void GetRange(int& lower, int& upper) const {
        PBRANGE range = {};
        SendMessage(PBM_GETRANGE, FALSE, (LPARAM)&range);
        lower = range.iLow;
        upper = range.iHigh;
    }
};
