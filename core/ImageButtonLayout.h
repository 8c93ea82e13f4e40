// Where the image button puts its icon and caption, and which colours it
// uses in which state. Pure code (no <windows.h>), tested natively.
#pragma once

#include <cstdint>

struct LayoutRect {
    int left;
    int top;
    int right;
    int bottom;
};

// A (background, text) colour pair, as 0x00BBGGRR values.
struct ButtonColors {
    std::uint32_t background;
    std::uint32_t text;
};

struct ButtonVisualState {
    bool hover;
    bool pressed;
    bool focused;
};

enum class ButtonColorChoice { In, Focus, Out };

// In while hovered or pressed, else Focus while focused, else Out.
ButtonColorChoice ChooseButtonColors(const ButtonVisualState& state);

// The icon's rectangle within `item`: horizontally centred; with a caption
// its top is `margin` and the caption area (captionRect, a copy of the item
// rectangle on entry) starts at the icon's height below the item's top;
// without a caption also vertically centred. When pressed, moved by
// (offsetX, offsetY). Halves truncate toward zero.
LayoutRect PlaceButtonIcon(const LayoutRect& item, int iconWidth, int iconHeight, bool hasCaption,
                           int margin, bool pressed, int offsetX, int offsetY,
                           LayoutRect* captionRect);

// Centres a text block of textWidth x textHeight (as measured at outer's
// top-left) within `outer`. Halves truncate toward zero.
LayoutRect CentreButtonCaption(const LayoutRect& outer, int textWidth, int textHeight);
