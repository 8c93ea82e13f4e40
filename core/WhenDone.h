// What happens when a run has converted the list ("When done" in Output
// Settings): nothing, the output folder opened, or the computer put to sleep
// or shut down after a countdown the user can stop. Pure: the system is
// reached through a WhenDonePort.
#pragma once

#include <cstddef>
#include <cstdint>

enum class WhenDoneAction { kNothing, kOpenFolder, kSleep, kShutDown };

// The stored choices: 0 "Do nothing", 1 "Open the output folder", 2 "Sleep",
// 3 "Shut down".
constexpr int32_t kWhenDoneChoiceCount = 4;
extern const char* const kWhenDoneChoices[kWhenDoneChoiceCount];

// Seconds the countdown box gives the user to stop a sleep or a shut down.
constexpr int32_t kWhenDoneCountdownSeconds = 60;

// How a run ended, as far as the choice cares.
struct RunEndFacts {
    bool cancelled = false; // by the user, or no encoder could be started
    bool anyFailed = false;
    bool anyOutput = false; // some row wrote its output
};

// The action for the stored choice `whenDone` after a run. A hand-edited
// value outside 0..3 does nothing; sleep and shut down only follow a run in
// which every row was done; the folder opens when some output is in it and
// the run was not cancelled.
WhenDoneAction DecideWhenDone(int32_t whenDone, const RunEndFacts& facts);

// The countdown box's text: "Every file is converted. The computer goes to
// sleep in 60 seconds." (or "shuts down in").
void FormatCountdownText(WhenDoneAction action, int32_t seconds, char* out, size_t size);

class WhenDonePort {
public:
    // Opens `folder` (a full path, final backslash) in the shell.
    virtual void OpenFolder(const char* folder) = 0;
    // False when the system refused.
    virtual bool Sleep() = 0;
    virtual bool ShutDown() = 0;

protected:
    ~WhenDonePort() = default;
};
