// The source list's file, sources.txt, beside option.ini (the program
// folder when it can be written, else %APPDATA%\Tarvello). A save writes a
// temporary file beside it and renames it into place, so a crash or a power
// loss leaves the last whole list, never half of one.
#pragma once

#include <string>

#include "core/ListFile.h"

// sources.txt in the folder that option.ini is written to; "" when no path fits.
std::string DefaultListPath();

// What a load found. A missing file is an empty list; a file with lines
// that could not be used is first copied to <path>.bad, which `keptAs`
// names ("" when the copy failed or nothing was wrong).
struct LoadedList {
    ListFileContents contents;
    std::string keptAs;
};
LoadedList LoadList(const std::string& path);

// Writes `text` to <path>.new and renames it over `path`; false when the
// folder cannot be written.
bool SaveList(const std::string& path, const std::string& text);
