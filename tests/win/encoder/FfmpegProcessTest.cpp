// FfmpegProcess and EventReporter with the shipped ffmpeg.exe under Wine.
#include "encoder/FfmpegProcess.h"

#include <dbghelp.h>
#include <gtest/gtest.h>
#include <tlhelp32.h>

#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

#include "encoder/EventReporter.h"
#include "tests/win/support/WinTestSupport.h"

namespace {

// FFmpeg connects to the desktop when it starts. Under Wine the first process
// that does so starts the desktop's explorer.exe: one started inside FFmpeg's
// job dies with the job, and a window this program creates just then fails
// with an X error that ends the whole program. Taking the desktop before any
// FFmpeg runs keeps its explorer.exe outside every job.
class DesktopFirst : public testing::Environment {
    void SetUp() override { GetDesktopWindow(); }
};
testing::Environment* const kDesktopFirst = testing::AddGlobalTestEnvironment(new DesktopFirst);

std::string Ffmpeg() {
    return wintest::EnvPath("TARVELLO_PROGRAM_DIR", "ffmpeg.exe");
}

std::vector<std::string> Generated(const char* seconds, bool realTime) {
    std::vector<std::string> args = {"-hide_banner", "-nostdin"};
    if (realTime)
        args.push_back("-re");
    args.insert(args.end(), {"-f", "lavfi", "-i", "testsrc=size=64x48:rate=25", "-t", seconds, "-f",
                             "null", "-progress", "pipe:1", "-nostats", "-"});
    return args;
}

TEST(FfmpegProcess, ReadsProgressToTheEnd) {
    FfmpegProcess ffmpeg;
    DWORD error = 0;
    ASSERT_TRUE(ffmpeg.Start(Ffmpeg(), Generated("3", false), &error)) << error;
    ASSERT_TRUE(ffmpeg.WaitForEnd(60000));
    ffmpeg.FinishOutput();
    EXPECT_EQ(0u, ffmpeg.ExitCode());
    EXPECT_EQ(3, ffmpeg.PositionSeconds());
}

TEST(FfmpegProcess, KeepsTheLastErrorLine) {
    FfmpegProcess ffmpeg;
    DWORD error = 0;
    const std::string missing = wintest::EnvPath("TARVELLO_BUILD_DIR", "no-such-input.avi");
    ASSERT_TRUE(ffmpeg.Start(
        Ffmpeg(), {"-hide_banner", "-nostdin", "-i", missing, "-f", "null", "-"}, &error));
    ASSERT_TRUE(ffmpeg.WaitForEnd(60000));
    ffmpeg.FinishOutput();
    EXPECT_NE(0u, ffmpeg.ExitCode());
    EXPECT_NE(std::string::npos, ffmpeg.LastErrorLine().find("No such file"))
        << ffmpeg.LastErrorLine();
    EXPECT_NE(std::string::npos, ffmpeg.ErrorText().find(missing)) << ffmpeg.ErrorText();
}

TEST(FfmpegProcess, TerminateEndsARunningProcess) {
    FfmpegProcess ffmpeg;
    DWORD error = 0;
    ASSERT_TRUE(ffmpeg.Start(Ffmpeg(), Generated("120", true), &error)) << error;
    // Wait until it works (a safety bound, not a timing check).
    for (int i = 0; i < 600 && ffmpeg.PositionSeconds() < 1; ++i)
        ffmpeg.WaitForEnd(50);
    EXPECT_FALSE(ffmpeg.WaitForEnd(0));
    ffmpeg.Terminate();
    EXPECT_TRUE(ffmpeg.WaitForEnd(0));
    ffmpeg.FinishOutput();
    EXPECT_NE(0u, ffmpeg.ExitCode());
}

TEST(FfmpegProcess, MissingProgramIsNotStarted) {
    FfmpegProcess ffmpeg;
    DWORD error = 0;
    EXPECT_FALSE(ffmpeg.Start(wintest::EnvPath("TARVELLO_BUILD_DIR", "nowhere\\ffmpeg.exe"),
                              {"-version"}, &error));
    EXPECT_TRUE(error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) << error;
    EXPECT_TRUE(ffmpeg.WaitForEnd(0)); // nothing to wait for
}

TEST(ExecutableFolder, EndsWithABackslash) {
    std::string folder = ExecutableFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ('\\', folder.back());
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(folder.c_str()));
}

LRESULT CALLBACK AnswerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    // Answers code 6 with 1 when the value is negative, to see the sign arrive.
    if (message == kEncoderEventMessage)
        return wParam == kEventPosition && static_cast<int32_t>(lParam) < 0;
    return DefWindowProcA(window, message, wParam, lParam);
}

TEST(EventReporter, DeliversToTheWindowAndTellsWhenItIsGone) {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = AnswerProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "EventReporterTest";
    RegisterClassA(&wc);
    HWND window = CreateWindowA("EventReporterTest", "", WS_OVERLAPPED, 0, 0, 10, 10, nullptr,
                                nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(nullptr, window);
    // The handle travels as its signed decimal value.
    EventReporter reporter(static_cast<int64_t>(reinterpret_cast<INT_PTR>(window)));
    EXPECT_TRUE(reporter.Listening());
    EXPECT_TRUE(reporter.WindowExists());
    EXPECT_EQ(0, reporter.Send(kEventPosition, 5));
    EXPECT_EQ(1, reporter.Send(kEventPosition, -5));
    DestroyWindow(window);
    EXPECT_FALSE(reporter.WindowExists());

    EventReporter nobody(0);
    EXPECT_FALSE(nobody.Listening());
    EXPECT_TRUE(nobody.WindowExists());
    EXPECT_EQ(0, nobody.Send(kEventDuration, 3));
}

// The DLLs an executable imports, in lower case, read from its file.
std::vector<std::string> ImportedDlls(const std::string& path) {
    std::vector<std::string> names;
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return names;
    HANDLE mapping = CreateFileMappingA(file, nullptr, PAGE_READONLY, 0, 0, nullptr);
    void* base = mapping != nullptr ? MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, 0) : nullptr;
    if (base != nullptr) {
        PIMAGE_NT_HEADERS headers = ImageNtHeader(base);
        ULONG size = 0;
        auto* entry = static_cast<PIMAGE_IMPORT_DESCRIPTOR>(
            ImageDirectoryEntryToData(base, FALSE, IMAGE_DIRECTORY_ENTRY_IMPORT, &size));
        for (; headers != nullptr && entry != nullptr && entry->Name != 0; ++entry) {
            std::string name =
                static_cast<const char*>(ImageRvaToVa(headers, base, entry->Name, nullptr));
            std::transform(name.begin(), name.end(), name.begin(),
                           [](unsigned char c) { return std::tolower(c); });
            names.push_back(name);
        }
        UnmapViewOfFile(base);
    }
    if (mapping != nullptr)
        CloseHandle(mapping);
    CloseHandle(file);
    return names;
}

// Loading user32 costs every start tens of milliseconds under Wine; the
// encoder loads it only when a window listens to its reports.
TEST(EncoderStart, TheWindowFunctionsAreNotAmongTheImports) {
    std::vector<std::string> dlls =
        ImportedDlls(wintest::EnvPath("TARVELLO_PROGRAM_DIR", "quenforenc.exe"));
    EXPECT_NE(dlls.end(), std::find(dlls.begin(), dlls.end(), "kernel32.dll"));
    EXPECT_EQ(dlls.end(), std::find(dlls.begin(), dlls.end(), "user32.dll"));
}

int ThreadsOfThisProcess() {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return -1;
    int count = 0;
    THREADENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry)) {
        if (entry.th32OwnerProcessID == GetCurrentProcessId())
            ++count;
    }
    CloseHandle(snapshot);
    return count;
}

// The started program ends at once but leaves a process of its own behind
// that holds the pipes and writes into one as fast as it can: its reader
// thread never sees the pipe break and is seldom blocked in a read.
TEST(FfmpegProcessTeardown, NoReaderThreadOutlivesTheObject) {
    char system[MAX_PATH] = "";
    GetSystemDirectoryA(system, MAX_PATH);
    const std::vector<std::string> args = {
        "/c",        "start", "",   "/b",       Ffmpeg(), "-nostdin",
        "-loglevel", "error", "-f", "lavfi",    "-i",     "testsrc=size=64x48:rate=25",
        "-t",        "600",   "-f", "rawvideo", "pipe:2"};
    {
        // Once, so that whatever threads the platform starts on first use exist.
        FfmpegProcess warmUp;
        DWORD error = 0;
        ASSERT_TRUE(warmUp.Start(Ffmpeg(), {"-version"}, &error)) << error;
        ASSERT_TRUE(warmUp.WaitForEnd(60000));
    }
    const int before = ThreadsOfThisProcess();
    ASSERT_GT(before, 0);
    {
        FfmpegProcess leaver;
        DWORD error = 0;
        ASSERT_TRUE(leaver.Start(std::string(system) + "\\cmd.exe", args, &error)) << error;
        ASSERT_TRUE(leaver.WaitForEnd(60000));
        // Until the left-behind process writes (a safety bound, not a timing check).
        for (int i = 0; i < 6000 && leaver.ErrorText().empty(); ++i)
            Sleep(10);
        ASSERT_FALSE(leaver.ErrorText().empty());
    }
    EXPECT_EQ(before, ThreadsOfThisProcess());
}

} // namespace
