// The skinning layer without a skinning library: the popup is tracked by the
// platform and its choice reaches the owner as an ordinary command.
#include <gtest/gtest.h>

#include "ui/Skin.h"
#include "framework/Framework.h"
#include "tests/win/framework/FrameworkTestIds.h"

namespace {

class COwnerDlg : public CDialog {
public:
    UINT chosen = 0;
    void OnOne() { chosen = IDM_ONE; }
    void OnTwo() { chosen = IDM_TWO; }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(COwnerDlg, CDialog)
ON_COMMAND(IDM_ONE, OnOne)
ON_COMMAND(IDM_TWO, OnTwo)
END_MESSAGE_MAP()

TEST(SkinTest, StartupCallsReportSuccessAndChangeNothing) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    EXPECT_TRUE(SkinInitialize(instance, "Demo", 0, 0));
    EXPECT_TRUE(
        SkinLoadFromResource(instance, "BRISKAL_SKIN", "SKINMAGIC")); // no such resource here
    EXPECT_TRUE(SkinApplyToWindows("Dialog"));
    SkinRelease();
}

TEST(SkinTest, PopupChoiceArrivesAsACommandToTheOwner) {
    COwnerDlg owner;
    ASSERT_TRUE(owner.Create(IDD_FW_TEST));
    owner.ShowWindow(SW_SHOW);
    SetForegroundWindow(owner.m_hWnd);
    CMenu menu;
    ASSERT_TRUE(menu.LoadMenu(IDM_FW_TEST));
    CMenu popup = menu.GetSubMenu(0);

    // The user moves down past the separator to "Two" and presses Enter.
    owner.PostMessage(WM_KEYDOWN, VK_DOWN);
    owner.PostMessage(WM_KEYDOWN, VK_DOWN);
    owner.PostMessage(WM_KEYDOWN, VK_RETURN);
    RECT r;
    owner.GetWindowRect(&r);
    EXPECT_TRUE(SkinTrackPopupMenu(popup.GetSafeHmenu(), TPM_RIGHTBUTTON, r.left + 20, r.top + 40,
                                   owner.m_hWnd));
    EXPECT_EQ(0u, owner.chosen); // not yet: the command is posted
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageA(&msg);
    EXPECT_EQ((UINT)IDM_TWO, owner.chosen);
}

} // namespace
