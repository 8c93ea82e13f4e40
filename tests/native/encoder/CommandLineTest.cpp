#include "encoder/CommandLine.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Args = std::vector<std::string>;

struct SplitCase {
    const char* text;
    Args expected;
};

TEST(SplitCommandLine, FollowsTheWindowsRules) {
    const SplitCase cases[] = {
        {"", {}},
        {"   \t ", {}},
        {"a b\tc", {"a", "b", "c"}},
        {"  lead  trail  ", {"lead", "trail"}},
        {"\"C:\\output video\\holiday.vob\" -o x", {"C:\\output video\\holiday.vob", "-o", "x"}},
        {"\"\"", {""}},
        {"a\"b c\"d", {"ab cd"}},
        // Backslashes are literal unless a quote follows them.
        {"C:\\a\\\\b\\", {"C:\\a\\\\b\\"}},
        {"a\\\\\\\"b", {"a\\\"b"}},    // 3 backslashes + quote: one backslash, literal quote
        {"\"a\\\\\" b", {"a\\", "b"}}, // 2 backslashes + quote: one backslash, quote closes
        {"\\\"x\\\"", {"\"x\""}},
        // A folder with a final backslash must double it to end its quote.
        {"\"C:\\out dir\\\\\" 1", {"C:\\out dir\\", "1"}},
        // Three quotes in a quoted part give one literal quote.
        {"\"a\"\"\"b\"", {"a\"b"}},
        {"scale=-3:480,harddup,expand=720:480", {"scale=-3:480,harddup,expand=720:480"}},
        {"pad=w=max(iw\\,720)", {"pad=w=max(iw\\,720)"}},
    };
    for (const SplitCase& c : cases) {
        Args args;
        EXPECT_TRUE(SplitCommandLine(c.text, args)) << c.text;
        EXPECT_EQ(c.expected, args) << c.text;
    }
}

TEST(SplitCommandLine, ReportsAnUnbalancedQuote) {
    const char* cases[] = {"\"C:\\a.avi -o x 0 1", "a \"b", "\"C:\\out dir\\\" 1"};
    for (const char* text : cases) {
        Args args;
        EXPECT_FALSE(SplitCommandLine(text, args)) << text;
    }
}

TEST(SkipProgramName, TakesTheFirstArgumentWithoutEscapes) {
    EXPECT_STREQ("a b", SkipProgramName("\"C:\\Program Files\\quenforenc.exe\"  a b"));
    EXPECT_STREQ("x", SkipProgramName("C:\\dir\\\\quenforenc.exe x"));
    EXPECT_STREQ("", SkipProgramName("quenforenc.exe"));
    EXPECT_STREQ("", SkipProgramName("\"unterminated"));
    EXPECT_STREQ("", SkipProgramName(nullptr));
}

TEST(QuoteArgument, SplitsBackUnchanged) {
    const Args originals = {
        "plain",     "",          "with space", "C:\\out dir\\",      "a\"b", "\\\\server\\share\\",
        "tab\there", "trail\\\\", "\\\"",       "pad=w=max(iw\\,720)"};
    const std::string joined = JoinCommandLine(originals);
    Args back;
    ASSERT_TRUE(SplitCommandLine(joined.c_str(), back)) << joined;
    EXPECT_EQ(originals, back) << joined;
    EXPECT_EQ("plain", QuoteArgument("plain"));
    EXPECT_EQ("\"C:\\out dir\\\\\"", QuoteArgument("C:\\out dir\\"));
}

} // namespace
