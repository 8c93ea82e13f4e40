#include "framework/DpiScale.h"

const int kShippedIconSizes[] = {16, 32, 48, 64, 72, 96};
const size_t kShippedIconSizeCount = sizeof kShippedIconSizes / sizeof kShippedIconSizes[0];

int ScaleForDpi(int value96, unsigned dpi) {
    if (dpi == 0)
        return value96;
    const long long product = static_cast<long long>(value96) * dpi;
    const long long half = kBaseDpi / 2;
    return static_cast<int>(product >= 0 ? (product + half) / kBaseDpi
                                         : -((-product + half) / kBaseDpi));
}

int PickIconSize(int size96, unsigned dpi, const int* sizes, size_t count) {
    if (size96 <= 0 || count == 0)
        return size96 <= 0 ? 0 : size96;
    const int wanted = ScaleForDpi(size96, dpi);
    int picked = sizes[0];
    for (size_t i = 0; i < count; ++i) {
        if (sizes[i] <= wanted)
            picked = sizes[i];
    }
    return picked;
}
