#include "help/TextLabel.h"

BEGIN_MESSAGE_MAP(CTextLabel, CStatic)
  ON_WM_CTLCOLOR_REFLECT()
END_MESSAGE_MAP()

CTextLabel::CTextLabel()
    : m_textColor(GetSysColor(COLOR_WINDOWTEXT)),
      m_background(CreateSolidBrush(GetSysColor(COLOR_BTNFACE))),
      m_font(nullptr) {
  LOGFONTA description = {};
  description.lfHeight = 14;
  description.lfWeight = 956;  // heavier than FW_HEAVY
  description.lfCharSet = DEFAULT_CHARSET;
  lstrcpynA(description.lfFaceName, "Arial", LF_FACESIZE);
  m_font = CreateFontIndirectA(&description);
}

CTextLabel::~CTextLabel() {
  if (m_font != nullptr) DeleteObject(m_font);
  if (m_background != nullptr) DeleteObject(m_background);
}

HBRUSH CTextLabel::CtlColor(HDC dc, UINT /*ctlColor*/) {
  if (m_font != nullptr) {
    SelectObject(dc, m_font);
    // Some static controls select their own font after asking for colours
    // (Wine does); as the control's font the label font is drawn either way.
    if (GetFont() != m_font) SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(m_font), FALSE);
  }
  SetTextColor(dc, m_textColor);
  SetBkMode(dc, TRANSPARENT);
  return m_background;
}
