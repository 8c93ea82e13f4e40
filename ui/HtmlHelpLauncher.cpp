#include "ui/HtmlHelpLauncher.h"

#include <cstring>

#include "framework/RegistryValue.h"

namespace {

// Ordinal of HtmlHelpA in hhctrl.ocx.
const WORD kHtmlHelpAOrdinal = 14;

} // namespace

bool FindHtmlHelpModule(char* path, DWORD size) {
    if (!ReadRegistryDefault(HKEY_CLASSES_ROOT,
                             "CLSID\\{ADB880A6-D8FF-11CF-9377-00AA003B7A11}\\InprocServer32", path,
                             size)) {
        return false;
    }
    if (std::strchr(path, '%') != nullptr) { // an expandable string
        char expanded[MAX_PATH];
        DWORD length = ExpandEnvironmentStringsA(path, expanded, sizeof expanded);
        if (length == 0 || length > sizeof expanded || length > size)
            return false;
        lstrcpynA(path, expanded, static_cast<int>(size));
    }
    return true;
}

HtmlHelpLauncher::HtmlHelpLauncher(const char* moduleName, bool useRegistry)
    : moduleName_(moduleName), useRegistry_(useRegistry) {}

HWND HtmlHelpLauncher::Call(HWND caller, const char* file, UINT command, DWORD_PTR data) {
    if (module_ == nullptr && !failed_) {
        ++loadAttempts_;
        char path[MAX_PATH];
        if (useRegistry_ && FindHtmlHelpModule(path, sizeof path))
            module_ = LoadLibraryA(path);
        if (module_ == nullptr)
            module_ = LoadLibraryA(moduleName_);
        if (module_ == nullptr)
            failed_ = true;
    }
    if (module_ == nullptr)
        return nullptr;
    if (entry_ == nullptr) {
        if (failed_)
            return nullptr;
        entry_ = reinterpret_cast<HtmlHelpFn>(reinterpret_cast<void (*)(void)>(
            GetProcAddress(module_, MAKEINTRESOURCEA(kHtmlHelpAOrdinal))));
        if (entry_ == nullptr) {
            failed_ = true;
            return nullptr;
        }
    }
    return entry_(caller, file, command, data);
}

HtmlHelpLauncher& ProcessHtmlHelp() {
    static HtmlHelpLauncher launcher;
    return launcher;
}

HWND CallHtmlHelp(HWND caller, const char* file, UINT command, DWORD_PTR data) {
    return ProcessHtmlHelp().Call(caller, file, command, data);
}
