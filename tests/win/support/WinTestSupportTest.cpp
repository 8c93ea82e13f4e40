// The test helpers themselves: every Windows test relies on them.
#include "tests/win/support/WinTestSupport.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

TEST(ToWindowsPath, MapsUnixPathsToDriveZ) {
    struct Row {
        const char* in;
        const char* out;
    };
    const Row rows[] = {
        {"/work/main/build/", "Z:\\work\\main\\build\\"},
        {"/", "Z:\\"},
        {"C:/a/b", "C:\\a\\b"},
        {"Z:\\already\\windows", "Z:\\already\\windows"},
        {"", ""},
        {"relative/part", "relative\\part"},
    };
    for (const Row& row : rows)
        EXPECT_EQ(row.out, wintest::ToWindowsPath(row.in)) << row.in;
}

TEST(EnvPath, JoinsFolderAndRelativePartWithOneBackslash) {
    _putenv_s("TARVELLO_TEST_FOLDER_A", "/tmp/x");
    _putenv_s("TARVELLO_TEST_FOLDER_B", "Z:\\tmp\\y\\");
    EXPECT_EQ("Z:\\tmp\\x\\", wintest::EnvPath("TARVELLO_TEST_FOLDER_A"));
    EXPECT_EQ("Z:\\tmp\\x\\shots\\a.bmp",
              wintest::EnvPath("TARVELLO_TEST_FOLDER_A", "shots/a.bmp"));
    EXPECT_EQ("Z:\\tmp\\y\\a.txt", wintest::EnvPath("TARVELLO_TEST_FOLDER_B", "\\a.txt"));
    EXPECT_EQ("", wintest::EnvPath("TARVELLO_TEST_FOLDER_UNSET", "a.txt"));
    // Tests run in the build folder, so it stands in for a missing variable.
    const std::string build = wintest::EnvPath("TARVELLO_BUILD_DIR");
    ASSERT_FALSE(build.empty());
    EXPECT_EQ('\\', build.back());
}

TEST(MessageBoxAnswerer, AnswersSuccessiveBoxesAndRecordsTheirTexts) {
    wintest::MessageBoxAnswerer answer("Answerer check", IDNO, 2);
    EXPECT_EQ(IDNO, MessageBoxA(NULL, "First question?", "Answerer check", MB_YESNO));
    EXPECT_EQ(IDNO,
              MessageBoxA(NULL, "Second\nquestion?", "Answerer check", MB_YESNO | MB_ICONQUESTION));
    ASSERT_TRUE(answer.Wait());
    EXPECT_EQ(2, answer.Count());
    EXPECT_EQ("First question?", answer.Text(0));
    EXPECT_EQ("Second\nquestion?", answer.Text(1));
    EXPECT_EQ("", answer.Text(2));
}

INT_PTR CALLBACK PlainDialogProc(HWND, UINT message, WPARAM, LPARAM) {
    return message == WM_INITDIALOG;
}

// An in-memory dialog template with only a caption.
HWND CreateCaptionedDialog(const char* caption) {
    std::vector<WORD> t(64, 0);
    DLGTEMPLATE* head = reinterpret_cast<DLGTEMPLATE*>(t.data());
    head->style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE;
    head->cx = 120;
    head->cy = 40;
    WORD* p = reinterpret_cast<WORD*>(head + 1);
    *p++ = 0; // no menu
    *p++ = 0; // default class
    for (const char* c = caption; *c; ++c)
        *p++ = static_cast<WORD>(*c);
    *p++ = 0;
    return CreateDialogIndirectParamA(GetModuleHandleA(NULL), head, NULL, PlainDialogProc, 0);
}

TEST(MessageBoxAnswerer, LeavesAnOwnerWithTheSameCaptionAlone) {
    // A program's main window and its boxes share the program's name.
    HWND owner = CreateCaptionedDialog("Shared caption");
    ASSERT_TRUE(owner != NULL);
    wintest::MessageBoxAnswerer answer("Shared caption", IDOK);
    EXPECT_EQ(IDOK, MessageBoxA(owner, "Done.", "Shared caption", MB_OK));
    ASSERT_TRUE(answer.Wait());
    EXPECT_EQ("Done.", answer.Text(0));
    EXPECT_TRUE(IsWindow(owner));
    DestroyWindow(owner);
}

TEST(MessageBoxAnswerer, GivesUpWhenNoBoxComes) {
    wintest::MessageBoxAnswerer answer("No such box", IDOK, 1, 300);
    EXPECT_FALSE(answer.Wait());
    EXPECT_EQ(0, answer.Count());
}

TEST(FindWindowWait, FindsAWindowByCaption) {
    HWND dialog = CreateCaptionedDialog("Find me");
    ASSERT_TRUE(dialog != NULL);
    EXPECT_EQ(dialog, wintest::FindWindowWait("Find me", 5000));
    EXPECT_EQ("Find me", wintest::WindowText(dialog));
    DestroyWindow(dialog);
    EXPECT_TRUE(wintest::FindWindowWait("Find me", 100) == NULL);
}

LRESULT CALLBACK RedWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_ERASEBKGND) {
        RECT r;
        GetClientRect(window, &r);
        HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
        FillRect(reinterpret_cast<HDC>(wParam), &r, red);
        DeleteObject(red);
        return 1;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

TEST(SaveWindowScreenshot, WritesTheWindowWithItsFrameAs24BitBmp) {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = RedWindowProc;
    wc.hInstance = GetModuleHandleA(NULL);
    wc.lpszClassName = "TarvelloRedWindow";
    RegisterClassA(&wc);
    HWND window = CreateWindowA("TarvelloRedWindow", "Red", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 30,
                                30, 200, 120, NULL, NULL, wc.hInstance, NULL);
    ASSERT_TRUE(window != NULL);
    const std::string path =
        wintest::EnvPath("TARVELLO_BUILD_DIR", "screenshots/support/new folder/red.bmp");
    ASSERT_TRUE(wintest::SaveWindowScreenshot(window, path.c_str()));

    RECT frame, client;
    GetWindowRect(window, &frame);
    GetClientRect(window, &client);
    POINT centre = {client.right / 2, client.bottom / 2};
    ClientToScreen(window, &centre);
    DestroyWindow(window);

    FILE* in = std::fopen(path.c_str(), "rb");
    ASSERT_TRUE(in != NULL);
    BITMAPFILEHEADER file;
    BITMAPINFOHEADER info;
    ASSERT_EQ(1u, std::fread(&file, sizeof file, 1, in));
    ASSERT_EQ(1u, std::fread(&info, sizeof info, 1, in));
    EXPECT_EQ(0x4D42, file.bfType);
    EXPECT_EQ(24, info.biBitCount);
    EXPECT_EQ(frame.right - frame.left, info.biWidth);
    EXPECT_EQ(frame.bottom - frame.top, info.biHeight);
    // The middle of the client area is red (rows are stored bottom-up, BGR).
    const long stride = ((info.biWidth * 3) + 3) & ~3;
    const long row = info.biHeight - 1 - (centre.y - frame.top);
    std::fseek(in, static_cast<long>(file.bfOffBits) + row * stride + (centre.x - frame.left) * 3,
               SEEK_SET);
    unsigned char bgr[3] = {};
    ASSERT_EQ(3u, std::fread(bgr, 1, 3, in));
    std::fclose(in);
    EXPECT_EQ(0, bgr[0]);
    EXPECT_EQ(0, bgr[1]);
    EXPECT_EQ(255, bgr[2]);
}

TEST(SaveWindowScreenshot, RefusesAWindowThatIsGone) {
    EXPECT_FALSE(wintest::SaveWindowScreenshot(NULL, "x.bmp"));
}

} // namespace
