// Which file a path names, as the file system sees it: two spellings of one
// file (another drive letter for the same folder, a network path and its
// mapped drive, a short 8.3 name, letters in another case) give the same
// identity. And names compared the way the file system compares them.
#pragma once

#include <cstdint>

struct FileIdentity {
    uint32_t volume = 0; // volume serial number
    uint64_t index = 0;  // file index on that volume
};

inline bool operator==(const FileIdentity& a, const FileIdentity& b) {
    return a.volume == b.volume && a.index == b.index;
}

// The identity of the file or folder at `path`; false when nothing is there
// or it cannot be opened to ask.
bool ReadFileIdentity(const char* path, FileIdentity* out);

// Two paths are spelt alike for the file system: letters compared without
// case over the whole of Unicode (as NTFS does), "/" taken as "\".
bool SameFileName(const char* a, const char* b);
