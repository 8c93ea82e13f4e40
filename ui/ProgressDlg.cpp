#include "ui/ProgressDlg.h"

#include "core/ProgressDisplay.h"
#include "res/resource.h"

BEGIN_MESSAGE_MAP(CProgressDlg, CDialog)
ON_BN_CLICKED(IDC_PROGRESS_CANCEL, OnCancelClicked)
END_MESSAGE_MAP()

CProgressDlg::CProgressDlg() : CDialog(IDD_PROGRESS) {}

bool CProgressDlg::Create(CWnd* parent) {
    m_pParentWnd = parent;
    return CDialog::Create(IDD_PROGRESS, parent) != FALSE;
}

BOOL CProgressDlg::DestroyWindow() {
    return CDialog::DestroyWindow();
}

void CProgressDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_PROGRESS_BAR, m_progress);
    DDX_Control(pDX, IDC_PROGRESS_TEXT, m_status);
}

void CProgressDlg::OnOK() {}

void CProgressDlg::OnCancel() {
    // The request is acted upon by the next position report, or when the
    // encoder has ended; the dialog stays open until then.
    SetStatusText(kProgressCancelText);
    if (cancelRequested_ != nullptr)
        *cancelRequested_ = 1;
}

void CProgressDlg::BeginRun(int32_t* cancelRequested) {
    cancelRequested_ = cancelRequested;
    SetStatusText(kProgressStartText);
    if (m_progress.GetSafeHwnd() != nullptr) {
        m_progress.SetRange(0, kProgressBarEnd);
        m_progress.SetPos(0);
    }
    if (GetSafeHwnd() != nullptr)
        ShowWindow(SW_SHOW);
}

void CProgressDlg::EndRun() {
    cancelRequested_ = nullptr;
    if (GetSafeHwnd() != nullptr)
        ShowWindow(SW_HIDE);
}

void CProgressDlg::SetStatusText(const char* text) {
    if (m_status.GetSafeHwnd() != nullptr)
        m_status.SetWindowText(text);
}

void CProgressDlg::SetBarPosition(int32_t thousandths) {
    if (m_progress.GetSafeHwnd() != nullptr)
        m_progress.SetPos(thousandths);
}
