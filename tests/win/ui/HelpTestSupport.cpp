#include "tests/win/ui/HelpTestSupport.h"

#include <atomic>
#include <thread>

#include "framework/WinApp.h"
#include "tests/win/support/WinTestSupport.h"

// The application object whose profile the Tip of the Day uses.
CWinApp theHelpTestApp("Tarvello");

namespace helptest {

std::string ExeFolder() {
    char path[MAX_PATH];
    DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    std::string folder(path, length);
    return folder.substr(0, folder.rfind('\\') + 1);
}

void ResetProfile() {
    std::string path = ExeFolder() + "help_dialogs_test_profile.ini";
    DeleteFileA(path.c_str());
    theHelpTestApp.SetProfilePath(path.c_str());
}

std::string TipProfileValue(const char* key) {
    char value[256];
    GetPrivateProfileStringA("Tip", key, "<absent>", value, sizeof value,
                             theHelpTestApp.GetProfilePath());
    return value;
}

void SetTipProfileValue(const char* key, const char* value) {
    WritePrivateProfileStringA("Tip", key, value, theHelpTestApp.GetProfilePath());
}

void WriteTipsFile(const std::string& content) {
    std::string path = ExeFolder() + "tips.txt";
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    DWORD written = 0;
    WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
    CloseHandle(file);
}

void RemoveTipsFile() {
    DeleteFileA((ExeFolder() + "tips.txt").c_str());
}

bool RunDriven(const char* caption, const std::function<void()>& runModal,
               const std::function<void(HWND)>& drive) {
    std::atomic<bool> found{false};
    std::string title = caption;
    std::thread helper([&] {
        HWND window = wintest::FindWindowWait(title.c_str());
        if (window == nullptr)
            return;
        // The window exists before its initialisation has run; it is shown after.
        for (int i = 0; i < 200 && !IsWindowVisible(window); ++i)
            Sleep(10);
        found = true;
        drive(window);
    });
    runModal();
    helper.join();
    return found;
}

std::string ItemText(HWND dialog, int id) {
    return wintest::WindowText(GetDlgItem(dialog, id));
}

void Screenshot(HWND window, const char* name) {
    std::string path = wintest::EnvPath("TARVELLO_BUILD_DIR", "screenshots/help/") + name + ".bmp";
    wintest::SaveWindowScreenshot(window, path.c_str());
}

} // namespace helptest
