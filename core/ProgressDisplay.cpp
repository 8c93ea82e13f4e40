#include "core/ProgressDisplay.h"

#include <cmath>
#include <cstdio>

#include "core/TimeText.h"

const char kProgressStartText[] = "Total time:00:00:00,Elapsed time:00:00:00;Finished 0.0%";
const char kProgressCancelText[] = "Cancel processing...";

namespace {

// Whole seconds of a millisecond count, kept inside the time text's range.
int32_t WholeSeconds(double milliseconds) {
    const double seconds = std::trunc(milliseconds / 1000.0);
    if (!(seconds > 0.0))
        return 0;
    if (seconds > 2147483647.0)
        return 2147483647;
    return static_cast<int32_t>(seconds);
}

} // namespace

bool ComputeProgressDisplay(double position, double doneSeconds, double totalSeconds,
                            uint32_t elapsedMs, ProgressDisplay& display) {
    char elapsedText[kHmsCapacity];
    FormatHmsTo(static_cast<int32_t>(elapsedMs / 1000u), elapsedText, sizeof elapsedText);

    if (!(totalSeconds > 0.0)) {
        // No durations known: the share done cannot be told.
        display.thousandths = 0;
        std::snprintf(display.text, sizeof display.text,
                      "Total time:--:--:--;Elapsed time:%s;Finished 0.0%%", elapsedText);
        return true;
    }

    const double p = (position + doneSeconds) * 1000.0 / totalSeconds;
    if (!(p >= 0.0 && p <= 1000.0))
        return false;

    // The product e x 1000 exceeds 32 bits after 72 minutes: work in doubles.
    double totalMs;
    if (p == 0.0) {
        totalMs = std::trunc(totalSeconds) * 1000.0;
    } else {
        totalMs = std::trunc(static_cast<double>(elapsedMs) * 1000.0 / p);
    }

    const int32_t k = static_cast<int32_t>(p);
    char totalText[kHmsCapacity];
    FormatHmsTo(WholeSeconds(totalMs), totalText, sizeof totalText);
    display.thousandths = k;
    std::snprintf(display.text, sizeof display.text,
                  "Total time:%s;Elapsed time:%s;Finished %d.%01d%%", totalText, elapsedText,
                  static_cast<int>(k / 10), static_cast<int>(k % 10));
    return true;
}
