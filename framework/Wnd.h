// CWnd: a window handle with the helpers every window class uses, and the
// link between a window and its C++ object.
//
// An object is linked to its window either by subclassing (SubclassWindow,
// SubclassDlgItem: the window procedure is replaced and messages go through
// the object's message map, then to the original procedure) or, for dialogs,
// by the dialog procedure of CDialog. The object is found from the handle
// through a window property; there is no global handle map. Attach only
// stores the handle (no messages reach the object).
#pragma once

#include <windows.h>

#include "framework/MessageMap.h"

class CWnd {
public:
    CWnd();
    explicit CWnd(HWND hWnd); // Attach
    virtual ~CWnd();          // unsubclasses a still subclassed window

    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    HWND m_hWnd;

    HWND GetSafeHwnd() const { return m_hWnd; }
    operator HWND() const { return m_hWnd; }

    // The object subclassing (or running the dialog of) `hWnd`, or null.
    static CWnd* FromHandlePermanent(HWND hWnd);

    // --- linking ---
    BOOL Attach(HWND hWnd); // stores the handle only
    HWND Detach();          // unsubclasses if needed; returns the handle
    BOOL SubclassWindow(HWND hWnd);
    BOOL SubclassDlgItem(UINT id, CWnd* parent);
    HWND UnsubclassWindow();

    // --- message handling ---
    // Called by the modal loop (and PreTranslateMessageChain) before a
    // message is dispatched; TRUE means it was handled and must not be
    // dispatched.
    virtual BOOL PreTranslateMessage(MSG* msg);
    // The window procedure of a subclassed window: message map, then the
    // original window procedure.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // Walks the message map chain (with reflection); TRUE when handled.
    virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
    // The original procedure of a subclassed window (DefDlgProc for dialogs).
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // Default handling of the message being handled now.
    LRESULT Default();
    UINT CurrentMessage() const; // id of the message being handled, 0 outside a handler
    virtual void PostNcDestroy() {}
    virtual BOOL DestroyWindow();

    // Runs PreTranslateMessage from msg->hwnd up through its parents (and
    // owners) to the top-level window. For message loops outside the
    // framework (the encoder wait loop): call it before TranslateMessage /
    // DispatchMessage and skip those when it returns TRUE.
    static BOOL PreTranslateMessageChain(MSG* msg);

    // --- state and text ---
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    void SetWindowText(const char* text);
    int GetWindowText(char* buffer, int size) const; // length copied; "" on failure
    int GetWindowTextLength() const;
    BOOL EnableWindow(BOOL enable = TRUE);
    BOOL IsWindowEnabled() const;
    BOOL ShowWindow(int cmdShow);
    BOOL IsWindowVisible() const;
    BOOL IsIconic() const;
    DWORD GetStyle() const;
    BOOL ModifyStyle(DWORD remove, DWORD add, UINT swpFlags = 0);
    int GetDlgCtrlID() const;
    HWND GetParent() const;
    HWND SetFocus();
    HFONT GetFont() const;
    void SetFont(HFONT font, BOOL redraw = TRUE);
    HICON SetIcon(HICON icon, BOOL big);
    HMENU GetSystemMenu(BOOL revert) const;

    // --- geometry and painting ---
    void GetClientRect(RECT* rect) const;
    void GetWindowRect(RECT* rect) const;
    void ClientToScreen(POINT* pt) const;
    void ClientToScreen(RECT* rect) const;
    void ScreenToClient(POINT* pt) const;
    void ScreenToClient(RECT* rect) const;
    BOOL SetWindowPos(HWND after, int x, int y, int cx, int cy, UINT flags);
    void Invalidate(BOOL erase = TRUE);
    void InvalidateRect(const RECT* rect, BOOL erase = TRUE);
    void UpdateWindow();
    // Centres over `alternateOwner`, else the owner (or parent) when it is
    // visible and not minimised, else the work area; kept inside the work area.
    void CenterWindow(HWND alternateOwner = nullptr);

    // --- timers ---
    UINT_PTR SetTimer(UINT_PTR id, UINT elapseMs);
    BOOL KillTimer(UINT_PTR id);

    // --- dialog items ---
    HWND GetDlgItem(int id) const;
    void SetDlgItemText(int id, const char* text);
    int GetDlgItemText(int id, char* buffer, int size) const;
    void EnableDlgItem(int id, BOOL enable);
    BOOL IsDlgButtonChecked(int id) const;
    void CheckDlgButton(int id, UINT check);
    LRESULT SendDlgItemMessage(int id, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;

    // Message box owned by this window; caption = application name when null.
    int MessageBox(const char* text, const char* caption = nullptr, UINT type = MB_OK);

    // The top-level window that should own a popup of `parent` (its top-level
    // ancestor); for a null parent the main window's last active popup.
    static HWND GetSafeOwner(CWnd* parent = nullptr);

protected:
    // Default handlers for the ON_WM_* entries: each does the default handling.
    void OnPaint() { Default(); }
    void OnSysCommand(UINT, LPARAM) { Default(); }
    HCURSOR OnQueryDragIcon() { return reinterpret_cast<HCURSOR>(Default()); }
    HBRUSH OnCtlColor(HDC, HWND, UINT) { return reinterpret_cast<HBRUSH>(Default()); }
    void OnHScroll(UINT, UINT, HWND) { Default(); }
    void OnTimer(UINT_PTR) { Default(); }
    void OnMouseMove(UINT, POINT) { Default(); }
    BOOL OnSetCursor(HWND, UINT, UINT) { return (BOOL)Default(); }
    void OnDestroy() { Default(); }
    void OnKillFocus(HWND) { Default(); }
    void OnCancelMode() { Default(); }
    UINT OnGetDlgCode() { return (UINT)Default(); }
    BOOL OnEraseBkgnd(HDC) { return (BOOL)Default(); }
    void OnSysColorChange() { Default(); }

    static const MsgMap* GetThisMessageMap();
    virtual const MsgMap* GetMessageMap() const;

    // Offers a notification to the control's own object (reflection).
    static BOOL ReflectToChild(HWND child, UINT message, WPARAM wParam, LPARAM lParam,
                               LRESULT* result);

    // Linking used by CDialog and the subclass procedure.
    void LinkObject(HWND hWnd);
    void UnlinkObject();

    struct CurrentMsg {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
    };
    const CurrentMsg* m_currentMsg; // the message being handled (nested handling saves it)
    WNDPROC m_superProc;            // original procedure of a subclassed window

private:
    static LRESULT CALLBACK SubclassProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    friend class CDialog;
};
