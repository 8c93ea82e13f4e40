#include "tests/e2e/FailureSupport.h"

#include <tlhelp32.h>
#include <commctrl.h>

#include "res/resource.h"
#include "tests/e2e/EncoderHarness.h"
#include "tests/win/support/WinTestSupport.h"

namespace failure {

Fingerprint FingerprintOf(const std::string& path) {
    Fingerprint print;
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return print;
    uint64_t hash = 1469598103934665603ull; // FNV-1a
    int64_t size = 0;
    static char buffer[65536];
    DWORD got = 0;
    while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0) {
        for (DWORD i = 0; i < got; ++i) {
            hash ^= static_cast<unsigned char>(buffer[i]);
            hash *= 1099511628211ull;
        }
        size += got;
    }
    CloseHandle(file);
    print.size = size;
    print.hash = hash;
    return print;
}

FolderGuard::FolderGuard(const std::string& folder) : folder_(folder) {
    for (const std::string& name : e2e::FilesMatching(folder, "*"))
        before_[name] = FingerprintOf(folder + name);
}

std::vector<std::string> FolderGuard::Changed() const {
    std::vector<std::string> changed;
    for (const auto& entry : before_) {
        if (!(FingerprintOf(folder_ + entry.first) == entry.second))
            changed.push_back(entry.first);
    }
    return changed;
}

std::string CopyClips(const e2e::ProgramCopy& copy, const char* subfolder,
                      const std::vector<std::pair<std::string, std::string>>& clips) {
    std::string folder = copy.Root() + subfolder + "\\";
    CreateDirectoryA(folder.c_str(), nullptr);
    for (const auto& clip : clips) {
        const std::string& name = clip.second.empty() ? clip.first : clip.second;
        CopyFileA(e2e::ClipPath(clip.first.c_str()).c_str(), (folder + name).c_str(), FALSE);
    }
    return folder;
}

std::vector<ProcessEntry> Processes() {
    std::vector<ProcessEntry> list;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return list;
    PROCESSENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snapshot, &entry); more;
         more = Process32Next(snapshot, &entry)) {
        list.push_back({entry.th32ProcessID, entry.th32ParentProcessID, entry.szExeFile});
    }
    CloseHandle(snapshot);
    return list;
}

std::vector<DWORD> ChildrenNamed(DWORD parent, const char* exe) {
    std::vector<DWORD> pids;
    for (const ProcessEntry& p : Processes()) {
        if (p.parent == parent && lstrcmpiA(p.exe.c_str(), exe) == 0)
            pids.push_back(p.pid);
    }
    return pids;
}

bool ProcessExists(DWORD pid) {
    for (const ProcessEntry& p : Processes()) {
        if (p.pid == pid)
            return true;
    }
    return false;
}

bool WaitGone(const std::vector<DWORD>& pids, DWORD safetyMs) {
    const DWORD start = GetTickCount();
    for (;;) {
        bool any = false;
        for (DWORD pid : pids)
            any = any || (pid != 0 && ProcessExists(pid));
        if (!any)
            return true;
        if (GetTickCount() - start > safetyMs)
            return false;
        wintest::PumpMessagesFor(100);
    }
}

EncoderPair WaitEncoderWithFfmpeg(DWORD parent, DWORD safetyMs) {
    EncoderPair pair;
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < safetyMs) {
        std::vector<DWORD> encoders = ChildrenNamed(parent, "quenforenc.exe");
        if (!encoders.empty()) {
            pair.encoder = encoders[0];
            std::vector<DWORD> ffmpegs = ChildrenNamed(pair.encoder, "ffmpeg.exe");
            if (!ffmpegs.empty()) {
                pair.ffmpeg = ffmpegs[0];
                return pair;
            }
        }
        wintest::PumpMessagesFor(50);
    }
    return pair;
}

HWND WaitBox(const e2e::Tarvello& app, DWORD safetyMs) {
    return app.WaitDialog("Tarvello", safetyMs);
}

std::string AnswerBox(HWND box, int button) {
    std::string text = e2e::BoxText(box);
    e2e::Answer(box, button);
    return text;
}

std::vector<std::string> AnswerAllBoxes(const e2e::Tarvello& app, DWORD firstMs, DWORD quietMs) {
    std::vector<std::string> texts;
    for (HWND box = WaitBox(app, firstMs); box != nullptr; box = WaitBox(app, quietMs)) {
        texts.push_back(AnswerBox(box));
    }
    return texts;
}

std::vector<std::string> FinishImport(const e2e::Tarvello& app, int rowsBefore, int selected,
                                      DWORD safetyMs) {
    std::vector<std::string> texts;
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < safetyMs) {
        if (HWND box = WaitBox(app, 100)) {
            texts.push_back(AnswerBox(box));
            for (const std::string& text : AnswerAllBoxes(app, 1500))
                texts.push_back(text);
            return texts;
        }
        if (app.RowCount() == rowsBefore + selected)
            return texts;
    }
    texts.push_back("<import did not end>");
    return texts;
}

void PressCancel(HWND progress) {
    PostMessageA(progress, WM_COMMAND, MAKEWPARAM(IDC_PROGRESS_CANCEL, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(progress, IDC_PROGRESS_CANCEL)));
}

int BarPosition(HWND progress) {
    return static_cast<int>(SendMessageA(GetDlgItem(progress, IDC_PROGRESS_BAR), PBM_GETPOS, 0, 0));
}

bool StartReady(e2e::Tarvello& app, const e2e::ProgramCopy& copy) {
    if (!copy.ok())
        return false;
    copy.SuppressStartupTip();
    if (copy.Option("Temporary folder") == "<absent>")
        copy.SetOption("Temporary folder", copy.OutFolder());
    if (!app.Start(copy))
        return false;
    return app.WaitMainWindow() != nullptr;
}

std::string Repeat(char c, size_t count) {
    return std::string(count, c);
}

} // namespace failure
