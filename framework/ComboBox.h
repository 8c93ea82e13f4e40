// CComboBox: a combo box (drop-down list) through its messages.
#pragma once

#include <windows.h>

#include "framework/Wnd.h"

class CComboBox : public CWnd {
public:
    int AddString(const char* text) { return (int)SendMessage(CB_ADDSTRING, 0, (LPARAM)text); }
    void ResetContent() { SendMessage(CB_RESETCONTENT); }
    int GetCount() const { return (int)SendMessage(CB_GETCOUNT); }
    int GetCurSel() const { return (int)SendMessage(CB_GETCURSEL); }
    int SetCurSel(int index) { return (int)SendMessage(CB_SETCURSEL, (WPARAM)index); }
    // Copies entry `index` into buffer (always terminated); returns its length or -1.
    int GetLBText(int index, char* buffer, int size) const {
        if (size <= 0)
            return -1;
        buffer[0] = '\0';
        int length = (int)SendMessage(CB_GETLBTEXTLEN, (WPARAM)index);
        if (length < 0 || length >= size)
            return -1; // CB_GETLBTEXT has no size limit
        return (int)SendMessage(CB_GETLBTEXT, (WPARAM)index, (LPARAM)buffer);
    }
};
