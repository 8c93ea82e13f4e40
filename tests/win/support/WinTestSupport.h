// Helpers for the Windows-side tests (run under Wine): screenshots, finding
// windows, answering message boxes from a helper thread, pumping messages,
// messages sent into a window's creation, and the TARVELLO_* folders that the
// test runner puts into the environment.
//
// Link the library `win_test_support`. Every wait takes a timeout that is only
// a safety net against a hung test; no helper measures or asserts time.
//
// Example: answer the "Warning" box that a click is expected to show.
//
//   wintest::MessageBoxAnswerer answer("Warning", IDOK);
//   SendMessageA(dlg, WM_COMMAND, MAKEWPARAM(IDC_LIST_REMOVE, BN_CLICKED), 0);
//   ASSERT_TRUE(answer.Wait());
//   EXPECT_EQ("No item was selected!", answer.Text(0));
#pragma once

#include <windows.h>

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace wintest {

// Copies the screen pixels under the window's rectangle (caption and frame
// included) into a 24-bit BMP file. The window is brought to the top and
// repainted first. Missing folders of `path` are created. Returns false when
// the window is gone or the file cannot be written.
bool SaveWindowScreenshot(HWND window, const char* path);
// The same for a rectangle of the screen as it is (nothing brought forward or
// repainted first): a dialog with a drop-down list open below it.
bool SaveScreenRect(const RECT& rect, const char* path);

// Looks for a top-level window with this exact caption (any process, any
// class) until it appears or `timeoutMs` passes, dispatching this thread's
// messages meanwhile. Returns the window or NULL.
HWND FindWindowWait(const char* caption, DWORD timeoutMs = 10000);

// Dispatches this thread's window messages for about `ms` milliseconds.
// Use it to let windows paint, timers fire and posted commands arrive.
void PumpMessagesFor(DWORD ms);

// Text of a window or control, read with WM_GETTEXT (works across processes).
std::string WindowText(HWND window);

// The folder in the environment variable `name` (TARVELLO_PROGRAM_DIR,
// TARVELLO_BUILD_DIR, TARVELLO_SOURCE_DIR) in Windows form with one final
// backslash, followed by `relative` (which may use '/' or '\'). A Unix path
// ("/work/x") is turned into its Wine drive form ("Z:\work\x"). When the
// variable is not set, TARVELLO_BUILD_DIR falls back to the current folder;
// the others give "".
std::string EnvPath(const char* name, const char* relative = "");

// "/a/b" -> "Z:\a\b"; '/' -> '\' in anything else.
std::string ToWindowsPath(const std::string& path);

// Answers message boxes (or any dialog) with a given caption from a helper
// thread, so that a test can trigger a modal box on its own thread. For each
// box found it records the message text and then clicks `buttonId` (IDOK,
// IDYES, IDNO, ...). It answers up to `maxBoxes` boxes, one after the other,
// waiting for each to close before looking for the next. Only dialogs that
// open after its construction and are enabled count, so a main window with
// the same caption as its boxes is left alone.
class MessageBoxAnswerer {
public:
    MessageBoxAnswerer(const char* caption, int buttonId, int maxBoxes = 1,
                       DWORD timeoutMs = 10000);
    ~MessageBoxAnswerer(); // stops looking and joins the thread

    MessageBoxAnswerer(const MessageBoxAnswerer&) = delete;
    MessageBoxAnswerer& operator=(const MessageBoxAnswerer&) = delete;

    // Waits until `maxBoxes` boxes were answered or the timeout passed,
    // dispatching this thread's messages meanwhile. True when all were
    // answered.
    bool Wait();

    int Count() const;                 // boxes answered so far
    std::string Text(int index) const; // message text of box `index`, "" if none
    std::vector<std::string> Texts() const;

private:
    void Run();

    std::string caption_;
    int buttonId_;
    int maxBoxes_;
    DWORD timeoutMs_;
    std::atomic<bool> stop_{false};
    std::atomic<bool> done_{false};
    mutable std::mutex mutex_;
    std::vector<std::string> texts_;
    std::vector<HWND> existing_; // open before the answerer started
    std::thread thread_;
};

// Sends messages to each window of class `className` that this thread makes
// while it lives, from inside the window's creation (when its WM_CREATE
// comes, before CreateWindowEx returns), through a hook on this thread. A
// test's way of having a message arrive in the middle of whatever makes the
// window. Only one at a time.
class SendOnCreate {
public:
    struct Message {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
    };
    // `perWindow[n]`: the messages the n-th such window gets, in order; the
    // windows after the last get none.
    SendOnCreate(const char* className, std::vector<std::vector<Message>> perWindow);
    ~SendOnCreate();
    SendOnCreate(const SendOnCreate&) = delete;
    SendOnCreate& operator=(const SendOnCreate&) = delete;

    int Created() const { return created_; } // such windows made so far

private:
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam);
    static SendOnCreate* active_;

    std::string className_;
    std::vector<std::vector<Message>> perWindow_;
    HHOOK hook_ = nullptr;
    int created_ = 0;
};

} // namespace wintest
