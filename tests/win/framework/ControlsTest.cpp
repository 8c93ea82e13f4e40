// The control wrappers, menus and the file dialog's selection, on the test
// dialog's real controls.
#include <gtest/gtest.h>

#include <string>

#include "framework/Framework.h"
#include "tests/win/framework/FrameworkTestIds.h"

namespace {

class CControlsDlg : public CDialog {
public:
    CControlsDlg() : CDialog(IDD_FW_TEST) {}
    CListCtrl list;
    CComboBox combo;
    CProgressCtrl progress;
    CSliderCtrl slider;
    CEdit edit;
    void DoDataExchange(CDataExchange* pDX) override {
        DDX_Control(pDX, IDC_LIST, list);
        DDX_Control(pDX, IDC_COMBO, combo);
        DDX_Control(pDX, IDC_PROGRESS, progress);
        DDX_Control(pDX, IDC_SLIDER, slider);
        DDX_Control(pDX, IDC_EDIT, edit);
    }
};

class ControlsTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dlg.Create(IDD_FW_TEST)); }
    CControlsDlg dlg;
};

TEST_F(ControlsTest, ListRowsColumnsAndSelection) {
    CListCtrl& list = dlg.list;
    EXPECT_EQ(0, list.InsertColumn(0, " Number", LVCFMT_LEFT, 90));
    EXPECT_EQ(1, list.InsertColumn(1, "  File path", LVCFMT_LEFT, 360));
    EXPECT_EQ(2, list.InsertColumn(2, "   Duration", LVCFMT_CENTER, 122));
    list.SetExtendedStyle(LVS_EX_FULLROWSELECT);
    EXPECT_TRUE(list.GetExtendedStyle() & LVS_EX_FULLROWSELECT);

    const char* paths[] = {"C:\\a.avi", "C:\\b.avi", "C:\\c.avi"};
    for (int i = 0; i < 3; ++i) {
        ASSERT_EQ(i, list.InsertItem(i, "          1"));
        EXPECT_TRUE(list.SetItemText(i, 1, paths[i]));
    }
    EXPECT_EQ(3, list.GetItemCount());

    char cell[1024];
    EXPECT_EQ(8, list.GetItemText(1, 1, cell, sizeof cell));
    EXPECT_STREQ("C:\\b.avi", cell);
    char small[4];
    list.GetItemText(1, 1, small, sizeof small);
    EXPECT_STREQ("C:\\", small); // cut to the buffer, terminated

    EXPECT_EQ(-1, list.GetSelectedItem());
    list.SetItemState(2, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    EXPECT_EQ(2, list.GetSelectedItem());
    EXPECT_EQ((UINT)LVIS_SELECTED, list.GetItemState(2, LVIS_SELECTED));
    list.SetItemState(2, 0, LVIS_SELECTED);
    EXPECT_EQ(-1, list.GetNextItem(-1, LVNI_SELECTED));

    EXPECT_TRUE(list.DeleteItem(0));
    EXPECT_EQ(2, list.GetItemCount());
    list.GetItemText(0, 1, cell, sizeof cell);
    EXPECT_STREQ("C:\\b.avi", cell);
}

TEST_F(ControlsTest, ComboEntriesAndSelection) {
    CComboBox& combo = dlg.combo;
    combo.AddString("NTSC");
    combo.AddString("PAL");
    EXPECT_EQ(2, combo.GetCount());
    EXPECT_EQ(-1, combo.GetCurSel());
    combo.SetCurSel(1);
    EXPECT_EQ(1, combo.GetCurSel());
    char text[8];
    EXPECT_EQ(3, combo.GetLBText(1, text, sizeof text));
    EXPECT_STREQ("PAL", text);
    char small[3];
    EXPECT_EQ(-1, combo.GetLBText(1, small, sizeof small)); // does not fit: nothing copied
    EXPECT_STREQ("", small);
    combo.ResetContent();
    EXPECT_EQ(0, combo.GetCount());
}

TEST_F(ControlsTest, ProgressAndSliderPositions) {
    dlg.progress.SetRange(0, 1000);
    dlg.progress.SetPos(250);
    EXPECT_EQ(250, dlg.progress.GetPos());
    int low = -1, high = -1;
    dlg.progress.GetRange(low, high);
    EXPECT_EQ(0, low);
    EXPECT_EQ(1000, high);

    dlg.slider.SetRange(0, 40);
    dlg.slider.SetPos(20);
    EXPECT_EQ(20, dlg.slider.GetPos());
    dlg.slider.SetPos(55);
    EXPECT_EQ(40, dlg.slider.GetPos());
}

TEST_F(ControlsTest, WindowTextHelpers) {
    dlg.edit.SetWindowText("C:\\output video\\");
    EXPECT_EQ(16, dlg.edit.GetWindowTextLength());
    char text[8];
    EXPECT_EQ(7, dlg.GetDlgItemText(IDC_EDIT, text, sizeof text));
    EXPECT_STREQ("C:\\outp", text);
    dlg.EnableDlgItem(IDC_EDIT, FALSE);
    EXPECT_FALSE(dlg.edit.IsWindowEnabled());
}

TEST(MenuTest, LoadsPopupsAndDestroysWhatItOwns) {
    HMENU loaded = nullptr;
    {
        CMenu menu;
        ASSERT_TRUE(menu.LoadMenu(IDM_FW_TEST));
        loaded = menu.GetSafeHmenu();
        CMenu popup = menu.GetSubMenu(0);
        ASSERT_NE(nullptr, popup.GetSafeHmenu());
        EXPECT_EQ(3, GetMenuItemCount(popup.GetSafeHmenu()));
        EXPECT_EQ((UINT)IDM_TWO, GetMenuItemID(popup.GetSafeHmenu(), 2));
        EXPECT_EQ(nullptr, menu.GetSubMenu(5).GetSafeHmenu());
    }
    EXPECT_FALSE(IsMenu(loaded));
    CMenu missing;
    EXPECT_FALSE(missing.LoadMenu(9999));
}

TEST(FileDialogTest, SelectionComesFromTheCallersBuffer) {
    CFileDialog dlg(TRUE, "*.avi", nullptr,
                    OFN_ALLOWMULTISELECT | OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                    "AVI file (*.AVI,*.DivX,*.div,*.Xvid)|*.avi;*.divx;*.div;*.xvid||");
    EXPECT_TRUE(dlg.m_ofn.Flags & OFN_EXPLORER);
    EXPECT_STREQ("AVI file (*.AVI,*.DivX,*.div,*.Xvid)", dlg.m_ofn.lpstrFilter);
    EXPECT_STREQ("*.avi;*.divx;*.div;*.xvid", dlg.m_ofn.lpstrFilter + 37);

    char names[2048] = "stale";
    dlg.SetFileBuffer(names, sizeof names);
    EXPECT_STREQ("", names); // starts empty
    EXPECT_EQ(2048u, dlg.m_ofn.nMaxFile);
    // What the dialog writes for two files.
    memcpy(names, "C:\\clips\0a.avi\0b.avi\0", 22);
    FileSelection files = dlg.GetSelection();
    char path[256];
    ASSERT_TRUE(files.Next(path, sizeof path));
    EXPECT_STREQ("C:\\clips\\a.avi", path);
    ASSERT_TRUE(files.Next(path, sizeof path));
    EXPECT_STREQ("C:\\clips\\b.avi", path);
    EXPECT_FALSE(files.Next(path, sizeof path));
}

} // namespace
