#include "tests/win/run/RunTestHost.h"

#include <direct.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>

#include "run/WindowProgressPort.h"
#include "run/MessagePump.h"
#include "ui/ProgressDlg.h"
#include "tests/win/support/WinTestSupport.h"

namespace runtest {
namespace {

uint32_t g_fakeTick = 0;
uint32_t g_runStartTick = 0; // the clock when the run disabled the host

// An empty pop-up dialog with a caption: the stand-in main window.
#pragma pack(push, 4)
struct HostTemplate {
    DLGTEMPLATE dialog;
    WORD menu;
    WORD windowClass;
    WCHAR title[9];
};
#pragma pack(pop)

alignas(4) const HostTemplate kHostTemplate = {
    {WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE, 0, 0, 10, 10, 200, 60},
    0,
    0,
    L"Run host",
};

void CopyText(const std::string& text, char* out, size_t size) {
    std::snprintf(out, size, "%s", text.c_str());
}

} // namespace

BEGIN_MESSAGE_MAP(RunHostDlg, CDialog)
ON_MESSAGE(WM_ENCODER_EVENT, OnEncoderEventMessage)
END_MESSAGE_MAP()

RunHostDlg::RunHostDlg() : encoderFolder(FakeEncoderFolder()) {}

RunHostDlg::~RunHostDlg() {
    DestroyWindow();
}

bool RunHostDlg::Open() {
    if (CreateIndirect(&kHostTemplate.dialog, nullptr) == FALSE)
        return false;
    // The scripted encoder finds this window through its environment.
    char handle[32];
    std::snprintf(handle, sizeof handle, "%lld",
                  static_cast<long long>(reinterpret_cast<intptr_t>(m_hWnd)));
    SetEnvironmentVariableA("FAKE_ENCODER_HOST", handle);
    return true;
}

uint32_t RunHostDlg::TickCount() {
    return fakeClock ? g_fakeTick : BatchHost::TickCount();
}

void RunHostDlg::ReadOutputFolder(char* out, size_t size) {
    CopyText(outputFolder, out, size);
}

void RunHostDlg::EnableMainWindow(bool enable) {
    enableCalls.push_back(enable);
    if (!enable)
        g_runStartTick = g_fakeTick;
    EnableWindow(enable ? TRUE : FALSE);
}

void RunHostDlg::EncoderFolder(char* out, size_t size) {
    CopyText(encoderFolder, out, size);
}

void RunHostDlg::StartFolder(char* out, size_t size) {
    if (startFolder.empty()) {
        BatchHost::StartFolder(out, size);
    } else {
        CopyText(startFolder, out, size);
    }
}

LRESULT RunHostDlg::OnEncoderEventMessage(WPARAM code, LPARAM value) {
    switch (code) {
    case kSetClockSeconds:
        g_fakeTick = g_runStartTick + static_cast<uint32_t>(value) * 1000u;
        return 0;
    case kPostQuit:
        PostQuitMessage(static_cast<int>(value));
        return 0;
    case kPressCancel:
        progress->SendMessage(WM_COMMAND, MAKEWPARAM(1034, BN_CLICKED),
                              reinterpret_cast<LPARAM>(progress->GetDlgItem(1034)));
        return 0;
    case kPostEscape: {
        // Queued, then taken by the run's own pump, as a key press would be.
        // Pumped here so that it lands before the next report.
        HWND button = progress->GetDlgItem(1034);
        ::PostMessageA(button, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
        ::PostMessageA(button, WM_KEYUP, VK_ESCAPE, 0xC0010001);
        MSG pending;
        for (int i = 0;
             i < 100 && PeekMessageA(&pending, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_NOREMOVE);
             ++i) {
            PumpOneMessage();
        }
        return 0;
    }
    case kTakeScreenshot:
        wintest::PumpMessagesFor(300); // let the dialog paint
        screenshotSaved =
            wintest::SaveWindowScreenshot(progress->GetSafeHwnd(), screenshotPath.c_str());
        return 0;
    case kRecordShown:
        if (progress != nullptr) {
            Shown s;
            s.code = 6;
            s.value = static_cast<int>(value);
            s.text = wintest::WindowText(progress->m_status.GetSafeHwnd());
            s.bar = progress->m_progress.GetPos();
            shown.push_back(s);
        }
        return 0;
    default:
        return 0;
    }
}

void InstallFakeClock(uint32_t startTick) {
    g_fakeTick = startTick;
}

std::string BuildFolder() {
    // Taken once, before any run has changed the current folder (the
    // variable's fallback).
    static const std::string folder = wintest::EnvPath("TARVELLO_BUILD_DIR");
    return folder;
}

std::string FakeEncoderFolder() {
    return BuildFolder() + "run-test-program\\";
}

void WriteScript(const std::string& text) {
    WriteFile(FakeEncoderFolder() + "fake_encoder_script.txt", text);
    DeleteFileA((FakeEncoderFolder() + "fake_encoder_log.txt").c_str());
    for (int n = 0; n < 20; ++n)
        DeleteFileA((FakeEncoderFolder() + "fake_encoder_mark" + std::to_string(n)).c_str());
}

std::vector<std::string> ReadLog() {
    std::vector<std::string> lines;
    std::istringstream in(ReadFile(FakeEncoderFolder() + "fake_encoder_log.txt"));
    std::string line;
    while (std::getline(in, line))
        lines.push_back(line);
    return lines;
}

std::vector<std::string> LogLines(const std::string& prefix) {
    std::vector<std::string> matching;
    for (const std::string& line : ReadLog()) {
        if (line.compare(0, prefix.size(), prefix) == 0)
            matching.push_back(line);
    }
    return matching;
}

namespace {

void RemoveTree(const std::string& folder) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        const std::string name = found.cFileName;
        if (name == "." || name == "..")
            continue;
        const std::string path = folder + name;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            RemoveTree(path + "\\");
            RemoveDirectoryA(path.c_str());
        } else {
            DeleteFileA(path.c_str());
        }
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

} // namespace

std::string FreshFolder(const std::string& name) {
    const std::string root = BuildFolder() + "run-test-work\\";
    CreateDirectoryA(root.c_str(), nullptr);
    const std::string folder = root + name + "\\";
    CreateDirectoryA(folder.c_str(), nullptr);
    RemoveTree(folder);
    return folder;
}

bool FileExists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

long long FileSize(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data))
        return -1;
    return (static_cast<long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

void WriteFile(const std::string& path, const std::string& content) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << content;
}

std::string MissingDrive() {
    const DWORD drives = GetLogicalDrives();
    for (char letter = 'Q'; letter > 'D'; --letter) {
        if ((drives & (1u << (letter - 'A'))) == 0)
            return std::string(1, letter) + ":";
    }
    return "";
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

BoxAnswers::BoxAnswers(const std::string& caption, std::vector<int> answers)
    : caption_(caption), answers_(std::move(answers)), thread_(&BoxAnswers::Run, this) {}

BoxAnswers::~BoxAnswers() {
    stop_ = true;
    thread_.join();
}

void BoxAnswers::Hold(size_t index, std::function<bool()> ready) {
    std::lock_guard<std::mutex> lock(mutex_);
    holdIndex_ = index;
    holdReady_ = std::move(ready);
}

std::vector<std::string> BoxAnswers::Texts() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return texts_;
}

void BoxAnswers::Run() {
    HWND last = nullptr;
    while (!stop_) {
        Sleep(10);
        if (last != nullptr && IsWindow(last))
            continue; // the previous box is still closing
        HWND box = FindWindowA("#32770", caption_.c_str());
        if (box == nullptr || !IsWindowVisible(box))
            continue;
        char text[4096] = "";
        GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
        size_t index;
        std::function<bool()> ready;
        {
            std::lock_guard<std::mutex> lock(mutex_);
            index = texts_.size();
            texts_.push_back(text);
            if (index == holdIndex_)
                ready = holdReady_;
        }
        for (int waited = 0; ready && !ready() && waited < 30000 && !stop_; waited += 10)
            Sleep(10);
        const int answer = answers_.empty()
                               ? IDOK
                               : answers_[index < answers_.size() ? index : answers_.size() - 1];
        PostMessageA(box, WM_COMMAND, MAKEWPARAM(answer, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(box, answer)));
        last = box;
    }
}

} // namespace runtest
