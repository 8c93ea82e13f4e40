#include "engine/win/SystemRunSignals.h"

#include <shobjidl.h>

RunSignals g_runSignals;

namespace {

class SystemRunSignalPort : public RunSignalPort {
public:
    void Attach(HWND window) {
        // The taskbar button belongs to the top-level window that owns the rest.
        HWND root = window != nullptr ? GetAncestor(window, GA_ROOTOWNER) : nullptr;
        window_ = root != nullptr ? root : window;
        if (taskbar_ == nullptr) {
            // Fails before Windows 7, without COM on this thread, and where
            // the shell has no taskbar: the run then shows nothing there.
            ITaskbarList3* taskbar = nullptr;
            if (SUCCEEDED(CoCreateInstance(CLSID_TaskbarList, nullptr, CLSCTX_INPROC_SERVER, IID_ITaskbarList3,
                                           reinterpret_cast<void**>(&taskbar)))) {
                if (SUCCEEDED(taskbar->HrInit())) {
                    taskbar_ = taskbar;
                } else {
                    taskbar->Release();
                }
            }
        }
    }

    void KeepSystemAwake(bool awake) override {
        SetThreadExecutionState(awake ? (ES_CONTINUOUS | ES_SYSTEM_REQUIRED) : ES_CONTINUOUS);
    }

    void SetTaskbarState(TaskbarState state) override {
        if (taskbar_ == nullptr || window_ == nullptr) return;
        TBPFLAG flag = TBPF_NOPROGRESS;
        switch (state) {
        case TaskbarState::kNone:
            break;
        case TaskbarState::kNormal:
            flag = TBPF_NORMAL;
            break;
        case TaskbarState::kPaused:
            flag = TBPF_PAUSED;
            break;
        case TaskbarState::kError:
            flag = TBPF_ERROR;
            break;
        }
        taskbar_->SetProgressState(window_, flag);
    }

    void SetTaskbarProgress(int32_t thousandths) override {
        if (taskbar_ == nullptr || window_ == nullptr) return;
        taskbar_->SetProgressValue(window_, static_cast<ULONGLONG>(thousandths), 1000);
    }

    bool InForeground() override {
        HWND foreground = GetForegroundWindow();
        if (foreground == nullptr) return false;
        DWORD process = 0;
        GetWindowThreadProcessId(foreground, &process);
        return process == GetCurrentProcessId();
    }

    void FlashUntilForeground() override {
        if (window_ == nullptr) return;
        FLASHWINFO flash = {};
        flash.cbSize = sizeof flash;
        flash.hwnd = window_;
        flash.dwFlags = FLASHW_ALL | FLASHW_TIMERNOFG;
        FlashWindowEx(&flash);
    }

private:
    HWND window_ = nullptr;
    ITaskbarList3* taskbar_ = nullptr;  // kept for the life of the process
};

SystemRunSignalPort g_systemPort;
RunSignalPort* g_testPort = nullptr;

}  // namespace

void BeginRunSignals(HWND window) {
    if (g_testPort != nullptr) {
        g_runSignals.Begin(*g_testPort);
        return;
    }
    g_systemPort.Attach(window);
    g_runSignals.Begin(g_systemPort);
}

void SetRunSignalPortForTests(RunSignalPort* port) { g_testPort = port; }
