#include "core/ProgressDisplay.h"

#include <gtest/gtest.h>

namespace {

constexpr uint32_t kMinute = 60u * 1000u;

TEST(ProgressText, TextAndBarForKnownReports) {
    struct Case {
        double position;
        double done;
        double total;
        uint32_t elapsedMs;
        int32_t bar;
        const char* text;
    } cases[] = {
        // Nothing done: the estimate is the media time of the list.
        {0, 0, 1000, 0, 0, "Total time:00:16:40;Elapsed time:00:00:00;Finished 0.0%"},
        {250, 0, 1000, 5 * kMinute, 250,
         "Total time:00:20:00;Elapsed time:00:05:00;Finished 25.0%"},
        // 80 minutes in: elapsed x 1000 does not fit 32 bits.
        {500, 0, 1000, 80 * kMinute, 500,
         "Total time:02:40:00;Elapsed time:01:20:00;Finished 50.0%"},
        {1000, 0, 1000, 90 * kMinute, 1000,
         "Total time:01:30:00;Elapsed time:01:30:00;Finished 100.0%"},
        {5, 0, 1000, 1000, 5, "Total time:00:03:20;Elapsed time:00:00:01;Finished 0.5%"},
        // Finished files count; the last file is half done.
        {30, 60, 120, 45000, 750, "Total time:00:01:00;Elapsed time:00:00:45;Finished 75.0%"},
        {0.4, 0, 1000.7, 0, 0, "Total time:00:00:00;Elapsed time:00:00:00;Finished 0.0%"},
    };
    for (const Case& c : cases) {
        ProgressDisplay display;
        ASSERT_TRUE(ComputeProgressDisplay(c.position, c.done, c.total, c.elapsedMs, display))
            << c.position;
        EXPECT_EQ(c.bar, display.thousandths) << c.position;
        EXPECT_STREQ(c.text, display.text) << c.position;
    }
}

TEST(ProgressText, ReportsOutsideTheListShowNothing) {
    ProgressDisplay display;
    display.thousandths = 123;
    EXPECT_FALSE(ComputeProgressDisplay(1001, 0, 1000, 0, display));
    EXPECT_FALSE(ComputeProgressDisplay(10, 995, 1000, 0, display));
    EXPECT_FALSE(ComputeProgressDisplay(-1, 0, 1000, 0, display));
    EXPECT_EQ(123, display.thousandths);
}

TEST(ProgressText, ListOfUnknownLengthShowsElapsedTimeOnly) {
    ProgressDisplay display;
    ASSERT_TRUE(ComputeProgressDisplay(42, 0, 0, 65000, display));
    EXPECT_EQ(0, display.thousandths);
    EXPECT_STREQ("Total time:--:--:--;Elapsed time:00:01:05;Finished 0.0%", display.text);
}

TEST(ProgressText, FixedTexts) {
    EXPECT_STREQ("Total time:00:00:00,Elapsed time:00:00:00;Finished 0.0%", kProgressStartText);
    EXPECT_STREQ("Cancel processing...", kProgressCancelText);
}

} // namespace
