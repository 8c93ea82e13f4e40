#include "ui/TextLabel.h"

#include "framework/Dpi.h"

namespace {

const int kFontHeight96 = 14; // pixels at 96 DPI

} // namespace

BEGIN_MESSAGE_MAP(CTextLabel, CStatic)
ON_WM_CTLCOLOR_REFLECT()
ON_MESSAGE(WM_DPICHANGED_AFTERPARENT, OnDpiChangedAfterParent)
END_MESSAGE_MAP()

CTextLabel::CTextLabel()
    : m_textColor(GetSysColor(COLOR_WINDOWTEXT)),
      m_background(CreateSolidBrush(GetSysColor(COLOR_BTNFACE))), m_font(nullptr), m_fontDpi(0) {
    MakeFont(kBaseDpi);
}

void CTextLabel::MakeFont(UINT dpi) {
    LOGFONTA description = {};
    description.lfHeight = ScaleForDpi(kFontHeight96, dpi);
    description.lfWeight = 956; // heavier than FW_HEAVY
    description.lfCharSet = DEFAULT_CHARSET;
    lstrcpynA(description.lfFaceName, "Arial", LF_FACESIZE);
    HFONT font = CreateFontIndirectA(&description);
    if (font == nullptr)
        return;
    if (m_hWnd != nullptr && GetFont() == m_font)
        SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    if (m_font != nullptr)
        DeleteObject(m_font);
    m_font = font;
    m_fontDpi = dpi;
}

LRESULT CTextLabel::OnDpiChangedAfterParent(WPARAM, LPARAM) {
    MakeFont(WindowDpi(m_hWnd));
    Invalidate(TRUE);
    return 0;
}

CTextLabel::~CTextLabel() {
    if (m_font != nullptr)
        DeleteObject(m_font);
    if (m_background != nullptr)
        DeleteObject(m_background);
}

HBRUSH CTextLabel::CtlColor(HDC dc, UINT /*ctlColor*/) {
    // Made at 96 DPI before the window existed; sized for the window at its first paint.
    if (m_fontDpi != WindowDpi(m_hWnd))
        MakeFont(WindowDpi(m_hWnd));
    if (m_font != nullptr) {
        SelectObject(dc, m_font);
        // Some static controls select their own font after asking for colours
        // (Wine does); as the control's font the label font is drawn either way.
        if (GetFont() != m_font)
            SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(m_font), FALSE);
    }
    SetTextColor(dc, m_textColor);
    SetBkMode(dc, TRANSPARENT);
    return m_background;
}
