// CButton: a push button, check box or owner-drawn button. An owner-drawn
// button paints itself in DrawItem, reached through the parent's reflected
// WM_DRAWITEM.
#pragma once

#include <windows.h>

#include "framework/Wnd.h"

class CButton : public CWnd {
public:
    int GetCheck() const { return (int)SendMessage(BM_GETCHECK); }
    void SetCheck(int check) { SendMessage(BM_SETCHECK, (WPARAM)check); }

    // Paints an owner-drawn button; the default does nothing.
    virtual void DrawItem(DRAWITEMSTRUCT* drawItem);

protected:
    LRESULT OnReflectedDrawItem(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};
