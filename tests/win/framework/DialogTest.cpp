// CDialog: modal runs and their results, data exchange, owners, centring,
// modeless dialogs, keyboard handling through the modal loop.
#include <gtest/gtest.h>

#include <cstring>

#include "framework/Framework.h"
#include "tests/win/framework/FrameworkTestIds.h"

namespace {

enum class Ending { Timer, PostOk, PostCancel, PostClose, EscapeKey, EnterInEdit };

class CModalTestDlg : public CDialog {
public:
    explicit CModalTestDlg(Ending ending, CWnd* parent = nullptr)
        : CDialog(IDD_FW_TEST, parent), ending_(ending) {}

    CButton check; // bound, to see the binding undone after the run
    int checked = 0;
    char text[8] = "start";
    BOOL ownerEnabledDuringRun = TRUE;
    RECT windowRect = {};
    bool activeDuringRun = false;

    void DoDataExchange(CDataExchange* pDX) override {
        DDX_Control(pDX, IDC_CHECK, check);
        DDX_Check(pDX, IDC_CHECK, checked);
        DDX_Text(pDX, IDC_EDIT, text, sizeof text);
    }

    BOOL OnInitDialog() override {
        CDialog::OnInitDialog();
        // What the user does before the dialog ends.
        CheckDlgButton(IDC_CHECK, BST_CHECKED);
        SetDlgItemText(IDC_EDIT, "a longer text");
        HWND owner = ::GetWindow(m_hWnd, GW_OWNER);
        if (owner != nullptr)
            ownerEnabledDuringRun = ::IsWindowEnabled(owner);
        switch (ending_) {
        case Ending::Timer:
            SetTimer(1, 10);
            break;
        case Ending::PostOk:
            PostMessage(WM_COMMAND, IDOK);
            break;
        case Ending::PostCancel:
            PostMessage(WM_COMMAND, IDCANCEL);
            break;
        case Ending::PostClose:
            PostMessage(WM_CLOSE);
            break;
        case Ending::EscapeKey:
            ::PostMessageA(GetDlgItem(IDC_PLAIN), WM_KEYDOWN, VK_ESCAPE, 0);
            break;
        case Ending::EnterInEdit:
            ::SetFocus(GetDlgItem(IDC_EDIT));
            ::PostMessageA(GetDlgItem(IDC_EDIT), WM_KEYDOWN, VK_RETURN, 0);
            break;
        }
        return ending_ == Ending::EnterInEdit ? FALSE : TRUE;
    }

    void OnTimer(UINT_PTR id) {
        KillTimer(id);
        GetWindowRect(&windowRect);
        activeDuringRun = ::GetActiveWindow() == m_hWnd;
        EndDialog(42);
    }
    DECLARE_MESSAGE_MAP()

private:
    Ending ending_;
};
BEGIN_MESSAGE_MAP(CModalTestDlg, CDialog)
ON_WM_TIMER()
END_MESSAGE_MAP()

TEST(DialogTest, ModalRunEndsWithTheEndDialogValue) {
    CModalTestDlg dlg(Ending::Timer);
    EXPECT_EQ(42, dlg.DoModal());
    EXPECT_EQ(nullptr, dlg.m_hWnd);
    EXPECT_EQ(nullptr, dlg.check.m_hWnd); // unbound with its window
    EXPECT_STREQ("start", dlg.text);      // nothing read back without OK
}

TEST(DialogTest, OkReadsTheControlsBackAndCancelDoesNot) {
    struct Case {
        Ending ending;
        INT_PTR result;
        int checked;
        const char* text;
    } cases[] = {
        {Ending::PostOk, IDOK, 1, "a longe"}, // truncated to the buffer
        {Ending::EnterInEdit, IDOK, 1, "a longe"}, {Ending::PostCancel, IDCANCEL, 0, "start"},
        {Ending::PostClose, IDCANCEL, 0, "start"}, {Ending::EscapeKey, IDCANCEL, 0, "start"},
    };
    for (const Case& c : cases) {
        CModalTestDlg dlg(c.ending);
        EXPECT_EQ(c.result, dlg.DoModal()) << (int)c.ending;
        EXPECT_EQ(c.checked, dlg.checked) << (int)c.ending;
        EXPECT_STREQ(c.text, dlg.text) << (int)c.ending;
    }
}

TEST(DialogTest, ModalDialogDisablesItsOwnerWhileItRuns) {
    CDialog owner(IDD_FW_TEST);
    ASSERT_TRUE(owner.Create(IDD_FW_TEST));
    owner.ShowWindow(SW_SHOW);
    CModalTestDlg dlg(Ending::Timer, &owner);
    EXPECT_EQ(42, dlg.DoModal());
    EXPECT_FALSE(dlg.ownerEnabledDuringRun);
    EXPECT_TRUE(dlg.activeDuringRun);
    EXPECT_TRUE(owner.IsWindowEnabled());
    EXPECT_EQ(owner.m_hWnd, ::GetActiveWindow()); // activation goes back to the owner
}

TEST(DialogTest, ModalDialogWithoutOwnerIsCentredOnTheWorkArea) {
    CModalTestDlg dlg(Ending::Timer);
    ASSERT_EQ(42, dlg.DoModal());
    RECT work;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    int width = dlg.windowRect.right - dlg.windowRect.left;
    int height = dlg.windowRect.bottom - dlg.windowRect.top;
    EXPECT_NEAR((work.left + work.right) / 2 - width / 2, dlg.windowRect.left, 1);
    EXPECT_NEAR((work.top + work.bottom) / 2 - height / 2, dlg.windowRect.top, 1);
}

TEST(DialogTest, ModelessDialogHidesOnEndAndGoesWithItsObject) {
    HWND hWnd = nullptr;
    {
        CDialog dlg;
        ASSERT_TRUE(dlg.Create(IDD_FW_TEST));
        hWnd = dlg.m_hWnd;
        ASSERT_TRUE(IsWindow(hWnd));
        EXPECT_FALSE(dlg.IsModal());
        dlg.ShowWindow(SW_SHOW);
        dlg.EndDialog(IDCANCEL);
        EXPECT_TRUE(IsWindow(hWnd));
        EXPECT_FALSE(IsWindowVisible(hWnd));
        EXPECT_FALSE(dlg.Create(IDD_FW_TEST)); // one window per object
    }
    EXPECT_FALSE(IsWindow(hWnd));
}

TEST(DialogTest, MissingTemplateFails) {
    CDialog modal(9999);
    EXPECT_EQ(-1, modal.DoModal());
    CDialog modeless;
    EXPECT_FALSE(modeless.Create(9999));
}

// A template built in memory: a captioned dialog with one OK button.
struct alignas(4) MemoryTemplate {
    DLGTEMPLATE dialog;
    WORD menu, windowClass, title[5]; // "Mem" plus padding to a DWORD
    DLGITEMTEMPLATE ok;
    WORD okClass[2], okTitle[3], okExtra;
};

TEST(DialogTest, InMemoryTemplateRunsModally) {
    MemoryTemplate t = {};
    t.dialog.style = WS_POPUP | WS_CAPTION | DS_MODALFRAME;
    t.dialog.cdit = 1;
    t.dialog.cx = 100;
    t.dialog.cy = 50;
    t.title[0] = 'M';
    t.title[1] = 'e';
    t.title[2] = 'm';
    t.ok.style = WS_CHILD | WS_VISIBLE | BS_DEFPUSHBUTTON;
    t.ok.x = 10;
    t.ok.y = 10;
    t.ok.cx = 40;
    t.ok.cy = 14;
    t.ok.id = IDOK;
    t.okClass[0] = 0xFFFF;
    t.okClass[1] = 0x0080; // button
    t.okTitle[0] = 'O';
    t.okTitle[1] = 'K';

    class CPostOk : public CDialog {
    public:
        BOOL OnInitDialog() override {
            PostMessage(WM_COMMAND, IDOK);
            return CDialog::OnInitDialog();
        }
    } dlg;
    dlg.InitModalIndirect(&t.dialog);
    EXPECT_EQ(IDOK, dlg.DoModal());
}

} // namespace
