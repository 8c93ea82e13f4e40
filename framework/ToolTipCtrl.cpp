#include "framework/ToolTipCtrl.h"

#include "framework/WinApp.h"

namespace {

// The tool record of comctl32 5.8, which every version accepts.
TTTOOLINFOA MakeToolInfo(CWnd* wnd, UINT_PTR toolId) {
    TTTOOLINFOA info = {};
    info.cbSize = TTTOOLINFOA_V2_SIZE;
    info.hwnd = wnd != nullptr ? wnd->m_hWnd : nullptr;
    info.uId = toolId;
    return info;
}

} // namespace

CToolTipCtrl::~CToolTipCtrl() {
    if (m_hWnd != nullptr) {
        HWND hWnd = Detach();
        ::DestroyWindow(hWnd);
    }
}

BOOL CToolTipCtrl::Create(CWnd* parent, DWORD style) {
    if (m_hWnd != nullptr)
        return FALSE;
    AfxInitCommonControls();
    HWND hWnd =
        CreateWindowExA(0, TOOLTIPS_CLASSA, nullptr, WS_POPUP | style, CW_USEDEFAULT, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, parent != nullptr ? parent->m_hWnd : nullptr,
                        nullptr, AfxGetInstanceHandle(), nullptr);
    // Subclassed so that m_hWnd is cleared when the owner takes the window down.
    return hWnd != nullptr && SubclassWindow(hWnd);
}

BOOL CToolTipCtrl::AddTool(CWnd* wnd, const char* text, const RECT* rect, UINT_PTR toolId) {
    TTTOOLINFOA info = MakeToolInfo(wnd, toolId);
    info.uFlags = 0; // mouse messages come through RelayEvent
    if (rect != nullptr)
        info.rect = *rect;
    else if (wnd != nullptr)
        wnd->GetClientRect(&info.rect);
    info.lpszText = const_cast<char*>(text != nullptr ? text : "");
    return (BOOL)SendMessage(TTM_ADDTOOLA, 0, (LPARAM)&info);
}

void CToolTipCtrl::UpdateTipText(const char* text, CWnd* wnd, UINT_PTR toolId) {
    TTTOOLINFOA info = MakeToolInfo(wnd, toolId);
    info.lpszText = const_cast<char*>(text != nullptr ? text : "");
    SendMessage(TTM_UPDATETIPTEXTA, 0, (LPARAM)&info);
}

void CToolTipCtrl::GetText(char* buffer, int size, CWnd* wnd, UINT_PTR toolId) const {
    if (size <= 0)
        return;
    // TTM_GETTEXTA has no size field: read into a buffer of the control's limit.
    char text[1024] = "";
    TTTOOLINFOA info = MakeToolInfo(wnd, toolId);
    info.lpszText = text;
    SendMessage(TTM_GETTEXTA, sizeof text, (LPARAM)&info);
    text[sizeof text - 1] = '\0';
    lstrcpynA(buffer, text, size);
}
