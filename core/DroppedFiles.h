// Turns what was dropped on the main window into the list of files to
// import: a file as it is, a folder as the video files directly inside it,
// sorted by name (not its subfolders). Explorer's order is kept. Pure: the
// file system is reached through a narrow port.
#pragma once

#include <string>
#include <vector>

class FolderPort {
public:
    virtual ~FolderPort() = default;
    virtual bool IsFolder(const std::string& path) = 0;
    // The names of the files (not folders) directly inside `folder`.
    virtual std::vector<std::string> FileNames(const std::string& folder) = 0;
};

// `withSound`: a sound-only format is chosen, and a folder's sound files
// come along with its videos.
std::vector<std::string> ExpandDroppedPaths(const std::vector<std::string>& dropped,
                                            FolderPort& folders, bool withSound = false);
