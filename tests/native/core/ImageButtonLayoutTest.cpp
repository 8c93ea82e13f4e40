// Where the image button puts icon and caption, and its colour choice.
#include <gtest/gtest.h>

#include "core/ImageButtonLayout.h"

// Found by argument-dependent lookup, so beside LayoutRect's namespace.
inline bool operator==(const LayoutRect& a, const LayoutRect& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

inline std::ostream& operator<<(std::ostream& os, const LayoutRect& r) {
    return os << "{" << r.left << "," << r.top << "," << r.right << "," << r.bottom << "}";
}

namespace {

TEST(ImageButtonLayoutTest, IconPlacement) {
    struct Case {
        LayoutRect item;
        int iconW, iconH;
        bool caption, pressed;
        LayoutRect image, captionRect;
    } cases[] = {
        // A toolbar button with caption: icon 3 px from the top, caption below the icon's height.
        {{0, 0, 77, 72}, 48, 48, true, false, {14, 3, 77, 72}, {0, 48, 77, 72}},
        {{0, 0, 77, 72}, 48, 48, true, true, {15, 4, 78, 73}, {0, 48, 77, 72}},
        // Without caption: centred both ways, halves truncated.
        {{0, 0, 27, 28}, 16, 16, false, false, {5, 6, 27, 28}, {0, 0, 27, 28}},
        {{0, 0, 27, 28}, 16, 16, false, true, {6, 7, 28, 29}, {0, 0, 27, 28}},
        // An icon wider than the button: the negative half truncates toward zero.
        {{0, 0, 20, 20}, 32, 32, false, false, {-6, -6, 20, 20}, {0, 0, 20, 20}},
        {{0, 0, 21, 21}, 32, 32, false, false, {-5, -5, 21, 21}, {0, 0, 21, 21}},
    };
    for (const Case& c : cases) {
        LayoutRect caption = c.item;
        LayoutRect image =
            PlaceButtonIcon(c.item, c.iconW, c.iconH, c.caption, 3, c.pressed, 1, 1, &caption);
        EXPECT_EQ(c.image, image) << c.item << " pressed " << c.pressed;
        EXPECT_EQ(c.captionRect, caption) << c.item;
    }
}

TEST(ImageButtonLayoutTest, CaptionCentredInItsArea) {
    struct Case {
        LayoutRect outer;
        int textW, textH;
        LayoutRect text;
    } cases[] = {
        {{0, 48, 77, 72}, 21, 13, {28, 53, 49, 66}},
        {{1, 49, 78, 73}, 21, 13, {29, 54, 50, 67}}, // pressed: moved by (1, 1) first
        {{0, 0, 10, 10}, 11, 11, {0, 0, 11, 11}},    // (-1)/2 truncates to 0
        {{0, 0, 10, 10}, 13, 13, {-1, -1, 12, 12}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.text, CentreButtonCaption(c.outer, c.textW, c.textH)) << c.outer;
}

TEST(ImageButtonLayoutTest, ColourChoiceByState) {
    struct Case {
        ButtonVisualState state;
        ButtonColorChoice choice;
    } cases[] = {
        {{false, false, false}, ButtonColorChoice::Out},
        {{false, false, true}, ButtonColorChoice::Focus},
        {{true, false, true}, ButtonColorChoice::In},
        {{false, true, true}, ButtonColorChoice::In},
        {{true, true, false}, ButtonColorChoice::In},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.choice, ChooseButtonColors(c.state));
}

} // namespace
