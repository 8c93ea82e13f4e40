// CTargetSizeDlg: the small dialog that "Other..." of the Size list opens, in
// which a target is typed in MB with up to one decimal.
#pragma once

#include <cstdint>

#include "framework/Dialog.h"

class CTargetSizeDlg : public CDialog {
public:
    // Starts with `kb` (kilobytes of 1,000 bytes; 0 shows an empty box).
    CTargetSizeDlg(int32_t kb, CWnd* parent);

    BOOL OnInitDialog() override;
    // Keeps the dialog open, with a message, until the text is a size.
    void OnOK() override;

    int32_t Kb() const { return m_kb; }

private:
    int32_t m_kb;
};
