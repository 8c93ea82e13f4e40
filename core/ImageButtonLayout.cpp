#include "core/ImageButtonLayout.h"

ButtonColorChoice ChooseButtonColors(const ButtonVisualState& state) {
    if (state.hover || state.pressed)
        return ButtonColorChoice::In;
    if (state.focused)
        return ButtonColorChoice::Focus;
    return ButtonColorChoice::Out;
}

LayoutRect PlaceButtonIcon(const LayoutRect& item, int iconWidth, int iconHeight, bool hasCaption,
                           int margin, bool pressed, int offsetX, int offsetY,
                           LayoutRect* captionRect) {
    LayoutRect image = item;
    image.left += (image.right - image.left - iconWidth) / 2;
    if (hasCaption) {
        image.top = margin;
        if (captionRect != nullptr)
            captionRect->top += iconHeight;
    } else {
        image.top += (image.bottom - image.top - iconHeight) / 2;
    }
    if (pressed) {
        image.left += offsetX;
        image.right += offsetX;
        image.top += offsetY;
        image.bottom += offsetY;
    }
    return image;
}

LayoutRect CentreButtonCaption(const LayoutRect& outer, int textWidth, int textHeight) {
    LayoutRect text = {outer.left, outer.top, outer.left + textWidth, outer.top + textHeight};
    int dx = (outer.right - outer.left - textWidth) / 2;
    int dy = (outer.bottom - outer.top - textHeight) / 2;
    text.left += dx;
    text.right += dx;
    text.top += dy;
    text.bottom += dy;
    return text;
}
