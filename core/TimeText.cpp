#include "core/TimeText.h"

#include <cstdio>

void FormatHmsTo(int32_t seconds, char* out, size_t size) {
    if (out == nullptr || size == 0)
        return;
    // A negative count (a clock that went backwards) would print "-1" fields.
    if (seconds < 0)
        seconds = 0;
    std::snprintf(out, size, "%02d:%02d:%02d", static_cast<int>(seconds / 3600),
                  static_cast<int>((seconds % 3600) / 60), static_cast<int>(seconds % 60));
}

const char* FormatHms(int32_t seconds) {
    static char text[kHmsCapacity];
    FormatHmsTo(seconds, text, sizeof text);
    return text;
}
