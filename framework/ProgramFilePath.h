// Paths of the files that ship beside the program (tips.txt, help.chm).
// No platform headers, so it is tested natively.
#pragma once

#include <cstddef>

// `fileName` in the folder of `exePath` (the part up to its last backslash,
// not counting a backslash in the first position), or `fileName` alone when the
// path has no folder. False when the result does not fit in `outSize`
// characters; `out` then holds "".
bool BuildProgramFilePath(const char* exePath, const char* fileName, char* out,
                          std::size_t outSize);
