#include "tests/e2e/EncoderHarness.h"

#include <tlhelp32.h>

#include <cstdlib>

#include "encoder/CommandLine.h"
#include "protocol/EncoderEvents.h"
#include "tests/win/support/WinTestSupport.h"

namespace e2e {

namespace {

const char kWindowClass[] = "TarvelloEncoderReports";
constexpr UINT kDestroyLater = WM_APP + 1;

std::string ReadWholeFile(const std::string& path) {
    std::string text;
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return text;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0)
        text.append(buffer, got);
    CloseHandle(file);
    return text;
}

void PumpWaiting() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

} // namespace

ReportWindow::ReportWindow() {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = &ReportWindow::Proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = kWindowClass;
    RegisterClassA(&wc); // fails harmlessly when already registered
    window_ = CreateWindowA(kWindowClass, "Encoder reports", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100,
                            nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

ReportWindow::~ReportWindow() {
    if (window_ != nullptr && IsWindow(window_))
        DestroyWindow(window_);
}

std::vector<int32_t> ReportWindow::Values(uint32_t code) const {
    std::vector<int32_t> values;
    for (const Event& e : events_) {
        if (e.code == code)
            values.push_back(e.value);
    }
    return values;
}

LRESULT CALLBACK ReportWindow::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<ReportWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (self != nullptr && message == kEncoderEventMessage) {
        return self->OnEvent(static_cast<uint32_t>(wParam), static_cast<int32_t>(lParam));
    }
    if (self != nullptr && message == kDestroyLater) {
        DestroyWindow(window);
        self->window_ = nullptr;
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

LRESULT ReportWindow::OnEvent(uint32_t code, int32_t value) {
    events_.push_back({code, value});
    if (code != kEventPosition)
        return 0;
    ++positions_;
    if (destroyAt_ > 0 && positions_ == destroyAt_)
        PostMessageA(window_, kDestroyLater, 0, 0);
    return stopAt_ > 0 && positions_ >= stopAt_ ? kEventStop : kEventGoOn;
}

RunResult RunProgram(const std::string& exe, const std::string& arguments, DWORD safetyTimeoutMs,
                     const std::function<bool()>& killWhen) {
    RunResult result;
    char tempFolder[MAX_PATH] = "";
    char errorPath[MAX_PATH] = "";
    GetTempPathA(sizeof tempFolder, tempFolder);
    GetTempFileNameA(tempFolder, "enc", 0, errorPath);
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    HANDLE errorFile =
        CreateFileA(errorPath, GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS, 0, nullptr);
    std::string commandLine = QuoteArgument(exe) + " " + arguments;
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back('\0');
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = errorFile;
    startup.hStdError = errorFile;
    PROCESS_INFORMATION info = {};
    result.started = CreateProcessA(exe.c_str(), line.data(), nullptr, nullptr, TRUE,
                                    CREATE_NO_WINDOW, nullptr, nullptr, &startup, &info) != FALSE;
    CloseHandle(errorFile);
    if (result.started) {
        result.processId = info.dwProcessId;
        DWORD began = GetTickCount();
        for (;;) {
            DWORD wait = MsgWaitForMultipleObjects(1, &info.hProcess, FALSE, 100, QS_ALLINPUT);
            if (wait == WAIT_OBJECT_0) {
                result.finished = true;
                break;
            }
            PumpWaiting();
            if (killWhen && !result.killed && killWhen()) {
                result.killed = TerminateProcess(info.hProcess, 999) != FALSE;
                continue;
            }
            if (GetTickCount() - began > safetyTimeoutMs) {
                TerminateProcess(info.hProcess, 999);
                WaitForSingleObject(info.hProcess, 5000);
                break;
            }
        }
        PumpWaiting();
        GetExitCodeProcess(info.hProcess, &result.exitCode);
        CloseHandle(info.hProcess);
        CloseHandle(info.hThread);
    }
    result.errorText = ReadWholeFile(errorPath);
    DeleteFileA(errorPath);
    return result;
}

std::string EncoderPath() {
    return wintest::EnvPath("TARVELLO_PROGRAM_DIR", "quenforenc.exe");
}

std::string ClipPath(const char* name) {
    return wintest::EnvPath("TARVELLO_BUILD_DIR", (std::string("clips\\") + name).c_str());
}

std::string FreshFolder(const char* name) {
    std::string folder =
        wintest::EnvPath("TARVELLO_BUILD_DIR", (std::string("e2e-out\\") + name + "\\").c_str());
    CreateDirectoryA(wintest::EnvPath("TARVELLO_BUILD_DIR", "e2e-out").c_str(), nullptr);
    CreateDirectoryA(folder.c_str(), nullptr);
    for (const std::string& file : FilesMatching(folder, "*"))
        DeleteFileA((folder + file).c_str());
    return folder;
}

std::vector<std::string> FilesMatching(const std::string& folder, const char* pattern) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + pattern).c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            names.push_back(found.cFileName);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return names;
}

bool ChildRunning(DWORD parentId, const char* exeName) {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return false;
    PROCESSENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    bool running = false;
    for (BOOL more = Process32First(snapshot, &entry); more;
         more = Process32Next(snapshot, &entry)) {
        if (entry.th32ParentProcessID == parentId && lstrcmpiA(entry.szExeFile, exeName) == 0)
            running = true;
    }
    CloseHandle(snapshot);
    return running;
}

std::string ToUnixPath(const std::string& windowsPath) {
    std::string path = windowsPath;
    if (path.size() >= 2 && (path[0] == 'Z' || path[0] == 'z') && path[1] == ':')
        path = path.substr(2);
    for (char& c : path) {
        if (c == '\\')
            c = '/';
    }
    return path;
}

std::map<std::string, std::string> DescribeMedia(const std::string& windowsPath) {
    return HostFacts("ffprobe-summary.sh", {windowsPath}, windowsPath + ".ffprobe.txt");
}

std::map<std::string, std::string> HostFacts(const char* script,
                                             const std::vector<std::string>& windowsPaths,
                                             const std::string& result) {
    std::map<std::string, std::string> facts;
    DeleteFileA(result.c_str());
    std::string arguments =
        "/unix /bin/sh " +
        ToUnixPath(wintest::EnvPath("TARVELLO_SOURCE_DIR",
                                    (std::string("tests\\e2e\\") + script).c_str()));
    for (const std::string& path : windowsPaths)
        arguments += " " + ToUnixPath(path);
    arguments += " " + ToUnixPath(result);
    // start.exe hands a Unix program to the host; it does not wait for it,
    // so wait for the result file, which the script renames into place.
    if (!RunProgram("C:\\windows\\system32\\start.exe", arguments, 30000).started)
        return facts;
    for (int i = 0; i < 1200 && GetFileAttributesA(result.c_str()) == INVALID_FILE_ATTRIBUTES; ++i)
        Sleep(50);
    std::string text = ReadWholeFile(result);
    size_t begin = 0;
    while (begin < text.size()) {
        size_t end = text.find('\n', begin);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(begin, end - begin);
        size_t equals = line.find('=');
        if (equals != std::string::npos)
            facts[line.substr(0, equals)] = line.substr(equals + 1);
        begin = end + 1;
    }
    return facts;
}

double ParseRate(const std::string& text) {
    size_t slash = text.find('/');
    double num = std::atof(text.substr(0, slash).c_str());
    if (slash == std::string::npos)
        return num;
    double den = std::atof(text.substr(slash + 1).c_str());
    return den > 0 ? num / den : 0.0;
}

} // namespace e2e
