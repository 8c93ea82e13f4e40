#include "core/BatchReport.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(BatchReport, Success) {
    char text[kBatchReportCapacity];
    ComposeSuccessReport(75, text, sizeof text);
    EXPECT_STREQ("Mission accomplished! Total Time:00:01:15", text);
}

TEST(BatchReport, FailuresAreListed) {
    FailureReport report;
    report.Add("C:\\clips\\a.avi", "FFmpeg failed (exit code 13)");
    report.Add("C:\\clips\\c.avi", "no output was written");
    EXPECT_EQ(2, report.Count());
    char text[kBatchReportCapacity];
    report.Compose(5, 3600, text, sizeof text);
    EXPECT_STREQ(
        "Finished with errors. Total Time:01:00:00\n\n2 of 5 files could not be converted:\n"
        "C:\\clips\\a.avi - FFmpeg failed (exit code 13)\n"
        "C:\\clips\\c.avi - no output was written",
        text);
}

TEST(BatchReport, ARunThatEndsEarlyListsTheFailuresSoFar) {
    FailureReport report;
    char text[kBatchReportCapacity];
    report.ComposeStopped(kRunStoppedText, 4, text, sizeof text);
    EXPECT_STREQ("The conversion was stopped.", text);

    report.Add("C:\\clips\\a.avi", "FFmpeg failed (exit code 13)");
    report.ComposeStopped(
        "The encoder could not be started.\n\nIt was looked for at:\nC:\\p\\quenforenc.exe", 4,
        text, sizeof text);
    EXPECT_STREQ(
        "The encoder could not be started.\n\nIt was looked for at:\nC:\\p\\quenforenc.exe\n\n"
        "Before that, 1 of 4 files could not be converted:\n"
        "C:\\clips\\a.avi - FFmpeg failed (exit code 13)",
        text);
}

TEST(BatchReport, LongListsAreCutByWholeLines) {
    FailureReport report;
    const std::string path = "C:\\" + std::string(240, 'x') + ".avi";
    for (int i = 0; i < 99; ++i)
        report.Add(path.c_str(), "FFmpeg failed (exit code 13)");
    char text[kBatchReportCapacity];
    report.Compose(99, 0, text, sizeof text);
    const std::string shown = text;
    EXPECT_NE(std::string::npos, shown.find("99 of 99 files"));
    EXPECT_NE(std::string::npos, shown.find("... and 87 more"));
    EXPECT_NE(std::string::npos, shown.find(".avi - FFmpeg failed (exit code 13)\n..."));
}

} // namespace
