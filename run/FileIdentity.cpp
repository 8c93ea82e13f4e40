#include "run/FileIdentity.h"

#include <windows.h>

#include <cstring>
#include <string>

namespace {

bool Wide(const char* text, std::wstring* wide) {
    const int length = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    if (length <= 0)
        return false;
    wide->assign(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text, -1, &(*wide)[0], length);
    wide->resize(static_cast<size_t>(length - 1));
    for (wchar_t& c : *wide) {
        if (c == L'/')
            c = L'\\';
    }
    return true;
}

} // namespace

bool ReadFileIdentity(const char* path, FileIdentity* out) {
    if (path == nullptr || out == nullptr)
        return false;
    // No access rights are asked for: only the file's facts are read, so a
    // file another program holds open still answers. Folders need the
    // backup-semantics flag to be opened at all.
    HANDLE file = CreateFileA(path, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    BY_HANDLE_FILE_INFORMATION info;
    const bool known = GetFileInformationByHandle(file, &info) != 0;
    CloseHandle(file);
    if (!known)
        return false;
    out->volume = info.dwVolumeSerialNumber;
    out->index = (static_cast<uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
    return true;
}

bool SameFileName(const char* a, const char* b) {
    if (a == nullptr || b == nullptr)
        return false;
    std::wstring wa;
    std::wstring wb;
    // Text the code page cannot read is only the same as itself.
    if (!Wide(a, &wa) || !Wide(b, &wb))
        return std::strcmp(a, b) == 0;
    return CompareStringOrdinal(wa.c_str(), static_cast<int>(wa.size()), wb.c_str(),
                                static_cast<int>(wb.size()), TRUE) == CSTR_EQUAL;
}
