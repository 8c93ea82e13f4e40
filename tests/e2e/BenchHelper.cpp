// Helper of scripts/bench (never a test):
//   bench_helper.exe pieces <format 0-12> <width> <height> <fps> [<seconds> <target KB>]
//       prints the option pieces the program composes for that job (default
//       settings, PAL; a 30 s source unless given, with the target size given),
//       between the output path and the mode;
//   bench_helper.exe import <Tarvello.exe> <clips folder\> <name>...
//       imports the files through the program's file dialog and prints the
//       wall time from the dialog's OK to the last row;
//   bench_helper.exe waiting <Tarvello.exe> <clips folder\> <out folder\> <idle s> <look ms>
//   <clip>...
//       prints the CPU time the program uses while idle (skipped when <idle s>
//       is 0) and while it converts the clips in one batch, with the wall time
//       from Convert to the end box (GetProcessTimes of Tarvello.exe, until
//       the last encoder has ended); the run is looked at every <look ms>.
//       How many encoders run at once is the program's own setting.
//   bench_helper.exe listened <runs> <program folder\> <source> <output> <option piece>...
//       runs the job as the program does, quenforenc.exe reporting to a window
//       of this helper, against ffmpeg.exe started directly with the
//       arguments the encoder translates the job into; both are started with
//       CreateProcess, alternately, and the wall times are printed; then the
//       time of bench_nothing.exe (beside this helper), started the same way;
//   bench_helper.exe starts <runs> <exe> [<arguments>]
//       starts <exe> <runs> times in each of three ways, in turn, waiting for
//       each to end: as the program starts its encoder (EncoderJobs::Start,
//       CreateProcessA), through the shell as it used to (ShellExecuteExA),
//       and through the shell without its zone checks; prints the medians
//       and the medians of the paired differences against the shell.
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <cstdlib>
#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "encoder/CommandLine.h"
#include "encoder/EncoderCommand.h"
#include "encoder/FfmpegArguments.h"
#include "core/ConversionSettings.h"
#include "core/EncoderArguments.h"
#include "core/EncoderProfile.h"
#include "core/SourceTable.h"
#include "run/EncoderJobs.h"
#include "res/resource.h"
#include "tests/e2e/EncoderHarness.h"
#include "tests/e2e/MainDriver.h"
#include "tests/win/support/WinTestSupport.h"

namespace {

int Fail(const char* step) {
    std::fprintf(stderr, "bench_helper: %s\n", step);
    return 1;
}

std::string Folder(const std::string& path) {
    return path.substr(0, path.find_last_of('\\') + 1);
}

// Starts the program with an empty list: each measurement begins where the
// first did, not with the list an earlier one left in sources.txt.
bool StartWithEmptyList(e2e::Tarvello& app, const std::string& exe) {
    DeleteFileA((Folder(exe) + "sources.txt").c_str());
    return app.StartExe(exe, Folder(exe));
}

double Seconds(const FILETIME& time) {
    ULARGE_INTEGER value;
    value.LowPart = time.dwLowDateTime;
    value.HighPart = time.dwHighDateTime;
    return static_cast<double>(value.QuadPart) / 1e7;
}

// User plus kernel seconds of a process so far.
double CpuSeconds(HANDLE process) {
    FILETIME created, exited, kernel, user;
    if (!GetProcessTimes(process, &created, &exited, &kernel, &user))
        return -1.0;
    return Seconds(kernel) + Seconds(user);
}

double Now() {
    static LARGE_INTEGER frequency = {};
    if (frequency.QuadPart == 0)
        QueryPerformanceFrequency(&frequency);
    LARGE_INTEGER count;
    QueryPerformanceCounter(&count);
    return static_cast<double>(count.QuadPart) / static_cast<double>(frequency.QuadPart);
}

int Pieces(int argc, char** argv) {
    if (argc < 6)
        return Fail("usage: pieces <format> <width> <height> <fps>");
    ConversionSettings settings;
    settings.outputFormat = std::atoi(argv[2]);
    settings.tvMode = 1;
    const double seconds = argc >= 8 ? std::atof(argv[6]) : 30.0;
    if (argc >= 8)
        settings.targetSizeKb = std::atoi(argv[7]);
    const SourceRow row{seconds, std::atoi(argv[3]), std::atoi(argv[4]), std::atof(argv[5])};
    static char text[kEncoderArgumentsCapacity];
    if (!BuildJobArguments(settings, row, "S", "O", kEncoderModeConvert, 0, text, sizeof text)) {
        return Fail("no argument text");
    }
    // "\"S\" -o \"O\" <pieces> 0 0"
    std::string all = text;
    const std::string head = "\"S\" -o \"O\" ";
    const std::string tail = " 0 0";
    if (all.compare(0, head.size(), head) != 0 || all.size() < head.size() + tail.size())
        return Fail(text);
    std::printf("%s\n", all.substr(head.size(), all.size() - head.size() - tail.size()).c_str());
    return 0;
}

int Import(int argc, char** argv) {
    if (argc < 5)
        return Fail("usage: import <Tarvello.exe> <clips\\> <name>...");
    const std::string exe = argv[2];
    std::vector<std::string> names(argv + 4, argv + argc);
    e2e::Tarvello app;
    if (!StartWithEmptyList(app, exe))
        return Fail("Tarvello.exe did not start");
    if (app.WaitMainWindow() == nullptr)
        return Fail("no main window");
    // The file dialog's OK ends ImportThroughDialog; the probes start then.
    const double start = Now();
    if (!app.ImportThroughDialog(argv[3], names))
        return Fail("file dialog");
    const DWORD rows = static_cast<DWORD>(names.size() > 99 ? 99 : names.size());
    while (app.RowCount() < static_cast<int>(rows)) {
        if (Now() - start > 600)
            return Fail("import did not finish");
        Sleep(5);
    }
    const double wall = Now() - start;
    std::printf("import %u files: %.3f s, %.4f s per file\n", static_cast<unsigned>(rows), wall,
                wall / rows);
    app.Post(IDCANCEL);
    app.WaitExit();
    return 0;
}

int Waiting(int argc, char** argv) {
    if (argc < 8)
        return Fail("usage: waiting <Tarvello.exe> <clips\\> <out\\> <idle s> <look ms> <clip>...");
    const std::string exe = argv[2];
    const std::string out = argv[4];
    const double idle = std::atof(argv[5]);
    const DWORD lookMs = static_cast<DWORD>(std::atoi(argv[6]));
    const std::vector<std::string> clips(argv + 7, argv + argc);
    e2e::Tarvello app;
    if (!StartWithEmptyList(app, exe))
        return Fail("Tarvello.exe did not start");
    if (app.WaitMainWindow() == nullptr)
        return Fail("no main window");
    wintest::PumpMessagesFor(1000); // start-up work done

    double cpu0 = 0, cpu1 = 0, t0 = 0, t1 = 0;
    if (idle > 0) {
        cpu0 = CpuSeconds(app.Process());
        t0 = Now();
        Sleep(static_cast<DWORD>(idle * 1000));
        cpu1 = CpuSeconds(app.Process());
        t1 = Now();
        if (cpu0 < 0 || cpu1 < 0)
            return Fail("GetProcessTimes failed");
        std::printf("idle: %.3f s CPU in %.2f s wall (%.2f %% of one core)\n", cpu1 - cpu0, t1 - t0,
                    100.0 * (cpu1 - cpu0) / (t1 - t0));
    }

    SendMessageA(app.Item(IDC_OUTPUT_FOLDER), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(out.c_str()));
    if (!app.ImportThroughDialog(argv[3], clips))
        return Fail("file dialog");
    if (!app.WaitRowCount(static_cast<int>(clips.size()), 600000))
        return Fail("the clips were not listed");
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
        if (Now() - t0 > 900)
            return Fail("the conversion did not finish");
    }
    cpu1 = CpuSeconds(app.Process());
    t1 = Now();
    std::printf("converting %u files: %.3f s CPU in %.2f s wall (%.2f %% of one core)\n",
                static_cast<unsigned>(clips.size()), cpu1 - cpu0, t1 - t0,
                100.0 * (cpu1 - cpu0) / (t1 - t0));
    std::printf("summary: %s\n", e2e::BoxText(summary).c_str());
    e2e::Answer(summary, IDOK);
    app.Post(IDCANCEL);
    app.WaitExit();
    return 0;
}

// The wall time of one run of a command line while this thread serves the
// reports, or -1 when it fails; the encoder's step times, when it is asked
// for them, are printed.
double TimedRun(const std::string& exe, const std::string& arguments) {
    const double start = Now();
    const e2e::RunResult run = e2e::RunProgram(exe, arguments, 600000);
    const double wall = Now() - start;
    if (std::getenv("QUENFORENC_TIMING") != nullptr) {
        size_t at = 0;
        while ((at = run.errorText.find("quenforenc: at ", at)) != std::string::npos) {
            const size_t end = run.errorText.find('\n', at);
            std::fprintf(stderr, "%s\n", run.errorText.substr(at, end - at).c_str());
            at = end;
        }
    }
    return run.finished && run.exitCode == 0 ? wall : -1.0;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n == 0 ? 0.0 : n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

int Listened(int argc, char** argv) {
    if (argc < 7)
        return Fail(
            "usage: listened <runs> <program folder\\> <source> <output> <option piece>...");
    const int runs = std::atoi(argv[2]);
    const std::string folder = argv[3];
    e2e::ReportWindow window;
    if (window.Handle() == nullptr)
        return Fail("no report window");

    // The encoder's argument text, with this helper's window for its reports.
    std::vector<std::string> args(argv + 4, argv + argc);
    args.insert(args.begin() + 1, "-o");
    args.push_back("0");
    args.push_back(std::to_string(window.HandleValue()));
    EncoderCommand command;
    std::string error;
    std::vector<std::string> ffmpegArgs;
    FfmpegTarget target;
    target.outputPath = argv[5];
    if (!ParseEncoderCommand(args, command, error) ||
        !TranslateToFfmpeg(command, target, ffmpegArgs, error)) {
        return Fail(error.c_str());
    }
    const std::string encoder = folder + "quenforenc.exe";
    const std::string ffmpeg = folder + "ffmpeg.exe";
    const std::string encoderLine = JoinCommandLine(args);
    const std::string ffmpegLine = JoinCommandLine(ffmpegArgs);

    std::vector<double> encoderTimes, ffmpegTimes, differences;
    for (int run = 0; run < runs; ++run) {
        // Alternate which goes first, so a drift in the machine's load hits both.
        const size_t before = window.Events().size();
        double e = 0, f = 0;
        if (run % 2 == 0)
            e = TimedRun(encoder, encoderLine);
        f = TimedRun(ffmpeg, ffmpegLine);
        if (run % 2 == 1)
            e = TimedRun(encoder, encoderLine);
        if (e < 0 || f < 0)
            return Fail(e < 0 ? "the encoder failed" : "ffmpeg.exe failed");
        if (window.Events().size() == before)
            return Fail("the encoder sent no report");
        encoderTimes.push_back(e);
        ffmpegTimes.push_back(f);
        differences.push_back(e - f);
    }
    const double e = Median(encoderTimes), f = Median(ffmpegTimes);
    std::printf("quenforenc.exe %6.2f s   ffmpeg.exe %6.2f s   ratio %.3f (medians of %d), %+.3f s "
                "(median of the "
                "paired differences)\n",
                e, f, e / f, runs, Median(differences));
    std::printf("      runs:");
    for (double t : encoderTimes)
        std::printf(" %.3f", t);
    std::printf(" /");
    for (double t : ffmpegTimes)
        std::printf(" %.3f", t);
    std::printf("\n");

    char self[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, self, MAX_PATH);
    const std::string nothing = Folder(std::string(self, length)) + "bench_nothing.exe";
    std::vector<double> nothingTimes;
    for (int run = 0; run < runs; ++run) {
        const double t = TimedRun(nothing, "");
        if (t < 0)
            return Fail("bench_nothing.exe failed");
        nothingTimes.push_back(t);
    }
    std::printf("a program that does nothing, started the same way: %.3f s (median of %d)\n",
                Median(nothingTimes), runs);
    return 0;
}

// One start through the shell, hidden, as the program started its encoder
// before; `zoneChecks` false adds SEE_MASK_NOZONECHECKS. The wall time to the
// program's end, or -1.
double ShellStart(const std::string& exe, const std::string& arguments, bool zoneChecks) {
    SHELLEXECUTEINFOA info = {};
    info.cbSize = sizeof info;
    info.fMask =
        SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI | (zoneChecks ? 0 : SEE_MASK_NOZONECHECKS);
    info.lpFile = exe.c_str();
    info.lpParameters = arguments.c_str();
    info.nShow = SW_HIDE;
    const double start = Now();
    if (!ShellExecuteExA(&info) || info.hProcess == nullptr)
        return -1.0;
    WaitForSingleObject(info.hProcess, INFINITE);
    const double wall = Now() - start;
    CloseHandle(info.hProcess);
    return wall;
}

struct IgnoringSink : JobReportSink {
    LRESULT OnJobReport(int32_t, uint32_t, int32_t) override { return 0; }
};

// One start as the program starts its encoder, to the program's end.
double JobStart(EncoderJobs& jobs, const std::string& exe, const std::string& arguments) {
    const double start = Now();
    DWORD error = 0;
    if (!jobs.Start(0, exe.c_str(), arguments.c_str(), &error))
        return -1.0;
    if (jobs.WaitForOne(nullptr) != 0)
        return -1.0;
    return Now() - start;
}

int Starts(int argc, char** argv) {
    if (argc < 4)
        return Fail("usage: starts <runs> <exe> [<arguments>]");
    const int runs = std::atoi(argv[2]);
    const std::string exe = argv[3];
    const std::string arguments = argc > 4 ? argv[4] : "";
    IgnoringSink sink;
    EncoderJobs jobs(sink);
    std::vector<double> times[3], differences[2];
    for (int run = 0; run < runs; ++run) {
        double t[3];
        for (int k = 0; k < 3; ++k) {
            // Each way goes first in turn, so a drift in the machine's load hits all three.
            const int way = (k + run) % 3;
            t[way] =
                way == 0 ? JobStart(jobs, exe, arguments) : ShellStart(exe, arguments, way == 1);
            if (t[way] < 0)
                return Fail(way == 0 ? "the program's start failed" : "the shell's start failed");
        }
        for (int way = 0; way < 3; ++way)
            times[way].push_back(t[way]);
        differences[0].push_back(t[0] - t[1]);
        differences[1].push_back(t[2] - t[1]);
    }
    std::printf("CreateProcessA (the program's start)   %.4f s   %+.4f s against the shell\n",
                Median(times[0]), Median(differences[0]));
    std::printf("ShellExecuteExA                        %.4f s\n", Median(times[1]));
    std::printf("ShellExecuteExA, SEE_MASK_NOZONECHECKS %.4f s   %+.4f s against the shell\n",
                Median(times[2]), Median(differences[1]));
    std::printf("(medians of %d starts each, to the program's end; differences paired by round)\n",
                runs);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc >= 2 && std::strcmp(argv[1], "pieces") == 0)
        return Pieces(argc, argv);
    if (argc >= 2 && std::strcmp(argv[1], "import") == 0)
        return Import(argc, argv);
    if (argc >= 2 && std::strcmp(argv[1], "waiting") == 0)
        return Waiting(argc, argv);
    if (argc >= 2 && std::strcmp(argv[1], "listened") == 0)
        return Listened(argc, argv);
    if (argc >= 2 && std::strcmp(argv[1], "starts") == 0)
        return Starts(argc, argv);
    return Fail("usage: bench_helper.exe pieces|import|waiting|listened|starts ...");
}
