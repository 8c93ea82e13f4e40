// CConverterDlg's drop target: files and folders dropped from Explorer are
// imported as if picked in the file dialog, in the order Explorer gives them.
#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "ui/ConverterDlg.h"
#include "core/DroppedFiles.h"
#include "core/OutputFormat.h"

namespace {

class Win32Folders : public FolderPort {
public:
    bool IsFolder(const std::string& path) override {
        DWORD attributes = GetFileAttributesA(path.c_str());
        return attributes != INVALID_FILE_ATTRIBUTES &&
               (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    }
    std::vector<std::string> FileNames(const std::string& folder) override {
        std::vector<std::string> names;
        std::string pattern = folder;
        if (!pattern.empty() && pattern.back() != '\\' && pattern.back() != '/')
            pattern += '\\';
        pattern += '*';
        WIN32_FIND_DATAA found;
        HANDLE search = FindFirstFileA(pattern.c_str(), &found);
        if (search == INVALID_HANDLE_VALUE)
            return names;
        do {
            if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
                names.push_back(found.cFileName);
        } while (FindNextFileA(search, &found));
        FindClose(search);
        return names;
    }
};

std::vector<std::string> DroppedPaths(HDROP drop) {
    std::vector<std::string> paths;
    UINT count = DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        UINT length = DragQueryFileA(drop, i, nullptr, 0);
        std::string path(length + 1, '\0');
        if (length == 0 || DragQueryFileA(drop, i, &path[0], length + 1) != length)
            continue;
        path.resize(length);
        paths.push_back(path);
    }
    return paths;
}

} // namespace

void CConverterDlg::AcceptDroppedFiles() {
    DragAcceptFiles(m_hWnd, TRUE);
}

LRESULT CConverterDlg::OnDropFiles(WPARAM wParam, LPARAM) {
    HDROP drop = reinterpret_cast<HDROP>(wParam);
    std::vector<std::string> dropped = DroppedPaths(drop);
    DragFinish(drop);
    // Like the other commands: not while an import probes, nor while the
    // window is disabled by a conversion or a dialog of its own.
    if (m_importing || !IsWindowEnabled()) {
        MessageBeep(MB_ICONWARNING);
        return 0;
    }
    Win32Folders folders;
    static std::vector<std::string> paths; // outlives the nested message loops of the import
    paths = ExpandDroppedPaths(dropped, folders, IsAudioFormat(m_session.settings.outputFormat));
    if (!paths.empty())
        ImportPaths(paths);
    return 0;
}
