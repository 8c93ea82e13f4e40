// The Tip of the Day dialog: one tip from tips.txt at a time, continuing
// across runs where the last showing stopped, and the show-at-start-up choice.
// Everything it remembers is in the application's profile, section "Tip".
#pragma once

#include <windows.h>

#include "framework/Dialog.h"
#include "core/TipsFile.h"

class CTipDlg : public CDialog {
public:
    // Reads the profile and the first tip; the caller may then look at
    // m_bStartup to decide whether to run the dialog.
    explicit CTipDlg(CWnd* parent = nullptr);
    // Saves the position after the tip last read.
    ~CTipDlg() override;

    int m_bStartup;                     // show tips at start-up: 1 or 0 (check box 1043)
    char m_strTip[kTipPieceLength + 1]; // the tip on display (static 1042)

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;

    void OnNextTip();
    void OnPaint();
    HBRUSH OnCtlColor(HDC dc, HWND control, UINT ctlColor);
    void OnDpiChanged(UINT dpi) override; // the panel is painted afresh
    DECLARE_MESSAGE_MAP()

private:
    void GetNextTipString();

    TipsFile m_tips;
};
