#include "tests/e2e/MainDriver.h"

#include <commctrl.h>

#include <cstdio>
#include <cstring>

#include "res/resource.h"
#include "tests/e2e/EncoderHarness.h"
#include "tests/win/support/WinTestSupport.h"

namespace e2e {

namespace {

constexpr int kFileNameControl = 0x47c; // the file dialog's file-name box
constexpr int kFilterControl = 0x470;   // the file dialog's file-type list
constexpr int kMessageTextControl = 0xFFFF;

// ffmpeg.exe (about 64 MB) is never written by a test, so program copies share
// it through a hard link where the file system allows; everything else is copied.
bool CopyInto(const std::string& from, const std::string& to) {
    const std::string suffix = "ffmpeg.exe";
    if (to.size() >= suffix.size() &&
        to.compare(to.size() - suffix.size(), suffix.size(), suffix) == 0) {
        DeleteFileA(to.c_str());
        if (CreateHardLinkA(to.c_str(), from.c_str(), nullptr))
            return true;
    }
    return CopyFileA(from.c_str(), to.c_str(), FALSE) != FALSE;
}

void DeleteTree(const std::string& folder) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            std::string name = found.cFileName;
            if (name == "." || name == "..")
                continue;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                DeleteTree(folder + name + "\\");
            } else {
                SetFileAttributesA((folder + name).c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA((folder + name).c_str());
            }
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(folder.c_str());
}

struct DialogSearch {
    DWORD pid;
    const char* caption; // null: any
    HWND main;
    bool wantProgress;
    HWND found;
};

BOOL CALLBACK FindDialog(HWND window, LPARAM param) {
    DialogSearch* search = reinterpret_cast<DialogSearch*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid != search->pid || window == search->main || !IsWindowVisible(window))
        return TRUE;
    char cls[16] = "";
    GetClassNameA(window, cls, sizeof cls);
    if (lstrcmpA(cls, "#32770") != 0)
        return TRUE;
    char caption[256] = "";
    GetWindowTextA(window, caption, sizeof caption);
    if (search->caption != nullptr && lstrcmpA(caption, search->caption) != 0)
        return TRUE;
    bool isProgress = GetDlgItem(window, IDC_PROGRESS_BAR) != nullptr;
    if (isProgress != search->wantProgress)
        return TRUE;
    if (!search->wantProgress && !IsWindowEnabled(window))
        return TRUE;
    search->found = window;
    return FALSE;
}

BOOL CALLBACK FindMain(HWND window, LPARAM param) {
    DialogSearch* search = reinterpret_cast<DialogSearch*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid != search->pid || !IsWindowVisible(window))
        return TRUE;
    char caption[64] = "";
    GetWindowTextA(window, caption, sizeof caption);
    if (lstrcmpA(caption, "Tarvello") != 0 || GetDlgItem(window, IDC_SOURCE_LIST) == nullptr)
        return TRUE;
    search->found = window;
    return FALSE;
}

} // namespace

// ---------------------------------------------------------------- ProgramCopy

ProgramCopy::ProgramCopy(const char* name) {
    std::string base = wintest::EnvPath("TARVELLO_BUILD_DIR", "e2e-main\\");
    CreateDirectoryA(base.c_str(), nullptr);
    root_ = base + name + "\\";
    DeleteTree(root_);
    CreateDirectoryA(root_.c_str(), nullptr);
    folder_ = root_ + "program\\";
    outFolder_ = root_ + "out\\";
    CreateDirectoryA(folder_.c_str(), nullptr);
    std::string program = wintest::EnvPath("TARVELLO_PROGRAM_DIR");
    ok_ = true;
    for (const char* file : {"Tarvello.exe", "quenforenc.exe", "ffmpeg.exe", "tips.txt"}) {
        ok_ = CopyInto(program + file, folder_ + file) && ok_;
    }
    for (const char* file : {"help.chm", "version.ini"})
        CopyInto(program + file, folder_ + file);
}

void ProgramCopy::SetOption(const char* key, const std::string& value) const {
    WritePrivateProfileStringA("Destinate", key, value.c_str(), OptionIni().c_str());
}

void ProgramCopy::SetProfile(const char* section, const char* key, const std::string& value) const {
    WritePrivateProfileStringA(section, key, value.c_str(), ProfileIni().c_str());
}

std::string ProgramCopy::Option(const char* key) const {
    char value[1024] = "";
    GetPrivateProfileStringA("Destinate", key, "<absent>", value, sizeof value,
                             OptionIni().c_str());
    return value;
}

// ---------------------------------------------------------------- Tarvello

Tarvello::~Tarvello() {
    if (process_ != nullptr) {
        if (WaitForSingleObject(process_, 0) == WAIT_TIMEOUT) {
            TerminateProcess(process_, 99);
            WaitForSingleObject(process_, 10000);
        }
        CloseHandle(process_);
    }
}

bool Tarvello::Start(const ProgramCopy& copy, const std::string& arguments) {
    return StartExe(copy.Exe(), copy.Folder(), arguments);
}

bool Tarvello::StartExe(const std::string& exe, const std::string& folder,
                        const std::string& arguments) {
    std::string line = "\"" + exe + "\"" + (arguments.empty() ? "" : " " + arguments);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    // The program's working folder is its own, as when started from a shortcut.
    if (!CreateProcessA(exe.c_str(), &line[0], nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                        &startup, &info)) {
        return false;
    }
    CloseHandle(info.hThread);
    process_ = info.hProcess;
    pid_ = info.dwProcessId;
    return true;
}

HWND Tarvello::WaitMainWindow(DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    do {
        DialogSearch search = {pid_, nullptr, nullptr, false, nullptr};
        EnumWindows(FindMain, reinterpret_cast<LPARAM>(&search));
        if (search.found != nullptr) {
            main_ = search.found;
            return main_;
        }
        wintest::PumpMessagesFor(50);
    } while (GetTickCount() - start < timeoutMs);
    return nullptr;
}

HWND Tarvello::WaitDialog(const char* caption, DWORD timeoutMs) const {
    const DWORD start = GetTickCount();
    do {
        DialogSearch search = {pid_, caption, main_, false, nullptr};
        EnumWindows(FindDialog, reinterpret_cast<LPARAM>(&search));
        if (search.found != nullptr)
            return search.found;
        wintest::PumpMessagesFor(50);
    } while (GetTickCount() - start < timeoutMs);
    return nullptr;
}

HWND Tarvello::WaitProgressDialog(DWORD timeoutMs) const {
    const DWORD start = GetTickCount();
    do {
        DialogSearch search = {pid_, "Tarvello", main_, true, nullptr};
        EnumWindows(FindDialog, reinterpret_cast<LPARAM>(&search));
        if (search.found != nullptr)
            return search.found;
        wintest::PumpMessagesFor(20);
    } while (GetTickCount() - start < timeoutMs);
    return nullptr;
}

bool Tarvello::WaitExit(DWORD timeoutMs) {
    return process_ != nullptr && WaitForSingleObject(process_, timeoutMs) == WAIT_OBJECT_0;
}

void Tarvello::Post(int commandId) const {
    PostMessageA(main_, WM_COMMAND, MAKEWPARAM(commandId, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(main_, commandId)));
}

void Tarvello::Send(int commandId) const {
    SendMessageA(main_, WM_COMMAND, MAKEWPARAM(commandId, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(main_, commandId)));
}

void Tarvello::Choose(int id, int index) const {
    HWND combo = Item(id);
    SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendMessageA(main_, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
}

int Tarvello::RowCount() const {
    return static_cast<int>(SendMessageA(Item(IDC_SOURCE_LIST), LVM_GETITEMCOUNT, 0, 0));
}

bool Tarvello::ReadRemote(const void* remote, void* local, size_t size) const {
    SIZE_T read = 0;
    return ReadProcessMemory(process_, remote, local, size, &read) && read == size;
}

namespace {

// A popup menu window of the process.
struct MenuSearch {
    DWORD pid;
    HWND found;
};

BOOL CALLBACK FindMenu(HWND window, LPARAM context) {
    MenuSearch* search = reinterpret_cast<MenuSearch*>(context);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    char name[16] = "";
    GetClassNameA(window, name, sizeof name);
    if (pid == search->pid && IsWindowVisible(window) && std::strcmp(name, "#32768") == 0) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

struct CaptionSearch {
    const std::string* part;
    HWND found;
};

BOOL CALLBACK FindCaption(HWND window, LPARAM context) {
    CaptionSearch* search = reinterpret_cast<CaptionSearch*>(context);
    char caption[512] = "";
    GetWindowTextA(window, caption, sizeof caption);
    if (IsWindowVisible(window) && std::strstr(caption, search->part->c_str()) != nullptr) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

} // namespace

HWND Tarvello::OpenRowMenu(int row, DWORD timeoutMs) const {
    RECT* remote = static_cast<RECT*>(
        VirtualAllocEx(process_, nullptr, sizeof(RECT), MEM_COMMIT, PAGE_READWRITE));
    if (remote == nullptr)
        return nullptr;
    RECT bounds = {};
    bounds.left = LVIR_LABEL;
    SIZE_T written = 0;
    WriteProcessMemory(process_, remote, &bounds, sizeof bounds, &written);
    const HWND list = Item(IDC_SOURCE_LIST);
    const bool got = SendMessageA(list, LVM_GETITEMRECT, static_cast<WPARAM>(row),
                                  reinterpret_cast<LPARAM>(remote)) != 0 &&
                     ReadRemote(remote, &bounds, sizeof bounds);
    VirtualFreeEx(process_, remote, 0, MEM_RELEASE);
    if (!got)
        return nullptr;
    const LPARAM at = MAKELPARAM((bounds.left + bounds.right) / 2, (bounds.top + bounds.bottom) / 2);
    PostMessageA(list, WM_RBUTTONDOWN, MK_RBUTTON, at);
    PostMessageA(list, WM_RBUTTONUP, 0, at);
    MenuSearch search = {pid_, nullptr};
    const DWORD start = GetTickCount();
    do {
        EnumWindows(FindMenu, reinterpret_cast<LPARAM>(&search));
        if (search.found != nullptr)
            return search.found;
        wintest::PumpMessagesFor(20);
    } while (GetTickCount() - start < timeoutMs);
    return nullptr;
}

std::string Tarvello::Cell(int row, int column) const {
    constexpr size_t kText = 1024;
    char* remote = static_cast<char*>(
        VirtualAllocEx(process_, nullptr, sizeof(LVITEMA) + kText, MEM_COMMIT, PAGE_READWRITE));
    if (remote == nullptr)
        return "<no memory>";
    LVITEMA item = {};
    item.iSubItem = column;
    item.pszText = remote + sizeof(LVITEMA);
    item.cchTextMax = static_cast<int>(kText);
    SIZE_T written = 0;
    WriteProcessMemory(process_, remote, &item, sizeof item, &written);
    SendMessageA(Item(IDC_SOURCE_LIST), LVM_GETITEMTEXTA, static_cast<WPARAM>(row),
                 reinterpret_cast<LPARAM>(remote));
    char text[kText] = "";
    ReadRemote(remote + sizeof(LVITEMA), text, sizeof text);
    text[kText - 1] = '\0';
    VirtualFreeEx(process_, remote, 0, MEM_RELEASE);
    return text;
}

std::vector<std::string> Tarvello::Column(int column) const {
    std::vector<std::string> cells;
    for (int row = 0; row < RowCount(); ++row)
        cells.push_back(Cell(row, column));
    return cells;
}

void Tarvello::SelectRow(int row) const {
    LVITEMA* remote = static_cast<LVITEMA*>(
        VirtualAllocEx(process_, nullptr, sizeof(LVITEMA), MEM_COMMIT, PAGE_READWRITE));
    if (remote == nullptr)
        return;
    LVITEMA item = {};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = 0;
    SIZE_T written = 0;
    WriteProcessMemory(process_, remote, &item, sizeof item, &written);
    SendMessageA(Item(IDC_SOURCE_LIST), LVM_SETITEMSTATE, static_cast<WPARAM>(-1),
                 reinterpret_cast<LPARAM>(remote));
    if (row >= 0) {
        item.state = LVIS_SELECTED | LVIS_FOCUSED;
        WriteProcessMemory(process_, remote, &item, sizeof item, &written);
        SendMessageA(Item(IDC_SOURCE_LIST), LVM_SETITEMSTATE, static_cast<WPARAM>(row),
                     reinterpret_cast<LPARAM>(remote));
    }
    VirtualFreeEx(process_, remote, 0, MEM_RELEASE);
}

int Tarvello::SelectedRow() const {
    return static_cast<int>(SendMessageA(Item(IDC_SOURCE_LIST), LVM_GETNEXTITEM,
                                         static_cast<WPARAM>(-1), MAKELPARAM(LVNI_SELECTED, 0)));
}

int Tarvello::Selection(int id) const {
    return static_cast<int>(SendMessageA(Item(id), CB_GETCURSEL, 0, 0));
}

int Tarvello::EntryCount(int id) const {
    return static_cast<int>(SendMessageA(Item(id), CB_GETCOUNT, 0, 0));
}

std::string Tarvello::Entry(int id, int index) const {
    // Wine hands this message across processes in its wide form only.
    wchar_t wide[256] = L"";
    LRESULT length = SendMessageW(Item(id), CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length < 0 || length >= 256)
        return "<bad entry>";
    SendMessageW(Item(id), CB_GETLBTEXT, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(wide));
    char text[512] = "";
    WideCharToMultiByte(CP_UTF8, 0, wide, -1, text, sizeof text, nullptr, nullptr);
    return text;
}

bool Tarvello::ImportThroughDialog(const std::string& folder, const std::vector<std::string>& names,
                                   int filterIndex) const {
    Post(IDC_TOOL_ADD);
    HWND dialog = WaitDialog("Import video files");
    if (dialog == nullptr)
        return false;
    HWND name = GetDlgItem(dialog, kFileNameControl);
    if (name == nullptr)
        return false;
    if (filterIndex > 0) {
        HWND filters = GetDlgItem(dialog, kFilterControl);
        SendMessageA(filters, CB_SETCURSEL, static_cast<WPARAM>(filterIndex - 1), 0);
        // What the list sends when the user picks an entry (the dialog acts on the second).
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(kFilterControl, CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(filters));
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(kFilterControl, CBN_SELENDOK),
                     reinterpret_cast<LPARAM>(filters));
    }
    // Into the folder first, then the names relative to it.
    SendMessageA(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(folder.c_str()));
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    std::string text;
    for (const std::string& file : names)
        text += "\"" + file + "\" ";
    if (names.size() == 1)
        text = names[0];
    SendMessageA(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    for (int i = 0; i < 400 && IsWindow(dialog); ++i)
        wintest::PumpMessagesFor(25);
    return !IsWindow(dialog);
}

bool Tarvello::WaitRowCount(int rows, DWORD timeoutMs) const {
    const DWORD start = GetTickCount();
    do {
        if (RowCount() == rows)
            return true;
        wintest::PumpMessagesFor(50);
    } while (GetTickCount() - start < timeoutMs);
    return RowCount() == rows;
}

// ---------------------------------------------------------------- menus

void ChooseMenuItem(HWND menu, int index) {
    for (int i = 0; i <= index; ++i) {
        PostMessageA(menu, WM_KEYDOWN, VK_DOWN, 0);
        PostMessageA(menu, WM_KEYUP, VK_DOWN, 0xC0000001);
    }
    PostMessageA(menu, WM_KEYDOWN, VK_RETURN, 0);
    PostMessageA(menu, WM_KEYUP, VK_RETURN, 0xC0000001);
}

HWND WaitWindowCaptioned(const std::string& part, DWORD timeoutMs) {
    CaptionSearch search = {&part, nullptr};
    const DWORD start = GetTickCount();
    do {
        EnumWindows(FindCaption, reinterpret_cast<LPARAM>(&search));
        if (search.found != nullptr)
            return search.found;
        wintest::PumpMessagesFor(50);
    } while (GetTickCount() - start < timeoutMs);
    return nullptr;
}

// ---------------------------------------------------------------- boxes

std::string BoxText(HWND box) {
    return wintest::WindowText(GetDlgItem(box, kMessageTextControl));
}

void Answer(HWND box, int buttonId) {
    HWND owner = GetWindow(box, GW_OWNER);
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(box, buttonId)));
    for (int i = 0; i < 200 && IsWindow(box); ++i)
        wintest::PumpMessagesFor(25);
    // The box is gone, but the code after it (re-enabling the main window,
    // filling lists) may not have run yet. A message sent to the owner is
    // handled only once that thread waits for messages again.
    if (owner != nullptr) {
        DWORD_PTR ignored = 0;
        SendMessageTimeoutA(owner, WM_NULL, 0, 0, SMTO_NORMAL, 30000, &ignored);
    }
}

bool SaveShot(HWND window, const char* name) {
    std::string bmp = wintest::EnvPath(
        "TARVELLO_BUILD_DIR", (std::string("screenshots\\main\\") + name + ".bmp").c_str());
    if (!wintest::SaveWindowScreenshot(window, bmp.c_str()))
        return false;
    // A PNG beside it, made by the host's ImageMagick (not waited for).
    std::string png = bmp.substr(0, bmp.size() - 4) + ".png";
    RunProgram("C:\\windows\\system32\\start.exe",
               "/unix /usr/bin/convert " + ToUnixPath(bmp) + " " + ToUnixPath(png), 30000);
    return true;
}

} // namespace e2e
