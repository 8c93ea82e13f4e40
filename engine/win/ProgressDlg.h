// The modeless progress dialog of a conversion run: status text, bar, Cancel.
#pragma once

#include <windows.h>

#include <cstdint>

#include "framework/Dialog.h"
#include "framework/ProgressCtrl.h"
#include "framework/Static.h"

class CProgressDlg : public CDialog {
public:
    CProgressDlg();

    // Creates the hidden modeless dialog owned by the parent's top-level window.
    bool Create(CWnd* parent);

    BOOL DestroyWindow() override;

    // Start of a run: the first status text, bar range 0..1000 at 0, shown.
    // Cancel sets *cancelRequested to 1 until EndRun.
    void BeginRun(int32_t* cancelRequested = nullptr);
    // End of a run: hidden.
    void EndRun();

    void SetStatusText(const char* text);
    void SetBarPosition(int32_t thousandths);

    CProgressCtrl m_progress;  // 1033
    CStatic m_status;          // 1032

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;      // Enter does nothing
    void OnCancel() override;  // Cancel button, Escape and the close box

    void OnCancelClicked() { OnCancel(); }
    DECLARE_MESSAGE_MAP()

private:
    int32_t* cancelRequested_ = nullptr;
};
