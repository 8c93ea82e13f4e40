#include "encoder/FfmpegProcess.h"

#include "encoder/CommandLine.h"

namespace {

constexpr DWORD kPipeBufferSize = 64 * 1024;
constexpr size_t kKeptTextLimit = 256 * 1024;
constexpr DWORD kDrainWaitMs = 2000;
constexpr DWORD kTerminateWaitMs = 5000;

}  // namespace

// Reads one pipe on a thread of its own until the pipe breaks or the read is
// cancelled, feeding what it reads to the progress reader, the last-line
// tracker and a bounded copy of the text.
class PipeDrain {
public:
    explicit PipeDrain(HANDLE pipe) : pipe_(pipe) { InitializeCriticalSection(&lock_); }
    ~PipeDrain() {
        if (thread_ != nullptr) {
            // A thread still blocked in ReadFile keeps using the pipe: leave
            // both to the end of the process.
            if (WaitForSingleObject(thread_, 0) != WAIT_OBJECT_0) return;
            CloseHandle(thread_);
        }
        CloseHandle(pipe_);
        DeleteCriticalSection(&lock_);
    }

    bool Begin() {
        thread_ = CreateThread(nullptr, 0, &PipeDrain::ThreadMain, this, 0, nullptr);
        return thread_ != nullptr;
    }

    void Finish() {
        if (thread_ == nullptr) return;
        if (WaitForSingleObject(thread_, kDrainWaitMs) == WAIT_OBJECT_0) return;
        CancelSynchronousIo(thread_);
        WaitForSingleObject(thread_, kDrainWaitMs);
    }

    int32_t PositionSeconds() {
        EnterCriticalSection(&lock_);
        int32_t seconds = progress_.PositionSeconds();
        LeaveCriticalSection(&lock_);
        return seconds;
    }
    std::string LastLine() {
        EnterCriticalSection(&lock_);
        std::string line = lastLine_.LastLine();
        LeaveCriticalSection(&lock_);
        return line;
    }
    std::string Text() {
        EnterCriticalSection(&lock_);
        std::string text = text_;
        LeaveCriticalSection(&lock_);
        return text;
    }

private:
    static DWORD WINAPI ThreadMain(LPVOID self) {
        static_cast<PipeDrain*>(self)->Loop();
        return 0;
    }

    void Loop() {
        char buffer[4096];
        DWORD got = 0;
        while (ReadFile(pipe_, buffer, sizeof buffer, &got, nullptr) && got > 0) {
            EnterCriticalSection(&lock_);
            progress_.Feed(buffer, got);
            lastLine_.Feed(buffer, got);
            if (text_.size() < kKeptTextLimit) text_.append(buffer, got);
            LeaveCriticalSection(&lock_);
        }
    }

    HANDLE pipe_;
    HANDLE thread_ = nullptr;
    CRITICAL_SECTION lock_;
    ProgressReader progress_;
    LastLineTracker lastLine_;
    std::string text_;
};

std::string ExecutableFolder() {
    std::vector<char> path(32768);
    DWORD length = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
    std::string folder(path.data(), length < path.size() ? length : 0);
    size_t slash = folder.find_last_of("\\/");
    return slash == std::string::npos ? std::string() : folder.substr(0, slash + 1);
}

FfmpegProcess::FfmpegProcess() = default;

FfmpegProcess::~FfmpegProcess() {
    if (process_ != nullptr) {
        if (WaitForSingleObject(process_, 0) != WAIT_OBJECT_0) Terminate();
        FinishOutput();
        CloseHandle(process_);
    }
    delete out_;
    delete err_;
    if (job_ != nullptr) CloseHandle(job_);
}

bool FfmpegProcess::Start(const std::string& exePath, const std::vector<std::string>& args, DWORD* error) {
    *error = 0;
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    HANDLE outRead = nullptr;
    HANDLE outWrite = nullptr;
    HANDLE errRead = nullptr;
    HANDLE errWrite = nullptr;
    HANDLE nul = CreateFileA("NUL", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit, OPEN_EXISTING, 0,
                             nullptr);
    bool pipes = nul != INVALID_HANDLE_VALUE && CreatePipe(&outRead, &outWrite, &inherit, kPipeBufferSize) &&
                 CreatePipe(&errRead, &errWrite, &inherit, kPipeBufferSize) &&
                 SetHandleInformation(outRead, HANDLE_FLAG_INHERIT, 0) &&
                 SetHandleInformation(errRead, HANDLE_FLAG_INHERIT, 0);
    if (!pipes) {
        *error = GetLastError();
        for (HANDLE h : {outRead, outWrite, errRead, errWrite}) {
            if (h != nullptr) CloseHandle(h);
        }
        if (nul != INVALID_HANDLE_VALUE) CloseHandle(nul);
        return false;
    }

    // A job that kills FFmpeg when its last handle closes, that is when this
    // encoder ends, however it ends.
    job_ = CreateJobObjectA(nullptr, nullptr);
    if (job_ != nullptr) {
        JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits = {};
        limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
        SetInformationJobObject(job_, JobObjectExtendedLimitInformation, &limits, sizeof limits);
    }

    std::string commandLine = QuoteArgument(exePath) + " " + JoinCommandLine(args);
    std::vector<char> mutableLine(commandLine.begin(), commandLine.end());
    mutableLine.push_back('\0');
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES | STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_HIDE;
    startup.hStdInput = nul;
    startup.hStdOutput = outWrite;
    startup.hStdError = errWrite;
    PROCESS_INFORMATION info = {};
    BOOL started = CreateProcessA(exePath.c_str(), mutableLine.data(), nullptr, nullptr, TRUE,
                                  CREATE_SUSPENDED | CREATE_NO_WINDOW, nullptr, nullptr, &startup, &info);
    if (!started) *error = GetLastError();
    // Only the child keeps the write ends: otherwise no pipe would ever break.
    CloseHandle(outWrite);
    CloseHandle(errWrite);
    CloseHandle(nul);
    if (!started) {
        CloseHandle(outRead);
        CloseHandle(errRead);
        return false;
    }
    // Assigned while suspended, so nothing it starts escapes the job. Should
    // the job be refused (an outer job without nesting), Terminate still ends it.
    if (job_ != nullptr) AssignProcessToJobObject(job_, info.hProcess);
    process_ = info.hProcess;
    out_ = new PipeDrain(outRead);
    err_ = new PipeDrain(errRead);
    if (!out_->Begin() || !err_->Begin()) {
        *error = GetLastError();
        TerminateProcess(info.hProcess, 1);
        CloseHandle(info.hThread);
        return false;
    }
    ResumeThread(info.hThread);
    CloseHandle(info.hThread);
    return true;
}

bool FfmpegProcess::WaitForEnd(DWORD milliseconds) {
    return process_ == nullptr || WaitForSingleObject(process_, milliseconds) == WAIT_OBJECT_0;
}

void FfmpegProcess::Terminate() {
    if (process_ == nullptr) return;
    TerminateProcess(process_, 1);
    WaitForSingleObject(process_, kTerminateWaitMs);
    if (job_ != nullptr) TerminateJobObject(job_, 1);
}

void FfmpegProcess::FinishOutput() {
    if (out_ != nullptr) out_->Finish();
    if (err_ != nullptr) err_->Finish();
}

DWORD FfmpegProcess::ExitCode() const {
    DWORD code = 1;
    if (process_ == nullptr || !GetExitCodeProcess(process_, &code)) return 1;
    return code;
}

int32_t FfmpegProcess::PositionSeconds() const { return out_ != nullptr ? out_->PositionSeconds() : 0; }

std::string FfmpegProcess::LastErrorLine() const { return err_ != nullptr ? err_->LastLine() : std::string(); }

std::string FfmpegProcess::ErrorText() const { return err_ != nullptr ? err_->Text() : std::string(); }
