#include "core/TargetSizeChoices.h"

#include "core/TargetSize.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(TargetSizeChoices, StoredValuesShowAndPicksStore) {
    struct {
        int32_t storedKb;
        int count;
        int selection;
        const char* shown;
    } const cases[] = {
        {0, 10, 0, "No limit"},    {-7, 10, 0, "No limit"}, // hand-edited: no target
        {25000, 10, 3, "25 MB"},   {8500000, 10, 8, "8.5 GB (DVD, two layers)"},
        {12500, 11, 9, "12.5 MB"}, {2147483647, 11, 9, "1000 GB"}, // hand-edited: the largest
    };
    for (const auto& c : cases) {
        ListState state;
        FillTargetSizeList(c.storedKb, kFormatMp4, &state);
        EXPECT_EQ(state.count, c.count) << c.storedKb;
        ASSERT_EQ(state.selection, c.selection) << c.storedKb;
        EXPECT_STREQ(state.Entry(state.selection), c.shown);
        EXPECT_STREQ(state.Entry(state.count - 1), "Other...");
        EXPECT_TRUE(state.enabled);
        // Each entry picked stores what it shows; "Other..." asks.
        EXPECT_EQ(TargetKbAt(c.storedKb, state.count - 1), kTargetSizeAsk);
        EXPECT_EQ(TargetKbAt(c.storedKb, 6), 700000);
        EXPECT_EQ(TargetKbAt(c.storedKb, 99), c.storedKb);
    }
    EXPECT_EQ(TargetKbAt(12500, 9), 12500);
}

TEST(TargetSizeChoices, DisabledWhereATargetCannotSteer) {
    ListState state;
    FillTargetSizeList(25000, kFormatVcd, &state);
    EXPECT_FALSE(state.enabled);
    EXPECT_NE(nullptr, TargetSizeDisabledReason(kFormatVcd));
    EXPECT_EQ(nullptr, TargetSizeDisabledReason(kFormatDvd));
    // Sound-only outputs and copied streams have no picture bitrate to fit.
    for (OutputFormat format : {kFormatMp3, kFormatFlac, kFormatMp4Copy, kFormatMkvCopy}) {
        EXPECT_FALSE(FormatTakesTarget(format)) << format;
        EXPECT_NE(nullptr, TargetSizeDisabledReason(format)) << format;
    }
    FillTargetAppliesList(25000, 1, kFormatDvd, &state);
    EXPECT_EQ(state.selection, 1);
    EXPECT_TRUE(state.enabled);
    FillTargetAppliesList(0, 1, kFormatDvd, &state);
    EXPECT_FALSE(state.enabled);
    FillTargetAppliesList(25000, 5, kFormatVcd, &state);
    EXPECT_EQ(state.selection, 0);
    EXPECT_FALSE(state.enabled);
}

TEST(TargetSizeChoices, TypedMegabytes) {
    struct {
        const char* text;
        int32_t kb; // 0: refused
    } const cases[] = {
        {"12.5", 12500}, {" 700 ", 700000}, {"8,5", 8500}, {"0.1", 100}, {"1000000", 1000000000},
        {"12.55", 0},    {"0", 0},          {"", 0},       {"-3", 0},    {"1000000.1", 0},
        {"1e3", 0},      {"12 5", 0},       {".", 0},
    };
    for (const auto& c : cases) {
        int32_t kb = -1;
        EXPECT_EQ(ParseTargetMegabytes(c.text, &kb), c.kb != 0) << c.text;
        EXPECT_EQ(kb, c.kb != 0 ? c.kb : -1) << c.text;
    }
}

} // namespace
