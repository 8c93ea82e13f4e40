#include "encoder/CommandLine.h"

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

} // namespace

const char* SkipProgramName(const char* commandLine) {
    const char* s = commandLine;
    if (s == nullptr)
        return "";
    if (*s == '"') {
        ++s;
        while (*s != '\0' && *s != '"')
            ++s;
        if (*s == '"')
            ++s;
    } else {
        while (*s != '\0' && !IsBlank(*s))
            ++s;
    }
    while (IsBlank(*s))
        ++s;
    return s;
}

bool SplitCommandLine(const char* text, std::vector<std::string>& args) {
    args.clear();
    if (text == nullptr)
        return true;
    const char* s = text;
    while (IsBlank(*s))
        ++s;
    if (*s == '\0')
        return true;

    std::string current;
    int quotes = 0;         // quote state as CommandLineToArgvW keeps it: 0 outside, 1 inside
    size_t backslashes = 0; // backslashes just copied to current
    while (*s != '\0') {
        if (IsBlank(*s) && quotes == 0) {
            args.push_back(current);
            current.clear();
            backslashes = 0;
            while (IsBlank(*s))
                ++s;
            if (*s == '\0')
                return true;
        } else if (*s == '\\') {
            current.push_back('\\');
            ++backslashes;
            ++s;
        } else if (*s == '"') {
            if (backslashes % 2 == 0) {
                // Even run: half the backslashes stay, the quote toggles.
                current.resize(current.size() - backslashes / 2);
                ++quotes;
            } else {
                // Odd run: half the backslashes stay, the quote is literal.
                current.resize(current.size() - backslashes / 2 - 1);
                current.push_back('"');
            }
            ++s;
            backslashes = 0;
            while (*s == '"') {
                if (++quotes == 3) {
                    current.push_back('"');
                    quotes = 0;
                }
                ++s;
            }
            if (quotes == 2)
                quotes = 0;
        } else {
            current.push_back(*s);
            backslashes = 0;
            ++s;
        }
    }
    args.push_back(current);
    return quotes == 0;
}

std::string QuoteArgument(const std::string& arg) {
    if (!arg.empty() && arg.find_first_of(" \t\"") == std::string::npos)
        return arg;
    std::string out = "\"";
    size_t backslashes = 0;
    for (char c : arg) {
        if (c == '\\') {
            ++backslashes;
        } else if (c == '"') {
            out.append(backslashes * 2 + 1, '\\');
            backslashes = 0;
        } else {
            out.append(backslashes, '\\');
            backslashes = 0;
        }
        if (c != '\\')
            out.push_back(c);
    }
    // Backslashes before the closing quote must be doubled.
    out.append(backslashes * 2, '\\');
    out.push_back('"');
    return out;
}

std::string JoinCommandLine(const std::vector<std::string>& args) {
    std::string out;
    for (size_t i = 0; i < args.size(); ++i) {
        if (i > 0)
            out.push_back(' ');
        out += QuoteArgument(args[i]);
    }
    return out;
}
