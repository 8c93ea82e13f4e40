// The modeless progress dialog of a conversion run: status text, bar, Cancel.
#pragma once

#include <windows.h>

#include <cstdint>

#include "framework/Dialog.h"
#include "framework/ProgressCtrl.h"
#include "framework/Static.h"
#include "run/ProgressView.h"

class CProgressDlg : public CDialog, public ProgressView {
public:
    CProgressDlg();

    // Creates the hidden modeless dialog owned by the parent's top-level window.
    bool Create(CWnd* parent);

    BOOL DestroyWindow() override;

    // Start of a run: the first status text, bar range 0..1000 at 0, shown.
    // Cancel sets *cancelRequested to 1 until EndRun.
    void BeginRun(int32_t* cancelRequested = nullptr) override;
    // End of a run: hidden.
    void EndRun() override;

    void SetStatusText(const char* text) override;
    void SetBarPosition(int32_t thousandths) override;
    HWND ShownWindow() override {
        return m_hWnd != nullptr && IsWindowVisible() ? m_hWnd : nullptr;
    }

    CProgressCtrl m_progress; // 1033
    CStatic m_status;         // 1032

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;     // Enter does nothing
    void OnCancel() override; // Cancel button, Escape and the close box

    void OnCancelClicked() { OnCancel(); }
    DECLARE_MESSAGE_MAP()

private:
    int32_t* cancelRequested_ = nullptr;
};
