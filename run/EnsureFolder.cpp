#include "run/EnsureFolder.h"

#include <direct.h>
#include <windows.h>

#include <cstdio>
#include <cstring>

#include "framework/ProgramFolder.h"

namespace {

bool IsDirectory(const char* path) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(path, &found);
    if (search == INVALID_HANDLE_VALUE)
        return false;
    FindClose(search);
    return (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// `path` is a writable copy without a final backslash (except a drive root).
int EnsureFolderIn(char* path) {
    if (IsDirectory(path) && _chdir(path) == 0)
        return 0;
    if (_chdir(path) == 0)
        return 0;

    char* lastBackslash = std::strrchr(path, '\\');
    if (lastBackslash == nullptr)
        return -1;
    // A name right after another backslash (a network prefix, a doubled
    // separator) has no parent that could be made here.
    if (lastBackslash == path || lastBackslash[-1] == '\\')
        return -1;
    const char* name = path;
    if (!(lastBackslash > path && lastBackslash[-1] == ':')) {
        *lastBackslash = '\0';
        const int parent = EnsureFolderIn(path);
        *lastBackslash = '\\';
        if (parent != 0)
            return -1;
        name = lastBackslash + 1; // relative to the parent, now current
    }
    if (*name == '\0')
        return -1;
    if (_mkdir(name) != 0)
        return -1;
    return _chdir(name) == 0 ? 0 : -1;
}

} // namespace

int EnsureFolder(const char* path) {
    if (path == nullptr)
        return -1;
    char copy[kPathCapacity];
    const int written = std::snprintf(copy, sizeof copy, "%s", path);
    if (written <= 0 || static_cast<size_t>(written) >= sizeof copy)
        return -1;
    size_t length = static_cast<size_t>(written);
    // One final backslash goes, but a drive root keeps it: "C:" alone would
    // mean the drive's current folder, not its root.
    if (copy[length - 1] == '\\' && !(length == 3 && copy[1] == ':'))
        copy[--length] = '\0';
    if (length == 0)
        return -1;
    return EnsureFolderIn(copy);
}
