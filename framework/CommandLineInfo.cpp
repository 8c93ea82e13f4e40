#include "framework/CommandLineInfo.h"

#include <cctype>

namespace {

bool EqualsIgnoringCase(const char* a, const char* b) {
    for (; *a != '\0' && *b != '\0'; ++a, ++b) {
        if (std::tolower((unsigned char)*a) != std::tolower((unsigned char)*b))
            return false;
    }
    return *a == *b;
}

} // namespace

void CCommandLineInfo::ParseParam(const char* param, bool isFlag, bool) {
    // A program started to serve another one shows no start-up screens.
    if (isFlag &&
        (EqualsIgnoringCase(param, "Embedding") || EqualsIgnoringCase(param, "Automation")))
        m_bShowSplash = false;
}

void CCommandLineInfo::ParseArguments(int argc, const char* const* argv) {
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        if (arg == nullptr)
            continue;
        bool isFlag = arg[0] == '/' || arg[0] == '-';
        ParseParam(isFlag ? arg + 1 : arg, isFlag, i == argc - 1);
    }
}
