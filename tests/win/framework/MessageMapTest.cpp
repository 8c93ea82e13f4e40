// Message maps: dispatch by message, id and code, chained base maps, results
// reaching the sender, reflection to subclassed controls, Default().
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/Framework.h"
#include "tests/win/framework/FrameworkTestIds.h"

namespace {

std::vector<std::string> g_log;

class CReflectButton : public CButton {
public:
    void OnClicked() { g_log.push_back("child reflect"); }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CReflectButton, CButton)
ON_CONTROL_REFLECT(BN_CLICKED, OnClicked)
END_MESSAGE_MAP()

class CReflectExButton : public CButton {
public:
    BOOL OnClicked() {
        g_log.push_back("child reflect ex");
        return FALSE;
    }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CReflectExButton, CButton)
ON_CONTROL_REFLECT_EX(BN_CLICKED, OnClicked)
END_MESSAGE_MAP()

class CColorLabel : public CStatic {
public:
    HBRUSH brush = static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH));
    UINT lastKind = 99;
    HBRUSH CtlColor(HDC, UINT kind) {
        lastKind = kind;
        return brush;
    }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CColorLabel, CStatic)
ON_WM_CTLCOLOR_REFLECT()
END_MESSAGE_MAP()

class COwnerButton : public CButton {
public:
    int draws = 0;
    void DrawItem(DRAWITEMSTRUCT*) override { ++draws; }
};

class CCountingEdit : public CEdit {
public:
    int setTexts = 0;
    LRESULT OnSetText(WPARAM, LPARAM) {
        LRESULT result = Default(); // the edit control stores the text
        ++setTexts;
        return result;
    }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CCountingEdit, CEdit)
ON_MESSAGE(WM_SETTEXT, OnSetText)
END_MESSAGE_MAP()

const UINT WM_TEST_BASE = WM_APP + 10;
const UINT WM_TEST_DOUBLE = WM_APP + 1;
const UINT WM_TEST_NESTED = WM_APP + 2;
const UINT WM_TEST_OVERRIDDEN = WM_APP + 3;

class CBaseTestDlg : public CDialog {
public:
    CBaseTestDlg() : CDialog(IDD_FW_TEST) {}
    LRESULT OnBase(WPARAM, LPARAM) { return 10; }
    LRESULT OnOverridden(WPARAM, LPARAM) { return 1; }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CBaseTestDlg, CDialog)
ON_MESSAGE(WM_TEST_BASE, OnBase)
ON_MESSAGE(WM_TEST_OVERRIDDEN, OnOverridden)
END_MESSAGE_MAP()

class CMapTestDlg : public CBaseTestDlg {
public:
    CReflectButton reflect;
    CReflectExButton reflectEx;
    CColorLabel label;
    COwnerButton owner;
    CCountingEdit edit;
    int sysCommands = 0;
    int cancels = 0;

    void DoDataExchange(CDataExchange* pDX) override {
        DDX_Control(pDX, IDC_REFLECT, reflect);
        DDX_Control(pDX, IDC_REFLECT_EX, reflectEx);
        DDX_Control(pDX, IDC_LABEL, label);
        DDX_Control(pDX, IDC_OWNER, owner);
        DDX_Control(pDX, IDC_EDIT, edit);
    }
    void OnCancel() override { ++cancels; } // stays open

    void OnPlain() { g_log.push_back("parent plain"); }
    void OnReflect() { g_log.push_back("parent reflect"); }
    void OnReflectEx() { g_log.push_back("parent reflect ex"); }
    void OnMenuOne() { g_log.push_back("menu one"); }
    LRESULT OnDouble(WPARAM, LPARAM lParam) { return lParam * 2; }
    LRESULT OnNested(WPARAM, LPARAM) {
        // A message handled meanwhile stores its own result first.
        EXPECT_EQ(1998, SendMessage(WM_TEST_DOUBLE, 0, 999));
        return 77;
    }
    LRESULT OnOverridden(WPARAM, LPARAM) { return 2; }
    void OnListRightClick(NMHDR* header, LRESULT* result) {
        EXPECT_EQ(IDC_LIST, (int)header->idFrom);
        *result = 5;
    }
    HBRUSH OnCtlColor(HDC dc, HWND control, UINT kind) {
        if (::GetDlgCtrlID(control) == IDC_OTHER_LABEL && kind == CTLCOLOR_STATIC)
            return static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
        return CDialog::OnCtlColor(dc, control, kind);
    }
    void OnSysCommand(UINT id, LPARAM lParam) {
        ++sysCommands;
        CDialog::OnSysCommand(id, lParam);
    }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CMapTestDlg, CBaseTestDlg)
ON_BN_CLICKED(IDC_PLAIN, OnPlain)
ON_BN_CLICKED(IDC_REFLECT, OnReflect)
ON_BN_CLICKED(IDC_REFLECT_EX, OnReflectEx)
ON_COMMAND(IDM_ONE, OnMenuOne)
ON_MESSAGE(WM_TEST_DOUBLE, OnDouble)
ON_MESSAGE(WM_TEST_NESTED, OnNested)
ON_MESSAGE(WM_TEST_OVERRIDDEN, OnOverridden)
ON_NOTIFY(NM_RCLICK, IDC_LIST, OnListRightClick)
ON_WM_CTLCOLOR()
ON_WM_SYSCOMMAND()
END_MESSAGE_MAP()

class MessageMapTest : public ::testing::Test {
protected:
    void SetUp() override {
        g_log.clear();
        ASSERT_TRUE(dlg.Create(IDD_FW_TEST));
    }
    void Click(int id) {
        dlg.SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), (LPARAM)dlg.GetDlgItem(id));
    }
    CMapTestDlg dlg;
};

TEST_F(MessageMapTest, CommandsReachTheirHandlersByIdAndCode) {
    Click(IDC_PLAIN);
    dlg.SendMessage(WM_COMMAND, MAKEWPARAM(IDM_ONE, 0), 0); // menu command
    dlg.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_PLAIN, BN_SETFOCUS),
                    (LPARAM)dlg.GetDlgItem(IDC_PLAIN));
    EXPECT_EQ((std::vector<std::string>{"parent plain", "menu one"}), g_log);
}

TEST_F(MessageMapTest, HandlerResultsReachTheSender) {
    EXPECT_EQ(42, dlg.SendMessage(WM_TEST_DOUBLE, 0, 21));
    EXPECT_EQ(-8, dlg.SendMessage(WM_TEST_DOUBLE, 0, -4));
    EXPECT_EQ(77, dlg.SendMessage(WM_TEST_NESTED));
    EXPECT_EQ(10, dlg.SendMessage(WM_TEST_BASE));      // found in the base class's map
    EXPECT_EQ(2, dlg.SendMessage(WM_TEST_OVERRIDDEN)); // the derived map wins
}

TEST_F(MessageMapTest, NotifyHandlerSetsTheResult) {
    NMHDR header = {dlg.GetDlgItem(IDC_LIST), IDC_LIST, (UINT)NM_RCLICK};
    EXPECT_EQ(5, dlg.SendMessage(WM_NOTIFY, IDC_LIST, (LPARAM)&header));
}

TEST_F(MessageMapTest, ReflectedClickStaysWithTheControlUnlessItDeclines) {
    Click(IDC_REFLECT);
    EXPECT_EQ((std::vector<std::string>{"child reflect"}), g_log);
    g_log.clear();
    Click(IDC_REFLECT_EX);
    EXPECT_EQ((std::vector<std::string>{"child reflect ex", "parent reflect ex"}), g_log);
}

TEST_F(MessageMapTest, ColourRequestsGoToTheControlThenTheParent) {
    HDC dc = GetDC(dlg.m_hWnd);
    LRESULT labelBrush =
        dlg.SendMessage(WM_CTLCOLORSTATIC, (WPARAM)dc, (LPARAM)dlg.GetDlgItem(IDC_LABEL));
    LRESULT otherBrush =
        dlg.SendMessage(WM_CTLCOLORSTATIC, (WPARAM)dc, (LPARAM)dlg.GetDlgItem(IDC_OTHER_LABEL));
    LRESULT editBrush =
        dlg.SendMessage(WM_CTLCOLOREDIT, (WPARAM)dc, (LPARAM)dlg.GetDlgItem(IDC_EDIT));
    ReleaseDC(dlg.m_hWnd, dc);
    EXPECT_EQ((LRESULT)GetStockObject(GRAY_BRUSH), labelBrush);
    EXPECT_EQ((UINT)CTLCOLOR_STATIC, dlg.label.lastKind);
    EXPECT_EQ((LRESULT)GetStockObject(WHITE_BRUSH), otherBrush);
    EXPECT_NE(0, editBrush); // the dialog's default answer
}

TEST_F(MessageMapTest, OwnerDrawnButtonPaintsThroughReflection) {
    dlg.ShowWindow(SW_SHOW);
    ::InvalidateRect(dlg.owner.m_hWnd, nullptr, TRUE);
    ::UpdateWindow(dlg.owner.m_hWnd);
    EXPECT_GE(dlg.owner.draws, 1);
}

TEST_F(MessageMapTest, DefaultRunsTheOriginalProcedure) {
    dlg.edit.SetWindowText("typed");
    char text[16];
    dlg.edit.GetWindowText(text, sizeof text);
    EXPECT_STREQ("typed", text);
    EXPECT_EQ(1, dlg.edit.setTexts);
}

TEST_F(MessageMapTest, DefaultInADialogRunsTheDialogDefault) {
    // SC_CLOSE's default handling closes through WM_CLOSE -> IDCANCEL.
    dlg.SendMessage(WM_SYSCOMMAND, SC_CLOSE, 0);
    MSG msg; // the cancel command is posted
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageA(&msg);
    EXPECT_EQ(1, dlg.sysCommands);
    EXPECT_EQ(1, dlg.cancels);
}

TEST_F(MessageMapTest, ControlsAreLinkedAndUnlinked) {
    HWND button = dlg.GetDlgItem(IDC_REFLECT);
    EXPECT_EQ(button, dlg.reflect.m_hWnd);
    EXPECT_EQ(&dlg.reflect, CWnd::FromHandlePermanent(button));
    EXPECT_EQ(&dlg, CWnd::FromHandlePermanent(dlg.m_hWnd));
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(dlg.GetDlgItem(IDC_PLAIN)));
    dlg.DestroyWindow();
    EXPECT_EQ(nullptr, dlg.m_hWnd);
    EXPECT_EQ(nullptr, dlg.reflect.m_hWnd);
}

} // namespace
