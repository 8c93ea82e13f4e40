// A RunSignalPort that writes every call down, in order, as short words:
// "awake", "asleep", "bar none|normal|paused|error", "at N", "flash".
#pragma once

#include <string>
#include <vector>

#include "core/RunSignals.h"

class RecordingRunSignals : public RunSignalPort {
public:
    void KeepSystemAwake(bool awake) override { calls.push_back(awake ? "awake" : "asleep"); }
    void SetTaskbarState(TaskbarState state) override {
        static const char* const kNames[] = {"bar none", "bar normal", "bar paused", "bar error"};
        calls.push_back(kNames[static_cast<int>(state)]);
    }
    void SetTaskbarProgress(int32_t thousandths) override {
        calls.push_back("at " + std::to_string(thousandths));
    }
    bool InForeground() override { return inForeground; }
    void FlashUntilForeground() override { calls.push_back("flash"); }

    std::vector<std::string> calls;
    bool inForeground = false;
};
