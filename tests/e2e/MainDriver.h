// Driving the real Tarvello.exe from outside, as a user would: a private copy
// of the program folder, the process, its windows found by caption and
// owner process, clicks posted as WM_COMMAND, the list read across the
// process boundary, message boxes read and answered, the file dialog filled.
#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <vector>

namespace e2e {

// A program folder of a test's own: Tarvello.exe, quenforenc.exe, ffmpeg.exe,
// tips.txt (and help.chm, version.ini when built) copied into
// <build>\e2e-main\<name>\program\, with an "out\" folder beside it for the
// outputs. option.ini and Tarvello.ini start absent unless written.
class ProgramCopy {
public:
    explicit ProgramCopy(const char* name);

    bool ok() const { return ok_; }
    const std::string& Folder() const { return folder_; }       // ...\program\ (final backslash)
    const std::string& OutFolder() const { return outFolder_; } // ...\out\ (final backslash)
    const std::string& Root() const { return root_; }           // ...\<name>\ (final backslash)
    std::string Exe() const { return folder_ + "Tarvello.exe"; }
    std::string OptionIni() const { return folder_ + "option.ini"; }
    std::string ProfileIni() const { return folder_ + "Tarvello.ini"; }

    // Writes one value of option.ini ("Destinate") / Tarvello.ini.
    void SetOption(const char* key, const std::string& value) const;
    void SetProfile(const char* section, const char* key, const std::string& value) const;
    // Reads one value of option.ini; "<absent>" when it is not there.
    std::string Option(const char* key) const;
    // No Tip of the Day at start-up (its "StartUp" key set to 1).
    void SuppressStartupTip() const { SetProfile("Tip", "StartUp", "1"); }

private:
    bool ok_ = false;
    std::string root_;
    std::string folder_;
    std::string outFolder_;
};

// One run of Tarvello.exe. The destructor ends a process still running.
class Tarvello {
public:
    Tarvello() = default;
    ~Tarvello();
    Tarvello(const Tarvello&) = delete;
    Tarvello& operator=(const Tarvello&) = delete;

    bool Start(const ProgramCopy& copy, const std::string& arguments = "");
    // Starts `exe` (full path) in `folder`.
    bool StartExe(const std::string& exe, const std::string& folder,
                  const std::string& arguments = "");
    DWORD Pid() const { return pid_; }
    HANDLE Process() const { return process_; }

    // The main dialog (caption "Tarvello" with the source list), once shown.
    HWND WaitMainWindow(DWORD timeoutMs = 20000);
    HWND Main() const { return main_; }
    HWND Item(int id) const { return GetDlgItem(main_, id); }

    // A visible, enabled dialog of this process with this caption that is
    // neither the main window nor the progress dialog (a message box, the
    // file dialog, Output Settings, Tip of the Day).
    HWND WaitDialog(const char* caption, DWORD timeoutMs = 20000) const;
    // The progress dialog while it is on screen.
    HWND WaitProgressDialog(DWORD timeoutMs = 60000) const;

    // True when the process ended within the time.
    bool WaitExit(DWORD timeoutMs = 20000);

    // --- clicks and commands ---
    void Post(int commandId) const; // WM_COMMAND as a click of control or menu id
    void Send(int commandId) const; // same, waiting for the handler to return
    // Picks entry `index` of drop-down list `id` as the user would.
    void Choose(int id, int index) const;

    // --- the source list ---
    int RowCount() const;
    std::string Cell(int row, int column) const;
    std::vector<std::string> Column(int column) const;
    void SelectRow(int row) const; // -1: no row selected
    // Right-clicks the row as the user would and returns the popup menu's
    // window once it shows (nullptr when none did).
    HWND OpenRowMenu(int row, DWORD timeoutMs = 20000) const;
    int SelectedRow() const;

    // --- drop-down lists ---
    int Selection(int id) const;
    int EntryCount(int id) const;
    std::string Entry(int id, int index) const;

    // Imports `names` (files of `folder`) through the file dialog opened by
    // the Add button, after choosing filter `filterIndex` (1-based; 0 leaves
    // the dialog's choice). Returns when the file dialog has closed.
    bool ImportThroughDialog(const std::string& folder, const std::vector<std::string>& names,
                             int filterIndex = 0) const;
    // Waits until the list holds `rows` rows.
    bool WaitRowCount(int rows, DWORD timeoutMs = 60000) const;

private:
    bool ReadRemote(const void* remote, void* local, size_t size) const;

    HANDLE process_ = nullptr;
    DWORD pid_ = 0;
    HWND main_ = nullptr;
};

// Picks the popup's item `index` (0-based, separators not counted) with the
// keyboard, as the user would: a grayed item does nothing.
void ChooseMenuItem(HWND menu, int index);
// A visible top-level window of any process whose caption holds `part`.
HWND WaitWindowCaptioned(const std::string& part, DWORD timeoutMs = 20000);

// Text of a message box (its static text, id 0xFFFF).
std::string BoxText(HWND box);
// Clicks a dialog's button (IDOK, IDYES, ...) and returns once the box is gone
// and its owner's thread has finished what followed it.
void Answer(HWND box, int buttonId);

// Saves a window's screenshot as <build>\screenshots\main\<name>.bmp; the
// CTest run converts nothing, so tests look at them through scripts or eyes.
bool SaveShot(HWND window, const char* name);

} // namespace e2e
