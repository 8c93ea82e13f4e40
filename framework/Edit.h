// CEdit: an edit control; its text goes through CWnd's window-text calls.
#pragma once

#include <windows.h>

#include "framework/Wnd.h"

class CEdit : public CWnd {
public:
    void LimitText(int maxChars) { SendMessage(EM_LIMITTEXT, (WPARAM)maxChars); }
};
