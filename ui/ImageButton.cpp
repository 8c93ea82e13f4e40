#include "ui/ImageButton.h"

#include "framework/Dpi.h"
#include "framework/WinApp.h"

namespace {

const UINT_PTR kToolId = 1;
const int kMaxTipWidth = 400;
// The layout at 96 DPI.
const int kImageMargin96 = 3;
const int kPressedOffset96 = 1;
const UINT kButtonTypeBits = 0x1F;

LayoutRect ToLayout(const RECT& r) {
    return LayoutRect{r.left, r.top, r.right, r.bottom};
}
RECT ToRect(const LayoutRect& r) {
    return RECT{r.left, r.top, r.right, r.bottom};
}

void FillSolid(HDC dc, int x, int y, int cx, int cy, COLORREF color) {
    RECT r = {x, y, x + cx, y + cy};
    HBRUSH brush = CreateSolidBrush(color);
    FillRect(dc, &r, brush);
    DeleteObject(brush);
}

// A one-pixel frame: top and left edges in one colour, right and bottom in the other.
void Draw3dRect(HDC dc, const RECT& r, COLORREF topLeft, COLORREF bottomRight) {
    int cx = r.right - r.left;
    int cy = r.bottom - r.top;
    FillSolid(dc, r.left, r.top, cx - 1, 1, topLeft);
    FillSolid(dc, r.left, r.top, 1, cy - 1, topLeft);
    FillSolid(dc, r.right - 1, r.top, 1, cy, bottomRight);
    FillSolid(dc, r.left, r.bottom - 1, cx, 1, bottomRight);
}

} // namespace

CImageButton::CImageButton()
    : m_imageMargin(kImageMargin96), m_pressedOffsetX(kPressedOffset96),
      m_pressedOffsetY(kPressedOffset96), m_hover(false), m_transparent(false), m_pressed(false),
      m_focused(false), m_isDefault(false), m_alignment(0), m_colorIn(), m_colorOut(),
      m_colorFocus(), m_snapshotDC(nullptr), m_snapshotBitmap(nullptr),
      m_snapshotOldBitmap(nullptr), m_icon(nullptr), m_iconWidth(0), m_iconHeight(0), m_dpi(0),
      m_scaledIconId(0), m_scaledIconSize96(0) {
    SetDefaultColors(FALSE);
}

CImageButton::~CImageButton() {
    ReleaseSnapshot();
    FreeIcon();
    // m_toolTip destroys its window itself.
}

DWORD CImageButton::SetScaledIcon(int iconId, int size96) {
    if (m_dpi == 0)
        SetDpi(WindowDpi(m_hWnd));
    m_scaledIconId = iconId;
    m_scaledIconSize96 = size96;
    const int size = PickIconSize(size96, m_dpi);
    DWORD result = SetIcon(iconId, size, size);
    m_scaledIconId = iconId; // SetIcon forgets it
    m_scaledIconSize96 = size96;
    return result;
}

void CImageButton::SetDpi(UINT dpi) {
    if (dpi == 0)
        dpi = kBaseDpi;
    const bool changed = dpi != m_dpi;
    m_dpi = dpi;
    m_imageMargin = ScaleForDpi(kImageMargin96, dpi);
    m_pressedOffsetX = ScaleForDpi(kPressedOffset96, dpi);
    m_pressedOffsetY = m_pressedOffsetX;
    if (changed && m_scaledIconId != 0)
        SetScaledIcon(m_scaledIconId, m_scaledIconSize96);
}

DWORD CImageButton::SetIcon(int iconId, int cx, int cy) {
    FreeIcon();
    m_scaledIconId = 0;
    HICON icon = static_cast<HICON>(LoadImageA(AfxGetInstanceHandle(), MAKEINTRESOURCEA(iconId),
                                               IMAGE_ICON, cx, cy, LR_DEFAULTCOLOR));
    if (icon != nullptr) {
        ICONINFO info;
        if (!GetIconInfo(icon, &info)) {
            DestroyIcon(icon);
            return 1;
        }
        // The hotspot of an icon is its centre.
        m_icon = icon;
        m_iconWidth = (int)info.xHotspot * 2;
        m_iconHeight = (int)info.yHotspot * 2;
        if (info.hbmMask != nullptr)
            DeleteObject(info.hbmMask);
        if (info.hbmColor != nullptr)
            DeleteObject(info.hbmColor);
    }
    Repaint();
    return 0;
}

DWORD CImageButton::SetAlign(BYTE alignment, BOOL repaint) {
    m_alignment = alignment;
    if (repaint)
        Repaint();
    return 0;
}

void CImageButton::SetTooltipText(const char* text, BOOL activate) {
    if (text == nullptr)
        return;
    CreateToolTip();
    if (m_toolTip.m_hWnd == nullptr)
        return;
    if (m_toolTip.GetToolCount() == 0) {
        RECT client;
        GetClientRect(&client);
        m_toolTip.AddTool(this, text, &client, kToolId);
    }
    m_toolTip.UpdateTipText(text, this, kToolId);
    m_toolTip.Activate(activate);
}

void CImageButton::SetTransparent(BOOL repaint) {
    m_transparent = true;
    ReleaseSnapshot(); // the next paint takes a fresh one
    if (repaint)
        Repaint();
}

DWORD CImageButton::SetDefaultColors(BOOL repaint) {
    ButtonColors system = {GetSysColor(COLOR_BTNFACE), GetSysColor(COLOR_BTNTEXT)};
    m_colorIn = system;
    m_colorOut = system;
    m_colorFocus = system;
    if (repaint)
        Repaint();
    return 0;
}

BOOL CImageButton::PreTranslateMessage(MSG* msg) {
    CreateToolTip();
    if (m_toolTip.m_hWnd != nullptr)
        m_toolTip.RelayEvent(msg);
    // A quick second click acts as an ordinary click.
    if (msg->message == WM_LBUTTONDBLCLK)
        msg->message = WM_LBUTTONDOWN;
    return CButton::PreTranslateMessage(msg);
}

void CImageButton::DrawItem(DRAWITEMSTRUCT* drawItem) {
    m_pressed = (drawItem->itemState & ODS_SELECTED) != 0;
    m_focused = (drawItem->itemState & ODS_FOCUS) != 0;
    HDC dc = drawItem->hDC;
    RECT face = drawItem->rcItem;

    SetBkMode(dc, TRANSPARENT);
    if (m_transparent)
        PaintParentSnapshot(dc);
    else
        PaintFace(dc, face);
    PaintBorder(dc, face);

    char caption[256];
    GetWindowText(caption, sizeof caption);
    RECT captionRect = drawItem->rcItem;
    if (m_icon != nullptr)
        PaintIcon(dc, caption[0] != '\0', drawItem->rcItem, captionRect, m_pressed);
    if (caption[0] != '\0')
        PaintCaption(dc, caption, drawItem->rcItem, captionRect, m_pressed);
    // No focus rectangle: focus shows through colorFocus only.
}

const ButtonColors& CImageButton::CurrentColors() const {
    switch (ChooseButtonColors(ButtonVisualState{m_hover, m_pressed, m_focused})) {
    case ButtonColorChoice::In:
        return m_colorIn;
    case ButtonColorChoice::Focus:
        return m_colorFocus;
    case ButtonColorChoice::Out:
        break;
    }
    return m_colorOut;
}

void CImageButton::PaintFace(HDC dc, const RECT& rect) {
    HBRUSH brush = CreateSolidBrush(CurrentColors().background);
    FillRect(dc, &rect, brush);
    DeleteObject(brush);
}

void CImageButton::PaintBorder(HDC dc, const RECT& rect) {
    if (m_pressed)
        Draw3dRect(dc, rect, GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNHIGHLIGHT));
    else if (m_hover)
        Draw3dRect(dc, rect, GetSysColor(COLOR_BTNHIGHLIGHT), GetSysColor(COLOR_BTNSHADOW));
}

void CImageButton::PaintIcon(HDC dc, bool hasCaption, const RECT& itemRect, RECT& captionRect,
                             bool pressed) {
    LayoutRect caption = ToLayout(captionRect);
    LayoutRect image =
        PlaceButtonIcon(ToLayout(itemRect), m_iconWidth, m_iconHeight, hasCaption, m_imageMargin,
                        pressed, m_pressedOffsetX, m_pressedOffsetY, &caption);
    captionRect = ToRect(caption);
    DrawStateA(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(m_icon), 0, image.left, image.top,
               image.right - image.left, image.bottom - image.top, DST_ICON | DSS_NORMAL);
}

void CImageButton::PaintCaption(HDC dc, const char* caption, const RECT&, RECT& captionRect,
                                bool pressed) {
    if (pressed)
        OffsetRect(&captionRect, m_pressedOffsetX, m_pressedOffsetY);
    RECT outer = captionRect;
    DrawTextA(dc, caption, -1, &captionRect, DT_CALCRECT | DT_WORDBREAK | DT_CENTER);
    captionRect = ToRect(CentreButtonCaption(ToLayout(outer), captionRect.right - captionRect.left,
                                             captionRect.bottom - captionRect.top));
    SetBkMode(dc, TRANSPARENT);
    const ButtonColors& colors = CurrentColors();
    SetTextColor(dc, colors.text);
    SetBkColor(dc, colors.background);
    DrawTextA(dc, caption, -1, &captionRect, DT_WORDBREAK | DT_CENTER);
}

void CImageButton::PaintParentSnapshot(HDC dc) {
    RECT client;
    GetClientRect(&client);
    int width = client.right - client.left;
    int height = client.bottom - client.top;
    HWND parent = GetParent();
    RECT r;
    GetWindowRect(&r);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);

    if (m_snapshotDC == nullptr) {
        HDC parentDC = GetDC(parent);
        m_snapshotDC = CreateCompatibleDC(parentDC);
        m_snapshotBitmap = CreateCompatibleBitmap(parentDC, width, height);
        if (m_snapshotDC != nullptr && m_snapshotBitmap != nullptr) {
            m_snapshotOldBitmap =
                static_cast<HBITMAP>(SelectObject(m_snapshotDC, m_snapshotBitmap));
            BitBlt(m_snapshotDC, 0, 0, width, height, parentDC, r.left, r.top, SRCCOPY);
        }
        ReleaseDC(parent, parentDC);
        if (m_snapshotOldBitmap == nullptr) { // no snapshot possible: plain face this time
            ReleaseSnapshot();
            PaintFace(dc, client);
            return;
        }
    }
    BitBlt(dc, 0, 0, width, height, m_snapshotDC, 0, 0, SRCCOPY);
}

void CImageButton::ReleaseSnapshot() {
    if (m_snapshotDC != nullptr && m_snapshotOldBitmap != nullptr)
        SelectObject(m_snapshotDC, m_snapshotOldBitmap);
    if (m_snapshotBitmap != nullptr)
        DeleteObject(m_snapshotBitmap);
    if (m_snapshotDC != nullptr)
        DeleteDC(m_snapshotDC);
    m_snapshotDC = nullptr;
    m_snapshotBitmap = nullptr;
    m_snapshotOldBitmap = nullptr;
}

void CImageButton::FreeIcon() {
    if (m_icon != nullptr)
        DestroyIcon(m_icon);
    m_icon = nullptr;
    m_iconWidth = 0;
    m_iconHeight = 0;
}

void CImageButton::Repaint() {
    if (m_hWnd != nullptr)
        Invalidate(TRUE);
}

void CImageButton::CreateToolTip() {
    if (m_toolTip.m_hWnd != nullptr || m_hWnd == nullptr)
        return;
    if (!m_toolTip.Create(this, 0))
        return;
    m_toolTip.Activate(FALSE);
    m_toolTip.SetMaxTipWidth(kMaxTipWidth); // longer tips wrap
}

void CImageButton::CancelHover() {
    if (!m_hover)
        return;
    m_hover = false;
    Repaint();
}

void CImageButton::OnMouseMove(UINT flags, POINT point) {
    Default();
    POINT screen = point;
    ClientToScreen(&screen);
    HWND under = WindowFromPoint(screen);
    // Dragging onto the button with the left button held does not highlight it.
    if ((flags & MK_LBUTTON) && !m_hover)
        return;
    if (under == m_hWnd) {
        if (m_hover)
            return;
        m_hover = true;
        Repaint();
        TRACKMOUSEEVENT track = {};
        track.cbSize = sizeof track;
        track.dwFlags = TME_LEAVE;
        track.hwndTrack = m_hWnd;
        TrackMouseEvent(&track);
    } else {
        CancelHover();
    }
}

LRESULT CImageButton::OnMouseLeave(WPARAM, LPARAM) {
    CancelHover();
    return 0;
}

void CImageButton::OnKillFocus(HWND) {
    Default();
    CancelHover();
}

void CImageButton::OnCancelMode() {
    Default();
    CancelHover();
}

BOOL CImageButton::OnClicked() {
    SetFocus();
    return FALSE; // the parent's own click handler runs as well
}

UINT CImageButton::OnGetDlgCode() {
    UINT code = (UINT)Default() & ~(UINT)(DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON);
    return code | (m_isDefault ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON);
}

LRESULT CImageButton::OnSetStyle(WPARAM wParam, LPARAM lParam) {
    UINT type = (UINT)wParam & kButtonTypeBits;
    if (type == BS_DEFPUSHBUTTON)
        m_isDefault = true;
    else if (type == BS_PUSHBUTTON)
        m_isDefault = false;
    // The button stays owner-drawn whatever style the dialog manager asks for.
    return DefWindowProc(BM_SETSTYLE, ((UINT)wParam & ~kButtonTypeBits) | BS_OWNERDRAW, lParam);
}

HBRUSH CImageButton::CtlColor(HDC, UINT) {
    return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
}

BOOL CImageButton::OnEraseBkgnd(HDC) {
    return TRUE;
} // DrawItem paints the whole face

void CImageButton::OnSysColorChange() {
    Default();
    ReleaseSnapshot();
    SetDefaultColors(TRUE);
}

LRESULT CImageButton::OnDpiChangedAfterParent(WPARAM, LPARAM) {
    ReleaseSnapshot(); // the button has a new size
    SetDpi(WindowDpi(m_hWnd));
    Repaint();
    return 0;
}

BEGIN_MESSAGE_MAP(CImageButton, CButton)
ON_WM_MOUSEMOVE()
ON_MESSAGE(WM_MOUSELEAVE, OnMouseLeave)
ON_WM_KILLFOCUS()
ON_WM_CANCELMODE()
ON_CONTROL_REFLECT_EX(BN_CLICKED, OnClicked)
ON_WM_GETDLGCODE()
ON_MESSAGE(BM_SETSTYLE, OnSetStyle)
ON_WM_CTLCOLOR_REFLECT()
ON_WM_ERASEBKGND()
ON_WM_SYSCOLORCHANGE()
ON_MESSAGE(WM_DPICHANGED_AFTERPARENT, OnDpiChangedAfterParent)
END_MESSAGE_MAP()
