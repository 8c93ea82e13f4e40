// Helper of scripts/bench (never a test):
//   bench_helper.exe pieces <format 0-12> <width> <height> <fps>
//       prints the option pieces the program composes for that job (default
//       settings, PAL), between the output path and the mode;
//   bench_helper.exe import <Tarvello.exe> <clips folder\> <name>...
//       imports the files through the program's file dialog and prints the
//       wall time from the dialog's OK to the last row;
//   bench_helper.exe waiting <Tarvello.exe> <clips folder\> <out folder\> <idle s> <look ms> <clip>...
//       prints the CPU time the program uses while idle (skipped when <idle s>
//       is 0) and while it converts the clips in one batch, with the wall time
//       from Convert to the end box (GetProcessTimes of Tarvello.exe, until
//       the last encoder has ended); the run is looked at every <look ms>.
//       How many encoders run at once is the program's own setting.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "engine/core/ConversionSettings.h"
#include "engine/core/EncoderArguments.h"
#include "engine/core/EncoderProfile.h"
#include "engine/core/SourceTable.h"
#include "res/resource.h"
#include "tests/e2e/MainDriver.h"
#include "tests/win/support/WinTestSupport.h"

namespace {

int Fail(const char* step) {
    std::fprintf(stderr, "bench_helper: %s\n", step);
    return 1;
}

std::string Folder(const std::string& path) { return path.substr(0, path.find_last_of('\\') + 1); }

double Seconds(const FILETIME& time) {
    ULARGE_INTEGER value;
    value.LowPart = time.dwLowDateTime;
    value.HighPart = time.dwHighDateTime;
    return static_cast<double>(value.QuadPart) / 1e7;
}

// User plus kernel seconds of a process so far.
double CpuSeconds(HANDLE process) {
    FILETIME created, exited, kernel, user;
    if (!GetProcessTimes(process, &created, &exited, &kernel, &user)) return -1.0;
    return Seconds(kernel) + Seconds(user);
}

double Now() {
    static LARGE_INTEGER frequency = {};
    if (frequency.QuadPart == 0) QueryPerformanceFrequency(&frequency);
    LARGE_INTEGER count;
    QueryPerformanceCounter(&count);
    return static_cast<double>(count.QuadPart) / static_cast<double>(frequency.QuadPart);
}

int Pieces(int argc, char** argv) {
    if (argc < 6) return Fail("usage: pieces <format> <width> <height> <fps>");
    g_settings.outputFormat = std::atoi(argv[2]);
    g_settings.tvMode = 1;
    const SourceRow row{30, std::atoi(argv[3]), std::atoi(argv[4]), std::atof(argv[5])};
    static char text[kEncoderArgumentsCapacity];
    if (!BuildJobArguments(g_settings, row, "S", "O", kEncoderModeConvert, 0, text, sizeof text)) {
        return Fail("no argument text");
    }
    // "\"S\" -o \"O\" <pieces> 0 0"
    std::string all = text;
    const std::string head = "\"S\" -o \"O\" ";
    const std::string tail = " 0 0";
    if (all.compare(0, head.size(), head) != 0 || all.size() < head.size() + tail.size()) return Fail(text);
    std::printf("%s\n", all.substr(head.size(), all.size() - head.size() - tail.size()).c_str());
    return 0;
}

int Import(int argc, char** argv) {
    if (argc < 5) return Fail("usage: import <Tarvello.exe> <clips\\> <name>...");
    const std::string exe = argv[2];
    std::vector<std::string> names(argv + 4, argv + argc);
    e2e::Tarvello app;
    if (!app.StartExe(exe, Folder(exe))) return Fail("Tarvello.exe did not start");
    if (app.WaitMainWindow() == nullptr) return Fail("no main window");
    // The file dialog's OK ends ImportThroughDialog; the probes start then.
    const double start = Now();
    if (!app.ImportThroughDialog(argv[3], names)) return Fail("file dialog");
    const DWORD rows = static_cast<DWORD>(names.size() > 99 ? 99 : names.size());
    while (app.RowCount() < static_cast<int>(rows)) {
        if (Now() - start > 600) return Fail("import did not finish");
        Sleep(5);
    }
    const double wall = Now() - start;
    std::printf("import %u files: %.3f s, %.4f s per file\n", static_cast<unsigned>(rows), wall, wall / rows);
    app.Post(IDCANCEL);
    app.WaitExit();
    return 0;
}

int Waiting(int argc, char** argv) {
    if (argc < 8) return Fail("usage: waiting <Tarvello.exe> <clips\\> <out\\> <idle s> <look ms> <clip>...");
    const std::string exe = argv[2];
    const std::string out = argv[4];
    const double idle = std::atof(argv[5]);
    const DWORD lookMs = static_cast<DWORD>(std::atoi(argv[6]));
    const std::vector<std::string> clips(argv + 7, argv + argc);
    e2e::Tarvello app;
    if (!app.StartExe(exe, Folder(exe))) return Fail("Tarvello.exe did not start");
    if (app.WaitMainWindow() == nullptr) return Fail("no main window");
    wintest::PumpMessagesFor(1000);  // start-up work done

    double cpu0 = 0, cpu1 = 0, t0 = 0, t1 = 0;
    if (idle > 0) {
        cpu0 = CpuSeconds(app.Process());
        t0 = Now();
        Sleep(static_cast<DWORD>(idle * 1000));
        cpu1 = CpuSeconds(app.Process());
        t1 = Now();
        if (cpu0 < 0 || cpu1 < 0) return Fail("GetProcessTimes failed");
        std::printf("idle: %.3f s CPU in %.2f s wall (%.2f %% of one core)\n", cpu1 - cpu0, t1 - t0,
                    100.0 * (cpu1 - cpu0) / (t1 - t0));
    }

    SendMessageA(app.Item(IDC_OUTPUT_FOLDER), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(out.c_str()));
    if (!app.ImportThroughDialog(argv[3], clips)) return Fail("file dialog");
    if (!app.WaitRowCount(static_cast<int>(clips.size()), 600000)) return Fail("the clips were not listed");
    wintest::PumpMessagesFor(500);

    cpu0 = CpuSeconds(app.Process());
    t0 = Now();
    app.Post(IDC_CONVERT);
    // Under Wine each look from here costs the program CPU of its own (about
    // 3 % of a core at 20 looks a second, none when nobody looks), so the CPU
    // figure wants rare looks and the wall time frequent ones.
    HWND summary = nullptr;
    while (summary == nullptr) {
        Sleep(lookMs);
        summary = app.WaitDialog("Tarvello", 0);
        if (Now() - t0 > 900) return Fail("the conversion did not finish");
    }
    cpu1 = CpuSeconds(app.Process());
    t1 = Now();
    std::printf("converting %u files: %.3f s CPU in %.2f s wall (%.2f %% of one core)\n",
                static_cast<unsigned>(clips.size()), cpu1 - cpu0, t1 - t0, 100.0 * (cpu1 - cpu0) / (t1 - t0));
    std::printf("summary: %s\n", e2e::BoxText(summary).c_str());
    e2e::Answer(summary, IDOK);
    app.Post(IDCANCEL);
    app.WaitExit();
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc >= 2 && std::strcmp(argv[1], "pieces") == 0) return Pieces(argc, argv);
    if (argc >= 2 && std::strcmp(argv[1], "import") == 0) return Import(argc, argv);
    if (argc >= 2 && std::strcmp(argv[1], "waiting") == 0) return Waiting(argc, argv);
    return Fail("usage: bench_helper.exe pieces|import|waiting ...");
}
