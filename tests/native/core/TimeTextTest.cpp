#include "core/TimeText.h"

#include <gtest/gtest.h>

namespace {

TEST(FormatHms, Values) {
    const struct {
        int32_t seconds;
        const char* text;
    } rows[] = {
        {0, "00:00:00"},       {59, "00:00:59"},
        {60, "00:01:00"},      {75, "00:01:15"},
        {3600, "01:00:00"},    {3725, "01:02:05"},
        {86399, "23:59:59"},   {359999, "99:59:59"},
        {360000, "100:00:00"}, {INT32_MAX, "596523:14:07"},
        {-1, "00:00:00"},      {INT32_MIN, "00:00:00"},
    };
    for (const auto& row : rows)
        EXPECT_STREQ(row.text, FormatHms(row.seconds)) << row.seconds;
}

TEST(FormatHms, SharedBufferIsOverwritten) {
    const char* first = FormatHms(1);
    const char* second = FormatHms(2);
    EXPECT_EQ(first, second);
    EXPECT_STREQ("00:00:02", first);
}

TEST(FormatHms, BoundedByTheCallersBuffer) {
    char small[6] = "xxxxx";
    FormatHmsTo(3725, small, sizeof small);
    EXPECT_STREQ("01:02", small);
}

} // namespace
