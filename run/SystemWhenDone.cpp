#include "run/SystemWhenDone.h"

#include <windows.h>

#include <shellapi.h>

#include <string>

namespace {

// True when the request went to the log file instead of the system.
bool Logged(const std::string& line) {
    char path[MAX_PATH];
    const DWORD length = GetEnvironmentVariableA("TARVELLO_WHEN_DONE_LOG", path, sizeof path);
    if (length == 0 || length >= sizeof path)
        return false;
    HANDLE file = CreateFileA(path, FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        const std::string text = line + "\r\n";
        DWORD written = 0;
        WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
        CloseHandle(file);
    }
    return true;
}

// Sleeping and shutting down both need this privilege in the process token.
void EnableShutdownPrivilege() {
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token))
        return;
    TOKEN_PRIVILEGES privileges = {};
    privileges.PrivilegeCount = 1;
    privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    if (LookupPrivilegeValueA(nullptr, SE_SHUTDOWN_NAME, &privileges.Privileges[0].Luid))
        AdjustTokenPrivileges(token, FALSE, &privileges, 0, nullptr, nullptr);
    CloseHandle(token);
}

typedef BOOLEAN(WINAPI* SetSuspendStateFn)(BOOLEAN, BOOLEAN, BOOLEAN);

} // namespace

void SystemWhenDonePort::OpenFolder(const char* folder) {
    if (folder == nullptr || folder[0] == '\0' || Logged(std::string("open ") + folder))
        return;
    ShellExecuteA(nullptr, "open", folder, nullptr, nullptr, SW_SHOWNORMAL);
}

bool SystemWhenDonePort::Sleep() {
    if (Logged("sleep"))
        return true;
    HMODULE power = LoadLibraryA("powrprof.dll");
    if (power == nullptr)
        return false;
    const SetSuspendStateFn suspend = reinterpret_cast<SetSuspendStateFn>(
        reinterpret_cast<void (*)(void)>(GetProcAddress(power, "SetSuspendState")));
    EnableShutdownPrivilege();
    const bool slept = suspend != nullptr && suspend(FALSE, FALSE, FALSE) != FALSE;
    FreeLibrary(power);
    return slept;
}

bool SystemWhenDonePort::ShutDown() {
    if (Logged("shut down"))
        return true;
    EnableShutdownPrivilege();
    return ExitWindowsEx(EWX_SHUTDOWN | EWX_POWEROFF | EWX_FORCEIFHUNG,
                         SHTDN_REASON_MAJOR_APPLICATION | SHTDN_REASON_FLAG_PLANNED) != FALSE;
}
