// The main dialog's set-up: columns, image buttons, system menu, progress
// dialog, and the output folder edit.
#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <atomic>
#include <initializer_list>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "core/ConversionSettings.h"
#include "ui/ProgressDlg.h"
#include "res/resource.h"
#include "tests/win/ui/MainDialogFixture.h"
#include "tests/win/support/WinTestSupport.h"

namespace apptest {
namespace {

using ConverterDlgTest = MainDialogTest;

TEST_F(ConverterDlgTest, ListColumnsKeepTheirLeadingSpaces) {
    struct Column {
        const char* title;
        int width;
        int format;
    } columns[] = {
        {" Number", 90, LVCFMT_LEFT},
        {"  File path", 360, LVCFMT_LEFT},
        {"   Duration", 122, LVCFMT_CENTER},
        {"   Status", 120, LVCFMT_LEFT},
    };
    for (int i = 0; i < 4; ++i) {
        char title[64] = "";
        LVCOLUMNA column = {};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
        column.pszText = title;
        column.cchTextMax = sizeof title;
        ASSERT_TRUE(dlg->m_list.SendMessage(LVM_GETCOLUMNA, i, reinterpret_cast<LPARAM>(&column)));
        EXPECT_STREQ(columns[i].title, title);
        EXPECT_EQ(columns[i].width, column.cx) << i;
        EXPECT_EQ(columns[i].format, column.fmt & LVCFMT_JUSTIFYMASK) << i;
    }
    EXPECT_NE(0u, dlg->m_list.GetExtendedStyle() & LVS_EX_FULLROWSELECT);
}

TEST_F(ConverterDlgTest, ImageButtonsHaveIconsAndTooltipsButChangeHasNone) {
    struct Button {
        CImageButton* button;
        const char* tooltip;
        int size; // expected icon width; 0: any
    } buttons[] = {
        {&dlg->m_convert, "Start converting", 48},
        {&dlg->m_settings, "Settings...", 48},
        {&dlg->m_add, "Add video files to the list", 48},
        {&dlg->m_help, "About,help,home page,tip of the day.", 32},
        {&dlg->m_listAdd, "Add video files to the list", 32},
        {&dlg->m_remove, "Remove the selected video file", 32},
        {&dlg->m_moveUp, "Move the selected video file up", 32},
        {&dlg->m_moveDown, "Move the selected video file down", 32},
    };
    for (const Button& b : buttons) {
        char text[128] = "";
        b.button->GetToolTip().GetText(text, sizeof text, b.button, 1);
        EXPECT_STREQ(b.tooltip, text);
        EXPECT_NE(nullptr, b.button->GetIcon()) << b.tooltip;
        if (b.size != 0) {
            EXPECT_EQ(b.size, b.button->GetIconWidth()) << b.tooltip;
        }
        EXPECT_EQ(1, b.button->GetAlign()) << b.tooltip;
    }
    EXPECT_EQ(nullptr, dlg->m_change.GetIcon());
}

// Counts the messages of one kind that reach a control, beside its own procedure.
class MessageCounter {
public:
    MessageCounter(HWND window, UINT message) : window_(window), message_(message) {
        SetWindowSubclass(window_, Count, 1, reinterpret_cast<DWORD_PTR>(this));
    }
    ~MessageCounter() { RemoveWindowSubclass(window_, Count, 1); }
    int count = 0;

private:
    static LRESULT CALLBACK Count(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                  DWORD_PTR self) {
        MessageCounter* counter = reinterpret_cast<MessageCounter*>(self);
        if (message == counter->message_)
            ++counter->count;
        return DefSubclassProc(window, message, wParam, lParam);
    }
    HWND window_;
    UINT message_;
};

// The system sends these to top-level windows only; the dialog passes them on.
TEST_F(ConverterDlgTest, ColourAndScaleChangesSentToTheDialogReachEveryControl) {
    const UINT kDpiChangedAfterParent = 0x02E3;
    for (UINT message : {static_cast<UINT>(WM_SYSCOLORCHANGE), kDpiChangedAfterParent}) {
        std::vector<std::unique_ptr<MessageCounter>> counters;
        for (CWnd* control :
             std::initializer_list<CWnd*>{&dlg->m_convert, &dlg->m_help, &dlg->m_moveDown,
                                          &dlg->m_change, &dlg->m_list, &dlg->m_format}) {
            counters.emplace_back(new MessageCounter(control->m_hWnd, message));
        }
        if (message == WM_SYSCOLORCHANGE) {
            dlg->SendMessage(WM_SYSCOLORCHANGE);
        } else {
            RECT suggested;
            dlg->GetWindowRect(&suggested);
            OffsetRect(&suggested, 7, 5);
            dlg->SendMessage(WM_DPICHANGED, MAKEWPARAM(96, 96),
                             reinterpret_cast<LPARAM>(&suggested));
            RECT now;
            dlg->GetWindowRect(&now);
            EXPECT_TRUE(EqualRect(&suggested, &now)) << "moved to the suggested rectangle";
        }
        for (size_t i = 0; i < counters.size(); ++i) {
            EXPECT_EQ(1, counters[i]->count) << "message " << message << ", control " << i;
        }
    }
    // The list keeps its widths for the same DPI; the buttons their icons.
    EXPECT_EQ(360, dlg->m_list.SendMessage(LVM_GETCOLUMNWIDTH, 1));
    EXPECT_EQ(48, dlg->m_convert.GetIconWidth());
    EXPECT_EQ(32, dlg->m_moveDown.GetIconWidth());
}

TEST_F(ConverterDlgTest, SystemMenuEndsWithTheAboutItem) {
    HMENU menu = GetSystemMenu(dlg->GetSafeHwnd(), FALSE);
    int count = GetMenuItemCount(menu);
    ASSERT_GE(count, 2);
    EXPECT_EQ(static_cast<UINT>(IDM_ABOUTBOX), GetMenuItemID(menu, count - 1));
    char text[64] = "";
    GetMenuStringA(menu, count - 1, text, sizeof text, MF_BYPOSITION);
    EXPECT_STREQ("&About Tarvello...", text);
    MENUITEMINFOA info = {};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE;
    GetMenuItemInfoA(menu, count - 2, TRUE, &info);
    EXPECT_NE(0u, info.fType & MFT_SEPARATOR);
}

TEST_F(ConverterDlgTest, ProgressDialogExistsHiddenAndGoesWithTheMainDialog) {
    ASSERT_NE(nullptr, dlg->ProgressDialog());
    HWND progress = dlg->ProgressDialog()->GetSafeHwnd();
    EXPECT_TRUE(IsWindow(progress));
    EXPECT_FALSE(IsWindowVisible(progress));
    EXPECT_EQ(dlg->GetSafeHwnd(), GetWindow(progress, GW_OWNER));
    dlg->DestroyWindow();
    dlg.reset();
    EXPECT_FALSE(IsWindow(progress));
}

TEST_F(ConverterDlgTest, OutputFolderEditShowsTheSettingAndHoldsAtMost255Characters) {
    EXPECT_EQ(std::string(dlg->GetSession().settings.outputFolder),
              wintest::WindowText(dlg->m_outputFolder));
    EXPECT_EQ(255, static_cast<int>(dlg->m_outputFolder.SendMessage(EM_GETLIMITTEXT)));
    EXPECT_EQ(0.0, dlg->GetSession().sources.TotalSeconds());
}

TEST_F(ConverterDlgTest, SettingsAreSavedWhenTheDialogGoes) {
    dlg->m_format.SetCurSel(kFormatWmv);
    dlg->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_MAIN_FORMAT, CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(dlg->m_format.GetSafeHwnd()));
    EXPECT_EQ(kFormatWmv, dlg->GetSession().settings.outputFormat);
    dlg->DestroyWindow();
    dlg.reset();
    char value[16] = "";
    GetPrivateProfileStringA("Destinate", "Output format", "", value, sizeof value,
                             (TestFolder() + "option.ini").c_str());
    EXPECT_STREQ("8", value);
}

} // namespace
} // namespace apptest

namespace apptest {
namespace {

// Drives the folder browser that the Change button opens, from a helper
// thread: once the browser's tree is filled, it selects `folder` (or
// cancels when it is empty).
class FolderBrowserDriver {
public:
    FolderBrowserDriver(HWND owner, std::string folder)
        : owner_(owner), folder_(std::move(folder)) {
        thread_ = std::thread([this] { Run(); });
    }
    ~FolderBrowserDriver() {
        if (thread_.joinable())
            thread_.join();
    }
    bool Found() const { return found_; }
    bool Selected() const { return selected_; }

private:
    struct Search {
        HWND owner;
        HWND found;
    };
    static BOOL CALLBACK FindBrowser(HWND window, LPARAM param) {
        Search* search = reinterpret_cast<Search*>(param);
        if (GetWindow(window, GW_OWNER) != search->owner || !IsWindowVisible(window))
            return TRUE;
        if (FindWindowExA(window, nullptr, "SysTreeView32", nullptr) == nullptr)
            return TRUE;
        search->found = window;
        return FALSE;
    }
    // Polls `done` every 25 ms for up to 20 s; the limit is only a safety net.
    template <typename Done> static bool WaitFor(Done done) {
        for (int i = 0; i < 800; ++i) {
            if (done())
                return true;
            Sleep(25);
        }
        return done();
    }
    void Run() {
        Search search = {owner_, nullptr};
        WaitFor([&] {
            EnumWindows(FindBrowser, reinterpret_cast<LPARAM>(&search));
            return search.found != nullptr;
        });
        if (search.found == nullptr)
            return;
        found_ = true;
        // The browser fills its tree after it is shown; a selection sent
        // before the tree holds the desktop's children finds nothing.
        HWND tree = FindWindowExA(search.found, nullptr, "SysTreeView32", nullptr);
        WaitFor([&] {
            HTREEITEM root = TreeView_GetRoot(tree);
            return root != nullptr && TreeView_GetChild(tree, root) != nullptr;
        });
        if (folder_.empty()) {
            PostMessageA(search.found, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
            return;
        }
        selected_ = WaitFor([&] {
            SendMessageA(search.found, BFFM_SETSELECTIONA, TRUE,
                         reinterpret_cast<LPARAM>(folder_.c_str()));
            return SelectedItemMatches(tree);
        });
        PostMessageA(search.found, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    }
    // True when the tree's selected item is named like the folder's last part
    // (a drive root shows its letter with a colon somewhere in its name).
    bool SelectedItemMatches(HWND tree) const {
        HTREEITEM item = TreeView_GetSelection(tree);
        if (item == nullptr)
            return false;
        char text[260] = {};
        TVITEMA tv = {};
        tv.mask = TVIF_TEXT;
        tv.hItem = item;
        tv.pszText = text;
        tv.cchTextMax = sizeof text;
        if (!SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&tv)))
            return false;
        std::string name = folder_;
        while (!name.empty() && name.back() == '\\')
            name.pop_back();
        if (name.size() == 2 && name[1] == ':')
            return std::string(text).find(name) != std::string::npos;
        const size_t slash = name.find_last_of('\\');
        if (slash != std::string::npos)
            name = name.substr(slash + 1);
        return lstrcmpiA(text, name.c_str()) == 0;
    }

    HWND owner_;
    std::string folder_;
    std::atomic<bool> found_{false};
    std::atomic<bool> selected_{false};
    std::thread thread_;
};

// A folder of the test's own on the prefix's C: drive: the browser reaches it
// through "My Computer" whatever the state of the drive that holds the build.
class FolderBrowserTest : public MainDialogTest {
protected:
    void SetUp() override {
        CreateDirectoryA(kParent, nullptr);
        CreateDirectoryA(kPicked, nullptr);
        MainDialogTest::SetUp();
    }
    void TearDown() override {
        MainDialogTest::TearDown();
        RemoveDirectoryA(kPicked);
        RemoveDirectoryA(kParent);
    }
    static constexpr const char* kParent = "C:\\tarvello-browse";
    static constexpr const char* kPicked = "C:\\tarvello-browse\\picked";
};

TEST_F(FolderBrowserTest, PickedFolderGoesToTheEditAndTheSettingWithOneBackslash) {
    const std::string picked = std::string(kPicked) + "\\";
    {
        FolderBrowserDriver driver(dlg->GetSafeHwnd(),
                                   kPicked); // the browser gives no final backslash
        Click(IDC_CHANGE_FOLDER);
        ASSERT_TRUE(driver.Selected());
    }
    EXPECT_EQ(picked, wintest::WindowText(dlg->m_outputFolder));
    EXPECT_EQ(picked, std::string(dlg->GetSession().settings.outputFolder));

    // A drive root already ends with its backslash.
    {
        FolderBrowserDriver driver(dlg->GetSafeHwnd(), "C:\\");
        Click(IDC_CHANGE_FOLDER);
        ASSERT_TRUE(driver.Selected());
    }
    EXPECT_EQ("C:\\", wintest::WindowText(dlg->m_outputFolder));
    EXPECT_STREQ("C:\\", dlg->GetSession().settings.outputFolder);
}

TEST_F(FolderBrowserTest, CancelChangesNothing) {
    dlg->m_outputFolder.SetWindowText("D:\\typed\\");
    {
        FolderBrowserDriver driver(dlg->GetSafeHwnd(), "");
        Click(IDC_CHANGE_FOLDER);
        EXPECT_TRUE(driver.Found());
    }
    EXPECT_EQ("D:\\typed\\", wintest::WindowText(dlg->m_outputFolder));
    EXPECT_STREQ("C:\\output video\\", dlg->GetSession().settings.outputFolder);
}

} // namespace
} // namespace apptest
