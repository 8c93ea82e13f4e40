// The pure halves of the file dialog: the "a|b||" filter text turned into
// the double-NUL form, and iteration over the selection buffer that the
// explorer-style open dialog fills ("C:\dir\file.avi\0\0" for one file,
// "C:\dir\0a.avi\0b.avi\0\0" for several). No <windows.h>; tested natively.
#pragma once

#include <cstddef>

// Writes `filter` with every '|' replaced by NUL, followed by one more NUL so
// the result ends with two. FALSE (and an empty list) when it does not fit.
bool ConvertFilterText(const char* filter, char* out, size_t outSize);

class FileSelection {
public:
    // `buffer` holds `size` characters; the list ends at an empty string or
    // at the end of the buffer, whichever comes first.
    FileSelection(const char* buffer, size_t size);

    // Writes the next full path ("folder\name"; no second backslash when the
    // folder already ends with one). Returns false at the end. *fullLength
    // (if given) receives the path's length; when it does not fit into
    // outSize, out holds a truncated, terminated copy and *truncated is true.
    bool Next(char* out, size_t outSize, size_t* fullLength = nullptr, bool* truncated = nullptr);

    size_t Count() const; // number of paths in the selection

private:
    const char* buffer_;
    size_t size_;
    size_t folderLength_; // length of the first string
    bool multiple_;       // a second string follows the first
    size_t pos_;          // start of the next name (multiple) or 0 / size_ (single)
};
