// CDialog: a dialog from a template, modal (DoModal) or modeless (Create),
// with control binding and data exchange (DoDataExchange / UpdateData).
//
// The dialog procedure finds the object, walks its message map and returns a
// handler's result to the sender through DWLP_MSGRESULT (or directly for the
// messages whose dialog-procedure result is the message result, such as
// WM_CTLCOLOR*). Messages no handler takes get DefDlgProc's default handling.
//
// DoModal runs its own message loop so that PreTranslateMessage of the
// dialog's controls (tooltips, double clicks) sees every message; it disables
// the owner while the dialog runs, as DialogBox does.
#pragma once

#include <windows.h>

#include "framework/Wnd.h"

class CDialog;

// Direction and target of one data exchange.
class CDataExchange {
public:
    CDataExchange(CWnd* dialog, BOOL saveAndValidate)
        : m_bSaveAndValidate(saveAndValidate), m_pDlgWnd(dialog) {}
    BOOL m_bSaveAndValidate; // TRUE: controls -> members; FALSE: members -> controls
    CWnd* m_pDlgWnd;
};

// Binds dialog item `id` to `control` (subclassing it) the first time; later
// exchanges leave an already bound control alone.
void DDX_Control(CDataExchange* pDX, int id, CWnd& control);
// Check box state <-> value (1 checked, 0 unchecked; 2 indeterminate).
void DDX_Check(CDataExchange* pDX, int id, int& value);
// Window text <-> a NUL-terminated buffer of `size` characters (truncated to fit).
void DDX_Text(CDataExchange* pDX, int id, char* buffer, int size);

class CDialog : public CWnd {
public:
    CDialog();
    explicit CDialog(UINT templateId, CWnd* parent = nullptr);
    ~CDialog() override; // destroys the window if it still exists

    // Use an in-memory template instead of a resource id (kept by pointer: it
    // must outlive the dialog's window).
    void InitModalIndirect(const DLGTEMPLATE* dialogTemplate, CWnd* parent = nullptr);

    // Runs the dialog modally; returns the EndDialog value, or -1 when the
    // window could not be created. The owner is the parent's top-level window,
    // or for no parent the application's main window (if it exists).
    virtual INT_PTR DoModal();

    // Creates the modeless dialog, owned by the parent's top-level window (the
    // main window when no parent is given). TRUE on success.
    BOOL Create(UINT templateId, CWnd* parent = nullptr);
    BOOL CreateIndirect(const DLGTEMPLATE* dialogTemplate, CWnd* parent = nullptr);

    // Modal: ends the modal loop with `result` (the window is destroyed when
    // DoModal returns). Modeless: hides the window.
    void EndDialog(int result);

    // Binds the controls (UpdateData(FALSE)) after adding the template's
    // initial list entries; TRUE puts the focus on the first control.
    virtual BOOL OnInitDialog();
    virtual BOOL DestroyWindow() override;
    virtual void DoDataExchange(CDataExchange* pDX);
    virtual void OnOK();     // UpdateData(TRUE), then EndDialog(IDOK)
    virtual void OnCancel(); // EndDialog(IDCANCEL)

    // Calls DoDataExchange in the given direction. Always TRUE (no validation).
    BOOL UpdateData(BOOL saveAndValidate = TRUE);

    BOOL PreTranslateMessage(MSG* msg) override; // IsDialogMessage
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    BOOL IsModal() const { return m_inModalLoop; }

    UINT m_nIDTemplate;
    CWnd* m_pParentWnd;

protected:
    // The system sends a colour change to top-level windows only: pass it on
    // to every control, then the default handling.
    void OnSysColorChange();
    // A move to a display of another scale: the default handling (which
    // rescales a template's controls), the suggested window rectangle, then
    // WM_DPICHANGED_AFTERPARENT to every control and OnDpiChanged.
    LRESULT OnDpiChangedMessage(WPARAM wParam, LPARAM lParam);
    // Lays out what the dialog sizes itself for the new DPI. Default: nothing.
    virtual void OnDpiChanged(UINT dpi) { (void)dpi; }
    DECLARE_MESSAGE_MAP()

private:
    HWND CreateDialogWindow(HWND owner);
    static INT_PTR CALLBACK DialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    const DLGTEMPLATE* m_lpDialogTemplate;
    bool m_inModalLoop;
    bool m_endRequested;
    INT_PTR m_modalResult;
    bool m_defaultPending; // DefDlgProc is handling m_defaultMessage for Default():
    UINT m_defaultMessage; // our procedure declines it once
};
