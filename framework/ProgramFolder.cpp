#include "framework/ProgramFolder.h"

#include <windows.h>

#include <cstring>

void ProgramFolder(char* buffer, size_t size) {
    if (buffer == nullptr || size == 0)
        return;
    buffer[0] = '\0';
    char path[MAX_PATH + 1];
    const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    if (length == 0 || length >= sizeof path)
        return; // failed or cut
    const char* name = std::strrchr(path, '\\');
    if (name == nullptr)
        return;
    const size_t folder = static_cast<size_t>(name - path) + 1;
    if (folder >= size)
        return;
    std::memcpy(buffer, path, folder);
    buffer[folder] = '\0';
}
