#include "core/OutputNaming.h"

#include <cstdio>
#include <cstring>

namespace {

// Renamed outputs stop after this many numbered tries.
constexpr int kMaxNumberedNames = 99;

bool IsSeparator(char c) {
    return c == '\\' || c == '/';
}

char FoldCase(char c) {
    if (c >= 'A' && c <= 'Z')
        return static_cast<char>(c - 'A' + 'a');
    if (c == '/')
        return '\\';
    return c;
}

bool Fits(int written, size_t size) {
    return written >= 0 && static_cast<size_t>(written) < size;
}

bool Exists(const OutputNamingRules& rules, const char* path) {
    return rules.exists != nullptr && rules.exists(path, rules.existsContext);
}

bool IsProtected(const OutputNamingRules& rules, const char* path) {
    return rules.isProtected != nullptr && rules.isProtected(path, rules.protectedContext);
}

bool Fail(char* out, size_t size) {
    if (out != nullptr && size > 0)
        out[0] = '\0';
    return false;
}

} // namespace

const char* FileNamePart(const char* path) {
    if (path == nullptr)
        return "";
    const char* name = path;
    for (const char* p = path; *p != '\0'; ++p) {
        if (IsSeparator(*p))
            name = p + 1;
    }
    return name;
}

bool DirectoryPart(const char* path, char* out, size_t size) {
    if (out == nullptr || size == 0)
        return false;
    out[0] = '\0';
    if (path == nullptr)
        return true;
    const char* lastBackslash = std::strrchr(path, '\\');
    if (lastBackslash == nullptr)
        return true;
    const size_t length = static_cast<size_t>(lastBackslash - path) + 1;
    if (length >= size)
        return false;
    std::memcpy(out, path, length);
    out[length] = '\0';
    return true;
}

bool SamePathText(const char* a, const char* b) {
    if (a == nullptr || b == nullptr)
        return false;
    for (; *a != '\0' && *b != '\0'; ++a, ++b) {
        if (FoldCase(*a) != FoldCase(*b))
            return false;
    }
    return *a == *b;
}

bool ComposeOutputPath(const char* folder, const char* sourcePath, const char* extension,
                       const OutputNamingRules& rules, char* out, size_t size) {
    if (out == nullptr || size == 0)
        return false;
    if (folder == nullptr || sourcePath == nullptr || extension == nullptr)
        return Fail(out, size);

    const size_t folderLength = std::strlen(folder);
    const char* separator = (folderLength > 0 && folder[folderLength - 1] == '\\') ? "" : "\\";

    // The stem is the file name up to its last "."; only the file name is
    // searched, so a "." in a folder name never cuts the path.
    const char* name = FileNamePart(sourcePath);
    const char* dot = std::strrchr(name, '.');
    const int stemLength = static_cast<int>(dot != nullptr ? dot - name : std::strlen(name));
    const char* sourceExtension = dot != nullptr ? dot + 1 : "";

    if (!Fits(
            std::snprintf(out, size, "%s%s%.*s.%s", folder, separator, stemLength, name, extension),
            size)) {
        return Fail(out, size);
    }
    // A protected plain name may not be on disk yet: the output of a job
    // still running is written under a temporary name.
    if (!Exists(rules, out) && !IsProtected(rules, out))
        return true;

    if (!Fits(std::snprintf(out, size, "%s%s%.*s_%s.%s", folder, separator, stemLength, name,
                            sourceExtension, extension),
              size)) {
        return Fail(out, size);
    }
    for (int number = 2; IsProtected(rules, out); ++number) {
        if (number > kMaxNumberedNames)
            return Fail(out, size);
        if (!Fits(std::snprintf(out, size, "%s%s%.*s_%s_%d.%s", folder, separator, stemLength, name,
                                sourceExtension, number, extension),
                  size)) {
            return Fail(out, size);
        }
    }
    return true;
}
