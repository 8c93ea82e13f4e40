#include "core/LinkText.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(LinkErrorMessage, KnownAndUnknownCodes) {
    struct Row {
        int code;
        const char* text;
    } rows[] = {
        {0, "The operating system is out\nof memory or resources."},
        {26, "A sharing violation occurred. "}, // the trailing space is part of it
        {1, "Unknown Error (1) occurred."},
        {-5, "Unknown Error (-5) occurred."},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(LinkErrorMessage(row.code),
                  std::string("Unable to open hyperlink:\n\n") + row.text);
    }
}

TEST(HtmOpenCommand, CutsAtThePlaceholder) {
    struct Row {
        const char* command;
        const char* result;
    } rows[] = {
        {"\"C:\\Web\\browser.exe\" \"%1\"", "\"C:\\Web\\browser.exe\"  http://x/"},
        {"C:\\Web\\browser.exe -nohome \"%1\" -flag", "C:\\Web\\browser.exe -nohome  http://x/"},
        {"C:\\Web\\browser.exe %1", "C:\\Web\\browser.exe  http://x/"},
        {"C:\\Web\\browser.exe %1 \"%1\"",
         "C:\\Web\\browser.exe %1  http://x/"}, // quoted form first
        {"C:\\Web\\browser.exe", "C:\\Web\\browser.exe http://x/"},
        {"", " http://x/"},
    };
    for (const Row& row : rows) {
        char out[kLinkCommandSize];
        EXPECT_TRUE(BuildHtmOpenCommand(row.command, "http://x/", out, sizeof out));
        EXPECT_STREQ(out, row.result);
    }
}

TEST(HtmOpenCommand, RefusesACommandThatDoesNotFit) {
    char out[kLinkCommandSize];
    std::string command(260, 'c');
    std::string target(kLinkCommandSize - 262, 't'); // 260 + space + target = 519
    EXPECT_TRUE(BuildHtmOpenCommand(command.c_str(), target.c_str(), out, sizeof out));
    target += 't';
    EXPECT_FALSE(BuildHtmOpenCommand(command.c_str(), target.c_str(), out, sizeof out));
    EXPECT_STREQ(out, "");
}

TEST(HelpTopicPath, BesideTheProgramAndBounded) {
    char out[kHelpTopicSize];
    EXPECT_TRUE(BuildHelpTopicPath("C:\\Tarvello\\", out, sizeof out));
    EXPECT_STREQ(out, "C:\\Tarvello\\help.chm::/overview/overview.htm");

    const std::string topic = "help.chm::/overview/overview.htm";
    std::string folder(kHelpTopicSize - 1 - topic.size(), 'f');
    EXPECT_TRUE(BuildHelpTopicPath(folder.c_str(), out, sizeof out));
    folder += 'f';
    EXPECT_FALSE(BuildHelpTopicPath(folder.c_str(), out, sizeof out));
    EXPECT_STREQ(out, "");
}

} // namespace
