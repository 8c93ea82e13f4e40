#include "framework/Dialog.h"

#include "framework/Dpi.h"
#include "framework/WinApp.h"
#include "framework/DialogInit.h"

namespace {

// Messages whose dialog-procedure result is the message result itself;
// every other result goes through DWLP_MSGRESULT.
bool ReturnsResultDirectly(UINT message) {
    switch (message) {
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
    case WM_COMPAREITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_QUERYDRAGICON:
    case WM_INITDIALOG:
        return true;
    default:
        return false;
    }
}

} // namespace

void DDX_Control(CDataExchange* pDX, int id, CWnd& control) {
    if (control.m_hWnd == nullptr)
        control.SubclassDlgItem((UINT)id, pDX->m_pDlgWnd);
}

void DDX_Check(CDataExchange* pDX, int id, int& value) {
    HWND item = pDX->m_pDlgWnd->GetDlgItem(id);
    if (pDX->m_bSaveAndValidate)
        value = (int)::SendMessageA(item, BM_GETCHECK, 0, 0);
    else
        ::SendMessageA(item, BM_SETCHECK, (WPARAM)value, 0);
}

void DDX_Text(CDataExchange* pDX, int id, char* buffer, int size) {
    if (pDX->m_bSaveAndValidate)
        pDX->m_pDlgWnd->GetDlgItemText(id, buffer, size);
    else
        pDX->m_pDlgWnd->SetDlgItemText(id, buffer);
}

CDialog::CDialog() : CDialog(0, nullptr) {}

CDialog::CDialog(UINT templateId, CWnd* parent)
    : m_nIDTemplate(templateId), m_pParentWnd(parent), m_lpDialogTemplate(nullptr),
      m_inModalLoop(false), m_endRequested(false), m_modalResult(-1), m_defaultPending(false),
      m_defaultMessage(0) {}

CDialog::~CDialog() {
    if (m_hWnd != nullptr) {
        HWND hWnd = m_hWnd;
        UnlinkObject(); // the derived parts are gone: no more messages to this object
        ::DestroyWindow(hWnd);
    }
}

void CDialog::InitModalIndirect(const DLGTEMPLATE* dialogTemplate, CWnd* parent) {
    m_lpDialogTemplate = dialogTemplate;
    m_pParentWnd = parent;
}

HWND CDialog::CreateDialogWindow(HWND owner) {
    AfxInitCommonControls();
    HINSTANCE instance = AfxGetInstanceHandle();
    if (m_lpDialogTemplate != nullptr)
        return CreateDialogIndirectParamA(instance, m_lpDialogTemplate, owner, &CDialog::DialogProc,
                                          reinterpret_cast<LPARAM>(this));
    return CreateDialogParamA(instance, MAKEINTRESOURCEA(m_nIDTemplate), owner,
                              &CDialog::DialogProc, reinterpret_cast<LPARAM>(this));
}

INT_PTR CDialog::DoModal() {
    if (m_hWnd != nullptr)
        return -1;
    HWND owner = GetSafeOwner(m_pParentWnd);
    bool reenableOwner = false;
    if (owner != nullptr && owner != GetDesktopWindow() && ::IsWindowEnabled(owner)) {
        ::EnableWindow(owner, FALSE);
        reenableOwner = true;
    }

    m_modalResult = -1;
    m_endRequested = false;
    m_inModalLoop = true;
    if (CreateDialogWindow(owner) != nullptr && !m_endRequested && m_hWnd != nullptr) {
        if (!IsWindowVisible())
            ShowWindow(SW_SHOWNORMAL);
        MSG msg;
        while (!m_endRequested && m_hWnd != nullptr) {
            BOOL got = GetMessageA(&msg, nullptr, 0, 0);
            if (got == 0) { // WM_QUIT: end here and leave it for the outer loop
                PostQuitMessage((int)msg.wParam);
                break;
            }
            if (got == -1)
                break;
            if (!PreTranslateMessageChain(&msg)) {
                TranslateMessage(&msg);
                DispatchMessageA(&msg);
            }
        }
    }
    m_inModalLoop = false;

    // Give the activation back before the dialog goes, as DialogBox does.
    if (reenableOwner)
        ::EnableWindow(owner, TRUE);
    if (m_hWnd != nullptr) {
        ShowWindow(SW_HIDE);
        if (owner != nullptr && reenableOwner)
            ::SetActiveWindow(owner);
        DestroyWindow();
    }
    return m_modalResult;
}

BOOL CDialog::Create(UINT templateId, CWnd* parent) {
    m_nIDTemplate = templateId;
    m_lpDialogTemplate = nullptr;
    m_pParentWnd = parent;
    if (m_hWnd != nullptr)
        return FALSE;
    return CreateDialogWindow(GetSafeOwner(parent)) != nullptr;
}

BOOL CDialog::CreateIndirect(const DLGTEMPLATE* dialogTemplate, CWnd* parent) {
    m_lpDialogTemplate = dialogTemplate;
    m_pParentWnd = parent;
    if (m_hWnd != nullptr)
        return FALSE;
    return CreateDialogWindow(GetSafeOwner(parent)) != nullptr;
}

void CDialog::EndDialog(int result) {
    if (m_inModalLoop) {
        m_modalResult = result;
        m_endRequested = true;
        if (m_hWnd != nullptr)
            PostMessage(WM_NULL); // wakes the modal loop
    } else if (m_hWnd != nullptr) {
        ShowWindow(SW_HIDE);
    }
}

BOOL CDialog::OnInitDialog() {
    if (m_nIDTemplate != 0 && m_lpDialogTemplate == nullptr)
        LoadDialogInitEntries(m_hWnd, (int)m_nIDTemplate);
    UpdateData(FALSE);
    return TRUE;
}

BOOL CDialog::DestroyWindow() {
    return CWnd::DestroyWindow();
}

void CDialog::DoDataExchange(CDataExchange*) {}

void CDialog::OnOK() {
    if (!UpdateData(TRUE))
        return;
    EndDialog(IDOK);
}

void CDialog::OnCancel() {
    EndDialog(IDCANCEL);
}

BOOL CDialog::UpdateData(BOOL saveAndValidate) {
    if (m_hWnd == nullptr)
        return FALSE;
    CDataExchange dx(this, saveAndValidate);
    DoDataExchange(&dx);
    return TRUE;
}

BOOL CDialog::PreTranslateMessage(MSG* msg) {
    if (m_hWnd == nullptr)
        return FALSE;
    return IsDialogMessageA(m_hWnd, msg);
}

LRESULT CDialog::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    // DefDlgProc calls our dialog procedure first; let it decline this one
    // message so that the default handling runs instead of our handler again.
    bool saved = m_defaultPending;
    UINT savedMessage = m_defaultMessage;
    m_defaultPending = true;
    m_defaultMessage = message;
    LRESULT result = DefDlgProcA(m_hWnd, message, wParam, lParam);
    m_defaultPending = saved;
    m_defaultMessage = savedMessage;
    return result;
}

INT_PTR CALLBACK CDialog::DialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    CDialog* dialog = nullptr;
    if (message == WM_INITDIALOG) {
        dialog = reinterpret_cast<CDialog*>(lParam);
        dialog->LinkObject(hWnd);
    } else {
        dialog = static_cast<CDialog*>(FromHandlePermanent(hWnd));
    }
    if (dialog == nullptr)
        return FALSE;
    if (dialog->m_defaultPending && dialog->m_defaultMessage == message) {
        dialog->m_defaultPending = false;
        return FALSE;
    }
    return dialog->HandleMessage(message, wParam, lParam);
}

INT_PTR CDialog::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCDESTROY) {
        UnlinkObject();
        PostNcDestroy();
        return FALSE;
    }

    CurrentMsg current = {message, wParam, lParam};
    const CurrentMsg* saved = m_currentMsg;
    m_currentMsg = &current;
    INT_PTR answer = FALSE;

    if (message == WM_INITDIALOG) {
        RECT before;
        GetWindowRect(&before);
        answer = OnInitDialog();
        // Centre a top-level dialog that is still hidden and was not moved,
        // unless it has an enabled owner (a modeless dialog places itself).
        if (m_hWnd != nullptr && !(GetStyle() & (WS_CHILD | WS_VISIBLE))) {
            RECT after;
            GetWindowRect(&after);
            HWND owner = ::GetWindow(m_hWnd, GW_OWNER);
            if (after.left == before.left && after.top == before.top &&
                (owner == nullptr || !::IsWindowEnabled(owner)))
                CenterWindow();
        }
    } else {
        LRESULT result = 0;
        if (OnWndMsg(message, wParam, lParam, &result)) {
            if (ReturnsResultDirectly(message)) {
                answer = (INT_PTR)result;
            } else {
                // Set after the handler returned: handlers may run nested
                // loops whose messages overwrite DWLP_MSGRESULT meanwhile.
                if (m_hWnd != nullptr)
                    SetWindowLongPtrA(m_hWnd, DWLP_MSGRESULT, (LONG_PTR)result);
                answer = TRUE;
            }
        }
    }
    m_currentMsg = saved;
    return answer;
}

void CDialog::OnSysColorChange() {
    SendToDescendants(m_hWnd, WM_SYSCOLORCHANGE, 0, 0);
    Default();
}

LRESULT CDialog::OnDpiChangedMessage(WPARAM wParam, LPARAM lParam) {
    LRESULT result = Default();
    const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
    if (suggested != nullptr) {
        ::SetWindowPos(m_hWnd, nullptr, suggested->left, suggested->top,
                       suggested->right - suggested->left, suggested->bottom - suggested->top,
                       SWP_NOZORDER | SWP_NOACTIVATE);
    }
    // Where the system tells the controls itself they hear it twice; their
    // handling takes the window's DPI afresh, so that does no harm.
    SendToDescendants(m_hWnd, WM_DPICHANGED_AFTERPARENT, 0, 0);
    OnDpiChanged(HIWORD(wParam));
    return result;
}

BEGIN_MESSAGE_MAP(CDialog, CWnd)
ON_COMMAND(IDOK, OnOK)
ON_COMMAND(IDCANCEL, OnCancel)
ON_WM_SYSCOLORCHANGE()
ON_MESSAGE(WM_DPICHANGED, OnDpiChangedMessage)
END_MESSAGE_MAP()
