// The start-up screen flag of the command-line record.
#include <gtest/gtest.h>

#include <vector>

#include "framework/CommandLineInfo.h"

namespace {

TEST(CommandLineInfoTest, OnlyEmbeddingAndAutomationSwitchesHideStartupScreens) {
    struct Case {
        std::vector<const char*> args; // after the program name
        bool showSplash;
    } cases[] = {
        {{}, true},
        {{"/Embedding"}, false},
        {{"-embedding"}, false},
        {{"/AUTOMATION"}, false},
        {{"-Automation"}, false},
        {{"C:\\clips\\a.avi"}, true},
        {{"Embedding"}, true},   // not a switch
        {{"/Embeddingx"}, true}, // another switch
        {{"/dde"}, true},
        {{"/p", "a.avi", "-Embedding"}, false},
        {{"/"}, true},
    };
    for (const Case& c : cases) {
        std::vector<const char*> argv = {"Tarvello.exe"};
        argv.insert(argv.end(), c.args.begin(), c.args.end());
        CCommandLineInfo info;
        info.ParseArguments((int)argv.size(), argv.data());
        EXPECT_EQ(c.showSplash, info.m_bShowSplash) << (c.args.empty() ? "" : c.args.back());
    }
}

} // namespace
