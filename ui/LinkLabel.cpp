#include "ui/LinkLabel.h"

#include <cstdio>
#include <vector>

#include "framework/Dpi.h"
#include "ui/OpenLink.h"

namespace {

const int kShowNormal = SW_SHOW; // show command 5 for opened targets
const int kToolId = 1;
const WORD kHelpViewerHandCursor = 106;

std::string WindowTextOf(const CWnd& wnd) {
    int length = wnd.GetWindowTextLength();
    std::vector<char> text(static_cast<size_t>(length) + 1, '\0');
    wnd.GetWindowText(text.data(), length + 1);
    return text.data();
}

} // namespace

BEGIN_MESSAGE_MAP(CLinkLabel, CStatic)
ON_WM_CTLCOLOR_REFLECT()
ON_CONTROL_REFLECT(STN_CLICKED, OnClicked)
ON_MESSAGE(WM_MOUSEMOVE, OnMouseMove)
ON_WM_TIMER()
ON_WM_SETCURSOR()
ON_WM_DESTROY()
ON_MESSAGE(WM_DPICHANGED_AFTERPARENT, OnDpiChangedAfterParent)
END_MESSAGE_MAP()

CLinkLabel::CLinkLabel()
    : m_linkColor(kLinkColor), m_visitedColor(kVisitedColor), m_hoverColor(kHoverColor),
      m_overControl(FALSE), m_visited(FALSE), m_underlined(FALSE), m_fitToText(TRUE),
      m_underlineFont(nullptr), m_plainFont(nullptr), m_linkCursor(nullptr), m_ownsCursor(false) {}

CLinkLabel::~CLinkLabel() {
    if (m_underlineFont != nullptr)
        DeleteObject(m_underlineFont);
    if (m_plainFont != nullptr)
        DeleteObject(m_plainFont);
    if (m_ownsCursor && m_linkCursor != nullptr)
        DestroyCursor(m_linkCursor);
}

void CLinkLabel::OnAttached() {
    ModifyStyle(0, SS_NOTIFY); // report clicks and receive the mouse

    std::string text = WindowTextOf(*this);
    if (m_target.empty()) {
        m_target = text;
    } else if (text.empty()) {
        SetWindowText(m_target.c_str());
    }

    MakeFonts(GetFont());
    FitToText();
    LoadLinkCursor();

    if (m_toolTip.Create(this)) {
        RECT client;
        GetClientRect(&client);
        m_toolTip.AddTool(this, m_target.c_str(), &client, kToolId);
    }
}

void CLinkLabel::MakeFonts(HFONT font) {
    if (font == nullptr)
        font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    if (font == nullptr)
        font = static_cast<HFONT>(GetStockObject(ANSI_VAR_FONT));
    LOGFONTA description = {};
    if (font != nullptr)
        GetObjectA(font, sizeof description, &description);
    description.lfUnderline = FALSE;
    HFONT plain = CreateFontIndirectA(&description);
    description.lfUnderline = TRUE;
    HFONT underline = CreateFontIndirectA(&description);
    if (m_hWnd != nullptr && (m_plainFont != nullptr || m_underlineFont != nullptr)) {
        SetFont(m_underlined ? underline : plain, FALSE); // the old fonts go next
    }
    if (m_plainFont != nullptr)
        DeleteObject(m_plainFont);
    if (m_underlineFont != nullptr)
        DeleteObject(m_underlineFont);
    m_plainFont = plain;
    m_underlineFont = underline;
}

LRESULT CLinkLabel::OnDpiChangedAfterParent(WPARAM, LPARAM) {
    // The dialog's font is made afresh for the new DPI: derive ours from it.
    HWND parent = GetParent();
    HFONT dialogFont = parent != nullptr
                           ? reinterpret_cast<HFONT>(::SendMessageA(parent, WM_GETFONT, 0, 0))
                           : nullptr;
    MakeFonts(dialogFont);
    FitToText();
    Invalidate(TRUE);
    return 0;
}

void CLinkLabel::SetLinkTarget(const char* target) {
    m_target = target;
    if (m_hWnd == nullptr)
        return;
    FitToText();
    if (m_toolTip.m_hWnd != nullptr)
        m_toolTip.UpdateTipText(m_target.c_str(), this, kToolId);
}

void CLinkLabel::MarkVisited(BOOL visited) {
    m_visited = visited;
    if (m_hWnd != nullptr)
        Invalidate(TRUE);
}

void CLinkLabel::SetUnderlined(BOOL underlined) {
    if ((underlined != FALSE) == (m_underlined != FALSE))
        return;
    if (m_hWnd != nullptr) {
        SetFont(underlined ? m_underlineFont : m_plainFont, TRUE);
        Invalidate(TRUE);
    }
    m_underlined = underlined;
}

COLORREF CLinkLabel::CurrentColor() const {
    if (m_overControl)
        return m_hoverColor;
    return m_visited ? m_visitedColor : m_linkColor;
}

BOOL CLinkLabel::PreTranslateMessage(MSG* msg) {
    if (m_toolTip.m_hWnd != nullptr)
        m_toolTip.RelayEvent(msg);
    return CStatic::PreTranslateMessage(msg);
}

HBRUSH CLinkLabel::CtlColor(HDC dc, UINT /*ctlColor*/) {
    SetTextColor(dc, CurrentColor());
    SetBkMode(dc, TRANSPARENT);
    return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
}

void CLinkLabel::OnClicked() {
    m_overControl = FALSE;
    INT_PTR result = OpenLink(m_target.c_str(), kShowNormal);
    m_visited = result > 32 ? TRUE : FALSE;
    if (m_visited) {
        MarkVisited(TRUE);
    } else {
        MessageBeep(MB_ICONEXCLAMATION);
        ReportLinkError(result);
    }
}

LRESULT CLinkLabel::OnMouseMove(WPARAM /*flags*/, LPARAM /*point*/) {
    if (!m_overControl) {
        m_overControl = TRUE;
        Invalidate(TRUE);
        SetTimer(kHoverTimerId, kHoverTimerMs);
    }
    return Default();
}

void CLinkLabel::OnTimer(UINT_PTR id) {
    if (id == kHoverTimerId) {
        DWORD position = GetMessagePos();
        POINT cursor = {static_cast<short>(LOWORD(position)), static_cast<short>(HIWORD(position))};
        ScreenToClient(&cursor);
        RECT client;
        GetClientRect(&client);
        if (!PtInRect(&client, cursor)) {
            m_overControl = FALSE;
            KillTimer(kHoverTimerId);
            client.bottom += 10;
            InvalidateRect(&client, TRUE);
        }
    }
    Default();
}

BOOL CLinkLabel::OnSetCursor(HWND /*window*/, UINT /*hitTest*/, UINT /*message*/) {
    if (m_linkCursor == nullptr)
        return FALSE;
    ::SetCursor(m_linkCursor);
    return TRUE;
}

void CLinkLabel::OnDestroy() {
    KillTimer(kHoverTimerId);
    Default();
}

void CLinkLabel::FitToText() {
    if (m_hWnd == nullptr || !m_fitToText)
        return;
    HWND parent = GetParent();

    RECT window;
    GetWindowRect(&window);
    RECT client;
    GetClientRect(&client);
    ClientToScreen(&client);
    if (parent != nullptr) {
        MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&window), 2);
        MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&client), 2);
    }

    std::string text = WindowTextOf(*this);
    SIZE extent = {0, 0};
    HDC dc = ::GetDC(m_hWnd);
    HGDIOBJ old = SelectObject(dc, m_underlineFont != nullptr ? m_underlineFont : GetFont());
    GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &extent);
    SelectObject(dc, old);
    ::ReleaseDC(m_hWnd, dc);

    int width = extent.cx + ((window.right - window.left) - (client.right - client.left));
    int height = extent.cy + ((window.bottom - window.top) - (client.bottom - client.top));

    DWORD style = GetStyle();
    int top = window.top;
    if (style & SS_CENTERIMAGE)
        top = (window.top + window.bottom) / 2 - height / 2;
    int left = window.left;
    if (style & SS_CENTER) {
        left = (window.left + window.right) / 2 - width / 2;
    } else if (style & SS_RIGHT) {
        left = window.right - width;
    }
    SetWindowPos(nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void CLinkLabel::LoadLinkCursor() {
    if (m_linkCursor != nullptr)
        return;
    char path[MAX_PATH];
    UINT length = GetWindowsDirectoryA(path, MAX_PATH);
    if (length > 0 && length < MAX_PATH) {
        char viewer[MAX_PATH];
        int written = std::snprintf(viewer, sizeof viewer, "%s\\winhlp32.exe", path);
        HMODULE module = written > 0 && written < static_cast<int>(sizeof viewer)
                             ? LoadLibraryExA(viewer, nullptr, LOAD_LIBRARY_AS_DATAFILE)
                             : nullptr;
        if (module != nullptr) {
            HCURSOR cursor = LoadCursorA(module, MAKEINTRESOURCEA(kHelpViewerHandCursor));
            if (cursor != nullptr) {
                m_linkCursor = CopyCursor(cursor);
                m_ownsCursor = m_linkCursor != nullptr;
            }
            FreeLibrary(module);
        }
    }
    // Systems whose help viewer has no hand cursor: the system's own hand.
    if (m_linkCursor == nullptr)
        m_linkCursor = LoadCursorA(nullptr, IDC_HAND);
}

void DDX_LinkLabel(CDataExchange* pDX, int id, CLinkLabel& label) {
    bool wasBound = label.m_hWnd != nullptr;
    DDX_Control(pDX, id, label);
    if (!wasBound && label.m_hWnd != nullptr)
        label.OnAttached();
}
