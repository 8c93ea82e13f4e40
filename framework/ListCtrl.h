// CListCtrl: a list-view control (report view) through its messages.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "framework/Wnd.h"

class CListCtrl : public CWnd {
public:
    // Returns the new column's index or -1. fmt: LVCFMT_LEFT / _CENTER / _RIGHT.
    int InsertColumn(int column, const char* heading, int fmt = LVCFMT_LEFT, int width = -1) {
        LVCOLUMNA col = {};
        col.mask = LVCF_TEXT | LVCF_FMT | LVCF_SUBITEM | (width >= 0 ? LVCF_WIDTH : 0);
        col.fmt = fmt;
        col.cx = width;
        col.pszText = const_cast<char*>(heading);
        col.iSubItem = column;
        return (int)SendMessage(LVM_INSERTCOLUMNA, (WPARAM)column, (LPARAM)&col);
    }
    // Inserts a row with the text of column 0; returns its index or -1.
    int InsertItem(int item, const char* text) {
        LVITEMA it = {};
        it.mask = LVIF_TEXT;
        it.iItem = item;
        it.pszText = const_cast<char*>(text);
        return (int)SendMessage(LVM_INSERTITEMA, 0, (LPARAM)&it);
    }
    BOOL SetItemText(int item, int subItem, const char* text) {
        LVITEMA it = {};
        it.iSubItem = subItem;
        it.pszText = const_cast<char*>(text);
        return (BOOL)SendMessage(LVM_SETITEMTEXTA, (WPARAM)item, (LPARAM)&it);
    }
    // Copies the cell text into buffer (always terminated); returns its length.
    int GetItemText(int item, int subItem, char* buffer, int size) const {
        if (size <= 0)
            return 0;
        buffer[0] = '\0';
        LVITEMA it = {};
        it.iSubItem = subItem;
        it.pszText = buffer;
        it.cchTextMax = size;
        int length = (int)SendMessage(LVM_GETITEMTEXTA, (WPARAM)item, (LPARAM)&it);
        buffer[size - 1] = '\0'; // some list views leave a cut text unterminated
        return length < size ? length : size - 1;
    }
    BOOL DeleteItem(int item) { return (BOOL)SendMessage(LVM_DELETEITEM, (WPARAM)item); }
    int GetItemCount() const { return (int)SendMessage(LVM_GETITEMCOUNT); }
    // Next row after `start` (-1: from the top) with the LVNI_* flags, or -1.
    int GetNextItem(int start, UINT flags) const {
        return (int)SendMessage(LVM_GETNEXTITEM, (WPARAM)start, MAKELPARAM(flags, 0));
    }
    int GetSelectedItem() const { return GetNextItem(-1, LVNI_SELECTED); }
    BOOL SetItemState(int item, UINT state, UINT mask) {
        LVITEMA it = {};
        it.stateMask = mask;
        it.state = state;
        return (BOOL)SendMessage(LVM_SETITEMSTATE, (WPARAM)item, (LPARAM)&it);
    }
    UINT GetItemState(int item, UINT mask) const {
        return (UINT)SendMessage(LVM_GETITEMSTATE, (WPARAM)item, (LPARAM)mask);
    }
    BOOL EnsureVisible(int item, BOOL partialOk) {
        return (BOOL)SendMessage(LVM_ENSUREVISIBLE, (WPARAM)item, (LPARAM)partialOk);
    }
    DWORD SetExtendedStyle(DWORD exStyle) {
        return (DWORD)SendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, (LPARAM)exStyle);
    }
    DWORD GetExtendedStyle() const { return (DWORD)SendMessage(LVM_GETEXTENDEDLISTVIEWSTYLE); }
};
