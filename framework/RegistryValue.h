// Reading the default value of a registry key as text.
#pragma once

#include <windows.h>

// The default value of `root`\`subKey` (a string or expandable string, as
// stored) into `value` of `size` characters, always terminated. False when
// the key or its value cannot be read.
bool ReadRegistryDefault(HKEY root, const char* subKey, char* value, DWORD size);
