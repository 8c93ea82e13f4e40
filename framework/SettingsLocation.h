// Where a program keeps what it remembers: beside its executable when that
// folder can be written, else in a folder of its own under %APPDATA%.
#pragma once

#include <cstddef>

// Whether a file at `path` could be updated (an existing file that is not
// read-only opens for writing) or created (tried with a temporary file that
// is removed again).
bool CanWriteFile(const char* path);

// "%APPDATA%\<folderName>" (no final backslash) into out; false, with out "",
// when %APPDATA% is not set or the path does not fit.
bool UserDataFolder(const char* folderName, char* out, size_t size);
