#include "core/WhenDone.h"

#include <cstdio>

const char* const kWhenDoneChoices[kWhenDoneChoiceCount] = {
    "Do nothing", "Open the output folder", "Sleep", "Shut down"};

WhenDoneAction DecideWhenDone(int32_t whenDone, const RunEndFacts& facts) {
    if (facts.cancelled)
        return WhenDoneAction::kNothing;
    switch (whenDone) {
    case 1:
        return facts.anyOutput ? WhenDoneAction::kOpenFolder : WhenDoneAction::kNothing;
    case 2:
        return facts.anyFailed ? WhenDoneAction::kNothing : WhenDoneAction::kSleep;
    case 3:
        return facts.anyFailed ? WhenDoneAction::kNothing : WhenDoneAction::kShutDown;
    default:
        return WhenDoneAction::kNothing;
    }
}

void FormatCountdownText(WhenDoneAction action, int32_t seconds, char* out, size_t size) {
    if (out == nullptr || size == 0)
        return;
    const char* what = action == WhenDoneAction::kShutDown ? "shuts down" : "goes to sleep";
    std::snprintf(out, size, "Every file is converted. The computer %s in %d second%s.", what,
                  static_cast<int>(seconds), seconds == 1 ? "" : "s");
}
