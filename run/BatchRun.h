// The batch conversion: every row of the source list, first to last, into the
// output folder, one encoder run per file, with the progress dialog.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>

#include "core/Session.h"
#include "core/WhenDone.h"

class ProgressView;
class RunSignalPort;

// What the run needs from the window that starts it (the main dialog).
class BatchHost {
public:
    // The window the encoder reports to; owner of the boxes before the run.
    virtual HWND MainWindow() = 0;
    // The output folder as typed (at most size - 1 characters).
    virtual void ReadOutputFolder(char* out, size_t size) = 0;
    virtual void EnableMainWindow(bool enable) = 0;
    // Folder of quenforenc.exe, with its final backslash. Default: ProgramFolder().
    virtual void EncoderFolder(char* out, size_t size);
    // The folder a relative output folder is taken from, the same for every
    // run of the session. Default: the current directory.
    virtual void StartFolder(char* out, size_t size);
    // The dialog that shows the run's progress; nullptr shows none.
    virtual ProgressView* ProgressDialog() = 0;
    // Where the run's taskbar and power signals go; nullptr: the system's.
    virtual RunSignalPort* SignalPort() { return nullptr; }
    // The run's clock in milliseconds. Default: the system's tick count.
    virtual uint32_t TickCount();
    // The folder the conversions' logs go to, with its final backslash; ""
    // (the default) keeps none.
    virtual void LogsFolder(char* out, size_t size) {
        if (size > 0)
            out[0] = '\0';
    }
    // The state of `row` in the session's table changed. Default: nothing.
    virtual void RowStateChanged(int32_t row) { (void)row; }
    // Where the "When done" actions go; nullptr: the system's.
    virtual WhenDonePort* WhenDone() { return nullptr; }
    // Counts down before a sleep or shut down; true when the time ran out,
    // false when the user stopped it. Default: stopped.
    virtual bool CountDown(WhenDoneAction action) {
        (void)action;
        return false;
    }

protected:
    ~BatchHost() = default;
};

// Converts every row of the host's list into the output folder, taken as a
// full path from the host's start folder when it is typed as a relative one;
// the current directory is the same after the run as before it.
// Up to JobSlotCount(settings) encoders run at once, rows starting in list
// order as encoders end. A row's output never replaces one of the list's
// sources nor the output of another row of the same run (such a name gets a
// number, see ComposeOutputPath), however their paths are spelt; a name is
// reserved when its row starts. No file is deleted before a row's encoder
// has replaced it with its finished work. A failed row's unfinished output is
// removed; with several conversions at once, a row that finished keeps its
// output even when the user stops the run meanwhile. Tells the user of an empty list, a folder
// that cannot be made, an encoder that cannot be started, and at the end
// either the total time or which files failed, in list order. A cancelled
// run, or one whose encoder could not be started, starts no further row and
// ends, once the running ones are done, without that last box; the files
// that failed before are then listed in the box that gives the reason, or,
// after a cancel, in a box of their own.
// Every row's state in the session's table follows the run: "Waiting" at its
// start, converting with its percentage, then done, failed with its reason,
// or stopped when the run ended before the row did.
// The session's settings keep the output folder as the host shows it.
// After a run that went to its end comes the settings' "When done" action:
// the output folder opened (beside the sources: the first output's folder),
// or, when every row was done, a sleep or shut down after the host's
// countdown.
// kNotDone leaves the rows that are "Done" as they are and converts the
// others, in list order, as a run of its own.
enum class RunRows { kEvery, kNotDone };
void ConvertAllRows(BatchHost& host, Session& session, RunRows rows = RunRows::kEvery);

// The output path of a source under `settings` (folder and format), written
// into out (256 characters). The plain name when nothing is there yet, else
// the suffixed one. False, with out "", when the path would be too long.
bool OutputPathFor(const ConversionSettings& settings, const char* sourcePath, char* out,
                   size_t size = 256);
