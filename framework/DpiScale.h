// Scaling of pixel values laid out for 96 DPI to a window's DPI, and the
// choice of a shipped icon size. Pure code (no <windows.h>), tested natively.
#pragma once

#include <cstddef>

// The DPI at which every pixel value of the program's own drawing is given.
constexpr unsigned kBaseDpi = 96;

// value96 * dpi / 96, rounded half away from zero (as MulDiv does). A dpi of
// 0 (unknown) leaves the value as it is.
int ScaleForDpi(int value96, unsigned dpi);

// The icon sizes every toolbar icon is shipped at, smallest first.
extern const int kShippedIconSizes[];
extern const size_t kShippedIconSizeCount;

// The size to load an icon at that is drawn size96 x size96 at 96 DPI: the
// largest of `sizes` (ascending) that does not exceed the scaled size, so the
// icon is never stretched and never outgrows its place; the smallest when
// every one is larger. 0 (the resource's own size) stays 0.
int PickIconSize(int size96, unsigned dpi, const int* sizes, size_t count);
inline int PickIconSize(int size96, unsigned dpi) {
    return PickIconSize(size96, dpi, kShippedIconSizes, kShippedIconSizeCount);
}
