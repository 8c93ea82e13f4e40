// CTextLabel: a static text drawn in its own heavy Arial font.
#pragma once

#include <windows.h>

#include "framework/Static.h"

class CTextLabel : public CStatic {
public:
    CTextLabel();
    ~CTextLabel() override;

protected:
    // The static's colour request, answered by the label itself.
    HBRUSH CtlColor(HDC dc, UINT ctlColor);
    LRESULT OnDpiChangedAfterParent(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    COLORREF m_textColor;
    HBRUSH m_background;
    // The label font, 14 pixels high at 96 DPI, made for the DPI m_fontDpi.
    void MakeFont(UINT dpi);

    HFONT m_font;
    UINT m_fontDpi;
};
