#include "core/TipsFile.h"
#include "framework/ProgramFilePath.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace {

// A tips file in the temporary folder, removed when the test ends.
class TipsFileTest : public ::testing::Test {
protected:
    void Write(const std::string& content) {
        std::FILE* f = std::fopen(path_.c_str(), "wb");
        ASSERT_NE(f, nullptr);
        std::fwrite(content.data(), 1, content.size(), f);
        std::fclose(f);
    }
    void OpenWith(const std::string& content) {
        Write(content);
        ASSERT_TRUE(tips_.Open(path_.c_str()));
    }
    std::vector<std::string> ReadTips(int count) {
        std::vector<std::string> got;
        for (int i = 0; i < count; ++i) {
            std::string tip;
            EXPECT_EQ(tips_.ReadNextTip(&tip), TipRead::kFound);
            got.push_back(tip);
        }
        return got;
    }
    void TearDown() override {
        tips_.Close();
        std::remove(path_.c_str());
    }

    std::string path_ =
        (std::filesystem::temp_directory_path() /
         ("tarvello_tips_" +
          std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) + ".txt"))
            .string();
    TipsFile tips_;
};

const char kFiveLines[] = "Tip A\n; a comment\n\n  indented\nTip B\n";

TEST_F(TipsFileTest, SkipsCommentEmptyAndIndentedLinesAndWraps) {
    OpenWith(kFiveLines);
    EXPECT_EQ(ReadTips(5),
              (std::vector<std::string>{"Tip A\n", "Tip B\n", "Tip A\n", "Tip B\n", "Tip A\n"}));
}

TEST_F(TipsFileTest, CarriageReturnLineFeedFilesReadTheSame) {
    OpenWith("Tip A\r\n; a comment\r\n\r\n  indented\r\n\tTabbed\r\nTip B\r\n");
    EXPECT_EQ(ReadTips(3), (std::vector<std::string>{"Tip A\n", "Tip B\n", "Tip A\n"}));
}

TEST_F(TipsFileTest, LastLineWithoutTerminatorIsATip) {
    OpenWith("Tip A\nTip B");
    EXPECT_EQ(ReadTips(3), (std::vector<std::string>{"Tip A\n", "Tip B", "Tip A\n"}));
}

TEST_F(TipsFileTest, PositionAfterATipResumesAtTheNextOne) {
    OpenWith(kFiveLines);
    ReadTips(1);
    long saved = tips_.Position();
    EXPECT_EQ(saved, 6); // just after "Tip A\n": exact byte offsets
    tips_.Close();

    ASSERT_TRUE(tips_.Open(path_.c_str()));
    ASSERT_TRUE(tips_.SeekTo(saved));
    EXPECT_EQ(ReadTips(1), std::vector<std::string>{"Tip B\n"});
    EXPECT_EQ(tips_.Position(), static_cast<long>(sizeof kFiveLines - 1));
}

TEST_F(TipsFileTest, LongLinesComeInPiecesThatCountAsLines) {
    // 2100 characters: pieces of 999, 999 and 102 plus the terminator. The
    // second piece starts with a space, so it is skipped like an indented line.
    std::string line = std::string(999, 'x') + " " + std::string(998, 'y') + std::string(102, 'z');
    OpenWith(line + "\nShort\n");
    std::vector<std::string> got = ReadTips(3);
    EXPECT_EQ(got[0], std::string(999, 'x'));
    EXPECT_EQ(got[1], std::string(102, 'z') + "\n");
    EXPECT_EQ(got[2], "Short\n");
}

TEST_F(TipsFileTest, LineOfExactlyThePieceLengthKeepsItsTerminatorApart) {
    // The terminator arrives as a piece of its own, an empty line.
    OpenWith(std::string(kTipPieceLength, 'x') + "\nNext\n");
    EXPECT_EQ(ReadTips(2), (std::vector<std::string>{std::string(kTipPieceLength, 'x'), "Next\n"}));
}

TEST_F(TipsFileTest, FilesWithoutTipsEndTheSearchWithAnEmptyTip) {
    const char* cases[] = {"", "; only\n; comments\n", "\n\n\n",
                           "  indented\n\tand tabbed\n;x\n\r\n"};
    for (const char* content : cases) {
        SCOPED_TRACE(content);
        OpenWith(content);
        std::string tip = "stale";
        EXPECT_EQ(tips_.ReadNextTip(&tip), TipRead::kNone);
        EXPECT_EQ(tip, "");
        tips_.Close();
    }
}

TEST_F(TipsFileTest, PositionBeyondTheEndWrapsToTheFirstTip) {
    OpenWith(kFiveLines);
    ASSERT_TRUE(tips_.SeekTo(5000));
    EXPECT_EQ(ReadTips(2), (std::vector<std::string>{"Tip A\n", "Tip B\n"}));
}

TEST_F(TipsFileTest, NegativePositionFailsToSeek) {
    OpenWith(kFiveLines);
    EXPECT_FALSE(tips_.SeekTo(-1));
}

TEST_F(TipsFileTest, TimeStampIsCtimeTextWithoutNewline) {
    OpenWith(kFiveLines);
    std::string stamp = tips_.TimeStamp();
    EXPECT_EQ(stamp.size(), 24u) << stamp;
}

TEST(TipsFileClosed, MissingFileDoesNotOpenAndReadsNothing) {
    TipsFile tips;
    EXPECT_FALSE(tips.Open("no/such/folder/tips.txt"));
    EXPECT_FALSE(tips.IsOpen());
    EXPECT_EQ(tips.Position(), -1);
    EXPECT_EQ(tips.TimeStamp(), "");
    std::string tip;
    EXPECT_EQ(tips.ReadNextTip(&tip), TipRead::kNone);
}

TEST(TipLines, SkipRules) {
    struct Row {
        const char* line;
        bool tip;
    } rows[] = {
        {"Tip\n", true}, {"x", true},
        {"", false},     {"\n", false},
        {"\r\n", false}, {" indented", false},
        {"\tx", false},  {";comment", false},
        {"a;b\n", true}, {"#not a comment", true},
    };
    for (const Row& row : rows)
        EXPECT_EQ(IsTipLine(row.line), row.tip) << row.line;
}

TEST(TipStamps, StartsAgainWhenTheStampChanged) {
    const std::string stamp = "Mon Dec  7 09:20:20 2026";
    struct Row {
        std::string file, saved;
        long savedOffset;
        long offset;
        bool changed;
    } rows[] = {
        {stamp, stamp, 42, 42, false},
        {stamp, "", 42, 0, true},                         // first run: nothing saved
        {stamp, "Mon Dec  7 09:20:21 2026", 42, 0, true}, // file replaced
        {stamp, "mon dec  7 09:20:20 2026", 42, 0, true}, // compared case-sensitively
        {"", "", 42, 42, false},                          // stamp unknown both times
    };
    for (const Row& row : rows) {
        TipStart start = ChooseTipStart(row.file, row.saved, row.savedOffset);
        EXPECT_EQ(start.offset, row.offset) << row.saved;
        EXPECT_EQ(start.stampChanged, row.changed) << row.saved;
    }
}

TEST(TipStamps, TextHasNoTrailingNewline) {
    std::string text = TimeStampText(1000000000); // September 2001, valid in every time zone
    EXPECT_EQ(text.size(), 24u) << text;
    EXPECT_NE(text.back(), '\n');
}

TEST(TipsPath, BesideTheExecutable) {
    struct Row {
        const char* exe;
        const char* path;
    } rows[] = {
        {"C:\\Program Files\\Tarvello\\Tarvello.exe", "C:\\Program Files\\Tarvello\\tips.txt"},
        {"C:\\Tarvello.exe", "C:\\tips.txt"},
        {"Tarvello.exe", "tips.txt"},
        {"\\Tarvello.exe", "tips.txt"}, // the first character is never taken as the folder
        {"", "tips.txt"},
    };
    for (const Row& row : rows) {
        char out[260];
        EXPECT_TRUE(BuildProgramFilePath(row.exe, "tips.txt", out, sizeof out));
        EXPECT_STREQ(out, row.path);
    }
}

TEST(TipsPath, RefusesWhatDoesNotFit) {
    std::string exe = "C:\\" + std::string(247, 'a') + "\\x.exe"; // folder of 251 characters
    char out[260];
    EXPECT_TRUE(BuildProgramFilePath(exe.c_str(), "tips.txt", out,
                                     sizeof out)); // 251 + 8 + terminator = 260
    exe = "C:\\" + std::string(248, 'a') + "\\x.exe";
    EXPECT_FALSE(BuildProgramFilePath(exe.c_str(), "tips.txt", out, sizeof out));
    EXPECT_STREQ(out, "");
}

} // namespace
