// CImageButton on a real dialog: icons, painting, style changes, hover,
// clicks, tooltip, transparent face.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "ui/ImageButton.h"
#include "framework/Framework.h"
#include "tests/win/ui/ControlsTestIds.h"
#include "tests/win/support/WinTestSupport.h"

namespace {

const COLORREF kRed = RGB(255, 0, 0);

class CButtonsDlg : public CDialog {
public:
    CButtonsDlg() : CDialog(IDD_BUTTONS) {}
    CImageButton add, convert, settings, listAdd, listRemove, change;
    int addClicks = 0;
    bool addHadFocusAtClick = false;
    HBRUSH background = nullptr; // dialog background, when set

    void DoDataExchange(CDataExchange* pDX) override {
        DDX_Control(pDX, IDC_ADD, add);
        DDX_Control(pDX, IDC_CONVERT, convert);
        DDX_Control(pDX, IDC_SETTINGS, settings);
        DDX_Control(pDX, IDC_LIST_ADD, listAdd);
        DDX_Control(pDX, IDC_LIST_REMOVE, listRemove);
        DDX_Control(pDX, IDC_CHANGE, change);
    }
    void OnAdd() {
        ++addClicks;
        addHadFocusAtClick = ::GetFocus() == add.m_hWnd;
    }
    HBRUSH OnCtlColor(HDC dc, HWND control, UINT kind) {
        if (kind == CTLCOLOR_DLG && background != nullptr)
            return background;
        return CDialog::OnCtlColor(dc, control, kind);
    }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CButtonsDlg, CDialog)
ON_BN_CLICKED(IDC_ADD, OnAdd)
ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

// Dispatches waiting messages the way the framework's modal loop does.
void PumpLikeTheModalLoop() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (!CWnd::PreTranslateMessageChain(&msg)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
}

POINT CentreOf(const CWnd& wnd) {
    RECT r;
    wnd.GetClientRect(&r);
    return POINT{r.right / 2, r.bottom / 2};
}

// Paints the button into a memory bitmap and returns the bounding box of its
// pure red (icon) pixels, or an empty rectangle.
struct Painted {
    RECT red;
    COLORREF corner; // a face pixel inside the border
};

Painted PaintButton(CImageButton& button, UINT itemState) {
    RECT client;
    button.GetClientRect(&client);
    HDC screen = GetDC(nullptr);
    HDC mem = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, client.right, client.bottom);
    HGDIOBJ old = SelectObject(mem, bitmap);
    DRAWITEMSTRUCT item = {};
    item.CtlType = ODT_BUTTON;
    item.CtlID = (UINT)button.GetDlgCtrlID();
    item.itemAction = ODA_DRAWENTIRE;
    item.itemState = itemState;
    item.hwndItem = button.m_hWnd;
    item.hDC = mem;
    item.rcItem = client;
    button.DrawItem(&item);

    Painted result = {{client.right, client.bottom, -1, -1}, GetPixel(mem, 1, client.bottom - 2)};
    for (int y = 0; y < client.bottom; ++y)
        for (int x = 0; x < client.right; ++x)
            if (GetPixel(mem, x, y) == kRed) {
                result.red.left = std::min<LONG>(result.red.left, x);
                result.red.top = std::min<LONG>(result.red.top, y);
                result.red.right = std::max<LONG>(result.red.right, x + 1);
                result.red.bottom = std::max<LONG>(result.red.bottom, y + 1);
            }
    SelectObject(mem, old);
    DeleteObject(bitmap);
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);
    return result;
}

class ImageButtonTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dlg.Create(IDD_BUTTONS));
        dlg.ShowWindow(SW_SHOW);
        dlg.UpdateWindow();
        SetForegroundWindow(dlg.m_hWnd);
    }
    void TearDown() override {
        if (background != nullptr)
            DeleteObject(background);
    }
    void MoveMouse(CImageButton& button, POINT client, UINT keys = 0) {
        POINT screen = client;
        button.ClientToScreen(&screen);
        SetCursorPos(screen.x, screen.y);
        button.SendMessage(WM_MOUSEMOVE, keys, MAKELPARAM(client.x, client.y));
    }
    CButtonsDlg dlg;
    HBRUSH background = nullptr;
};

TEST_F(ImageButtonTest, IconsLoadAtTheAskedOrStoredSize) {
    EXPECT_EQ(0u, dlg.add.SetIcon(IDI_RED48, 48, 48));
    EXPECT_EQ(48, dlg.add.GetIconWidth());
    EXPECT_EQ(48, dlg.add.GetIconHeight());
    EXPECT_EQ(0u, dlg.listAdd.SetIcon(IDI_RED32));
    EXPECT_EQ(32, dlg.listAdd.GetIconWidth());
    EXPECT_EQ(0u, dlg.listAdd.SetIcon(IDI_RED16_32, 16, 16)); // replaces the first
    EXPECT_EQ(16, dlg.listAdd.GetIconWidth());
    // A missing resource leaves the button without an icon, and is no error.
    EXPECT_EQ(0u, dlg.convert.SetIcon(9999));
    EXPECT_EQ(nullptr, dlg.convert.GetIcon());
    EXPECT_EQ(0, dlg.convert.GetIconWidth());
}

TEST_F(ImageButtonTest, IconPlacementWithAndWithoutCaptionAndWhenPressed) {
    ASSERT_EQ(0u, dlg.add.SetIcon(IDI_RED48, 48, 48));
    dlg.add.SetAlign(1, TRUE);
    ASSERT_EQ(0u, dlg.listAdd.SetIcon(IDI_RED16_32, 16, 16));
    RECT addClient, listClient;
    dlg.add.GetClientRect(&addClient);
    dlg.listAdd.GetClientRect(&listClient);

    struct Case {
        CImageButton* button;
        UINT state;
        LONG left, top, size;
    } cases[] = {
        {&dlg.add, 0, (addClient.right - 48) / 2, 3, 48}, // caption "Add": 3 px from the top
        {&dlg.add, ODS_SELECTED, (addClient.right - 48) / 2 + 1, 4, 48},
        {&dlg.listAdd, 0, (listClient.right - 16) / 2, (listClient.bottom - 16) / 2, 16}, // centred
        {&dlg.listAdd, ODS_SELECTED, (listClient.right - 16) / 2 + 1,
         (listClient.bottom - 16) / 2 + 1, 16},
    };
    for (const Case& c : cases) {
        Painted p = PaintButton(*c.button, c.state);
        EXPECT_EQ(c.left, p.red.left) << c.button->GetDlgCtrlID() << " state " << c.state;
        EXPECT_EQ(c.top, p.red.top) << c.button->GetDlgCtrlID() << " state " << c.state;
        EXPECT_EQ(c.size, p.red.right - p.red.left);
        EXPECT_EQ(c.size, p.red.bottom - p.red.top);
    }
}

// At 150 and 200 % the dialog manager makes the buttons 1.5 and 2 times as
// large; the button picks the icon shipped for that size and scales its
// 96-DPI margin (3) and pressed offset (1).
TEST_F(ImageButtonTest, LayoutAtEachDisplayScaleIsThe96DpiLayoutScaled) {
    struct Case {
        UINT dpi;
        int toolIcon, sideIcon, margin, offset;
    } cases[] = {
        {96, 48, 32, 3, 1},
        {144, 72, 48, 5, 2},
        {192, 96, 64, 6, 2},
    };
    RECT add96;
    dlg.add.GetClientRect(&add96);
    const SIZE list96 = {40, 36}; // room for the whole 32-pixel icon
    for (const Case& c : cases) {
        const int addWidth = MulDiv(add96.right, c.dpi, 96),
                  addHeight = MulDiv(add96.bottom, c.dpi, 96);
        const int listWidth = MulDiv(list96.cx, c.dpi, 96),
                  listHeight = MulDiv(list96.cy, c.dpi, 96);
        dlg.add.SetWindowPos(nullptr, 0, 0, addWidth, addHeight, SWP_NOZORDER | SWP_NOACTIVATE);
        dlg.listAdd.SetWindowPos(nullptr, 0, 0, listWidth, listHeight,
                                 SWP_NOZORDER | SWP_NOACTIVATE);
        dlg.add.SetDpi(c.dpi);
        dlg.listAdd.SetDpi(c.dpi);
        ASSERT_EQ(0u, dlg.add.SetScaledIcon(IDI_RED_SCALED, 48));
        ASSERT_EQ(0u, dlg.listAdd.SetScaledIcon(IDI_RED_SCALED, 32));
        EXPECT_EQ(c.toolIcon, dlg.add.GetIconWidth()) << c.dpi;
        EXPECT_EQ(c.sideIcon, dlg.listAdd.GetIconWidth()) << c.dpi;

        struct Expected {
            CImageButton* button;
            UINT state;
            LONG left, top, size;
        } expected[] = {
            {&dlg.add, 0, (addWidth - c.toolIcon) / 2, c.margin, c.toolIcon}, // above the caption
            {&dlg.add, ODS_SELECTED, (addWidth - c.toolIcon) / 2 + c.offset, c.margin + c.offset,
             c.toolIcon},
            {&dlg.listAdd, 0, (listWidth - c.sideIcon) / 2, (listHeight - c.sideIcon) / 2,
             c.sideIcon},
            {&dlg.listAdd, ODS_SELECTED, (listWidth - c.sideIcon) / 2 + c.offset,
             (listHeight - c.sideIcon) / 2 + c.offset, c.sideIcon},
        };
        for (const Expected& e : expected) {
            Painted p = PaintButton(*e.button, e.state);
            EXPECT_EQ(e.left, p.red.left)
                << c.dpi << " dpi, button " << e.button->GetDlgCtrlID() << " state " << e.state;
            EXPECT_EQ(e.top, p.red.top)
                << c.dpi << " dpi, button " << e.button->GetDlgCtrlID() << " state " << e.state;
            EXPECT_EQ(e.size, p.red.right - p.red.left) << c.dpi << " dpi";
            EXPECT_EQ(e.size, p.red.bottom - p.red.top) << c.dpi << " dpi";
        }
    }
    // A later DPI change loads the icon afresh; a fixed-size icon stays as it is.
    dlg.add.SetDpi(96);
    EXPECT_EQ(48, dlg.add.GetIconWidth());
    ASSERT_EQ(0u, dlg.listAdd.SetIcon(IDI_RED16_32, 16, 16));
    dlg.listAdd.SetDpi(144);
    EXPECT_EQ(16, dlg.listAdd.GetIconWidth());
}

TEST_F(ImageButtonTest, SetStyleMakesTheButtonOwnerDrawnAndTracksTheDefault) {
    CImageButton& change = dlg.change;
    ASSERT_EQ((DWORD)BS_PUSHBUTTON, change.GetStyle() & 0x1F); // attached as it was
    struct Step {
        UINT style;
        bool isDefault;
    } steps[] = {
        {BS_DEFPUSHBUTTON, true}, {BS_CHECKBOX, true}, // other values keep the flag
        {BS_PUSHBUTTON, false},   {BS_AUTORADIOBUTTON, false}, {BS_DEFPUSHBUTTON | BS_NOTIFY, true},
        {BS_USERBUTTON, true},
    };
    for (const Step& s : steps) {
        change.SendMessage(BM_SETSTYLE, s.style, TRUE);
        EXPECT_EQ((DWORD)BS_OWNERDRAW, change.GetStyle() & 0x1F) << s.style;
        EXPECT_EQ(s.isDefault, change.IsDefault()) << s.style;
        LRESULT code = change.SendMessage(WM_GETDLGCODE);
        EXPECT_EQ(s.isDefault, (code & DLGC_DEFPUSHBUTTON) != 0) << s.style;
        EXPECT_EQ(!s.isDefault, (code & DLGC_UNDEFPUSHBUTTON) != 0) << s.style;
        EXPECT_TRUE(code & DLGC_BUTTON);
    }
}

TEST_F(ImageButtonTest, HoverFollowsThePointer) {
    CImageButton& add = dlg.add;
    POINT inside = CentreOf(add);
    POINT outside = {-20, -20};

    MoveMouse(add, inside, MK_LBUTTON); // dragged onto it: no highlight
    EXPECT_FALSE(add.IsHover());
    MoveMouse(add, inside);
    EXPECT_TRUE(add.IsHover());
    MoveMouse(add, inside, MK_LBUTTON); // pressed while highlighted: stays
    EXPECT_TRUE(add.IsHover());
    MoveMouse(add, outside, MK_LBUTTON); // leaves while pressed (captured)
    EXPECT_FALSE(add.IsHover());

    struct Ending {
        UINT message;
        WPARAM wParam;
    } endings[] = {{WM_MOUSELEAVE, 0}, {WM_KILLFOCUS, 0}, {WM_CANCELMODE, 0}};
    for (const Ending& e : endings) {
        MoveMouse(add, inside);
        ASSERT_TRUE(add.IsHover());
        add.SendMessage(e.message, e.wParam, 0);
        EXPECT_FALSE(add.IsHover()) << e.message;
    }
}

TEST_F(ImageButtonTest, DoubleClickCountsAsTwoClicks) {
    HWND button = dlg.add.m_hWnd;
    POINT p = CentreOf(dlg.add);
    LPARAM at = MAKELPARAM(p.x, p.y);
    PostMessageA(button, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageA(button, WM_LBUTTONUP, 0, at);
    PostMessageA(button, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    PostMessageA(button, WM_LBUTTONUP, 0, at);
    PumpLikeTheModalLoop();
    EXPECT_EQ(2, dlg.addClicks);
}

TEST_F(ImageButtonTest, ClickFocusesTheButtonBeforeTheParentHandlerRuns) {
    ::SetFocus(dlg.GetDlgItem(IDOK));
    dlg.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_ADD, BN_CLICKED), (LPARAM)dlg.add.m_hWnd);
    EXPECT_EQ(1, dlg.addClicks);
    EXPECT_TRUE(dlg.addHadFocusAtClick);
}

TEST_F(ImageButtonTest, EnterClicksTheFocusedButtonInsteadOfOk) {
    // Moving the focus makes the dialog manager restyle the buttons.
    dlg.SendMessage(WM_NEXTDLGCTL, (WPARAM)dlg.add.m_hWnd, TRUE);
    PumpLikeTheModalLoop();
    EXPECT_TRUE(dlg.add.IsDefault());
    EXPECT_EQ((DWORD)BS_OWNERDRAW, dlg.add.GetStyle() & 0x1F);
    PostMessageA(dlg.add.m_hWnd, WM_KEYDOWN, VK_RETURN, 0);
    PumpLikeTheModalLoop();
    EXPECT_EQ(1, dlg.addClicks);
    EXPECT_TRUE(dlg.IsWindowVisible()); // OK was not pressed

    dlg.SendMessage(WM_NEXTDLGCTL, (WPARAM)dlg.GetDlgItem(IDOK), TRUE);
    PumpLikeTheModalLoop();
    EXPECT_FALSE(dlg.add.IsDefault());
}

TEST_F(ImageButtonTest, TooltipHoldsOneToolWithTheLatestText) {
    dlg.convert.SetTooltipText("Start converting", TRUE);
    CToolTipCtrl& tip = dlg.convert.GetToolTip();
    ASSERT_NE(nullptr, tip.m_hWnd);
    EXPECT_EQ(1, tip.GetToolCount());
    char text[128];
    tip.GetText(text, sizeof text, &dlg.convert, 1);
    EXPECT_STREQ("Start converting", text);
    dlg.convert.SetTooltipText("About,help,home page,tip of the day.", TRUE);
    EXPECT_EQ(1, tip.GetToolCount());
    tip.GetText(text, sizeof text, &dlg.convert, 1);
    EXPECT_STREQ("About,help,home page,tip of the day.", text);
    EXPECT_EQ(400, (int)tip.SendMessage(TTM_GETMAXTIPWIDTH));
}

TEST_F(ImageButtonTest, TooltipIsCreatedInactiveByTheFirstMessage) {
    EXPECT_EQ(nullptr, dlg.settings.GetToolTip().m_hWnd);
    MSG msg = {dlg.settings.m_hWnd, WM_MOUSEMOVE, 0, 0, 0, {0, 0}};
    EXPECT_FALSE(dlg.settings.PreTranslateMessage(&msg));
    EXPECT_NE(nullptr, dlg.settings.GetToolTip().m_hWnd);
    EXPECT_EQ(0, dlg.settings.GetToolTip().GetToolCount());
}

TEST_F(ImageButtonTest, ColourAndEraseRequestsLeaveTheFaceToDrawItem) {
    HDC dc = GetDC(dlg.m_hWnd);
    LRESULT brush = dlg.SendMessage(WM_CTLCOLORBTN, (WPARAM)dc, (LPARAM)dlg.add.m_hWnd);
    EXPECT_EQ((LRESULT)GetStockObject(NULL_BRUSH), brush);
    EXPECT_EQ(TRUE, dlg.add.SendMessage(WM_ERASEBKGND, (WPARAM)dc));
    ReleaseDC(dlg.m_hWnd, dc);
}

TEST_F(ImageButtonTest, TransparentFaceShowsTheParentAndIsRetakenAfterAColourChange) {
    background = CreateSolidBrush(RGB(0, 128, 0));
    dlg.background = background;
    dlg.Invalidate(TRUE);
    dlg.UpdateWindow();
    EXPECT_EQ(GetSysColor(COLOR_BTNFACE), PaintButton(dlg.listRemove, 0).corner); // plain face

    // The parent shows its own background where the button is not painted.
    dlg.listRemove.ShowWindow(SW_HIDE);
    dlg.UpdateWindow();
    dlg.listRemove.SetTransparent(FALSE);
    EXPECT_EQ(RGB(0, 128, 0), PaintButton(dlg.listRemove, 0).corner);

    // The snapshot stays until a system colour change releases it.
    HBRUSH blue = CreateSolidBrush(RGB(0, 0, 128));
    dlg.background = blue;
    dlg.Invalidate(TRUE);
    dlg.UpdateWindow();
    EXPECT_EQ(RGB(0, 128, 0), PaintButton(dlg.listRemove, 0).corner);
    dlg.listRemove.SendMessage(WM_SYSCOLORCHANGE);
    dlg.Invalidate(TRUE);
    dlg.UpdateWindow();
    EXPECT_EQ(RGB(0, 0, 128), PaintButton(dlg.listRemove, 0).corner);
    dlg.background = nullptr;
    DeleteObject(blue);
}

// Set up as the main dialog does (before the window shows), then one button
// hovered and one pressed.
TEST(ImageButtonScreenshot, ToolbarStates) {
    CButtonsDlg dlg;
    ASSERT_TRUE(dlg.Create(IDD_BUTTONS));
    struct Setup {
        CImageButton* button;
        int icon, size;
        const char* tip;
    } setups[] = {
        {&dlg.add, IDI_RED48, 48, "Add video files to the list"},
        {&dlg.convert, IDI_RED48, 48, "Start converting"},
        {&dlg.settings, IDI_RED32, 0, "Settings..."},
        {&dlg.listAdd, IDI_RED16_32, 16, "Add video files to the list"},
        {&dlg.listRemove, IDI_RED16_32, 16, "Remove the selected video file"},
    };
    for (const Setup& s : setups) {
        s.button->SetIcon(s.icon, s.size, s.size);
        s.button->SetTooltipText(s.tip, TRUE);
        s.button->SetTransparent(FALSE);
        s.button->SetAlign(1, TRUE);
    }
    dlg.ShowWindow(SW_SHOW);
    dlg.UpdateWindow();
    SetForegroundWindow(dlg.m_hWnd);
    dlg.change.SendMessage(BM_SETSTYLE, BS_PUSHBUTTON, TRUE);

    POINT centre = CentreOf(dlg.add);
    dlg.add.ClientToScreen(&centre);
    SetCursorPos(centre.x, centre.y);
    POINT inside = CentreOf(dlg.add);
    dlg.add.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(inside.x, inside.y)); // hover: raised edge
    dlg.convert.SendMessage(BM_SETSTATE, TRUE);                           // pressed: sunken, moved
    wintest::PumpMessagesFor(200);
    EXPECT_TRUE(dlg.add.IsHover());
    std::string path = wintest::EnvPath("TARVELLO_BUILD_DIR", "screenshots\\image_buttons.bmp");
    EXPECT_TRUE(wintest::SaveWindowScreenshot(dlg.m_hWnd, path.c_str()));
}

} // namespace
