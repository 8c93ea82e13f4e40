#include "encoder/FfmpegProcess.h"

#include "encoder/CommandLine.h"
#include "encoder/PipeDrain.h"
#include "encoder/StepTimes.h"

namespace {

constexpr DWORD kPipeBufferSize = 64 * 1024;
constexpr DWORD kTerminateWaitMs = 5000;

} // namespace

std::string ExecutableFolder() {
    std::vector<char> path(32768);
    DWORD length = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
    std::string folder(path.data(), length < path.size() ? length : 0);
    size_t slash = folder.find_last_of("\\/");
    return slash == std::string::npos ? std::string() : folder.substr(0, slash + 1);
}

FfmpegProcess::FfmpegProcess() = default;

FfmpegProcess::~FfmpegProcess() {
    // In this order: first everything that may hold the pipes' write ends
    // goes (closing the job ends FFmpeg and whatever it started), then the
    // reader threads end, and only then the objects they use.
    if (process_ != nullptr && WaitForSingleObject(process_, 0) != WAIT_OBJECT_0)
        Terminate();
    if (job_ != nullptr)
        CloseHandle(job_);
    for (PipeDrain* drain : {out_, err_}) {
        // A thread that could not be stopped keeps its drain: it is left to
        // the end of the process rather than freed under the thread.
        if (drain != nullptr && drain->Finish())
            delete drain;
    }
    if (process_ != nullptr)
        CloseHandle(process_);
}

bool FfmpegProcess::Start(const std::string& exePath, const std::vector<std::string>& args,
                          DWORD* error) {
    *error = 0;
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    HANDLE outRead = nullptr;
    HANDLE outWrite = nullptr;
    HANDLE errRead = nullptr;
    HANDLE errWrite = nullptr;
    HANDLE nul = CreateFileA("NUL", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                             OPEN_EXISTING, 0, nullptr);
    bool pipes = nul != INVALID_HANDLE_VALUE &&
                 CreatePipe(&outRead, &outWrite, &inherit, kPipeBufferSize) &&
                 CreatePipe(&errRead, &errWrite, &inherit, kPipeBufferSize) &&
                 SetHandleInformation(outRead, HANDLE_FLAG_INHERIT, 0) &&
                 SetHandleInformation(errRead, HANDLE_FLAG_INHERIT, 0);
    if (!pipes) {
        *error = GetLastError();
        for (HANDLE h : {outRead, outWrite, errRead, errWrite}) {
            if (h != nullptr)
                CloseHandle(h);
        }
        if (nul != INVALID_HANDLE_VALUE)
            CloseHandle(nul);
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

    MarkStep("pipes and job object made");
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
    BOOL started =
        CreateProcessA(exePath.c_str(), mutableLine.data(), nullptr, nullptr, TRUE,
                       CREATE_SUSPENDED | CREATE_NO_WINDOW, nullptr, nullptr, &startup, &info);
    if (!started)
        *error = GetLastError();
    MarkStep("FFmpeg created, suspended");
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
    if (job_ != nullptr)
        AssignProcessToJobObject(job_, info.hProcess);
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
    if (process_ == nullptr)
        return;
    if (job_ != nullptr)
        TerminateJobObject(job_, 1);
    TerminateProcess(process_, 1);
    WaitForSingleObject(process_, kTerminateWaitMs);
}

bool FfmpegProcess::FinishOutput() {
    const bool out = out_ == nullptr || out_->Finish();
    const bool err = err_ == nullptr || err_->Finish();
    return out && err;
}

DWORD FfmpegProcess::ExitCode() const {
    DWORD code = 1;
    if (process_ == nullptr || !GetExitCodeProcess(process_, &code))
        return 1;
    return code;
}

int32_t FfmpegProcess::PositionSeconds() const {
    return out_ != nullptr ? out_->PositionSeconds() : 0;
}

std::string FfmpegProcess::LastErrorLine() const {
    return err_ != nullptr ? err_->LastLine() : std::string();
}

std::string FfmpegProcess::ErrorText() const {
    return err_ != nullptr ? err_->Text() : std::string();
}
