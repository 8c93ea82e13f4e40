// Helpers of the failure tests: fingerprints that prove source files were
// left alone, the process tree of a running Tarvello.exe (Toolhelp snapshots),
// the damaged sample files, and the boxes and dialogs the tests answer.
#pragma once

#include <windows.h>

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "tests/e2e/MainDriver.h"

namespace failure {

// Size and content hash of a file; size -1 when it cannot be read.
struct Fingerprint {
    int64_t size = -1;
    uint64_t hash = 0;
    bool operator==(const Fingerprint& o) const { return size == o.size && hash == o.hash; }
};
Fingerprint FingerprintOf(const std::string& path);

// The fingerprints of every file of a folder (not its subfolders), taken at
// construction; Changed() names the files that differ or vanished since.
class FolderGuard {
public:
    explicit FolderGuard(const std::string& folder);
    std::vector<std::string> Changed() const;

private:
    std::string folder_;
    std::map<std::string, Fingerprint> before_;
};

// Copies clips (made by the `clips` and `damaged_clips` fixtures) into
// <copy root>\<subfolder>\, each under the name given as second of the pair
// ("" keeps the clip's name). Returns the folder, final backslash.
std::string CopyClips(const e2e::ProgramCopy& copy, const char* subfolder,
                      const std::vector<std::pair<std::string, std::string>>& clips);

// --- processes (Toolhelp snapshot) ---
struct ProcessEntry {
    DWORD pid;
    DWORD parent;
    std::string exe;
};
std::vector<ProcessEntry> Processes();
// Processes named `exe` whose parent is `parent`.
std::vector<DWORD> ChildrenNamed(DWORD parent, const char* exe);
bool ProcessExists(DWORD pid);
// Waits (dispatching messages) until none of `pids` is in a snapshot; true
// when they are gone before the safety limit.
bool WaitGone(const std::vector<DWORD>& pids, DWORD safetyMs = 30000);
// Waits for a quenforenc.exe child of `parent` and its ffmpeg.exe child; the
// pids are 0 when they did not appear.
struct EncoderPair {
    DWORD encoder = 0;
    DWORD ffmpeg = 0;
};
EncoderPair WaitEncoderWithFfmpeg(DWORD parent, DWORD safetyMs = 60000);

// --- the program's windows ---
// Any message box of the program (caption "Tarvello", class #32770, not the
// main window nor the progress dialog); null after the safety limit.
HWND WaitBox(const e2e::Tarvello& app, DWORD safetyMs = 120000);
// The box's text, then clicks `button`.
std::string AnswerBox(HWND box, int button = IDOK);
// Every box the program shows until `quietMs` pass without a new one; their
// texts in order, each answered with OK.
std::vector<std::string> AnswerAllBoxes(const e2e::Tarvello& app, DWORD firstMs,
                                        DWORD quietMs = 1500);
// The boxes of an import of `selected` files into a list of `rowsBefore`
// rows, once it has ended: every file listed (no box comes), or the boxes
// shown and answered with OK.
std::vector<std::string> FinishImport(const e2e::Tarvello& app, int rowsBefore, int selected,
                                      DWORD safetyMs = 120000);
// Clicks Cancel of the progress dialog.
void PressCancel(HWND progress);
// Progress bar position (0..1000).
int BarPosition(HWND progress);

// Starts the program copy with its start-up tip suppressed and the output
// folder set; true when the main window is up.
bool StartReady(e2e::Tarvello& app, const e2e::ProgramCopy& copy);

// A long folder name of `length` characters made of repeated "x".
std::string Repeat(char c, size_t count);

} // namespace failure
