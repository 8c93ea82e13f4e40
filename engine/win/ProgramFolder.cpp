#include "engine/win/ProgramFolder.h"

#include <windows.h>

#include "engine/core/OutputNaming.h"

void ProgramFolder(char* buffer, size_t size) {
    if (buffer == nullptr || size == 0) return;
    buffer[0] = '\0';
    char path[MAX_PATH + 1];
    const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    if (length == 0 || length >= sizeof path) return;  // failed or cut
    DirectoryPart(path, buffer, size);
}
