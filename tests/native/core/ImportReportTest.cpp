#include "core/ImportReport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::string ProblemText(ImportProblem problem, const char* path) {
    char text[kImportMessageCapacity];
    ImportReport::ComposeProblemText(problem, path, text, sizeof text);
    return text;
}

TEST(ImportReport, KeepsProblemsInTheOrderTheyHappened) {
    ImportReport report;
    report.Add(1, ImportProblem::kProbeFailed);
    report.Add(4, ImportProblem::kPathTooLong);
    report.Add(2, ImportProblem::kProbeFailed);
    ASSERT_EQ(3, report.ProblemCount());
    EXPECT_EQ(1, report.SelectionIndex(0));
    EXPECT_EQ(4, report.SelectionIndex(1));
    EXPECT_EQ(2, report.SelectionIndex(2));
    EXPECT_EQ(ImportProblem::kPathTooLong, report.Problem(1));
    EXPECT_EQ(-1, report.SelectionIndex(3));
}

TEST(ImportReport, DropsProblemsBeyondItsCapacity) {
    ImportReport report;
    for (int32_t i = 0; i < kMaxImportProblems + 5; ++i)
        report.Add(i, ImportProblem::kProbeFailed);
    EXPECT_EQ(kMaxImportProblems, report.ProblemCount());
    EXPECT_EQ(kMaxImportProblems - 1, report.SelectionIndex(kMaxImportProblems - 1));
}

TEST(ImportReport, ProbeFailureText) {
    EXPECT_EQ("Load file C:\\clips\\b.avi failed.",
              ProblemText(ImportProblem::kProbeFailed, "C:\\clips\\b.avi"));
}

TEST(ImportReport, NoVideoKeepsTheFailureLineFirstAndSaysWhy) {
    EXPECT_EQ("Load file C:\\music\\a.mp3 failed.\nThe file holds no video stream.",
              ProblemText(ImportProblem::kNoVideo, "C:\\music\\a.mp3"));
}

TEST(ImportReport, TooLongTextNamesTheLimitAndTheWholePath) {
    std::string path = "C:\\" + std::string(300, 'x') + ".avi";
    std::string text = ProblemText(ImportProblem::kPathTooLong, path.c_str());
    EXPECT_NE(std::string::npos, text.find("255"));
    EXPECT_NE(std::string::npos, text.find(path));
}

TEST(ImportReport, TextsStayInsideSmallBuffers) {
    char text[8] = "";
    ImportReport::ComposeProblemText(ImportProblem::kProbeFailed, "C:\\a.avi", text, sizeof text);
    EXPECT_STREQ("Load fi", text);
}

TEST(ImportReport, LeftOutText) {
    struct Case {
        int leftOut;
        const char* text;
    } cases[] = {
        {0, ""},
        {1, "The list holds at most 99 video files. 1 selected file was not added."},
        {3, "The list holds at most 99 video files. 3 selected files were not added."},
    };
    for (const Case& c : cases) {
        ImportReport report;
        for (int i = 0; i < c.leftOut; ++i)
            report.AddLeftOut();
        char text[kImportMessageCapacity] = "junk";
        report.ComposeLeftOutText(text, sizeof text);
        EXPECT_STREQ(c.text, text);
    }
}

// The one box's text for these problems of the files C:\v\f0.avi,
// C:\v\f1.avi, ... in that order.
const char kEllipsis[] = "\xE2\x80\xA6"; // "…" in UTF-8
std::string ProblemList(const std::vector<ImportProblem>& problems,
                        size_t size = kProblemListCapacity) {
    ImportReport report;
    std::vector<std::string> paths;
    for (size_t i = 0; i < problems.size(); ++i) {
        paths.push_back("C:\\v\\f" + std::to_string(i) + ".avi");
        report.Add(static_cast<int32_t>(i), problems[i]);
    }
    std::vector<char> text(size, 'x');
    report.ComposeProblemList(paths, kEllipsis, text.data(), text.size());
    return std::string(text.data());
}

std::vector<ImportProblem> Failures(int count) {
    return std::vector<ImportProblem>(static_cast<size_t>(count), ImportProblem::kProbeFailed);
}

std::string FailureLines(int from, int to) {
    std::string lines;
    for (int i = from; i < to; ++i)
        lines += "Load file C:\\v\\f" + std::to_string(i) + ".avi failed.\n";
    return lines;
}

TEST(ImportReport, OneBoxFromTheFourthProblemOn) {
    for (int count : {0, 1, 3, 4, 1500}) {
        ImportReport report;
        for (int i = 0; i < count; ++i)
            report.Add(i, ImportProblem::kProbeFailed);
        EXPECT_EQ(count > 3, report.OneBox()) << count;
        EXPECT_EQ(count, report.TotalProblemCount()) << count;
    }
}

TEST(ImportReport, ProblemListShowsTheFirstTwentyAndCountsTheRest) {
    const std::string more = std::string(kEllipsis) + "and ";
    struct Case {
        int count;
        std::string text;
    } cases[] = {
        {4, FailureLines(0, 4).substr(0, FailureLines(0, 4).size() - 1)},
        {20, FailureLines(0, 20).substr(0, FailureLines(0, 20).size() - 1)},
        {21, FailureLines(0, 20) + more + "1 more file could not be used."},
        {1000, FailureLines(0, 20) + more + "980 more files could not be used."},
        {1500, FailureLines(0, 20) + more +
                   "1480 more files could not be used."}, // beyond what is recorded
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.text, ProblemList(Failures(c.count))) << c.count;
}

TEST(ImportReport, ProblemListKeepsEachFilesReason) {
    const std::string list =
        ProblemList({ImportProblem::kProbeFailed, ImportProblem::kNoVideo,
                     ImportProblem::kPathTooLong, ImportProblem::kProbeFailed});
    EXPECT_EQ(0u, list.find("Load file C:\\v\\f0.avi failed.\n"
                            "Load file C:\\v\\f1.avi failed.\nThe file holds no video stream.\n"
                            "The path of this file is longer than 255 characters"))
        << list;
    EXPECT_NE(std::string::npos, list.find(":\nC:\\v\\f2.avi\nLoad file C:\\v\\f3.avi failed."))
        << list;
}

TEST(ImportReport, ProblemListInASmallBufferCountsWhatDoesNotFitWhole) {
    // Room for the closing line (80) and three entries of 30 characters with
    // their line breaks.
    const std::string list = ProblemList(Failures(30), 80 + 3 * 30);
    EXPECT_EQ(FailureLines(0, 3) + kEllipsis + "and 27 more files could not be used.", list);
}

} // namespace
