#include "core/ListFile.h"

#include <gtest/gtest.h>

#include <string>

namespace {

SourceRow Facts(double duration) {
    SourceRow row;
    row.duration = duration;
    row.width = 640;
    row.height = 480;
    row.frameRate = 29.97;
    return row;
}

TEST(ListFile, RoundTripKeepsPathsFactsStatusesAndReasons) {
    SourceTable table;
    const RowStatus statuses[] = {RowStatus::kNone,   RowStatus::kWaiting, RowStatus::kConverting,
                                  RowStatus::kDone,   RowStatus::kFailed,  RowStatus::kStopped};
    for (RowStatus status : statuses) {
        const int32_t row = table.Append(
            ("C:\\clips\\caf\xC3\xA9 " + std::to_string(table.Count()) + ".avi").c_str(),
            Facts(1.5 + table.Count()));
        table.State(row)->status = status;
        table.State(row)->percent = 42;
    }
    table.State(4)->reason = "FFmpeg failed\twith\r\na tab";

    const ListFileContents back = ReadListFile(WriteListFile(table));
    EXPECT_EQ(0, back.unreadable);
    ASSERT_EQ(6u, back.rows.size());
    for (int32_t i = 0; i < 6; ++i) {
        EXPECT_EQ(table.Path(i), back.rows[i].path);
        EXPECT_DOUBLE_EQ(table.At(i)->duration, back.rows[i].facts.duration);
        EXPECT_EQ(480, back.rows[i].facts.height);
        EXPECT_NEAR(29.97, back.rows[i].facts.frameRate, 1e-6);
        EXPECT_EQ(statuses[i], back.rows[i].state.status) << i;
        EXPECT_EQ(0, back.rows[i].state.percent);
    }
    EXPECT_EQ("FFmpeg failed with  a tab", back.rows[4].state.reason);
}

// Hand-edited and damaged files: what can be used is loaded, the rest is
// counted, nothing throws or stops.
TEST(ListFile, DamagedOrHandEditedTextLoadsWhatItCan) {
    const std::string head = "Tarvello list 1\n";
    const std::string good = "Done\t3\t320\t240\t25\tC:\\a.avi\n";
    struct Case {
        std::string text;
        size_t rows;
        int32_t unreadable;
    } cases[] = {
        {"", 0, 0},
        {head, 0, 0},
        {"\xEF\xBB\xBF" + head + good, 1, 0},
        {"Tarvello list 1\r\n\r\nDone\t3\t320\t240\t25\tC:\\a.avi\r\n", 1, 0},
        {"some other file\n" + good, 0, 2},
        {"Tarvello list 2\n" + good, 0, 2},
        {head + good + "Done\t3\t320\t240\t25\tC:\\cut", 2, 0}, // no final line end
        {head + "Done\t0\t320\t240\t25\tC:\\a.avi\n" + good, 1, 1},
        {head + "Done\tnan\t320\t240\t25\tC:\\a.avi\n", 0, 1},
        {head + "Done\t3\t-1\t240\t25\tC:\\a.avi\n", 0, 1},
        {head + "Done\t3x\t320\t240\t25\tC:\\a.avi\n", 0, 1},
        {head + "Done\t3\t320\t240\t25\t\n", 0, 1},
        {head + "Done\t3\t320\t240\n", 0, 1},
        {head + "Done\t3\t320\t240\t25\tC:\\" + std::string(300, 'x') + "\n", 0, 1},
        {head + "Finished\t3\t320\t240\t25\tC:\\a.avi\n", 1, 0},
        {std::string("Tarvello list 1\n\0\0\0\0", 20), 0, 1},
    };
    for (const Case& c : cases) {
        const ListFileContents contents = ReadListFile(c.text);
        EXPECT_EQ(c.rows, contents.rows.size()) << c.text;
        EXPECT_EQ(c.unreadable, contents.unreadable) << c.text;
    }
    EXPECT_EQ(RowStatus::kNone, ReadListFile(cases[14].text).rows[0].state.status);

    std::string full = head;
    for (int i = 0; i < kSourceTableRows + 3; ++i)
        full += good;
    const ListFileContents many = ReadListFile(full);
    EXPECT_EQ(static_cast<size_t>(kSourceTableRows), many.rows.size());
    EXPECT_EQ(3, many.unreadable);
}

TEST(ListFile, ResumeIsOfferedOnlyForARunThatNeverEnded) {
    using S = RowStatus;
    struct Case {
        std::vector<S> statuses;
        bool ask;
        int32_t done;
        int32_t total;
    } cases[] = {
        {{}, false, 0, 0},
        {{S::kNone, S::kNone}, false, 0, 0},
        {{S::kDone, S::kFailed, S::kStopped}, false, 0, 0},
        {{S::kDone, S::kConverting, S::kWaiting}, true, 1, 3},
        {{S::kDone, S::kDone, S::kFailed, S::kWaiting, S::kNone}, true, 2, 4},
        {{S::kWaiting}, true, 0, 1},
    };
    for (const Case& c : cases) {
        std::vector<ListFileRow> rows(c.statuses.size());
        for (size_t i = 0; i < rows.size(); ++i)
            rows[i].state.status = c.statuses[i];
        const ResumeOffer offer = DecideResume(rows);
        EXPECT_EQ(c.ask, offer.ask);
        EXPECT_EQ(c.done, offer.done);
        EXPECT_EQ(c.total, offer.total);
        StopInterruptedRows(rows);
        EXPECT_FALSE(DecideResume(rows).ask) << "asked once only";
    }
    char text[160];
    FormatResumeQuestion(ResumeOffer{true, 2, 5}, text, sizeof text);
    EXPECT_STREQ("The last conversion stopped after 2 of 5 files. Convert the remaining files now?",
                 text);
}

} // namespace
