// CImageButton: the owner-drawn toolbar button. An icon above an optional
// caption, a flat face whose edge rises while the pointer is over the button
// and sinks while it is pressed, an optional transparent face (a snapshot of
// the parent's pixels), state-dependent colours and a tooltip.
//
// The control must be owner-drawn in its template (BS_OWNERDRAW). A plain push
// button attached to this class is painted by the system until the first
// BM_SETSTYLE reaches it, which turns it owner-drawn.
#pragma once

#include <windows.h>

#include "core/ImageButtonLayout.h"
#include "framework/Button.h"
#include "framework/ToolTipCtrl.h"

class CImageButton : public CButton {
public:
    CImageButton();
    ~CImageButton() override;

    // Loads icon group `iconId` at cx x cy (0, 0: the resource's own size).
    // 0 on success (also when the resource is missing: no icon then), 1 when
    // the icon's size cannot be read.
    DWORD SetIcon(int iconId, int cx, int cy);
    DWORD SetIcon(int iconId) { return SetIcon(iconId, 0, 0); }
    // Loads icon group `iconId` at the shipped size that fits an icon drawn
    // size96 x size96 at 96 DPI, for the button's DPI; loaded afresh when the
    // DPI changes. Result as SetIcon.
    DWORD SetScaledIcon(int iconId, int size96);
    // Lays the button out for `dpi` (the margin and the pressed offset are
    // their 96-DPI values scaled) and reloads a scaled icon. The button takes
    // its window's DPI by itself at the first SetScaledIcon and on
    // WM_DPICHANGED_AFTERPARENT.
    void SetDpi(UINT dpi);
    UINT GetDpi() const { return m_dpi; }
    // 1: icon horizontally centred above the caption.
    DWORD SetAlign(BYTE alignment, BOOL repaint = TRUE);
    void SetTooltipText(const char* text, BOOL activate = TRUE);
    void SetTransparent(BOOL repaint = FALSE);
    DWORD SetDefaultColors(BOOL repaint = TRUE);

    BOOL PreTranslateMessage(MSG* msg) override;
    void DrawItem(DRAWITEMSTRUCT* drawItem) override;

    // State, for tests and callers that need it.
    bool IsHover() const { return m_hover; }
    bool IsDefault() const { return m_isDefault; }
    bool IsTransparent() const { return m_transparent; }
    HICON GetIcon() const { return m_icon; }
    int GetIconWidth() const { return m_iconWidth; }
    int GetIconHeight() const { return m_iconHeight; }
    BYTE GetAlign() const { return m_alignment; }
    CToolTipCtrl& GetToolTip() { return m_toolTip; }

protected:
    virtual void PaintFace(HDC dc, const RECT& rect);
    virtual void PaintBorder(HDC dc, const RECT& rect);
    virtual void PaintIcon(HDC dc, bool hasCaption, const RECT& itemRect, RECT& captionRect,
                           bool pressed);
    virtual void PaintCaption(HDC dc, const char* caption, const RECT& itemRect, RECT& captionRect,
                              bool pressed);

    void OnMouseMove(UINT flags, POINT point);
    LRESULT OnMouseLeave(WPARAM wParam, LPARAM lParam);
    void OnKillFocus(HWND newWnd);
    void OnCancelMode();
    BOOL OnClicked();
    UINT OnGetDlgCode();
    LRESULT OnSetStyle(WPARAM wParam, LPARAM lParam);
    HBRUSH CtlColor(HDC dc, UINT nCtlColor);
    BOOL OnEraseBkgnd(HDC dc);
    void OnSysColorChange();
    LRESULT OnDpiChangedAfterParent(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    void CancelHover();
    void Repaint();
    void CreateToolTip();
    void PaintParentSnapshot(HDC dc);
    void ReleaseSnapshot();
    void FreeIcon();
    const ButtonColors& CurrentColors() const;

    int m_imageMargin;
    int m_pressedOffsetX;
    int m_pressedOffsetY;
    bool m_hover;
    bool m_transparent;
    bool m_pressed;
    bool m_focused;
    bool m_isDefault;
    BYTE m_alignment;
    ButtonColors m_colorIn;    // hovered or pressed
    ButtonColors m_colorOut;   // otherwise
    ButtonColors m_colorFocus; // focused, neither hovered nor pressed
    CToolTipCtrl m_toolTip;
    HDC m_snapshotDC;
    HBITMAP m_snapshotBitmap;
    HBITMAP m_snapshotOldBitmap;
    HICON m_icon;
    int m_iconWidth;
    int m_iconHeight;
    UINT m_dpi;         // 0 until the button is laid out for a DPI
    int m_scaledIconId; // the SetScaledIcon icon, 0 for none
    int m_scaledIconSize96;
};
