#include "core/LinkText.h"

#include <cstdio>
#include <cstring>

namespace {

struct CodeText {
    int code;
    const char* text;
};

const CodeText kLinkErrors[] = {
    {0, "The operating system is out\nof memory or resources."},
    {2, "The specified file was not found."},
    {3, "The specified path was not found."},
    {5, "The operating system denied\naccess to the specified file."},
    {8, "There was not enough memory to complete the operation."},
    {11, "The .EXE file is invalid\n(non-Win32 .EXE or error in .EXE image)."},
    {26, "A sharing violation occurred. "},
    {27, "The filename association is\nincomplete or invalid."},
    {28, "The DDE transaction could not\nbe completed because the request timed out."},
    {29, "The DDE transaction failed."},
    {30, "The DDE transaction could not\nbe completed because other DDE transactions\n"
         "were being processed."},
    {31, "There is no application associated\nwith the given filename extension."},
    {32, "The specified dynamic-link library was not found."},
};

// Copies the pieces into `out` when their total fits, else leaves "".
bool JoinBounded(char* out, std::size_t outSize, const char* a, std::size_t aLen, const char* b,
                 const char* c) {
    if (outSize == 0)
        return false;
    out[0] = '\0';
    std::size_t bLen = std::strlen(b);
    std::size_t cLen = std::strlen(c);
    if (aLen + bLen + cLen >= outSize)
        return false;
    std::memcpy(out, a, aLen);
    std::memcpy(out + aLen, b, bLen);
    std::memcpy(out + aLen + bLen, c, cLen + 1);
    return true;
}

} // namespace

std::string LinkErrorMessage(int code) {
    std::string message = "Unable to open hyperlink:\n\n";
    for (const CodeText& entry : kLinkErrors) {
        if (entry.code == code)
            return message + entry.text;
    }
    char unknown[64];
    std::snprintf(unknown, sizeof unknown, "Unknown Error (%d) occurred.", code);
    return message + unknown;
}

bool BuildHtmOpenCommand(const char* openCommand, const char* target, char* out,
                         std::size_t outSize) {
    const char* cut = std::strstr(openCommand, "\"%1\"");
    if (cut == nullptr)
        cut = std::strstr(openCommand, "%1");
    std::size_t keep =
        cut != nullptr ? static_cast<std::size_t>(cut - openCommand) : std::strlen(openCommand);
    return JoinBounded(out, outSize, openCommand, keep, " ", target);
}

bool BuildHelpTopicPath(const char* programFolder, char* out, std::size_t outSize) {
    return JoinBounded(out, outSize, programFolder, std::strlen(programFolder),
                       "help.chm::/overview/overview.htm", "");
}
