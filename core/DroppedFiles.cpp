#include "core/DroppedFiles.h"

#include <algorithm>
#include <cctype>

#include "core/VideoFileTypes.h"

namespace {

// Name order as a file list shows it: letters compared without case, ties
// broken by the exact text so the order is always the same.
bool NameBefore(const std::string& a, const std::string& b) {
    size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        int x = std::tolower(static_cast<unsigned char>(a[i]));
        int y = std::tolower(static_cast<unsigned char>(b[i]));
        if (x != y)
            return x < y;
    }
    return a.size() != b.size() ? a.size() < b.size() : a < b;
}

std::string Join(const std::string& folder, const std::string& name) {
    if (!folder.empty() && (folder.back() == '\\' || folder.back() == '/'))
        return folder + name;
    return folder + "\\" + name;
}

} // namespace

std::vector<std::string> ExpandDroppedPaths(const std::vector<std::string>& dropped,
                                            FolderPort& folders, bool withSound) {
    std::vector<std::string> paths;
    for (const std::string& path : dropped) {
        if (path.empty())
            continue;
        if (!folders.IsFolder(path)) {
            paths.push_back(path);
            continue;
        }
        std::vector<std::string> names = folders.FileNames(path);
        names.erase(std::remove_if(names.begin(), names.end(),
                                   [withSound](const std::string& name) {
                                       return !IsVideoFileName(name) &&
                                              !(withSound && IsSoundFileName(name));
                                   }),
                    names.end());
        std::sort(names.begin(), names.end(), NameBefore);
        for (const std::string& name : names)
            paths.push_back(Join(path, name));
    }
    return paths;
}
