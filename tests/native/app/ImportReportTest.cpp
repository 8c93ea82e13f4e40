#include "app/ImportReport.h"

#include <gtest/gtest.h>

#include <string>

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
    for (int32_t i = 0; i < kMaxImportProblems + 5; ++i) report.Add(i, ImportProblem::kProbeFailed);
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
        for (int i = 0; i < c.leftOut; ++i) report.AddLeftOut();
        char text[kImportMessageCapacity] = "junk";
        report.ComposeLeftOutText(text, sizeof text);
        EXPECT_STREQ(c.text, text);
    }
}

}  // namespace
