// What a conversion run shows and holds outside its own windows: the
// percentage on the taskbar button, the system kept awake while encoders
// run, and the taskbar button flashing at the end when the program is not in
// the foreground. Pure: the system is reached through a RunSignalPort, which
// tests replace to see the calls in order.
#pragma once

#include <cstdint>

enum class TaskbarState { kNone, kNormal, kPaused, kError };

class RunSignalPort {
public:
    // Keeps the system (not the display) from sleeping while true.
    virtual void KeepSystemAwake(bool awake) = 0;
    virtual void SetTaskbarState(TaskbarState state) = 0;
    // Progress on the taskbar button, in thousandths of the run.
    virtual void SetTaskbarProgress(int32_t thousandths) = 0;
    // True while the user works in one of the program's windows.
    virtual bool InForeground() = 0;
    // Flashes the taskbar button until the user comes back to the program.
    virtual void FlashUntilForeground() = 0;

protected:
    ~RunSignalPort() = default;
};

// How a run ended, for the signals that follow it.
enum class RunEnd {
    kFinished, // the closing box (done or failures) is about to show
    kQuiet,    // cancelled, or ended by a box the user has already seen
};

// The signals of one run. Begin and End pair up; End is safe to call more
// than once and without Begin, and calls between runs do nothing.
class RunSignals {
public:
    // Holds the system awake and shows an empty normal bar on the taskbar.
    void Begin(RunSignalPort& port);
    void Progress(int32_t thousandths);
    // While the stop question is open the taskbar bar is paused.
    void StopQuestion(bool open);
    // Clears the taskbar, releases the system; after a finished run flashes
    // the taskbar button when the program is not in the foreground.
    void End(RunEnd how);
    bool Running() const { return port_ != nullptr; }

private:
    RunSignalPort* port_ = nullptr;
};
