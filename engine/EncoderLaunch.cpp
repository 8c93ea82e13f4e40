#include "engine/EncoderLaunch.h"

#include <shellapi.h>

#include <cstdio>
#include <cstring>

#include "engine/EncoderArguments.h"
#include "engine/MessagePump.h"
#include "engine/ProgramFolder.h"
#include "framework/WinApp.h"

namespace {

// "<programFolder>quenforenc.exe"; false when it does not fit.
bool ExePathIn(const char* programFolder, char* out, size_t size) {
    const int written = std::snprintf(out, size, "%s%s", programFolder != nullptr ? programFolder : "",
                                      kEncoderFileName);
    return written > 0 && static_cast<size_t>(written) < size;
}

}  // namespace

void ComposeNotStartedText(const char* programFolder, uint32_t error, char* out, size_t size) {
    if (out == nullptr || size == 0) return;
    char exePath[kPathCapacity];
    ExePathIn(programFolder, exePath, sizeof exePath);
    char reason[256] = "";
    if (FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error,
                       0, reason, sizeof reason, nullptr) == 0) {
        std::snprintf(reason, sizeof reason, "Error %lu.", static_cast<unsigned long>(error));
    }
    // System texts end with a line break.
    for (size_t n = std::strlen(reason); n > 0 && (reason[n - 1] == '\n' || reason[n - 1] == '\r');
         --n) {
        reason[n - 1] = '\0';
    }
    std::snprintf(out, size,
                  "The encoder could not be started.\n\nIt was looked for at:\n%s\n\n%s", exePath,
                  reason);
}

bool StartAndWait(const char* exePath, const char* arguments, uint32_t* exitCode, DWORD* error) {
    SHELLEXECUTEINFOA info;
    std::memset(&info, 0, sizeof info);
    info.cbSize = sizeof info;
    // No shell error box of its own: the caller tells the user once.
    info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
    info.lpFile = exePath;
    info.lpParameters = arguments;
    info.nShow = SW_HIDE;
    if (!ShellExecuteExA(&info) || info.hProcess == nullptr) {
        if (error != nullptr) *error = GetLastError() != 0 ? GetLastError() : ERROR_FILE_NOT_FOUND;
        return false;
    }
    // Only a timeout keeps the loop going: a failed wait must not spin forever.
    while (WaitForSingleObject(info.hProcess, 1) == WAIT_TIMEOUT) PumpOneMessage();
    DWORD code = 0;
    if (!GetExitCodeProcess(info.hProcess, &code)) code = static_cast<DWORD>(-1);
    CloseHandle(info.hProcess);
    if (exitCode != nullptr) *exitCode = code;
    return true;
}

EncoderRunResult RunEncoder(HWND window, const char* programFolder, const char* sourcePath,
                            const char* outputPath, int32_t padWidth, int32_t padHeight,
                            int32_t mode, NotStartedBox box) {
    EncoderRunResult result;
    char arguments[kEncoderArgumentsCapacity];
    const int64_t handle = static_cast<int64_t>(reinterpret_cast<intptr_t>(window));
    if (!BuildEncoderArguments(sourcePath, outputPath, padWidth, padHeight, mode, handle,
                               arguments, sizeof arguments)) {
        result.launch = EncoderLaunch::kArgumentsTooLong;
        return result;
    }

    char exePath[kPathCapacity];
    DWORD error = ERROR_FILENAME_EXCED_RANGE;
    if (ExePathIn(programFolder, exePath, sizeof exePath) &&
        StartAndWait(exePath, arguments, &result.exitCode, &error)) {
        result.launch = EncoderLaunch::kRan;
        return result;
    }
    result.launch = EncoderLaunch::kNotStarted;
    result.startError = error;
    if (box == NotStartedBox::kShow) {
        char text[768];
        ComposeNotStartedText(programFolder, error, text, sizeof text);
        HWND owner = window != nullptr ? GetLastActivePopup(window) : nullptr;
        MessageBoxA(owner, text, AfxGetAppName(), MB_OK | MB_ICONERROR);
    }
    return result;
}
