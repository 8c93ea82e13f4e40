#include "ui/CountdownDlg.h"

#include "res/resource.h"

namespace {

constexpr UINT_PTR kTickTimer = 1;

} // namespace

CCountdownDlg::CCountdownDlg(WhenDoneAction action, CWnd* parent)
    : CDialog(IDD_COUNTDOWN, parent), m_action(action) {}

BEGIN_MESSAGE_MAP(CCountdownDlg, CDialog)
ON_WM_TIMER()
END_MESSAGE_MAP()

BOOL CCountdownDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    m_startTick = GetTickCount();
    ShowText();
    // Read from the clock, not counted in ticks: a late timer message never
    // stretches the minute.
    SetTimer(kTickTimer, 250);
    ::SetForegroundWindow(m_hWnd);
    return TRUE;
}

int32_t CCountdownDlg::SecondsLeft() const {
    const DWORD elapsed = (GetTickCount() - m_startTick) / 1000u;
    return elapsed >= static_cast<DWORD>(kWhenDoneCountdownSeconds)
               ? 0
               : kWhenDoneCountdownSeconds - static_cast<int32_t>(elapsed);
}

void CCountdownDlg::ShowText() {
    const int32_t left = SecondsLeft();
    if (left == m_shown)
        return;
    m_shown = left;
    char text[160];
    FormatCountdownText(m_action, left, text, sizeof text);
    ::SetDlgItemTextA(m_hWnd, IDC_COUNTDOWN_TEXT, text);
}

void CCountdownDlg::OnTimer(UINT_PTR id) {
    if (id != kTickTimer)
        return;
    ShowText();
    if (SecondsLeft() > 0)
        return;
    KillTimer(kTickTimer);
    EndDialog(IDOK);
}
