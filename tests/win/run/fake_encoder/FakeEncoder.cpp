// A stand-in for quenforenc.exe that does what a script tells it, so that the
// conversion run can be tested without FFmpeg and with exact reports.
//
// It reads "fake_encoder_script.txt" beside itself. Lines after "[name]" apply
// to a source whose file name is `name` ("[folder\name]" names the file's
// folder too); lines after "[*]" to any other.
//   send <code> <value>   SendMessage WM_ENCODER_EVENT; on result 1 to code 6
//                         it stops at once with exit code 14. Codes 95 and
//                         above go to the test's host window (its handle in
//                         the environment variable FAKE_ENCODER_HOST), and
//                         after each code 6 the host gets code 95 with the
//                         same value, to record what the run showed
//   sleep <ms>
//   write <bytes>         appends that many bytes to its temporary output
//                         (named as the real encoder names it), which ends
//                         under the output's name with exit code 0 and stays
//                         behind with any other, as when an encoder is killed
//   mark <n>              leaves the mark file "fake_encoder_mark<n>" beside itself
//   await <n>             waits until that mark file exists (at most 30 s), so
//                         that encoders running at once act in a fixed order
//   exit <code>           ends with that exit code (the end of a section: 0)
//   vanish                renames its own executable to "quenforenc.exe.gone",
//                         so that the next start of the encoder fails
//   started               logs "started show <n> handle <open|none>": the show
//                         command it was started with (-1 when none was given)
//                         and whether the handle whose value is in the
//                         environment variable FAKE_ENCODER_HANDLE is open here
//                         on a file named "inherit-probe..."
// It appends to "fake_encoder_log.txt" beside itself:
//   args <argument text>
//   sent <code> <value> -> <result>
//   exit <code>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "protocol/EncoderEvents.h"
#include "protocol/TemporaryName.h"

namespace {

std::string g_folder;
std::string g_output;

std::string ProgramFolder() {
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    std::string folder(path, length);
    return folder.substr(0, folder.find_last_of('\\') + 1);
}

void Log(const std::string& line) {
    FILE* log = std::fopen((g_folder + "fake_encoder_log.txt").c_str(), "ab");
    if (log == nullptr)
        return;
    std::fprintf(log, "%s\n", line.c_str());
    std::fclose(log);
}

[[noreturn]] void Exit(int code) {
    const std::string temporary = TemporaryOutputName(g_output, GetCurrentProcessId());
    if (code == 0 && !g_output.empty() &&
        GetFileAttributesA(temporary.c_str()) != INVALID_FILE_ATTRIBUTES &&
        !MoveFileExA(temporary.c_str(), g_output.c_str(), MOVEFILE_REPLACE_EXISTING)) {
        Log("rename failed");
        code = 16;
    }
    Log("exit " + std::to_string(code));
    std::exit(code);
}

// The argument text: the command line without the program name.
std::string ArgumentText() {
    const char* line = GetCommandLineA();
    bool quoted = false;
    while (*line != '\0' && (quoted || (*line != ' ' && *line != '\t'))) {
        if (*line == '"')
            quoted = !quoted;
        ++line;
    }
    while (*line == ' ' || *line == '\t')
        ++line;
    return line;
}

// True when `section` names the source: its file name, or the end of its
// path from a backslash on.
bool Names(const std::string& section, const std::string& source) {
    if (section.size() > source.size())
        return false;
    const size_t at = source.size() - section.size();
    if (at > 0 && source[at - 1] != '\\')
        return false;
    return _stricmp(section.c_str(), source.c_str() + at) == 0;
}

std::string StartShow() {
    STARTUPINFOA startup;
    GetStartupInfoA(&startup);
    return std::to_string((startup.dwFlags & STARTF_USESHOWWINDOW) != 0 ? startup.wShowWindow : -1);
}

// True when the handle value the test left in FAKE_ENCODER_HANDLE is open in
// this process on the test's probe file, that is when it was inherited.
bool HoldsProbeFile() {
    char text[32] = "";
    if (GetEnvironmentVariableA("FAKE_ENCODER_HANDLE", text, sizeof text) == 0)
        return false;
    HANDLE handle = reinterpret_cast<HANDLE>(static_cast<intptr_t>(_strtoi64(text, nullptr, 10)));
    DWORD flags = 0;
    if (!GetHandleInformation(handle, &flags) || GetFileType(handle) != FILE_TYPE_DISK)
        return false;
    char path[MAX_PATH] = "";
    const DWORD length = GetFinalPathNameByHandleA(handle, path, sizeof path, 0);
    return length > 0 && length < sizeof path && std::strstr(path, "inherit-probe") != nullptr;
}

std::string MarkPath(long long n) {
    return g_folder + "fake_encoder_mark" + std::to_string(n);
}

std::vector<std::string> ScriptFor(const std::string& source) {
    std::vector<std::string> mine;
    std::vector<std::string> any;
    FILE* script = std::fopen((g_folder + "fake_encoder_script.txt").c_str(), "rb");
    if (script == nullptr)
        return mine;
    char buffer[512];
    std::vector<std::string>* section = nullptr;
    while (std::fgets(buffer, sizeof buffer, script) != nullptr) {
        std::string line = buffer;
        while (!line.empty() && (line.back() == '\n' || line.back() == '\r'))
            line.pop_back();
        if (line.size() > 2 && line.front() == '[' && line.back() == ']') {
            const std::string name = line.substr(1, line.size() - 2);
            section = name == "*" ? &any : (Names(name, source) ? &mine : nullptr);
            continue;
        }
        if (section != nullptr && !line.empty())
            section->push_back(line);
    }
    std::fclose(script);
    return mine.empty() ? any : mine;
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    g_folder = ProgramFolder();
    Log("args " + ArgumentText());

    // quoted source, -o, quoted output, options..., mode, window handle
    const int argc = __argc;
    char** argv = __argv;
    if (argc < 6)
        Exit(10);
    const std::string source = argv[1];
    const std::string output = argv[3];
    g_output = output;
    HWND window =
        reinterpret_cast<HWND>(static_cast<intptr_t>(_strtoi64(argv[argc - 1], nullptr, 10)));
    char hostText[32] = "";
    GetEnvironmentVariableA("FAKE_ENCODER_HOST", hostText, sizeof hostText);
    HWND host = reinterpret_cast<HWND>(static_cast<intptr_t>(_strtoi64(hostText, nullptr, 10)));

    for (const std::string& line : ScriptFor(source)) {
        char command[32] = "";
        long long a = 0;
        long long b = 0;
        const int fields = std::sscanf(line.c_str(), "%31s %lld %lld", command, &a, &b);
        if (fields < 1)
            continue;
        const std::string name = command;
        if (name == "send") {
            const LRESULT result = SendMessageA(a >= 95 ? host : window, kEncoderEventMessage,
                                                static_cast<WPARAM>(a), static_cast<LPARAM>(b));
            Log("sent " + std::to_string(a) + " " + std::to_string(b) + " -> " +
                std::to_string(static_cast<long long>(result)));
            if (a == 6 && host != nullptr) {
                SendMessageA(host, kEncoderEventMessage, 95, static_cast<LPARAM>(b));
            }
            if (a == 6 && result == 1)
                Exit(14);
        } else if (name == "sleep") {
            Sleep(static_cast<DWORD>(a));
        } else if (name == "write") {
            FILE* out =
                std::fopen(TemporaryOutputName(output, GetCurrentProcessId()).c_str(), "ab");
            if (out != nullptr) {
                for (long long i = 0; i < a; ++i)
                    std::fputc('x', out);
                std::fclose(out);
            }
        } else if (name == "vanish") {
            const std::string self = g_folder + "quenforenc.exe";
            Log(MoveFileA(self.c_str(), (self + ".gone").c_str()) ? "vanished" : "vanish failed");
        } else if (name == "started") {
            Log("started show " + StartShow() + " handle " + (HoldsProbeFile() ? "open" : "none"));
        } else if (name == "mark") {
            FILE* mark = std::fopen(MarkPath(a).c_str(), "wb");
            if (mark != nullptr)
                std::fclose(mark);
        } else if (name == "await") {
            int waited = 0;
            while (GetFileAttributesA(MarkPath(a).c_str()) == INVALID_FILE_ATTRIBUTES &&
                   waited < 30000) {
                Sleep(5);
                waited += 5;
            }
            if (waited >= 30000)
                Log("await " + std::to_string(a) + " timed out");
        } else if (name == "exit") {
            Exit(static_cast<int>(a));
        }
    }
    Exit(0);
}
