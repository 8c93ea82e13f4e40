// Walks through every window of the program and photographs each one, for
// scripts/screenshots: Tip of the Day at start-up, the main window with
// files, the import dialog with its filters open, the list with sources of
// today's containers, Output Settings, About, and the progress dialog during
// a conversion.
// Usage: screenshot_tour.exe <Tarvello.exe> <clips folder\> <output folder\> <shots folder\>
// <clip>... [-- <more clip>...] The clips after "--" are added after the main window's first
// picture. Writes <shots folder>\<name>.bmp; exit code 0 when every window was taken.
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
    std::fprintf(stderr, "screenshots: %s\n", step);
    return 1;
}

std::string g_shots;

bool Shoot(HWND window, const char* name) {
    // Active (caption in colour) and fully painted (icons, themed controls) first.
    SetForegroundWindow(window);
    wintest::PumpMessagesFor(800);
    const std::string path = g_shots + name + ".bmp";
    const bool saved = wintest::SaveWindowScreenshot(window, path.c_str());
    std::printf("screenshots: %s %s\n", saved ? "took" : "FAILED", name);
    return saved;
}

std::string Folder(const std::string& path) {
    return path.substr(0, path.find_last_of('\\') + 1);
}

// The import dialog in the clips folder with its file-type list dropped
// down; the picture reaches below the dialog, where the list hangs.
bool ShootImportFilters(const e2e::Tarvello& app, const std::string& clips) {
    app.Post(IDC_TOOL_ADD);
    HWND dialog = app.WaitDialog("Import video files");
    if (dialog == nullptr)
        return false;
    HWND name = GetDlgItem(dialog, 0x47c);
    SendMessageA(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(clips.c_str()));
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    SetForegroundWindow(dialog);
    wintest::PumpMessagesFor(800);
    HWND filters = GetDlgItem(dialog, 0x470);
    SendMessageA(filters, CB_SHOWDROPDOWN, TRUE, 0);
    wintest::PumpMessagesFor(800);
    RECT r;
    GetWindowRect(dialog, &r);
    r.bottom += 80;
    const bool saved = wintest::SaveScreenRect(r, (g_shots + "import-dialog.bmp").c_str());
    std::printf("screenshots: %s import-dialog\n", saved ? "took" : "FAILED");
    SendMessageA(filters, CB_SHOWDROPDOWN, FALSE, 0);
    e2e::Answer(dialog, IDCANCEL);
    return saved;
}
} // namespace

// The main window takes input again once a modal dialog over it has closed.
bool WaitEnabled(HWND window) {
    for (int i = 0; i < 2000 && !IsWindowEnabled(window); ++i)
        wintest::PumpMessagesFor(10);
    return IsWindowEnabled(window) != FALSE;
}

int main(int argc, char** argv) {
    if (argc < 6)
        return Fail(
            "usage: screenshot_tour.exe <Tarvello.exe> <clips\\> <out\\> <shots\\> <clip>...");
    const std::string exe = argv[1];
    const std::string clips = argv[2];
    const std::string out = argv[3];
    g_shots = argv[4];
    std::vector<std::string> names(argv + 5, argv + argc);
    std::vector<std::string> more;
    for (size_t i = 0; i < names.size(); ++i) {
        if (names[i] != "--")
            continue;
        more.assign(names.begin() + i + 1, names.end());
        names.resize(i);
        break;
    }
    bool all = true;

    e2e::Tarvello app;
    if (!app.StartExe(exe, Folder(exe)))
        return Fail("Tarvello.exe did not start");
    HWND tip = app.WaitDialog("Tip of the Day", 20000);
    if (tip == nullptr)
        return Fail("no Tip of the Day at start-up");
    all = Shoot(tip, "tip-of-the-day") && all;
    e2e::Answer(tip, IDOK);
    if (app.WaitMainWindow() == nullptr)
        return Fail("the main window did not appear");

    app.Choose(IDC_MAIN_FORMAT, 7);  // DVD compatible MPEG2
    app.Choose(IDC_MAIN_TV_MODE, 1); // PAL
    SendMessageA(app.Item(IDC_OUTPUT_FOLDER), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(out.c_str()));
    if (!app.ImportThroughDialog(clips, names))
        return Fail("the file dialog did not take the clips");
    if (!app.WaitRowCount(static_cast<int>(names.size())))
        return Fail("not every clip reached the list");
    app.SelectRow(0);
    all = Shoot(app.Main(), "main-window") && all;

    all = ShootImportFilters(app, clips) && all;
    if (!more.empty()) {
        if (!app.ImportThroughDialog(clips, more, 2))
            return Fail("the file dialog did not take the other clips");
        if (!app.WaitRowCount(static_cast<int>(names.size() + more.size())))
            return Fail("not every clip was listed");
        app.SelectRow(static_cast<int>(names.size()));
        all = Shoot(app.Main(), "mixed-sources") && all;
    }

    app.Post(IDC_SETTINGS);
    HWND settings = app.WaitDialog("Output Settings");
    if (settings == nullptr)
        return Fail("no Output Settings dialog");
    all = Shoot(settings, "output-settings") && all;
    e2e::Answer(settings, IDCANCEL);
    // The Output Settings of MP4, MKV, WebM, MP3 and MP4 with the streams
    // kept, chosen in the main window.
    const struct {
        int format;
        const char* shot;
    } modern[] = {
        {10, "output-settings-mp4"},  {11, "output-settings-mkv"},
        {12, "output-settings-webm"}, {13, "output-settings-mp3"},
        {16, "output-settings-mp4-kept"}};
    for (const auto& m : modern) {
        if (!WaitEnabled(app.Main()))
            return Fail("the main window did not come back");
        app.Choose(IDC_MAIN_FORMAT, m.format);
        app.Post(IDC_SETTINGS);
        HWND dialog = app.WaitDialog("Output Settings");
        if (dialog == nullptr)
            return Fail("no Output Settings dialog");
        all = Shoot(dialog, m.shot) && all;
        e2e::Answer(dialog, IDCANCEL);
    }
    if (!WaitEnabled(app.Main()))
        return Fail("the main window did not come back");
    app.Choose(IDC_MAIN_FORMAT, 7); // back to DVD for the conversion below

    app.Post(ID_HELP_ABOUT);
    HWND about = app.WaitDialog("About Tarvello");
    if (about == nullptr)
        return Fail("no About box");
    all = Shoot(about, "about") && all;
    e2e::Answer(about, IDOK);

    app.Post(IDC_CONVERT);
    HWND progress = app.WaitProgressDialog();
    if (progress == nullptr)
        return Fail("no progress dialog");
    HWND bar = GetDlgItem(progress, IDC_PROGRESS_BAR);
    for (int i = 0;
         i < 2000 && IsWindowVisible(progress) && SendMessageA(bar, PBM_GETPOS, 0, 0) < 250; ++i) {
        wintest::PumpMessagesFor(10);
    }
    // Photographed at once: the bar keeps moving.
    all = wintest::SaveWindowScreenshot(progress, (g_shots + "progress.bmp").c_str()) && all;
    std::printf("screenshots: took progress\n");
    HWND summary = app.WaitDialog("Tarvello", 600000);
    if (summary == nullptr)
        return Fail("the conversion did not finish");
    std::printf("screenshots: %s\n", e2e::BoxText(summary).c_str());
    e2e::Answer(summary, IDOK);

    // The list's popup on a converted row: its log can be shown.
    HWND menu = app.OpenRowMenu(0);
    if (menu == nullptr)
        return Fail("no popup on the list");
    wintest::PumpMessagesFor(300); // painted
    all = wintest::SaveWindowScreenshot(menu, (g_shots + "list-popup.bmp").c_str()) && all;
    std::printf("screenshots: took list-popup\n");
    PostMessageA(menu, WM_KEYDOWN, VK_ESCAPE, 0);
    app.Post(IDCANCEL);
    if (!app.WaitExit())
        return Fail("Tarvello did not close");
    return all ? 0 : 1;
}
