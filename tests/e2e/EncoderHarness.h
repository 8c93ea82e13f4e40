// Running the real quenforenc.exe from a test under Wine: a window that
// receives its reports, the run itself with its exit code and stderr, the
// sample clips, and descriptions of output files by the host's ffprobe.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace e2e {

// A hidden top-level window that records WM_USER + 800 reports and answers
// them the way a test asks.
class ReportWindow {
public:
    ReportWindow();
    ~ReportWindow();
    ReportWindow(const ReportWindow&) = delete;
    ReportWindow& operator=(const ReportWindow&) = delete;

    HWND Handle() const { return window_; }
    int64_t HandleValue() const { return static_cast<int64_t>(reinterpret_cast<INT_PTR>(window_)); }

    struct Event {
        uint32_t code;
        int32_t value;
    };
    const std::vector<Event>& Events() const { return events_; }
    std::vector<int32_t> Values(uint32_t code) const;
    void Clear() { events_.clear(); }

    // Answer 1 ("stop") to position report number n (1-based); 0: never.
    void StopAtPosition(int n) { stopAt_ = n; }
    // Destroy the window (after answering) at position report number n.
    void DestroyAtPosition(int n) { destroyAt_ = n; }

private:
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnEvent(uint32_t code, int32_t value);

    HWND window_ = nullptr;
    std::vector<Event> events_;
    int positions_ = 0;
    int stopAt_ = 0;
    int destroyAt_ = 0;
};

struct RunResult {
    bool started = false;
    bool finished = false; // false: still running at the safety timeout (then killed)
    bool killed = false;   // ended by the test's own `killWhen`
    DWORD exitCode = 0;
    DWORD processId = 0;
    std::string errorText; // what it wrote to stderr
};

// Starts `exe` with `arguments` (as one command-line text) and dispatches
// this thread's messages until it ends. When `killWhen` is given and says so
// (asked after each batch of messages), the process is terminated at once.
RunResult RunProgram(const std::string& exe, const std::string& arguments,
                     DWORD safetyTimeoutMs = 180000, const std::function<bool()>& killWhen = {});

// quenforenc.exe in the program folder.
std::string EncoderPath();
// A sample clip made by make-clips.sh (build folder\clips\name).
std::string ClipPath(const char* name);
// A fresh, empty folder for a test's outputs under the build folder.
std::string FreshFolder(const char* name);
// Files in a folder whose names match a pattern (e.g. "*.~enc*").
std::vector<std::string> FilesMatching(const std::string& folder, const char* pattern);
// True when some process whose parent is `parentId` runs `exeName`.
bool ChildRunning(DWORD parentId, const char* exeName);

// "Z:\a\b" -> "/a/b".
std::string ToUnixPath(const std::string& windowsPath);

// Describes a media file with the host's ffprobe (through "start /unix" and
// tests/e2e/ffprobe-summary.sh): keys format, duration, v.codec_name,
// v.codec_tag_string, v.width, v.height, v.r_frame_rate, a.codec_name,
// a.sample_rate, a.channels. Empty when ffprobe could not be run.
std::map<std::string, std::string> DescribeMedia(const std::string& windowsPath);
// Runs tests/e2e/<script> on the host with the Unix forms of `windowsPaths`
// and of `result`, and reads the key=value lines it leaves at `result`
// (ffprobe-summary.sh, ssim-summary.sh, picture-box.sh).
std::map<std::string, std::string> HostFacts(const char* script,
                                             const std::vector<std::string>& windowsPaths,
                                             const std::string& result);

// "30000/1001" or "25" as a number; 0 when unreadable.
double ParseRate(const std::string& text);

} // namespace e2e
