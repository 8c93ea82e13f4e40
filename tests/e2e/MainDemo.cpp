// The short demo that scripts/run plays when there is no display: starts the
// program, imports the clips through the real file dialog, converts them to
// DVD PAL into the given folder and takes screenshots on the way.
// Usage: main_demo.exe <Tarvello.exe> <clips folder\> <output folder\> <clip>...
// Writes the screenshots under %TARVELLO_BUILD_DIR%\screenshots\main\demo-*.
// Exit code 0 when every step worked.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <string>
#include <vector>

#include "res/resource.h"
#include "tests/e2e/MainDriver.h"
#include "tests/win/support/WinTestSupport.h"

namespace {

int Fail(const char* step) {
    std::fprintf(stderr, "demo: %s\n", step);
    return 1;
}

std::string Folder(const std::string& path) {
    return path.substr(0, path.find_last_of('\\') + 1);
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 5)
        return Fail("usage: main_demo.exe <Tarvello.exe> <clips folder> <output folder> <clip>...");
    const std::string exe = argv[1];
    const std::string clips = argv[2];
    const std::string out = argv[3];
    std::vector<std::string> names(argv + 4, argv + argc);

    e2e::Tarvello app;
    if (!app.StartExe(exe, Folder(exe)))
        return Fail("Tarvello.exe did not start");
    std::printf("demo: Tarvello started\n");
    // The Tip of the Day comes first when it is switched on.
    if (HWND tip = app.WaitDialog("Tip of the Day", 4000)) {
        wintest::PumpMessagesFor(1500);
        e2e::SaveShot(tip, "demo-tip");
        e2e::Answer(tip, IDOK);
    }
    if (app.WaitMainWindow() == nullptr)
        return Fail("the main window did not appear");

    app.Choose(IDC_MAIN_FORMAT, 7);  // DVD compatible MPEG2
    app.Choose(IDC_MAIN_TV_MODE, 1); // PAL
    SendMessageA(app.Item(IDC_OUTPUT_FOLDER), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(out.c_str()));
    std::printf("demo: importing %u clips through the file dialog\n",
                static_cast<unsigned>(names.size()));
    if (!app.ImportThroughDialog(clips, names))
        return Fail("the file dialog did not take the clips");
    if (!app.WaitRowCount(static_cast<int>(names.size())))
        return Fail("not every clip reached the list");
    wintest::PumpMessagesFor(500);
    e2e::SaveShot(app.Main(), "demo-list");

    std::printf("demo: converting to DVD (PAL)\n");
    app.Post(IDC_CONVERT);
    HWND progress = app.WaitProgressDialog();
    if (progress == nullptr)
        return Fail("no progress dialog");
    HWND bar = GetDlgItem(progress, IDC_PROGRESS_BAR);
    for (int i = 0;
         i < 400 && IsWindowVisible(progress) && SendMessageA(bar, PBM_GETPOS, 0, 0) < 300; ++i) {
        wintest::PumpMessagesFor(25);
    }
    e2e::SaveShot(progress, "demo-progress");
    HWND summary = app.WaitDialog("Tarvello", 600000);
    if (summary == nullptr)
        return Fail("the conversion did not finish");
    std::printf("demo: %s\n", e2e::BoxText(summary).c_str());
    e2e::SaveShot(summary, "demo-summary");
    e2e::Answer(summary, IDOK);
    wintest::PumpMessagesFor(500);
    e2e::SaveShot(app.Main(), "demo-done");
    app.Post(IDCANCEL);
    if (!app.WaitExit())
        return Fail("Tarvello did not close");
    wintest::PumpMessagesFor(1000); // the screenshots' PNG copies
    return 0;
}
