// The file dialog's pure halves: filter text and selection buffer iteration.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/FileSelection.h"

namespace {

std::vector<std::string> Paths(const std::string& buffer, size_t outSize = 256) {
    FileSelection files(buffer.data(), buffer.size());
    std::vector<std::string> paths;
    std::vector<char> out(outSize + 1, '#');
    while (files.Next(out.data(), outSize))
        paths.push_back(out.data());
    return paths;
}

TEST(FileSelectionTest, IteratesBothForms) {
    using V = std::vector<std::string>;
    struct Case {
        std::string buffer; // as the dialog leaves it (std::string keeps the NULs)
        V paths;
    } cases[] = {
        {std::string("C:\\clips\\one.avi\0\0", 18), V{"C:\\clips\\one.avi"}},
        {std::string("C:\\clips\0a.avi\0b.divx\0\0", 24),
         V{"C:\\clips\\a.avi", "C:\\clips\\b.divx"}},
        {std::string("C:\\\0a.avi\0b.avi\0\0", 17), V{"C:\\a.avi", "C:\\b.avi"}}, // drive root
        {std::string("\0\0", 2), V{}},
        {std::string(""), V{}},
        // No terminating NULs at the end of the buffer: stops at its end.
        {std::string("C:\\d\0x.avi", 10), V{"C:\\d\\x.avi"}},
        {std::string("C:\\caf\xc3\xa9 \xe6\x97\xa5\0a.avi\0\0", 20),
         V{"C:\\caf\xc3\xa9 \xe6\x97\xa5\\a.avi"}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.paths, Paths(c.buffer)) << c.buffer;
        FileSelection files(c.buffer.data(), c.buffer.size());
        EXPECT_EQ(c.paths.size(), files.Count()) << c.buffer;
    }
}

TEST(FileSelectionTest, ReportsPathsThatDoNotFit) {
    std::string buffer("C:\\clips\0abcdef.avi\0x.avi\0\0", 27);
    FileSelection files(buffer.data(), buffer.size());
    char out[8];
    size_t length = 0;
    bool truncated = false;
    ASSERT_TRUE(files.Next(out, sizeof out, &length, &truncated));
    EXPECT_EQ(19u, length);
    EXPECT_TRUE(truncated);
    EXPECT_STREQ("C:\\clip", out);
    char big[32];
    ASSERT_TRUE(files.Next(big, sizeof big, &length, &truncated));
    EXPECT_EQ(14u, length);
    EXPECT_FALSE(truncated);
    EXPECT_STREQ("C:\\clips\\x.avi", big);
    EXPECT_FALSE(files.Next(big, sizeof big));
    EXPECT_STREQ("", big);
}

TEST(FileSelectionTest, NullBufferIsEmpty) {
    FileSelection files(nullptr, 100);
    char out[8];
    EXPECT_FALSE(files.Next(out, sizeof out));
    EXPECT_EQ(0u, files.Count());
}

TEST(FilterTextTest, BarsBecomeNuls) {
    struct Case {
        const char* filter;
        std::string expected; // including the final double NUL
    } cases[] = {
        {"AVI file (*.avi)|*.avi;*.divx||",
         std::string("AVI file (*.avi)\0*.avi;*.divx\0\0\0", 33)},
        {"a|b", std::string("a\0b\0\0", 5)},
        {"", std::string("\0\0", 2)},
    };
    for (const Case& c : cases) {
        char out[64];
        ASSERT_TRUE(ConvertFilterText(c.filter, out, sizeof out)) << c.filter;
        EXPECT_EQ(c.expected, std::string(out, c.expected.size())) << c.filter;
    }
}

TEST(FilterTextTest, TooLongGivesAnEmptyList) {
    char out[5] = "xxxx";
    EXPECT_FALSE(ConvertFilterText("abcd", out, sizeof out)); // needs 6
    EXPECT_EQ('\0', out[0]);
    EXPECT_EQ('\0', out[1]);
    EXPECT_TRUE(ConvertFilterText("abc", out, sizeof out));
    char one[1] = {'x'};
    EXPECT_FALSE(ConvertFilterText("", one, sizeof one));
}

} // namespace
