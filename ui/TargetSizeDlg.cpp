#include "ui/TargetSizeDlg.h"

#include <cstdio>

#include "core/TargetSizeChoices.h"
#include "res/resource.h"

CTargetSizeDlg::CTargetSizeDlg(int32_t kb, CWnd* parent)
    : CDialog(IDD_TARGET_SIZE, parent), m_kb(kb) {}

BOOL CTargetSizeDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    char text[32] = "";
    if (m_kb > 0) {
        const int32_t tenths = m_kb / 100;
        if (tenths % 10 == 0)
            std::snprintf(text, sizeof text, "%d", static_cast<int>(tenths / 10));
        else
            std::snprintf(text, sizeof text, "%d.%d", static_cast<int>(tenths / 10),
                          static_cast<int>(tenths % 10));
    }
    ::SendDlgItemMessageA(m_hWnd, IDC_TARGET_SIZE_EDIT, EM_LIMITTEXT, 12, 0);
    ::SetDlgItemTextA(m_hWnd, IDC_TARGET_SIZE_EDIT, text);
    return TRUE;
}

void CTargetSizeDlg::OnOK() {
    char text[32] = "";
    ::GetDlgItemTextA(m_hWnd, IDC_TARGET_SIZE_EDIT, text, sizeof text);
    int32_t kb = 0;
    if (!ParseTargetMegabytes(text, &kb)) {
        ::MessageBoxA(m_hWnd, "Type the size in MB, with up to one decimal (for example 12.5).",
                      "Size", MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    m_kb = kb;
    CDialog::OnOK();
}
