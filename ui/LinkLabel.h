// CLinkLabel: a static text that behaves as a web link. It shows its target
// in a tooltip, turns red while the mouse is over it, opens the target when
// clicked and turns purple once the target has been opened.
#pragma once

#include <windows.h>

#include <string>

#include "framework/Dialog.h"
#include "framework/Static.h"
#include "framework/ToolTipCtrl.h"

class CLinkLabel : public CStatic {
public:
    static constexpr COLORREF kLinkColor = RGB(0, 0, 238);
    static constexpr COLORREF kVisitedColor = RGB(85, 26, 139);
    static constexpr COLORREF kHoverColor = RGB(255, 0, 0);
    static constexpr UINT_PTR kHoverTimerId = 100;
    static constexpr UINT kHoverTimerMs = 100;

    CLinkLabel();
    ~CLinkLabel() override;

    // Sets the label up on its control: click notification, fonts, size,
    // cursor and tooltip. Called once, when the label is bound (DDX_LinkLabel).
    void OnAttached();

    void SetLinkTarget(const char* target);
    const char* GetLinkTarget() const { return m_target.c_str(); }
    void MarkVisited(BOOL visited = TRUE);
    BOOL IsVisited() const { return m_visited; }
    void SetUnderlined(BOOL underlined);
    BOOL IsHovered() const { return m_overControl; }
    // The colour the label draws its text in now.
    COLORREF CurrentColor() const;
    HWND GetToolTipWindow() const { return m_toolTip.m_hWnd; }
    HCURSOR GetLinkCursor() const { return m_linkCursor; }

    BOOL PreTranslateMessage(MSG* msg) override;

protected:
    HBRUSH CtlColor(HDC dc, UINT ctlColor);
    void OnClicked();
    LRESULT OnMouseMove(WPARAM flags, LPARAM point);
    void OnTimer(UINT_PTR id);
    BOOL OnSetCursor(HWND window, UINT hitTest, UINT message);
    void OnDestroy();
    LRESULT OnDpiChangedAfterParent(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    // Plain and underlined copies of `font` (the default GUI font for none).
    void MakeFonts(HFONT font);
    void FitToText();
    void LoadLinkCursor();

    COLORREF m_linkColor;
    COLORREF m_visitedColor;
    COLORREF m_hoverColor;
    BOOL m_overControl;
    BOOL m_visited;
    BOOL m_underlined;
    BOOL m_fitToText;
    std::string m_target;
    HFONT m_underlineFont;
    HFONT m_plainFont;
    HCURSOR m_linkCursor;
    bool m_ownsCursor; // a private copy to destroy (not the shared system cursor)
    CToolTipCtrl m_toolTip;
};

// Binds dialog item `id` to `label` (DDX_Control) and sets the label up the
// first time.
void DDX_LinkLabel(CDataExchange* pDX, int id, CLinkLabel& label);
