#include "run/EncoderJobs.h"

#include <shellapi.h>

#include <cstring>
#include <string>

#include "core/EncoderArguments.h"
#include "run/WindowProgressPort.h"
#include "run/EncoderLaunch.h"
#include "framework/ProgramFolder.h"
#include "framework/Wnd.h"

namespace {

// Messages dispatched between two looks at the processes.
constexpr int kMessagesPerRound = 64;
// The longest command line a process takes: 32767 with its terminator.
constexpr size_t kMaxCommandLine = 32766;

bool IsSlot(int32_t slot) {
    return slot >= 0 && slot < kMaxJobs;
}

} // namespace

LRESULT CALLBACK EncoderJobs::ReportProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        // Tied to its slot from its first message on.
        const CREATESTRUCTA* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        SetWindowLongPtrA(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    } else if (message == WM_ENCODER_EVENT) {
        const SlotLink* link =
            reinterpret_cast<const SlotLink*>(GetWindowLongPtrA(window, GWLP_USERDATA));
        if (link == nullptr)
            return 0;
        // The value travels as a signed 32-bit number whatever the pointer size.
        const int32_t value = static_cast<int32_t>(static_cast<uint32_t>(lParam));
        return link->sink->OnJobReport(link->slot, static_cast<uint32_t>(wParam), value);
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

EncoderJobs::EncoderJobs(JobReportSink& sink) : sink_(sink) {
    for (int32_t slot = 0; slot < kMaxJobs; ++slot)
        link_[slot] = SlotLink{&sink_, slot};
}

EncoderJobs::~EncoderJobs() {
    uint32_t code = 0;
    while (WaitForOne(&code) >= 0) {
    }
    for (int32_t slot = 0; slot < kMaxJobs; ++slot) {
        if (window_[slot] != nullptr)
            DestroyWindow(window_[slot]);
    }
    if (quitSeen_)
        PostQuitMessage(quitCode_);
}

int32_t EncoderJobs::FreeSlot() const {
    for (int32_t slot = 0; slot < kMaxJobs; ++slot) {
        if (process_[slot] == nullptr)
            return slot;
    }
    return -1;
}

int32_t EncoderJobs::RunningCount() const {
    int32_t count = 0;
    for (HANDLE process : process_)
        count += process != nullptr ? 1 : 0;
    return count;
}

HWND EncoderJobs::ReportWindow(int32_t slot) {
    if (!IsSlot(slot))
        return nullptr;
    if (window_[slot] != nullptr)
        return window_[slot];
    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSA existing;
    if (!GetClassInfoA(instance, kReportWindowClass, &existing)) {
        WNDCLASSA windowClass;
        std::memset(&windowClass, 0, sizeof windowClass);
        windowClass.lpfnWndProc = ReportProc;
        windowClass.hInstance = instance;
        windowClass.lpszClassName = kReportWindowClass;
        if (RegisterClassA(&windowClass) == 0)
            return nullptr;
    }
    HWND window = CreateWindowExA(0, kReportWindowClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                  instance, &link_[slot]);
    if (window == nullptr)
        return nullptr;
    window_[slot] = window;
    return window;
}

bool EncoderJobs::Start(int32_t slot, const char* exePath, const char* arguments, DWORD* error,
                        const char* logPath) {
    if (!IsSlot(slot) || process_[slot] != nullptr) {
        if (error != nullptr)
            *error = ERROR_BUSY;
        return false;
    }
    // The whole command line must fit the platform's limit.
    const std::string line =
        std::string("\"") + exePath + "\" " + (arguments != nullptr ? arguments : "");
    if (line.size() > kMaxCommandLine) {
        if (error != nullptr)
            *error = ERROR_FILENAME_EXCED_RANGE;
        Release(slot);
        return false;
    }
    // Through the shell, without its attachment check: that check would ask
    // about an encoder unpacked from a download at every start (or refuse it,
    // without a UI). Hidden, and no shell error box of its own: the caller
    // tells the user once.
    SHELLEXECUTEINFOA info;
    std::memset(&info, 0, sizeof info);
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI | SEE_MASK_NOZONECHECKS;
    info.lpFile = exePath;
    info.lpParameters = arguments;
    info.nShow = SW_HIDE;
    // The encoder inherits this process's environment; the variable is
    // there only while this one job starts.
    const bool logged = logPath != nullptr && logPath[0] != '\0' &&
                        SetEnvironmentVariableA(kEncoderLogVariable, logPath);
    const BOOL started = ShellExecuteExA(&info);
    const DWORD reason = GetLastError();
    if (logged)
        SetEnvironmentVariableA(kEncoderLogVariable, nullptr);
    if (!started || info.hProcess == nullptr) {
        if (error != nullptr)
            *error = reason != 0 ? reason : ERROR_FILE_NOT_FOUND;
        Release(slot);
        return false;
    }
    process_[slot] = info.hProcess;
    return true;
}

EncoderJobs::Launch EncoderJobs::StartJob(int32_t slot, const char* encoderFolder,
                                          const ConversionSettings& settings,
                                          const SourceRow& facts, const char* sourcePath,
                                          const char* outputPath, int32_t mode, DWORD* error,
                                          const char* logPath) {
    HWND window = ReportWindow(slot);
    if (window == nullptr)
        return Launch::kNoReportWindow;
    char arguments[kEncoderArgumentsCapacity];
    const int64_t handle = static_cast<int64_t>(reinterpret_cast<intptr_t>(window));
    if (!BuildJobArguments(settings, facts, sourcePath, outputPath, mode, handle, arguments,
                           sizeof arguments)) {
        return Launch::kArgumentsTooLong;
    }
    char exePath[kPathCapacity];
    *error = ERROR_FILENAME_EXCED_RANGE;
    if (!EncoderExePath(encoderFolder, exePath, sizeof exePath) ||
        !Start(slot, exePath, arguments, error, logPath)) {
        return Launch::kNoEncoder;
    }
    return Launch::kStarted;
}

uint32_t EncoderJobs::ProcessId(int32_t slot) const {
    if (!IsSlot(slot) || process_[slot] == nullptr)
        return 0;
    return GetProcessId(process_[slot]);
}

bool EncoderJobs::TakeQuit(int* exitCode) {
    if (!quitSeen_)
        return false;
    if (exitCode != nullptr)
        *exitCode = quitCode_;
    quitSeen_ = false;
    return true;
}

void EncoderJobs::Release(int32_t slot) {
    if (process_[slot] != nullptr)
        CloseHandle(process_[slot]);
    process_[slot] = nullptr;
    if (window_[slot] != nullptr)
        DestroyWindow(window_[slot]);
    window_[slot] = nullptr;
}

void EncoderJobs::PumpWaiting() {
    MSG msg;
    if (quitSeen_) {
        // Only the encoders' reports: the quit request waits for the run's end.
        PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
        return;
    }
    for (int i = 0; i < kMessagesPerRound && PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE); ++i) {
        if (msg.message == WM_QUIT) {
            quitSeen_ = true;
            quitCode_ = static_cast<int>(msg.wParam);
            return;
        }
        if (CWnd::PreTranslateMessageChain(&msg))
            continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

int32_t EncoderJobs::WaitForOne(uint32_t* exitCode) {
    for (;;) {
        HANDLE handles[kMaxJobs];
        int32_t slots[kMaxJobs];
        DWORD count = 0;
        for (int32_t slot = 0; slot < kMaxJobs; ++slot) {
            if (process_[slot] == nullptr)
                continue;
            handles[count] = process_[slot];
            slots[count++] = slot;
        }
        if (count == 0)
            return -1;

        const DWORD ended = WaitForMultipleObjects(count, handles, FALSE, 0);
        if (ended < WAIT_OBJECT_0 + count) {
            const int32_t slot = slots[ended - WAIT_OBJECT_0];
            DWORD code = 0;
            if (!GetExitCodeProcess(process_[slot], &code))
                code = static_cast<DWORD>(-1);
            if (exitCode != nullptr)
                *exitCode = code;
            Release(slot);
            return slot;
        }
        PumpWaiting();
        const DWORD wake = quitSeen_ ? QS_SENDMESSAGE : QS_ALLINPUT;
        if (MsgWaitForMultipleObjectsEx(count, handles, INFINITE, wake, MWMO_INPUTAVAILABLE) ==
            WAIT_FAILED) {
            Sleep(1); // never spin on a failing wait
        }
    }
}
