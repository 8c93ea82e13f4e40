#include "run/RunLogFiles.h"

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "core/RunLogs.h"

namespace {

// The source's name in a log's name: enough to know the file again.
constexpr size_t kSourceNameLimit = 60;

void RemoveOldLogs(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "*.log").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
            names.push_back(found.cFileName);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    for (const std::string& name : LogsToRemove(names, kKeptLogs - 1))
        DeleteFileA((folder + name).c_str());
}

} // namespace

bool PrepareLogPath(const char* folder, const char* sourcePath, uint32_t sequence, char* out,
                    size_t size) {
    if (out == nullptr || size == 0)
        return false;
    out[0] = '\0';
    if (folder == nullptr || folder[0] == '\0')
        return false;
    const std::string logs = folder;
    // The user's own folder may not be there yet either.
    for (size_t at = logs.find('\\', 3); at != std::string::npos; at = logs.find('\\', at + 1))
        CreateDirectoryA(logs.substr(0, at).c_str(), nullptr); // fails harmlessly when there
    const DWORD attributes = GetFileAttributesA(logs.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
        return false;
    RemoveOldLogs(logs);

    SYSTEMTIME now;
    GetLocalTime(&now);
    const LogStamp stamp = {now.wYear,   now.wMonth,  now.wDay,         now.wHour,
                            now.wMinute, now.wSecond, now.wMilliseconds};
    char name[MAX_PATH];
    // A deep folder leaves no room for the source's name; the stamp alone will do.
    const size_t room = MAX_PATH - 1 > logs.size() ? MAX_PATH - 1 - logs.size() : 0;
    for (size_t limit : {kSourceNameLimit, static_cast<size_t>(0)}) {
        if (ComposeLogName(stamp, sequence, sourcePath, limit, name, sizeof name) &&
            std::strlen(name) <= room) {
            const int written = std::snprintf(out, size, "%s%s", logs.c_str(), name);
            if (written > 0 && static_cast<size_t>(written) < size)
                return true;
        }
    }
    out[0] = '\0';
    return false;
}
