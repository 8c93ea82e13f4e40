#include "ui/ListStore.h"

#include <windows.h>

#include "ui/SettingsFile.h"

namespace {

const char kListFile[] = "sources.txt";
// Far more than 99 rows take: a larger file is not ours, and is read no further.
const DWORD kMostBytes = 1u << 20;

bool ReadWhole(const std::string& path, std::string* text) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    text->assign(kMostBytes, '\0');
    DWORD read = 0;
    const bool ok = ReadFile(file, &(*text)[0], kMostBytes, &read, nullptr) != FALSE;
    CloseHandle(file);
    text->resize(ok ? read : 0);
    return ok;
}

} // namespace

std::string DefaultListPath() {
    SettingsPlaces places;
    DefaultSettingsPlaces(&places);
    char options[kSettingsPathCapacity];
    if (!SettingsWritePath(places, options, sizeof options))
        return "";
    std::string path = options;
    const size_t slash = path.find_last_of('\\');
    if (slash == std::string::npos)
        return "";
    // The user's folder may not be made yet when nothing was saved there.
    CreateDirectoryA(path.substr(0, slash).c_str(), nullptr);
    path = path.substr(0, slash + 1) + kListFile;
    return path.size() < MAX_PATH - 4 ? path : "";
}

LoadedList LoadList(const std::string& path) {
    LoadedList loaded;
    std::string text;
    if (path.empty() || !ReadWhole(path, &text))
        return loaded;
    loaded.contents = ReadListFile(text);
    if (loaded.contents.unreadable > 0) {
        const std::string kept = path + ".bad";
        if (CopyFileA(path.c_str(), kept.c_str(), FALSE))
            loaded.keptAs = kept;
    }
    return loaded;
}

bool SaveList(const std::string& path, const std::string& text) {
    if (path.empty())
        return false;
    const std::string temporary = path + ".new";
    HANDLE file = CreateFileA(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    bool ok = WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
              written == text.size();
    // On disk before the rename, so that a power loss cannot leave the new
    // name on an empty file.
    ok = FlushFileBuffers(file) && ok;
    CloseHandle(file);
    if (ok && MoveFileExA(temporary.c_str(), path.c_str(),
                          MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        return true;
    }
    DeleteFileA(temporary.c_str());
    return false;
}
