// The framework's command-line record. Only the start-up screen flag is kept:
// the switches Embedding and Automation (after '/' or '-', any letter case)
// clear it; every other argument is ignored. Pure code, tested natively.
#pragma once

class CCommandLineInfo {
public:
    CCommandLineInfo() : m_bShowSplash(true) {}
    virtual ~CCommandLineInfo() = default;

    // One argument (without the leading '/' or '-' when isFlag).
    virtual void ParseParam(const char* param, bool isFlag, bool isLast);

    // Feeds every argument after the program name (argv[1..argc-1]).
    void ParseArguments(int argc, const char* const* argv);

    bool m_bShowSplash;
};
