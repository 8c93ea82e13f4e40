#include "tests/win/ui/HtmAssociation.h"

#include <windows.h>

#include <fstream>
#include <sstream>

#include "tests/win/support/WinTestSupport.h"

namespace helptest {

namespace {

const char kFileType[] = "TarvelloTest.htm";

bool SetDefault(const std::string& subKey, const std::string& value) {
    HKEY key;
    if (RegCreateKeyExA(HKEY_CLASSES_ROOT, subKey.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key,
                        nullptr) != ERROR_SUCCESS) {
        return false;
    }
    LONG status =
        RegSetValueExA(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                       static_cast<DWORD>(value.size() + 1));
    RegCloseKey(key);
    return status == ERROR_SUCCESS;
}

bool GetDefault(HKEY root, const std::string& subKey, std::string* value) {
    char text[MAX_PATH];
    LONG size = sizeof text;
    if (RegQueryValueA(root, subKey.c_str(), text, &size) != ERROR_SUCCESS)
        return false;
    *value = text;
    return true;
}

} // namespace

HtmAssociation::HtmAssociation(const std::string& openCommand) {
    hadPrevious_ = GetDefault(HKEY_CLASSES_ROOT, ".htm", &previous_);
    std::string type = kFileType;
    RegDeleteTreeA(HKEY_CLASSES_ROOT, type.c_str());
    if (!SetDefault(".htm", kFileType) || !SetDefault(type, "Test page"))
        return;
    if (!openCommand.empty() && !SetDefault(type + "\\shell\\open\\command", openCommand))
        return;
    std::string seen;
    active_ = GetDefault(HKEY_CLASSES_ROOT, ".htm", &seen) && seen == kFileType;
}

HtmAssociation::~HtmAssociation() {
    RegDeleteTreeA(HKEY_CLASSES_ROOT, kFileType);
    if (hadPrevious_) {
        SetDefault(".htm", previous_);
    } else {
        HKEY key;
        if (RegOpenKeyExA(HKEY_CLASSES_ROOT, ".htm", 0, KEY_SET_VALUE, &key) == ERROR_SUCCESS) {
            RegDeleteValueA(key, nullptr);
            RegCloseKey(key);
        }
    }
}

std::string RecordingCommand(const std::string& recordPath) {
    char system[MAX_PATH];
    GetSystemDirectoryA(system, sizeof system);
    return "\"" + std::string(system) + "\\cmd.exe\" /c echo>\"" + recordPath + "\" \"%1\"";
}

std::string WaitForFileText(const std::string& path) {
    for (int i = 0; i < 200; ++i) {
        std::ifstream file(path);
        if (file) {
            std::stringstream text;
            text << file.rdbuf();
            if (!text.str().empty())
                return text.str();
        }
        wintest::PumpMessagesFor(50);
    }
    return std::string();
}

} // namespace helptest
