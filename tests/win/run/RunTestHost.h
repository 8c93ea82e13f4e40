// Test bench for the conversion run: a small host dialog that receives the
// encoder's messages like the main dialog does, a clock that the scripted
// encoder sets, the scripted encoder's folder, script and log, and a box
// answerer that gives each box its own answer.
#pragma once

#include <windows.h>

#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "run/BatchRun.h"
#include "ui/ProgressDlg.h"
#include "framework/Dialog.h"

namespace runtest {

// Codes the scripted encoder sends only to this host: set the clock, press
// Cancel, take a screenshot, and after every position report the record of
// what the progress dialog shows.
constexpr UINT kSetClockSeconds = 98; // value: seconds since the run started
constexpr UINT kPressCancel = 99;
constexpr UINT kTakeScreenshot = 97;
constexpr UINT kPostEscape = 96;  // an Escape key press queued for the progress dialog
constexpr UINT kRecordShown = 95; // value: the position just reported
constexpr UINT kPostQuit = 100;   // value: the exit code of a WM_QUIT posted to the run's thread

// What the progress dialog showed after a position report.
struct Shown {
    int code;
    int value;
    std::string text;
    int bar;
};

class RunHostDlg : public CDialog, public BatchHost {
public:
    RunHostDlg();
    ~RunHostDlg() override;

    bool Open(); // modeless, visible

    // BatchHost
    HWND MainWindow() override { return m_hWnd; }
    void ReadOutputFolder(char* out, size_t size) override;
    void EnableMainWindow(bool enable) override;
    void EncoderFolder(char* out, size_t size) override;
    void StartFolder(char* out, size_t size) override;
    CProgressDlg* ProgressDialog() override { return progress; }
    RunSignalPort* SignalPort() override { return signalPort; }
    uint32_t TickCount() override;
    WhenDonePort* WhenDone() override { return whenDonePort; }
    bool CountDown(WhenDoneAction action) override {
        countDowns.push_back(action);
        return countDownRunsOut;
    }

    Session session;
    RunSignalPort* signalPort = nullptr; // nullptr: the system's
    WhenDonePort* whenDonePort = nullptr; // nullptr: the system's
    std::vector<WhenDoneAction> countDowns;
    bool countDownRunsOut = false;
    bool fakeClock = true;               // the clock the scripted encoder sets, else the system's
    CProgressDlg* progress = nullptr;
    std::string outputFolder;
    std::string encoderFolder;
    std::string startFolder; // "" for the current directory
    std::string screenshotPath;
    std::vector<Shown> shown;      // after each report of code 6, in arrival order
    std::vector<bool> enableCalls; // arguments of EnableMainWindow, in order
    bool screenshotSaved = false;

protected:
    LRESULT OnEncoderEventMessage(WPARAM code, LPARAM value);
    DECLARE_MESSAGE_MAP()
};

// The clock of the run, set by the scripted encoder through kSetClockSeconds.
void InstallFakeClock(uint32_t startTick);

// The build tree (final backslash), fixed at the first call.
std::string BuildFolder();
// The folder of the scripted quenforenc.exe (with final backslash).
std::string FakeEncoderFolder();
// Writes the script the scripted encoder follows and clears its log.
void WriteScript(const std::string& text);
// Lines of the scripted encoder's log.
std::vector<std::string> ReadLog();
// Log lines that start with `prefix`.
std::vector<std::string> LogLines(const std::string& prefix);

// A fresh, empty folder under the build tree for one test (final backslash).
std::string FreshFolder(const std::string& name);
bool FileExists(const std::string& path);
long long FileSize(const std::string& path); // -1 when missing
void WriteFile(const std::string& path, const std::string& content);
std::string ReadFile(const std::string& path);
// A drive letter ("Q:") that no drive uses; "" when every one is taken.
std::string MissingDrive();

// Answers boxes with this caption from a helper thread, box i with
// answers[i] (the last answer for any further box), recording their texts.
class BoxAnswers {
public:
    BoxAnswers(const std::string& caption, std::vector<int> answers);
    ~BoxAnswers();
    std::vector<std::string> Texts() const;
    // Box `index` is answered only once `ready` holds (at most 30 s), so a
    // test can keep a question open while the encoders go on.
    void Hold(size_t index, std::function<bool()> ready);

private:
    void Run();
    std::string caption_;
    std::vector<int> answers_;
    std::atomic<bool> stop_{false};
    mutable std::mutex mutex_;
    std::vector<std::string> texts_;
    size_t holdIndex_ = static_cast<size_t>(-1);
    std::function<bool()> holdReady_;
    std::thread thread_;
};

} // namespace runtest
