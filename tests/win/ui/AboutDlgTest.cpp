#include "ui/AboutDlg.h"

#include <gtest/gtest.h>
#include <commctrl.h>

#include <memory>
#include <string>

#include "framework/WinApp.h"
#include "ui/HelpCommands.h"
#include "res/resource.h"
#include "tests/win/ui/HelpTestSupport.h"
#include "tests/win/ui/HtmAssociation.h"
#include "tests/win/support/WinTestSupport.h"

namespace {

// The About box created modeless on this thread, so that the test can pump
// its messages and look at its labels directly.
class AboutDlgTest : public ::testing::Test {
protected:
    void Open(const char* home, const char* support = "https://support.test/") {
        about_.reset(new CAboutDlg("3.1", home, support));
        ASSERT_TRUE(about_->Create(IDD_ABOUTBOX));
        about_->ShowWindow(SW_SHOW);
        wintest::PumpMessagesFor(50);
    }
    void TearDown() override {
        about_.reset();
        SetCursorPos(0, 0);
    }

    COLORREF TextColour(const CLinkLabel& label) {
        HDC dc = CreateCompatibleDC(nullptr);
        SetTextColor(dc, RGB(1, 2, 3));
        SendMessageA(about_->m_hWnd, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                     reinterpret_cast<LPARAM>(label.m_hWnd));
        COLORREF colour = GetTextColor(dc);
        DeleteDC(dc);
        return colour;
    }

    void Click(const CLinkLabel& label) {
        SendMessageA(about_->m_hWnd, WM_COMMAND, MAKEWPARAM(label.GetDlgCtrlID(), STN_CLICKED),
                     reinterpret_cast<LPARAM>(label.m_hWnd));
    }

    // Puts the mouse on the label, then moves it away and waits for the hover
    // timer to notice (the wait is only a safety net).
    void HoverAndLeave(CLinkLabel& label, COLORREF restingColour) {
        SetCursorPos(0, 0);
        PostMessageA(label.m_hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
        wintest::PumpMessagesFor(10);
        EXPECT_TRUE(label.IsHovered());
        EXPECT_EQ(TextColour(label), CLinkLabel::kHoverColor);
        for (int i = 0; i < 100 && label.IsHovered(); ++i)
            wintest::PumpMessagesFor(50);
        EXPECT_FALSE(label.IsHovered());
        EXPECT_EQ(TextColour(label), restingColour);
    }

    std::unique_ptr<CAboutDlg> about_;
};

TEST_F(AboutDlgTest, LinkTurnsRedWhileHoveredAndBackToBlue) {
    Open("https://home.test/");
    EXPECT_EQ(TextColour(about_->m_homePage), CLinkLabel::kLinkColor);
    HoverAndLeave(about_->m_homePage, CLinkLabel::kLinkColor);
}

TEST_F(AboutDlgTest, OpenedLinkTurnsPurpleAndStaysSo) {
    std::string record = helptest::ExeFolder() + "about_link_record.txt";
    DeleteFileA(record.c_str());
    std::string page = helptest::ExeFolder() + "about page.htm";
    {
        HANDLE file =
            CreateFileA(page.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE);
        CloseHandle(file);
    }
    helptest::HtmAssociation association(helptest::RecordingCommand(record));
    ASSERT_TRUE(association.Active());

    Open(page.c_str());
    Click(about_->m_homePage);
    EXPECT_TRUE(about_->m_homePage.IsVisited());
    EXPECT_EQ(TextColour(about_->m_homePage), CLinkLabel::kVisitedColor);
    EXPECT_NE(helptest::WaitForFileText(record).find(page), std::string::npos);
    HoverAndLeave(about_->m_homePage, CLinkLabel::kVisitedColor);
    EXPECT_EQ(TextColour(about_->m_support), CLinkLabel::kLinkColor);

    // A new About box starts unvisited.
    Open(page.c_str());
    EXPECT_EQ(TextColour(about_->m_homePage), CLinkLabel::kLinkColor);

    DeleteFileA(record.c_str());
    DeleteFileA(page.c_str());
}

TEST_F(AboutDlgTest, LinkThatCannotOpenIsReportedAndStaysBlue) {
    helptest::HtmAssociation association("");
    ASSERT_TRUE(association.Active());
    std::string missing = helptest::ExeFolder() + "missing page.htm";
    Open(missing.c_str());

    wintest::MessageBoxAnswerer answer(AfxGetAppName(), IDOK);
    Click(about_->m_homePage);
    ASSERT_TRUE(answer.Wait());
    EXPECT_EQ(answer.Text(0), "Unable to open hyperlink:\n\nThe specified file was not found.");
    EXPECT_FALSE(about_->m_homePage.IsVisited());
    EXPECT_EQ(TextColour(about_->m_homePage), CLinkLabel::kLinkColor);
}

std::string ToolText(const CLinkLabel& label) {
    char text[256] = "";
    TOOLINFOA tool = {};
    tool.cbSize = sizeof tool;
    tool.hwnd = label.m_hWnd;
    tool.uId = 1;
    tool.lpszText = text;
    SendMessageA(label.GetToolTipWindow(), TTM_GETTEXTA, sizeof text,
                 reinterpret_cast<LPARAM>(&tool));
    return text;
}

TEST_F(AboutDlgTest, TooltipsShowTheTargetsAndLinksKeepTheirCentre) {
    Open("https://home.test/", "https://support.test/help");
    EXPECT_EQ(ToolText(about_->m_homePage), "https://home.test/");
    EXPECT_EQ(ToolText(about_->m_support), "https://support.test/help");
    EXPECT_EQ(wintest::WindowText(about_->m_homePage.m_hWnd), "Home page");
    EXPECT_EQ(wintest::WindowText(about_->m_support.m_hWnd), "Technical support");
    EXPECT_NE(about_->m_homePage.GetLinkCursor(), nullptr);

    // Sized to the text, centred on the template's rectangle.
    struct Row {
        CLinkLabel* label;
        RECT templateRect;
    } rows[] = {{&about_->m_homePage, {85, 34, 85 + 38, 34 + 8}},
                {&about_->m_support, {85, 55, 85 + 57, 55 + 8}}};
    for (Row& row : rows) {
        RECT expected = row.templateRect;
        MapDialogRect(about_->m_hWnd, &expected);
        RECT actual;
        GetWindowRect(row.label->m_hWnd, &actual);
        MapWindowPoints(nullptr, about_->m_hWnd, reinterpret_cast<POINT*>(&actual), 2);
        EXPECT_NEAR((actual.left + actual.right) / 2, (expected.left + expected.right) / 2, 1);
        EXPECT_EQ(actual.top, expected.top);
    }
}

BOOL CALLBACK FindVisibleTooltip(HWND window, LPARAM found) {
    char name[64];
    GetClassNameA(window, name, sizeof name);
    if (lstrcmpiA(name, TOOLTIPS_CLASSA) == 0 && IsWindowVisible(window)) {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}

// The tooltip that the dialog's thread shows, waiting for it (a safety net).
HWND WaitForTooltip(HWND dialog) {
    DWORD thread = GetWindowThreadProcessId(dialog, nullptr);
    for (int i = 0; i < 200; ++i) {
        HWND found = nullptr;
        EnumThreadWindows(thread, FindVisibleTooltip, reinterpret_cast<LPARAM>(&found));
        if (found != nullptr)
            return found;
        Sleep(25);
    }
    return nullptr;
}

// Checks the running About box; the caller closes it whatever happens here.
void CheckAboutBox(HWND dialog) {
    EXPECT_EQ(helptest::ItemText(dialog, IDC_ABOUT_VERSION), "Tarvello 2.5");
    helptest::Screenshot(dialog, "about_box");

    // Rest the mouse on the home page link: its tooltip shows the address.
    HWND link = GetDlgItem(dialog, IDC_ABOUT_HOME_PAGE);
    RECT rect;
    GetWindowRect(link, &rect);
    SetCursorPos((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    PostMessageA(link, WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
    HWND tooltip = WaitForTooltip(dialog);
    ASSERT_NE(tooltip, nullptr);
    EXPECT_EQ(wintest::WindowText(tooltip), kHomePageAddress);
    helptest::Screenshot(dialog, "about_box_tooltip");
}

TEST(AboutBox, ShowsTheVersionAndTheTargetOfTheLinkUnderTheMouse) {
    bool shown = helptest::RunDriven(
        "About Tarvello", [] { HelpShowAbout("2.5"); },
        [](HWND dialog) {
            CheckAboutBox(dialog);
            SetCursorPos(0, 0);
            PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        });
    EXPECT_TRUE(shown);
}

} // namespace
