#include "ui/ComponentRegistration.h"

#include <cstdio>

bool ComponentRegistrationCommand(const char* programFolder, char* out, size_t size) {
    if (programFolder == nullptr || out == nullptr || size == 0)
        return false;
    // Only the program's own copy, by its full path: a bare name would be
    // looked for in the current folder too, where anyone may have put one.
    char component[MAX_PATH];
    int written = std::snprintf(component, sizeof component, "%s%s", programFolder, kComponentFile);
    if (written <= 0 || static_cast<size_t>(written) >= sizeof component)
        return false;
    const DWORD attributes = GetFileAttributesA(component);
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return false;
    }
    // The registration tool from the system folder, not one found on the way.
    char system[MAX_PATH];
    const UINT length = GetSystemDirectoryA(system, sizeof system);
    if (length == 0 || length >= sizeof system)
        return false;
    written = std::snprintf(out, size, "\"%s\\regsvr32.exe\" \"%s\" /s", system, component);
    return written > 0 && static_cast<size_t>(written) < size;
}

bool StartComponentRegistration(const char* programFolder, ProgramStarter start) {
    char command[3 * MAX_PATH];
    if (!ComponentRegistrationCommand(programFolder, command, sizeof command))
        return false;
    start(command, SW_HIDE);
    return true;
}
