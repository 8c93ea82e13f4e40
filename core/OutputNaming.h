// Names the output file of a source: the output folder, the source's file
// name, the format's extension; a suffixed name when the plain one is taken.
// Pure: the file system is reached only through the callbacks.
#pragma once

#include <cstddef>

// Answers a question about a path; `context` is the caller's own pointer.
typedef bool (*PathTest)(const char* path, void* context);

struct OutputNamingRules {
    PathTest exists = nullptr; // a file or folder is at the path (nullptr: nothing is)
    void* existsContext = nullptr;
    // A path that must never be written, such as another source of the list
    // (nullptr: nothing is protected).
    PathTest isProtected = nullptr;
    void* protectedContext = nullptr;
};

// Writes folder + "\" (unless the folder already ends with one) + the source's
// file name with its extension replaced by `extension`. When something exists
// at that name, or it is protected, "_<source extension>" goes before the new
// extension instead (Movie.AVI -> Movie_AVI.avi); that name is used even when
// it exists too, so a later run replaces it. A protected suffixed name gets a number as well
// (Movie_AVI_2.avi, _3, ...). A file name without "." is taken whole
// (clip -> clip.avi, suffixed clip_.avi).
// Returns false, with out set to "" (when size allows), when the path would not
// fit in size - 1 characters, an argument is nullptr, or no free name is found.
bool ComposeOutputPath(const char* folder, const char* sourcePath, const char* extension,
                       const OutputNamingRules& rules, char* out, size_t size);

// The part of a path after its last "\" or "/" (the whole path without one).
const char* FileNamePart(const char* path);

// The directory part of a path up to and including its last "\" ("" without
// one). False, with out "", when it does not fit.
bool DirectoryPart(const char* path, char* out, size_t size);

// Two paths name the same file: letters compared without case, "/" same as "\".
bool SamePathText(const char* a, const char* b);
