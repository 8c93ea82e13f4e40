#include "encoder/PipeDrain.h"

namespace {

constexpr size_t kKeptTextLimit = 256 * 1024;
// A thread blocked in ReadFile is woken by cancelling its read; this bounds
// the attempts should the platform not cancel it.
constexpr DWORD kFinishLimitMs = 5000;
constexpr DWORD kCancelRetryMs = 5;

} // namespace

PipeDrain::PipeDrain(HANDLE pipe) : pipe_(pipe) {
    InitializeCriticalSection(&lock_);
}

PipeDrain::~PipeDrain() {
    if (thread_ != nullptr)
        CloseHandle(thread_);
    CloseHandle(pipe_);
    DeleteCriticalSection(&lock_);
}

bool PipeDrain::Begin() {
    thread_ = CreateThread(nullptr, 0, &PipeDrain::ThreadMain, this, 0, nullptr);
    return thread_ != nullptr;
}

bool PipeDrain::Finish() {
    if (thread_ == nullptr)
        return true;
    InterlockedExchange(&finishing_, 1);
    const DWORD started = GetTickCount();
    while (WaitForSingleObject(thread_, 0) != WAIT_OBJECT_0) {
        // A read blocked on an empty pipe only ends when cancelled; a cancel
        // that comes between two reads misses, so it is repeated.
        CancelSynchronousIo(thread_);
        if (WaitForSingleObject(thread_, kCancelRetryMs) == WAIT_OBJECT_0)
            break;
        if (GetTickCount() - started > kFinishLimitMs)
            return false;
    }
    return true;
}

DWORD WINAPI PipeDrain::ThreadMain(LPVOID self) {
    static_cast<PipeDrain*>(self)->Loop();
    return 0;
}

void PipeDrain::Loop() {
    char buffer[4096];
    bool counting = false; // reading only what was left when Finish began
    bool bounded = false;
    DWORD left = 0;
    for (;;) {
        DWORD want = sizeof buffer;
        if (finishing_ != 0 && !counting) {
            // The writer has ended, so everything it wrote is in the pipe
            // now; what arrives later comes from someone else. A pipe that
            // cannot be measured is broken: ReadFile still gives its last
            // bytes and then fails.
            counting = true;
            bounded = PeekNamedPipe(pipe_, nullptr, 0, nullptr, &left, nullptr) != FALSE;
        }
        if (bounded) {
            if (left == 0)
                return;
            if (want > left)
                want = left;
        }
        DWORD got = 0;
        if (!ReadFile(pipe_, buffer, want, &got, nullptr)) {
            // Cancelled by Finish: look again at what is left.
            if (GetLastError() == ERROR_OPERATION_ABORTED && !(counting && !bounded))
                continue;
            return;
        }
        if (got == 0)
            return;
        Keep(buffer, got);
        if (bounded)
            left -= got < left ? got : left;
    }
}

void PipeDrain::Keep(const char* data, DWORD size) {
    EnterCriticalSection(&lock_);
    progress_.Feed(data, size);
    lastLine_.Feed(data, size);
    if (text_.size() < kKeptTextLimit)
        text_.append(data, size);
    LeaveCriticalSection(&lock_);
}

int32_t PipeDrain::PositionSeconds() {
    EnterCriticalSection(&lock_);
    int32_t seconds = progress_.PositionSeconds();
    LeaveCriticalSection(&lock_);
    return seconds;
}

std::string PipeDrain::LastLine() {
    EnterCriticalSection(&lock_);
    std::string line = lastLine_.LastLine();
    LeaveCriticalSection(&lock_);
    return line;
}

std::string PipeDrain::Text() {
    EnterCriticalSection(&lock_);
    std::string text = text_;
    LeaveCriticalSection(&lock_);
    return text;
}
