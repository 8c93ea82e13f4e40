#include "framework/Button.h"

void CButton::DrawItem(DRAWITEMSTRUCT*) {}

LRESULT CButton::OnReflectedDrawItem(WPARAM, LPARAM lParam) {
    DrawItem(reinterpret_cast<DRAWITEMSTRUCT*>(lParam));
    return TRUE;
}

BEGIN_MESSAGE_MAP(CButton, CWnd)
ON_MESSAGE(WM_REFLECT_BASE + WM_DRAWITEM, OnReflectedDrawItem)
END_MESSAGE_MAP()
