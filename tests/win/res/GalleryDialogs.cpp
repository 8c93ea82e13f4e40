#include "tests/win/res/GalleryDialogs.h"

#include <commctrl.h>

#include "framework/DialogInit.h"
#include "res/resource.h"

namespace {

struct ButtonIcon {
    int controlId;
    int iconId;
    int size; // 0: the size the resource loads at
};

// The toolbar and side buttons with the icons the main dialog gives them.
const ButtonIcon kButtonIcons[] = {
    {IDC_TOOL_ADD, IDI_ADD_TOOL, 48},
    {IDC_TOOL_CONVERT, IDI_CONVERT_TOOL, 48},
    {IDC_TOOL_SETTINGS, IDI_SETTINGS_TOOL, 48},
    {IDC_TOOL_HELP, IDI_HELP_TOOL, 48},
    {IDC_LIST_ADD, IDI_LIST_ADD, 16},
    {IDC_LIST_REMOVE, IDI_LIST_REMOVE, 16},
    {IDC_LIST_UP, IDI_LIST_UP, 16},
    {IDC_LIST_DOWN, IDI_LIST_DOWN, 16},
};

// A plain stand-in for the image button: icon above, caption below.
void DrawButton(const DRAWITEMSTRUCT* item) {
    FillRect(item->hDC, &item->rcItem, GetSysColorBrush(COLOR_BTNFACE));
    for (const ButtonIcon& b : kButtonIcons) {
        if (b.controlId != static_cast<int>(item->CtlID))
            continue;
        HICON icon =
            static_cast<HICON>(LoadImageA(GetModuleHandleA(NULL), MAKEINTRESOURCEA(b.iconId),
                                          IMAGE_ICON, b.size, b.size, LR_DEFAULTCOLOR));
        char caption[64] = "";
        GetWindowTextA(item->hwndItem, caption, sizeof caption);
        const int w = item->rcItem.right - item->rcItem.left;
        const int h = item->rcItem.bottom - item->rcItem.top;
        const int top = caption[0] ? 3 : (h - b.size) / 2;
        DrawIconEx(item->hDC, (w - b.size) / 2, top, icon, b.size, b.size, 0, NULL, DI_NORMAL);
        if (caption[0]) {
            RECT text = item->rcItem;
            text.top = top + b.size;
            SetBkMode(item->hDC, TRANSPARENT);
            DrawTextA(item->hDC, caption, -1, &text, DT_CENTER | DT_WORDBREAK);
        }
        DestroyIcon(icon);
    }
}

// The Tip of the Day panel as the tip dialog paints it: white panel over the
// marker control less 50 pixels, the bulb in its corner, the heading beside it.
void PaintTipPanel(HWND dialog) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(dialog, &ps);
    RECT panel;
    GetWindowRect(GetDlgItem(dialog, IDC_TIP_PANEL), &panel);
    panel.bottom -= 50;
    MapWindowPoints(NULL, dialog, reinterpret_cast<POINT*>(&panel), 2);
    FillRect(dc, &panel, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    SetBkMode(dc, TRANSPARENT);
    HBITMAP bulb = LoadBitmapA(GetModuleHandleA(NULL), MAKEINTRESOURCEA(IDB_LIGHTBULB));
    BITMAP info = {};
    GetObjectA(bulb, sizeof info, &info);
    HDC memory = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(memory, bulb);
    BitBlt(dc, panel.left, panel.top, info.bmWidth, info.bmHeight, memory, 0, 0, SRCCOPY);
    SelectObject(memory, old);
    DeleteDC(memory);
    DeleteObject(bulb);
    char heading[64] = "";
    LoadStringA(GetModuleHandleA(NULL), IDS_TIP_DID_YOU_KNOW, heading, sizeof heading);
    RECT band = {panel.left + info.bmWidth, panel.top, panel.right, panel.top + info.bmHeight};
    DrawTextA(dc, heading, -1, &band, DT_SINGLELINE | DT_VCENTER);
    RECT tip;
    GetWindowRect(GetDlgItem(dialog, IDC_TIP_TEXT), &tip);
    MapWindowPoints(NULL, dialog, reinterpret_cast<POINT*>(&tip), 2);
    DrawTextA(dc, "Select several files at once in the file dialog to add them all to the list.",
              -1, &tip, DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX | DT_EDITCONTROL);
    EndPaint(dialog, &ps);
}

INT_PTR CALLBACK GalleryProc(HWND dialog, UINT message, WPARAM, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        SetWindowLongPtrA(dialog, GWLP_USERDATA, lParam);
        LoadDialogInitEntries(dialog, static_cast<int>(lParam));
        return TRUE;
    case WM_DRAWITEM:
        DrawButton(reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    case WM_PAINT:
        if (GetWindowLongPtrA(dialog, GWLP_USERDATA) != IDD_TIP)
            return FALSE;
        PaintTipPanel(dialog);
        return TRUE;
    case WM_COMMAND:
        return TRUE; // no logic: OK and Cancel do not close the dialog
    }
    return FALSE;
}

} // namespace

void InitGalleryControls() {
    INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_LISTVIEW_CLASSES | ICC_PROGRESS_CLASS |
                                                ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&icc);
}

HWND CreateGalleryDialog(int templateId) {
    InitGalleryControls();
    return CreateDialogParamA(GetModuleHandleA(NULL), MAKEINTRESOURCEA(templateId), NULL,
                              GalleryProc, templateId);
}
