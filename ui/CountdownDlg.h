// CCountdownDlg: the box (template 190) that counts down before the computer
// goes to sleep or shuts down after a run, with a Stop button. DoModal gives
// IDOK when the time ran out, IDCANCEL when the user stopped it (Stop,
// Escape or the close box).
#pragma once

#include <cstdint>

#include "core/WhenDone.h"
#include "framework/Dialog.h"

class CCountdownDlg : public CDialog {
public:
    CCountdownDlg(WhenDoneAction action, CWnd* parent);

    BOOL OnInitDialog() override;

protected:
    void OnTimer(UINT_PTR id);
    DECLARE_MESSAGE_MAP()

private:
    // Seconds left on the clock, shown in the text.
    int32_t SecondsLeft() const;
    void ShowText();

    WhenDoneAction m_action;
    DWORD m_startTick = 0;
    int32_t m_shown = -1;
};
