// The batch conversion: every row of the source list, first to last, into the
// output folder, one encoder run per file, with the progress dialog.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>

// What the run needs from the window that starts it (the main dialog).
class BatchHost {
public:
    // The window the encoder reports to; owner of the boxes before the run.
    virtual HWND MainWindow() = 0;
    // Full path of the source in list row `row` (at most size - 1 characters);
    // false when the row has none.
    virtual bool RowSourcePath(int32_t row, char* out, size_t size) = 0;
    // The output folder as typed (at most size - 1 characters).
    virtual void ReadOutputFolder(char* out, size_t size) = 0;
    virtual void EnableMainWindow(bool enable) = 0;
    // Folder of quenforenc.exe, with its final backslash. Default: ProgramFolder().
    virtual void EncoderFolder(char* out, size_t size);

protected:
    ~BatchHost() = default;
};

// Converts g_runState.rowCount rows into the output folder, taken as a full
// path from the current directory when it is typed as a relative one. A
// row's output never replaces one of the list's sources nor an output written
// earlier in the same run (such a name gets a number, see ComposeOutputPath);
// a failed row's output is removed. Tells the user of an empty list, a
// folder that cannot be made, an encoder that cannot be started, and at the
// end either the total time or which files failed. A cancelled run, or one
// whose encoder could not be started, ends without that last box; the files
// that failed before are then listed in the box that gives the reason, or,
// after a cancel, in a box of their own. The progress goes to g_progressDlg
// (none is shown when it is null).
void ConvertAllRows(BatchHost& host);

// The output path of a source under g_settings (folder and format), written
// into out (256 characters). The plain name when nothing is there yet, else
// the suffixed one. False, with out "", when the path would be too long.
bool OutputPathFor(const char* sourcePath, char* out, size_t size = 256);
