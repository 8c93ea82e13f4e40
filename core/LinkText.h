// Texts behind the link labels and the Help menu: the failure message for a
// link that did not open, the fallback command line through the ".htm"
// association, and the path of the help file's overview topic.
#pragma once

#include <cstddef>
#include <string>

// Size of the fallback command line buffer, terminator included.
constexpr std::size_t kLinkCommandSize = 520;
// Size of the help topic path buffer, terminator included.
constexpr std::size_t kHelpTopicSize = 256;

// "Unable to open hyperlink:\n\n" followed by the explanation of a result
// code of OpenLink (a shell or process-start result).
std::string LinkErrorMessage(int code);

// Builds the command that opens `target` with the ".htm" open command
// `openCommand`: the command is cut at its first quoted "%1" placeholder, or
// failing that at its first bare %1, then a space and the target follow.
// False (and `out` empty) when the result would not fit in `outSize`.
bool BuildHtmOpenCommand(const char* openCommand, const char* target, char* out,
                         std::size_t outSize);

// `programFolder` (ending in a backslash, or empty) followed by the overview
// topic of the help file. False (and `out` empty) when it would not fit.
bool BuildHelpTopicPath(const char* programFolder, char* out, std::size_t outSize);
