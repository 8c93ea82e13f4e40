// Pixel values for 96 DPI scaled to other displays, and the icon size picked.
#include <gtest/gtest.h>

#include "framework/DpiScale.h"

namespace {

TEST(DpiScaleTest, ValuesScaleWithTheDpiAndRoundHalfAway) {
    struct Case {
        int value;
        unsigned dpi;
        int scaled;
    } cases[] = {
        {3, 96, 3},
        {3, 120, 4},
        {3, 144, 5},
        {3, 192, 6}, // 3.75, 4.5 round up
        {1, 144, 2},
        {1, 120, 1},
        {0, 192, 0},
        {90, 144, 135},
        {360, 120, 450},
        {122, 192, 244},
        {-3, 144, -5},           // negative offsets mirror
        {7, 0, 7},               // unknown DPI: unchanged
        {1000000, 288, 3000000}, // no overflow
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.scaled, ScaleForDpi(c.value, c.dpi)) << c.value << " at " << c.dpi;
    }
}

TEST(DpiScaleTest, IconSizeIsTheLargestShippedOneThatFits) {
    struct Case {
        int size96;
        unsigned dpi;
        int picked;
    } cases[] = {
        {48, 96, 48},  {48, 120, 48}, {48, 144, 72}, {48, 168, 72},
        {48, 192, 96}, {48, 288, 96}, {32, 96, 32},  {32, 120, 32},
        {32, 144, 48}, {32, 192, 64}, {32, 240, 72}, {16, 72, 16}, // smaller than any: the smallest
        {0, 192, 0}, // the resource's own size stays so
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.picked, PickIconSize(c.size96, c.dpi)) << c.size96 << " at " << c.dpi;
    }
    const int onlyLarge[] = {32, 48, 64};
    EXPECT_EQ(32, PickIconSize(16, 96, onlyLarge, 3));
    EXPECT_EQ(64, PickIconSize(48, 192, onlyLarge, 3));
    EXPECT_EQ(48, PickIconSize(48, 96, onlyLarge, 0)); // nothing shipped: as asked
}

} // namespace
