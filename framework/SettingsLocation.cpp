#include "framework/SettingsLocation.h"

#include <windows.h>

#include <cstdio>

bool CanWriteFile(const char* path) {
    const DWORD attributes = GetFileAttributesA(path);
    HANDLE file;
    if (attributes != INVALID_FILE_ATTRIBUTES) {
        if (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY))
            return false;
        file =
            CreateFileA(path, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                        nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    } else {
        file = CreateFileA(path, GENERIC_WRITE | DELETE, 0, nullptr, CREATE_NEW,
                           FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    }
    if (file == INVALID_HANDLE_VALUE)
        return false;
    CloseHandle(file);
    return true;
}

bool UserDataFolder(const char* folderName, char* out, size_t size) {
    if (out == nullptr || size == 0)
        return false;
    out[0] = '\0';
    char appData[MAX_PATH];
    const DWORD n = GetEnvironmentVariableA("APPDATA", appData, sizeof appData);
    if (n == 0 || n >= sizeof appData || folderName == nullptr)
        return false;
    const bool slash = appData[n - 1] == '\\';
    const int written = std::snprintf(out, size, "%s%s%s", appData, slash ? "" : "\\", folderName);
    if (written < 0 || static_cast<size_t>(written) >= size) {
        out[0] = '\0';
        return false;
    }
    return true;
}
