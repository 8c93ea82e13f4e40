#include "engine/win/RunClock.h"

#include <windows.h>

namespace {
RunTickSource g_tickSource = nullptr;
}

uint32_t RunTickCount() {
    return g_tickSource != nullptr ? g_tickSource() : static_cast<uint32_t>(GetTickCount());
}

void SetRunTickSource(RunTickSource source) { g_tickSource = source; }
