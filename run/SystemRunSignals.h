// The run's signals on the real system: ITaskbarList3 for the taskbar button
// (nothing when the interface is missing), SetThreadExecutionState to keep
// the system awake, FlashWindowEx at the end. A run's host may give a port
// of its own instead (tests do, to see the calls).
#pragma once

#include <windows.h>

#include "core/RunSignals.h"

struct ITaskbarList3;

// The system's signals for the taskbar button of `window`'s top-level owner.
class SystemRunSignalPort : public RunSignalPort {
public:
    explicit SystemRunSignalPort(HWND window);
    ~SystemRunSignalPort();
    SystemRunSignalPort(const SystemRunSignalPort&) = delete;
    SystemRunSignalPort& operator=(const SystemRunSignalPort&) = delete;

    void KeepSystemAwake(bool awake) override;
    void SetTaskbarState(TaskbarState state) override;
    void SetTaskbarProgress(int32_t thousandths) override;
    bool InForeground() override;
    void FlashUntilForeground() override;

private:
    HWND window_ = nullptr;
    ITaskbarList3* taskbar_ = nullptr;
};
