// Answers message boxes from a helper thread and records their texts.
#include "tests/win/support/WinTestSupport.h"

namespace wintest {
namespace {

const int kMessageTextId = 0xFFFF; // the static that holds a message box's text

// The box's message; for a dialog that is not a message box, the texts of
// its static controls joined by line breaks.
std::string BoxText(HWND box) {
    HWND text = GetDlgItem(box, kMessageTextId);
    if (text)
        return WindowText(text);
    std::string joined;
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        char cls[32] = "";
        GetClassNameA(child, cls, sizeof cls);
        if (lstrcmpiA(cls, "Static") != 0)
            continue;
        std::string t = WindowText(child);
        if (t.empty())
            continue;
        if (!joined.empty())
            joined += '\n';
        joined += t;
    }
    return joined;
}

struct Search {
    const char* caption;
    const std::vector<HWND>* skip; // NULL while taking the snapshot
    std::vector<HWND> found;
};

// Collects visible, enabled dialogs (class "#32770") with the caption. A
// modal box disables its owner, so an owner with the same caption (a program
// whose boxes carry its own name) is passed over.
BOOL CALLBACK CollectDialogs(HWND window, LPARAM param) {
    Search* search = reinterpret_cast<Search*>(param);
    char cls[16] = "";
    char caption[256] = "";
    GetClassNameA(window, cls, sizeof cls);
    GetWindowTextA(window, caption, sizeof caption);
    if (lstrcmpA(cls, "#32770") != 0 || lstrcmpA(caption, search->caption) != 0)
        return TRUE;
    if (search->skip) {
        if (!IsWindowVisible(window) || !IsWindowEnabled(window))
            return TRUE;
        for (HWND old : *search->skip) {
            if (old == window)
                return TRUE;
        }
    }
    search->found.push_back(window);
    return TRUE;
}

} // namespace

MessageBoxAnswerer::MessageBoxAnswerer(const char* caption, int buttonId, int maxBoxes,
                                       DWORD timeoutMs)
    : caption_(caption ? caption : ""), buttonId_(buttonId), maxBoxes_(maxBoxes),
      timeoutMs_(timeoutMs) {
    // Dialogs already open with this caption are not the boxes to answer.
    Search snapshot = {caption_.c_str(), NULL, {}};
    EnumWindows(CollectDialogs, reinterpret_cast<LPARAM>(&snapshot));
    existing_ = snapshot.found;
    thread_ = std::thread(&MessageBoxAnswerer::Run, this);
}

MessageBoxAnswerer::~MessageBoxAnswerer() {
    stop_ = true;
    // The thread may be reading a window of this one (GetWindowText sends it
    // WM_GETTEXT): its sent messages are served until it has ended, or the
    // join would wait for ever.
    MSG msg;
    while (!done_) {
        PeekMessageA(&msg, NULL, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
        MsgWaitForMultipleObjects(0, NULL, FALSE, 5, QS_SENDMESSAGE);
    }
    if (thread_.joinable())
        thread_.join();
}

void MessageBoxAnswerer::Run() {
    const DWORD start = GetTickCount();
    HWND last = NULL;
    int answered = 0;
    while (!stop_ && answered < maxBoxes_ && GetTickCount() - start < timeoutMs_) {
        // Wait for the previous box to go before looking for the next one.
        if (last && IsWindow(last)) {
            Sleep(10);
            continue;
        }
        last = NULL;
        Search search = {caption_.c_str(), &existing_, {}};
        EnumWindows(CollectDialogs, reinterpret_cast<LPARAM>(&search));
        if (search.found.empty()) {
            Sleep(10);
            continue;
        }
        HWND box = search.found.front();
        std::string text = BoxText(box);
        {
            std::lock_guard<std::mutex> lock(mutex_);
            texts_.push_back(text);
        }
        HWND button = GetDlgItem(box, buttonId_);
        PostMessageA(box, WM_COMMAND, MAKEWPARAM(buttonId_, BN_CLICKED),
                     reinterpret_cast<LPARAM>(button));
        last = box;
        ++answered;
    }
    done_ = true;
}

bool MessageBoxAnswerer::Wait() {
    while (!done_)
        PumpMessagesFor(20);
    if (thread_.joinable())
        thread_.join();
    return Count() >= maxBoxes_;
}

int MessageBoxAnswerer::Count() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return static_cast<int>(texts_.size());
}

std::string MessageBoxAnswerer::Text(int index) const {
    std::lock_guard<std::mutex> lock(mutex_);
    return index >= 0 && index < static_cast<int>(texts_.size()) ? texts_[index] : std::string();
}

std::vector<std::string> MessageBoxAnswerer::Texts() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return texts_;
}

} // namespace wintest
