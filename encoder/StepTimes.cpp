#include "encoder/StepTimes.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

struct StepClock {
    bool enabled = false;
    double started = 0; // seconds since 1601, the process's creation
    double last = 0;
};

double Seconds(const FILETIME& time) {
    ULARGE_INTEGER value;
    value.LowPart = time.dwLowDateTime;
    value.HighPart = time.dwHighDateTime;
    return static_cast<double>(value.QuadPart) / 1e7;
}

double Now() {
    FILETIME now;
    GetSystemTimePreciseAsFileTime(&now);
    return Seconds(now);
}

StepClock& Clock() {
    static StepClock clock = [] {
        StepClock c;
        const char* value = std::getenv("QUENFORENC_TIMING");
        c.enabled = value != nullptr && *value != '\0' && std::strcmp(value, "0") != 0;
        if (!c.enabled)
            return c;
        FILETIME created, exited, kernel, user;
        c.started = GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user)
                        ? Seconds(created)
                        : Now();
        c.last = c.started;
        return c;
    }();
    return clock;
}

} // namespace

void MarkStep(const char* step) {
    StepClock& clock = Clock();
    if (!clock.enabled)
        return;
    double now = Now();
    std::fprintf(stderr, "quenforenc: at %.3f s (+%.3f s) %s\n", now - clock.started,
                 now - clock.last, step);
    std::fflush(stderr);
    clock.last = now;
}

void MarkSideStep(const char* step) {
    StepClock& clock = Clock();
    if (!clock.enabled)
        return;
    std::fprintf(stderr, "quenforenc: at %.3f s (beside the main steps) %s\n",
                 Now() - clock.started, step);
    std::fflush(stderr);
}
