// CToolTipCtrl: a tooltip window and its tools, through its messages.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "framework/Wnd.h"

class CToolTipCtrl : public CWnd {
public:
    ~CToolTipCtrl() override; // destroys the tooltip window

    // Creates the tooltip window owned by `parent` (WS_POPUP | style).
    BOOL Create(CWnd* parent, DWORD style = 0);
    // Adds tool `toolId` of `wnd` covering `rect` (null: wnd's client area).
    BOOL AddTool(CWnd* wnd, const char* text, const RECT* rect = nullptr, UINT_PTR toolId = 0);
    void UpdateTipText(const char* text, CWnd* wnd, UINT_PTR toolId = 0);
    // Copies the tool's text into buffer (terminated; up to 80 characters as
    // the control allows).
    void GetText(char* buffer, int size, CWnd* wnd, UINT_PTR toolId = 0) const;
    int GetToolCount() const { return (int)SendMessage(TTM_GETTOOLCOUNT); }
    void Activate(BOOL activate) { SendMessage(TTM_ACTIVATE, (WPARAM)activate); }
    int SetMaxTipWidth(int width) { return (int)SendMessage(TTM_SETMAXTIPWIDTH, 0, (LPARAM)width); }
    void RelayEvent(MSG* msg) { SendMessage(TTM_RELAYEVENT, 0, (LPARAM)msg); }
};
