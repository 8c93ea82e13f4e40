#include "framework/ProgramFilePath.h"

#include <cstring>

bool BuildProgramFilePath(const char* exePath, const char* fileName, char* out,
                          std::size_t outSize) {
    if (outSize == 0)
        return false;
    out[0] = '\0';
    std::size_t folder = 0; // length of the folder part, backslash included
    for (std::size_t i = std::strlen(exePath); i > 1; --i) {
        if (exePath[i - 1] == '\\') {
            folder = i;
            break;
        }
    }
    std::size_t nameLength = std::strlen(fileName);
    if (folder + nameLength >= outSize)
        return false;
    std::memcpy(out, exePath, folder);
    std::memcpy(out + folder, fileName, nameLength + 1);
    return true;
}
