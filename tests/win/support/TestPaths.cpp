// The TARVELLO_* folders of the test environment, in Windows form.
#include "tests/win/support/WinTestSupport.h"

#include <cstdlib>
#include <cstring>

namespace wintest {

std::string ToWindowsPath(const std::string& path) {
    std::string out = (!path.empty() && path[0] == '/') ? "Z:" + path : path;
    for (char& c : out) {
        if (c == '/')
            c = '\\';
    }
    return out;
}

std::string EnvPath(const char* name, const char* relative) {
    std::string folder;
    const char* value = std::getenv(name);
    if (value && *value) {
        folder = ToWindowsPath(value);
    } else if (std::strcmp(name, "TARVELLO_BUILD_DIR") == 0) {
        char current[MAX_PATH] = "";
        DWORD n = GetCurrentDirectoryA(sizeof current, current);
        if (n == 0 || n >= sizeof current)
            return std::string();
        folder = current;
    } else {
        return std::string();
    }
    if (folder.back() != '\\')
        folder += '\\';
    std::string rest = ToWindowsPath(relative ? relative : "");
    size_t skip = 0;
    while (skip < rest.size() && rest[skip] == '\\')
        ++skip;
    return folder + rest.substr(skip);
}

} // namespace wintest
