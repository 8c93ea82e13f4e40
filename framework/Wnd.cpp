#include "framework/Wnd.h"

#include "framework/WinApp.h"

namespace {

// The window property that links a window to its C++ object.
const char kObjectProperty[] = "Framework.CWnd";

bool IsCtlColorMessage(UINT message) {
    return message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC;
}

// Looks for the entry of `message` (with its code and id where they matter)
// in one table.
const MsgMapEntry* FindEntry(const MsgMapEntry* entry, UINT message, UINT code, UINT id) {
    for (; entry->message != 0; ++entry) {
        if (entry->message != message)
            continue;
        if (message == WM_COMMAND || message == WM_NOTIFY) {
            if (entry->code == code && entry->id == id)
                return entry;
        } else if (message == WM_REFLECT_BASE + WM_COMMAND ||
                   message == WM_REFLECT_BASE + WM_NOTIFY) {
            if (entry->code == code)
                return entry;
        } else {
            return entry;
        }
    }
    return nullptr;
}

} // namespace

CWnd::CWnd() : m_hWnd(nullptr), m_currentMsg(nullptr), m_superProc(nullptr) {}

CWnd::CWnd(HWND hWnd) : m_hWnd(hWnd), m_currentMsg(nullptr), m_superProc(nullptr) {}

CWnd::~CWnd() {
    if (m_superProc != nullptr)
        UnsubclassWindow();
}

CWnd* CWnd::FromHandlePermanent(HWND hWnd) {
    if (hWnd == nullptr)
        return nullptr;
    return static_cast<CWnd*>(GetPropA(hWnd, kObjectProperty));
}

void CWnd::LinkObject(HWND hWnd) {
    m_hWnd = hWnd;
    SetPropA(hWnd, kObjectProperty, this);
}

void CWnd::UnlinkObject() {
    if (m_hWnd != nullptr && GetPropA(m_hWnd, kObjectProperty) == this)
        RemovePropA(m_hWnd, kObjectProperty);
    m_hWnd = nullptr;
}

BOOL CWnd::Attach(HWND hWnd) {
    if (m_hWnd != nullptr || hWnd == nullptr)
        return FALSE;
    m_hWnd = hWnd;
    return TRUE;
}

HWND CWnd::Detach() {
    if (m_superProc != nullptr)
        return UnsubclassWindow();
    HWND hWnd = m_hWnd;
    m_hWnd = nullptr;
    return hWnd;
}

BOOL CWnd::SubclassWindow(HWND hWnd) {
    if (m_hWnd != nullptr || hWnd == nullptr || !IsWindow(hWnd))
        return FALSE;
    if (FromHandlePermanent(hWnd) != nullptr)
        return FALSE; // already has an object
    LinkObject(hWnd);
    m_superProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CWnd::SubclassProc)));
    if (m_superProc == nullptr) {
        UnlinkObject();
        return FALSE;
    }
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT id, CWnd* parent) {
    if (parent == nullptr || parent->m_hWnd == nullptr)
        return FALSE;
    return SubclassWindow(::GetDlgItem(parent->m_hWnd, (int)id));
}

HWND CWnd::UnsubclassWindow() {
    HWND hWnd = m_hWnd;
    if (hWnd != nullptr && m_superProc != nullptr) {
        // Only put the old procedure back if nobody subclassed on top of us.
        if (GetWindowLongPtrA(hWnd, GWLP_WNDPROC) ==
            reinterpret_cast<LONG_PTR>(&CWnd::SubclassProc))
            SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_superProc));
    }
    m_superProc = nullptr;
    UnlinkObject();
    return hWnd;
}

LRESULT CALLBACK CWnd::SubclassProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    CWnd* wnd = FromHandlePermanent(hWnd);
    if (wnd == nullptr || wnd->m_superProc == nullptr)
        return ::DefWindowProcA(hWnd, message, wParam, lParam);
    if (message != WM_NCDESTROY)
        return wnd->WindowProc(message, wParam, lParam);
    WNDPROC super = wnd->m_superProc;
    LRESULT result = wnd->WindowProc(message, wParam, lParam);
    if (FromHandlePermanent(hWnd) == wnd) {
        wnd->UnsubclassWindow();
        wnd->PostNcDestroy();
    } else if (super != nullptr && GetWindowLongPtrA(hWnd, GWLP_WNDPROC) ==
                                       reinterpret_cast<LONG_PTR>(&CWnd::SubclassProc)) {
        SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(super));
    }
    return result;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    CurrentMsg current = {message, wParam, lParam};
    const CurrentMsg* saved = m_currentMsg;
    m_currentMsg = &current;
    LRESULT result = 0;
    if (!OnWndMsg(message, wParam, lParam, &result))
        result = DefWindowProc(message, wParam, lParam);
    m_currentMsg = saved;
    return result;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (m_superProc != nullptr)
        return CallWindowProcA(m_superProc, m_hWnd, message, wParam, lParam);
    return ::DefWindowProcA(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default() {
    if (m_currentMsg == nullptr)
        return 0;
    return DefWindowProc(m_currentMsg->message, m_currentMsg->wParam, m_currentMsg->lParam);
}

UINT CWnd::CurrentMessage() const {
    return m_currentMsg != nullptr ? m_currentMsg->message : 0;
}

const MsgMap* CWnd::GetThisMessageMap() {
    static const MsgMapEntry entries[] = {{0, 0, 0, nullptr}};
    static const MsgMap map = {nullptr, entries};
    return &map;
}

const MsgMap* CWnd::GetMessageMap() const {
    return GetThisMessageMap();
}

BOOL CWnd::ReflectToChild(HWND child, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    CWnd* control = FromHandlePermanent(child);
    // Only child controls; WM_CTLCOLORDLG names the dialog itself.
    if (control == nullptr || !(GetWindowLongA(child, GWL_STYLE) & WS_CHILD))
        return FALSE;
    CurrentMsg current = {WM_REFLECT_BASE + message, wParam, lParam};
    const CurrentMsg* saved = control->m_currentMsg;
    control->m_currentMsg = &current;
    BOOL handled = control->OnWndMsg(WM_REFLECT_BASE + message, wParam, lParam, result);
    control->m_currentMsg = saved;
    return handled;
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    *result = 0;
    UINT code = 0;
    UINT id = 0;
    UINT lookup = message;

    // Notifications go to the control's own object first.
    if (message == WM_COMMAND) {
        code = HIWORD(wParam);
        id = LOWORD(wParam);
        if (lParam != 0 &&
            ReflectToChild(reinterpret_cast<HWND>(lParam), WM_COMMAND, wParam, lParam, result))
            return TRUE;
    } else if (message == WM_NOTIFY) {
        const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header == nullptr)
            return FALSE;
        code = header->code;
        id = (UINT)header->idFrom;
        if (ReflectToChild(header->hwndFrom, WM_NOTIFY, wParam, lParam, result))
            return TRUE;
    } else if (IsCtlColorMessage(message)) {
        if (ReflectToChild(reinterpret_cast<HWND>(lParam), WM_CTLCOLOR, wParam,
                           (LPARAM)(message - WM_CTLCOLORMSGBOX), result))
            return TRUE;
        lookup = WM_CTLCOLOR;
    } else if (message == WM_DRAWITEM) {
        const DRAWITEMSTRUCT* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (item->CtlType != ODT_MENU &&
            ReflectToChild(item->hwndItem, WM_DRAWITEM, wParam, lParam, result))
            return TRUE;
    } else if (message == WM_REFLECT_BASE + WM_COMMAND) {
        code = HIWORD(wParam);
    } else if (message == WM_REFLECT_BASE + WM_NOTIFY) {
        code = reinterpret_cast<const NMHDR*>(lParam)->code;
    }

    for (const MsgMap* map = GetMessageMap(); map != nullptr;
         map = map->base ? map->base() : nullptr) {
        const MsgMapEntry* entry = FindEntry(map->entries, lookup, code, id);
        if (entry != nullptr)
            return entry->handler(this, wParam, lParam, result);
    }
    return FALSE;
}

BOOL CWnd::PreTranslateMessage(MSG*) {
    return FALSE;
}

BOOL CWnd::PreTranslateMessageChain(MSG* msg) {
    for (HWND hWnd = msg->hwnd; hWnd != nullptr; hWnd = ::GetParent(hWnd)) {
        CWnd* wnd = FromHandlePermanent(hWnd);
        if (wnd != nullptr && wnd->PreTranslateMessage(msg))
            return TRUE;
        if (!(GetWindowLongA(hWnd, GWL_STYLE) & WS_CHILD))
            break; // top-level reached
    }
    return FALSE;
}

BOOL CWnd::DestroyWindow() {
    if (m_hWnd == nullptr)
        return FALSE;
    return ::DestroyWindow(m_hWnd);
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) const {
    return ::SendMessageA(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) const {
    return ::PostMessageA(m_hWnd, message, wParam, lParam);
}

void CWnd::SetWindowText(const char* text) {
    ::SetWindowTextA(m_hWnd, text);
}

int CWnd::GetWindowText(char* buffer, int size) const {
    if (size <= 0)
        return 0;
    buffer[0] = '\0';
    return ::GetWindowTextA(m_hWnd, buffer, size);
}

int CWnd::GetWindowTextLength() const {
    return ::GetWindowTextLengthA(m_hWnd);
}
BOOL CWnd::EnableWindow(BOOL enable) {
    return ::EnableWindow(m_hWnd, enable);
}
BOOL CWnd::IsWindowEnabled() const {
    return ::IsWindowEnabled(m_hWnd);
}
BOOL CWnd::ShowWindow(int cmdShow) {
    return ::ShowWindow(m_hWnd, cmdShow);
}
BOOL CWnd::IsWindowVisible() const {
    return ::IsWindowVisible(m_hWnd);
}
BOOL CWnd::IsIconic() const {
    return ::IsIconic(m_hWnd);
}
DWORD CWnd::GetStyle() const {
    return (DWORD)GetWindowLongA(m_hWnd, GWL_STYLE);
}

BOOL CWnd::ModifyStyle(DWORD remove, DWORD add, UINT swpFlags) {
    DWORD style = GetStyle();
    DWORD changed = (style & ~remove) | add;
    if (changed == style)
        return FALSE;
    SetWindowLongA(m_hWnd, GWL_STYLE, (LONG)changed);
    if (swpFlags != 0)
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                       SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | swpFlags);
    return TRUE;
}

int CWnd::GetDlgCtrlID() const {
    return ::GetDlgCtrlID(m_hWnd);
}
HWND CWnd::GetParent() const {
    return ::GetParent(m_hWnd);
}
HWND CWnd::SetFocus() {
    return ::SetFocus(m_hWnd);
}
HFONT CWnd::GetFont() const {
    return reinterpret_cast<HFONT>(SendMessage(WM_GETFONT));
}
void CWnd::SetFont(HFONT font, BOOL redraw) {
    SendMessage(WM_SETFONT, (WPARAM)font, redraw);
}

HICON CWnd::SetIcon(HICON icon, BOOL big) {
    return reinterpret_cast<HICON>(
        SendMessage(WM_SETICON, big ? ICON_BIG : ICON_SMALL, (LPARAM)icon));
}

HMENU CWnd::GetSystemMenu(BOOL revert) const {
    return ::GetSystemMenu(m_hWnd, revert);
}
void CWnd::GetClientRect(RECT* rect) const {
    ::GetClientRect(m_hWnd, rect);
}
void CWnd::GetWindowRect(RECT* rect) const {
    ::GetWindowRect(m_hWnd, rect);
}
void CWnd::ClientToScreen(POINT* pt) const {
    ::ClientToScreen(m_hWnd, pt);
}
void CWnd::ScreenToClient(POINT* pt) const {
    ::ScreenToClient(m_hWnd, pt);
}

void CWnd::ClientToScreen(RECT* rect) const {
    ::MapWindowPoints(m_hWnd, nullptr, reinterpret_cast<POINT*>(rect), 2);
}

void CWnd::ScreenToClient(RECT* rect) const {
    ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(rect), 2);
}

BOOL CWnd::SetWindowPos(HWND after, int x, int y, int cx, int cy, UINT flags) {
    return ::SetWindowPos(m_hWnd, after, x, y, cx, cy, flags);
}

void CWnd::Invalidate(BOOL erase) {
    ::InvalidateRect(m_hWnd, nullptr, erase);
}
void CWnd::InvalidateRect(const RECT* rect, BOOL erase) {
    ::InvalidateRect(m_hWnd, rect, erase);
}
void CWnd::UpdateWindow() {
    ::UpdateWindow(m_hWnd);
}

void CWnd::CenterWindow(HWND alternateOwner) {
    HWND center = alternateOwner;
    if (center == nullptr)
        center = (GetStyle() & WS_CHILD) ? ::GetParent(m_hWnd) : ::GetWindow(m_hWnd, GW_OWNER);
    if (center != nullptr && (!::IsWindowVisible(center) || ::IsIconic(center)))
        center = nullptr;

    RECT self;
    GetWindowRect(&self);
    RECT area;
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoA(MonitorFromWindow(center ? center : m_hWnd, MONITOR_DEFAULTTOPRIMARY),
                    &monitor);
    area = monitor.rcWork;
    RECT around = area;
    if (center != nullptr)
        ::GetWindowRect(center, &around);

    int width = self.right - self.left;
    int height = self.bottom - self.top;
    int x = (around.left + around.right) / 2 - width / 2;
    int y = (around.top + around.bottom) / 2 - height / 2;
    if (x + width > area.right)
        x = area.right - width;
    if (x < area.left)
        x = area.left;
    if (y + height > area.bottom)
        y = area.bottom - height;
    if (y < area.top)
        y = area.top;

    if (GetStyle() & WS_CHILD) {
        POINT pt = {x, y};
        ::ScreenToClient(::GetParent(m_hWnd), &pt);
        x = pt.x;
        y = pt.y;
    }
    ::SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

UINT_PTR CWnd::SetTimer(UINT_PTR id, UINT elapseMs) {
    return ::SetTimer(m_hWnd, id, elapseMs, nullptr);
}
BOOL CWnd::KillTimer(UINT_PTR id) {
    return ::KillTimer(m_hWnd, id);
}

HWND CWnd::GetDlgItem(int id) const {
    return ::GetDlgItem(m_hWnd, id);
}
void CWnd::SetDlgItemText(int id, const char* text) {
    ::SetDlgItemTextA(m_hWnd, id, text);
}

int CWnd::GetDlgItemText(int id, char* buffer, int size) const {
    if (size <= 0)
        return 0;
    buffer[0] = '\0';
    return (int)::GetDlgItemTextA(m_hWnd, id, buffer, size);
}

void CWnd::EnableDlgItem(int id, BOOL enable) {
    ::EnableWindow(GetDlgItem(id), enable);
}
BOOL CWnd::IsDlgButtonChecked(int id) const {
    return ::IsDlgButtonChecked(m_hWnd, id) == BST_CHECKED;
}
void CWnd::CheckDlgButton(int id, UINT check) {
    ::CheckDlgButton(m_hWnd, id, check);
}

LRESULT CWnd::SendDlgItemMessage(int id, UINT message, WPARAM wParam, LPARAM lParam) const {
    return ::SendDlgItemMessageA(m_hWnd, id, message, wParam, lParam);
}

int CWnd::MessageBox(const char* text, const char* caption, UINT type) {
    return ::MessageBoxA(m_hWnd, text, caption != nullptr ? caption : AfxGetAppName(), type);
}

HWND CWnd::GetSafeOwner(CWnd* parent) {
    HWND hWnd = parent != nullptr ? parent->m_hWnd : nullptr;
    bool fromMain = false;
    if (hWnd == nullptr) {
        CWnd* main = AfxGetMainWnd();
        hWnd = main != nullptr ? main->m_hWnd : nullptr;
        fromMain = true;
    }
    while (hWnd != nullptr && (GetWindowLongA(hWnd, GWL_STYLE) & WS_CHILD))
        hWnd = ::GetParent(hWnd);
    if (hWnd != nullptr && fromMain)
        hWnd = GetLastActivePopup(hWnd);
    return hWnd;
}
