// Windows command-line text: splitting it into arguments the way
// CommandLineToArgvW does, and quoting arguments so they split back intact.
#pragma once

#include <string>
#include <vector>

// Returns the text after the program name (the first argument, which has no
// escapes: a quoted name runs to the next quote, a bare one to the next blank)
// and the blanks that follow it.
const char* SkipProgramName(const char* commandLine);

// Splits arguments by the Windows rules: blanks separate arguments outside
// quotes; 2n backslashes before a quote give n backslashes and the quote opens
// or closes a quoted part; 2n+1 give n backslashes and a literal quote;
// backslashes elsewhere are literal; inside a quoted part, a run of three
// quotes gives one literal quote. Returns false when a quoted part is still
// open at the end of the text (the arguments split so far are still stored).
bool SplitCommandLine(const char* text, std::vector<std::string>& args);

// Quotes one argument so that SplitCommandLine gives it back unchanged.
std::string QuoteArgument(const std::string& arg);

// Joins quoted arguments with single spaces.
std::string JoinCommandLine(const std::vector<std::string>& args);
