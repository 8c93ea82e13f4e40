#include "run/SystemRunSignals.h"

#include <shobjidl.h>

SystemRunSignalPort::SystemRunSignalPort(HWND window) {
    // The taskbar button belongs to the top-level window that owns the rest.
    HWND root = window != nullptr ? GetAncestor(window, GA_ROOTOWNER) : nullptr;
    window_ = root != nullptr ? root : window;
    // Fails before Windows 7, without COM on this thread, and where the shell
    // has no taskbar: the run then shows nothing there.
    ITaskbarList3* taskbar = nullptr;
    if (SUCCEEDED(CoCreateInstance(CLSID_TaskbarList, nullptr, CLSCTX_INPROC_SERVER,
                                   IID_ITaskbarList3, reinterpret_cast<void**>(&taskbar)))) {
        if (SUCCEEDED(taskbar->HrInit())) {
            taskbar_ = taskbar;
        } else {
            taskbar->Release();
        }
    }
}

SystemRunSignalPort::~SystemRunSignalPort() {
    if (taskbar_ != nullptr)
        taskbar_->Release();
}

void SystemRunSignalPort::KeepSystemAwake(bool awake) {
    SetThreadExecutionState(awake ? (ES_CONTINUOUS | ES_SYSTEM_REQUIRED) : ES_CONTINUOUS);
}

void SystemRunSignalPort::SetTaskbarState(TaskbarState state) {
    if (taskbar_ == nullptr || window_ == nullptr)
        return;
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

void SystemRunSignalPort::SetTaskbarProgress(int32_t thousandths) {
    if (taskbar_ == nullptr || window_ == nullptr)
        return;
    taskbar_->SetProgressValue(window_, static_cast<ULONGLONG>(thousandths), 1000);
}

bool SystemRunSignalPort::InForeground() {
    HWND foreground = GetForegroundWindow();
    if (foreground == nullptr)
        return false;
    DWORD process = 0;
    GetWindowThreadProcessId(foreground, &process);
    return process == GetCurrentProcessId();
}

void SystemRunSignalPort::FlashUntilForeground() {
    if (window_ == nullptr)
        return;
    FLASHWINFO flash = {};
    flash.cbSize = sizeof flash;
    flash.hwnd = window_;
    flash.dwFlags = FLASHW_ALL | FLASHW_TIMERNOFG;
    FlashWindowEx(&flash);
}
